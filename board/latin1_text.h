#pragma once
// Conversions between the program's UTF-8 text and the single-byte (Latin-1) character codes
// that the driver library takes.

#include <optional>
#include <string>
#include <string_view>

// One byte per character, or nothing when `utf8` is not valid UTF-8 or holds a character above
// U+00FF.
std::optional<std::string> Utf8ToLatin1(std::string_view utf8);

// Each byte as the character with that code, in UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);
