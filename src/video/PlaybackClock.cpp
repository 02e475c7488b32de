#include "video/PlaybackClock.h"

void PlaybackClock::Run(double now) {
    if (running) return;
    since = now;
    running = true;
}

void PlaybackClock::Stop(double now) {
    base = Position(now);
    running = false;
}

void PlaybackClock::Seek(double position, double now) {
    base = position;
    since = now;
}

double PlaybackClock::Position(double now) const {
    return running ? base + (now - since) : base;
}
