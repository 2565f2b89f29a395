#pragma once
// The control words the reader understands, each with what it does. A word not found here is
// ignored; a destination not found here is skipped when it is marked ignorable (\*).

#include <string_view>

namespace velorine::ui::rtf {

struct WordAction {
    enum class Kind {
        // Character properties; the value says which, the parameter (0 or not) switches.
        Bold,
        Italic,
        Strike,
        Hidden,
        Underline,  // value: the Underline style; a parameter of 0 turns it off
        UnderlineNone,
        Position,  // value: the VerticalPosition
        Font,
        FontSize,
        Foreground,
        Background,
        Plain,
        // Paragraph properties; lengths in the parameter.
        Pard,
        Align,  // value: the Alignment
        SpaceBefore,
        SpaceAfter,
        LeftIndent,
        RightIndent,
        FirstLineIndent,
        LineSpacing,
        LineMultiple,
        NumberingKind,   // value: the Numbering
        NumberingLevel,  // \pnlvlN
        ListOverride,
        ListLevel,
        // Text.
        Paragraph,
        LineBreak,
        Tab,
        Character,  // value: the code point
        Unicode,
        UnicodeFallback,
        Binary,
        // Tables.
        DefaultFont,
        FontFamily,
        Red,
        Green,
        Blue,
        // Destinations: the group's text goes elsewhere.
        FontTable,
        ColourTable,
        ListMarker,
        NumberingGroup,
        SkippedGroup,
    };
    Kind kind;
    int value = 0;

    // True for the words that only change properties; the others put something in the text or
    // send the group elsewhere.
    bool onlyChangesProperties() const;
    bool opensDestination() const;
};

// Nothing for a word the reader does not know.
const WordAction* findWord(std::string_view word);

}  // namespace velorine::ui::rtf
