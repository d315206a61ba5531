#include "io/listexport.h"

#include <cstdio>
#include <memory>

#include "core/text.h"

namespace pw {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kRowTextLimit = 2046;
constexpr size_t kClipboardRowLimit = 998;
}  // namespace

std::vector<ListRow> visibleRows(const Group& group) {
    std::vector<ListRow> rows;
    for (const Phrase& p : group.phrases)
        if (p.visible()) rows.push_back({p.text(), p.hitCount});
    return rows;
}

std::string withExtension(std::string name, std::string_view extension) {
    const bool hasIt = name.size() > extension.size() &&
                       equalsIgnoreCase(std::string_view(name).substr(name.size() - extension.size()), extension);
    if (!hasIt) name.append(extension);
    return name;
}

std::string listAsText(const std::vector<ListRow>& rows) {
    std::string out;
    for (const ListRow& row : rows) {
        out.append(clipToCharacters(row.text, kRowTextLimit));
        out.append(kLineEnd);
    }
    return out;
}

std::string listAsCsv(const std::vector<ListRow>& rows, bool withHits) {
    std::string out;
    for (const ListRow& row : rows) {
        out.append("\"").append(clipToCharacters(row.text, kRowTextLimit)).append("\",");
        if (withHits) out.append("\"").append(std::to_string(row.hits)).append("\",");
        out.append(kLineEnd);
    }
    return out;
}

std::string groupNamesAsText(const Project& project) {
    std::string out;
    for (const auto& group : project.groups) out.append(group->name).append(kLineEnd);
    return out;
}

std::string keywordRowsForClipboard(const std::vector<std::string>& rows) {
    std::string out;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) out.append(kLineEnd);
        // Rows are UTF-8 already; one that is not is converted on its own, so
        // it can never turn the other rows into something else.
        out.append(clipToCharacters(toUtf8(rows[i]), kClipboardRowLimit));
    }
    return out;
}

bool writeExportFile(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace pw
