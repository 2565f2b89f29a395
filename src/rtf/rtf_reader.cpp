#include "rtf/rtf_reader.h"

#include <QTextDocument>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "store/cp1252.h"
#include "rtf/rtf_document_writer.h"
#include "rtf/rtf_scanner.h"
#include "rtf/rtf_state.h"
#include "rtf/rtf_tables.h"
#include "rtf/rtf_words.h"

namespace velorine::ui {
namespace {

using namespace rtf;
using Kind = WordAction::Kind;

// Groups kept with their own state; real documents nest a few dozen deep at most. Deeper groups
// are still read, in the state of the deepest kept one (see Reader::overflow_).
constexpr std::size_t kMaxKeptDepth = 1000;
constexpr qsizetype kMaxNameLength = 256;
constexpr qsizetype kMaxMarkerLength = 32;

bool isRoman(QStringView letters, QStringView digits) {
    return std::all_of(letters.begin(), letters.end(), [&](QChar c) { return digits.contains(c); });
}

// The kind of list a marker text such as "1.", "b)", "iv." or "•" stands for.
Numbering numberingOfMarker(const QString& marker) {
    const QString text = marker.trimmed();
    if (text.isEmpty()) return Numbering::Bullet;
    if (text.front().isDigit()) return Numbering::Decimal;
    const bool numbered = text.size() > 1 && (text.back() == u'.' || text.back() == u')');
    const QStringView letters = QStringView(text).chopped(numbered ? 1 : 0);
    if (!numbered || !std::all_of(letters.begin(), letters.end(), [](QChar c) { return c.isLetter(); }))
        return Numbering::Bullet;
    // Only the small roman digits: "c." or "d." is far more often a letter than 100 or 500.
    if (isRoman(letters, u"ivxl")) return Numbering::LowerRoman;
    if (isRoman(letters, u"IVXL")) return Numbering::UpperRoman;
    return letters.front().isLower() ? Numbering::LowerLetter : Numbering::UpperLetter;
}

class Reader {
public:
    Reader(std::string_view input, QTextDocument& document) : scanner_(input), writer_(document, tables_) {
        stack_.emplace_back();
    }

    void read() {
        while (const std::optional<Token> token = scanner_.next()) {
            if (token->kind == Token::Kind::GroupOpen) {
                openGroup();
                continue;
            }
            if (token->kind == Token::Kind::GroupClose) {
                closeGroup();
                continue;
            }
            if (fallbackLeft_ > 0) {
                if (token->kind != Token::Kind::Text) {
                    --fallbackLeft_;
                    continue;
                }
                const std::size_t skipped = std::min<std::size_t>(fallbackLeft_, token->text.size());
                fallbackLeft_ -= static_cast<int>(skipped);
                text(token->text.substr(skipped));
                continue;
            }
            switch (token->kind) {
                case Token::Kind::Word: word(*token); break;
                case Token::Kind::Symbol: symbol(token->symbol); break;
                case Token::Kind::HexByte: character(store::cp1252ToCodePoint(token->byte)); break;
                case Token::Kind::Text: text(token->text); break;
                case Token::Kind::GroupOpen:
                case Token::Kind::GroupClose: break;
            }
        }
        finishDocument();
    }

private:
    GroupState& state() { return stack_.back(); }
    bool skipping() { return state().destination == Destination::Skipped || overflowSkipFrom_ != 0; }

    void openGroup() {
        fallbackLeft_ = 0;
        ignorableNext_ = false;
        if (stack_.size() < kMaxKeptDepth)
            stack_.push_back(state());
        else
            ++overflow_;
    }

    void closeGroup() {
        fallbackLeft_ = 0;
        ignorableNext_ = false;
        if (overflow_ > 0) {
            if (overflowSkipFrom_ == overflow_) overflowSkipFrom_ = 0;
            --overflow_;
            return;
        }
        if (stack_.size() == 1) return;  // a stray closing brace
        const GroupState closed = stack_.back();
        stack_.pop_back();
        // A last entry may lack its ";".
        if (closed.destination == Destination::FontTable) commitFont();
        if (closed.destination == Destination::ColourTable && colourGiven_) commitColour();
        // The numbering group describes the paragraph around it.
        if (closed.destination == Destination::Numbering && state().destination != Destination::Numbering &&
            closed.paragraph.numbering != Numbering::None) {
            state().paragraph.numbering = closed.paragraph.numbering;
            state().paragraph.level = closed.paragraph.level;
        }
    }

    // A destination met in a group beyond the kept depth skips everything up to that group's end.
    void skipOverflowGroup() {
        if (overflowSkipFrom_ == 0) overflowSkipFrom_ = overflow_;
    }

