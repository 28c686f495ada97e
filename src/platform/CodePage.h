#pragma once

#include <string>

namespace platform {

// Windows-1252, the code page of all 8-bit text in the game.
// UTF-8 to Windows-1252; characters with no form there become '.', and so do
// malformed sequences.
std::string utf8ToCp1252(const char* utf8, size_t length);
// Windows-1252 to UTF-8 (for SDL, fontconfig and the terminal).
std::string cp1252ToUtf8(const char* text, size_t length);
// The Unicode code point of a Windows-1252 byte (0 for the five unassigned bytes).
unsigned cp1252ToUnicode(unsigned char c);
// Case folding for comparisons: ASCII and the Latin-1 letters of the code page.
unsigned char cp1252ToLower(unsigned char c);

}  // namespace platform
