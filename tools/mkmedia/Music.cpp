// The three pieces: the stage theme, the boss theme and the ending theme.
// Each is one loop: it ends on a chord that leads back into its first bar.
#include <cstdio>

#include "Media.h"
#include "Midi.h"
#include "Score.h"

namespace mkmedia {

namespace {

using midi::Song;
using midi::Track;
using score::At;
using score::kBar;
using score::Kit;
using score::Writer;
using namespace score::drum;

// Stage theme, "disky": A minor, 140 bpm, 56 bars (about 96 s).
bool Disky(const std::string& path, Writer& w) {
    Song song("Disky");
    song.Tempo(0, 140);
    Track& lead = song.AddTrack("Lead", 0, 81, 92, 64, 50);
    Track& harmony = song.AddTrack("Harmony", 1, 80, 62, 84, 50);
    Track& arp = song.AddTrack("Arpeggio", 2, 80, 50, 40, 60);
    Track& pad = song.AddTrack("Pad", 3, 89, 72, 64, 80);
    Track& strings = song.AddTrack("Strings", 4, 50, 64, 70, 80);
    Track& bells = song.AddTrack("Bells", 5, 11, 90, 54, 80);
    Track& bass = song.AddTrack("Bass", 6, 38, 100, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 100, 64, 30);
    const std::vector<int> minor{0, 2, 4, 5, 7, 9, 11};  // A minor's pitch classes

    const char* themeA =
        "e5:4 a5:4 g5:2 e5:2 d5:2 e5:2  c5:6 d5:2 c5:4 a4:4  g4:4 c5:4 e5:4 g5:4  "
        "g5:6 f5:2 e5:4 d5:4  e5:4 a5:4 b5:2 c6:2 b5:2 a5:2  c6:6 a5:2 f5:4 a5:4  "
        "g5:4 f5:2 e5:2 d5:4 b4:4  b4:4 e5:4 g#5:8";
    const char* themeB =
        "c5:4 f5:4 a5:8  b5:4 a5:4 g5:8  e5:4 g5:4 b5:6 a5:2  a5:12 r:4  "
        "d5:4 f5:4 a5:6 g5:2  g5:4 b5:4 e6:8  c6:6 b5:2 a5:4 f5:4  g5:4 b5:4 d6:4 b5:4";
    const char* themeC =
        "f5:8 e5:4 d5:4  e5:8 c5:4 a4:4  d5:8 f5:4 bb5:4  a5:16  "
        "f5:4 a5:4 d6:8  c6:4 b5:4 a5:8  bb5:4 a5:4 g5:4 f5:4  e5:4 g#5:4 b5:4 d6:4";
    const char* outro = "a5:4 e5:4 c5:4 e5:4  f5:8 a5:8  g5:4 d5:4 b4:4 d5:4  e5:8 g#5:8";

    auto intro = w.Chords("Am F G E", 4);
    auto a = w.Chords("Am F C G Am F G E", 8);
    auto b = w.Chords("F G Em Am Dm Em F G", 8);
    auto c = w.Chords("Dm Am Bb F Dm Am Bb E", 8);

    const Kit beat{{kKick, "X...x...X...x..."},
                   {kSnare, "....X.......X..."},
                   {kHat, "o.x.o.x.o.x.o.x."},
                   {kOpenHat, "..............x."}};
    const Kit fill{{kKick, "X...x...X......."},
                   {kSnare, "....X...x.x.xXXX"},
                   {kHat, "o.x.o.x........."},
                   {kTomHigh, "........X......."},
                   {kTomMid, "..........X....."}};
    const Writer::Groove section{beat, fill, {{kCrash, "X..............."}}, 88, 90};
    const Kit quiet{{kKick, "X.......X......."}};
    const Kit breakdown{{kKick, "X.........x....."}, {kHat, "..o...o...o...o."}};
    const Kit build{{kKick, "X...X...X...X..."}, {kSnare, "x.x.x.x.xxxxXXXX"}};
    auto groove = [&](int bar, int bars, bool withCrash) {
        w.Section(drums, At(bar), bars, section, withCrash);
    };
    const char* drive = "R-R-r-R-R-R-r-R-";
    const char* arpUp = "0123210101232101";

    // Intro: the arpeggio alone, then bass and beat.
    w.Arpeggio(arp, At(0), intro, arpUp, 70);
    w.Pad(pad, At(0), intro, 60);
    w.Bass(bass, At(0), w.Chords("Am F", 2), "R-------R-------", 92);
    w.Bass(bass, At(2), w.Chords("G E", 2), drive, 92);
    w.Drums(drums, At(0), 2, quiet, 80);
    groove(2, 2, false);
    // A twice: the theme, then with a second voice a third below.
    for (int bar : {4, 12}) {
        w.Melody(lead, At(bar), 8, themeA, 96);
        w.Arpeggio(arp, At(bar), a, arpUp, 62);
        w.Pad(pad, At(bar), a, 56);
        w.Bass(bass, At(bar), a, drive, 96);
        groove(bar, 8, true);
    }
    w.Melody(harmony, At(12), 8, themeA, 80, 0, -2, minor);
    // B: the tune climbs, strings under it.
    w.Melody(lead, At(20), 8, themeB, 96);
    w.Melody(strings, At(20), 8, themeB, 70, -12);
    w.Arpeggio(arp, At(20), b, arpUp, 58);
    w.Bass(bass, At(20), b, "R--R--r-R--R--5-", 96);
    w.Pad(pad, At(20), b, 56);
    groove(20, 8, true);
    // C: breakdown on bells, then a snare build back into A.
    w.Melody(bells, At(28), 8, themeC, 92);
    w.Pad(pad, At(28), c, 66);
    w.Pad(strings, At(28), c, 58, 48);
    w.Arpeggio(arp, At(28), c, "0-2-1-3-0-2-1-3-", 52);
    w.Bass(bass, At(28), c, "R-------5-------", 88);
    w.Drums(drums, At(28), 6, breakdown, 80);
    w.Drums(drums, At(34), 2, build, 70);
    // A and B again, fuller.
    w.Melody(lead, At(36), 8, themeA, 100);
    w.Melody(harmony, At(36), 8, themeA, 82, 0, -2, minor);
    w.Pad(strings, At(36), a, 60, 52);
    w.Arpeggio(arp, At(36), a, arpUp, 62);
    w.Bass(bass, At(36), a, drive, 98);
    groove(36, 8, true);
    w.Melody(lead, At(44), 8, themeB, 100);
    w.Melody(harmony, At(44), 8, themeB, 78, -12);
    w.Pad(pad, At(44), b, 58);
    w.Arpeggio(arp, At(44), b, arpUp, 58);
    w.Bass(bass, At(44), b, "R--R--r-R--R--5-", 98);
    groove(44, 8, true);
    // Outro: a last phrase that turns back to the intro's A minor.
    w.Melody(lead, At(52), 4, outro, 92);
    w.Pad(pad, At(52), intro, 58);
    w.Arpeggio(arp, At(52), intro, arpUp, 62);
    w.Bass(bass, At(52), intro, drive, 94);
    groove(52, 4, true);
    return w.Ok() && song.Write(path, At(56));
}

// Boss theme, "bossbattle1": E minor with a Phrygian edge, 168 bpm, 48 bars (about 69 s).
bool BossBattle(const std::string& path, Writer& w) {
    Song song("Boss Battle");
    song.Tempo(0, 168);
    Track& lead = song.AddTrack("Lead", 0, 30, 88, 64, 40);
    Track& brass = song.AddTrack("Brass", 1, 61, 84, 50, 50);
    Track& strings = song.AddTrack("Strings", 2, 48, 72, 80, 70);
    Track& choir = song.AddTrack("Choir", 3, 52, 70, 64, 90);
    Track& bass = song.AddTrack("Bass", 4, 38, 104, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 104, 64, 30);
    const std::vector<int> minor{0, 2, 4, 6, 7, 9, 11};  // E minor

    const char* themeA =
        "e5:2 e5:2 g5:2 e5:2 b5:4 a5:2 g5:2  e5:2 e5:2 g5:2 e5:2 c6:4 b5:2 a5:2  "
        "f#5:4 a5:4 d6:4 c6:2 a5:2  b5:8 a5:2 g5:2 f#5:2 d#5:2  "
        "e5:2 e5:2 g5:2 e5:2 b5:4 a5:2 g5:2  c6:4 b5:2 a5:2 g5:4 e5:4  "
        "a5:4 c6:4 e6:4 d6:2 c6:2  b5:4 f#5:4 d#5:4 b4:4";
    const char* themeB =
        "g5:8 e5:8  f#5:8 a5:8  b5:12 a5:2 g5:2  g5:4 f#5:4 e5:4 d5:4  "
        "c5:4 e5:4 g5:4 c6:4  d6:8 c6:4 a5:4  b5:8 a5:4 f#5:4  d#5:4 f#5:4 a5:4 b5:4";
    const char* turn =
        "e5:2 f5:2 e5:2 d5:2 e5:2 f5:2 g5:2 a5:2  bb5:4 a5:4 f5:4 e5:4  "
        "e5:2 f5:2 e5:2 d5:2 e5:2 g5:2 b5:2 e6:2  d#6:4 b5:4 f#5:4 d#5:4";

    auto intro = w.Chords("Em Em C B", 4);
    auto a = w.Chords("Em C D B Em C Am B", 8);
    auto b = w.Chords("C D Em Em C D B B", 8);
    auto c = w.Chords("Em F Em F Em F D B", 8);
    auto t = w.Chords("Em F Em B", 4);

    const Kit beat{
        {kKick, "X.x.X.x.X.x.X.xx"}, {kSnare, "....X.......X..."}, {kHat, "x.x.x.x.x.x.x.x."}};
    const Kit fill{{kKick, "X.x.X.x.X......."},
                   {kSnare, "....X...XxXxXXXX"},
                   {kTomHigh, "........X.X....."},
                   {kTomLow, "............X.X."}};
    const Kit crash{{kCrash, "X..............."}};
    const Kit toms{{kKick, "X..X..X.X..X..X."},
                   {kTomLow, "..X...X...X...XX"},
                   {kTomMid, "....X.......X..."},
                   {kPedalHat, "x.x.x.x.x.x.x.x."}};
    const Writer::Groove section{beat, fill, crash, 90, 96};
    auto groove = [&](int bar, int bars) { w.Section(drums, At(bar), bars, section); };
    const char* gallop = "R-RRR-RRR-RRR-rR";
    const char* tremolo = "x-x-x-x-x-x-x-x-";

    // Intro: the galloping bass and toms, strings trembling.
    w.Bass(bass, At(0), intro, gallop, 96);
    w.Hits(strings, At(0), intro, tremolo, 70, 52);
    w.Drums(drums, At(0), 3, toms, 86);
    w.Drums(drums, At(3), 1, fill, 90);
    // A: the guitar's theme; then brass takes it with the guitar a third below.
    w.Melody(lead, At(4), 8, themeA, 100);
    w.Melody(brass, At(12), 8, themeA, 96);
    w.Melody(lead, At(12), 8, themeA, 88, 0, -2, minor);
    for (int bar : {4, 12}) {
        w.Bass(bass, At(bar), a, gallop, 100);
        w.Hits(strings, At(bar), a, tremolo, 62, 52);
        groove(bar, 8);
    }
    // B: long lines over brass stabs.
    w.Melody(lead, At(20), 8, themeB, 100);
    w.Hits(brass, At(20), b, "x--.x--.x-x.....", 84, 55);
    w.Bass(bass, At(20), b, gallop, 100);
    w.Pad(strings, At(20), b, 64, 52);
    groove(20, 8);
    // C: the choir and the toms; the Phrygian half step grinds.
    w.Pad(choir, At(28), c, 74, 52);
    w.Hits(brass, At(28), c, "x..x..x...x..x..", 88, 52);
    w.Hits(strings, At(28), c, tremolo, 64, 64);
    w.Bass(bass, At(28), c, "R-R-R-R-R-R-R-r-", 100);
    w.Drums(drums, At(28), 7, toms, 90);
    w.Drums(drums, At(35), 1, fill, 92);
    w.Drums(drums, At(28), 1, crash, 96);
    // A once more, both voices, then the turnaround back to the intro.
    w.Melody(lead, At(36), 8, themeA, 104);
    w.Melody(brass, At(36), 8, themeA, 90, 0, -2, minor);
    w.Bass(bass, At(36), a, gallop, 102);
    w.Pad(choir, At(36), a, 60, 52);
    w.Hits(strings, At(36), a, tremolo, 62, 52);
    groove(36, 8);
    w.Melody(lead, At(44), 4, turn, 104);
    w.Melody(brass, At(44), 4, turn, 92, -12);
    w.Bass(bass, At(44), t, gallop, 102);
    w.Hits(strings, At(44), t, tremolo, 66, 52);
    groove(44, 4);
    return w.Ok() && song.Write(path, At(48));
}

// Ending theme, "megami": D major, 88 bpm slowing at the close, 58 bars (about 2:40).
bool Megami(const std::string& path, Writer& w) {
    Song song("Megami");
    song.Tempo(0, 88);
    Track& flute = song.AddTrack("Flute", 0, 73, 110, 60, 70);
    Track& violin = song.AddTrack("Violin", 1, 40, 106, 70, 70);
    Track& piano = song.AddTrack("Piano", 2, 0, 100, 54, 60);
    Track& strings = song.AddTrack("Strings", 3, 48, 92, 74, 80);
    Track& choir = song.AddTrack("Choir", 4, 52, 80, 64, 90);
    Track& bass = song.AddTrack("Bass", 5, 32, 104, 64, 40);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 96, 64, 50);
    const std::vector<int> major{1, 2, 4, 6, 7, 9, 11};  // D major

