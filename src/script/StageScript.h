#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "script/ScriptCommands.h"
#include "script/StageReader.h"

class StageHost;

// A place in the stage where practice can start.
struct StageSection {
    std::string name;  // as written
    int line = 0;      // from 1; 0 for a place the stage marks without a line (its start, its boss)
    int command = 0;   // the first command from there on
};

// The music the stage would be playing at a command had every line before it
// run at once: the last piece it started, and whether a fade-out came after.
struct StageMusic {
    const MusicChoice* piece = nullptr;  // none
    bool fadedOut = false;
};

// The stage: a timeline of commands read once from a text file, run one frame
// at a time. "sleep" makes it wait; a boss halts it until its fight ends.
// Its name and sections are read beside the commands and change nothing of them.
class StageScript {
public:
    // Reads the file and the content it names (see ReadStage); a missing or
    // unreadable one gives a stage with no commands.
    StageScript(const std::string& path, const std::string& mediaDir, StageHost& host);

    // One frame: the wait runs down, then every command up to the next wait runs.
    void Tick();
    // Back to the first command, not waiting.
    void Reset() { StartAt(0); }
    // The timeline from this command on, not waiting.
    void StartAt(int command);
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

    // Whether the file could be read at all.
    bool Readable() const { return readable; }
    // From its first "stage" line; empty without one.
    const std::string& Name() const { return name; }
    // The "section" lines, in file order.
    const std::vector<StageSection>& Sections() const { return sections; }
    // Where practice can start (see PracticeStarts).
    std::vector<StageSection> PracticeStarts() const;
    StageMusic MusicBefore(int command) const;
    // The field looks as the lines before this command made it (its background).
    void LookAsBefore(int command);
    // What the game plays: the commands and their values and the content they
    // name, not the comments, the name or the sections. Equal stages give
    // equal fingerprints. The old one is how replays and records kept before
    // knew the stage.
    uint64_t Fingerprint() const { return fingerprint; }
    uint64_t OldFingerprint() const { return oldFingerprint; }
    // The kinds, bosses, pieces and models it names.
    const ContentBook& Content() const { return *content; }
    // What the reading found wrong, for whoever writes the stage.
    const std::vector<std::string>& Findings() const { return findings; }

private:
    std::vector<std::unique_ptr<ScriptCommand>> commands;
    int pc = 0;
    int wait = 0;
    bool readable = false;
    std::string name;
    std::vector<StageSection> sections;
    int bossCommand = -1;
    uint64_t fingerprint = 0, oldFingerprint = 0;
    std::vector<std::string> findings;
    // The kinds, bosses and pieces the commands hold on to.
    std::shared_ptr<const ContentBook> content;
};

// Where practice can start in what ReadStage gave (see PracticeStarts below).
std::vector<StageSection> PracticeStartsOf(const StageRead& read);

// Where practice can start in a stage: its sections (after the stage's start,
// named START, when the first is not there), or, without any, the start and
// the boss (the command that brings it; -1 for none), named START and BOSS.
std::vector<StageSection> PracticeStarts(const std::vector<StageSection>& sections,
                                         int bossCommand);

// The start a player names by its number (from 1) or its name in any letter
// case; -1 for none.
int FindPracticeStart(const std::vector<StageSection>& starts, const std::string& nameOrNumber);

// The whole game's fingerprint, from its stages' in order.
uint64_t ChainFingerprint(const std::vector<uint64_t>& stages);

// The fingerprint the first format of replays carries: the file's bytes, less
// its "stage" and "section" lines, which that format did not know of.
uint64_t FirstFormatFingerprint(const std::string& path);
