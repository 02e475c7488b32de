#pragma once
// What the game will make of a stage file: every line it ignores or cannot
// honour, with its number, how long the stage's timeline runs, its name, where
// practice can start in it, and the enemy kinds it brings in. For people who
// write stages by hand.
#include <string>
#include <utility>
#include <vector>

#include "script/StageScript.h"

struct StageCheck {
    // A place practice can start, and when the timeline reaches it: steps
    // from the stage's start, or from the end of the boss's fight.
    struct Start {
        StageSection section;
        long steps = 0;
        bool afterBoss = false;
    };

    bool readable = false;
    // "line 12: ..." in line order, then the content's "FILE:LINE: ...".
    std::vector<std::string> findings;
    // The steps the timeline waits before it reaches the boss (all of its
    // sleeps when there is no boss), and after the boss's fight.
    long stepsBeforeBoss = 0, stepsAfterBoss = 0;
    bool hasBoss = false;
    // A sleep below zero: the timeline stops there for good.
    bool stopsForGood = false;
    // From its "stage" line; empty without one.
    std::string name;
    std::vector<Start> starts;
    // Each kind and boss it names, in the order they first come, with how many.
    std::vector<std::pair<std::string, int>> kinds;

    bool Clean() const { return readable && findings.empty(); }
};

// Reads the file and its content as the game does (mediaDir: the pack's
// folder, with its trailing '/') and checks every line.
StageCheck CheckStage(const std::string& path, const std::string& mediaDir);

// The practice start a player names in a stage file (see FindPracticeStart);
// -1 when there is none of that name, with the stage's sections for the
// player, a line each ("  1 FIRST CONTACT\n").
int NamedPracticeStart(const std::string& path, const std::string& mediaDir,
                       const std::string& nameOrNumber, std::string& sections);
// The findings, then the name, the length, the practice starts and the kinds,
// as lines of text.
std::string DescribeStageCheck(const StageCheck& check);
// "123 steps (0:02)": a count of steps and the time it takes at 60 a second.
std::string StepsAsTime(long steps);
