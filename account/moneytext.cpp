#include "account/moneytext.h"

#include <cstdio>
#include <limits>

namespace pw {

std::optional<int32_t> parseMoneyText(std::string_view text) {
    int64_t dollars = 0;
    int64_t cents = 0;
    int decimals = -1;  // -1 until the dot
    for (char c : text) {
        if (c == '.') {
            if (decimals >= 0) return std::nullopt;
            decimals = 0;
        } else if (c >= '0' && c <= '9') {
            if (decimals >= 0) {
                if (++decimals > 2) return std::nullopt;
                cents = cents * 10 + (c - '0');
            } else {
                dollars = dollars * 10 + (c - '0');
                if (dollars > std::numeric_limits<int32_t>::max() / 100) return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (decimals == 1) cents *= 10;
    const int64_t total = dollars * 100 + cents;
    if (total > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(total);
}

std::string formatMoney(int32_t cents) {
    char text[32];
    std::snprintf(text, sizeof text, "%.02f", cents / 100.0);
    return text;
}

}  // namespace pw
