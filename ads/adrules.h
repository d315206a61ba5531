#pragma once
// The networks' editorial rules, checked before an ad is saved: the first
// rule that fails gives its message and the field the editor moves to.

#include <optional>
#include <string>

#include "core/ad.h"

namespace pw {

struct RuleFailure {
    std::string message;
    AdField field;  // the title, a text line or the display URL
    bool operator==(const RuleFailure&) const = default;
};

// Google, Enhance and MSN have rules; Miva and Yahoo! accept everything.
std::optional<RuleFailure> validate(const Ad& ad, SearchEngine network);

}  // namespace pw
