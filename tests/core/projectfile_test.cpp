#include "core/projectfile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <cstring>
#include <filesystem>

#include "tests/testsupport.h"

namespace pw {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

// Writes project files of any version field by field, independently of the
// program's own saver, so that the reader is checked against the format.
class FileBuilder {
public:
    explicit FileBuilder(int32_t version) : version_(version) { i32(version); }

    FileBuilder& i32(int32_t v) { return raw(&v, 4); }
    FileBuilder& u8(uint8_t v) { return raw(&v, 1); }
    FileBuilder& i16(int16_t v) { return raw(&v, 2); }
    FileBuilder& buffer(const std::string& text, size_t size) {
        std::string b = text;
        b.resize(size, '\0');
        bytes_ += b;
        return *this;
    }
    FileBuilder& phrase(const std::string& text, int32_t hits, uint8_t active, uint8_t setAside) {
        i32(hits).u8(active);
        if (version_ >= 17) u8(setAside);
        i32(static_cast<int32_t>(text.size() + 1));
        bytes_ += text;
        return u8(0);
    }
    FileBuilder& adText(const std::string& text) {
        i32(static_cast<int32_t>(text.size()));
        bytes_ += text;
        return u8(0);
    }
    FileBuilder& ad(const std::string& title) {
        adText(title).adText("line one").adText("line two").adText("www.example.com");
        adText("http://www.example.com/").adText("notes").u8(3);
        if (version_ >= 18) adText("tokens");
        return *this;
    }
    // A group with the phrases given, an ignore text, one current ad, time and colour.
    FileBuilder& group(const std::string& name, const std::vector<std::string>& phrases, int16_t color = 4) {
        buffer(name, 128).i32(static_cast<int32_t>(phrases.size()));
        for (size_t i = 0; i < phrases.size(); ++i) phrase(phrases[i], static_cast<int32_t>(i * 10), 1, i == 1);
        i32(3).u8(1).u8(0);
        const std::string ignore = "age\r\nfree";
        i32(static_cast<int32_t>(ignore.size() + 1));
        bytes_ += ignore;
        u8(0);
        if (version_ >= 16) u8(0);  // whole words only
        u8(1);                      // delete countries
        i32(1);
        ad("Cheap Flights");
        i32(0).i32(0).i32(0);
        i32(0x11223344).i32(0x01D00000);
        if (version_ >= 15) i16(color);
        return *this;
    }
    FileBuilder& tail(const std::string& countries) {
        buffer("~!@", 128);
        if (countries.empty()) return i32(0);
        i32(static_cast<int32_t>(countries.size() + 1));
        bytes_ += countries;
        return u8(0);
    }
    FileBuilder& header(int32_t groups) { return i32(100).i32(80).buffer("01/02/03", 11).buffer("04/05/06", 11).i32(groups); }
    std::string withChecksum() const {
        std::string file = bytes_;
        const int32_t sum = *checksumOfBody(file);
        file.append(reinterpret_cast<const char*>(&sum), 4);
        return file;
    }
    std::string& bytes() { return bytes_; }

private:
    FileBuilder& raw(const void* p, size_t n) {
        bytes_.append(static_cast<const char*>(p), n);
        return *this;
    }
    int32_t version_;
    std::string bytes_;
};

std::string typicalFile(int32_t version) {
    FileBuilder b(version);
    b.group("main list", {"cheap flights", "hotels", "car hire"}).header(3);
    b.group("Shoes", {"red shoes"}).group("Shoes", {"blue shoes"}).group("Shoes", {});
    return b.tail("france\nspain\n").withChecksum();
}

LoadCode loadBytes(Project& project, const std::string& bytes) {
    resetProject(project);
    return loadProjectFromBytes(project, bytes);
}

TEST(ProjectFile, ReadsEveryVersionFrom14To18) {
    for (int32_t version = 14; version <= 18; ++version) {
        SCOPED_TRACE(version);
        Project p;
        ASSERT_EQ(loadBytes(p, typicalFile(version)), LoadCode::Loaded);
        EXPECT_EQ(p.importedCount, 100);
        EXPECT_EQ(p.editedCount, 80);
        EXPECT_EQ(p.createdDate, "01/02/03");
        EXPECT_EQ(p.modifiedDate, "04/05/06");
        EXPECT_EQ(p.unwantedCharacters, "~!@");
        EXPECT_EQ(p.unwantedCountries, "france\nspain\n");

        const Group& main = p.mainList;
        ASSERT_EQ(main.phrases.size(), 3u);
        EXPECT_EQ(main.phrases[0].text(), "cheap flights");
        EXPECT_EQ(main.phrases[0].wordCount(), 2);
        EXPECT_EQ(main.phrases[2].hitCount, 20);
        EXPECT_EQ(main.phrases[1].setAside, version >= 17 ? 1 : 0);
        EXPECT_EQ(main.maxWords, 3);
        EXPECT_TRUE(main.deleteDuplicates);
        EXPECT_EQ(main.ignoreText, "age\r\nfree");
        EXPECT_EQ(main.wholeWordsOnly, version < 16);  // older files keep the default
        EXPECT_TRUE(main.deleteCountries);
        EXPECT_EQ(main.colorIndex, version >= 15 ? 4 : 0);
        EXPECT_EQ(main.modifiedTime, 0x01D0000011223344ULL);
        ASSERT_EQ(main.adLists[0].size(), 1u);
        const Ad& ad = main.adLists[0][0];
        EXPECT_EQ(ad.title, "Cheap Flights");
        EXPECT_EQ(ad.destinationUrl, "http://www.example.com/");
        EXPECT_EQ(ad.engine, SearchEngine::Yahoo);
        EXPECT_EQ(ad.tokens, version >= 18 ? "tokens" : "");

        ASSERT_EQ(p.groups.size(), 3u);
        EXPECT_EQ(p.groups[0]->name, "Shoes");
        EXPECT_EQ(p.groups[1]->name, "Shoes (2)");
        EXPECT_EQ(p.groups[2]->name, "Shoes (3)");
        EXPECT_EQ(p.groups[1]->phrases[0].text(), "blue shoes");
        EXPECT_FALSE(p.modified);
    }
}

TEST(ProjectFile, SavedProjectsLoadBackTheSame) {
    TempFolder dir;
    Project original;
    original.path = dir.file("trip.pwj");
    original.mainList.phrases.emplace_back("\"cheap flights\"", 120);
    original.mainList.phrases.emplace_back("caf\xC3\xA9 paris", 3);
    original.mainList.phrases[1].active = 0;
    original.mainList.ignoreText = "";
    Group& g = appendGroup(original, "Hotels");
    g.phrases.emplace_back("hotels rome", 9);
    g.phrases[0].setAside = 1;
    g.colorIndex = -2;
    g.modifiedTime = 0xFFFFFFFF00000001ULL;
    g.adLists[2].push_back(Ad{"t", "1", "2", "d", "u", std::string(9999, 'n'), SearchEngine::Msn, "k"});
    original.unwantedCountries = "france\n";
    original.importedCount = 2;
    original.modified = true;
    ASSERT_TRUE(saveProject(original));
    EXPECT_FALSE(original.modified);
    EXPECT_EQ(original.createdDate.size(), 8u);
    EXPECT_EQ(original.createdDate, original.modifiedDate);

    Project loaded;
    loaded.path = original.path;
    ASSERT_EQ(loadProject(loaded), LoadCode::Loaded);
    EXPECT_EQ(projectFileBytes(loaded), projectFileBytes(original));
    EXPECT_EQ(loaded.mainList.ignoreText, "");  // on, with nothing typed
    EXPECT_EQ(loaded.groups[0]->colorIndex, -2);
    EXPECT_EQ(loaded.groups[0]->adLists[2][0].notes.size(), 9999u);
}

// Each flag set unlike its neighbours, in two groups with opposite patterns,
// so that a field written in another's place shows.
TEST(ProjectFile, EveryGroupFlagComesBackInItsOwnPlace) {
    TempFolder dir;
    Project original;
    original.path = dir.file("flags.pwj");
    for (const bool first : {true, false}) {
        Group& g = appendGroup(original, first ? "one" : "two");
        g.maxWords = first ? 7 : 3;
        g.deleteDuplicates = first;
        g.deleteUnwantedCharacters = !first;
        g.wholeWordsOnly = first;
        g.deleteCountries = !first;
        if (first) g.ignoreText = "cheap\r\nfree";
        g.colorIndex = first ? 4 : 9;
    }
    ASSERT_TRUE(saveProject(original));
    Project loaded;
    loaded.path = original.path;
    ASSERT_EQ(loadProject(loaded), LoadCode::Loaded);
    for (size_t i = 0; i < 2; ++i) {
        const Group& a = *original.groups[i];
        const Group& b = *loaded.groups[i];
        EXPECT_EQ(b.maxWords, a.maxWords) << i;
        EXPECT_EQ(b.deleteDuplicates, a.deleteDuplicates) << i;
        EXPECT_EQ(b.deleteUnwantedCharacters, a.deleteUnwantedCharacters) << i;
        EXPECT_EQ(b.wholeWordsOnly, a.wholeWordsOnly) << i;
        EXPECT_EQ(b.deleteCountries, a.deleteCountries) << i;
        EXPECT_EQ(b.ignoreText, a.ignoreText) << i;
        EXPECT_EQ(b.colorIndex, a.colorIndex) << i;
    }
}

// A version-17 file written by an older Windows version holds Windows-1252
// texts: they load as UTF-8 and are saved as UTF-8.
TEST(ProjectFile, Windows1252ProjectsLoadAndSaveAsUtf8) {
    FileBuilder b(17);
    b.group("Caf\xE9s", {"caf\xE9 paris", "cheap flights"}).header(1).group("\x80 deals", {"m\xFCnchen"});
    const std::string file = b.tail("Espa\xF1" "a\n").withChecksum();

    TempFolder dir;
    Project p;
    ASSERT_EQ(loadBytes(p, file), LoadCode::Loaded);
    EXPECT_EQ(p.mainList.name, "Caf\xC3\xA9s");
    EXPECT_EQ(p.mainList.phrases[0].text(), "caf\xC3\xA9 paris");
    EXPECT_EQ(p.mainList.phrases[1].text(), "cheap flights");
    EXPECT_EQ(p.groups[0]->name, "\xE2\x82\xAC deals");
    EXPECT_EQ(p.groups[0]->phrases[0].text(), "m\xC3\xBCnchen");
    EXPECT_EQ(p.unwantedCountries, "Espa\xC3\xB1" "a\n");

    p.path = dir.file("old.pwj");
    ASSERT_TRUE(saveProject(p));
    const std::string saved = readFile(p.path);
    EXPECT_NE(saved.find("caf\xC3\xA9 paris"), std::string::npos);
    EXPECT_EQ(saved.find("caf\xE9 paris"), std::string::npos);
    Project back;
    back.path = p.path;
    ASSERT_EQ(loadProject(back), LoadCode::Loaded);
    EXPECT_EQ(projectFileBytes(back), projectFileBytes(p));
    EXPECT_EQ(back.groups[0]->phrases[0].text(), "m\xC3\xBCnchen");
}

// Fixed buffers are cut between characters; ad texts keep their limit in
// characters however many bytes that takes.
TEST(ProjectFile, StoredLimitsNeverSplitACharacter) {
    std::string name;
    for (int i = 0; i < 100; ++i) name += "\xC3\xA9";  // 200 bytes: more than the 127 a name holds
    std::string title;
    for (int i = 0; i < 130; ++i) title += "\xE2\x82\xAC";
    Project p;
    Group& g = appendGroup(p, name);
    g.adLists[0].push_back(Ad{title, "", "", "", "", "", SearchEngine::Google, ""});
    Project back;
    ASSERT_EQ(loadBytes(back, projectFileBytes(p)), LoadCode::Loaded);
    EXPECT_EQ(back.groups[0]->name, name.substr(0, 126));
    EXPECT_EQ(back.groups[0]->adLists[0][0].title, title.substr(0, 127 * 3));
}

TEST(ProjectFile, ChecksumSamplesOneByteInEvery101) {
    Project p;
    appendGroup(p, "g").phrases.emplace_back(std::string(300, 'x'));
    const std::string file = projectFileBytes(p);
    ASSERT_TRUE(verifyChecksumBytes(file));

    std::string at105 = file;
    at105[105] ^= 0x20;
    Project q;
    EXPECT_EQ(loadBytes(q, at105), LoadCode::BadChecksum);
    std::string at106 = file;
    at106[106] ^= 0x01;
    EXPECT_TRUE(verifyChecksumBytes(at106));

    TempFolder dir;
    writeFile(dir.file("c.pwj"), file.substr(0, file.size() - 4));
    ASSERT_TRUE(appendChecksum(dir.file("c.pwj")));
    EXPECT_EQ(readFile(dir.file("c.pwj")), file);
    EXPECT_TRUE(verifyChecksum(dir.file("c.pwj")));
    EXPECT_EQ(computeChecksum(dir.file("c.pwj"), true), checksumOfBody(file.substr(0, file.size() - 4)));
}

TEST(ProjectFile, LoadResultCodes) {
    TempFolder dir;
    auto loadFile = [&](const std::string& bytes) {
        writeFile(dir.file("x.pwj"), bytes);
        Project p;
        p.path = dir.file("x.pwj");
        return loadProject(p);
    };
    std::string version13 = typicalFile(18);
    version13[0] = 13;
    std::string version19 = typicalFile(18);
    version19[0] = 19;
    EXPECT_EQ(loadFile(version13), LoadCode::BadVersion);  // the checksum is not even looked at
    EXPECT_EQ(loadFile(version19), LoadCode::BadVersion);
    EXPECT_EQ(loadFile(std::string("\x12\0\0\0\0\0\0\0", 8)), LoadCode::BadChecksum);
    EXPECT_EQ(loadFile("\x12\0"), LoadCode::CannotRead);
    EXPECT_EQ(loadFile(""), LoadCode::CannotRead);

    Project missing;
    missing.path = dir.file("none.pwj");
    EXPECT_EQ(loadProject(missing), LoadCode::CannotOpen);
    Project untitled;
    EXPECT_EQ(loadProject(untitled), LoadCode::CannotOpen);

    EXPECT_EQ(loadMessage(LoadCode::BadChecksum).text, "Cannot load project! File corrupt!");
    EXPECT_EQ(loadMessage(LoadCode::CannotOpen).title, "Error loading project!");
    EXPECT_EQ(loadMessage(LoadCode::BadVersion).title, "Cannot load");
}

TEST(ProjectFile, StoredCountsAndLengthsAreNeverTrusted) {
    auto mainThen = [](auto&& corrupt) {
        FileBuilder b(18);
        corrupt(b);
        return b.withChecksum();
    };
    const std::pair<const char*, std::string> cases[] = {
        {"two billion phrases", mainThen([](FileBuilder& b) { b.buffer("main list", 128).i32(2000000000).i32(0); })},
        {"negative phrase count", mainThen([](FileBuilder& b) { b.buffer("main list", 128).i32(-1).i32(0); })},
        {"name without NUL", mainThen([](FileBuilder& b) { b.bytes() += std::string(128, 'n'); b.i32(0).i32(0); })},
        {"text longer than the file",
         mainThen([](FileBuilder& b) { b.buffer("main list", 128).i32(1).i32(5).u8(1).u8(0).i32(1 << 30).i32(0); })},
        {"ad title longer than 127 characters can take", mainThen([](FileBuilder& b) {
             b.buffer("main list", 128).i32(0).i32(0).u8(0).u8(0).i32(0).u8(1).u8(0).i32(1);
             b.adText(std::string(127 * 4 + 1, 't'));
             b.bytes() += std::string(64, '\0');
         })},
        {"group count beyond the file", mainThen([](FileBuilder& b) {
             b.group("main list", {}).header(1000000);
             b.bytes() += std::string(40, '\0');
         })},
        {"truncated after the groups", mainThen([](FileBuilder& b) { b.group("main list", {"a"}).header(0); })},
    };
    for (const auto& [what, file] : cases) {
        Project p;
        EXPECT_EQ(loadBytes(p, file), LoadCode::CannotRead) << what;
    }
    // A tiny file claiming two billion phrases fails at once, without reserving for them.
    EXPECT_LT(cases[0].second.size(), 200u);
}

TEST(ProjectFile, LongDuplicateGroupNamesAreShortenedToFit) {
    FileBuilder b(18);
    const std::string longName(127, 'g');
    b.group("main list", {}).header(2).group(longName, {}).group(longName, {});
    Project p;
    ASSERT_EQ(loadBytes(p, b.tail("").withChecksum()), LoadCode::Loaded);
    ASSERT_EQ(p.groups.size(), 2u);
    EXPECT_EQ(p.groups[1]->name, std::string(123, 'g') + " (2)");
    EXPECT_EQ(p.unwantedCountries, "");
}

TEST(ProjectFile, AdsOnlyLoadingSkipsThePhrases) {
    Project p;
    ASSERT_EQ(loadProjectFromBytes(p, typicalFile(18), {}, true), LoadCode::Loaded);
    EXPECT_TRUE(p.mainList.phrases.empty());
    ASSERT_EQ(p.groups.size(), 3u);
    EXPECT_EQ(p.groups[2]->adLists[0][0].title, "Cheap Flights");
}

TEST(ProjectFile, ReportsProgressWhileReadingTheMainList) {
    FileBuilder b(18);
    std::vector<std::string> many(1000, "phrase");
    b.group("main list", many).header(0).tail("");
    std::vector<int> seen;
    Project p;
    ASSERT_EQ(loadProjectFromBytes(p, b.withChecksum(), [&](int percent) { seen.push_back(percent); }), LoadCode::Loaded);
    ASSERT_EQ(seen.size(), 10u);
    EXPECT_EQ(seen.front(), 10);
    EXPECT_EQ(seen.back(), 100);
}

TEST(ProjectFile, AFailedSaveLeavesThePreviousFileWhole) {
    TempFolder dir;
    Project p;
    p.path = dir.file("keep.pwj");
    p.mainList.phrases.emplace_back("first");
    ASSERT_TRUE(saveProject(p));
    const std::string before = readFile(p.path);

    // The disk "fills up" half-way through the next save.
    for (int i = 0; i < 1000; ++i) p.mainList.phrases.emplace_back("another phrase " + std::to_string(i));
    p.modified = true;
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = saveProject(p);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(p.modified);
    EXPECT_EQ(readFile(p.path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);

    Project untitled;
    EXPECT_FALSE(saveProject(untitled));
}

TEST(ProjectFile, SavingOverAReadOnlyFileSucceeds) {
    TempFolder dir;
    Project p;
    p.path = dir.file("ro.pwj");
    ASSERT_TRUE(saveProject(p));
    ::chmod(p.path.c_str(), 0444);
    p.mainList.phrases.emplace_back("more");
    ASSERT_TRUE(saveProject(p));
    Project back;
    back.path = p.path;
    ASSERT_EQ(loadProject(back), LoadCode::Loaded);
    EXPECT_EQ(back.mainList.phrases.size(), 1u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace pw
