#pragma once
// A minimal .xlsx writer for the benchmark's large sheet: one sheet of
// phrase and hit-count rows, texts inline.

#include <cstdint>
#include <string>
#include <vector>

namespace pw::bench {

bool writeXlsx(const std::string& path, const std::vector<std::string>& phrases, const std::vector<int32_t>& hits,
               size_t rows);

}  // namespace pw::bench
