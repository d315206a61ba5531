#pragma once
// Money as the account dialogs take it in and show it: dollars with at most
// two decimals in the text, whole cents in the records.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

// Digits and at most one dot, at most two digits after it; an empty text and
// a lone dot are 0. None for anything else, and for amounts that do not fit
// the records' signed 32-bit cents.
std::optional<int32_t> centsFromMoneyText(std::string_view text);
// "12.50": two decimals, without a currency sign.
std::string moneyText(int32_t cents);

}  // namespace pw
