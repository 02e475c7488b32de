#pragma once
// Runs one of the project's programs as a player would, and keeps what it said.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct ProgramRun {
    int status;          // the exit status; -1 when it did not exit normally
    std::string output;  // stdout and stderr together
};

// command: a shell command line.
inline ProgramRun RunProgram(const std::string& command) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    ProgramRun run{-1, ""};
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        run.output.append(buffer.data(), n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
