#pragma once
// Times as the project file keeps them.

#include <cstdint>
#include <string>

namespace pw {

// Now, in 100-ns units since 1601-01-01 UTC.
uint64_t currentFileTime();
// Today's local date as "mm/dd/yy".
std::string todayLocalDate();

}  // namespace pw
