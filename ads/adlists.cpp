#include "ads/adlists.h"

namespace pw {

bool moveAd(AdList& from, size_t index, AdList& to) {
    if (index >= from.size() || &from == &to) return false;
    to.push_back(std::move(from[index]));
    from.erase(from.begin() + static_cast<long>(index));
    return true;
}

}  // namespace pw
