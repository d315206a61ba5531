#include "ui/groups/sidelists.h"

#include <algorithm>
#include <memory>

#include "core/groupoperations.h"
#include "core/listmoves.h"
#include "core/phraselist.h"
#include "core/textencoding.h"
#include "ui/groups/groupcommands.h"
#include "ui/groups/messages.h"

namespace pw::ui {

void SideLists::moveToList1(const std::vector<int>& selectedRows) {
    lists_.command(Needs::Lists, [&] { moveToList1Now(selectedRows); });
}

namespace {
// A move into list 1 on the worker: the lent list and the texts it gives.
struct ToList1Job {
    Group list;
    std::vector<uint32_t> positions;
    std::vector<std::string> texts;
};
}  // namespace

void SideLists::moveToList1Now(const std::vector<int>& selectedRows) {
    const std::vector<uint32_t>& shown = lists_.rows();
    const std::vector<int> rows = validRows(selectedRows, shown.size());
    const bool byFilter = rows.empty();
    auto job = std::make_shared<ToList1Job>();
    if (byFilter) {
        const Phase3Filter filter = parsePhase3Filter(boxes_.list1Filter);
        if (filter.empty()) return;
        job->positions = visibleMatching(lists_.currentList().phrases, filter);
    } else {
        for (int r : rows) job->positions.push_back(shown[r]);
    }
    pages_.page(position_, true);
    Group* list = &lists_.currentList();
    job->list = lendList(*list);
    lists_.runJob(
        "Moving phrases to phase 3 list 1...",
        [job](const ProgressFn& progress) {
            job->texts.reserve(job->positions.size());
            for (uint32_t position : job->positions) job->texts.emplace_back(job->list.phrases[position].text());
            setAsideAt(job->list, job->positions);
            progress(100);
        },
        [this, list, job, pageIndex = position_, filterText = boxes_.list1Filter, byFilter](bool ok) {
            returnList(*list, std::move(job->list));
            if (!ok) return;
            Page& page = *pages_.page(pageIndex, true);
            for (std::string& text : job->texts) page.push_back(std::move(text));
            if (byFilter && boxes_.list1Name.empty()) boxes_.list1Name = clipToCharacters(filterText, kNameBoxSize);
            lists_.refill();
            lists_.notify(kPages);
            if (byFilter) lists_.requestFocus(Focus::List1Name);
        });
}

void SideLists::searchList1IntoList2() {
    lists_.command(Needs::Lists, [&] { searchList1IntoList2Now(); });
}

void SideLists::searchList1IntoList2Now() {
    const Phase3Filter filter = parsePhase3Filter(boxes_.list2Filter);
    if (filter.empty()) return;
    std::vector<int> matching;
    if (const Page* from = list1())
        for (size_t i = 0; i < from->size(); ++i)
            if (filter.matches(Phrase((*from)[i]).text())) matching.push_back(static_cast<int>(i));
    movePageRows(position_, position_ + 1, matching);
    if (boxes_.list2Name.empty()) boxes_.list2Name = clipToCharacters(boxes_.list2Filter, kNameBoxSize);
    lists_.notify(kPages | kLabels);
}

void SideLists::moveIntoList2(const std::vector<int>& list1Rows) {
    lists_.command(Needs::Lists, [&] {
        if (list1Rows.empty()) searchList1IntoList2Now();
        else if (list1()) {
            movePageRows(position_, position_ + 1, list1Rows);
            lists_.notify(kPages | kLabels);
        }
    });
}

void SideLists::moveList1ToList2(const std::vector<int>& list1Rows) {
    lists_.command(Needs::Lists, [&] {
        if (!list1()) return;
        movePageRows(position_, position_ + 1, list1Rows);
        lists_.notify(kPages | kLabels);
    });
}

void SideLists::moveList2ToList1(const std::vector<int>& list2Rows) {
    lists_.command(Needs::Lists, [&] {
        if (!list2()) return;
        movePageRows(position_ + 1, position_, list2Rows);
        removePageIfEmpty(position_ + 1);
        lists_.notify(kPages | kLabels);
    });
}

// Both pages are made when missing, the later one first, so that neither
// reference is left behind by a page added after it.
void SideLists::movePageRows(size_t fromIndex, size_t toIndex, const std::vector<int>& rows) {
    pages_.page(std::min(fromIndex, toIndex), true);
    pages_.page(std::max(fromIndex, toIndex), true);
    Page& from = *pages_.page(fromIndex, false);
    Page& to = *pages_.page(toIndex, false);
    for (std::string& text : takePositions(from, validRows(rows, from.size()))) to.push_back(std::move(text));
}

void SideLists::removePageIfEmpty(size_t index) {
    const Page* page = pages_.page(index);
    if (!page || !page->empty()) return;
    pages_.remove(index);
    afterPageRemoved();
}

void SideLists::moveList1ToMain(const std::vector<int>& list1Rows) {
    lists_.command(Needs::Lists, [&] { moveSideListToList(position_, list1Rows); });
}
void SideLists::moveList2ToMain(const std::vector<int>& list2Rows) {
    lists_.command(Needs::Lists, [&] { moveSideListToList(position_ + 1, list2Rows); });
}

// The rows' texts leave the page and their phrases come back into the list view.
void SideLists::moveSideListToList(size_t pageIndex, const std::vector<int>& rows) {
    if (!pages_.page(pageIndex)) return;
    Page& page = *pages_.page(pageIndex, false);
    restoreByTexts(lists_.currentList(), takePositions(page, validRows(rows, page.size())));
    lists_.project().modified = true;
    removePageIfEmpty(pageIndex);
    lists_.refill();
    lists_.notify(kPages);
}

// The scroll position moves back by one and both lists start afresh.
void SideLists::afterPageRemoved() {
    if (position_ > 0) --position_;
    boxes_ = {};
    lists_.notify(kPages | kLabels);
}

void SideLists::setPagePosition(int position) {
    if (!lists_.command(Needs::Lists, [&] {
            const int last = std::max(0, pageCount() - 1);
            position_ = static_cast<size_t>(std::clamp(position, 0, last));
            boxes_ = {};
        }))
        return lists_.notify(kPages);  // the scroll bar goes back to where the lists are
    lists_.notify(kPages | kLabels);
}

void SideLists::putBack() {
    if (lists_.phase() != Phase::Group || pages_.empty()) {
        pages_.clear();
        position_ = 0;
        return;
    }
    std::vector<std::string> texts;
    for (size_t i = 0; i < pages_.count(); ++i)
        for (const std::string& t : *pages_.page(i)) texts.push_back(t);
    restoreByTexts(lists_.currentList(), texts);
    clear();
    lists_.refill();
    lists_.notify(kPages | kLabels);
}

void SideLists::clear() {
    pages_.clear();
    position_ = 0;
    boxes_ = {};
}

// --- groups made from the side lists ---

void SideLists::createGroupFromList1() {
    lists_.command(Needs::Lists, [&] { createGroupFrom(true); });
}
void SideLists::createGroupFromList2() {
    lists_.command(Needs::Lists, [&] { createGroupFrom(false); });
}
void SideLists::addList1ToGroup() {
    lists_.command(Needs::Lists, [&] { addListToGroup(true); });
}
void SideLists::addList2ToGroup() {
    lists_.command(Needs::Lists, [&] { addListToGroup(false); });
}

// List 1's group goes in name order, list 2's at the end. The side list's
// phrases leave the current list for the new group with their hit counts.
void SideLists::createGroupFrom(bool list1) {
    const std::string& nameBox = list1 ? boxes_.list1Name : boxes_.list2Name;
    const Page* page = list1 ? this->list1() : this->list2();
    if (nameBox.empty() || !page || page->empty()) return;
    const std::string name = groupNameFromBox(nameBox);
    int position = 0;
    Group* group =
        addNewGroup(lists_.project(), name, list1 ? NewGroupPlace::NameOrder : NewGroupPlace::End, &position);
    if (!group) {
        lists_.desktop().message(kGroupNameTaken);
        lists_.requestFocus(list1 ? Focus::List1Name : Focus::List2Name);
        return;
    }
    (list1 ? boxes_.list1Filter : boxes_.list2Filter).clear();
    // The selected tab keeps showing its list when a tab is inserted before it.
    const int tab = lists_.currentTab();
    if (tab > 0 && position + 1 <= tab) lists_.renumberTab(tab + 1);
    moveSideListInto(*group, list1,
                     list1 ? "Creating group from phase 3 list 1..." : "Creating group from phase 3 list 2...",
                     [this, list1] { lists_.requestFocus(list1 ? Focus::List1Filter : Focus::List2Filter); });
}

namespace {
// A side list going into a group on the worker: both lists are lent to it.
struct SideListJob {
    Group source;
    Group target;
    std::vector<std::string> texts;
};
}  // namespace

// On the worker: the side list's phrases leave the current list for the end
// of `target`; then the side list's page goes.
void SideLists::moveSideListInto(Group& target, bool list1, const std::string& statusText,
                                 std::function<void()> after) {
    const size_t pageIndex = position_ + (list1 ? 0 : 1);
    auto job = std::make_shared<SideListJob>();
    job->texts = *pages_.page(pageIndex, false);
    Group* source = &lists_.currentList();
    job->source = lendList(*source);
    job->target = lendList(target);
    lists_.project().modified = true;
    lists_.runJob(
        statusText,
        [job](const ProgressFn& progress) {
            moveSideListPhrases(job->source, job->target, job->texts);
            progress(100);
        },
        [this, job, source, target = &target, pageIndex, after = std::move(after)](bool ok) {
            returnList(*source, std::move(job->source));
            returnList(*target, std::move(job->target));
            if (!ok) return;
            pages_.remove(pageIndex);
            afterPageRemoved();
            lists_.refill();
            lists_.notify(kTabs | kPages);
            if (after) after();
        });
}

// Only the side list's phrases move; the other side list keeps its rows.
void SideLists::addListToGroup(bool list1) {
    const Page* page = list1 ? this->list1() : this->list2();
    if (!page || page->empty()) {
        lists_.desktop().message(kNoItemsToAdd);
        return;
    }
    const int tab = lists_.currentTab();
    const std::vector<std::string> names = groupNames(lists_.project(), tab - 1);
    if (names.empty()) {
        lists_.desktop().message(kNoAvailableGroups);
        return;
    }
    const std::optional<size_t> chosen = dialogs_.chooseGroup(names);
    if (!chosen || *chosen >= names.size()) return;
    (list1 ? boxes_.list1Name : boxes_.list2Name).clear();
    // The offered names are the groups in tab order without the current tab's.
    const int position = static_cast<int>(*chosen) + (tab > 0 && static_cast<int>(*chosen) >= tab - 1 ? 1 : 0);
    Group* target = groupAt(lists_.project(), position);
    if (!target) return;
    moveSideListInto(*target, list1,
                     list1 ? "Adding to existing group from phase 3 list 1..."
                           : "Adding to existing group from phase 3 list 2...",
                     {});
}

}  // namespace pw::ui
