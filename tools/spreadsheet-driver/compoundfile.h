#pragma once
// The compound file container of .xls workbooks: a small file system of
// sectors in one file. Only reading a named stream is needed.

#include <optional>
#include <string>
#include <string_view>

namespace pwsheet {

enum class CompoundError { None, NotCompound, Damaged };

struct CompoundStream {
    std::optional<std::string> bytes;
    CompoundError error = CompoundError::None;
};

// The first stream of the root storage named one of `names` (compared
// without case), read whole. Every sector chain is checked against the
// file's size and for loops.
CompoundStream readCompoundStream(std::string_view file, std::initializer_list<std::u16string_view> names);

}  // namespace pwsheet
