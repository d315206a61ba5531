#include "ui/ads/adeditorcontroller.h"
#include "core/textencoding.h"
#include "ui/ads/messages.h"

#include "ads/adrules.h"
#include "ads/adtextlimits.h"
#include "core/text.h"

namespace pw::ui {

namespace {
constexpr std::string_view kKeywordMarker = "{keyword:";

// The field of the ad a box holds: the description is text 1.
AdField fieldOf(EditorBox box) {
    switch (box) {
    case EditorBox::Title: return AdField::Title;
    case EditorBox::Text1:
    case EditorBox::Description: return AdField::Text1;
    case EditorBox::Text2: return AdField::Text2;
    case EditorBox::DisplayUrl: return AdField::DisplayUrl;
    case EditorBox::DestinationUrl: return AdField::DestinationUrl;
    case EditorBox::Notes: return AdField::Notes;
    }
    return AdField::Notes;
}

bool hasNetworkLimit(AdField field) { return static_cast<int>(field) < kLimitedFieldCount; }

// A line break typed into the description is kept as CR LF, as stored ads have it.
std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}
}  // namespace

size_t editorBoxLimit(EditorBox box) { return adTextLimit(fieldOf(box)); }

AdEditorController::AdEditorController(Desktop& ui, CommandGate& gate, const MenuActions& actions,
                                       const AdEditRequest& request)
    : ui_(ui), gate_(gate), actions_(actions), request_(request) {
    for (int f = 0; f < kLimitedFieldCount; ++f)
        counters_[f].text = "0/" + std::to_string(adFieldLimit(SearchEngine::Google, static_cast<AdField>(f)));
    preview_ = placeholderPreview();
    if (request_.origin == AdOrigin::New) setNetworkNow(request_.ad.engine);
    else loadNow(request_.ad);
}

void AdEditorController::load(const Ad& ad) {
    gate_.run(Needs::Nothing, [&] { loadNow(ad); });
}

void AdEditorController::loadNow(const Ad& ad) {
    boxText(EditorBox::Title) = ad.title;
    if (pw::oneDescription(ad.engine)) {
        boxText(EditorBox::Description) = ad.line1;
    } else {
        boxText(EditorBox::Text1) = ad.line1;
        boxText(EditorBox::Text2) = ad.line2;
    }
    boxText(EditorBox::DisplayUrl) = ad.displayUrl;
    boxText(EditorBox::DestinationUrl) = ad.destinationUrl;
    boxText(EditorBox::Notes) = ad.notes;
    mirrorDestination_ = false;  // an existing ad has its own destination
    preview_ = {ad.title, ad.line1, pw::oneDescription(ad.engine) ? std::string() : ad.line2, ad.displayUrl,
                pw::oneDescription(ad.engine)};
    setNetworkNow(ad.engine);
}

std::string AdEditorController::typed(EditorBox box, const std::string& text) {
    // On a failure the box goes back to what it held.
    gate_.run(Needs::Nothing, [&] { typedNow(box, text); });
    return this->box(box);
}

void AdEditorController::destinationFocused() {
    gate_.run(Needs::Nothing, [this] { mirrorDestination_ = false; });
}

std::string AdEditorController::typedNow(EditorBox box, const std::string& typedText) {
    const std::string text = clipAdText(box == EditorBox::Description ? withCrLf(typedText) : typedText,
                                        editorBoxLimit(box));
    std::string& stored = boxText(box);
    if (stored != text) edited_ = true;
    const AdField field = fieldOf(box);
    if (!hasNetworkLimit(field)) {
        stored = text;
        return stored;
    }
    Counter& counter = counters_[static_cast<int>(field)];
    const bool markerBox = box == EditorBox::Title || box == EditorBox::Text1 || box == EditorBox::Text2;
    if (markerBox && containsIgnoreCase(text, kKeywordMarker)) {
        stored = text;
        counter.visible = false;
        return stored;
    }
    const int limit = adFieldLimit(network_, field);
    stored = clipToNetworkLimit(text, network_, field);
    switch (box) {
    case EditorBox::Title: preview_.title = stored; break;
    case EditorBox::Text1:
    case EditorBox::Description: preview_.line1 = stored; break;
    case EditorBox::Text2: preview_.line2 = stored; break;
    case EditorBox::DisplayUrl: preview_.displayUrl = stored; break;
    default: break;
    }
    counter.text = adCounterText(stored, limit);
    counter.visible = true;
    if (box == EditorBox::DisplayUrl && mirrorDestination_) typedNow(EditorBox::DestinationUrl, stored);
    return stored;
}

// The boxes the network shows are checked again against its limits.
// As the first check does: the display URL is copied on while the
// destination box never had the focus.
void AdEditorController::recheckAll() {
    typedNow(EditorBox::Title, box(EditorBox::Title));
    if (oneDescription()) {
        typedNow(EditorBox::Description, box(EditorBox::Description));
    } else {
        typedNow(EditorBox::Text1, box(EditorBox::Text1));
        typedNow(EditorBox::Text2, box(EditorBox::Text2));
    }
    typedNow(EditorBox::DisplayUrl, box(EditorBox::DisplayUrl));
    typedNow(EditorBox::DestinationUrl, box(EditorBox::DestinationUrl));
}

