#pragma once
// A named phrase list with the filter settings it was last updated with, its
// colour, its modification time and its ads. The main list is a Group too.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ad.h"
#include "core/phrase.h"

namespace pw {

using PhraseList = std::vector<Phrase>;

constexpr size_t kGroupNameSize = 128;  // bytes on disk, NUL included
constexpr std::string_view kMainListName = "main list";

struct Group {
    std::string name;
    PhraseList phrases;
    uint64_t modifiedTime = 0;  // 100-ns units since 1601-01-01 UTC
    int32_t colorIndex = 0;
    // The filters the list was last updated with.
    int32_t maxWords = 0;
    bool deleteDuplicates = false;
    bool deleteUnwantedCharacters = false;
    std::optional<std::string> ignoreText;  // present while the ignore box is on
    bool wholeWordsOnly = true;
    bool deleteCountries = false;
    AdLists adLists;

    Group() = default;
    explicit Group(std::string_view groupName) : name(groupName) {}
};

// Deletes every phrase and ad and resets the filters; name, colour and time stay.
void clearGroup(Group& group);
// Stamps the group's modification time with the current time.
void touch(Group& group);

// A list lent to a job on the worker: the job owns the phrases while it runs,
// so the window never sees a list being changed. The lent group carries the
// name and the filters; its ads stay with the list.
Group lendList(Group& list);
// Puts the phrases back, with the filters and the modification time the job
// left in the lent group.
void returnList(Group& list, Group&& lent);

struct Rgb {
    uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

struct GroupColor {
    std::string_view name;
    Rgb rgb;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr GroupColor kGroupColors[] = {
    {"White", {255, 255, 255}},  {"Purple", {120, 78, 202}},      {"Green", {108, 188, 71}},
    {"Teal", {65, 130, 172}},    {"Orange", {255, 165, 9}},       {"Yellow", {240, 234, 51}},
    {"Rouge", {178, 83, 61}},    {"Rose", {217, 167, 128}},       {"Light blue", {213, 226, 234}},
    {"Light green", {174, 234, 85}}, {"Lavender", {174, 163, 234}},
};
constexpr int kGroupColorCount = static_cast<int>(std::size(kGroupColors));

Rgb groupColor(int colorIndex);

}  // namespace pw
