// The generator's building blocks: the score notation, the MIDI writer, the
// model builder and the WAV writer.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <assimp/Importer.hpp>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>

#include "Midi.h"
#include "Score.h"
#include "Synth.h"
#include "XFile.h"
#include "graphics/XFileCheck.h"

namespace mk = mkmedia;

namespace {

// A track's channel events as (tick, status, key, velocity), read back from its bytes.
struct MidiEvent {
    uint32_t tick;
    int status, key, velocity;
};

std::vector<MidiEvent> Events(const mk::midi::Track& track, uint32_t end) {
    std::vector<uint8_t> d = track.Encode(end);
    std::vector<MidiEvent> out;
    uint32_t tick = 0;
    for (size_t at = 0; at < d.size();) {
        uint32_t delta = 0;
        uint8_t b;
        do {
            b = d[at++];
            delta = (delta << 7) | (b & 0x7F);
        } while (b & 0x80);
        tick += delta;
        if (d[at] == 0xFF) {
            size_t len = d[at + 2];
            at += 3 + len;
            continue;
        }
        int status = d[at];
        if ((status & 0xF0) == 0xC0) {
            at += 2;
            continue;
        }
        out.push_back({tick, status, d[at + 1], d[at + 2]});
        at += 3;
    }
    return out;
}

std::vector<MidiEvent> NotesOn(const std::vector<MidiEvent>& events) {
    std::vector<MidiEvent> on;
    for (const MidiEvent& e : events) {
        if ((e.status & 0xF0) == 0x90) on.push_back(e);
    }
    return on;
}

constexpr uint32_t kStep = mk::score::kStep;

}  // namespace