    const char* themeA =
        "f#5:6 e5:2 d5:4 a4:4  c#5:6 d5:2 e5:8  d5:6 c#5:2 b4:4 f#4:4  a4:8 c#5:8  "
        "b4:6 c#5:2 d5:4 g5:4  f#5:8 a5:4 f#5:4  g5:4 f#5:4 e5:4 d5:4  e5:12 r:4";
    const char* themeA2 =
        "a5:6 g5:2 f#5:4 d5:4  e5:6 f#5:2 e5:4 c#5:4  f#5:6 e5:2 d5:4 b4:4  c#5:8 a5:8  "
        "b5:6 a5:2 g5:4 d5:4  a5:6 g5:2 f#5:4 d5:4  g5:4 b5:4 a5:4 g5:4  a5:16";
    const char* themeB =
        "d5:4 g5:4 b5:8  c#6:4 b5:4 a5:8  a5:4 f#5:4 c#5:8  d5:4 f#5:4 b5:8  "
        "b5:4 a5:4 g5:4 e5:4  g5:4 f#5:4 e5:4 c#5:4  d5:16  r:12 a4:4";
    const char* themeC =
        "f#5:8 b5:8  d6:8 b5:8  a5:8 f#5:8  e5:12 c#5:4  "
        "d5:6 e5:2 f#5:8  g5:6 a5:2 b5:8  b5:4 a5:4 g5:4 e5:4  a5:8 c#6:8";
    const char* outro = "b5:8 a5:8  c#6:8 e6:8  d6:16  b5:8 g5:8  a5:8 c#6:8  d6:16";

