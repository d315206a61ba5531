#pragma once
// "Import PWR project" of the campaign editor: every group of the open
// project, with its visible phrases as keywords, queued as one upload into
// the campaign.

#include <optional>

#include "account/accountentities.h"
#include "account/projectupload.h"
#include "core/project.h"
#include "io/appsettings.h"
#include "ui/account/accountwindows.h"
#include "ui/common/desktop.h"

namespace pw::ui {

// What the window shows after an upload was built: queued (information),
// not queued (error), refused (warning); none for an upload the user aborted.
std::optional<Message> uploadOutcomeMessage(const UploadOutcome& outcome);
// An upload warning as a Yes/No box: Yes goes on.
bool answerUploadWarning(Desktop& desktop, const MessageText& warning);

// Asks first, then for the match types and bids, loads the default profile
// and queues the upload; the limits' warnings are answered by the user.
void importProjectIntoCampaign(Desktop& desktop, AccountWindows& windows, const ProgramFolder& folder,
                               const SettingsStore& settings, const Project& project, const AccountCampaign& campaign);

}  // namespace pw::ui
