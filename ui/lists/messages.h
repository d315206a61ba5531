#pragma once
// What list cleaning says: the filters of phase 1 and the 'Delete' box.

#include "ui/common/desktop.h"

namespace pw::ui {

inline const Message kTooManyIgnoreWords{"Too many words added in the ignore box! The list will be truncated!",
                                         "Over 10,000 ignore words", Icon::Warning, Buttons::Ok};
inline const Message kCannotOpenIgnoreFile{"Cannot open file for importing!", "File error", Icon::Warning,
                                           Buttons::Ok};
inline const Message kConfirmLargeIgnoreList{
    "Importing large lists into the ignore box is not recommended. Are you sure you want to continue?",
    "Confirm large ignore list", Icon::Warning, Buttons::YesNo};
inline const Message kEmptyIgnoreBox{"The ignore box is empty. Nothing to export!", "Nothing to export", Icon::Warning,
                                     Buttons::Ok};

}  // namespace pw::ui