    auto intro = w.Chords("D A Bm A", 4);
    auto a = w.Chords("D A Bm F#m G D Em A", 8);
    auto b = w.Chords("G A F#m Bm Em A D D", 8);
    auto c = w.Chords("Bm G D A Bm G Em A", 8);
    auto o = w.Chords("G A Bm G A D", 6);

    const Kit soft{
        {kKick, "x.......x......."}, {kStick, "....o.......o..."}, {kHat, "o.o.o.o.o.o.o.o."}};
    const Kit swell{
        {kKick, "x.......x......."}, {kStick, "....o.......o..."}, {kRide, "o.o.o.o.o.o.o.o."}};
    const Kit cymbal{{kCrash, "o..............."}};
    const char* arpeggio = "0-1-2-3-4-3-2-1-";
    const char* walk = "R-------5-------";

    // Intro: the piano alone.
    w.Arpeggio(piano, At(0), intro, arpeggio, 64, 50);
    w.Bass(bass, At(2), w.Chords("Bm A", 2), "R---------------", 70);
    // A on the flute.
    w.Melody(flute, At(4), 8, themeA, 86);
    w.Arpeggio(piano, At(4), a, arpeggio, 60, 50);
    w.Bass(bass, At(4), a, walk, 76);
    // A' on the violin, strings and a soft beat join.
    w.Melody(violin, At(12), 8, themeA2, 88);
    w.Pad(strings, At(12), a, 56, 50);
    w.Arpeggio(piano, At(12), a, arpeggio, 56, 50);
    w.Bass(bass, At(12), a, walk, 78);
    w.Drums(drums, At(12), 8, soft, 70);
    w.Drums(drums, At(12), 1, cymbal, 80);
    // B: strings carry the tune, the choir underneath.
    w.Melody(strings, At(20), 8, themeB, 90);
    w.Melody(flute, At(20), 8, themeB, 72, 12);
    w.Pad(choir, At(20), b, 54, 50);
    w.Arpeggio(piano, At(20), b, arpeggio, 54, 50);
    w.Bass(bass, At(20), b, walk, 80);
    w.Drums(drums, At(20), 8, swell, 72);
    w.Drums(drums, At(20), 1, cymbal, 84);
    // C: the bridge on the flute over piano and strings.
    w.Melody(flute, At(28), 8, themeC, 88);
    w.Pad(strings, At(28), c, 54, 50);
    w.Arpeggio(piano, At(28), c, arpeggio, 58, 50);
    w.Bass(bass, At(28), c, walk, 78);
    w.Drums(drums, At(28), 8, soft, 70);
    // A' with the flute a third above the violin, then B in full.
    w.Melody(violin, At(36), 8, themeA2, 92);
    w.Melody(flute, At(36), 8, themeA2, 74, 0, 2, major);
    w.Pad(strings, At(36), a, 58, 50);
    w.Arpeggio(piano, At(36), a, arpeggio, 58, 50);
    w.Bass(bass, At(36), a, walk, 80);
    w.Drums(drums, At(36), 8, swell, 74);
    w.Drums(drums, At(36), 1, cymbal, 86);
    w.Melody(strings, At(44), 8, themeB, 94);
    w.Melody(violin, At(44), 8, themeB, 84, 12);
    w.Pad(choir, At(44), b, 60, 50);
    w.Arpeggio(piano, At(44), b, arpeggio, 56, 50);
    w.Bass(bass, At(44), b, walk, 82);
    w.Drums(drums, At(44), 8, swell, 76);
    w.Drums(drums, At(44), 1, cymbal, 88);
    // Outro: the last phrase, slowing into a held D.
    w.Melody(flute, At(52), 6, outro, 88);
    w.Melody(violin, At(52), 6, outro, 76, -12);
    w.Pad(strings, At(52), o, 60, 50);
    w.Pad(choir, At(52), o, 56, 50);
    w.Arpeggio(piano, At(52), o, arpeggio, 56, 50);
    w.Bass(bass, At(52), o, "R---------------", 80);
    w.Drums(drums, At(52), 4, soft, 66);
    const double slowing[] = {84, 80, 76, 72, 68, 64};
    for (int i = 0; i < 6; ++i)
        song.Tempo(At(54) + static_cast<uint32_t>(i) * kBar / 3, slowing[i]);
    return w.Ok() && song.Write(path, At(58));
}

}  // namespace

bool WriteMusic(const std::filesystem::path& dir) {
    struct Piece {
        const char* file;
        bool (*compose)(const std::string&, Writer&);
    };
    for (const Piece& p : {Piece{"qz_disky.mid", Disky}, Piece{"qz_bossbattle1.mid", BossBattle},
                           Piece{"qz_megami(or).mid", Megami}}) {
        Writer w;
        if (!p.compose((dir / p.file).string(), w)) {
            std::fprintf(stderr, "mkmedia: %s: %s\n", p.file,
                         w.Ok() ? "a note runs past the end" : w.Error().c_str());
            return false;
        }
    }
    return WriteStageMusic(dir.parent_path());
}

}  // namespace mkmedia
