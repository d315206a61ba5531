#pragma once
// Project files as files: the path a new project name gets, and copying one
// project into another.

#include <string>
#include <string_view>

#include "io/programfolder.h"

namespace pw {

constexpr std::string_view kProjectExtension = ".pwj";
constexpr size_t kMaxProjectFileName = 254;  // the extension included

// The path of a new project called `name` in the Projects folder: the name is
// cut first (between characters) so that ".pwj" always fits after it; a name
// that already ends in ".pwj" keeps that one extension.
std::string newProjectPath(const ProgramFolder& folder, std::string_view name);

// Both paths name the same file on disk (also through links or another
// spelling); false when either does not exist.
bool sameFile(const std::string& a, const std::string& b);

enum class CopyProjectResult { Copied, SameFile, SourceMissing, CannotWrite };
// Copies the project file at `source` over `target`. Refuses, changing
// nothing, when both are the same file: copying a project onto itself would
// otherwise delete it.
CopyProjectResult copyProjectFile(const std::string& source, const std::string& target);

}  // namespace pw
