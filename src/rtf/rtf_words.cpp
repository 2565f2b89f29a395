#include "rtf/rtf_words.h"

#include <unordered_map>

#include "rtf/rtf_state.h"

namespace velorine::ui::rtf {
namespace {

using Kind = WordAction::Kind;

constexpr int value(auto enumerator) { return static_cast<int>(enumerator); }

// Destinations that are never shown, whether or not they are marked ignorable.
constexpr std::string_view kSkippedDestinations[] = {
    "info",
    "stylesheet",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "pict",
    "object",
    "objdata",
    "objclass",
    "fldinst",
    "filetbl",
    "listtable",
    "listoverridetable",
    "revtbl",
    "rsidtbl",
    "author",
    "operator",
    "title",
    "subject",
    "keywords",
    "comment",
    "doccomm",
    "annotation",
    "atnid",
    "atnauthor",
    "xe",
    "tc",
    "txe",
    "private",
    "nonshppict",
    "shp",
    "shpinst",
    "sp",
    "sn",
    "sv",
    "bkmkstart",
    "bkmkend",
    "themedata",
    "colorschememapping",
    "datastore",
    "latentstyles",
    "pgdsctbl",
    "template",
    "userprops",
    "ftnsep",
    "ftnsepc",
    "ftncn",
    "aftnsep",
    "aftnsepc",
    "aftncn",
    "buptim",
    "creatim",
    "printim",
    "revtim",
    "generator",
    "xmlnstbl",
    "mmathPr",
    "fchars",
    "lchars",
    "pnseclvl",
    "listpicture",
    "background",
    "docvar",
    "wgrffmtfilter",
    "falt",
    "panose",
    "pntxta",
    "pntxtb",
};

std::unordered_map<std::string_view, WordAction> buildTable() {
    std::unordered_map<std::string_view, WordAction> words = {
        {"b", {Kind::Bold}},
        {"i", {Kind::Italic}},
        {"strike", {Kind::Strike}},
        {"v", {Kind::Hidden}},
        {"ul", {Kind::Underline, value(Underline::Single)}},
        {"ulw", {Kind::Underline, value(Underline::Single)}},
        {"uldb", {Kind::Underline, value(Underline::Single)}},
        {"ulth", {Kind::Underline, value(Underline::Single)}},
        {"uld", {Kind::Underline, value(Underline::Dotted)}},
        {"uldash", {Kind::Underline, value(Underline::Dashed)}},
        {"ulwave", {Kind::Underline, value(Underline::Wave)}},
        {"ulnone", {Kind::UnderlineNone}},
        {"super", {Kind::Position, value(VerticalPosition::Superscript)}},
        {"sub", {Kind::Position, value(VerticalPosition::Subscript)}},
        {"nosupersub", {Kind::Position, value(VerticalPosition::Normal)}},
        {"f", {Kind::Font}},
        {"fs", {Kind::FontSize}},
        {"cf", {Kind::Foreground}},
        {"cb", {Kind::Background}},
        {"highlight", {Kind::Background}},
        {"chcbpat", {Kind::Background}},
        {"plain", {Kind::Plain}},

        {"pard", {Kind::Pard}},
        {"ql", {Kind::Align, value(Alignment::Left)}},
        {"qc", {Kind::Align, value(Alignment::Centre)}},
        {"qr", {Kind::Align, value(Alignment::Right)}},
        {"qj", {Kind::Align, value(Alignment::Justified)}},
        {"qd", {Kind::Align, value(Alignment::Justified)}},
        {"sb", {Kind::SpaceBefore}},
        {"sa", {Kind::SpaceAfter}},
        {"li", {Kind::LeftIndent}},
        {"lin", {Kind::LeftIndent}},
        {"ri", {Kind::RightIndent}},
        {"rin", {Kind::RightIndent}},
        {"fi", {Kind::FirstLineIndent}},
        {"sl", {Kind::LineSpacing}},
        {"slmult", {Kind::LineMultiple}},
        {"pnlvlblt", {Kind::NumberingKind, value(Numbering::Bullet)}},
        {"pndec", {Kind::NumberingKind, value(Numbering::Decimal)}},
        {"pnlcltr", {Kind::NumberingKind, value(Numbering::LowerLetter)}},
        {"pnucltr", {Kind::NumberingKind, value(Numbering::UpperLetter)}},
        {"pnlcrm", {Kind::NumberingKind, value(Numbering::LowerRoman)}},
        {"pnucrm", {Kind::NumberingKind, value(Numbering::UpperRoman)}},
        {"pnlvl", {Kind::NumberingLevel}},
        {"ls", {Kind::ListOverride}},
        {"ilvl", {Kind::ListLevel}},

        {"par", {Kind::Paragraph}},
        {"sect", {Kind::Paragraph}},
        {"page", {Kind::Paragraph}},
        {"row", {Kind::Paragraph}},
        {"line", {Kind::LineBreak}},
        {"tab", {Kind::Tab}},
        {"cell", {Kind::Tab}},
        {"bullet", {Kind::Character, 0x2022}},
        {"endash", {Kind::Character, 0x2013}},
        {"emdash", {Kind::Character, 0x2014}},
        {"lquote", {Kind::Character, 0x2018}},
        {"rquote", {Kind::Character, 0x2019}},
        {"ldblquote", {Kind::Character, 0x201C}},
        {"rdblquote", {Kind::Character, 0x201D}},
        {"enspace", {Kind::Character, 0x2002}},
        {"emspace", {Kind::Character, 0x2003}},
        {"qmspace", {Kind::Character, 0x2005}},
        {"u", {Kind::Unicode}},
        {"uc", {Kind::UnicodeFallback}},
        {"bin", {Kind::Binary}},

        {"deff", {Kind::DefaultFont}},
        {"fnil", {Kind::FontFamily, value(FontKind::Any)}},
        {"froman", {Kind::FontFamily, value(FontKind::Serif)}},
        {"fswiss", {Kind::FontFamily, value(FontKind::SansSerif)}},
        {"fmodern", {Kind::FontFamily, value(FontKind::Monospace)}},
        {"fscript", {Kind::FontFamily, value(FontKind::Script)}},
        {"fdecor", {Kind::FontFamily, value(FontKind::Decorative)}},
        {"ftech", {Kind::FontFamily, value(FontKind::Any)}},
        {"fbidi", {Kind::FontFamily, value(FontKind::Any)}},
        {"red", {Kind::Red}},
        {"green", {Kind::Green}},
        {"blue", {Kind::Blue}},

        {"fonttbl", {Kind::FontTable}},
        {"colortbl", {Kind::ColourTable}},
        {"pntext", {Kind::ListMarker}},
        {"listtext", {Kind::ListMarker}},
        {"pn", {Kind::NumberingGroup}},
    };
    for (std::string_view name : kSkippedDestinations) words.emplace(name, WordAction{Kind::SkippedGroup});
    return words;
}

}  // namespace

bool WordAction::onlyChangesProperties() const {
    switch (kind) {
        case Kind::Paragraph:
        case Kind::LineBreak:
        case Kind::Tab:
        case Kind::Character:
        case Kind::Unicode:
        case Kind::Binary: return false;
        default: return !opensDestination();
    }
}

bool WordAction::opensDestination() const {
    return kind == Kind::FontTable || kind == Kind::ColourTable || kind == Kind::ListMarker ||
           kind == Kind::NumberingGroup || kind == Kind::SkippedGroup;
}

const WordAction* findWord(std::string_view word) {
    static const std::unordered_map<std::string_view, WordAction> words = buildTable();
    const auto found = words.find(word);
    return found == words.end() ? nullptr : &found->second;
}

}  // namespace velorine::ui::rtf
