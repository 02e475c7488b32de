#pragma once
#include <string>
#include <vector>

// Where an installation keeps the folder that holds Media/, and its prefix;
// both with a trailing '/'.
struct Installation {
    std::string dataDir, prefix;
};

// Where the game takes its files from.
struct DataDir {
    std::string dir;  // the folder that holds Media/, with a trailing '/'
    // The prefix of the installation the folder belongs to, with a trailing
    // '/'; empty for a build, a copied folder or any other folder. An
    // installed game writes nothing under it.
    std::string installPrefix;

    bool Installed() const { return !installPrefix.empty(); }
};

// Whether the folder (with its trailing '/') holds Media/.
bool HasMedia(const std::string& dir);
// The folder the game takes Media/ from: the one given on the command line,
// else the executable's own when Media/ is beside it (a build, a copied
// folder), else the first installed one that has Media/, else the
// executable's. A folder that is an installation's data folder, however it
// was reached, counts as installed.
DataDir FindDataDir(const std::string& given, const std::string& exeDir,
                    const std::vector<Installation>& installed);
// Why mediaDir (with its trailing '/') does not hold the game's files: its
// stage is missing or not a file. Empty when it holds them.
std::string MissingPack(const std::string& mediaDir);
// The player's folder for the game's data, with a trailing '/':
// $XDG_DATA_HOME/velmora/, or ~/.local/share/velmora/ when that variable is
// unset, relative or inside the installation; empty without a home.
std::string UserDataDir(const char* xdgDataHome, const char* home,
                        const std::string& installPrefix);