TEST(ScoreNotation, NoteNamesAndChords) {
    EXPECT_EQ(mk::score::Pitch("c4"), 60);
    EXPECT_EQ(mk::score::Pitch("a4"), 69);
    EXPECT_EQ(mk::score::Pitch("c#5"), 73);
    EXPECT_EQ(mk::score::Pitch("bb3"), 58);
    EXPECT_EQ(mk::score::Pitch("h4"), -1);
    EXPECT_EQ(mk::score::Pitch("c"), -1);
    EXPECT_EQ(mk::score::Pitch("c4x"), -1);

    mk::score::Writer w;
    auto chords = w.Chords("Am:2 F#7:2 Bb", 2);
    ASSERT_TRUE(w.Ok()) << w.Error();
    ASSERT_EQ(chords.size(), 3u);
    EXPECT_EQ(chords[0].root, 9);
    EXPECT_EQ(chords[0].tones, (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(chords[1].root, 6);
    EXPECT_EQ(chords[1].tones, (std::vector<int>{0, 4, 7, 10}));
    EXPECT_EQ(chords[2].root, 10);
    EXPECT_EQ(chords[2].beats, 4);

    mk::score::Writer bad;
    bad.Chords("Am F", 3);
    EXPECT_FALSE(bad.Ok()) << "two bars of chords for three bars";
    mk::score::Writer odd;
    odd.Chords("Axyz", 1);
    EXPECT_FALSE(odd.Ok());
}

TEST(ScoreNotation, MelodiesMustFillTheirBars) {
    mk::midi::Track t("Lead", 0);
    mk::score::Writer w;
    w.Melody(t, 0, 1, "e5:4 a5:4 g5:2 r:2 d5:4", 90);
    EXPECT_TRUE(w.Ok()) << w.Error();
    auto on = NotesOn(Events(t, mk::score::kBar));
    ASSERT_EQ(on.size(), 4u);
    EXPECT_EQ(on[0].key, 76);
    EXPECT_EQ(on[2].tick, 8 * kStep);
    EXPECT_EQ(on[3].tick, 12 * kStep) << "the rest takes its two steps";
    EXPECT_GT(on[0].velocity, on[2].velocity - 1) << "downbeats are accented";

    mk::score::Writer shortBar;
    shortBar.Melody(t, 0, 1, "e5:4 a5:4", 90);
    EXPECT_FALSE(shortBar.Ok());
    mk::score::Writer badNote;
    badNote.Melody(t, 0, 1, "e5:8 x5:8", 90);
    EXPECT_FALSE(badNote.Ok());
}

TEST(ScoreNotation, SecondVoiceMovesAlongTheScale) {
    const std::vector<int> aMinor{0, 2, 4, 5, 7, 9, 11};
    mk::midi::Track t("Harmony", 1);
    mk::score::Writer w;
    // A third below: e5 -> c5, a5 -> f5, c5 -> a4 (across the octave); g#5 is
    // outside the scale and drops a minor third to f5.
    w.Melody(t, 0, 1, "e5:4 a5:4 c5:4 g#5:4", 90, 0, -2, aMinor);
    ASSERT_TRUE(w.Ok()) << w.Error();
    auto on = NotesOn(Events(t, mk::score::kBar));
    ASSERT_EQ(on.size(), 4u);
    EXPECT_EQ(on[0].key, 72);
    EXPECT_EQ(on[1].key, 77);
    EXPECT_EQ(on[2].key, 69);
    EXPECT_EQ(on[3].key, 77);
}

TEST(ScoreNotation, StepPatternsFollowTheChords) {
    mk::score::Writer w;
    auto chords = w.Chords("C:2 G:2", 1);
    mk::midi::Track bass("Bass", 2);
    // Root held two steps, its octave, the fifth, silence.
    w.Bass(bass, 0, chords, "R-r-5-..", 100, 36);
    auto on = NotesOn(Events(bass, mk::score::kBar));
    ASSERT_EQ(on.size(), 6u);
    EXPECT_EQ(on[0].key, 36);
    EXPECT_EQ(on[1].key, 48);
    EXPECT_EQ(on[2].key, 43);
    EXPECT_EQ(on[3].key, 43) << "G from the third beat on";
    EXPECT_EQ(on[3].tick, 8 * kStep);
    auto events = Events(bass, mk::score::kBar);
    EXPECT_EQ(events.back().tick, 14 * kStep - kStep / 4) << "the last fifth ends before the rests";

    mk::midi::Track drums("Drums", mk::midi::kDrumChannel);
    w.Drums(drums, 0, 2, {{36, "X...x..."}, {42, "..o."}}, 80);
    auto hits = NotesOn(Events(drums, 2 * mk::score::kBar));
    EXPECT_EQ(hits.size(), 4u * 2 + 8u);
    for (const MidiEvent& e : hits)
        EXPECT_EQ(e.status, 0x99);
}

TEST(MidiWriter, RepeatedNotesAndTheLoopEnd) {
    mk::midi::Track t("Lead", 3);
    t.Note(0, 480, 60, 100);
    t.Note(480, 480, 60, 100);  // the same key again at once: its note-off must come first
    auto events = Events(t, 960);
    std::vector<std::pair<uint32_t, int>> notes;
    for (const MidiEvent& e : events) {
        if ((e.status & 0xE0) == 0x80) notes.push_back({e.tick, e.status & 0xF0});
    }
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[1], (std::pair<uint32_t, int>{480, 0x80}));
    EXPECT_EQ(notes[2], (std::pair<uint32_t, int>{480, 0x90}));
    EXPECT_EQ(t.LastNoteOff(), 960u);

    mk::midi::Song song("Test");
    song.Tempo(0, 120);
    mk::midi::Track& lead = song.AddTrack("Lead", 0, 81, 100, 64);
    lead.Note(0, 3000, 60, 100);
    std::string path = (std::filesystem::temp_directory_path() / "mkmedia_song.mid").string();
    EXPECT_FALSE(song.Write(path, 1920))
        << "a note past the loop's end would ring into the restart";
    EXPECT_TRUE(song.Write(path, 3840));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 14u);
    EXPECT_EQ(bytes.substr(0, 4), "MThd");
    EXPECT_EQ(static_cast<int>(bytes[11]), 2) << "conductor track and one part";
    EXPECT_NE(bytes.find(std::string("\xFF\x51\x03\x07\xA1\x20", 6)), std::string::npos)
        << "120 bpm as 500000 microseconds per quarter";
    std::filesystem::remove(path);
}

TEST(ModelBuilder, TrianglesFaceTheWayTheyAreAsked) {
    mk::MeshBuilder m;
    m.Material(mk::XMaterial{});
    // Same corners, opposite facings: the winding follows the facing.
    m.Triangle({0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0});
    m.Triangle({0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0});
    m.Triangle({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0});  // no area: dropped
    std::string x = m.ToX("test");
    Assimp::Importer importer;
    const aiScene* s = importer.ReadFileFromMemory(
        x.data(), x.size(), aiProcess_ConvertToLeftHanded | aiProcess_Triangulate, "x");
    ASSERT_TRUE(s) << importer.GetErrorString();
    ASSERT_EQ(s->mMeshes[0]->mNumFaces, 2u);
    for (unsigned f = 0; f < 2; ++f) {
        const aiMesh* mesh = s->mMeshes[0];
        const unsigned* i = mesh->mFaces[f].mIndices;
        aiVector3D n = (mesh->mVertices[i[1]] - mesh->mVertices[i[0]]) ^
                       (mesh->mVertices[i[2]] - mesh->mVertices[i[0]]);
        EXPECT_GT(n * mesh->mNormals[i[0]], 0) << "face " << f;
    }
    const aiMesh* mesh = s->mMeshes[0];
    EXPECT_LT(mesh->mNormals[mesh->mFaces[0].mIndices[0]].y *
                  mesh->mNormals[mesh->mFaces[1].mIndices[0]].y,
              0.0f)
        << "one faces up, the other down";
}

