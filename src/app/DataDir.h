#pragma once
#include <string>
#include <vector>

// Whether the folder (with its trailing '/') holds Media/.
bool HasMedia(const std::string& dir);
// The folder the game takes Media/ from, with a trailing '/': the one given on
// the command line, else the executable's own when Media/ is beside it (a
// build, a copied folder), else the first installed one that has Media/, else
// the executable's.
std::string FindDataDir(const std::string& given, const std::string& exeDir,
                        const std::vector<std::string>& installed);
