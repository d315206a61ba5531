#pragma once
// The program folder: where the catalogues, the recent-projects list, the
// settings and the default project folder live. On Linux it is the data
// folder given with --data-dir, else the per-user data folder.

#include <string>
#include <string_view>

namespace pw {

class ProgramFolder {
public:
    // `root` with or without a trailing "/".
    explicit ProgramFolder(std::string root);
    // --data-dir when given, else $XDG_DATA_HOME/phrasewright, else
    // ~/.local/share/phrasewright.
    static ProgramFolder standard(std::string_view dataDirOption = {});

    const std::string& root() const { return root_; }  // ends with "/"
    std::string file(std::string_view name) const { return root_ + std::string(name); }

    std::string projectsFolder() const { return file("Projects"); }
    std::string programSubfolder() const { return file("Program"); }
    std::string googleFolder() const { return file("Google"); }
    std::string pluginsFolder() const { return file("Plugins"); }
    std::string countriesFile() const { return file("countries.txt"); }
    std::string unwantedFile() const { return file("unwanted.txt"); }
    std::string recentsFile() const { return programSubfolder() + "/recents.fil"; }
    std::string settingsFile() const { return programSubfolder() + "/pwstg.bin"; }

private:
    std::string root_;
};

// Creates the folder and its parents; failure is not reported (opening a file
// inside it reports instead).
void createFolder(const std::string& path);

// The part of a path after its last "/".
std::string fileNameOf(const std::string& path);
// A plain file (not a folder) is at the path.
bool fileExists(const std::string& path);
// Deletes the file, read-only or not; false when it could not.
bool removeFile(const std::string& path);

}  // namespace pw
