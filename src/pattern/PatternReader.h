#pragma once
// Reads a BulletML file into a program. A file with any fault gets every
// fault as a finding "FILE:LINE: what is wrong" and no program: it is not used.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pattern/PatternProgram.h"

struct PatternRead {
    std::shared_ptr<const PatternProgram> program;  // null when refused
    std::vector<std::string> findings;
};

// No pattern file of any game comes near this size.
inline constexpr std::size_t kMaxPatternBytes = 4u << 20;

PatternRead ReadPattern(const std::string& path);
// The same on bytes in memory; name stands for the file in findings.
PatternRead ReadPatternText(std::string_view text, const std::string& name);
