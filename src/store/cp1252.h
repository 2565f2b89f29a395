#pragma once
// Windows-1252, the character set of the data file, and UTF-8, the character set of everything
// around it (Qt, terminals). The core keeps every text as Windows-1252 bytes; this is the one place
// that converts.
//
// Every byte 0x00-0xFF has a UTF-8 form: the five bytes Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, so a file read and written back
// loses nothing. The other way, a text holding a character outside the set cannot be converted.

#include <optional>
#include <string>
#include <string_view>

namespace velorine::store {

// Windows-1252 bytes to UTF-8. Never fails.
std::string cp1252ToUtf8(std::string_view cp1252);

// UTF-8 to Windows-1252 bytes; nothing when the text holds a character that Windows-1252 cannot
// hold, or is not valid UTF-8.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

// A file saved by a UTF-8 editor, as Windows-1252 bytes: converted when it is valid UTF-8 holding
// at least one non-ASCII character and every character fits Windows-1252 (a leading byte-order
// mark is dropped); nothing otherwise, the bytes being Windows-1252 already (a real Windows-1252
// text with accents is almost never valid UTF-8).
std::optional<std::string> cp1252FromUtf8File(std::string_view bytes);

// True when utf8ToCp1252 would succeed.
bool canHoldInCp1252(std::string_view utf8);

// The Unicode code point of one Windows-1252 byte, and back (nothing for a code point outside
// the set).
char32_t cp1252ToCodePoint(unsigned char byte);
std::optional<unsigned char> codePointToCp1252(char32_t codePoint);

}  // namespace velorine::store
