// The pieces are General MIDI files that the game's synthesiser opens, long
// enough for their scenes, and loop cleanly: no note rings past the end.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "MediaFiles.h"

namespace {

// What a Standard MIDI File holds, read independently of how it was written.
struct Smf {
    int format = -1, division = 0;
    std::vector<uint32_t> trackEnds;
    std::set<int> channelsWithNotes;
    int notes = 0, hangingNotes = 0, drumNotes = 0;
    uint32_t lastNoteOff = 0;
    double seconds = 0;  // to the end of the longest track, through the tempo map
    bool ok = false;
};

uint32_t Be(const std::vector<uint8_t>& d, size_t at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | d.at(at + i);
    return v;
}

Smf Read(const std::string& path) {
    Smf smf;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 14 || std::string(d.begin(), d.begin() + 4) != "MThd") return smf;
    smf.format = static_cast<int>(Be(d, 8, 2));
    int tracks = static_cast<int>(Be(d, 10, 2));
    smf.division = static_cast<int>(Be(d, 12, 2));
    std::map<uint32_t, uint32_t> tempo{{0, 500000}};
    size_t at = 14;
    for (int t = 0; t < tracks; ++t) {
        if (std::string(d.begin() + at, d.begin() + at + 4) != "MTrk") return smf;
        size_t end = at + 8 + Be(d, at + 4, 4);
        at += 8;
        uint32_t tick = 0;
        uint8_t status = 0;
        std::map<int, int> sounding;  // channel * 128 + key -> count
        bool ended = false;
        while (at < end && !ended) {
            uint32_t delta = 0;
            uint8_t b;
            do {
                b = d.at(at++);
                delta = (delta << 7) | (b & 0x7F);
            } while (b & 0x80);
            tick += delta;
            if (d.at(at) & 0x80) status = d.at(at++);
            if (status == 0xFF) {
                uint8_t type = d.at(at++);
                uint32_t len = 0;
                do {
                    b = d.at(at++);
                    len = (len << 7) | (b & 0x7F);
                } while (b & 0x80);
                if (type == 0x51) tempo[tick] = Be(d, at, 3);
                if (type == 0x2F) ended = true;
                at += len;
                continue;
            }
            int kind = status & 0xF0, channel = status & 0x0F;
            if (kind == 0xC0 || kind == 0xD0) {
                at += 1;
                continue;
            }
            int key = d.at(at), velocity = d.at(at + 1);
            at += 2;
            if (kind == 0x90 && velocity > 0) {
                ++sounding[channel * 128 + key];
                ++smf.notes;
                smf.channelsWithNotes.insert(channel);
                if (channel == 9) ++smf.drumNotes;
            } else if (kind == 0x80 || kind == 0x90) {
                if (sounding[channel * 128 + key] > 0) --sounding[channel * 128 + key];
                smf.lastNoteOff = std::max(smf.lastNoteOff, tick);
            }
        }
        if (!ended) return smf;
        for (auto& [k, n] : sounding)
            smf.hangingNotes += n;
        smf.trackEnds.push_back(tick);
        at = end;
    }
    uint32_t last = *std::max_element(smf.trackEnds.begin(), smf.trackEnds.end());
    uint32_t prevTick = 0, prevTempo = 500000;
    for (auto [tick, micros] : tempo) {
        if (tick > last) break;
        smf.seconds += static_cast<double>(tick - prevTick) * prevTempo / 1e6 / smf.division;
        prevTick = tick;
        prevTempo = micros;
    }
    smf.seconds += static_cast<double>(last - prevTick) * prevTempo / 1e6 / smf.division;
    smf.ok = true;
    return smf;
}

std::string Path(const std::string& name) {
    return (media_files::Dir() / "Music" / name).string();
}

}  // namespace

TEST(MusicFiles, PiecesAreLongEnoughAndLoopCleanly) {
    const std::map<std::string, std::pair<double, double>> lengths = {
        {"qz_disky.mid", {90, 150}},        // the stage: no repeat inside a minute and a half
        {"qz_megami(or).mid", {120, 180}},  // credits change every 16.7 s over 8 lines
        {"qz_bossbattle1.mid", {50, 120}},
    };
    for (const std::string& name : media_files::kMusic) {
        Smf smf = Read(Path(name));
        ASSERT_TRUE(smf.ok) << name;
        EXPECT_EQ(smf.format, 1) << name;
        EXPECT_GE(smf.seconds, lengths.at(name).first) << name;
        EXPECT_LE(smf.seconds, lengths.at(name).second) << name;
        // Every track ends together and no note outlives the end: the restart joins.
        for (uint32_t end : smf.trackEnds)
            EXPECT_EQ(end, smf.trackEnds.front()) << name;
        EXPECT_LE(smf.lastNoteOff, smf.trackEnds.front()) << name;
        EXPECT_EQ(smf.hangingNotes, 0) << name;
        // Melody, harmony, bass and drums on the General MIDI drum channel.
        EXPECT_GE(smf.channelsWithNotes.size(), 5u) << name;
        EXPECT_GT(smf.drumNotes, 100) << name;
        EXPECT_GT(smf.notes, 1000) << name;
    }
}

TEST(MusicFiles, TheSynthesiserOpensEveryPiece) {
    SDL_setenv("SDL_MIXER_DISABLE_TIMIDITY", "1", 1);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    Mix_SetSoundFonts("/usr/share/sounds/sf2/TimGM6mb.sf2");
    for (const std::string& name : media_files::kMusic) {
        Mix_Music* music = Mix_LoadMUS(Path(name).c_str());
        EXPECT_NE(music, nullptr) << name << ": " << Mix_GetError();
        if (!music) continue;
        EXPECT_EQ(Mix_GetMusicType(music), MUS_MID) << name;
        Mix_FreeMusic(music);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
