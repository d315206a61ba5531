#include "app/cli/clicommands.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>

#include "core/atomicfile.h"
#include "core/filterupdate.h"
#include "core/groupoperations.h"
#include "core/keywordforms.h"
#include "core/listordering.h"
#include "core/phraselist.h"
#include "core/projectfile.h"
#include "core/text.h"
#include "core/unwantedcountries.h"
#include "io/listexport.h"
#include "io/programfolder.h"
#include "io/spreadsheetimport.h"
#include "io/textimport.h"

namespace pw::cli {

namespace {

using Json = nlohmann::ordered_json;

// A folder of its own for a spreadsheet's CSV files, so that importing from
// the command line leaves the user's program folder alone.
struct ScratchFolder {
    std::string path;
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "phrasewright-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
};

constexpr int kFailed = 1;
constexpr int kNotLoaded = 2;

// Loads the project, or says why not in the window's words.
int openProject(const Streams& io, const std::string& path, Project& project) {
    resetProject(project);
    project.path = path;
    const LoadCode code = loadProject(project);
    if (code == LoadCode::Loaded) return 0;
    io.err << loadMessage(code).text << "\n";
    return kNotLoaded;
}

int saveOrComplain(const Streams& io, Project& project) {
    if (saveProject(project)) return 0;
    io.err << "Cannot save project!\n";
    return kFailed;
}

Group* listOrComplain(const Streams& io, Project& project, const std::string& name) {
    Group* list = findList(project, name);
    if (!list) io.err << "There is no group named '" << name << "'.\n";
    return list;
}

Json listInfo(const Group& g) {
    const int inactive = countPhrases(g.phrases, true, true) - countPhrases(g.phrases, false, true);
    const int setAside = countPhrases(g.phrases, true, true) - countPhrases(g.phrases, true, false);
    Json ads = Json::array();
    for (const AdList& list : g.adLists) ads.push_back(list.size());
    return Json{
        {"name", displayText(g.name)},
        {"phrases", g.phrases.size()},
        {"visible", visibleCount(g.phrases)},
        {"inactive", inactive},
        {"set_aside", setAside},
        {"color", g.colorIndex},
        {"max_words", g.maxWords},
        {"delete_duplicates", g.deleteDuplicates},
        {"delete_unwanted_characters", g.deleteUnwantedCharacters},
        {"ignore_text", g.ignoreText ? Json(displayText(*g.ignoreText)) : Json(nullptr)},
        {"whole_words_only", g.wholeWordsOnly},
        {"delete_countries", g.deleteCountries},
        {"ads", ads},
        {"modified_time", g.modifiedTime},
    };
}

std::optional<SortKey> sortKeyNamed(const std::string& name) {
    static constexpr std::array<std::pair<std::string_view, SortKey>, 6> kNames{{
        {"alpha", SortKey::Alphabetical},
        {"hits", SortKey::HitCount},
        {"words", SortKey::WordCount},
        {"free", SortKey::FreeText},
        {"capitalised", SortKey::Capitalised},
        {"digits", SortKey::StartsWithDigit},
    }};
    for (const auto& [text, key] : kNames)
        if (text == name) return key;
    return std::nullopt;
}

}  // namespace

int newProject(const Streams& io, const std::string& projectPath, bool overwrite) {
    if (!overwrite && fileExists(projectPath)) {
        io.err << "Project '" << projectPath << "' already exists! Use --force to overwrite it.\n";
        return kFailed;
    }
    Project project;
    project.path = projectPath;
    return saveOrComplain(io, project);
}

int info(const Streams& io, const std::string& projectPath) {
    Project project;
    if (const int status = openProject(io, projectPath, project)) return status;
    Json countries = Json::array();
    for (std::string_view name : countryNames(project.unwantedCountries)) countries.push_back(displayText(name));
    Json lists = Json::array({listInfo(project.mainList)});
    for (const auto& group : project.groups) lists.push_back(listInfo(*group));
    const Json out{
        {"load_code", LoadCode::Loaded},
        {"imported", project.importedCount},
        {"edited", project.editedCount},
        {"created", displayText(project.createdDate)},
        {"modified", displayText(project.modifiedDate)},
        {"unwanted_characters", displayText(project.unwantedCharacters)},
        {"countries", countries},
        {"lists", lists},
    };
    io.out << out.dump(2) << "\n";
    return 0;
}

int dump(const Streams& io, const std::string& projectPath, const std::string& listName) {
    Project project;
    if (const int status = openProject(io, projectPath, project)) return status;
    const Group* list = listOrComplain(io, project, listName);
    if (!list) return kFailed;
    std::string out;
    for (const Phrase& p : list->phrases) {
        out.append(p.text()).append("\t").append(std::to_string(p.hitCount));
        out.append(p.active ? "\t1" : "\t0").append(p.setAside ? "\t1\n" : "\t0\n");
    }
    io.out << out;
    return 0;
}

namespace {
// The spreadsheet road: every sheet converted into the scratch folder, the
// chosen one's CSV file imported. None when it failed (and said why).
std::optional<std::string> spreadsheetSheetFile(const Streams& io, const std::string& path,
                                                const ImportOptions& options, const ScratchFolder& scratch) {
    const std::string driver = options.driver.empty() ? bundledSpreadsheetDriver() : options.driver;
    const std::string base = ProgramFolder(scratch.path).file(kSpreadsheetCsvBaseName);
    const SpreadsheetConversion conversion = convertSpreadsheet(path, base, driver);
    if (conversion.result != ConvertResult::Success) {
        io.err << path << ": " << convertMessage(conversion.result) << "\n";
        return std::nullopt;
    }
    if (options.sheet < 1 || options.sheet > conversion.sheetCount()) {
        io.err << path << ": there is no sheet " << options.sheet << " (the workbook has "
               << conversion.sheetCount() << ").\n";
        return std::nullopt;
    }
    return spreadsheetCsvPath(base, options.sheet - 1);
}

int listSheets(const Streams& io, const std::vector<std::string>& files, const ImportOptions& options) {
    if (files.size() != 1 || !isSpreadsheetFile(files.front())) {
        io.err << "--list-sheets takes one .xls, .xlsx or .ods file.\n";
        return kFailed;
    }
    const std::string driver = options.driver.empty() ? bundledSpreadsheetDriver() : options.driver;
    const SpreadsheetConversion listing = listSpreadsheetSheets(files.front(), driver);
    if (listing.result != ConvertResult::Success) {
        io.err << files.front() << ": " << convertMessage(listing.result) << "\n";
        return kFailed;
    }
    for (const std::string& name : listing.sheetNames) io.out << sheetDisplayName(name) << "\n";
    return 0;
}
}  // namespace

int importLists(const Streams& io, const std::string& projectPath, const std::vector<std::string>& files,
                const ImportOptions& options) {
    if (options.listSheets) return listSheets(io, files, options);
    const bool anySpreadsheet = std::any_of(files.begin(), files.end(), [](const std::string& f) { return isSpreadsheetFile(f); });
    if (anySpreadsheet && files.size() > 1) {
        io.err << "Cannot import multiple XLS files at once!\n";
        return kFailed;
    }
    Project project;
    if (const int status = openProject(io, projectPath, project)) return status;
    Group* target = listOrComplain(io, project, options.listName);
    if (!target) return kFailed;

    std::vector<std::string> toRead = files;
    const ScratchFolder scratch;
    if (anySpreadsheet) {
        const std::optional<std::string> sheetFile = spreadsheetSheetFile(io, files.front(), options, scratch);
        if (!sheetFile) return kFailed;
        toRead = {*sheetFile};
    }

    // Stands in for the column dialog of the window; a choice it refuses
    // fails the whole command before anything is read or saved.
    bool refused = false;
    const ChooseColumns chooseColumns = [&](const std::string& path, const ImportColumns& offered) -> std::optional<ImportColumns> {
        if (!options.columns) return offered;
        const ColumnChoice& given = *options.columns;
        ImportColumns columns = offered;
        columns.phraseColumn = given.phrase - 1;
        columns.hitColumn = given.hits ? *given.hits - 1 : -1;
        if (columns.hitColumn == columns.phraseColumn) columns.hitColumn = -1;
        const int count = columns.count;
        const int missing = !columns.usable() ? given.phrase : columns.hitColumn >= count ? *given.hits : 0;
        if (missing != 0) {
            io.err << (anySpreadsheet ? files.front() : path) << ": there is no column " << missing
                   << " (the file has " << count << ").\n";
            refused = true;
            return std::nullopt;
        }
        return columns;
    };
    const std::vector<PlannedFile> plan = planImport(toRead, chooseColumns);
    if (refused) return kFailed;
    const ImportReport report = runImport(project, *target, plan);
    project.modified = true;
    if (const int status = saveOrComplain(io, project)) return status;
    io.out << Json{{"added", report.added}}.dump() << "\n";
    if (report.problem == ImportProblem::None) return 0;
    io.err << (anySpreadsheet ? files.front() : report.problemFile) << ": " << importMessage(report.problem).text
           << "\n";
    return kFailed;
}

int update(const Streams& io, const std::string& projectPath, const UpdateOptions& options) {
    Project project;
    if (const int status = openProject(io, projectPath, project)) return status;
    Group* list = listOrComplain(io, project, options.listName);
    if (!list) return kFailed;

    UpdateRequest request;
    FilterSettings& f = request.filters;
    if (options.ignoreFile) {
        std::string bytes;
        if (!readWholeFile(*options.ignoreFile, bytes)) {
            io.err << "Cannot open file for importing! (" << *options.ignoreFile << ")\n";
            return kFailed;
        }
        f.ignoreText = decodeTextFile(bytes);
        f.ignoreOn = true;
    }
    f.wholeWordsOnly = options.wholeWords;
    f.maxWordsOn = options.maxWords.has_value();
    if (options.maxWords) f.maxWordsText = std::to_string(*options.maxWords);
    f.unwantedCharacters = options.unwantedCharacters;
    f.duplicates = options.duplicates;
    f.countries = options.countries;

    const UpdateResult result = updateFilters(project, *list, request);
    if (result.tooManyIgnoreWords) io.err << "Too many words added in the ignore box! The list will be truncated!\n";
    project.modified = true;
    if (const int status = saveOrComplain(io, project)) return status;
    io.out << Json{{"changed", result.changed}, {"visible", result.visibleAfter}, {"edited", project.editedCount}}.dump()
           << "\n";
    return 0;
}

int set(const Streams& io, const std::string& projectPath, const SetOptions& options) {
    Project project;
    if (const int status = openProject(io, projectPath, project)) return status;
    if (options.countriesFile) {
        std::string bytes;
        if (!readWholeFile(*options.countriesFile, bytes)) {
            io.err << "Cannot open " << *options.countriesFile << "\n";
            return kFailed;
        }
        const std::string text = decodeTextFile(bytes);
        std::vector<std::string> names;
        for (std::string_view name : countryNames(text)) names.emplace_back(name);
        project.unwantedCountries = countriesText(names);
    }
    if (options.unwantedCharacters) {
        const std::string characters = toUtf8(*options.unwantedCharacters);
        if (characters.size() >= kUnwantedCharactersSize) {
            io.err << "At most " << kUnwantedCharactersSize - 1 << " bytes of unwanted characters fit.\n";
            return kFailed;
        }
        project.unwantedCharacters = characters;
    }
    project.modified = true;
    return saveOrComplain(io, project);
}

int sort(const Streams& io, const std::string& projectPath, const SortOptions& options) {
    PhraseOrder order;
    if (options.keys.empty() || options.keys.size() > 3 || options.reverse.size() > 3) {
        io.err << "Give one to three sort keys and at most three reverse flags.\n";
        return kFailed;
    }
    for (size_t i = 0; i < options.keys.size(); ++i) {
        const std::optional<SortKey> key = sortKeyNamed(options.keys[i]);
        if (!key) {
            io.err << "Unknown sort key '" << options.keys[i]
                   << "' (alpha, hits, words, free, capitalised or digits).\n";
            return kFailed;
        }
        order.keys[i] = *key;
    }
    for (size_t i = 0; i < options.reverse.size(); ++i) order.reverse[i] = options.reverse[i] != 0;
    order.freeText = options.freeText;
    if (order.usesFreeText() && order.freeText.empty()) {
        io.err << "The key 'free' needs --free-text.\n";
        return kFailed;
    }

    Project project;
    if (const int status = openProject(io, projectPath, project)) return status;
    Group* list = listOrComplain(io, project, options.listName);
    if (!list) return kFailed;
    sortPhrases(*list, order);
    project.modified = true;
    return saveOrComplain(io, project);
}

int exportList(const Streams& io, const std::string& projectPath, const std::string& outPath,
               const ExportOptions& options) {
    Project project;
    if (const int status = openProject(io, projectPath, project)) return status;
    const Group* list = listOrComplain(io, project, options.listName);
    if (!list) return kFailed;

    std::string bytes;
    if (!options.forms.empty()) {
        KeywordForms forms;
        for (const std::string& form : options.forms) {
            if (form == "broad") forms.broad = true;
            else if (form == "phrase") forms.phrase = true;
            else if (form == "exact") forms.exact = true;
            else {
                io.err << "Unknown form '" << form << "' (broad, phrase or exact).\n";
                return kFailed;
            }
        }
        if (options.notation != "symbols" && options.notation != "types") {
            io.err << "Unknown notation '" << options.notation << "' (symbols or types).\n";
            return kFailed;
        }
        const auto notation = options.notation == "types" ? KeywordNotation::Types : KeywordNotation::Symbols;
        std::vector<ListRow> rows;
        const std::vector<std::string> keywords = keywordRows(*list, forms, notation);
        for (const std::string& row : keywords) rows.push_back({row, 0});
        bytes = listAsText(rows);
    } else {
        const std::vector<ListRow> rows = visibleRows(*list);
        bytes = options.csv ? listAsCsv(rows, options.hits) : listAsText(rows);
    }
    if (!writeExportFile(outPath, bytes)) {
        io.err << kCannotWriteExport.text << " (" << outPath << ")\n";
        return kFailed;
    }
    return 0;
}

int group(const Streams& io, const std::string& projectPath, const std::string& name, const std::string& filter) {
    Project project;
    if (const int status = openProject(io, projectPath, project)) return status;
    switch (groupFromFilter(project, project.mainList, name, filter)) {
    case FilterGroupResult::NameTaken: io.err << "A group with this name already exists!\n"; return kFailed;
    case FilterGroupResult::NothingFound:
        io.err << "No phrase of the main list matches '" << filter << "'.\n";
        return kFailed;
    case FilterGroupResult::Created: break;
    }
    const Group& created = *findGroup(project, groupNameFromBox(name));
    const size_t phrases = created.phrases.size();
    if (const int status = saveOrComplain(io, project)) return status;
    io.out << Json{{"group", displayText(created.name)}, {"phrases", phrases}}.dump() << "\n";
    return 0;
}

}  // namespace pw::cli
