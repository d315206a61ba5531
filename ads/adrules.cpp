#include "ads/adrules.h"

#include <array>
#include <string_view>

#include "core/text.h"

namespace pw {

namespace {

constexpr std::string_view kTokenSeparators = " ,.!?;";

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool repeatedPunctuation(std::string_view text) {
    auto punct = [](char c) { return c == '!' || c == '?' || c == '.'; };
    for (size_t i = 1; i < text.size(); ++i)
        if (punct(text[i - 1]) && punct(text[i])) return true;
    return false;
}

// A word of four or more capital letters and nothing else.
bool capitalisedWord(std::string_view text) {
    for (std::string_view token : splitAny(text, kTokenSeparators)) {
        if (token.size() < 4) continue;
        bool allUpper = true;
        for (char c : token) allUpper = allUpper && isUpper(c);
        if (allUpper) return true;
    }
    return false;
}

bool capitalisedUrl(std::string_view text) {
    for (char c : text)
        if (isLower(c)) return false;
    return true;
}

bool sentenceSpacing(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '.' && c != '!' && c != '?') continue;
        const bool last = i + 1 == text.size();
        if (last || text[i + 1] == ' ') continue;
        if (c == '.') {
            if (i > 0 && text[i - 1] == '$') continue;
            if (i > 0 && isDigit(text[i - 1]) && isDigit(text[i + 1])) continue;
        }
        return false;
    }
    return true;
}

// The first of title, line 1 and line 2 that fails the test.
template <typename Test>
std::optional<AdField> firstFailing(const Ad& ad, Test fails) {
    if (fails(ad.title)) return AdField::Title;
    if (fails(ad.line1)) return AdField::Text1;
    if (fails(ad.line2)) return AdField::Text2;
    return std::nullopt;
}

std::optional<RuleFailure> phraseRule(const Ad& ad, std::string_view phrase) {
    if (auto field = firstFailing(ad, [&](const std::string& t) { return containsIgnoreCase(t, phrase); }))
        return RuleFailure{std::string("'").append(phrase).append("' not allowed!"), *field};
    return std::nullopt;
}

std::optional<RuleFailure> noExclamationInTitle(const Ad& ad) {
    if (ad.title.find('!') != std::string::npos)
        return RuleFailure{"No exclamation point allowed in the title!", AdField::Title};
    return std::nullopt;
}

std::optional<RuleFailure> googleRules(const Ad& ad) {
    if (auto f = noExclamationInTitle(ad)) return f;
    if (auto field = firstFailing(ad, repeatedPunctuation))
        return RuleFailure{"No repeated punctuation symbols allowed!", *field};
    if (auto field = firstFailing(ad, capitalisedWord)) return RuleFailure{"No entire capitalized words allowed!", *field};
    if (capitalisedUrl(ad.displayUrl)) return RuleFailure{"Entire capitalized URL not allowed!", AdField::DisplayUrl};
    if (auto field = firstFailing(ad, [](const std::string& t) { return !sentenceSpacing(t); }))
        return RuleFailure{"You must use spaces between sentences!", *field};
    for (std::string_view phrase : {"click here", "link here", "visit this link", "this site is"})
        if (auto f = phraseRule(ad, phrase)) return f;
    return std::nullopt;
}

std::optional<RuleFailure> enhanceRules(const Ad& ad) {
    constexpr std::string_view kForbidden = "+`!~$_=^*(){}<>|@#?/\\";
    if (ad.title.find_first_of(kForbidden) != std::string::npos)
        return RuleFailure{"The title cannot contain any of the following characters: +`!~$_=^*(){}<>|@#?/\\",
                           AdField::Title};
    return std::nullopt;
}

std::optional<RuleFailure> msnRules(const Ad& ad) {
    if (auto f = noExclamationInTitle(ad)) return f;
    return phraseRule(ad, "click here");
}

}  // namespace

std::optional<RuleFailure> validate(const Ad& ad, SearchEngine network) {
    switch (network) {
    case SearchEngine::Google: return googleRules(ad);
    case SearchEngine::Enhance: return enhanceRules(ad);
    case SearchEngine::Msn: return msnRules(ad);
    default: return std::nullopt;
    }
}

}  // namespace pw
