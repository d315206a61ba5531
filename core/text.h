#pragma once
// Text helpers shared by the whole engine. Texts are UTF-8 (see
// textencoding.h); only ASCII letters are folded when comparing without case,
// and byte order is code-point order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/textencoding.h"

namespace pw {

constexpr unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}
constexpr unsigned char upperAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

constexpr bool isTrimSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
constexpr bool isQuote(char c) { return c == '"' || c == '\''; }
constexpr bool isWordSeparator(char c) { return c == ' ' || c == ',' || c == '.' || c == ';'; }

// Spaces, tabs, CR and LF off both ends.
std::string_view trimSpaces(std::string_view text);
// Leading quotes, then trailing quotes (double or single), as many as there are.
std::string_view stripQuotes(std::string_view text);

// Byte order after folding ASCII letters: <0, 0 or >0.
int compareIgnoreCase(std::string_view a, std::string_view b);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool containsIgnoreCase(std::string_view haystack, std::string_view needle);
std::string foldedCopy(std::string_view text);

bool contains(std::string_view text, std::string_view part);

// Splits at any of the separator bytes, dropping empty pieces.
std::vector<std::string_view> splitAny(std::string_view text, std::string_view separators);

// 12345 -> "12,345": how every count is shown to the user.
std::string formatCount(long long value);

// The decimal value as C's atoi reads it: optional leading white space and
// sign, then digits up to the first non-digit; clamped to 32 bits.
int32_t parseLeadingInt(std::string_view text);

// A count as keyword planners write it: a thousands separator (comma, full
// stop, space or no-break space before three digits) is read through, a K, M
// or B multiplies, and a range ("1K – 10K") gives its lower bound;
// clamped to 32 bits, 0 without digits.
int32_t parsePlannerCount(std::string_view text);

}  // namespace pw
