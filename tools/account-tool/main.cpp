// pwram: the account tool over a sandbox advertising account.
//
// The program starts it once per read or change, in its Google folder, with
// the options of the command line on standard input (--options-on-stdin) or,
// by hand, as arguments. The answer goes into the file named by -outfile.

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <thread>

#include "account/accounttool.h"
#include "account/toolcommandline.h"
#include "account/toolrecords.h"
#include "core/atomicfile.h"
#include "tools/account-tool/sqlitesandbox.h"
#include "tools/account-tool/toolrun.h"

namespace {

using namespace pw;
using namespace pw::tool;

constexpr std::string_view kPauseOption = "--pause-before-commit=";

std::string databasePath() {
    std::error_code ec;
    const auto here = std::filesystem::current_path(ec);
    return ((ec ? std::filesystem::path(".") : here) / kSandboxDatabase).string();
}

void printHelp() {
    std::cout << "pwram: the Phrasewright account tool, over a SANDBOX advertising account.\n"
                 "\n"
                 "Nothing is sent to any advertising service. Every read and change goes to a\n"
                 "local SQLite database with one sandbox account per manager account and\n"
                 "client account, created on first use (the first password and token seen for\n"
                 "a manager account are the ones it accepts afterwards).\n"
                 "\n"
                 "Database: "
              << databasePath()
              << "\n"
                 "  (the tool's working folder: <program folder>/Google)\n"
                 "Reset:    delete that file; the next run starts an empty sandbox.\n"
                 "\n"
                 "Usage:\n"
                 "  pwram --options-on-stdin      options of one run on standard input\n"
                 "  pwram -action=... -email=\"...\" -password=\"...\" -token=\"...\" -outfile=\"...\"\n"
                 "  pwram --dump                  print the sandbox accounts as JSON\n"
                 "  pwram --help\n"
                 "\n"
                 "Actions: listCampaigns, listAdGroups, listKeywords, listCreatives, createCampaign,\n"
                 "modifyCampaign, createAdGroup, modifyAdGroup, createCreative, modifyCreative,\n"
                 "deleteCreative; batch uploads with -batch=true -todo=UploadGroups or UploadAds.\n"
                 "Answers are written to -outfile in the working folder; a refusal is one line\n"
                 "\"GOOGLE_API_ERROR: <reason>\".\n";
}

int dump() {
    try {
        SqliteSandbox sandbox(databasePath());
        std::cout << sandbox.dump().dump(2) << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
}

// For tests of a run killed half-way: the work is done but not kept, a
// marker file says so, and the run waits to be killed.
void pauseBeforeCommit(const std::string& markerPath) {
    replaceFileAtomically(markerPath, "paused\n");
    std::this_thread::sleep_for(std::chrono::seconds(60));
}

bool isBareFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

}  // namespace

int main(int argc, char** argv) {
    ::umask(077);
    std::vector<std::string> words;
    bool optionsOnStdin = false;
    std::string pauseMarker;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return 0;
        }
        if (arg == "--dump") return dump();
        if (arg == kOptionsOnStdinFlag) optionsOnStdin = true;
        else if (arg.starts_with(kPauseOption)) pauseMarker = std::string(arg.substr(kPauseOption.size()));
        else words.emplace_back(arg);
    }
    if (optionsOnStdin) {
        const std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
        for (std::string& word : splitToolCommandLine(text)) words.push_back(std::move(word));
    }

    std::string output;
    std::string outfile;
    bool refused = false;
    try {
        const ToolOptions options = ToolOptions::parse(words);
        outfile = options.text("outfile");
        if (!isBareFileName(outfile)) throw ServiceRefusal("-outfile must name a file in the working folder");
        SqliteSandbox sandbox(databasePath());
        output = runAction(options, sandbox);
        if (!pauseMarker.empty()) pauseBeforeCommit(pauseMarker);
        sandbox.commit();
    } catch (const ServiceRefusal& e) {
        output = toolErrorLine(e.what());
        refused = true;
    } catch (const std::exception& e) {
        output = toolErrorLine(std::string("The account tool failed: ") + e.what());
        refused = true;
    }
    if (!isBareFileName(outfile)) {
        std::cerr << output;
        return 2;
    }
    if (!replaceFileAtomically(outfile, output)) {
        std::cerr << "Cannot write " << outfile << "\n";
        return 2;
    }
    return refused ? 1 : 0;
}
