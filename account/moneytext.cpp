#include "account/moneytext.h"

#include <cstdlib>
#include <limits>

namespace pw {

std::optional<int32_t> centsFromMoneyText(std::string_view text) {
    const size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view decimals = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (decimals.size() > 2) return std::nullopt;
    int64_t cents = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return std::nullopt;
        cents = cents * 10 + (c - '0') * 100;
        if (cents > std::numeric_limits<int32_t>::max()) return std::nullopt;
    }
    int64_t scale = 10;
    for (char c : decimals) {
        if (c < '0' || c > '9') return std::nullopt;
        cents += (c - '0') * scale;
        scale /= 10;
    }
    if (cents > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(cents);
}

std::string moneyText(int32_t cents) {
    const int64_t amount = cents;
    const int64_t magnitude = std::llabs(amount);
    const int64_t fraction = magnitude % 100;
    return (amount < 0 ? "-" : "") + std::to_string(magnitude / 100) + (fraction < 10 ? ".0" : ".") +
           std::to_string(fraction);
}

}  // namespace pw
