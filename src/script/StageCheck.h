#pragma once
// What the game will make of a stage file: every line it ignores or cannot
// honour, with its number, how long the stage's timeline runs, and the enemy
// kinds it brings in. For people who write stages by hand.
#include <string>
#include <utility>
#include <vector>

struct StageCheck {
    bool readable = false;
    // "line 12: ..." in line order.
    std::vector<std::string> findings;
    // The steps the timeline waits before it reaches the boss (all of its
    // sleeps when there is no boss), and after the boss's fight.
    long stepsBeforeBoss = 0, stepsAfterBoss = 0;
    bool hasBoss = false;
    // A sleep below zero: the timeline stops there for good.
    bool stopsForGood = false;
    // Each kind it names, in the order of the kind table, with how many come.
    std::vector<std::pair<std::string, int>> kinds;

    bool Clean() const { return readable && findings.empty(); }
};

// Reads the file as the game does and checks every line.
StageCheck CheckStage(const std::string& path);
// The findings, then the length and the kinds, as lines of text.
std::string DescribeStageCheck(const StageCheck& check);
