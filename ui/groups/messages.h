#pragma once
// What the group commands and the phase-3 side lists say.

#include "ui/common/desktop.h"

namespace pw::ui {

inline const Message kCannotRenameMainList{"Cannot rename the main list!", "Cannot rename", Icon::Information,
                                           Buttons::Ok};
inline const Message kCannotDeleteMainList{"Cannot delete the main list!", "Cannot delete", Icon::Information,
                                           Buttons::Ok};
inline const Message kCannotMergeMainList{"Cannot merge the main list!", "Cannot merge", Icon::Information,
                                          Buttons::Ok};
// Enter answers No: the group's phrases and ads go with it.
inline const Message kConfirmDeleteGroup{"Are you sure you want to delete this group?", "Confirm delete",
                                         Icon::Question, Buttons::YesNo, true};
inline const Message kCannotFindGroup{"Cannot find selected group!", "Search error", Icon::Warning, Buttons::Ok};
inline const Message kGroupNameTaken{"A group with this name already exists!", "Cannot create group", Icon::Warning,
                                     Buttons::Ok};
inline const Message kNoItemsToAdd{"No items to add to an existing group!", "Cannot move", Icon::Warning,
                                   Buttons::Ok};
inline const Message kNoAvailableGroups{"No available groups!", "Cannot move", Icon::Warning, Buttons::Ok};

}  // namespace pw::ui
