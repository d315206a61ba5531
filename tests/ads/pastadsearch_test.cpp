#include "ads/pastadsearch.h"

#include <gtest/gtest.h>

#include "core/projectfile.h"
#include "io/recentprojects.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

Ad adTitled(std::string title, std::string notes = {}) {
    Ad ad;
    ad.title = std::move(title);
    ad.line1 = "Text";
    ad.notes = std::move(notes);
    return ad;
}

TEST(PastAdsCriteria, MatchingRules) {
    struct Case {
        std::string text;
        bool perfect, caseSensitive;
        std::string field;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {"shoes", true, false, "Shoes", true},  {"shoes", true, true, "Shoes", false},
        {"shoes", true, true, "shoes", true},   {"hoe", false, true, "Shoes", true},
        {"HOE", false, true, "Shoes", false},   {"HOE", false, false, "Shoes", true},
        {"", false, false, "anything", true},   {"", true, false, "anything", false},
        {"whatever", true, true, "", true},  // an empty field accepts every criterion
    };
    for (const Case& c : cases)
        EXPECT_EQ((AdCriterion{c.text, c.perfect, c.caseSensitive}.accepts(c.field)), c.accepted)
            << c.text << " / " << c.field;
    AdQuery query;
    query[5] = {"travel", false, false};
    EXPECT_TRUE(matches(query, adTitled("Any")));  // empty notes
    EXPECT_FALSE(matches(query, adTitled("Any", "shoes only")));
}

class PastAds : public ::testing::Test {
protected:
    test::TempFolder dir;
    ProgramFolder folder{dir.path() + "/data"};

    std::string writeProject(const std::string& name, const std::vector<std::string>& titles) {
        Project p;
        p.path = dir.file(name);
        Group& g = appendGroup(p, name + " group");
        for (const std::string& t : titles) g.adLists[1].push_back(adTitled(t));
        for (int i = 0; i < 50; ++i) g.phrases.emplace_back("phrase " + std::to_string(i));
        EXPECT_TRUE(saveProject(p));
        return p.path;
    }
    std::vector<std::string> titles(const SearchRequest& request, const std::atomic<bool>* stop = nullptr) {
        std::vector<std::string> found;
        searchPastAds(request, [&](FoundAd f) { found.push_back(f.ad.title + "@" + f.group); }, stop);
        return found;
    }
};

TEST_F(PastAds, FolderRecentAndOpenProjectEachSearchedOnce) {
    const std::string a = writeProject("a.pwj", {"Cheap shoes", "Boots"});
    const std::string b = writeProject("b.pwj", {"Red shoes"});
    test::writeFile(dir.file("notes.txt"), "x");
    std::filesystem::create_directories(dir.file("sub.pwj"));

    SearchScope scope;
    scope.folder = true;
    scope.folderPath = dir.path();  // without a trailing slash
    EXPECT_EQ(projectFilesToSearch(scope, "", folder), (std::vector<std::string>{a, b}));
    scope.folderPath = dir.path() + "/";
    EXPECT_EQ(projectFilesToSearch(scope, "", folder), (std::vector<std::string>{a, b}));

    addRecentProject(folder, a);
    SearchScope recent;
    recent.recentProjects = true;
    recent.folder = true;
    recent.folderPath = dir.path();
    EXPECT_EQ(projectFilesToSearch(recent, a, folder), (std::vector<std::string>{a, b}));

    // The open project is read from memory, where it may differ from its file.
    Project open;
    open.path = a;
    ASSERT_EQ(loadProject(open), LoadCode::Loaded);
    open.groups[0]->adLists[0].push_back(adTitled("Unsaved shoes"));
    SearchRequest request;
    request.query[0] = {"shoes", false, false};
    request.files = {a, b, dir.file("missing.pwj")};
    request.openProject = &open;
    EXPECT_EQ(titles(request),
              (std::vector<std::string>{"Unsaved shoes@a.pwj group", "Cheap shoes@a.pwj group", "Red shoes@b.pwj group"}));

    request.group = open.groups[0].get();
    request.files = {};
    EXPECT_EQ(titles(request).size(), 2u);
    request.files = {a};  // the group is not found a second time in its own project
    EXPECT_EQ(titles(request).size(), 2u);
}

TEST_F(PastAds, TheMainListAsTheCurrentGroupIsSearchedOnce) {
    Project open;
    open.path = writeProject("m.pwj", {});
    ASSERT_EQ(loadProject(open), LoadCode::Loaded);
    open.mainList.adLists[1].push_back(adTitled("Main shoes"));
    SearchRequest request;
    request.query[0] = {"shoes", false, false};
    request.openProject = &open;
    request.group = &open.mainList;
    request.files = {open.path};
    EXPECT_EQ(titles(request).size(), 1u);
}

TEST_F(PastAds, StopEndsTheSearchBeforeTheNextProject) {
    SearchRequest request;
    request.files = {writeProject("a.pwj", {"One"}), writeProject("b.pwj", {"Two"})};
    std::atomic<bool> stop{true};
    EXPECT_TRUE(titles(request, &stop).empty());
    stop = false;
    EXPECT_EQ(titles(request, &stop).size(), 2u);
}

}  // namespace
}  // namespace pw
