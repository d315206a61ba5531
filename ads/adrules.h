#pragma once
// The networks' editorial rules, checked before an ad is saved: the first
// rule that fails gives its message and the field the editor moves to.

#include <optional>
#include <string>

#include "core/ad.h"

namespace pw {

enum class RuleField : int { Title = 0, Text1 = 1, Text2 = 2, DisplayUrl = 3 };

struct RuleFailure {
    std::string message;
    RuleField field;
    bool operator==(const RuleFailure&) const = default;
};

// Google, Enhance and MSN have rules; Miva and Yahoo! accept everything.
std::optional<RuleFailure> validate(const Ad& ad, int network);

}  // namespace pw
