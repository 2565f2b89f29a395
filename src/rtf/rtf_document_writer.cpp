#include "rtf/rtf_document_writer.h"

#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace velorine::ui::rtf {
namespace {

// Twips to the document's pixels (96 per inch).
qreal pixels(int twips) { return std::clamp(twips, -31680, 31680) / 15.0; }

QFont::StyleHint styleHint(FontKind kind) {
    switch (kind) {
        case FontKind::Serif: return QFont::Serif;
        case FontKind::SansSerif: return QFont::SansSerif;
        case FontKind::Monospace: return QFont::Monospace;
        case FontKind::Script: return QFont::Cursive;
        case FontKind::Decorative: return QFont::Decorative;
        case FontKind::Any: break;
    }
    return QFont::AnyStyle;
}

QTextCharFormat::UnderlineStyle underlineStyle(Underline underline) {
    switch (underline) {
        case Underline::Single: return QTextCharFormat::SingleUnderline;
        case Underline::Dotted: return QTextCharFormat::DotLine;
        case Underline::Dashed: return QTextCharFormat::DashUnderline;
        case Underline::Wave: return QTextCharFormat::WaveUnderline;
        case Underline::None: break;
    }
    return QTextCharFormat::NoUnderline;
}

Qt::Alignment alignment(Alignment value) {
    switch (value) {
        case Alignment::Centre: return Qt::AlignHCenter;
        case Alignment::Right: return Qt::AlignRight;
        case Alignment::Justified: return Qt::AlignJustify;
        case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

QTextListFormat::Style listStyle(Numbering numbering, int level) {
    switch (numbering) {
        case Numbering::Decimal: return QTextListFormat::ListDecimal;
        case Numbering::LowerLetter: return QTextListFormat::ListLowerAlpha;
        case Numbering::UpperLetter: return QTextListFormat::ListUpperAlpha;
        case Numbering::LowerRoman: return QTextListFormat::ListLowerRoman;
        case Numbering::UpperRoman: return QTextListFormat::ListUpperRoman;
        case Numbering::Bullet:
        case Numbering::None: break;
    }
    constexpr QTextListFormat::Style bullets[] = {QTextListFormat::ListDisc, QTextListFormat::ListCircle,
                                                  QTextListFormat::ListSquare};
    return bullets[level % 3];
}

bool isShown(char32_t codePoint) {
    if (codePoint == U'\t' || codePoint == 0x2028) return true;
    if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) return false;
    return codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF) && codePoint != 0xFFFE &&
           codePoint != 0xFFFF;
}

}  // namespace

DocumentWriter::DocumentWriter(QTextDocument& document, const Tables& tables)
    : document_(document), tables_(tables), undoWasEnabled_(document.isUndoRedoEnabled()) {
    // Undo records of a whole document would only cost time and memory.
    document_.setUndoRedoEnabled(false);
    document_.clear();
    cursor_ = QTextCursor(&document_);
    cursor_.beginEditBlock();
}

DocumentWriter::~DocumentWriter() {
    cursor_.endEditBlock();
    document_.setUndoRedoEnabled(undoWasEnabled_);
}

void DocumentWriter::append(char32_t codePoint, const CharacterState& characters) {
    if (characters.hidden || !isShown(codePoint)) return;
    if (full()) {
        truncated_ = true;
        return;
    }
    if (runs_.empty() || !(runs_.back().characters == characters)) {
        runs_.push_back({QString(), characters});
        spent_ += kRunCost;
    }
    QString& text = runs_.back().text;
    if (QChar::requiresSurrogates(codePoint)) {
        text.append(QChar(QChar::highSurrogate(codePoint)));
        text.append(QChar(QChar::lowSurrogate(codePoint)));
    } else {
        text.append(QChar(static_cast<char16_t>(codePoint)));
    }
    ++spent_;
}

