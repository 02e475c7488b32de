#pragma once
#include <string>

// Play time as a clock shows it, "m:ss", from steps at 60 a second; none
// below 0:00.
std::string StepsAsClock(long steps);
