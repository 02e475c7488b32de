// The later stages' pieces, each in its stage's folder: theme.mid while the
// stage runs and boss.mid for its boss. Like the first stage's, each is one
// loop that ends on a chord leading back into its first bar.
#include <cstdio>
#include <system_error>

#include "Media.h"
#include "Midi.h"
#include "Score.h"

namespace mkmedia {

namespace {

using midi::Song;
using midi::Track;
using score::kBar;
using score::Writer;
using Kit = std::vector<Writer::Drum>;

// General MIDI drum keys.
enum : int {
    kKick = 36,
    kSnare = 38,
    kTomFloor = 41,
    kHat = 42,
    kTomLow = 45,
    kOpenHat = 46,
    kTomMid = 47,
    kCrash = 49,
    kTomHigh = 50,
    kRide = 51,
    kChina = 52,
    kRideBell = 53,
    kTambourine = 54,
    kCrash2 = 57
};

uint32_t At(int bar) {
    return static_cast<uint32_t>(bar) * kBar;
}

// Stage 2, "Skyward": G major, 152 bpm, 64 bars (about 1:41). Calliope and
// flute over harp and a halo pad: the open sky.
bool Skyward(const std::string& path, Writer& w) {
    Song song("Skyward");
    song.Tempo(0, 152);
    Track& lead = song.AddTrack("Lead", 0, 82, 100, 60, 70);
    Track& flute = song.AddTrack("Flute", 1, 73, 84, 82, 70);
    Track& harp = song.AddTrack("Harp", 2, 46, 88, 40, 70);
    Track& pad = song.AddTrack("Pad", 3, 94, 70, 64, 90);
    Track& strings = song.AddTrack("Strings", 4, 49, 70, 76, 80);
    Track& celesta = song.AddTrack("Celesta", 5, 8, 100, 50, 80);
    Track& bass = song.AddTrack("Bass", 6, 33, 100, 64, 30);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 96, 64, 40);
    const std::vector<int> major{0, 2, 4, 6, 7, 9, 11};  // G major

    const char* themeA =
        "d5:4 g5:4 b5:6 a5:2  a5:4 f#5:4 d5:8  e5:2 f#5:2 g5:4 b5:4 e6:4  d6:6 c6:2 g5:8  "
        "b5:4 d6:4 g6:6 f#6:2  e6:4 d6:4 a5:8  c6:2 b5:2 c6:4 e6:4 g6:4  f#6:6 e6:2 d6:4 a5:4";
    const char* themeB =
        "g5:4 b5:4 e6:8  e6:4 d6:2 c6:2 g5:8  b5:6 a5:2 g5:4 d5:4  f#5:4 a5:4 d6:8  "
        "e6:4 g6:4 f#6:4 e6:4  e6:6 d6:2 c6:4 g5:4  a5:4 c6:4 e6:4 c6:4  d6:12 r:4";
    const char* themeC =
        "e5:8 a5:8  g5:8 b5:8  c6:8 a5:4 f5:4  g5:16  "
        "a5:4 c6:4 e6:8  d6:4 b5:4 g5:8  e6:8 c6:4 g5:4  f#5:4 a5:4 d6:4 f#6:4";
    const char* outro = "e6:4 d6:4 c6:4 g5:4  a5:8 f#5:8  g5:4 b5:4 e6:8  d6:8 a5:8";

    auto intro = w.Chords("Gmaj7 Cmaj7 Gmaj7 D", 4);
    auto a = w.Chords("G D Em C G D C D", 8);
    auto b = w.Chords("Em C G D Em C Am D", 8);
    auto c = w.Chords("Am Em F C Am Em C D", 8);
    auto o = w.Chords("C D Em D", 4);

    // Light on its feet: the hats breathe open on the off-beats.
    const Kit beat{{kKick, "X.....x.X......."},
                   {kSnare, "....X.......X..."},
                   {kHat, "x.o.x.o.x.o.x.o."},
                   {kOpenHat, "......x.......x."}};
    const Kit fill{{kKick, "X.....x.X......."},
                   {kSnare, "....X.....x.xxXX"},
                   {kHat, "x.o.x.o........."},
                   {kTomHigh, "........X.X....."},
                   {kTomMid, "............x..."}};
    const Kit crash{{kCrash, "X..............."}};
    const Kit airy{{kRide, "x.o.x.o.x.o.x.o."}, {kKick, "X..............."}};
    const Kit shimmer{{kTambourine, "o.o.o.o.o.o.o.o."}};
    auto groove = [&](int bar, int bars, bool withCrash) {
        w.Drums(drums, At(bar), bars - 1, beat, 84);
        w.Drums(drums, At(bar + bars - 1), 1, fill, 84);
        if (withCrash) w.Drums(drums, At(bar), 1, crash, 86);
    };
    const char* arpUp = "0123432101234321";
    const char* lift = "R--R--r-R-r-R---";

