// phrasewright-cli: the keyword engine for scripts and batch work.

#include <CLI/CLI.hpp>

#include <iostream>

#include "app/cli/accountcommands.h"
#include "app/cli/clicommands.h"

int main(int argc, char** argv) {
    using namespace pw::cli;
    const Streams io{std::cout, std::cerr};

    CLI::App app{"Phrasewright keyword engine: projects, imports, filters, sorting and exports from the command line."};
    app.require_subcommand(1);
    std::string project;
    int status = 0;

    auto* cmdNew = app.add_subcommand("new", "Create an empty project file");
    bool force = false;
    cmdNew->add_option("PROJECT", project, "Project file (.pwj)")->required();
    cmdNew->add_flag("--force", force, "Overwrite an existing file");
    cmdNew->callback([&] { status = newProject(io, project, force); });

    auto* cmdInfo = app.add_subcommand("info", "Print the project's counts, settings and lists as JSON");
    cmdInfo->add_option("PROJECT", project)->required();
    cmdInfo->callback([&] { status = info(io, project); });

    auto* cmdDump = app.add_subcommand("dump", "Print every phrase of a list: text, hits, active, set aside");
    std::string dumpList;
    cmdDump->add_option("PROJECT", project)->required();
    cmdDump->add_option("--list", dumpList, "Group name (default: the main list)");
    cmdDump->callback([&] { status = dump(io, project, dumpList); });

    auto* cmdImport = app.add_subcommand("import", "Import text, CSV or spreadsheet (.xls, .xlsx, .ods) lists");
    std::vector<std::string> files;
    ImportOptions importOptions;
    int phraseColumn = 1;
    std::string hitsColumn = "none";
    cmdImport->add_option("PROJECT", project)->required();
    cmdImport->add_option("FILE", files, "Lists to import")->required();
    cmdImport->add_option("--list", importOptions.listName, "Group to import into (default: the main list)");
    auto* phraseOption =
        cmdImport->add_option("--phrase-column", phraseColumn, "Phrase column of files of 3+ columns (1-based)")
            ->check(CLI::PositiveNumber);
    auto* hitsOption =
        cmdImport->add_option("--hits-column", hitsColumn, "Hit-count column of files of 3+ columns (1-based, or none)");
    cmdImport->add_option("--sheet", importOptions.sheet, "Sheet of a spreadsheet to import (1-based; default 1)")
        ->check(CLI::PositiveNumber);
    cmdImport->add_flag("--list-sheets", importOptions.listSheets, "Print a spreadsheet's sheet names, one a line");
    cmdImport->add_option("--driver", importOptions.driver,
                          "Spreadsheet ODBC driver: library path or registered name (default: the bundled one)");
    cmdImport->callback([&] {
        // Without either option a keyword-planner export keeps its own columns.
        if (phraseOption->count() > 0 || hitsOption->count() > 0) {
            importOptions.columns = ColumnChoice{phraseColumn, std::nullopt};
            if (hitsColumn != "none") {
                try {
                    importOptions.columns->hits = std::stoi(hitsColumn);
                } catch (const std::exception&) {
                    throw CLI::ValidationError("--hits-column", "a column number or none");
                }
            }
        }
        status = importLists(io, project, files, importOptions);
    });

    auto* cmdUpdate = app.add_subcommand("update", "Run the phase-1 filters (\"Update\")");
    UpdateOptions updateOptions;
    std::string wholeWords = "on";
    cmdUpdate->add_option("PROJECT", project)->required();
    cmdUpdate->add_option("--list", updateOptions.listName, "Group to filter (default: the main list)");
    cmdUpdate->add_option("--ignore-file", updateOptions.ignoreFile, "Ignore words, one per line");
    cmdUpdate->add_option("--whole-words", wholeWords, "Whole words only")->check(CLI::IsMember({"on", "off"}));
    cmdUpdate->add_option("--max-words", updateOptions.maxWords, "Delete phrases over N words")
        ->check(CLI::Range(0, 999));
    cmdUpdate->add_flag("--unwanted-characters", updateOptions.unwantedCharacters,
                        "Delete phrases with unwanted characters");
    cmdUpdate->add_flag("--duplicates", updateOptions.duplicates, "Delete duplicates");
    cmdUpdate->add_flag("--countries", updateOptions.countries, "Delete countries");
    cmdUpdate->callback([&] {
        updateOptions.wholeWords = wholeWords == "on";
        status = update(io, project, updateOptions);
    });

    auto* cmdSet = app.add_subcommand("set", "Replace the project's unwanted countries or characters");
    SetOptions setOptions;
    cmdSet->add_option("PROJECT", project)->required();
    cmdSet->add_option("--countries-file", setOptions.countriesFile, "Unwanted countries, one per line");
    cmdSet->add_option("--unwanted-characters", setOptions.unwantedCharacters, "Unwanted characters");
    cmdSet->callback([&] { status = set(io, project, setOptions); });

    auto* cmdSort = app.add_subcommand("sort", "Sort a list by up to three keys");
    SortOptions sortOptions;
    cmdSort->add_option("PROJECT", project)->required();
    cmdSort->add_option("--list", sortOptions.listName, "Group to sort (default: the main list)");
    cmdSort->add_option("--keys", sortOptions.keys, "alpha, hits, words, free, capitalised, digits")
        ->delimiter(',')
        ->required();
    cmdSort->add_option("--reverse", sortOptions.reverse, "0/1 for each key")->delimiter(',');
    cmdSort->add_option("--free-text", sortOptions.freeText, "Text for the 'free' key");
    cmdSort->callback([&] { status = sort(io, project, sortOptions); });

    auto* cmdExport = app.add_subcommand("export", "Write the visible rows of a list, or its keyword forms");
    ExportOptions exportOptions;
    std::string outPath;
    cmdExport->add_option("PROJECT", project)->required();
    cmdExport->add_option("OUT", outPath, "File to write")->required();
    cmdExport->add_option("--list", exportOptions.listName, "Group to export (default: the main list)");
    auto* csv = cmdExport->add_flag("--csv", exportOptions.csv, "CSV instead of text");
    cmdExport->add_flag("--hits", exportOptions.hits, "With hit counts (CSV)")->needs(csv);
    auto* forms = cmdExport->add_option("--forms", exportOptions.forms, "broad, phrase, exact")->delimiter(',');
    cmdExport->add_option("--notation", exportOptions.notation, "symbols or types")
        ->check(CLI::IsMember({"symbols", "types"}))
        ->needs(forms);
    cmdExport->callback([&] { status = exportList(io, project, outPath, exportOptions); });

    auto* cmdGroup = app.add_subcommand("group", "Filter the main list into a new group, as phase 3 does");
    std::string groupName;
    std::string groupFilter;
    cmdGroup->add_option("PROJECT", project)->required();
    cmdGroup->add_option("NAME", groupName, "Name of the new group")->required();
    cmdGroup->add_option("--filter", groupFilter, "Words that must all occur, or a \"sequence\" in quotes")->required();
    cmdGroup->callback([&] { status = group(io, project, groupName, groupFilter); });

    auto* cmdAccount = app.add_subcommand("account", "Account profiles and the advertising account (a sandbox account tool)");
    std::string dataDir;
    cmdAccount->add_option("--data-dir", dataDir, "Program folder (default: the per-user data folder)");
    cmdAccount->require_subcommand(1);
    cmdAccount->fallthrough();
    auto* cmdProfile = cmdAccount->add_subcommand("profile", "Create or update a profile");
    ProfileOptions profileOptions;
    cmdProfile->add_option("NAME", profileOptions.name, "Profile name")->required();
    cmdProfile->add_option("--email", profileOptions.email, "Manager account")->required();
    cmdProfile->add_option("--password", profileOptions.password, "Manager password (- reads it from stdin)")
        ->required();
    cmdProfile->add_option("--token", profileOptions.token, "Developer token")->required();
    cmdProfile->add_option("--client-email", profileOptions.clientEmail, "Client account");
    cmdProfile->add_flag("--default", profileOptions.makeDefault, "Make it the default profile");
    cmdProfile->callback([&] { status = accountProfile(io, dataDir, profileOptions); });
    cmdAccount->add_subcommand("profiles", "List the profiles as JSON")->callback([&] {
        status = accountProfiles(io, dataDir);
    });
    pw::ReadRequest read;
    auto addRead = [&](const char* name, const char* description, pw::AccountRead kind) {
        auto* cmd = cmdAccount->add_subcommand(name, description);
        if (kind == pw::AccountRead::AdGroups || kind == pw::AccountRead::Keywords)
            cmd->add_option("CAMPAIGN_ID", read.campaignId)->required();
        if (kind == pw::AccountRead::Keywords || kind == pw::AccountRead::Ads)
            cmd->add_option("ADGROUP_ID", read.adGroupId)->required();
        cmd->callback([&, kind] {
            read.kind = kind;
            status = accountRead(io, dataDir, read);
        });
    };
    addRead("campaigns", "List the campaigns as JSON", pw::AccountRead::Campaigns);
    addRead("adgroups", "List a campaign's ad groups as JSON", pw::AccountRead::AdGroups);
    addRead("keywords", "List an ad group's keywords as JSON", pw::AccountRead::Keywords);
    addRead("ads", "List an ad group's ads as JSON", pw::AccountRead::Ads);

    cmdAccount->add_subcommand("queue", "List the queued changes as JSON")->callback([&] {
        status = accountQueue(io, dataDir);
    });
    pw::cli::UploadOptions uploadOptions;
    auto* cmdUpload = cmdAccount->add_subcommand("upload", "Queue the upload of every group of a project into a campaign");
    cmdUpload->add_option("PROJECT", uploadOptions.project)->required();
    cmdUpload->add_option("--campaign-id", uploadOptions.campaignId, "Campaign to upload into")->required();
    cmdUpload->add_option("--types", uploadOptions.types, "broad, phrase, exact")->delimiter(',');
    cmdUpload->add_option("--max-cpc", uploadOptions.maxCpc, "Max CPC in dollars (default 0.01)");
    cmdUpload->add_option("--max-cpm", uploadOptions.maxCpm, "Max CPM in dollars (default 0.00)");
    cmdUpload->add_option("--max-content-cpc", uploadOptions.maxContentCpc, "Max content CPC in dollars");
    cmdUpload->add_flag("--yes", uploadOptions.yes, "Go on past the upload's warnings");
    cmdUpload->callback([&] { status = accountUpload(io, dataDir, uploadOptions); });
    pw::cli::CampaignOptions campaignOptions;
    auto* cmdCampaign = cmdAccount->add_subcommand("create-campaign", "Queue a new campaign");
    cmdCampaign->add_option("--name", campaignOptions.name)->required();
    cmdCampaign->add_option("--daily-budget", campaignOptions.dailyBudget, "Dollars, e.g. 10.00")->required();
    cmdCampaign->add_option("--start", campaignOptions.start, "YYYY/MM/DD (default today)");
    cmdCampaign->add_option("--end", campaignOptions.end, "YYYY/MM/DD (default the end of next year)");
    cmdCampaign->add_option("--status", campaignOptions.status, "Active, Paused or Deleted");
    cmdCampaign->callback([&] { status = accountCreateCampaign(io, dataDir, campaignOptions); });
    bool commitAll = false;
    std::string commitProject;
    auto* cmdCommit = cmdAccount->add_subcommand("commit", "Send the queued changes (not the failed ones without --all)");
    cmdCommit->add_flag("--all", commitAll, "Also the changes that failed before");
    cmdCommit->add_option("--project", commitProject, "Project whose ads go into the ad groups an upload creates");
    cmdCommit->callback([&] { status = accountCommit(io, dataDir, commitAll, commitProject); });
    cmdAccount->add_subcommand("clear", "Delete every queued change")->callback([&] {
        status = accountClear(io, dataDir);
    });

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const std::exception& e) {
        std::cerr << "An unknown error has occured! (" << e.what() << ")\n";
        return 1;
    }
    return status;
}
