#pragma once
// phrasewright-cli account: account profiles and the reads of the advertising
// account, through the same account tool the windows use. Exit status: 0
// done, 1 failed, 2 no default profile, 3 the account tool refused (its text
// on stderr).

#include <optional>
#include <string>

#include "account/toolcommands.h"
#include "app/cli/clicommands.h"

namespace pw::cli {

struct ProfileOptions {
    std::string name;
    std::string email;
    std::string password;  // "-": read from the first line of standard input
    std::string token;
    std::optional<std::string> clientEmail;
    bool makeDefault = false;
};

// Creates the profile, or updates the one of that name (its proxy settings stay).
int accountProfile(const Streams& io, const std::string& dataDir, const ProfileOptions& options);
// Every profile as JSON, without passwords or tokens.
int accountProfiles(const Streams& io, const std::string& dataDir);
// Runs the read with the default profile and prints its records as JSON.
int accountRead(const Streams& io, const std::string& dataDir, const ReadRequest& request);

}  // namespace pw::cli
