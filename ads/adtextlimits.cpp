#include "ads/adtextlimits.h"

#include <algorithm>

#include "core/textencoding.h"

namespace pw {

namespace {
AdText storedText(AdField field) {
    switch (field) {
    case AdField::Title: return AdText::Title;
    case AdField::Text1: return AdText::Line1;
    case AdField::Text2: return AdText::Line2;
    case AdField::DisplayUrl: return AdText::DisplayUrl;
    case AdField::DestinationUrl: return AdText::DestinationUrl;
    }
    return AdText::Notes;
}
}  // namespace

size_t adTextLength(std::string_view text) { return countCharacters(text); }

std::string clipAdText(std::string_view text, size_t limit) { return std::string(clipToCharacters(text, limit)); }

std::string clipToNetworkLimit(std::string_view text, int network, AdField field) {
    const size_t limit = std::min(static_cast<size_t>(adFieldLimit(network, field)), adTextLimit(storedText(field)));
    return clipAdText(text, limit);
}

std::string adCounterText(std::string_view text, int limit) {
    return std::to_string(adTextLength(text)) + "/" + std::to_string(limit);
}

}  // namespace pw
