#pragma once
// Which stages are the game's own beyond the first, in the order the whole
// game plays them: Media/stages.toml names them, so a stage is added to the
// game by a line there and its files beside it.
#include <functional>
#include <string>
#include <vector>

// mediaDir: the pack's folder, with its trailing '/'. The stages' paths in
// order; a file that is missing, or a stages.toml that does not read, is said
// once to `report` and left out. No stages.toml: none beyond the first.
std::vector<std::string> PackStages(const std::string& mediaDir,
                                    const std::function<void(const std::string&)>& report);