TEST(ModelBuilder, WritesFilesTheLoaderTrusts) {
    mk::MeshBuilder m;
    mk::XMaterial red;
    red.name = "Red";
    red.diffuse = {1, 0, 0, 0.5f};
    red.emissive = {0.25f, 0, 0};
    m.Material(red);
    m.Slab(mk::Frame{}, {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}, -0.5f, 0.5f, 0.3f);
    mk::XMaterial glass = red;
    glass.name = "Glass";
    glass.texture = "glass.png";
    m.Material(glass);
    m.Lathe(mk::Frame::At({0, 1, 0}), {{0, 0}, {0.5f, 0.2f}, {0, 0.6f}}, 8, true);
    std::string x = m.ToX("sample");
    std::string why;
    EXPECT_TRUE(IsSoundXFile(x, why)) << why;
    // Numbers always carry a decimal point: "1,0" would read as a decimal comma.
    bool decimalComma = false;
    for (size_t i = 1; i + 1 < x.size(); ++i) {
        decimalComma =
            decimalComma || (x[i] == ',' && std::isdigit(static_cast<unsigned char>(x[i - 1])) &&
                             std::isdigit(static_cast<unsigned char>(x[i + 1])));
    }
    EXPECT_FALSE(decimalComma);
    EXPECT_NE(x.find("1.000000; 0.000000; 0.000000; 0.500000;;"), std::string::npos);
    Assimp::Importer importer;
    const aiScene* s = importer.ReadFileFromMemory(
        x.data(), x.size(), aiProcess_ConvertToLeftHanded | aiProcess_Triangulate, "x");
    ASSERT_TRUE(s) << importer.GetErrorString();
    ASSERT_EQ(s->mNumMaterials, 2u);
    aiColor4D diffuse;
    s->mMaterials[0]->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse.a, 0.5f);
    aiString texture;
    EXPECT_EQ(s->mMaterials[1]->GetTexture(aiTextureType_DIFFUSE, 0, &texture), AI_SUCCESS);
    EXPECT_STREQ(texture.C_Str(), "glass.png");
    unsigned faces = 0;
    for (unsigned i = 0; i < s->mNumMeshes; ++i)
        faces += s->mMeshes[i]->mNumFaces;
    // A bevelled box: 2 caps x 2 + 4 sides x 2 + 4 bevels x 2; a closed 8-sided lathe: 2 x 8 x 2 -
    // 16 poles.
    EXPECT_EQ(faces, 4u + 8 + 8 + 16);
}

TEST(ModelBuilder, ConcaveOutlinesTriangulateExactly) {
    // An L and a star: the triangles must cover exactly the outline's area.
    const std::vector<std::vector<mk::Point2>> outlines = {
        {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 3}, {0, 3}},
        {{0, 2},
         {0.5f, 0.5f},
         {2, 0},
         {0.5f, -0.5f},
         {0, -2},
         {-0.5f, -0.5f},
         {-2, 0},
         {-0.5f, 0.5f}},
    };
    const float areas[] = {5.0f, 4.0f};
    for (size_t k = 0; k < outlines.size(); ++k) {
        const auto& p = outlines[k];
        std::vector<int> tris = mk::TriangulatePolygon(p);
        ASSERT_EQ(tris.size(), (p.size() - 2) * 3);
        float sum = 0;
        for (size_t i = 0; i < tris.size(); i += 3) {
            const mk::Point2 &a = p[tris[i]], &b = p[tris[i + 1]], &c = p[tris[i + 2]];
            float twice = (b.x - a.x) * (c.z - a.z) - (b.z - a.z) * (c.x - a.x);
            EXPECT_GT(twice, 0) << "triangles keep one orientation";
            sum += twice / 2;
        }
        EXPECT_NEAR(sum, areas[k], 1e-4f);
    }
}

TEST(WavWriter, HeaderAndSamples) {
    mk::synth::Buffer b = {0.0f, 0.5f, -1.0f, 2.0f};
    mk::synth::Normalize(b, 0.5f);
    EXPECT_FLOAT_EQ(b[3], 0.5f);
    EXPECT_FLOAT_EQ(b[2], -0.25f);
    std::string path = (std::filesystem::temp_directory_path() / "mkmedia_test.wav").string();
    ASSERT_TRUE(mk::synth::WriteWav(path, b));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 44u + 8);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    auto le = [&](size_t at, int n) {
        uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
        return v;
    };
    EXPECT_EQ(le(4, 4), 36u + 8);
    EXPECT_EQ(le(22, 2), 1u);
    EXPECT_EQ(le(24, 4), 44100u);
    EXPECT_EQ(le(40, 4), 8u);
    EXPECT_EQ(static_cast<int16_t>(le(46, 2)), 4096);   // 0.125
    EXPECT_EQ(static_cast<int16_t>(le(48, 2)), -8192);  // -0.25
    EXPECT_EQ(static_cast<int16_t>(le(50, 2)), 16384);  // 0.5
    std::filesystem::remove(path);
}
