// The filters find the same phrases whatever encoding the list and the
// words each came in: everything is UTF-8 once it is inside.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/filterupdate.h"
#include "core/phase3pages.h"
#include "io/countrycatalogue.h"
#include "io/textimport.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

using test::TempFolder;
using test::textsOf;
using test::writeFile;

const std::string kCafe = "caf\xC3\xA9";          // as typed
const std::string kCafe1252 = "caf\xE9";          // as an older file holds it
const std::string kEspana = "espa\xC3\xB1" "a";
const std::string kEspana1252 = "espa\xF1" "a";

class MixedEncodings : public ::testing::Test {
protected:
    // Imports the list file written in the given bytes.
    void importList(const std::string& bytes) {
        writeFile(dir.file("list.csv"), bytes);
        const ImportReport report = importFiles(project, project.mainList, {dir.file("list.csv")}, nullptr);
        ASSERT_EQ(report.problem, ImportProblem::None);
    }
    std::vector<std::string> visibleAfter(const FilterSettings& filters) {
        UpdateRequest request;
        request.filters = filters;
        updateFilters(project, project.mainList, request);
        return textsOf(project.mainList.phrases, true);
    }
    static FilterSettings ignoring(const std::string& box, bool wholeWords) {
        FilterSettings f;
        f.ignoreOn = true;
        f.ignoreText = box;
        f.wholeWordsOnly = wholeWords;
        return f;
    }

    TempFolder dir;
    Project project;
};

TEST_F(MixedEncodings, IgnoreWordsMatchAcrossEncodings) {
    struct Case {
        const char* what;
        std::string list, ignoreFile;
    };
    const Case cases[] = {
        {"Windows-1252 list, typed UTF-8 words", kCafe1252 + " paris,10\ncafeteria,2\n" + kCafe1252 + "s,3\n",
         kCafe + "\n"},
        {"UTF-8 list, Windows-1252 ignore file", kCafe + " paris,10\ncafeteria,2\n" + kCafe + "s,3\n",
         kCafe1252 + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetProject(project);
        importList(c.list);
        const std::string box = appendIgnoreLines("", c.ignoreFile);
        EXPECT_EQ(box, kCafe);
        EXPECT_EQ(visibleAfter(ignoring(box, false)), (std::vector<std::string>{"cafeteria"}));
        EXPECT_EQ(visibleAfter(ignoring(box, true)), (std::vector<std::string>{"cafeteria", kCafe + "s"}));
        // Typed on top of an imported file: the box stays UTF-8, never encoded twice.
        EXPECT_EQ(appendIgnoreLines(kCafe + " rome", c.ignoreFile), kCafe + " rome\r\n" + kCafe);
    }
}

TEST_F(MixedEncodings, DuplicatesCountriesAndPhase3FiltersMatchAcrossEncodings) {
    importList(kCafe1252 + " paris,10\nhotels " + kEspana1252 + ",4\n");
    importList(kCafe + " paris,7\nhotels " + kEspana + " madrid,1\nrome,1\n");
    ASSERT_EQ(project.mainList.phrases.size(), 5u);

    FilterSettings duplicates;
    duplicates.duplicates = true;
    const std::vector<std::string> kept = visibleAfter(duplicates);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), kCafe + " paris"), 1);

    writeFile(dir.file("countries.txt"), "France\r\n" + kEspana1252 + "\r\n");
    const ProgramFolder folder(dir.path());
    for (const std::string& name : loadCountryCatalogue(folder)) project.unwantedCountries += name + "\n";
    FilterSettings countries;
    countries.countries = true;
    std::vector<std::string> outsideSpain = visibleAfter(countries);
    std::sort(outsideSpain.begin(), outsideSpain.end());
    EXPECT_EQ(outsideSpain, (std::vector<std::string>{kCafe + " paris", kCafe + " paris", "rome"}));

    const Phase3Filter typed = parsePhase3Filter(kCafe);
    const Phase3Filter sequence = parsePhase3Filter("\"s " + kEspana + "\"");
    int cafes = 0;
    int sequences = 0;
    for (const Phrase& p : project.mainList.phrases) {
        cafes += typed.matches(p.text());
        sequences += sequence.matches(p.text());
    }
    EXPECT_EQ(cafes, 2);
    EXPECT_EQ(sequences, 2);
}

}  // namespace
}  // namespace pw
