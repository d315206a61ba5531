// phrasewright-uibench: times the real main window on a project of N phrases
// (default 1,000,000) with a group as large: load, "Update" with 10,000
// ignore words, a tab switch, moves of 10,000 rows and a group made from
// 10,000 rows. Each step is timed until the window has shown its result.

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <filesystem>
#include <set>

#include "bench/listgenerator.h"
#include "core/projectfile.h"
#include "core/text.h"
#include "app/gui/composition.h"
#include "ui/common/jobrunner.h"

namespace {

using namespace pw;

struct Step {
    std::string name;
    double seconds;
    int progressUpdates;
};

class Timer {
public:
    Timer(ui::MainWindowController& c) : controller_(c) {}

    // Runs the command and waits until the worker is done and the window has painted.
    template <typename F>
    Step time(const std::string& name, F&& command) {
        std::set<int> seen;
        QElapsedTimer clock;
        clock.start();
        command();
        while (controller_.busy()) {
            seen.insert(controller_.status().progress);
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QApplication::processEvents();
        const double s = clock.nsecsElapsed() / 1e9;
        return {name, s, static_cast<int>(seen.size())};
    }

private:
    ui::MainWindowController& controller_;
};

std::vector<int> firstRows(int n) {
    std::vector<int> rows(n);
    for (int i = 0; i < n; ++i) rows[i] = i * 3;
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CLI::App cli{"Times the main window on a large project."};
    size_t phraseCount = 1000000;
    uint64_t seed = 42;
    cli.add_option("--phrases", phraseCount, "Phrases in the main list and in the large group");
    cli.add_option("--seed", seed, "Generator seed");
    CLI11_PARSE(cli, argc, argv);

    namespace fs = std::filesystem;
    const std::string work = (fs::temp_directory_path() / ("pwuibench-" + std::to_string(::getpid()))).string();
    fs::create_directories(work);
    std::printf("Generating a project of %s phrases and a group of as many...\n", formatCount(phraseCount).c_str());
    const bench::GeneratedList list = bench::generateList(phraseCount, 10000, seed);
    {
        Project p;
        p.path = work + "/big.pwj";
        Group& big = appendGroup(p, "Big group");
        for (size_t i = 0; i < list.phrases.size(); ++i) {
            p.mainList.phrases.emplace_back(list.phrases[i], list.hits[i]);
            big.phrases.emplace_back(list.phrases[i], list.hits[i]);
        }
        p.importedCount = p.editedCount = static_cast<int32_t>(phraseCount);
        if (!saveProject(p)) return 1;
    }
    std::string ignoreText;
    for (const std::string& w : list.ignoreWords) ignoreText += w + "\r\n";

    // The window as the program builds it.
    app::ProgramOptions options;
    options.dataDir = work + "/data";
    const std::unique_ptr<app::Program> program = app::composeProgram(options);
    ui::MainWindowController& controller = program->controller();
    program->window().show();
    Timer timer(controller);
    std::vector<Step> steps;

    steps.push_back(timer.time("Load until the list is shown", [&] { controller.start(work + "/big.pwj"); }));
    steps.push_back(timer.time("Update, 10,000 ignore words", [&] {
        FilterSettings typed = controller.filtering().filters();
        typed.ignoreOn = true;
        typed.ignoreText = ignoreText;
        typed.wholeWordsOnly = false;
        controller.filtering().setFilters(typed);
        controller.filtering().update();
    }));
    steps.push_back(timer.time("Tab switch to the large group", [&] { controller.selectTab(1); }));
    steps.push_back(timer.time("Tab switch back", [&] { controller.selectTab(0); }));
    controller.goToPhase(2);
    steps.push_back(timer.time("10,000 rows to the 'Delete' box", [&] { controller.deleteBox().moveToDeleteBox(firstRows(10000)); }));
    std::vector<int> all(controller.deleteBox().count());
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    steps.push_back(timer.time("10,000 rows back", [&] { controller.deleteBox().moveBackFromDeleteBox(all); }));
    controller.goToPhase(3);
    steps.push_back(timer.time("10,000 rows into list 1", [&] { controller.sideLists().moveToList1(firstRows(10000)); }));
    steps.push_back(timer.time("Group from 10,000 rows of list 1", [&] {
        controller.sideLists().setPhase3Box(&ui::Phase3Boxes::list1Name, "From list 1");
        controller.sideLists().createGroupFromList1();
    }));

    std::printf("\n%-36s %10s  %8s  %s\n", "step", "time", "target", "progress updates");
    bool met = true;
    for (const Step& s : steps) {
        const bool ok = s.seconds < 1.5;
        met = met && ok;
        std::printf("%-36s %8.3f s  %8s  %d %s\n", s.name.c_str(), s.seconds, "< 1.5 s", s.progressUpdates,
                    ok ? "met" : "MISSED");
    }
    program->jobs().wait();
    fs::remove_all(work);
    return met ? 0 : 1;
}
