#pragma once
// What the checker says of a pattern file: its findings, or how it played.
#include <string>

// True when path looks like a pattern file rather than a stage: its name ends
// in .xml or its first non-blank byte opens an XML tag.
bool LooksLikePattern(const std::string& path);

struct PatternCheck {
    std::string report;  // one line per finding or bound, or what the file holds
    bool clean = false;
};
// Reads the file and plays it at the lowest and the highest rank; a bound any
// play reaches is reported for the file.
PatternCheck CheckPattern(const std::string& path);
