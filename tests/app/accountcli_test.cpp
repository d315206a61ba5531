// phrasewright-cli account, run as a program: it installs the account tool
// built beside it and reads the sandbox account through it.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

#include "tests/testsupport.h"

namespace pw {
namespace {

class AccountCli : public ::testing::Test {
protected:
    test::TempFolder dir;

    // Exit status; stdout and stderr in out and err.
    int run(const std::string& arguments) {
        const std::string command = std::string(PW_CLI_PATH) + " account --data-dir '" + dir.path() + "' " +
                                    arguments + " >" + dir.file("out.txt") + " 2>" + dir.file("err.txt");
        const int status = std::system(command.c_str());
        out = test::readFile(dir.file("out.txt"));
        err = test::readFile(dir.file("err.txt"));
        return WEXITSTATUS(status);
    }
    std::string out, err;
};

TEST_F(AccountCli, ProfilesAndReads) {
    EXPECT_EQ(run("campaigns"), 2);
    EXPECT_EQ(err, "Cannot load default profile!\n");

    EXPECT_EQ(run("profile main --email m@x.com --password 'p\"w' --token tk"), 1);
    EXPECT_EQ(err, "The field 'Google manager password:' cannot contain a double quote (\")!\n");
    ASSERT_EQ(run("profile main --email m@x.com --password pw --token tk --client-email c@x.com --default"), 0);
    ASSERT_EQ(run("profiles"), 0);
    const auto profiles = nlohmann::json::parse(out);
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_EQ(profiles[0]["default"], true);
    EXPECT_EQ(profiles[0]["record"]["clientAccount"], "c@x.com");
    EXPECT_EQ(out.find("pw\""), std::string::npos);  // no password in the listing

    ASSERT_EQ(run("campaigns"), 0) << err;
    EXPECT_EQ(nlohmann::json::parse(out), nlohmann::json::array());
    EXPECT_EQ(run("keywords 3 4"), 3);
    EXPECT_EQ(err, "There is no ad group with the id 4 in the campaign 3\n");

    // The sandbox remembers the password it first saw for this manager account.
    ASSERT_EQ(run("profile main --email m@x.com --password other --token tk"), 0);
    EXPECT_EQ(run("ads 1"), 3);
    EXPECT_EQ(err, "The login email or password is not valid\n");
}

}  // namespace
}  // namespace pw
