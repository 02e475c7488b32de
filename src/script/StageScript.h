#pragma once
#include <memory>
#include <string>
#include <vector>

#include "script/ScriptCommands.h"

class StageHost;
struct StageLine;

// The stage: a timeline of commands read once from a text file, run one frame
// at a time. "sleep" makes it wait; the boss halts it until its fight ends.
class StageScript {
public:
    // Reads the file; a missing or unreadable one gives a stage with no commands.
    StageScript(const std::string& path, StageHost& host);

    // One frame: the wait runs down, then every command up to the next wait runs.
    void Tick();
    // Back to the first command, not waiting.
    void Reset();
    // Stops the timeline until Resume or Reset.
    void Halt() { wait = -1; }
    void Resume() { wait = 0; }
    // Waits this many frames from the next one; a negative count stops it.
    void Sleep(int frames) { wait = frames; }

    int Count() const { return static_cast<int>(commands.size()); }
    const ScriptCommand& At(int i) const { return *commands[i]; }
    // The next command and the frames still to wait.
    int Position() const { return pc; }
    int Waiting() const { return wait; }

private:
    void Translate(const StageLine& line, StageHost& host);

    std::vector<std::unique_ptr<ScriptCommand>> commands;
    int pc = 0;
    int wait = 0;
};
