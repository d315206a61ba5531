#include "core/groupoperations.h"
#include "core/textencoding.h"

#include "core/listmoves.h"
#include "core/phraselist.h"

namespace pw {

std::string groupNameFromBox(std::string_view box) { return std::string(clipToBytes(box, kGroupNameBoxLimit)); }

std::vector<uint32_t> visibleMatching(const PhraseList& list, const Phase3Filter& filter) {
    std::vector<uint32_t> positions;
    if (filter.empty()) return positions;
    for (uint32_t position : visiblePositions(list))
        if (filter.matches(list[position].text())) positions.push_back(position);
    return positions;
}

void moveSideListPhrases(Group& source, Group& target, const std::vector<std::string>& texts) {
    for (Phrase& p : takeAt(source, restoreByTexts(source, texts))) target.phrases.push_back(std::move(p));
    touch(target);
}

Group* addNewGroup(Project& project, std::string_view name, NewGroupPlace place, int* position) {
    if (findGroup(project, name)) return nullptr;
    if (place == NewGroupPlace::NameOrder) return insertGroupSorted(project, name, position);
    if (position) *position = static_cast<int>(project.groups.size());
    return &appendGroup(project, name);
}

void deleteGroupCounted(Project& project, const Group& group) {
    project.editedCount -= visibleCount(group.phrases);
    deleteGroup(project, &group);
    project.modified = true;
}

void mergeGroupInto(Project& project, Group& group, Group& target) {
    moveAllPhrases(group, target);
    deleteGroup(project, &group);
    project.modified = true;
}

FilterGroupResult groupFromFilter(Project& project, Group& list, std::string_view name, std::string_view filter) {
    const std::string groupName = groupNameFromBox(name);
    if (findGroup(project, groupName)) return FilterGroupResult::NameTaken;
    const std::vector<uint32_t> positions = visibleMatching(list.phrases, parsePhase3Filter(filter));
    if (positions.empty()) return FilterGroupResult::NothingFound;
    std::vector<std::string> texts;
    texts.reserve(positions.size());
    for (uint32_t position : positions) texts.emplace_back(list.phrases[position].text());
    setAsideAt(list, positions);
    Group* group = addNewGroup(project, groupName, NewGroupPlace::NameOrder);
    moveSideListPhrases(list, *group, texts);
    project.modified = true;
    return FilterGroupResult::Created;
}

}  // namespace pw
