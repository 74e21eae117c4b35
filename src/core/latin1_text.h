#pragma once

#include <string>
#include <string_view>

namespace qvt {

// The device and the record work in single-byte characters, Latin-1 (a unit
// such as "°C" is the bytes B0 43); every window and message of the PC shows
// UTF-8. These are the one conversion between the two.

std::string Utf8FromLatin1(std::string_view latin1);

// Back to single bytes. A character that Latin-1 lacks becomes '?', one for
// each UTF-16 unit, as an edit counts characters: one beyond the Basic
// Multilingual Plane (an emoji) gives "??".
std::string Latin1FromUtf8(std::string_view utf8);

// Bytes from the device shown or printed on one line: control characters (a
// CR or LF a short telegram carries along) become blanks.
std::string OnOneLine(std::string_view bytes);

}  // namespace qvt