    // Intro: harp and pad alone, the beat on the ride.
    w.Arpeggio(harp, At(0), intro, arpUp, 72, 55);
    w.Pad(pad, At(0), intro, 64);
    w.Bass(bass, At(2), w.Chords("Gmaj7 D", 2), "R-------R---r---", 88);
    w.Drums(drums, At(0), 4, airy, 76);
    // A twice: calliope alone, then the flute a third below.
    for (int bar : {4, 12}) {
        w.Melody(lead, At(bar), 8, themeA, 92);
        w.Arpeggio(harp, At(bar), a, arpUp, 64, 55);
        w.Pad(pad, At(bar), a, 56);
        w.Bass(bass, At(bar), a, lift, 94);
        groove(bar, 8, true);
    }
    w.Melody(flute, At(12), 8, themeA, 82, 0, -2, major);
    w.Drums(drums, At(12), 8, shimmer, 84);
    // B: strings carry the tune an octave down, the flute sings along.
    w.Melody(lead, At(20), 8, themeB, 94);
    w.Melody(strings, At(20), 8, themeB, 70, -12);
    w.Arpeggio(harp, At(20), b, arpUp, 60, 55);
    w.Pad(pad, At(20), b, 56);
    w.Bass(bass, At(20), b, lift, 94);
    groove(20, 8, true);
    // C: above the clouds; the celesta over long chords, the F borrowed.
    w.Melody(celesta, At(28), 8, themeC, 90);
    w.Melody(flute, At(28), 8, themeC, 70, -12);
    w.Pad(pad, At(28), c, 66);
    w.Pad(strings, At(28), c, 60, 50);
    w.Arpeggio(harp, At(28), c, "0-2-4-2-1-3-4-3-", 58, 55);
    w.Bass(bass, At(28), c, "R-------5-------", 88);
    w.Drums(drums, At(28), 7, airy, 74);
    w.Drums(drums, At(35), 1, fill, 80);
    // A and B again, in full.
    w.Melody(lead, At(36), 8, themeA, 98);
    w.Melody(flute, At(36), 8, themeA, 84, 0, -2, major);
    w.Pad(strings, At(36), a, 60, 52);
    w.Arpeggio(harp, At(36), a, arpUp, 64, 55);
    w.Bass(bass, At(36), a, lift, 96);
    groove(36, 8, true);
    w.Drums(drums, At(36), 8, shimmer, 84);
    w.Melody(lead, At(44), 8, themeB, 98);
    w.Melody(flute, At(44), 8, themeB, 80, 0, -2, major);
    w.Melody(celesta, At(44), 8, themeB, 70, 12);
    w.Pad(pad, At(44), b, 58);
    w.Arpeggio(harp, At(44), b, arpUp, 60, 55);
    w.Bass(bass, At(44), b, lift, 96);
    groove(44, 8, true);
    // B once more with the strings under it, then the outro turns home on D.
    w.Melody(lead, At(52), 8, themeB, 98);
    w.Melody(strings, At(52), 8, themeB, 72, -12);
    w.Pad(pad, At(52), b, 58);
    w.Arpeggio(harp, At(52), b, arpUp, 62, 55);
    w.Bass(bass, At(52), b, lift, 96);
    groove(52, 8, true);
    w.Melody(lead, At(60), 4, outro, 92);
    w.Melody(flute, At(60), 4, outro, 78, 0, -2, major);
    w.Pad(pad, At(60), o, 58);
    w.Arpeggio(harp, At(60), o, arpUp, 62, 55);
    w.Bass(bass, At(60), o, lift, 94);
    groove(60, 4, true);
    return w.Ok() && song.Write(path, At(64));
}

// Stage 2's boss, "Stormfront": B minor, 172 bpm, 56 bars (about 78 s).
// A charang lead and synth brass over trembling strings, the hats in sixteenths.
bool Stormfront(const std::string& path, Writer& w) {
    Song song("Stormfront");
    song.Tempo(0, 172);
    Track& lead = song.AddTrack("Lead", 0, 84, 80, 64, 40);
    Track& brass = song.AddTrack("Brass", 1, 62, 74, 44, 50);
    Track& strings = song.AddTrack("Strings", 2, 48, 92, 84, 70);
    Track& pad = song.AddTrack("Pad", 3, 50, 60, 64, 80);
    Track& bass = song.AddTrack("Bass", 4, 39, 80, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 92, 64, 30);
    const std::vector<int> minor{11, 1, 2, 4, 6, 7, 9};  // B minor

    const char* themeA =
        "b4:2 d5:2 f#5:2 b5:2 a5:2 f#5:2 d5:2 f#5:2  g5:4 b5:4 d6:4 b5:4  "
        "c#6:4 a5:2 e5:2 a5:4 c#6:4  a#5:6 f#5:2 c#6:8  "
        "b5:2 b5:2 d6:2 b5:2 f#6:4 e6:2 d6:2  d6:4 b5:4 g5:4 b5:4  "
        "e6:4 g6:4 f#6:2 e6:2 d6:2 c#6:2  a#5:8 c#6:4 f#6:4";
    const char* themeB =
        "g5:8 b5:8  a#5:8 c#6:8  d6:12 c#6:2 b5:2  b5:4 a5:4 g5:4 d5:4  "
        "e5:4 g5:4 b5:4 e6:4  e6:8 c#6:4 a5:4  f#6:8 d6:4 a5:4  c#6:4 a#5:4 f#5:4 c#5:4";
    const char* themeC =
        "b5:16  d6:16  g6:8 f#6:8  e6:8 c#6:8  b5:16  d6:8 e6:8  g6:8 b6:8  a#6:16";
    const char* turn =
        "g5:2 a5:2 b5:2 d6:2 g6:4 f#6:4  e6:2 d6:2 c#6:2 e6:2 a6:8  "
        "f#6:4 c#6:4 a#5:4 f#5:4  c#6:2 a#5:2 f#5:2 c#5:2 f#5:8";

    auto intro = w.Chords("Bm Bm G F#", 4);
    auto a = w.Chords("Bm G A F# Bm G Em F#", 8);
    auto b = w.Chords("Em F# Bm G Em A D F#", 8);
    auto c = w.Chords("Bm Bm G A Bm Bm G F#", 8);
    auto t = w.Chords("G A F# F#", 4);

    const Kit beat{
        {kKick, "X..xX...X..xX.x."}, {kSnare, "....X.......X..."}, {kHat, "xoxoxoxoxoxoxoxo"}};
    const Kit fill{{kKick, "X..xX...X......."},
                   {kSnare, "....X...xxXxXXXX"},
                   {kTomHigh, "........X...X..."},
                   {kTomLow, "..........X...X."}};
    const Kit crash{{kCrash, "X..............."}};
    const Kit thunder{{kKick, "X.X.X.X.X.X.XXXX"},
                      {kTomFloor, "..X...X...X...X."},
                      {kTomMid, "....X.......X..."},
                      {kRideBell, "x...x...x...x..."}};
    auto groove = [&](int bar, int bars) {
        w.Drums(drums, At(bar), bars - 1, beat, 88);
        w.Drums(drums, At(bar + bars - 1), 1, fill, 88);
        w.Drums(drums, At(bar), 1, crash, 94);
    };
    const char* octaves = "RrRrRrRrRrRrRrRr";
    const char* tremolo = "xxxxxxxxxxxxxxxx";

    // Intro: octave bass and the thunder kit, strings trembling.
    w.Bass(bass, At(0), intro, octaves, 92);
    w.Hits(strings, At(0), intro, tremolo, 66, 54);
    w.Drums(drums, At(0), 3, thunder, 84);
    w.Drums(drums, At(3), 1, fill, 88);
    // A: the saw lead, then the brass takes it with the lead a third above.
    w.Melody(lead, At(4), 8, themeA, 98);
    w.Melody(brass, At(12), 8, themeA, 94);
    w.Melody(lead, At(12), 8, themeA, 86, 0, 2, minor);
    for (int bar : {4, 12}) {
        w.Bass(bass, At(bar), a, octaves, 96);
        w.Hits(strings, At(bar), a, tremolo, 58, 54);
        w.Pad(pad, At(bar), a, 54, 50);
        groove(bar, 8);
    }
    // B: long lines; the brass stabs on the push.
    w.Melody(lead, At(20), 8, themeB, 100);
    w.Hits(brass, At(20), b, "x..x..x...x.x...", 86, 55);
    w.Bass(bass, At(20), b, "R-rR-rR-R-rR-rRr", 96);
    w.Pad(strings, At(20), b, 62, 54);
    groove(20, 8);
    // C: the eye of the storm: the brass low and slow, the thunder kit.
    w.Melody(brass, At(28), 8, themeC, 90, -12);
    w.Melody(lead, At(28), 8, themeC, 78);
    w.Pad(pad, At(28), c, 70, 50);
    w.Hits(strings, At(28), c, tremolo, 60, 54);
    w.Bass(bass, At(28), c, "R-R-R-R-R-R-R-r-", 96);
    w.Drums(drums, At(28), 7, thunder, 88);
    w.Drums(drums, At(35), 1, fill, 90);
    w.Drums(drums, At(28), 1, crash, 94);
    // A and B once more, both voices, then the turn back to the intro.
    w.Melody(lead, At(36), 8, themeA, 102);
    w.Melody(brass, At(36), 8, themeA, 88, 0, -2, minor);
    w.Bass(bass, At(36), a, octaves, 98);
    w.Hits(strings, At(36), a, tremolo, 58, 54);
    w.Pad(pad, At(36), a, 58, 50);
    groove(36, 8);
    w.Melody(lead, At(44), 8, themeB, 102);
    w.Melody(brass, At(44), 8, themeB, 86, -12);
    w.Bass(bass, At(44), b, "R-rR-rR-R-rR-rRr", 98);
    w.Hits(strings, At(44), b, tremolo, 58, 54);
    groove(44, 8);
    w.Melody(lead, At(52), 4, turn, 102);
    w.Melody(brass, At(52), 4, turn, 88, -12);
    w.Bass(bass, At(52), t, octaves, 98);
    w.Hits(strings, At(52), t, tremolo, 62, 54);
    groove(52, 4);
    return w.Ok() && song.Write(path, At(56));
}

// Stage 3, "Undertow": C minor, 156 bpm, 60 bars (about 92 s). A gritty
// bass-and-lead synth over a pick bass in straight eighths and a square-wave
// ostinato; its boss shares that synth as its bass.
bool Undertow(const std::string& path, Writer& w) {
    Song song("Undertow");
    song.Tempo(0, 156);
    Track& lead = song.AddTrack("Lead", 0, 87, 108, 58, 40);
    Track& organ = song.AddTrack("Organ", 1, 16, 66, 78, 50);
    Track& ostinato = song.AddTrack("Ostinato", 2, 80, 50, 36, 50);
    Track& strings = song.AddTrack("Strings", 3, 48, 70, 90, 80);
    Track& brass = song.AddTrack("Brass", 4, 62, 90, 50, 50);
    Track& bass = song.AddTrack("Bass", 5, 34, 110, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 106, 64, 30);
    const std::vector<int> minor{0, 2, 3, 5, 7, 8, 11};  // C harmonic minor

    const char* themeA =
        "c5:3 eb5:3 g5:2 c6:4 bb5:2 g5:2  ab5:6 g5:2 eb5:4 c5:4  "
        "d5:3 f5:3 bb5:2 d6:4 c6:2 bb5:2  c6:12 r:4  "
        "g5:3 c6:3 eb6:2 d6:4 c6:2 bb5:2  c6:6 ab5:2 eb5:4 ab5:4  "
        "f5:3 ab5:3 c6:2 f6:4 eb6:2 c6:2  d6:4 b5:4 g5:4 d5:4";
    const char* themeB =
        "eb6:8 c6:4 ab5:4  d6:8 bb5:4 f5:4  g5:4 bb5:4 eb6:4 g6:4  g6:6 f6:2 eb6:8  "
        "c6:4 eb6:4 ab6:8  f6:4 d6:4 bb5:8  b5:4 d6:4 g6:8  f6:4 d6:4 b5:4 g5:4";
    const char* themeC =
        "f5:8 ab5:8  db6:8 c6:4 ab5:4  g5:16  c6:8 eb6:8  "
        "f6:8 ab6:4 f6:4  f6:4 eb6:4 db6:8  d6:8 b5:8  g5:4 b5:4 d6:4 f6:4";
    const char* outro =
        "ab5:4 c6:4 eb6:8  d6:4 bb5:4 f5:8  g5:4 b5:4 d6:4 g6:4  f6:4 d6:4 b5:4 g5:4";

    auto intro = w.Chords("Cm Cm Ab G Cm Cm Ab G", 8);
    auto a = w.Chords("Cm Ab Bb Cm Cm Ab Fm G", 8);
    auto b = w.Chords("Ab Bb Eb Cm Ab Bb G G", 8);
    auto c = w.Chords("Fm Db Cm Ab Fm Db G G", 8);
    auto o = w.Chords("Ab Bb G G", 4);

    // Straight and heavy: the kick pushes the last eighth of every bar.
    const Kit beat{
        {kKick, "X.x...x.X.x...xx"}, {kSnare, "....X.......X..."}, {kHat, "x.x.x.x.x.x.x.x."}};
    const Kit fill{{kKick, "X.x...x.X......."},
                   {kSnare, "....X...X.XxXxXX"},
                   {kTomHigh, "........X......."},
                   {kTomMid, "..........X....."},
                   {kTomFloor, "............X.X."}};
    const Kit crash{{kCrash, "X..............."}};
    const Kit pulse{{kKick, "X...X...X...X..."}, {kHat, "..x...x...x...x."}};
    const Kit low{
        {kKick, "X.........x....."}, {kTomFloor, "......x.......x."}, {kRide, "x.o.x.o.x.o.x.o."}};
    auto groove = [&](int bar, int bars, bool withCrash) {
        w.Drums(drums, At(bar), bars - 1, beat, 88);
        w.Drums(drums, At(bar + bars - 1), 1, fill, 88);
        if (withCrash) w.Drums(drums, At(bar), 1, crash, 92);
    };
    const char* eighths = "R-R-R-R-R-R-r-R-";
    const char* churn = "0.1.2.1.0.1.2.3.";

    // Intro: bass and pulse, then the ostinato and the beat.
    w.Bass(bass, At(0), intro, eighths, 92);
    w.Drums(drums, At(0), 4, pulse, 84);
    w.Arpeggio(ostinato, At(4), w.Chords("Cm Cm Ab G", 4), churn, 72, 60);
    w.Pad(organ, At(4), w.Chords("Cm Cm Ab G", 4), 62, 55);
    groove(4, 4, true);
    // A twice: the lead, then the organ a sixth below (a third, down an octave).
    for (int bar : {8, 16}) {
        w.Melody(lead, At(bar), 8, themeA, 96);
        w.Arpeggio(ostinato, At(bar), a, churn, 66, 60);
        w.Bass(bass, At(bar), a, eighths, 96);
        groove(bar, 8, true);
    }
    w.Pad(organ, At(8), a, 58, 55);
    w.Melody(organ, At(16), 8, themeA, 78, -12, 2, minor);
    // B: the brass takes the tune, the lead an octave down with it.
    w.Melody(brass, At(24), 8, themeB, 96);
    w.Melody(lead, At(24), 8, themeB, 80, -12);
    w.Pad(strings, At(24), b, 64, 52);
    w.Arpeggio(ostinato, At(24), b, churn, 64, 60);
    w.Bass(bass, At(24), b, "R-R-r-R-R-R-r-r-", 96);
    groove(24, 8, true);
    // C: the bottom drops out; organ and strings in the dark, Db pulling down.
    w.Melody(organ, At(32), 8, themeC, 84);
    w.Pad(strings, At(32), c, 66, 48);
    w.Arpeggio(ostinato, At(32), c, "0...1...2...1...", 60, 60);
    w.Bass(bass, At(32), c, "R-------R---5---", 90);
    w.Drums(drums, At(32), 6, low, 84);
    w.Drums(drums, At(38), 2, pulse, 88);
    w.Drums(drums, At(32), 1, crash, 90);
    // A and B in full, then the outro back to the riff.
    w.Melody(lead, At(40), 8, themeA, 100);
    w.Melody(organ, At(40), 8, themeA, 78, -12, 2, minor);
    w.Pad(strings, At(40), a, 60, 52);
    w.Arpeggio(ostinato, At(40), a, churn, 66, 60);
    w.Bass(bass, At(40), a, eighths, 98);
    groove(40, 8, true);
    w.Melody(lead, At(48), 8, themeB, 100);
    w.Melody(brass, At(48), 8, themeB, 84, -12);
    w.Pad(organ, At(48), b, 58, 55);
    w.Arpeggio(ostinato, At(48), b, churn, 64, 60);
    w.Bass(bass, At(48), b, "R-R-r-R-R-R-r-r-", 98);
    groove(48, 8, true);
    w.Melody(lead, At(56), 4, outro, 96);
    w.Hits(brass, At(56), o, "x..x..x.........", 84, 55);
    w.Arpeggio(ostinato, At(56), o, churn, 66, 60);
    w.Bass(bass, At(56), o, eighths, 96);
    groove(56, 4, true);
    return w.Ok() && song.Write(path, At(60));
}

// Stage 3's boss, "Iron Tide": F minor, 180 bpm, 56 bars (about 75 s).
// Distorted guitar against a church organ, the bass in sixteenths.
bool IronTide(const std::string& path, Writer& w) {
    Song song("Iron Tide");
    song.Tempo(0, 180);
    Track& lead = song.AddTrack("Guitar", 0, 30, 110, 60, 40);
    Track& organ = song.AddTrack("Organ", 1, 19, 74, 70, 60);
    Track& brass = song.AddTrack("Brass", 2, 61, 82, 46, 50);
    Track& strings = song.AddTrack("Strings", 3, 48, 100, 84, 70);
    Track& bass = song.AddTrack("Bass", 4, 87, 76, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 104, 64, 30);
    const std::vector<int> minor{5, 7, 8, 10, 0, 1, 4};  // F harmonic minor

    const char* themeA =
        "f5:2 f5:2 ab5:2 c6:2 f6:4 eb6:2 c6:2  db6:4 ab5:4 f5:4 ab5:4  "
        "g5:2 g5:2 bb5:2 eb6:2 g6:4 f6:2 eb6:2  e6:8 c6:4 g5:4  "
        "ab5:2 c6:2 f6:2 ab6:2 g6:2 f6:2 e6:2 f6:2  db6:6 c6:2 ab5:8  "
        "bb5:4 db6:4 f6:4 db6:4  e6:4 g6:4 c6:4 e5:4";
    const char* themeB =
        "db6:8 bb5:8  c6:8 e6:8  f6:12 eb6:2 db6:2  c6:4 ab5:4 f5:4 ab5:4  "
        "bb5:8 f6:8  g6:8 eb6:4 bb5:4  ab6:8 c6:4 eb6:4  g6:4 e6:4 c6:4 bb5:4";
    const char* themeC =
        "f5:8 db5:8  bb4:8 db5:8  c5:8 ab4:8  f4:16  ab4:8 db5:8  bb4:8 eb5:8  e5:8 g5:8  c6:16";
    const char* turn =
        "ab5:2 db6:2 f6:2 ab6:2 f6:4 db6:4  g6:2 eb6:2 bb5:2 g5:2 eb6:8  "
        "e6:4 c6:4 g5:4 e5:4  c6:2 e6:2 g6:2 bb6:2 c7:8";

    auto intro = w.Chords("Fm Fm Db C", 4);
    auto a = w.Chords("Fm Db Eb C Fm Db Bbm C", 8);
    auto b = w.Chords("Bbm C Fm Db Bbm Eb Ab C", 8);
    auto c = w.Chords("Bbm Bbm Fm Fm Db Eb C C", 8);
    auto t = w.Chords("Db Eb C C", 4);

    const Kit beat{{kKick, "XxX.XxX.XxX.XxXx"},
                   {kSnare, "....X.......X..."},
                   {kHat, "x.x.x.x.x.x.x.x."},
                   {kChina, "..............x."}};
    const Kit fill{{kKick, "XxX.XxX.X......."},
                   {kSnare, "....X...XXxxXXXX"},
                   {kTomHigh, "........X.x....."},
                   {kTomFloor, "............X.X."}};
    const Kit crash{{kCrash, "X..............."}, {kCrash2, "........x......."}};
    const Kit march{
        {kKick, "X...X...X...X..."}, {kSnare, "..x...x...x..xxx"}, {kTomLow, "X.......X......."}};
    auto groove = [&](int bar, int bars) {
        w.Drums(drums, At(bar), bars - 1, beat, 86);
        w.Drums(drums, At(bar + bars - 1), 1, fill, 88);
        w.Drums(drums, At(bar), 1, crash, 94);
    };
    const char* sixteenths = "RRRRRRRRRRRRRRrR";
    const char* chug = "x.xx.xx.x.xx.xx.";

    // Intro: the bass churns, the organ holds, the march kit.
    w.Bass(bass, At(0), intro, sixteenths, 88);
    w.Pad(organ, At(0), intro, 70, 53);
    w.Drums(drums, At(0), 3, march, 86);
    w.Drums(drums, At(3), 1, fill, 88);
    // A: the guitar, then the brass with it a third above.
    w.Melody(lead, At(4), 8, themeA, 98);
    w.Melody(lead, At(12), 8, themeA, 94);
    w.Melody(brass, At(12), 8, themeA, 84, 0, 2, minor);
    for (int bar : {4, 12}) {
        w.Bass(bass, At(bar), a, sixteenths, 92);
        w.Hits(strings, At(bar), a, chug, 60, 53);
        groove(bar, 8);
    }
    w.Pad(organ, At(4), a, 58, 53);
    // B: wide lines on the guitar, organ beneath.
    w.Melody(lead, At(20), 8, themeB, 100);
    w.Pad(organ, At(20), b, 64, 53);
    w.Hits(brass, At(20), b, "x...x...x.x.x...", 82, 55);
    w.Bass(bass, At(20), b, sixteenths, 92);
    groove(20, 8);
    // C: the organ alone with the march, the guitar holding back.
    w.Melody(organ, At(28), 8, themeC, 92);
    w.Melody(strings, At(28), 8, themeC, 70, 12);
    w.Bass(bass, At(28), c, "R---R---R---R-r-", 88);
    w.Drums(drums, At(28), 7, march, 88);
    w.Drums(drums, At(35), 1, fill, 92);
    w.Drums(drums, At(28), 1, crash, 94);
    // A and B with everything, then the turn back to the intro.
    w.Melody(lead, At(36), 8, themeA, 102);
    w.Melody(brass, At(36), 8, themeA, 86, 0, 2, minor);
    w.Pad(organ, At(36), a, 60, 53);
    w.Bass(bass, At(36), a, sixteenths, 94);
    w.Hits(strings, At(36), a, chug, 60, 53);
    groove(36, 8);
    w.Melody(lead, At(44), 8, themeB, 102);
    w.Melody(brass, At(44), 8, themeB, 84, -12);
    w.Pad(organ, At(44), b, 62, 53);
    w.Bass(bass, At(44), b, sixteenths, 94);
    groove(44, 8);
    w.Melody(lead, At(52), 4, turn, 102);
    w.Melody(brass, At(52), 4, turn, 86, -12);
    w.Pad(organ, At(52), t, 64, 53);
    w.Bass(bass, At(52), t, sixteenths, 94);
    groove(52, 4);
    return w.Ok() && song.Write(path, At(56));
}

// Stage 4, "Last Light": D minor, 138 bpm, 64 bars (about 1:51). Synth horns
// over a synth-string ostinato, timpani and choir: the way to the last boss.
// The orchestra's own patches sit some 10 dB under the synth ones, which would
// leave this stage quieter than the others.
bool LastLight(const std::string& path, Writer& w) {
    Song song("Last Light");
    song.Tempo(0, 138);
    Track& horns = song.AddTrack("Horns", 0, 63, 100, 56, 70);
    Track& strings = song.AddTrack("Strings", 1, 50, 104, 80, 70);
    Track& violins = song.AddTrack("Violins", 2, 40, 84, 70, 70);
    Track& choir = song.AddTrack("Choir", 3, 52, 76, 64, 90);
    Track& brass = song.AddTrack("Brass", 4, 62, 100, 44, 60);
    Track& timpani = song.AddTrack("Timpani", 5, 47, 100, 64, 60);
    Track& bass = song.AddTrack("Bass", 6, 43, 110, 64, 40);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 104, 64, 50);
    const std::vector<int> minor{2, 4, 5, 7, 9, 10, 1};  // D harmonic minor

