#pragma once
// UTF-16 text helpers shared by the portable code and the Win32 code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Text = std::u16string;

namespace text {

// Decimal form of a signed integer ("%d").
Text Decimal(long long value);

// Length of a zero-terminated UTF-16 string, looking at most at `limit` units.
std::size_t BoundedLength(const char16_t* s, std::size_t limit);

// ASCII/UTF-8 to UTF-16 and back (UTF-8 for test messages and file names).
Text FromUtf8(const std::string& s);
std::string ToUtf8(const Text& s);

// Every occurrence of `what` replaced by `with`.
Text ReplaceAll(Text s, const Text& what, const Text& with);

// A message with its "%s" and "%d" tokens replaced, in order, by `values`
// (tokens without a value stay; inserted values are never read as tokens).
Text FillTokens(const Text& format, const std::vector<Text>& values);

// Spaces (only U+0020) removed from both ends.
Text TrimSpaces(const Text& s);

// ASCII letters a-z made upper case; everything else as it is.
Text UpperAscii(Text s);

// Two lower-case hexadecimal digits for each byte.
Text LowerHex(const uint8_t* bytes, std::size_t size);

// The number at the start of `s` as "%d" reads it: leading blanks, an
// optional sign, then decimal digits up to the first other character.
// No digits give 0; values beyond the 32-bit range are held at its ends.
int32_t ReadDecimal(const Text& s);

}  // namespace text
