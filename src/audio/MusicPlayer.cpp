#include "audio/MusicPlayer.h"

#include <algorithm>
#include <cmath>

bool MusicPlayer::Open(const std::string& path) {
    state = State::NoPiece;
    if (!backend->Open(path)) return false;
    state = State::Stopped;
    SetVolume(1.0f);
    SetBalance(0.0f);
    return true;
}

// The back end hears every call, also without a piece; the state only moves with one.
void MusicPlayer::Play() {
    backend->Play();
    if (state != State::NoPiece) state = State::Running;
}

void MusicPlayer::Pause() {
    backend->Pause();
    if (state != State::NoPiece) state = State::Paused;
}

void MusicPlayer::Stop() {
    backend->Stop();
    backend->SetPosition(0.0);
    if (state != State::NoPiece) state = State::Stopped;
}

void MusicPlayer::SetPosition(double seconds) {
    backend->SetPosition(std::isnan(seconds) ? 0.0 : std::max(seconds, 0.0));
}

bool MusicPlayer::IsComplete() {
    if (state == State::NoPiece) return true;
    return state == State::Running && backend->ReachedEnd();
}

int MusicPlayer::VolumeLevel(float volume) {
    // The factor is 1000, not the 2000 of an amplitude ratio: half the volume is
    // only 3 dB down, so a fade stays audible until its last steps. Single
    // precision throughout, so 0.1 gives exactly -1000.
    if (!(volume > 0.0f)) return -10000;  // also NaN
    float v = std::min(volume, 1.0f);
    float level = std::trunc(1000.0f * std::log10(v));
    return static_cast<int>(std::clamp(level, -10000.0f, 0.0f));
}

int MusicPlayer::BalanceLevel(float balance) {
    // Clamped before the conversion, so a huge or NaN value cannot overflow it.
    float level = std::clamp(balance * 10000.0f, -10000.0f, 10000.0f);
    return std::isnan(level) ? 0 : static_cast<int>(level);
}
