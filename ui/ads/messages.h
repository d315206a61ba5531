#pragma once
// What the ad windows say: the ad editor, the ads area and "Manage ads lists".

#include <string>

#include "ui/common/desktop.h"

namespace pw::ui {

inline const Message kFillInDestination{"Please fill in the destination URL!", "Illegal ad", Icon::Warning,
                                        Buttons::Ok};
inline const Message kSaveChangedAd{"This ad has changed. Save it before the window closes?", "Save ad?",
                                    Icon::Question, Buttons::YesNoCancel};
inline const Message kConfirmDeleteCurrentAd{"Are you sure you want to delete the current ad?", "Confirm delete",
                                             Icon::Question, Buttons::YesNo};
inline const Message kOverwriteWithFoundAd{"Do you want to overwrite the selected ad with the found ad?",
                                           "Confirm action", Icon::Question, Buttons::YesNo};
inline const Message kSelectAdToMove{"Please select an ad to move", "Nothing to move", Icon::Information, Buttons::Ok};

// An ad the network's editorial rules refuse, with the rule's own words.
inline Message illegalAd(const std::string& why) { return {why, "Illegal ad", Icon::Warning, Buttons::Ok}; }
inline Message confirmDeleteAd(const std::string& title) {
    return {"Are you sure you want to delete ad '" + title + "'?", "Confirm delete", Icon::Question, Buttons::YesNo};
}
// The current list is full; the caption names what was refused.
inline Message currentListFull(const std::string& caption) {
    return {"You cannot have more than 3 ads in your current ad list!", caption, Icon::Warning, Buttons::Ok};
}

}  // namespace pw::ui
