#pragma once
// Puts what the RTF reader reads into a QTextDocument: characters with their format, paragraphs
// with theirs, list items gathered into lists. A paragraph is collected in runs of one format and
// inserted whole when it ends, so the \par that ends a document leaves no empty paragraph behind.
//
// What the document takes in is bounded by a budget, in which a character costs 1, a change of
// format kRunCost and a paragraph kParagraphCost (inserting those is what takes the time). Once it
// is spent the rest is dropped, and a last paragraph "[…]" says that something was left out. That
// keeps a huge input to about a second and bounded memory; the user guide spends a few percent.

#include <QString>
#include <QTextCursor>

#include <array>
#include <vector>

#include "rtf/rtf_state.h"
#include "rtf/rtf_tables.h"

class QTextDocument;
class QTextList;

namespace velorine::ui::rtf {

class DocumentWriter {
public:
    // Empties the document; the tables are read at each format change, so they may still grow.
    DocumentWriter(QTextDocument& document, const Tables& tables);
    ~DocumentWriter();
    DocumentWriter(const DocumentWriter&) = delete;
    DocumentWriter& operator=(const DocumentWriter&) = delete;

    static constexpr qsizetype kBudget = 2'000'000;
    static constexpr qsizetype kRunCost = 16;
    static constexpr qsizetype kParagraphCost = 32;

    // How a paragraph belongs to a list: a kind read from the numbering properties is kept, one
    // guessed from the marker text does not split a list whose items it continues.
    struct ListItem {
        Numbering numbering = Numbering::None;
        int level = 0;
        bool guessed = false;
    };

    // Control characters other than tab and line separator are dropped.
    void append(char32_t codePoint, const CharacterState& characters);
    // Ends the current paragraph with these properties; `characters` gives an empty one its height.
    void endParagraph(const ParagraphState& paragraph, const ListItem& item, const CharacterState& characters);
    // True when the paragraph being read holds text.
    bool holdsText() const { return !runs_.empty(); }
    // Closes the document, with "[…]" when something was left out.
    void finish();
    // True once the budget is spent.
    bool full() const { return spent_ >= kBudget; }

private:
    struct Run {
        QString text;
        CharacterState characters;
    };

    void insertParagraph(const QTextBlockFormat& format, const CharacterState& characters);
    void placeInList(const ListItem& item);
    QTextCharFormat characterFormat(const CharacterState& characters) const;
    static QTextBlockFormat blockFormat(const ParagraphState& paragraph, bool listItem);

    static constexpr int kLevels = 9;

    QTextDocument& document_;
    const Tables& tables_;
    QTextCursor cursor_;
    bool undoWasEnabled_;
    std::vector<Run> runs_;  // the paragraph being read
    bool firstParagraph_ = true;
    bool truncated_ = false;
    qsizetype spent_ = 0;
    std::array<QTextList*, kLevels> lists_{};
};

}  // namespace velorine::ui::rtf
