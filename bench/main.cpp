// phrasewright-bench: times the keyword engine on a generated list of N
// phrases (default 1,000,000) with 10,000 ignore words, each figure beside a
// baseline measured in the same run.

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#include "ads/pastadsearch.h"
#include "bench/listgenerator.h"
#include "bench/workbookwriter.h"
#include "core/filterupdate.h"
#include "core/listordering.h"
#include "core/phrasefilters.h"
#include "core/projectfile.h"
#include "core/text.h"
#include "io/spreadsheetimport.h"
#include "io/textimport.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace pw;

template <typename F>
double seconds(F&& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double shellSeconds(const std::string& command) {
    return seconds([&] {
        if (std::system(command.c_str()) == -1) std::perror(command.c_str());
    });
}

long peakMemoryKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

struct Row {
    std::string step;
    std::string ours;
    std::string baseline;
    std::string ratio;
    std::string target;
    bool met;
};

std::string fmtSeconds(double s) {
    char b[32];
    std::snprintf(b, sizeof b, "%.3f s", s);
    return b;
}
std::string fmtRatio(double r) {
    char b[32];
    std::snprintf(b, sizeof b, "%.2fx", r);
    return b;
}

void print(const std::vector<Row>& rows) {
    std::printf("%-46s %12s  %-34s %8s  %-28s %s\n", "step", "ours", "baseline (same run)", "ratio", "target", "");
    for (const Row& r : rows)
        std::printf("%-46s %12s  %-34s %8s  %-28s %s\n", r.step.c_str(), r.ours.c_str(), r.baseline.c_str(),
                    r.ratio.c_str(), r.target.c_str(), r.met ? "met" : "MISSED");
}

// A sheet of 100,000 phrases and hit counts: every sheet to CSV through the
// driver manager and our driver, then the sheet's CSV imported.
Row spreadsheetImport(const bench::GeneratedList& list, const std::string& folder) {
    constexpr size_t kRows = 100000;
    const std::string book = folder + "/sheet.xlsx";
    if (!bench::writeXlsx(book, list.phrases, list.hits, kRows)) return {"Spreadsheet import", "failed", "", "", "", false};
    const std::string base = folder + "/pwr_exportxls2csv.csv";
    Project project;
    int added = 0;
    const double t = seconds([&] {
        if (convertSpreadsheet(book, base, PW_SHEET_DRIVER).result != ConvertResult::Success) return;
        const ChooseColumns phraseAndHits = [](const std::string&, const ImportColumns& offered) {
            return std::optional<ImportColumns>(ImportColumns{offered.count, 0, 1});
        };
        added = importFiles(project, project.mainList, {spreadsheetCsvPath(base, 0)}, phraseAndHits).added;
    });
    const bool whole = added == static_cast<int>(std::min(kRows, list.phrases.size()) + 1);
    return {"Spreadsheet import, " + formatCount(std::min(kRows, list.phrases.size())) + " rows",
            whole ? fmtSeconds(t) : "failed", "", "", "< 3 s", whole && t < 3.0};
}

UpdateResult runUpdate(Project& project, const FilterSettings& filters) {
    UpdateRequest request;
    request.filters = filters;
    return updateFilters(project, project.mainList, request);
}

FilterSettings ignoreFilter(const std::string& words, bool wholeWords) {
    FilterSettings f;
    f.ignoreOn = true;
    f.ignoreText = words;
    f.wholeWordsOnly = wholeWords;
    return f;
}

struct IgnoreUpdates {
    UpdateResult substring;
    UpdateResult whole;
};

// "Update" with the ignore words as substrings and as whole words, each timed
// whole (the matcher for all the words built included) beside grep on the
// same lines, writing to a real file.
IgnoreUpdates ignoreUpdates(Project& project, const std::string& label, const std::string& lines,
                            const std::string& ignoreFile, const std::string& ignoreText, const std::string& workFolder,
                            std::vector<Row>& rows) {
    IgnoreUpdates out;
    const double tGrep = shellSeconds("LC_ALL=C grep -v -i -F -f '" + ignoreFile + "' '" + lines + "' > '" +
                                      workFolder + "/kept.txt'");
    const double tSubstring = seconds([&] { out.substring = runUpdate(project, ignoreFilter(ignoreText, false)); });
    rows.push_back({"Update, substring ignore words" + label, fmtSeconds(tSubstring),
                    "grep -v -i -F -f " + fmtSeconds(tGrep), fmtRatio(tSubstring / tGrep), "<= 2x grep",
                    tSubstring <= 2 * tGrep});
    const double tWhole = seconds([&] { out.whole = runUpdate(project, ignoreFilter(ignoreText, true)); });
    rows.push_back({"Update, whole-word ignore words" + label, fmtSeconds(tWhole), "grep -v -i -F -f " + fmtSeconds(tGrep),
                    fmtRatio(tWhole / tGrep), "<= 1x grep", tWhole <= tGrep});

    // The same through phrasewright-cli, which also loads and saves the project.
    Project copy;
    copy.path = workFolder + "/cli-source.pwj";
    copy.mainList = project.mainList;
    saveProject(copy);
    for (const bool wholeWords : {false, true}) {
        const std::string target = workFolder + "/cli.pwj";
        std::filesystem::copy_file(copy.path, target, std::filesystem::copy_options::overwrite_existing);
        const double t = shellSeconds(std::string("'") + PW_CLI_PATH + "' update '" + target + "' --ignore-file '" +
                                      ignoreFile + "' --whole-words " + (wholeWords ? "on" : "off") + " > /dev/null");
        rows.push_back({std::string("  cli update (load+save), ") + (wholeWords ? "whole words" : "substrings") + label,
                        fmtSeconds(t), "grep -v -i -F -f " + fmtSeconds(tGrep), fmtRatio(t / tGrep),
                        "(no target)", true});
    }
    return out;
}

// The same updates on a second list where almost every phrase holds an ignore word.
void denseListUpdates(const bench::GeneratedList& generated, uint64_t seed, const std::string& ignoreFile,
                      const std::string& ignoreText, const std::string& workFolder, std::vector<Row>& rows) {
    const bench::GeneratedList dense = bench::denseVariant(generated, seed);
    const std::string lines = workFolder + "/dense.txt";
    std::ofstream(lines, std::ios::binary) << bench::asLines(dense.phrases);
    Project project;
    for (size_t i = 0; i < dense.phrases.size(); ++i) project.mainList.phrases.emplace_back(dense.phrases[i], dense.hits[i]);
    const IgnoreUpdates d = ignoreUpdates(project, ", dense list", lines, ignoreFile, ignoreText, workFolder, rows);
    const long long total = static_cast<long long>(dense.phrases.size());
    std::printf("Dense list: %s of %s phrases hold an ignore word (%s as whole words)\n",
                formatCount(total - d.substring.visibleAfter).c_str(), formatCount(total).c_str(),
                formatCount(total - d.whole.visibleAfter).c_str());
}

// The fast filter against one pass per ignore word on a sample; both must
// hide the same phrases.
Row againstReference(const std::vector<std::string>& phrases, const std::vector<std::string>& ignore, bool wholeWords) {
    Group sample("sample");
    for (size_t i = 0; i < std::min<size_t>(50000, phrases.size()); ++i) sample.phrases.emplace_back(phrases[i]);
    const std::vector<std::string_view> words(ignore.begin(), ignore.end());
    Group fast = sample;
    Group slow = sample;
    int fastCount = 0;
    int slowCount = 0;
    const double tFast = seconds([&] { fastCount = deactivateMatchingAny(fast, words, wholeWords); });
    const double tSlow = seconds([&] {
        for (std::string_view w : words) slowCount += deactivateMatching(slow, w, wholeWords);
    });
    bool same = fastCount == slowCount;
    for (size_t i = 0; same && i < fast.phrases.size(); ++i) same = fast.phrases[i].active == slow.phrases[i].active;
    return {std::string("Filter, ") + (wholeWords ? "whole words" : "substrings") + " (50,000)", fmtSeconds(tFast),
            "one pass per word " + fmtSeconds(tSlow), fmtRatio(tFast / tSlow),
            same ? "same phrases and count" : "RESULTS DIFFER", same};
}

// 200 project files of 20,000 phrases and 30 ads each, searched for ads
// whose title holds "hotel": ads-only reading against reading everything.
std::vector<Row> pastAdsSearch(const bench::GeneratedList& generated, const std::string& folder) {
    std::filesystem::create_directories(folder);
    const size_t phrasesPerFile = std::min<size_t>(20000, generated.phrases.size());
    for (int f = 0; f < 200; ++f) {
        Project p;
        p.path = folder + "/project" + std::to_string(f) + ".pwj";
        for (size_t i = 0; i < phrasesPerFile; ++i) {
            const size_t k = (f * 7919 + i) % generated.phrases.size();
            p.mainList.phrases.emplace_back(generated.phrases[k], generated.hits[k]);
        }
        for (int g = 0; g < 3; ++g) {
            Group& group = appendGroup(p, "Group " + std::to_string(g));
            for (int a = 0; a < 10; ++a) {
                Ad ad;
                ad.title = (a % 3 == 0 ? "Hotel deals " : "Cheap flights ") + std::to_string(f);
                ad.line1 = "Great prices every day";
                ad.displayUrl = "www.example.com";
                ad.destinationUrl = "http://www.example.com/" + std::to_string(a);
                group.adLists[a % 4].push_back(ad);
            }
        }
        saveProject(p);
    }
    SearchRequest request;
    request.query[0] = {"hotel", false, false};
    request.files = projectFilesIn(folder);
    size_t found = 0;
    const double adsOnly = seconds([&] { searchPastAds(request, [&](FoundAd) { ++found; }); });
    request.adsOnly = false;
    const double full = seconds([&] { searchPastAds(request, [](FoundAd) {}); });
    std::printf("Past-ads search: %zu ads found in %zu files\n", found, request.files.size());
    return {{"Past-ads search, 200 files", fmtSeconds(adsOnly), "reading everything " + fmtSeconds(full),
             fmtRatio(adsOnly / full), "< 1 s", adsOnly < 1.0}};
}

int measureLoad(const std::string& path) {
    Project project;
    project.path = path;
    if (loadProject(project) != LoadCode::Loaded) return 1;
    std::printf("%ld %zu\n", peakMemoryKb(), project.mainList.phrases.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Times the keyword engine against grep and sort on a generated list."};
    size_t phraseCount = 1000000;
    size_t ignoreCount = 10000;
    uint64_t seed = 42;
    std::string workFolder;
    std::string measureLoadPath;
    app.add_option("--phrases", phraseCount, "Phrases in the list");
    app.add_option("--ignore-words", ignoreCount, "Ignore words");
    app.add_option("--seed", seed, "Generator seed");
    app.add_option("--work", workFolder, "Folder for the generated files (default: a temporary one)");
    app.add_option("--measure-load", measureLoadPath)->group("");
    bool updatesOnly = false;
    bool keep = false;
    app.add_flag("--keep", keep, "Keep the generated files in the work folder");
    app.add_flag("--updates-only", updatesOnly, "Only the ignore-word updates, on both lists");
    CLI11_PARSE(app, argc, argv);
    if (!measureLoadPath.empty()) return measureLoad(measureLoadPath);

    namespace fs = std::filesystem;
    if (workFolder.empty()) workFolder = (fs::temp_directory_path() / ("pwbench-" + std::to_string(::getpid()))).string();
    fs::create_directories(workFolder);
    const std::string csv = workFolder + "/list.csv";
    const std::string lines = workFolder + "/list.txt";
    const std::string ignoreFile = workFolder + "/ignore.txt";
    const std::string projectFile = workFolder + "/bench.pwj";

    std::printf("Generating %s phrases and %s ignore words (seed %llu) in %s\n", formatCount(phraseCount).c_str(),
                formatCount(ignoreCount).c_str(), static_cast<unsigned long long>(seed), workFolder.c_str());
    const bench::GeneratedList generated = bench::generateList(phraseCount, ignoreCount, seed);
    std::ofstream(csv, std::ios::binary) << bench::asCsv(generated);
    std::ofstream(lines, std::ios::binary) << bench::asLines(generated.phrases);
    const std::string ignoreText = bench::asLines(generated.ignoreWords);
    std::ofstream(ignoreFile, std::ios::binary) << ignoreText;

    std::vector<Row> rows;
    Project project;
    project.path = projectFile;

    if (updatesOnly) {
        for (size_t i = 0; i < generated.phrases.size(); ++i)
            project.mainList.phrases.emplace_back(generated.phrases[i], generated.hits[i]);
        ignoreUpdates(project, "", lines, ignoreFile, ignoreText, workFolder, rows);
        denseListUpdates(generated, seed, ignoreFile, ignoreText, workFolder, rows);
        print(rows);
        if (!keep) fs::remove_all(workFolder);
        return 0;
    }

    const double tImport = seconds([&] { importFiles(project, project.mainList, {csv}, nullptr); });
    rows.push_back({"CSV import", fmtSeconds(tImport), "", "", "< 2 s", tImport < 2.0});

    rows.push_back(spreadsheetImport(generated, workFolder));

    const double tSave = seconds([&] { saveProject(project); });
    rows.push_back({"Save", fmtSeconds(tSave), "", "", "< 1 s", tSave < 1.0});
    resetProject(project);
    project.path = projectFile;
    const double tLoad = seconds([&] { loadProject(project); });
    rows.push_back({"Load", fmtSeconds(tLoad), "", "", "< 1 s", tLoad < 1.0});

    const double tSortBaseline = shellSeconds("LC_ALL=C sort -f '" + lines + "' -o '" + workFolder + "/sorted.txt'");
    PhraseOrder threeKeys;  // alphabetically, by hit count, by word count
    const double tSort = seconds([&] { sortPhrases(project.mainList, threeKeys); });
    rows.push_back({"Sort, three keys", fmtSeconds(tSort), "LC_ALL=C sort -f " + fmtSeconds(tSortBaseline),
                    fmtRatio(tSort / tSortBaseline), "<= 1x sort", tSort <= tSortBaseline});

    const IgnoreUpdates typical = ignoreUpdates(project, "", lines, ignoreFile, ignoreText, workFolder, rows);
    FilterSettings duplicates;
    duplicates.duplicates = true;
    UpdateResult dedup;
    const double tDuplicates = seconds([&] { dedup = runUpdate(project, duplicates); });
    rows.push_back({"Update, delete duplicates", fmtSeconds(tDuplicates), "LC_ALL=C sort -f " + fmtSeconds(tSortBaseline),
                    fmtRatio(tDuplicates / tSortBaseline), "(no target)", true});

    denseListUpdates(generated, seed, ignoreFile, ignoreText, workFolder, rows);

    rows.push_back(againstReference(generated.phrases, generated.ignoreWords, false));
    rows.push_back(againstReference(generated.phrases, generated.ignoreWords, true));

    for (Row& row : pastAdsSearch(generated, workFolder + "/pastads")) rows.push_back(std::move(row));

    long peakKb = -1;
    if (FILE* child = ::popen(("'" + fs::read_symlink("/proc/self/exe").string() + "' --measure-load '" + projectFile + "'").c_str(), "r")) {
        if (std::fscanf(child, "%ld", &peakKb) != 1) peakKb = -1;
        ::pclose(child);
    }
    const double peakMb = peakKb / 1024.0;
    char mem[32];
    std::snprintf(mem, sizeof mem, "%.0f MB", peakMb);
    rows.push_back({"Peak memory, list loaded", mem, "", "", "< 200 MB", peakKb > 0 && peakMb < 200});

    std::printf("Visible after: substring update %s, whole-word update %s, duplicates %s\n\n",
                formatCount(typical.substring.visibleAfter).c_str(), formatCount(typical.whole.visibleAfter).c_str(),
                formatCount(dedup.visibleAfter).c_str());
    print(rows);
    if (!keep) fs::remove_all(workFolder);
    return 0;
}