void DocumentWriter::endParagraph(const ParagraphState& paragraph, const ListItem& item,
                                  const CharacterState& characters) {
    if (full() && runs_.empty()) {
        truncated_ = true;
        return;
    }
    const bool listItem = item.numbering != Numbering::None;
    insertParagraph(blockFormat(paragraph, listItem), characters);
    if (listItem)
        placeInList(item);
    else
        lists_.fill(nullptr);
}

void DocumentWriter::finish() {
    if (truncated_) {
        insertParagraph(QTextBlockFormat(), CharacterState{});
        cursor_.insertText(QStringLiteral("[…]"));
    }
}

void DocumentWriter::insertParagraph(const QTextBlockFormat& format, const CharacterState& characters) {
    if (firstParagraph_) {
        cursor_.setBlockFormat(format);
        cursor_.setBlockCharFormat(characterFormat(characters));
        firstParagraph_ = false;
    } else {
        cursor_.insertBlock(format, characterFormat(characters));
    }
    for (const Run& run : runs_) cursor_.insertText(run.text, characterFormat(run.characters));
    runs_.clear();
    spent_ += kParagraphCost;
}

void DocumentWriter::placeInList(const ListItem& item) {
    const int level = std::clamp(item.level, 0, kLevels - 1);
    const QTextListFormat::Style style = listStyle(item.numbering, level);
    std::fill(lists_.begin() + level + 1, lists_.end(), nullptr);  // deeper lists end here
    QTextList*& list = lists_[static_cast<std::size_t>(level)];
    if (list && (item.guessed || list->format().style() == style)) {
        list->add(cursor_.block());
        return;
    }
    QTextListFormat format;
    format.setStyle(style);
    format.setIndent(level + 1);
    list = cursor_.createList(format);
}

QTextCharFormat DocumentWriter::characterFormat(const CharacterState& characters) const {
    QTextCharFormat format;
    if (const FontEntry* font = tables_.font(characters.font)) {
        if (!font->family.isEmpty()) format.setFontFamilies(QStringList{font->family});
        format.setFontStyleHint(styleHint(font->kind));
    }
    format.setFontPointSize(std::clamp(characters.halfPoints, 2, 1000) / 2.0);
    format.setFontWeight(characters.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(characters.italic);
    format.setFontStrikeOut(characters.strike);
    format.setUnderlineStyle(underlineStyle(characters.underline));
    if (characters.position == VerticalPosition::Superscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (characters.position == VerticalPosition::Subscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (const QColor colour = tables_.colour(characters.foreground); colour.isValid()) format.setForeground(colour);
    if (const QColor colour = tables_.colour(characters.background); colour.isValid()) format.setBackground(colour);
    return format;
}

QTextBlockFormat DocumentWriter::blockFormat(const ParagraphState& paragraph, bool listItem) {
    QTextBlockFormat format;
    format.setAlignment(alignment(paragraph.alignment));
    format.setTopMargin(std::max(0.0, pixels(paragraph.spaceBefore)));
    format.setBottomMargin(std::max(0.0, pixels(paragraph.spaceAfter)));
    format.setRightMargin(std::max(0.0, pixels(paragraph.rightIndent)));
    // A list brings its own indent and marker, so the item's hanging indent would count twice.
    if (!listItem) {
        const qreal left = std::max(0.0, pixels(paragraph.leftIndent));
        format.setLeftMargin(left);
        format.setTextIndent(std::max(-left, pixels(paragraph.firstLineIndent)));
    }
    if (paragraph.lineSpacing != 0) {
        const int spacing = std::clamp(paragraph.lineSpacing, -31680, 31680);
        if (paragraph.lineMultiple && spacing > 0)
            format.setLineHeight(std::clamp(spacing * 100.0 / 240.0, 50.0, 500.0),
                                 QTextBlockFormat::ProportionalHeight);
        else if (spacing > 0)
            format.setLineHeight(pixels(spacing), QTextBlockFormat::MinimumHeight);
        else
            format.setLineHeight(pixels(-spacing), QTextBlockFormat::FixedHeight);
    }
    return format;
}

}  // namespace velorine::ui::rtf
