#include "game/GameMusic.h"

GameMusic::GameMusic(std::unique_ptr<MusicPlayer> player) : player(std::move(player)) {
    this->player->SetVolume(1.0f);
}

void GameMusic::Play(const std::string& path) {
    asked = {path, 1.0f, State::Running};
    if (silent) return;
    player->Open(path);
    player->SetVolume(1.0f);
    player->Play();
    heard = asked;
}

void GameMusic::SetVolume(float volume) {
    asked.volume = volume;
    if (silent) return;
    player->SetVolume(volume);
    heard.volume = volume;
}

void GameMusic::Pause(bool pause) {
    asked.state = pause ? State::Paused : State::Running;
    if (silent) return;
    if (pause) {
        player->Pause();
    } else {
        player->Play();
    }
    heard.state = asked.state;
}

void GameMusic::Stop() {
    asked.state = State::Stopped;
    if (silent) return;
    player->Stop();
    heard.state = State::Stopped;
}

bool GameMusic::IsComplete() {
    return !silent && player->IsComplete();
}

void GameMusic::Loop() {
    if (silent || !player->IsComplete()) return;
    player->SetPosition(0.0);
    player->Play();
}

void GameMusic::SetSilent(bool quiet) {
    silent = quiet;
    if (silent || asked == heard) return;
    // A piece is heard again from its start: the stage asks for pieces by
    // number, and MIDI cannot be sought.
    if (asked.piece != heard.piece && !asked.piece.empty()) player->Open(asked.piece);
    player->SetVolume(asked.volume);
    switch (asked.state) {
        case State::Running:
            player->Play();
            break;
        case State::Paused:
            player->Pause();
            break;
        case State::Stopped:
            player->Stop();
            break;
    }
    heard = asked;
}
