#include "pattern/PatternCheck.h"

#include "pattern/PatternReader.h"
#include "pattern/PatternTrace.h"
#include "util/FileData.h"

bool LooksLikePattern(const std::string& path) {
    if (path.size() >= 4) {
        std::string end = path.substr(path.size() - 4);
        for (char& c : end)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (end == ".xml") return true;
    }
    std::string head, why;
    if (!ReadFileHead(path, 256, head, why)) return false;
    std::size_t first = head.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && head.compare(first, 3, "\xEF\xBB\xBF") == 0)
        first = head.find_first_not_of(" \t\r\n", first + 3);
    return first != std::string::npos && head[first] == '<';
}

PatternCheck CheckPattern(const std::string& path) {
    PatternCheck check;
    PatternRead read = ReadPattern(path);
    for (const std::string& f : read.findings)
        check.report += f + "\n";
    if (!read.program) return check;
    uint8_t bounds = 0;
    int fired = 0;
    for (double rank : {0.0, 1.0}) {
        uint8_t reached = 0;
        fired += static_cast<int>(TracePattern(*read.program, rank, 600, &reached).size());
        bounds |= reached;
    }
    for (auto bound :
         {PatternBound::Commands, PatternBound::Repeat, PatternBound::Depth, PatternBound::Pool}) {
        if (bounds & static_cast<uint8_t>(bound))
            check.report += path + ": bound reached: " + DescribeBound(bound) + "\n";
    }
    check.clean = bounds == 0;
    if (check.clean)
        check.report += path + ": a pattern of " + std::to_string(read.program->tops.size()) +
                        " top action(s); it fired " + std::to_string(fired) +
                        " bullets in 600 steps at ranks 0 and 1\n";
    return check;
}
