#pragma once
// recents.fil: the most recently used project paths, newest first, at most 20.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/programfolder.h"

namespace pw {

constexpr size_t kMaxRecentProjects = 20;

// The whole file, or none when it is missing or cannot be read.
std::optional<std::string> readRecentProjects(const ProgramFolder& folder);
std::vector<std::string> recentProjectPaths(const ProgramFolder& folder);
// Puts the path first, dropping other entries equal to it ignoring case.
// Both return false when the file cannot be written (a read-only recents.fil
// is left as it is).
bool addRecentProject(const ProgramFolder& folder, std::string_view path);
bool removeRecentProject(const ProgramFolder& folder, std::string_view path);

}  // namespace pw
