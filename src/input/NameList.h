#pragma once
// Lists of names as the settings file writes them: separated by commas.
#include <string>
#include <string_view>
#include <vector>

// The names of a list, without the blanks around them; empty entries are skipped.
std::vector<std::string> SplitNames(std::string_view list);
std::string JoinNames(const std::vector<std::string>& names);
