#pragma once
// The ".pwj" project file: version 18 written, versions 14 to 18 read, with a
// sampled checksum as its last four bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/progress.h"
#include "core/project.h"

namespace pw {

constexpr int32_t kProjectFileVersion = 18;
constexpr int32_t kOldestProjectFileVersion = 14;

// How a load ended; the numbers are the ones the program has always reported.
enum class LoadCode : int {
    Loaded = 0,
    BadVersion = 1,
    BadChecksum = 2,
    CannotOpen = 3,
    CannotRead = 5,
};

struct LoadMessage {
    std::string_view title;
    std::string_view text;
};
// What the main window shows for a load result.
LoadMessage loadMessage(LoadCode code);

// Loads the file at project.path into a project the caller has reset. With
// adsOnly the phrases are skipped (the past-ads search needs only the ads).
LoadCode loadProject(Project& project, const ProgressFn& progress = {}, bool adsOnly = false);
// The same over the file's bytes, checksum included.
LoadCode loadProjectFromBytes(Project& project, std::string_view file, const ProgressFn& progress = {},
                         bool adsOnly = false);

// Saves to project.path, replacing the file only once the new one is whole.
bool saveProject(Project& project);
// The bytes saveProject writes, checksum included.
std::string projectFileBytes(const Project& project);

// The sampled sum over a file body; none when the body is 4 bytes or fewer or
// the sum is the failure marker -1.
std::optional<int32_t> checksumOfBody(std::string_view body);
std::optional<int32_t> computeChecksum(const std::string& path, bool excludeTrailer);
bool appendChecksum(const std::string& path);
bool verifyChecksum(const std::string& path);
bool verifyChecksumBytes(std::string_view file);

}  // namespace pw
