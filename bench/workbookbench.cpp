// Peak memory and time of the spreadsheet driver's readers on each workbook
// given (for example the files tests/tools/make_hostile_workbooks.py makes).
// Each file is read in a child process of its own, so that its peak resident
// size is its own; --limit-mb caps the child's address space, so that a
// reader without a budget fails there instead of taking the machine's memory.
//
// Usage: phrasewright-workbookbench [--limit-mb N] FILE...

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "workbook.h"

namespace {

// The child's answer: read, refused with a message, or out of memory.
int readInChild(const std::string& path, long limitMb) {
    if (limitMb > 0) {
        const rlimit limit{static_cast<rlim_t>(limitMb) << 20, static_cast<rlim_t>(limitMb) << 20};
        setrlimit(RLIMIT_AS, &limit);
    }
    try {
        const pwsheet::ReadResult read = pwsheet::readWorkbook(path);
        size_t rows = 0;
        if (read.workbook)
            for (const auto& sheet : read.workbook->sheets) rows += sheet.rows.size();
        std::printf("  %s\n", read.workbook ? ("read, " + std::to_string(rows) + " rows").c_str()
                                             : ("refused: " + read.error).c_str());
        return 0;
    } catch (const std::bad_alloc&) {
        std::printf("  out of memory (the address-space limit)\n");
        return 3;
    }
}

}  // namespace

int main(int argc, char** argv) {
    long limitMb = 0;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--limit-mb" && i + 1 < argc) limitMb = std::atol(argv[++i]);
        else files.push_back(arg);
    }
    if (files.empty()) {
        std::fprintf(stderr, "Usage: %s [--limit-mb N] FILE...\n", argv[0]);
        return 2;
    }
    for (const std::string& file : files) {
        std::printf("%s\n", file.c_str());
        std::fflush(stdout);
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            const int code = readInChild(file, limitMb);
            std::fflush(stdout);
            _exit(code);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("  peak %.0f MB, %.2f s%s\n", usage.ru_maxrss / 1024.0, seconds,
                    WIFSIGNALED(status) ? (" (killed by signal " + std::to_string(WTERMSIG(status)) + ")").c_str() : "");
        std::fflush(stdout);
    }
    return 0;
}
