#include "core/text.h"

#include <algorithm>
#include <climits>

namespace pw {

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && isTrimSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isTrimSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view stripQuotes(std::string_view text) {
    while (!text.empty() && isQuote(text.front())) text.remove_prefix(1);
    while (!text.empty() && isQuote(text.back())) text.remove_suffix(1);
    return text;
}

int compareIgnoreCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = foldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = foldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareIgnoreCase(a, b) == 0;
}

bool containsIgnoreCase(std::string_view haystack, std::string_view needle) {
    if (needle.size() > haystack.size()) return false;
    if (needle.empty()) return true;
    const unsigned char first = foldAscii(static_cast<unsigned char>(needle[0]));
    const size_t last = haystack.size() - needle.size();
    for (size_t i = 0; i <= last; ++i) {
        if (foldAscii(static_cast<unsigned char>(haystack[i])) != first) continue;
        if (equalsIgnoreCase(haystack.substr(i, needle.size()), needle)) return true;
    }
    return false;
}

std::string foldedCopy(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(foldAscii(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string_view> splitAny(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(separators, start);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > start) pieces.push_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return pieces;
}

std::string formatCount(long long value) {
    std::string digits = std::to_string(value < 0 ? -static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value));
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    if (value < 0) out.push_back('-');
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

int32_t parseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t extra;
        unsigned min;
        unsigned code;
        if (c < 0x80) { ++i; continue; }
        else if ((c & 0xE0) == 0xC0) { extra = 1; min = 0x80; code = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; min = 0x800; code = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; min = 0x10000; code = c & 0x07; }
        else return false;
        if (i + extra >= bytes.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            code = (code << 6) | (cc & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

namespace {
// Windows-1252 bytes 0x80..0x9F; the five unassigned ones map to the C1 controls.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}
}  // namespace

std::string displayText(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        appendUtf8(out, (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : c);
    }
    return out;
}

}  // namespace pw
