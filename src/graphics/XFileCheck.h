#pragma once
#include <string>
#include <string_view>

// The model importer trusts the files it reads: a damaged .x file can make it
// allocate for a billion vertices or follow a material that is not there. This
// reads the structure of a text or binary .x file first and says what is wrong
// with it, if anything: counts that do not fit the file, indices out of range,
// lists that end early, material lists that do not match their materials.
bool IsSoundXFile(std::string_view file, std::string& why);
