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

namespace {
void copyListState(const Group& from, Group& to) {
    to.modifiedTime = from.modifiedTime;
    to.maxWords = from.maxWords;
    to.deleteDuplicates = from.deleteDuplicates;
    to.deleteUnwantedCharacters = from.deleteUnwantedCharacters;
    to.ignoreText = from.ignoreText;
    to.wholeWordsOnly = from.wholeWordsOnly;
    to.deleteCountries = from.deleteCountries;
}
}  // namespace

Group lendList(Group& list) {
    Group lent(list.name);
    lent.colorIndex = list.colorIndex;
    copyListState(list, lent);
    lent.phrases = std::move(list.phrases);
    list.phrases.clear();
    return lent;
}

void returnList(Group& list, Group&& lent) {
    copyListState(lent, list);
    list.phrases = std::move(lent.phrases);
}

Rgb groupColor(int colorIndex) {
    if (colorIndex < 0 || colorIndex >= kGroupColorCount) return kWhite;
    return kGroupColors[colorIndex].rgb;
}

}  // namespace pw
