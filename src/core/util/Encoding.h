// Windows-1252 <-> Unicode conversions. The core keeps every text as Windows-1252 bytes;
// these helpers sit at the edges (CLI output, collation, windows).
#pragma once

#include <string>
#include <string_view>

namespace morvix {

// Unicode code point of a Windows-1252 byte. The five unassigned bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control of the same value.
char32_t cp1252ToUnicode(unsigned char byte);

// Windows-1252 byte of a code point, or -1 when the set has none.
int unicodeToCp1252(char32_t cp);

std::string cp1252ToUtf8(std::string_view bytes);
std::u16string cp1252ToUtf16(std::string_view bytes);

// Converts UTF-8 to Windows-1252; characters outside the set (and malformed sequences)
// become `replacement`.
std::string utf8ToCp1252(std::string_view utf8, char replacement = '?');

} // namespace morvix
