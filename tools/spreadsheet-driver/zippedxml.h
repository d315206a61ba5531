#pragma once
// The parts of a zipped XML workbook (.xlsx, .ods): entries unpacked out of
// the archive and walked with a streaming XML parser.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "workbook.h"

struct zip;

namespace pwsheet {

// One attribute lookup by local name (namespace prefixes are ignored).
class XmlAttributes {
public:
    explicit XmlAttributes(const char** attributes) : attributes_(attributes) {}
    std::optional<std::string_view> get(std::string_view localName) const;

private:
    const char** attributes_;
};

struct XmlHandler {
    std::function<void(std::string_view localName, const XmlAttributes&)> start;
    std::function<void(std::string_view localName)> end;
    std::function<void(std::string_view text)> text;
    // Raised by the handler when it has seen enough (its budget is spent):
    // the walk ends there as a failure.
    const bool* stop = nullptr;
};

// Walks the document; false when it is not well-formed XML, nests deeper
// than kMaxXmlDepth, declares a document type (the formats have none, and it
// would let entities multiply the text) or the handler stopped it.
bool walkXml(std::string_view document, const XmlHandler& handler);

enum class XmlWalk { Done, Missing, Damaged };

class ZipArchive {
public:
    // Empty `error()` when the archive opened.
    explicit ZipArchive(const std::string& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    const std::string& error() const { return error_; }
    // Walks the entry's XML as it is unpacked, a piece at a time, so that an
    // entry that unpacks into gigabytes is never held whole. Damaged also
    // when the walk fails as walkXml's does.
    XmlWalk walk(const std::string& name, const XmlHandler& handler) const;

private:
    ::zip* zip_ = nullptr;
    std::string error_;
};

// "1", "true" (any case).
bool xmlTrue(std::optional<std::string_view> value);
// A decimal number; none when the text is not one.
std::optional<double> parseNumber(std::string_view text);
// A non-negative count, clamped to `limit`; 1 when absent or unreadable.
size_t parseRepeat(std::optional<std::string_view> text, size_t limit);

}  // namespace pwsheet
