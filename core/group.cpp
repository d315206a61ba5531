#include "core/group.h"

#include "core/filetime.h"

namespace pw {

void clearGroup(Group& group) {
    group.phrases.clear();
    group.phrases.shrink_to_fit();
    for (AdList& ads : group.adLists) ads.clear();
    group.maxWords = 0;
    group.deleteDuplicates = false;
    group.deleteUnwantedCharacters = false;
    group.ignoreText.reset();
    group.wholeWordsOnly = true;
    group.deleteCountries = false;
}

void touch(Group& group) { group.modifiedTime = currentFileTime(); }

Rgb groupColor(int colorIndex) {
    if (colorIndex < 0 || colorIndex >= kGroupColorCount) return kWhite;
    return kGroupColors[colorIndex].rgb;
}

}  // namespace pw
