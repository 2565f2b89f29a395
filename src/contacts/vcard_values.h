#pragma once
// The text of a vCard value: quoted-printable decoded, turned into UTF-8, then split into its
// components and unescaped.
//
// Character sets: CHARSET=ISO-8859-1 (or LATIN1) and WINDOWS-1252 (or CP1252) are converted; any
// other, and none, means UTF-8. Bytes that are not valid UTF-8 are read as Windows-1252, the
// character set of the address books that write such files, so no value is ever refused for them.
// Escapes: "\," "\;" "\:" "\\" give the character, "\n" and "\N" a line break; a backslash before
// anything else is dropped.

#include <string>
#include <string_view>
#include <vector>

#include "contacts/vcard_lines.h"

namespace velorine::contacts {

// The raw value decoded to UTF-8, escapes still in place.
std::string decodedValue(const ContentLine& line);

// The components of a structured value (N, ADR), split at unescaped ";", each unescaped.
std::vector<std::string> componentsOf(std::string_view decoded);

// A plain value (FN, EMAIL, BDAY), unescaped.
std::string unescaped(std::string_view decoded);

bool isValidUtf8(std::string_view text);

}  // namespace velorine::contacts
