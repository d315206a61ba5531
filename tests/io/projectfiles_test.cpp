#include "io/projectfiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/testsupport.h"

namespace pw {
namespace {

using test::readFile;
using test::writeFile;

TEST(ProjectFiles, NewProjectNamesAreCutBeforeTheExtension) {
    const ProgramFolder folder("/data");
    EXPECT_EQ(newProjectPath(folder, "trip"), "/data/Projects/trip.pwj");
    EXPECT_EQ(newProjectPath(folder, "trip.pwj"), "/data/Projects/trip.pwj");
    EXPECT_EQ(newProjectPath(folder, std::string(252, 'x')), "/data/Projects/" + std::string(250, 'x') + ".pwj");
    std::string accented = "x";
    for (int i = 0; i < 200; ++i) accented += "\xC3\xA9";  // byte 250 is the middle of an "é"
    EXPECT_EQ(newProjectPath(folder, accented), "/data/Projects/" + accented.substr(0, 249) + ".pwj");
}

TEST(ProjectFiles, CopyingAProjectOntoItselfChangesNothing) {
    test::TempFolder dir;
    const std::string source = dir.file("trip.pwj");
    writeFile(source, "project bytes");
    ASSERT_EQ(::symlink(source.c_str(), dir.file("link.pwj").c_str()), 0);
    for (const std::string& same : {source, dir.path() + "/./trip.pwj", dir.file("link.pwj")}) {
        EXPECT_EQ(copyProjectFile(source, same), CopyProjectResult::SameFile) << same;
        EXPECT_EQ(readFile(source), "project bytes");
    }
    EXPECT_EQ(copyProjectFile(source, dir.file("copy.pwj")), CopyProjectResult::Copied);
    EXPECT_EQ(readFile(dir.file("copy.pwj")), "project bytes");
    writeFile(source, "newer");
    EXPECT_EQ(copyProjectFile(source, dir.file("copy.pwj")), CopyProjectResult::Copied);  // over an older copy
    EXPECT_EQ(readFile(dir.file("copy.pwj")), "newer");
    EXPECT_EQ(copyProjectFile(dir.file("missing.pwj"), dir.file("copy.pwj")), CopyProjectResult::SourceMissing);
    EXPECT_EQ(copyProjectFile(source, dir.file("no/such/folder.pwj")), CopyProjectResult::CannotWrite);
}

}  // namespace
}  // namespace pw