void AdEditorController::setNetwork(SearchEngine network) {
    gate_.run(Needs::Nothing, [&] { setNetworkNow(network); });
}

void AdEditorController::setNetworkNow(SearchEngine network) {
    network_ = static_cast<SearchEngine>(networkRow(network));
    preview_.oneDescription = oneDescription();
    if (oneDescription()) preview_.line2.clear();
    recheckAll();
}

bool AdEditorController::copyIntoEnabled() const {
    return network_ != SearchEngine::Msn && actions_.provided(MenuId::AdCopyIntoConsole);
}

void AdEditorController::copyFromGoogle() {
    gate_.run(actions_.needs(MenuId::AdCopyFromGoogle), [&] {
        Ad ad = adFromBoxes();
        if (actions_.runOnAd(MenuId::AdCopyFromGoogle, ad, network_)) loadNow(ad);
    });
}

void AdEditorController::setTokens() {
    gate_.run(actions_.needs(MenuId::AdSetTokens), [&] {
        Ad ad = adFromBoxes();
        if (actions_.runOnAd(MenuId::AdSetTokens, ad, network_)) loadNow(ad);
    });
}

void AdEditorController::copyIntoConsole() {
    if (!copyIntoEnabled()) return;
    gate_.run(actions_.needs(MenuId::AdCopyIntoConsole), [&] {
        Ad ad = adFromBoxes();
        actions_.runOnAd(MenuId::AdCopyIntoConsole, ad, network_);
    });
}

std::string AdEditorController::copyButtonCaption() const {
    return "Copy into " + std::string(networkName(network_));
}

namespace {
// A box's text as an ad field stores it: within the field's bytes on disk,
// never ending inside a character.
std::string storedField(const std::string& text, size_t fieldSize) {
    return std::string(clipToBytes(text, fieldSize - 1));
}
}  // namespace

Ad AdEditorController::adFromBoxes() const {
    Ad ad = request_.ad;
    ad.title = storedField(box(EditorBox::Title), Ad::kTitleSize);
    ad.engine = network_;
    if (oneDescription()) {
        ad.line1 = storedField(box(EditorBox::Description), Ad::kLineSize);
        ad.line2.clear();
    } else {
        ad.line1 = storedField(box(EditorBox::Text1), Ad::kLineSize);
        ad.line2 = storedField(box(EditorBox::Text2), Ad::kLineSize);
    }
    ad.displayUrl = storedField(box(EditorBox::DisplayUrl), Ad::kUrlSize);
    ad.destinationUrl = storedField(box(EditorBox::DestinationUrl), Ad::kUrlSize);
    ad.notes = storedField(box(EditorBox::Notes), Ad::kNotesSize);
    return ad;
}

bool AdEditorController::save() {
    bool saved = false;
    gate_.run(savingNeeds(), [&] { saved = saveNow(); });
    return saved;
}

bool AdEditorController::saveNow() {
    focus_.reset();
    if (box(EditorBox::DestinationUrl).empty()) {
        ui_.message(kFillInDestination);
        focus_ = EditorBox::DestinationUrl;
        return false;
    }
    const Ad candidate = adFromBoxes();
    if (validateRules) {
        if (const std::optional<RuleFailure> failure = validate(candidate, network_)) {
            ui_.message(illegalAd(failure->message));
            switch (failure->field) {
            case AdField::Title: focus_ = EditorBox::Title; break;
            case AdField::Text1: focus_ = oneDescription() ? EditorBox::Description : EditorBox::Text1; break;
            case AdField::Text2: focus_ = EditorBox::Text2; break;
            case AdField::DisplayUrl: focus_ = EditorBox::DisplayUrl; break;
            }
            return false;  // the ad keeps what it had
        }
    }
    result_ = candidate;
    edited_ = false;
    return true;
}

// A refused or failed save keeps the window open with what was typed.
AdEditorController::Closing AdEditorController::close() {
    Closing closing = Closing::Stay;
    gate_.run(Needs::Nothing, [&] {
        if (!edited_) {
            closing = Closing::Discard;
            return;
        }
        switch (ui_.message(kSaveChangedAd)) {
        case Answer::Yes: closing = save() ? Closing::Saved : Closing::Stay; break;
        case Answer::No: closing = Closing::Discard; break;
        default: break;
        }
    });
    return closing;
}

bool AdEditorController::deleteAd() {
    bool deleted = false;
    gate_.run(Needs::Lists, [&] {
        if (!deleteEnabled()) return;
        if (ui_.message(kConfirmDeleteCurrentAd) != Answer::Yes)
            return;
        result_ = AdDeleted{};
        deleted = true;
    });
    return deleted;
}

}  // namespace pw::ui
