#pragma once
// Money as every account window takes it: digits and at most one decimal dot
// with at most two decimals, in dollars, kept as whole cents.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

// "12" 1200, "1.5" 150, "0.01" 1, "." and "" 0. None for anything else and
// for amounts beyond what 32-bit cents hold.
std::optional<int32_t> parseMoneyText(std::string_view text);
// "%.02f" of cents / 100.
std::string formatMoney(int32_t cents);

}  // namespace pw
