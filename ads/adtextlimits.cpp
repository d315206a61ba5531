#include "ads/adtextlimits.h"

#include <algorithm>

#include "core/textencoding.h"

namespace pw {

size_t adTextLength(std::string_view text) { return countCharacters(text); }

std::string clipAdText(std::string_view text, size_t limit) { return std::string(clipToCharacters(text, limit)); }

std::string clipToNetworkLimit(std::string_view text, SearchEngine network, AdField field) {
    const size_t limit = std::min(static_cast<size_t>(adFieldLimit(network, field)), adTextLimit(field));
    return clipAdText(text, limit);
}

std::string adCounterText(std::string_view text, int limit) {
    return std::to_string(adTextLength(text)) + "/" + std::to_string(limit);
}

}  // namespace pw
