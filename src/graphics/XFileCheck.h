#pragma once
#include <string>
#include <string_view>

// A damaged .x file can claim a billion vertices and make the importer allocate
// for them. Every count and index in a real file is smaller than the file itself;
// this checks that before the importer sees the file. Text and binary files only.
bool HasPlausibleCounts(std::string_view file, std::string& why);