    const char* themeA =
        "d5:6 f5:2 a5:8  bb5:6 a5:2 f5:4 d5:4  g5:6 bb5:2 d6:8  c#6:8 e5:4 a5:4  "
        "f6:6 e6:2 d6:8  d6:4 f6:4 bb5:8  g5:6 bb5:2 eb6:8  e6:8 c#6:4 a5:4";
    const char* themeB =
        "d6:4 bb5:4 g5:4 bb5:4  c#6:4 e6:4 a6:8  f6:4 e6:4 d6:4 a5:4  bb5:12 a5:2 bb5:2  "
        "d6:4 g6:4 f6:4 d6:4  e6:4 g6:4 c6:8  a6:6 g6:2 f6:4 c6:4  e6:8 c#6:8";
    const char* themeC =
        "f5:8 bb5:8  a5:8 c6:8  c6:4 e6:4 g6:8  f6:12 e6:2 d6:2  "
        "d6:8 f6:8  c6:8 a5:4 f5:4  bb5:4 d6:4 g6:4 f6:4  e6:8 c#6:4 a5:4";
    const char* outro = "d6:8 f6:8  g6:4 f6:4 d6:4 bb5:4  g5:4 bb5:4 eb6:8  c#6:4 e6:4 a6:8";

    auto intro = w.Chords("Dm Dm Bb A", 4);
    auto a = w.Chords("Dm Bb Gm A Dm Bb Eb A", 8);
    auto b = w.Chords("Gm A Dm Bb Gm C F A", 8);
    auto c = w.Chords("Bb F C Dm Bb F Gm A", 8);
    auto o = w.Chords("Bb Gm Eb A", 4);

