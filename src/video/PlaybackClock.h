#pragma once
// A player's own clock: the position in seconds runs while it runs and stands
// while it is stopped. Times are seconds on any steady clock.
class PlaybackClock {
public:
    void Run(double now);
    void Stop(double now);
    void Seek(double position, double now);
    double Position(double now) const;
    bool Running() const { return running; }

private:
    bool running = false;
    double base = 0.0;   // the position at `since`
    double since = 0.0;  // when it last ran or was set
};
