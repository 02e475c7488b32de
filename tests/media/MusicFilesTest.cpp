// Every piece passes the game's own check of MIDI files (or it would play no
// music) and the synthesiser takes it as a MIDI file.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "MediaFiles.h"
#include "audio/MidiFile.h"

TEST(MusicFiles, TheGameAndTheSynthesiserTakeEveryPiece) {
    for (const std::string& name : media_files::kMusic) {
        const std::string path = (media_files::Dir() / "Music" / name).string();
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        MidiOutline outline = ReadMidiOutline(bytes.str());
        EXPECT_TRUE(outline.valid) << name << ": " << outline.problem;
        EXPECT_TRUE(fluid_is_midifile(path.c_str())) << name;
    }
    EXPECT_FALSE(media_files::kMusic.empty());
}