    const Kit march{
        {kKick, "X.....x.X.....x."}, {kSnare, "....X.......X..x"}, {kHat, "x.x.x.x.x.x.x.x."}};
    const Kit fill{{kKick, "X.....x.X......."},
                   {kSnare, "....X...x.x.xxXX"},
                   {kTomHigh, "........X......."},
                   {kTomMid, "..........X....."},
                   {kTomFloor, "............X.X."}};
    const Kit crash{{kCrash, "X..............."}};
    const Kit war{
        {kKick, "X.......X.x....."}, {kTomFloor, "....X.......X.XX"}, {kRide, "x.x.x.x.x.x.x.x."}};
    auto groove = [&](int bar, int bars) {
        w.Drums(drums, At(bar), bars - 1, march, 84);
        w.Drums(drums, At(bar + bars - 1), 1, fill, 86);
        w.Drums(drums, At(bar), 1, crash, 90);
    };
    const char* ostinato = "0101210101210121";
    const char* boom = "R.....R.R.......";
    const char* timp = "R.....R.R...R.RR";

    // Intro: the strings' ostinato over timpani, tension before the horns.
    w.Arpeggio(strings, At(0), intro, ostinato, 70, 50);
    w.Bass(timpani, At(0), intro, timp, 84, 38);
    w.Bass(bass, At(0), intro, "R---------------", 84);
    w.Drums(drums, At(2), 2, war, 76);
    // A: horns; then the violins take it with the horns a sixth below.
    w.Melody(horns, At(4), 8, themeA, 94);
    w.Melody(violins, At(12), 8, themeA, 92);
    w.Melody(horns, At(12), 8, themeA, 82, -12, 2, minor);
    for (int bar : {4, 12}) {
        w.Arpeggio(strings, At(bar), a, ostinato, 64, 50);
        w.Bass(bass, At(bar), a, boom, 92);
        w.Bass(timpani, At(bar), a, timp, 80, 38);
        groove(bar, 8);
    }
    w.Pad(choir, At(12), a, 56, 52);
    // B: the violins climb, brass stabs answer.
    w.Melody(violins, At(20), 8, themeB, 94);
    w.Melody(horns, At(20), 8, themeB, 80, -12);
    w.Hits(brass, At(20), b, "x..x..x.........", 82, 53);
    w.Arpeggio(strings, At(20), b, ostinato, 62, 50);
    w.Bass(bass, At(20), b, boom, 92);
    w.Bass(timpani, At(20), b, timp, 80, 38);
    groove(20, 8);
    // C: the lift into the major; horns and choir broad.
    w.Melody(horns, At(28), 8, themeC, 100);
    w.Pad(choir, At(28), c, 66, 52);
    w.Melody(brass, At(28), 8, themeC, 86, -12);
    w.Arpeggio(strings, At(28), c, "0-1-2-1-0-1-2-1-", 62, 50);
    w.Bass(bass, At(28), c, "R-------R-------", 90);
    w.Bass(timpani, At(28), c, "R...............", 84, 38);
    w.Drums(drums, At(28), 7, war, 80);
    w.Drums(drums, At(35), 1, fill, 86);
    w.Drums(drums, At(28), 1, crash, 90);
    // A and B in full; then C once more, everything on it.
    w.Melody(horns, At(36), 8, themeA, 102);
    w.Melody(violins, At(36), 8, themeA, 88, 12);
    w.Melody(brass, At(36), 8, themeA, 88, -12);
    w.Pad(choir, At(36), a, 62, 52);
    w.Arpeggio(strings, At(36), a, ostinato, 64, 50);
    w.Bass(bass, At(36), a, boom, 94);
    w.Bass(timpani, At(36), a, timp, 84, 38);
    groove(36, 8);
    w.Melody(violins, At(44), 8, themeB, 98);
    w.Melody(horns, At(44), 8, themeB, 86, -12);
    w.Hits(brass, At(44), b, "x..x..x...x.x...", 84, 53);
    w.Arpeggio(strings, At(44), b, ostinato, 62, 50);
    w.Bass(bass, At(44), b, boom, 94);
    w.Bass(timpani, At(44), b, timp, 84, 38);
    groove(44, 8);
    w.Melody(horns, At(52), 8, themeC, 104);
    w.Melody(violins, At(52), 8, themeC, 90, 12);
    w.Melody(brass, At(52), 8, themeC, 90, -12);
    w.Pad(choir, At(52), c, 70, 52);
    w.Arpeggio(strings, At(52), c, ostinato, 64, 50);
    w.Bass(bass, At(52), c, "R---R---R---R---", 94);
    w.Bass(timpani, At(52), c, timp, 86, 38);
    groove(52, 8);
    // Outro: down through the Neapolitan Eb to A, back to the ostinato.
    w.Melody(horns, At(60), 4, outro, 98);
    w.Pad(choir, At(60), o, 64, 52);
    w.Arpeggio(strings, At(60), o, ostinato, 64, 50);
    w.Bass(bass, At(60), o, boom, 92);
    w.Bass(timpani, At(60), o, timp, 86, 38);
    groove(60, 4);
    return w.Ok() && song.Write(path, At(64));
}

