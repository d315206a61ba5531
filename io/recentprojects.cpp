#include "io/recentprojects.h"

#include "core/atomicfile.h"
#include "core/text.h"

namespace pw {

namespace {
bool writeRecents(const ProgramFolder& folder, const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& p : paths) text += p + "\n";
    createFolder(folder.programSubfolder());
    return replaceFileAtomically(folder.recentsFile(), text);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view line : splitAny(text, "\r\n")) lines.emplace_back(line);
    return lines;
}
}  // namespace

std::optional<std::string> readRecentProjects(const ProgramFolder& folder) {
    std::string text;
    if (!readWholeFile(folder.recentsFile(), text)) return std::nullopt;
    return decodeTextFile(text);
}

std::vector<std::string> recentProjectPaths(const ProgramFolder& folder) {
    return splitLines(readRecentProjects(folder).value_or(""));
}

bool addRecentProject(const ProgramFolder& folder, std::string_view path) {
    std::vector<std::string> paths{std::string(path)};
    for (std::string& old : recentProjectPaths(folder)) {
        if (paths.size() == kMaxRecentProjects) break;
        if (!equalsIgnoreCase(old, path)) paths.push_back(std::move(old));
    }
    return writeRecents(folder, paths);
}

bool removeRecentProject(const ProgramFolder& folder, std::string_view path) {
    const std::optional<std::string> text = readRecentProjects(folder);
    if (!text) return true;
    std::vector<std::string> paths;
    for (std::string& old : splitLines(*text))
        if (!equalsIgnoreCase(old, path)) paths.push_back(std::move(old));
    return writeRecents(folder, paths);
}

}  // namespace pw
