#pragma once
// The content lines of a vCard file (versions 2.1, 3.0 and 4.0), before any value is decoded.
//
// forEachUnfoldedLine() joins what writers split: a physical line that starts with a blank or a tab
// continues the one before it (the blank is dropped), and a quoted-printable value whose line ends
// with "=" (a soft line break of 2.1) continues on the next line whatever it starts with. LF ends a
// line, with any CR before it (CR LF, and CR CR LF of a file that passed through Windows twice); a
// leading UTF-8 byte-order mark is dropped; empty lines are skipped. Time is linear in the size of
// the file and memory that of its longest line, however the lines are folded.
//
// parseContentLine() splits "group.NAME;PARAM=value;BARE:value". Names and parameter names are
// upper-cased (they are case-insensitive); a bare parameter of 2.1 ("TEL;HOME;PREF:") is a TYPE;
// double quotes around a parameter value are dropped. Nothing when the line has no ":".

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velorine::contacts {

struct VcardParameter {
    std::string name;   // upper-cased
    std::string value;  // as written, quotes dropped
};

struct ContentLine {
    std::string name;  // upper-cased, without its group
    std::vector<VcardParameter> parameters;
    std::string value;  // still encoded and escaped

    // The value of the first parameter of that (upper-case) name.
    std::optional<std::string_view> parameter(std::string_view upperName) const;
    // Whether a TYPE parameter lists this (upper-case) type, in any case: TYPE=home,PREF or ;PREF.
    bool hasType(std::string_view upperType) const;
};

// Hands every unfolded line to `take`, in order, until it returns false; a line lives only during
// its call.
void forEachUnfoldedLine(std::string_view bytes, const std::function<bool(std::string_view line)>& take);

std::optional<ContentLine> parseContentLine(std::string_view line);

// The name of a content line without its group and parameters ("item1.EMAIL;TYPE=x:..." gives
// "EMAIL"), as written; empty when there is no ":".
std::string_view lineName(std::string_view line);

// Whether two texts are equal, ASCII letter case aside; `upper` is upper case.
bool equalsIgnoringCase(std::string_view text, std::string_view upper);

// ASCII upper case, for the case-insensitive parts of the format.
std::string upperAscii(std::string_view text);

}  // namespace velorine::contacts
