// Every piece passes the game's own check of MIDI files (or it would play no
// music) and the synthesiser takes it as a MIDI file.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "MediaFiles.h"
#include "audio/MidiFile.h"
#include "audio/platform/FluidMusic.h"

namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What a piece plays, read from its tracks: notes struck, notes left
// sounding (or released unstruck) and the ticks the tracks end on.
struct Notes {
    int struck = 0;
    int unbalanced = 0;
    std::set<uint32_t> trackEnds;
};

Notes ReadNotes(const std::string& b) {
    Notes notes;
    auto u8 = [&](size_t i) { return i < b.size() ? static_cast<uint8_t>(b[i]) : uint8_t{0}; };
    auto be32 = [&](size_t i) {
        return uint32_t{u8(i)} << 24 | uint32_t{u8(i + 1)} << 16 | uint32_t{u8(i + 2)} << 8 |
               u8(i + 3);
    };
    auto varLen = [&](size_t& i) {
        uint32_t v = 0;
        for (int n = 0; n < 4; ++n) {
            uint8_t c = u8(i++);
            v = v << 7 | (c & 0x7F);
            if (!(c & 0x80)) break;
        }
        return v;
    };
    for (size_t chunk = 14; chunk + 8 <= b.size();) {
        const size_t end = chunk + 8 + be32(chunk + 4);
        std::map<std::pair<int, int>, int> sounding;  // channel, key: how many
        uint32_t tick = 0;
        uint8_t status = 0;
        for (size_t i = chunk + 8; i < end && i < b.size();) {
            tick += varLen(i);
            if (u8(i) == 0xFF) {
                const uint8_t type = u8(i + 1);
                i += 2;
                const uint32_t length = varLen(i);
                i += length;
                if (type == 0x2F) notes.trackEnds.insert(tick);
                continue;
            }
            if (u8(i) & 0x80) status = u8(i++);
            const int kind = status & 0xF0, channel = status & 0x0F;
            if (kind == 0xC0 || kind == 0xD0) {
                i += 1;
                continue;
            }
            const int key = u8(i), velocity = u8(i + 1);
            i += 2;
            if (kind == 0x90 && velocity > 0) {
                ++notes.struck;
                ++sounding[{channel, key}];
            } else if (kind == 0x80 || kind == 0x90) {
                if (--sounding[{channel, key}] < 0) ++notes.unbalanced;
            }
        }
        for (const auto& [note, count] : sounding)
            notes.unbalanced += count > 0 ? count : 0;
        chunk = end;
    }
    return notes;
}

// The piece rendered once through, as the game's synthesiser with its
// soundfont would play it: the level of the whole in dB of full scale.
double Loudness(const std::string& path) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 22050);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    double sum = 0;
    long long samples = 0;
    if (fluid_synth_sfload(synth, FluidMusic::kSoundFont, 1) != FLUID_FAILED) {
        fluid_player_t* player = new_fluid_player(synth);
        fluid_player_add(player, path.c_str());
        fluid_player_play(player);
        std::vector<float> left(1024), right(1024);
        // Ten minutes at most, should the player never stop.
        while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && samples < 22050 * 600) {
            fluid_synth_write_float(synth, 1024, left.data(), 0, 1, right.data(), 0, 1);
            for (size_t k = 0; k < left.size(); ++k)
                sum += double{left[k]} * left[k] + double{right[k]} * right[k];
            samples += 1024;
        }
        delete_fluid_player(player);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    if (samples == 0 || sum <= 0) return -200;
    return 10 * std::log10(sum / (2.0 * static_cast<double>(samples)));
}

}  // namespace

TEST(MusicFiles, TheGameAndTheSynthesiserTakeEveryPiece) {
    std::vector<std::string> files;
    for (const std::string& name : media_files::kMusic)
        files.push_back("Music/" + name);
    files.insert(files.end(), media_files::kStageMusic.begin(), media_files::kStageMusic.end());
    for (const std::string& name : files) {
        const std::string path = (media_files::Dir() / name).string();
        MidiOutline outline = ReadMidiOutline(Bytes(path));
        EXPECT_TRUE(outline.valid) << name << ": " << outline.problem;
        EXPECT_TRUE(fluid_is_midifile(path.c_str())) << name;
    }
    EXPECT_FALSE(media_files::kMusic.empty());
}

// A stage's piece loops: every note it strikes ends, all its tracks end on
// one tick, and it plays more than a few notes.
TEST(MusicFiles, EveryStagePieceReleasesItsNotesAndLoopsAsOne) {
    for (const std::string& name : media_files::kStageMusic) {
        Notes notes = ReadNotes(Bytes((media_files::Dir() / name).string()));
        EXPECT_GT(notes.struck, 500) << name;
        EXPECT_EQ(notes.unbalanced, 0) << name;
        EXPECT_EQ(notes.trackEnds.size(), 1u) << name;
    }
}

// The later stages' pieces are about as loud as the first stage's own: a theme
// like its theme, a boss piece like its boss piece. A silent or lost piece,
// or one far louder, would jar at the change of stage.
TEST(MusicFiles, TheLaterStagesPiecesAreAsLoudAsTheFirstStages) {
    const double theme = Loudness((media_files::Dir() / "Music/qz_disky.mid").string());
    const double boss = Loudness((media_files::Dir() / "Music/qz_bossbattle1.mid").string());
    ASSERT_GT(theme, -60);
    ASSERT_GT(boss, -60);
    for (const std::string& name : media_files::kStageMusic) {
        const double level = Loudness((media_files::Dir() / name).string());
        const double reference = name.find("boss") != std::string::npos ? boss : theme;
        EXPECT_NEAR(level, reference, 3.0) << name;
    }
}
