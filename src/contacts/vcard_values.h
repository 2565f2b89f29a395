#pragma once
// The text of a vCard value: quoted-printable decoded, turned into UTF-8, then split into its
// components and unescaped.
//
// Character sets: no CHARSET, or UTF-8, means UTF-8, and bytes that are not valid UTF-8 are then
// read as Windows-1252, the set of the address books that write such files. ISO-8859-1 (LATIN1)
// and US-ASCII labels are read as Windows-1252 too, as mail programs mean them: their 0x80-0x9F
// bytes are the letters and signs of Windows-1252, not control characters. Any other label is
// converted by the C library's converter (charset_conversion.h); a value it cannot convert (an
// unknown set, bytes that are no text of it) is not decoded at all rather than guessed.
// Escapes: "\," "\;" "\:" "\\" give the character, "\n" and "\N" a line break; a backslash before
// anything else is dropped.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contacts/charset_conversion.h"
#include "contacts/vcard_lines.h"

namespace velorine::contacts {

// The raw value decoded to UTF-8, escapes still in place; nothing when its character set cannot be
// converted.
std::optional<std::string> decodedValue(const ContentLine& line, CharsetConverter& converter);

// The components of a structured value (N, ADR), split at unescaped ";", each unescaped.
std::vector<std::string> componentsOf(std::string_view decoded);

// A plain value (FN, EMAIL, BDAY), unescaped.
std::string unescaped(std::string_view decoded);

}  // namespace velorine::contacts
