#pragma once
// Every text the program holds is UTF-8. Text arriving in another encoding is
// converted here, once, where it enters: bytes that are not valid UTF-8 are
// read as Windows-1252, files with a byte-order mark as what the mark says.
// The character helpers count and cut code points, never bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

bool isValidUtf8(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);
// Valid UTF-8 stays as it is; anything else is read as Windows-1252.
std::string toUtf8(std::string_view bytes);

enum class ByteOrderMark { None, Utf8, Utf16LE, Utf16BE };
ByteOrderMark byteOrderMark(std::string_view fileStart);
size_t byteOrderMarkLength(ByteOrderMark mark);
// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD and a
// trailing odd byte is dropped.
std::string utf16ToUtf8(std::string_view bytes, bool littleEndian);

// A whole text file as UTF-8: a UTF-8 mark is skipped, UTF-16 is converted,
// and a file without a mark goes through toUtf8.
std::string decodeTextFile(std::string_view fileBytes);

// Code points in valid UTF-8 (a stray byte counts as one).
size_t countCharacters(std::string_view text);
// The longest start of the text that holds at most `maxCharacters` characters.
std::string_view clipToCharacters(std::string_view text, size_t maxCharacters);
// The longest start of the text that fits in `maxBytes` without cutting a character.
std::string_view clipToBytes(std::string_view text, size_t maxBytes);
// Length in bytes of the character starting at text[0] (1 for a stray byte).
size_t characterLength(std::string_view text);
// The length of the start of `text` up to its last whole character: a cut
// UTF-8 sequence at the end is left out.
size_t wholeCharactersLength(std::string_view text);
// Each character as its own string_view.
std::vector<std::string_view> splitCharacters(std::string_view text);

// Shown text: the same as toUtf8 (kept for callers that name it so).
std::string displayText(std::string_view bytes);

}  // namespace pw
