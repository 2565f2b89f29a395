#pragma once
// The content lines of a vCard file (versions 2.1, 3.0 and 4.0), before any value is decoded.
//
// unfoldedLines() joins what writers split: a physical line that starts with a blank or a tab
// continues the one before it (the blank is dropped), and a quoted-printable value whose line ends
// with "=" (a soft line break of 2.1) continues on the next line whatever it starts with. CR LF and
// LF both end a line; a leading UTF-8 byte-order mark is dropped; empty lines are skipped.
//
// parseContentLine() splits "group.NAME;PARAM=value;BARE:value". Names and parameter names are
// upper-cased (they are case-insensitive); a bare parameter of 2.1 ("TEL;HOME;PREF:") is a TYPE;
// double quotes around a parameter value are dropped. Nothing when the line has no ":".

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

std::vector<std::string> unfoldedLines(std::string_view bytes);
std::optional<ContentLine> parseContentLine(std::string_view line);

// ASCII upper case, for the case-insensitive parts of the format.
std::string upperAscii(std::string_view text);

}  // namespace velorine::contacts
