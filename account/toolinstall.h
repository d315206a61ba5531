#pragma once
// Puts the account tool into the Google folder, where command lines name it:
// at start-up, when it is missing there or older than the one this program
// was built with.

#include <string>

#include "io/programfolder.h"

namespace pw {

enum class ToolInstallResult { AlreadyCurrent, Installed, BuiltToolMissing, CopyFailed };

// The tool built with this program, beside the running executable.
std::string builtAccountToolPath();
// Creates the Google folder (for the user alone) and copies the tool in,
// replacing an older copy in one step so that a running tool is not touched.
ToolInstallResult installAccountTool(const ProgramFolder& folder, const std::string& builtToolPath);

}  // namespace pw