// Stage 4's boss, the last: "Eclipse". C# minor, 184 bpm, 56 bars (about
// 73 s). Everything at once: guitar, organ, choir, brass and timpani.
bool Eclipse(const std::string& path, Writer& w) {
    Song song("Eclipse");
    song.Tempo(0, 184);
    Track& lead = song.AddTrack("Guitar", 0, 30, 104, 60, 40);
    Track& organ = song.AddTrack("Organ", 1, 19, 72, 70, 70);
    Track& choir = song.AddTrack("Choir", 2, 52, 80, 64, 90);
    Track& brass = song.AddTrack("Brass", 3, 61, 84, 44, 50);
    Track& strings = song.AddTrack("Strings", 4, 48, 74, 84, 70);
    Track& timpani = song.AddTrack("Timpani", 5, 47, 100, 64, 60);
    Track& bass = song.AddTrack("Bass", 6, 38, 96, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 104, 64, 30);
    const std::vector<int> minor{1, 3, 4, 6, 8, 9, 0};  // C# harmonic minor

    const char* themeA =
        "c#5:2 e5:2 g#5:2 c#6:2 e6:4 d#6:2 c#6:2  c#6:4 a5:4 e5:4 a5:4  "
        "b5:2 d#6:2 f#6:2 d#6:2 b5:4 a5:2 f#5:2  g#5:8 b#5:4 d#6:4  "
        "e6:2 e6:2 d#6:2 c#6:2 g#6:4 f#6:2 e6:2  e6:6 c#6:2 a5:8  "
        "f#5:2 a5:2 c#6:2 f#6:2 e6:2 c#6:2 a5:2 c#6:2  d#6:4 b#5:4 g#5:4 d#5:4";
    const char* themeB =
        "e6:8 c#6:8  d#6:8 f#6:8  g#6:12 f#6:2 e6:2  e6:4 d#6:4 c#6:8  "
        "a5:4 c#6:4 e6:4 a6:4  f#6:8 d#6:4 b5:4  b#5:8 d#6:8  g#6:8 f#6:4 d#6:4";
    const char* themeC =
        "a4:8 c#5:8  e5:8 g#5:8  f#5:8 a5:8  e5:16  f#5:8 c#6:8  d6:8 a5:8  g#5:8 b#5:8  d#6:16";
    const char* turn =
        "a5:2 c#6:2 e6:2 a6:2 g#6:4 e6:4  f#6:2 d#6:2 b5:2 d#6:2 f#6:8  "
        "g#6:4 d#6:4 b#5:4 g#5:4  d#6:2 b#5:2 g#5:2 d#5:2 g#5:8";

    auto intro = w.Chords("C#m D C#m G#", 4);
    auto a = w.Chords("C#m A B G# C#m A F#m G#", 8);
    auto b = w.Chords("A B E C#m A B G# G#", 8);
    auto c = w.Chords("F#m C#m D A F#m D G# G#", 8);
    auto t = w.Chords("A B G# G#", 4);

    const Kit blast{
        {kKick, "XxXxXxXxXxXxXxXx"}, {kSnare, "....X.......X..."}, {kRide, "x.x.x.x.x.x.x.x."}};
    const Kit beat{
        {kKick, "X.xxX.x.X.xxX.x."}, {kSnare, "....X.......X..."}, {kHat, "xxxxxxxxxxxxxxxx"}};
    const Kit fill{{kKick, "X.xxX.x.X......."},
                   {kSnare, "....X...XxXxXXXX"},
                   {kTomHigh, "........X.X....."},
                   {kTomMid, "..........X.X..."},
                   {kTomFloor, "............X.XX"}};
    const Kit crash{{kCrash, "X..............."}, {kChina, "........X......."}};
    const Kit toll{{kKick, "X.......X......."},
                   {kTomFloor, "....X.......X..."},
                   {kRideBell, "X...X...X...X..."}};
    auto groove = [&](int bar, int bars, const Kit& kit) {
        w.Drums(drums, At(bar), bars - 1, kit, 86);
        w.Drums(drums, At(bar + bars - 1), 1, fill, 90);
        w.Drums(drums, At(bar), 1, crash, 96);
    };
    const char* gallop = "R-RRR-RRR-RRr-RR";
    const char* tremolo = "xxxxxxxxxxxxxxxx";
    const char* timp = "R...R...R...R.RR";

    // Intro: the choir and organ on the Neapolitan D, the toll of the drums.
    w.Pad(choir, At(0), intro, 76, 52);
    w.Pad(organ, At(0), intro, 70, 48);
    w.Bass(timpani, At(0), intro, timp, 86, 37);
    w.Bass(bass, At(0), intro, "R-------R-------", 90);
    w.Drums(drums, At(0), 3, toll, 88);
    w.Drums(drums, At(3), 1, fill, 90);
    // A: the guitar, then the organ with it a third below.
    w.Melody(lead, At(4), 8, themeA, 98);
    w.Melody(lead, At(12), 8, themeA, 96);
    w.Melody(organ, At(12), 8, themeA, 80, 0, -2, minor);
    for (int bar : {4, 12}) {
        w.Bass(bass, At(bar), a, gallop, 96);
        w.Hits(strings, At(bar), a, tremolo, 58, 52);
        groove(bar, 8, beat);
    }
    w.Pad(choir, At(12), a, 58, 52);
    // B: brass carries it, the blast beat under.
    w.Melody(brass, At(20), 8, themeB, 96);
    w.Melody(lead, At(20), 8, themeB, 86, -12);
    w.Pad(choir, At(20), b, 62, 52);
    w.Bass(bass, At(20), b, gallop, 96);
    w.Bass(timpani, At(20), b, "R.......R.......", 84, 37);
    groove(20, 8, blast);
    // C: organ and choir, the toll again; the D grinding against the C#.
    w.Melody(organ, At(28), 8, themeC, 92);
    w.Pad(choir, At(28), c, 72, 52);
    w.Hits(strings, At(28), c, tremolo, 60, 55);
    w.Bass(bass, At(28), c, "R---R---R---R-R-", 92);
    w.Bass(timpani, At(28), c, timp, 86, 37);
    w.Drums(drums, At(28), 7, toll, 90);
    w.Drums(drums, At(35), 1, fill, 92);
    w.Drums(drums, At(28), 1, crash, 96);
    // A and B with all of it, then the turn back to the intro.
    w.Melody(lead, At(36), 8, themeA, 102);
    w.Melody(brass, At(36), 8, themeA, 86, 0, -2, minor);
    w.Pad(choir, At(36), a, 62, 52);
    w.Bass(bass, At(36), a, gallop, 98);
    w.Hits(strings, At(36), a, tremolo, 58, 52);
    groove(36, 8, beat);
    w.Melody(lead, At(44), 8, themeB, 102);
    w.Melody(brass, At(44), 8, themeB, 90);
    w.Pad(organ, At(44), b, 62, 48);
    w.Bass(bass, At(44), b, gallop, 98);
    w.Bass(timpani, At(44), b, "R.......R.......", 86, 37);
    groove(44, 8, blast);
    w.Melody(lead, At(52), 4, turn, 102);
    w.Melody(brass, At(52), 4, turn, 88, -12);
    w.Pad(choir, At(52), t, 66, 52);
    w.Bass(bass, At(52), t, gallop, 98);
    w.Bass(timpani, At(52), t, timp, 88, 37);
    groove(52, 4, beat);
    return w.Ok() && song.Write(path, At(56));
}

}  // namespace

bool WriteStageMusic(const std::filesystem::path& root) {
    struct Piece {
        const char* file;
        bool (*compose)(const std::string&, Writer&);
    };
    for (const Piece& p :
         {Piece{"stage2/theme.mid", Skyward}, Piece{"stage2/boss.mid", Stormfront},
          Piece{"stage3/theme.mid", Undertow}, Piece{"stage3/boss.mid", IronTide},
          Piece{"stage4/theme.mid", LastLight}, Piece{"stage4/boss.mid", Eclipse}}) {
        const std::filesystem::path path = root / p.file;
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        Writer w;
        if (error || !p.compose(path.string(), w)) {
            std::fprintf(stderr, "mkmedia: %s: %s\n", p.file,
                         error    ? error.message().c_str()
                         : w.Ok() ? "a note runs past the end"
                                  : w.Error().c_str());
            return false;
        }
    }
    return true;
}

}  // namespace mkmedia
