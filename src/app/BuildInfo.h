#pragma once
// Facts fixed when the game is built and installed (written by CMake).
#include <string>
#include <vector>

#include "app/DataDir.h"

// "0.1", or "0.1 (v0.1-5-gabc1234)" when built from a git checkout.
const char* GameVersion();
// Where an installed game keeps the folder that holds Media/, with the
// installation's prefix: relative to the executable's folder first (so a moved
// installation still finds it), then where it was installed.
std::vector<Installation> Installations(const std::string& exeDir);
