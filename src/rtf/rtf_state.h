#pragma once
// What a group of an RTF text carries: the character and paragraph properties in force, where its
// text goes, and how many fallback characters follow a \uN. Each group starts as a copy of the one
// around it and is dropped when it closes, which undoes whatever it changed.

#include <cstdint>

namespace velorine::ui::rtf {

enum class Underline : std::uint8_t { None, Single, Dotted, Dashed, Wave };
enum class VerticalPosition : std::uint8_t { Normal, Superscript, Subscript };
enum class Alignment : std::uint8_t { Left, Centre, Right, Justified };
// The kind of a numbered or bulleted paragraph, None for an ordinary one.
enum class Numbering : std::uint8_t { None, Bullet, Decimal, LowerLetter, UpperLetter, LowerRoman, UpperRoman };

// The family of a font of the font table (\\fswiss and the like), for a stand-in when it is missing.
enum class FontKind : std::uint8_t { Any, Serif, SansSerif, Monospace, Script, Decorative };

// Where the text of a group goes.
enum class Destination : std::uint8_t {
    Body,         // the document
    FontTable,    // font names
    ColourTable,  // colour entries
    ListMarker,   // the marker text a list item carries for readers without lists (\pntext, \listtext)
    Numbering,    // the numbering of the paragraph (\pn)
    Skipped,      // anything not shown
};

inline constexpr int kDefaultHalfPoints = 24;

struct CharacterState {
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    Underline underline = Underline::None;
    VerticalPosition position = VerticalPosition::Normal;
    int font = -1;  // -1: the document's default font
    int halfPoints = kDefaultHalfPoints;
    int foreground = 0;  // index in the colour table, 0 for the automatic colour
    int background = 0;
    bool operator==(const CharacterState&) const = default;
};

// Lengths in twips (1/1440 inch).
struct ParagraphState {
    Alignment alignment = Alignment::Left;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int lineSpacing = 0;  // 0: single; > 0: at least; < 0: exactly; a multiple of 240 when lineMultiple
    bool lineMultiple = false;
    Numbering numbering = Numbering::None;
    bool listOverride = false;  // \lsN: a list item whose kind comes from its marker text
    int level = 0;
};

struct GroupState {
    CharacterState characters;
    ParagraphState paragraph;
    Destination destination = Destination::Body;
    int unicodeFallback = 1;  // \ucN: characters to skip after each \uN
};

}  // namespace velorine::ui::rtf
