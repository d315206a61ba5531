#pragma once
// The group commands of phase 3 and the tab menu as plain functions over the
// project, shared by the main window and the command line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/phase3pages.h"
#include "core/project.h"

namespace pw {

// The most a name box gives a group name.
constexpr size_t kGroupNameBoxLimit = 126;

// The name a group gets from a name box.
std::string groupNameFromBox(std::string_view box);

// The positions of the visible phrases of `list` that a phase-3 filter finds.
std::vector<uint32_t> visibleMatching(const PhraseList& list, const Phase3Filter& filter);

// The phrases of a side list: each text's set-aside phrase leaves `source`
// for the end of `target`, which is stamped as changed.
void moveSideListPhrases(Group& source, Group& target, const std::vector<std::string>& texts);

enum class NewGroupPlace { NameOrder, End };
// A new empty group; none when the name is taken. `position` gets its place
// in the group sequence.
Group* addNewGroup(Project& project, std::string_view name, NewGroupPlace place, int* position = nullptr);

// Deletes a group; its visible phrases leave "Edited list".
void deleteGroupCounted(Project& project, const Group& group);

// Moves every phrase of the group to the end of `target` and deletes the group.
void mergeGroupInto(Project& project, Group& group, Group& target);

// A group made from the phrases of `list` that the filter finds, in name
// order, as phase 3's list 1 and "Create" make it.
enum class FilterGroupResult { Created, NothingFound, NameTaken };
FilterGroupResult groupFromFilter(Project& project, Group& list, std::string_view name, std::string_view filter);

}  // namespace pw
