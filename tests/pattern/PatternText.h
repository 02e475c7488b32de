#pragma once
// Small pattern files written in the tests, read and played as the game does.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pattern/PatternReader.h"
#include "pattern/PatternTrace.h"

// body inside a vertical <bulletml> root, its first line being line 2.
inline std::string PatternFile(const std::string& body) {
    return "<bulletml type=\"vertical\">\n" + body + "\n</bulletml>\n";
}

inline PatternRead ReadBody(const std::string& body) {
    return ReadPatternText(PatternFile(body), "test.xml");
}

// Every fire of the pattern over steps steps, as velmora-sim prints it.
inline std::vector<std::string> Fires(const std::string& body, double rank = 0.5, int steps = 60) {
    PatternRead read = ReadBody(body);
    EXPECT_TRUE(read.program) << (read.findings.empty() ? "" : read.findings[0]);
    std::vector<std::string> lines;
    if (!read.program) return lines;
    for (const PatternFired& f : TracePattern(*read.program, rank, steps))
        lines.push_back(DescribeFire(f));
    return lines;
}

// The findings of a file that must be refused.
inline std::vector<std::string> Findings(const std::string& body) {
    PatternRead read = ReadBody(body);
    EXPECT_FALSE(read.program);
    return read.findings;
}
