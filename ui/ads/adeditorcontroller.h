#pragma once
// What the ad editor (CDialogEditAd) does: per-network limits and counters,
// clipping as the user types, the "{keyword:" marker, the display URL copied
// into the destination URL until that box is first used, the network
// switch, saving with the editorial check and the rollback, deleting.

#include <array>
#include <optional>
#include <string>

#include "ads/adlists.h"
#include "ads/adpreviewlayout.h"
#include "core/group.h"
#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"
#include "ui/common/menuactions.h"

namespace pw::ui {

enum class EditorBox : int { Title, Text1, Text2, Description, DisplayUrl, DestinationUrl, Notes };
constexpr int kEditorBoxCount = 7;

struct Counter {
    std::string text = "0/0";
    bool visible = true;
};

// The most characters a box of the editor holds, whatever the network.
size_t editorBoxLimit(EditorBox box);

class AdEditorController {
public:
    // Saving or deleting an ad of the project passes `gate` as a command
    // that needs the lists; the rest pass it for its guard alone. The web
    // buttons run what the web features supply in `actions`.
    AdEditorController(Desktop& ui, CommandGate& gate, const MenuActions& actions, const AdEditRequest& request);

    const std::string& box(EditorBox b) const { return boxes_[static_cast<int>(b)]; }
    SearchEngine network() const { return network_; }
    bool oneDescription() const { return pw::oneDescription(network_); }
    // Counters in order: title, text 1 or description, text 2, display URL, destination URL.
    const Counter& counter(AdField field) const { return counters_[static_cast<int>(field)]; }
    const PreviewTexts& preview() const { return preview_; }
    std::string copyButtonCaption() const;
    bool deleteEnabled() const { return request_.origin == AdOrigin::Stored && !request_.accountMode; }
    bool networkEnabled() const { return !request_.accountMode; }
    bool notesEnabled() const { return !request_.accountMode; }
    bool validateRules = true;  // "Validate search engine rules"

    // The user typed: returns the box's text after clipping (the window puts
    // it back and keeps the caret when it changed).
    std::string typed(EditorBox box, const std::string& text);
    void destinationFocused();
    void setNetwork(SearchEngine network);
    // Puts a found ad's fields into the boxes; the ad itself waits for "&Save ad".
    void load(const Ad& ad);

    // "&Save ad": true when the window closes with OK. On a refusal the box
    // to go to is in focusBox().
    bool save();
    // Escape, the close box or "Cancel": a changed ad is saved (through
    // save() and its checks), dropped or kept open, as the user answers.
    enum class Closing { Stay, Discard, Saved };
    Closing close();
    // "Delete ad": true when the user confirmed and the window closes.
    bool deleteAd();
    // What the window hands back once it closes: the saved ad or the
    // deletion; none while neither happened.
    const std::optional<AdEditResult>& result() const { return result_; }
    std::optional<EditorBox> focusBox() const { return focus_; }
    // "Copy from Google", "Copy into ..." and "Set tokens...": greyed until a
    // feature supplies them ("Copy into MSN" always: that console takes no ad).
    bool copyFromGoogleEnabled() const { return actions_.provided(MenuId::AdCopyFromGoogle); }
    bool copyIntoEnabled() const;
    bool setTokensEnabled() const { return actions_.provided(MenuId::AdSetTokens); }
    // The top-ads search or the tokens work on the ad as the boxes hold it; a
    // changed ad shows in the boxes and is kept by "&Save ad" as typed text is.
    void copyFromGoogle();
    void setTokens();
    // The ad as the boxes hold it goes into the selected network's console.
    void copyIntoConsole();
    // The ad as the boxes hold it (for "Copy into ...").
    Ad adFromBoxes() const;

private:
    bool edited_ = false;
    // An ad of the account is not the project's: the lists need not wait for it.
    Needs savingNeeds() const { return request_.accountMode ? Needs::Nothing : Needs::Lists; }
    std::string typedNow(EditorBox box, const std::string& text);
    void setNetworkNow(SearchEngine network);
    void loadNow(const Ad& ad);
    bool saveNow();
    void recheckAll();
    std::string& boxText(EditorBox b) { return boxes_[static_cast<int>(b)]; }

    Desktop& ui_;
    CommandGate& gate_;
    const MenuActions& actions_;
    AdEditRequest request_;
    std::array<std::string, kEditorBoxCount> boxes_;
    std::array<Counter, kLimitedFieldCount> counters_;
    SearchEngine network_ = SearchEngine::Google;
    bool mirrorDestination_ = true;
    PreviewTexts preview_;
    std::optional<EditorBox> focus_;
    std::optional<AdEditResult> result_;
};

}  // namespace pw::ui
