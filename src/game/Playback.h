#pragma once
// Watching a recorded game: pause, step, speed from a quarter to sixteen
// times, seeking by ten seconds or by the stage's sections, back to the
// start, and handing the game to the player at any step. The game is
// deterministic, so going back is playing again from the start, silently:
// the whole stage takes a tenth of a second.
#include <vector>

#include "input/PadText.h"
#include "input/ScriptedInput.h"

// What playback asks of the game around it.
class PlaybackHost {
public:
    virtual ~PlaybackHost() = default;
    // One step of the recorded game, with its recorded input.
    virtual void PlayStep(const PadState& pad) = 0;
    // The recorded game at its start again, nothing of the last run left.
    virtual void Rewind() = 0;
    // While silent, steps are not heard; once loud again, the music is the
    // piece the stage plays at that point.
    virtual void SetSilent(bool silent) = 0;
    // The stage's timeline: the next command it will run.
    virtual int TimelinePosition() const = 0;
};

// What the viewer asked for in a frame.
struct PlaybackControls {
    bool pause = false, step = false;
    bool faster = false, slower = false;
    bool forward = false, back = false;
    bool nextSection = false, previousSection = false, start = false;
};

class Playback {
public:
    // Seeking by Right and Left.
    static constexpr long kSeekSteps = 600;
    static constexpr int kSpeeds = 7;  // 1/4 to 16

    // steps: the recorded game's input, from the step that starts it.
    // sectionCommands: where the stage's sections start, in its commands; the
    // steps at which this game reaches them are found by playing it through.
    Playback(PlaybackHost& host, std::vector<PadRun> steps,
             const std::vector<int>& sectionCommands);

    // One frame: the viewer's controls, then the steps the speed owes.
    void Frame(const PlaybackControls& controls);
    // Plays silently up to that step (from the start again when it lies behind).
    void SeekTo(long step);

    long Position() const { return played; }
    long Length() const { return length; }
    bool AtEnd() const { return played >= length; }
    bool Paused() const { return paused; }
    // The speed as a fraction: 1/4 is {1, 4}, 2 is {2, 1}.
    int SpeedTimes() const;
    int SpeedDivides() const;
    // The steps at which the game reached each section, ascending.
    const std::vector<long>& Marks() const { return marks; }

private:
    void Step();
    void FindMarks(const std::vector<int>& sectionCommands);

    PlaybackHost& host;
    std::vector<PadRun> steps;
    ScriptedInput input;
    long played = 0;
    long length;
    int speed = 2;  // 1x
    long owed = 0;  // in quarter steps
    bool paused = false;
    std::vector<long> marks;
};