    void symbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}': character(static_cast<unsigned char>(c)); return;
            case '~': character(0xA0); return;
            case '-': character(0xAD); return;
            case '_': character(0x2011); return;
            case '\r':
            case '\n': endParagraph(); return;
            case '*':
                if (overflow_ > 0)
                    skipOverflowGroup();
                else
                    ignorableNext_ = true;
                return;
            default: return;
        }
    }

    void word(const Token& token) {
        const WordAction* action = findWord(token.text);
        if (ignorableNext_) {
            ignorableNext_ = false;
            if (!action || !action->opensDestination()) {
                state().destination = Destination::Skipped;
                return;
            }
        }
        if (!action) return;
        if (action->kind == Kind::Binary) {
            if (token.hasParameter) scanner_.skipBytes(token.parameter);
            return;
        }
        if (skipping()) return;
        if (overflow_ > 0) {
            if (action->opensDestination()) {
                skipOverflowGroup();
                return;
            }
            if (action->onlyChangesProperties()) return;
        }
        apply(*action, token);
    }

    void apply(const WordAction& action, const Token& token) {
        const int parameter = token.parameter;
        const bool on = !token.hasParameter || parameter != 0;
        CharacterState& characters = state().characters;
        ParagraphState& paragraph = state().paragraph;
        switch (action.kind) {
            case Kind::Bold: characters.bold = on; break;
            case Kind::Italic: characters.italic = on; break;
            case Kind::Strike: characters.strike = on; break;
            case Kind::Hidden: characters.hidden = on; break;
            case Kind::Underline:
                characters.underline = on ? static_cast<Underline>(action.value) : Underline::None;
                break;
            case Kind::UnderlineNone: characters.underline = Underline::None; break;
            case Kind::Position: characters.position = static_cast<VerticalPosition>(action.value); break;
            case Kind::Font:
                if (state().destination == Destination::FontTable)
                    fontNumber_ = parameter;
                else
                    characters.font = parameter;
                break;
            case Kind::FontSize: characters.halfPoints = token.hasParameter ? parameter : kDefaultHalfPoints; break;
            case Kind::Foreground: characters.foreground = parameter; break;
            case Kind::Background: characters.background = parameter; break;
            case Kind::Plain: characters = CharacterState{}; break;

            case Kind::Pard: paragraph = ParagraphState{}; break;
            case Kind::Align: paragraph.alignment = static_cast<Alignment>(action.value); break;
            case Kind::SpaceBefore: paragraph.spaceBefore = parameter; break;
            case Kind::SpaceAfter: paragraph.spaceAfter = parameter; break;
            case Kind::LeftIndent: paragraph.leftIndent = parameter; break;
            case Kind::RightIndent: paragraph.rightIndent = parameter; break;
            case Kind::FirstLineIndent: paragraph.firstLineIndent = parameter; break;
            case Kind::LineSpacing: paragraph.lineSpacing = parameter; break;
            case Kind::LineMultiple: paragraph.lineMultiple = on; break;
            case Kind::NumberingKind: paragraph.numbering = static_cast<Numbering>(action.value); break;
            case Kind::NumberingLevel: paragraph.level = std::max(0, parameter - 1); break;
            case Kind::ListOverride: paragraph.listOverride = parameter > 0; break;
            case Kind::ListLevel: paragraph.level = std::max(0, parameter); break;

            case Kind::Paragraph: endParagraph(); break;
            case Kind::LineBreak: character(0x2028); break;
            case Kind::Tab: character(U'\t'); break;
            case Kind::Character: character(static_cast<char32_t>(action.value)); break;
            case Kind::Unicode: unicode(parameter); break;
            case Kind::UnicodeFallback: state().unicodeFallback = std::clamp(parameter, 0, 16); break;
            case Kind::Binary: break;

            case Kind::DefaultFont: tables_.defaultFont = parameter; break;
            case Kind::FontFamily: fontKind_ = static_cast<FontKind>(action.value); break;
            case Kind::Red: colourPart(red_, parameter); break;
            case Kind::Green: colourPart(green_, parameter); break;
            case Kind::Blue: colourPart(blue_, parameter); break;

            case Kind::FontTable: state().destination = Destination::FontTable; break;
            case Kind::ColourTable: state().destination = Destination::ColourTable; break;
            case Kind::ListMarker:
                state().destination = Destination::ListMarker;
                markerSeen_ = true;
                break;
            case Kind::NumberingGroup: state().destination = Destination::Numbering; break;
            case Kind::SkippedGroup: state().destination = Destination::Skipped; break;
        }
    }

    void text(std::string_view bytes) {
        for (const char byte : bytes) character(store::cp1252ToCodePoint(static_cast<unsigned char>(byte)));
    }

    // \uN: a UTF-16 unit, negative above 32767; a pair of surrogates makes one character.
    void unicode(int parameter) {
        fallbackLeft_ = state().unicodeFallback;
        const int unit = parameter < 0 ? parameter + 0x10000 : parameter;
        if (unit < 0 || unit > 0xFFFF) return;
        if (QChar::isHighSurrogate(static_cast<char32_t>(unit))) {
            if (highSurrogate_ != 0) character(0xFFFD);
            highSurrogate_ = static_cast<char16_t>(unit);
            return;
        }
        if (QChar::isLowSurrogate(static_cast<char32_t>(unit)) && highSurrogate_ != 0) {
            const char32_t combined = QChar::surrogateToUcs4(highSurrogate_, static_cast<char16_t>(unit));
            highSurrogate_ = 0;
            character(combined);
            return;
        }
        character(QChar::isLowSurrogate(static_cast<char32_t>(unit)) ? 0xFFFD : static_cast<char32_t>(unit));
    }

    void character(char32_t codePoint) {
        if (skipping()) return;
        if (highSurrogate_ != 0) {  // a high surrogate not followed by its low half
            highSurrogate_ = 0;
            character(0xFFFD);
        }
        switch (state().destination) {
            case Destination::Body: writer_.append(codePoint, state().characters); break;
            case Destination::FontTable:
                if (codePoint == U';')
                    commitFont();
                else if (fontName_.size() < kMaxNameLength)
                    fontName_.append(QChar::fromUcs4(codePoint));
                break;
            case Destination::ColourTable:
                if (codePoint == U';') commitColour();
                break;
            case Destination::ListMarker:
                if (marker_.size() < kMaxMarkerLength) marker_.append(QChar::fromUcs4(codePoint));
                break;
            case Destination::Numbering:
            case Destination::Skipped: break;
        }
    }

    void endParagraph() {
        if (skipping() || state().destination != Destination::Body) return;
        endParagraphWith(state());
    }

    void endParagraphWith(const GroupState& group) {
        highSurrogate_ = 0;
        const ParagraphState& paragraph = group.paragraph;
        DocumentWriter::ListItem item{paragraph.numbering, paragraph.level, false};
        if (item.numbering == Numbering::None && (markerSeen_ || paragraph.listOverride))
            item = {numberingOfMarker(marker_), paragraph.level, true};
        writer_.endParagraph(paragraph, item, group.characters);
        markerSeen_ = false;
        marker_.clear();
    }

    // The last paragraph may lack its \par, and the input may stop inside any group: the paragraph
    // takes the properties of the innermost group that was writing to the document.
    void finishDocument() {
        if (writer_.holdsText()) {
            const auto body = std::find_if(stack_.rbegin(), stack_.rend(), [](const GroupState& group) {
                return group.destination == Destination::Body;
            });
            endParagraphWith(body == stack_.rend() ? stack_.front() : *body);
        }
        writer_.finish();
    }

    void commitFont() {
        const QString family = fontName_.trimmed();
        fontName_.clear();
        const FontKind kind = std::exchange(fontKind_, FontKind::Any);
        if (family.isEmpty() && kind == FontKind::Any) return;
        if (tables_.fonts.size() < Tables::kMaxEntries || tables_.fonts.contains(fontNumber_))
            tables_.fonts[fontNumber_] = FontEntry{family, kind};
    }

    void colourPart(int& part, int value) {
        part = std::clamp(value, 0, 255);
        colourGiven_ = true;
    }

    void commitColour() {
        if (tables_.colours.size() < Tables::kMaxEntries)
            tables_.colours.push_back(colourGiven_ ? QColor(red_, green_, blue_) : QColor());
        red_ = green_ = blue_ = 0;
        colourGiven_ = false;
    }

    Scanner scanner_;
    Tables tables_;
    DocumentWriter writer_;
    std::vector<GroupState> stack_;
    // Groups opened beyond the kept depth, and the one of them, counted from 1, whose destination
    // skips everything up to its end (0 when none does).
    int overflow_ = 0;
    int overflowSkipFrom_ = 0;
    int fallbackLeft_ = 0;        // characters after a \uN still to skip
    bool ignorableNext_ = false;  // after \*
    char16_t highSurrogate_ = 0;

    int fontNumber_ = 0;
    FontKind fontKind_ = FontKind::Any;
    QString fontName_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourGiven_ = false;
    bool markerSeen_ = false;
    QString marker_;
};

}  // namespace

void readRtf(QByteArrayView rtf, QTextDocument& document) {
    Reader(std::string_view(rtf.data(), static_cast<std::size_t>(rtf.size())), document).read();
}

}  // namespace velorine::ui
