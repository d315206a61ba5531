#pragma once
// The parts of a zipped XML workbook (.xlsx, .ods): entries read out of the
// archive and walked with a streaming XML parser.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct zip;

namespace pwsheet {

class ZipArchive {
public:
    // Empty `error()` when the archive opened.
    explicit ZipArchive(const std::string& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    const std::string& error() const { return error_; }
    // The entry's bytes; none when absent, unreadable or larger than the bound.
    std::optional<std::string> entry(const std::string& name) const;

private:
    ::zip* zip_ = nullptr;
    std::string error_;
};

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
};

// Walks the document; false when it is not well-formed XML.
bool walkXml(std::string_view document, const XmlHandler& handler);

// "1", "true" (any case).
bool xmlTrue(std::optional<std::string_view> value);
// A decimal number; none when the text is not one.
std::optional<double> parseNumber(std::string_view text);
// A non-negative count, clamped to `limit`; 1 when absent or unreadable.
size_t parseRepeat(std::optional<std::string_view> text, size_t limit);

}  // namespace pwsheet
