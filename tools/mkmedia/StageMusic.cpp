// The later stages' pieces, each in its stage's folder: theme.mid while the
// stage runs and boss.mid for its boss. Like the first stage's, each is one
// loop that ends on a chord leading back into its first bar, but each stage
// has a shape and a time feel of its own.
#include <cstdio>
#include <system_error>

#include "Media.h"
#include "Midi.h"
#include "Score.h"

namespace mkmedia {

namespace {

using midi::Song;
using midi::Track;
using score::Kit;
using score::Times;
using score::Writer;
using namespace score::drum;

// Stage 2, "Skyward": D major with a Lydian G#, in a lilting 12/8 at 108
// dotted quarters, 48 bars (about 1:47). A rondo: the flute's refrain comes
// round three times, between a sung episode in B minor and a high one on the
// celesta. Each step is an eighth-note triplet, twelve to a bar.
bool Skyward(const std::string& path, Writer& w) {
    w.Meter(3, 12);
    Song song("Skyward");
    song.Tempo(0, 81);  // four triplet eighths to the file's quarter: 108 a dotted quarter
    Track& flute = song.AddTrack("Flute", 0, 73, 112, 60, 70);
    Track& glock = song.AddTrack("Glockenspiel", 1, 9, 127, 84, 80);
    Track& harp = song.AddTrack("Harp", 2, 46, 106, 40, 70);
    Track& pad = song.AddTrack("Pad", 3, 88, 80, 64, 90);
    Track& strings = song.AddTrack("Strings", 4, 49, 99, 76, 80);
    Track& celesta = song.AddTrack("Celesta", 5, 8, 106, 50, 80);
    Track& bass = song.AddTrack("Bass", 6, 33, 104, 64, 30);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 95, 64, 50);

    const char* refrain =
        "a4:3 d5:2 e5:1 f#5:6  g#5:2 f#5:1 e5:2 f#5:1 b5:6  a5:2 b5:1 a5:2 g5:1 f#5:3 d5:3  "
        "e5:6 d5:3 r:3  d5:2 f#5:1 b5:3 a5:2 f#5:1 d6:3  c#6:2 b5:1 g#5:3 e5:6  "
        "g5:2 a5:1 b5:2 d6:1 c#6:3 b5:3  a5:9 e5:3";
    const char* episode =
        "f#5:6 b5:6  c#6:3 a5:3 f#5:6  g5:3 b5:3 d6:3 b5:3  a5:12  "
        "g5:6 e5:3 g5:3  f#5:3 d5:3 b4:6  c5:3 e5:3 g5:3 c6:3  c#6:6 e6:6";
    const char* heights =
        "b5:1 d6:1 g6:1 d6:1 b5:1 g5:1 a5:3 b5:3  c#6:1 e6:1 a6:1 e6:1 c#6:1 a5:1 e6:6  "
        "f#6:3 e6:2 c#6:1 a5:6  b5:2 c#6:1 d6:3 f#5:6  g5:2 a5:1 b5:2 d6:1 g6:6  "
        "f#6:2 e6:1 c#6:2 a5:1 e6:6  g#6:3 f#6:3 e6:3 b5:3  c#6:2 d6:1 e6:2 c#6:1 a5:6";
    const char* tag = "b5:6 a5:6  g#5:3 b5:3 e6:6  d6:3 b5:3 g5:3 b5:3  a5:12";

    auto opening = w.Chords("D:3 E:3 Bm:3 A:3", 4);
    auto home = w.Chords("D:3 E:3 G:3 D:3 Bm:3 E:3 G:3 A:3", 8);
    auto away = w.Chords("Bm:3 F#m:3 G:3 D:3 Em:3 Bm:3 C:3 A:3", 8);
    auto cloud = w.Chords("G:3 A:3 F#m:3 Bm:3 G:3 A:3 E:3 A:3", 8);
    auto close = w.Chords("G:3 E:3 G:3 A:3", 4);

    // Long-short on every beat: the ride rocks, the rim answers on two and four.
    const Writer::Groove lilt{{{kKick, "X.....x....."},
                               {kStick, "...x.....x.."},
                               {kRide, "x.ox.ox.ox.o"},
                               {kTambourine, "..o..o..o..o"}},
                              {{kKick, "X.....x....."},
                               {kSnare, "...x..x.xxXX"},
                               {kTomHigh, "......X....."},
                               {kTomMid, "........x..."}},
                              {{kCrash, "X..........."}},
                              88,
                              92};
    const Kit drift{
        {kRide, "x.ox.ox.ox.o"}, {kTambourine, "..o..o..o..o"}, {kKick, "X..........."}};
    const char* flow = "012321012321";

    // The harp alone, then the ride.
    w.Arpeggio(harp, w.Bar(0), opening, flow, 74, 55);
    w.Pad(pad, w.Bar(0), opening, 62);
    w.Drums(drums, w.Bar(2), 2, drift, 72);
    // The refrain, fuller each time round: the flute alone, the glockenspiel
    // an octave over it, then the strings an octave under as well.
    for (int round = 0; round < 3; ++round) {
        const uint32_t at = w.Bar(4 + 16 * round);
        w.Melody(flute, at, 8, refrain, 94 + 4 * round);
        w.Arpeggio(harp, at, home, flow, 66, 55);
        w.Bass(bass, at, home, "R-----5--r-.", 92);
        w.Pad(pad, at, home, 54);
        w.Section(drums, at, 8, lilt, round > 0);
        if (round > 0) w.Melody(glock, at, 8, refrain, 100, 12);
    }
    w.Melody(strings, w.Bar(36), 8, refrain, 78, -12);
    // The episode: the strings sing in B minor, the bass walks in halves.
    w.Melody(strings, w.Bar(12), 8, episode, 92);
    w.Melody(glock, w.Bar(12), 8, episode, 96, 12);
    w.Arpeggio(harp, w.Bar(12), away, "0.1.2.3.2.1.", 70, 55);
    w.Bass(bass, w.Bar(12), away, "R-----R--5--", 90);
    w.Section(drums, w.Bar(12), 8, lilt);
    // Above the clouds: the celesta runs, the drums fall back to the ride.
    w.Melody(celesta, w.Bar(28), 8, heights, 100);
    w.Melody(flute, w.Bar(28), 8, heights, 70, -12);
    w.Pad(strings, w.Bar(28), cloud, 66, 55);
    w.Arpeggio(harp, w.Bar(28), cloud, "024642024642", 62, 50);
    w.Bass(bass, w.Bar(28), cloud, "R-----------", 86);
    w.Drums(drums, w.Bar(28), 8, drift, 80);
    // The tag turns on A back to the harp's D.
    w.Melody(flute, w.Bar(44), 4, tag, 96);
    w.Melody(glock, w.Bar(44), 4, tag, 98, 12);
    w.Arpeggio(harp, w.Bar(44), close, flow, 66, 55);
    w.Pad(pad, w.Bar(44), close, 58);
    w.Bass(bass, w.Bar(44), close, "R-----5--r-.", 92);
    w.Section(drums, w.Bar(44), 4, lilt);
    return w.Ok() && song.Write(path, w.Bar(48));
}

// Stage 2's boss, "Stormfront": F# minor, 150 bpm, four on the floor, 48 bars
// (about 77 s). An ostinato build: the polysynth's sixteenths run the whole
// way and everything else piles onto them, drops away into a half-time lull,
// and comes back to a last, syncopated climb.
bool Stormfront(const std::string& path, Writer& w) {
    Song song("Stormfront");
    song.Tempo(0, 150);
    Track& lead = song.AddTrack("Lead", 0, 84, 107, 64, 40);
    Track& brass = song.AddTrack("Brass", 1, 62, 102, 44, 50);
    Track& ostinato = song.AddTrack("Ostinato", 2, 90, 102, 30, 50);
    Track& strings = song.AddTrack("Strings", 3, 49, 114, 90, 80);
    Track& choir = song.AddTrack("Voices", 4, 54, 107, 64, 90);
    Track& bass = song.AddTrack("Bass", 5, 38, 122, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 127, 64, 30);

    const char* gale =
        "c#6:6 b5:2 a5:4 f#5:4  a5:2 b5:2 c#6:4 e6:6 c#6:2  d6:4 c#6:4 b5:4 a5:2 f#5:2  "
        "g#5:12 e5:4  c#6:6 b5:2 a5:4 c#6:4  f#6:8 e6:4 c#6:4  "
        "d6:2 e6:2 f#6:4 a6:4 f#6:2 d6:2  e#6:8 c#6:8";
    const char* squall =
        "f#6:4 d6:4 b5:8  a5:4 d6:4 f#6:8  g#6:6 f#6:2 e6:4 b5:4  c#6:16  "
        "b5:2 c#6:2 d6:4 f#6:4 b6:4  a6:6 f#6:2 d6:8  e6:2 f#6:2 g#6:4 b6:4 g#6:4  "
        "e#6:4 g#6:4 c#7:8";
    const char* climb =
        "f#5:3 f#5:3 e5:2 f#5:3 a5:3 c#6:2  c#6:6 b5:2 a5:8  "
        "a5:3 f#5:3 d5:2 a5:3 f#5:3 d5:2  e5:3 g#5:3 b5:2 e6:8  "
        "c#6:3 b5:3 a5:2 b5:3 a5:3 f#5:2  a5:6 f#5:2 c#5:8  "
        "d5:3 e5:3 f#5:2 b5:3 a5:3 f#5:2  e#5:8 g#5:4 c#6:4";
    const char* lull = "a5:32 b5:32 c#6:32 e#5:16 g#5:16";

    auto ground = w.Chords("F#m F#m D E F#m F#m D C#", 8);
    auto lift = w.Chords("Bm D E C#m Bm D E C#", 8);
    auto calm = w.Chords("D:8 E:8 F#m:8 C#:8", 8);

    const Kit floor{{kKick, "X...X...X...X..."}, {kOpenHat, "..x...x...x...x."}};
    const Writer::Groove storm{{{kKick, "X...X...X...X..."},
                                {kClap, "....X.......X..."},
                                {kHat, "xoxoxoxoxoxoxoxo"},
                                {kOpenHat, "..x...x...x...x."}},
                               {{kKick, "X...X...X...X..."},
                                {kSnare, "..x...x.xxxxXXXX"},
                                {kTomHigh, "........X.x....."},
                                {kTomFloor, "............x.x."}},
                               {{kCrash, "X..............."}},
                               90,
                               98};
    const Kit halfTime{
        {kKick, "X.........x....."}, {kSnare, "........X......."}, {kRide, "x...x...x...x..."}};
    const Kit roll{{kKick, "X...X...X...X..."}, {kSnare, "x.x.x.x.xxxxxxxx"}};
    const char* spin = "0212031202120313";
    const char* pump = "..R-..R-..R-..r-";

    // The ostinato never stops; the floor starts under it, the bass at bar 4.
    for (int bar : {0, 8, 32, 40})
        w.Arpeggio(ostinato, w.Bar(bar), ground, spin, 74, 54);
    w.Arpeggio(ostinato, w.Bar(16), lift, spin, 74, 54);
    w.Arpeggio(ostinato, w.Bar(24), calm, "0..20..20..20.3.", 66, 54);
    w.Drums(drums, w.Bar(0), 7, floor, 92);
    w.Drums(drums, w.Bar(7), 1, roll, 80);
    w.Bass(bass, w.Bar(4), w.Chords("F#m F#m D C#", 4), pump, 92);
    // The gale: the lead over the full beat.
    w.Melody(lead, w.Bar(8), 8, gale, 98);
    w.Bass(bass, w.Bar(8), ground, pump, 96);
    w.Section(drums, w.Bar(8), 8, storm);
    // Higher: brass stabs push, strings hold.
    w.Melody(lead, w.Bar(16), 8, squall, 100);
    w.Hits(brass, w.Bar(16), lift, "x..x..x...x.x...", 88, 55);
    w.Pad(strings, w.Bar(16), lift, 70, 54);
    w.Bass(bass, w.Bar(16), lift, pump, 96);
    w.Section(drums, w.Bar(16), 8, storm);
    // The lull: half time, voices and long notes; a snare roll to come back.
    w.Melody(lead, w.Bar(24), 8, lull, 90);
    w.Pad(choir, w.Bar(24), calm, 84, 52);
    w.Pad(strings, w.Bar(24), calm, 76, 54);
    w.Bass(bass, w.Bar(24), calm, "R-------R---R---", 94);
    w.Drums(drums, w.Bar(24), 6, halfTime, 92);
    w.Drums(drums, w.Bar(30), 2, roll, 84);
    // Everything: the gale with the brass an octave under, then the climb.
    w.Melody(lead, w.Bar(32), 8, gale, 102);
    w.Melody(brass, w.Bar(32), 8, gale, 86, -12);
    w.Pad(strings, w.Bar(32), ground, 66, 54);
    w.Bass(bass, w.Bar(32), ground, "R.R-..R-R.R-..r-", 98);
    w.Section(drums, w.Bar(32), 8, storm);
    w.Melody(lead, w.Bar(40), 8, climb, 104);
    w.Melody(brass, w.Bar(40), 8, climb, 90, 12);
    w.Pad(choir, w.Bar(40), ground, 70, 52);
    w.Bass(bass, w.Bar(40), ground, "R.R-..R-R.R-..r-", 98);
    w.Section(drums, w.Bar(40), 8, storm);
    return w.Ok() && song.Write(path, w.Bar(48));
}

// Stage 3, "Undertow": C minor, 132 bpm, 56 bars (about 1:42). Verse and
// chorus with a half-time breakdown over a bass riff grouped three, three and
// two sixteenths, an anvil struck on the cowbell.
bool Undertow(const std::string& path, Writer& w) {
    Song song("Undertow");
    song.Tempo(0, 132);
    Track& lead = song.AddTrack("Lead", 0, 87, 110, 58, 40);
    Track& brass = song.AddTrack("Brass", 1, 62, 98, 46, 50);
    Track& guitar = song.AddTrack("Guitar", 2, 28, 115, 84, 30);
    Track& strings = song.AddTrack("Strings", 3, 48, 53, 90, 80);
    Track& bells = song.AddTrack("Bells", 4, 14, 127, 70, 90);
    Track& bass = song.AddTrack("Bass", 5, 38, 91, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 90, 64, 30);
    const std::vector<int> minor{0, 2, 3, 5, 7, 8, 10};  // C minor

    const char* riff = "c2:3 c2:3 c3:2 c2:3 eb2:3 f2:2  c2:3 c2:3 c3:2 g1:3 bb1:3 b1:2";
    const char* turn = "f1:3 f1:3 f2:2 f1:3 ab1:3 c2:2  g1:3 g1:3 g2:2 g1:3 b1:3 d2:2";
    const char* verse =
        "g4:3 g4:3 bb4:2 c5:8  r:4 eb5:2 d5:2 c5:4 bb4:4  g4:3 g4:3 bb4:2 c5:4 eb5:4  "
        "f5:6 eb5:2 d5:8  g4:3 g4:3 bb4:2 c5:8  r:4 g5:4 f5:2 eb5:2 d5:4  "
        "f5:3 eb5:3 c5:2 ab4:4 c5:4  b4:12 r:4";
    const char* chorus =
        "c6:6 bb5:2 ab5:4 eb5:4  g5:8 bb5:8  f5:6 g5:2 ab5:4 bb5:4  g5:12 eb5:4  "
        "c6:6 d6:2 eb6:4 c6:4  bb5:8 g5:4 eb5:4  ab5:4 g5:4 f5:4 ab5:4  g5:4 b5:4 d6:8";
    const char* toll = "c6:16 ab5:16 g5:16 eb5:16 f5:16 ab5:16 g5:32";
    const std::string verseBass = Times(riff, 3).append(turn);

    auto verseChords = w.Chords("Cm Cm Cm Cm Cm Cm Fm G", 8);
    auto chorusChords = w.Chords("Ab Eb Bb Cm Ab Eb Fm G", 8);
    auto sink = w.Chords("Fm Ab Cm Cm Fm Db G G", 8);

    const Kit press{{kKick, "X..X..X.X..X..X."},
                    {kSnare, "....X.......X..."},
                    {kHat, "x.xxx.xxx.xxx.xx"},
                    {kCowbell, "..........x....."}};
    const Kit anvil{{kHat, "x.x.x.x.x.x.x.x."}, {kCowbell, "..........x....."}};
    const Kit fillIn{
        {kKick, "X..X..X........."}, {kSnare, "....X.X.XXxXxXXX"}, {kTomFloor, "........X..X..X."}};
    const Kit crash{{kCrash, "X..............."}};
    const Writer::Groove verseBeat{press, fillIn, crash, 88, 92};
    const Writer::Groove chorusBeat{{{kKick, "X..X..X.X..X..X."},
                                     {kSnare, "....X.......X..."},
                                     {kOpenHat, "..x...x...x...x."},
                                     {kRide, "x.x.x.x.x.x.x.x."}},
                                    fillIn,
                                    crash,
                                    92,
                                    96};
    const Kit sunk{
        {kKick, "X.....X........."}, {kSnare, "........X......."}, {kHat, "x...x...x...x..."}};
    const Kit rise{{kKick, "X...X...X...X..."}, {kSnare, "x...x...x.x.xxxx"}};
    const char* chug = "x..x..x.x..x..x.";

    // The riff and the anvil alone, then the verse over it.
    w.Melody(bass, w.Bar(0), 4, Times(riff, 2), 96);
    w.Drums(drums, w.Bar(0), 4, anvil, 90);
    for (int bar : {4, 20}) {
        w.Melody(bass, w.Bar(bar), 8, verseBass, 100);
        w.Melody(lead, w.Bar(bar), 8, verse, 96);
        w.Section(drums, w.Bar(bar), 8, verseBeat);
    }
    // The second verse: the guitar chugs along, the strings a sixth under.
    w.Hits(guitar, w.Bar(20), verseChords, chug, 70, 52);
    w.Melody(strings, w.Bar(20), 8, verse, 76, -12, 2, minor);
    // The choruses open into E flat; the last one has everything.
    for (int bar : {12, 28, 44}) {
        w.Melody(lead, w.Bar(bar), 8, chorus, bar == 44 ? 102 : 98);
        w.Bass(bass, w.Bar(bar), chorusChords, "R..R..R.R..R..r.", 100);
        w.Hits(guitar, w.Bar(bar), chorusChords, chug, 72, 52);
        w.Pad(strings, w.Bar(bar), chorusChords, 70, 52);
        w.Section(drums, w.Bar(bar), 8, chorusBeat);
    }
    w.Melody(brass, w.Bar(28), 8, chorus, 86, -12);
    w.Melody(brass, w.Bar(44), 8, chorus, 90, -12);
    w.Melody(bells, w.Bar(44), 8, chorus, 64);
    // The breakdown: half time, the bells toll over the strings.
    w.Melody(bells, w.Bar(36), 8, toll, 104);
    w.Melody(lead, w.Bar(36), 8, toll, 70, -12);
    w.Pad(strings, w.Bar(36), sink, 80, 48);
    w.Bass(bass, w.Bar(36), sink, "R-----------R---", 100);
    w.Drums(drums, w.Bar(36), 6, sunk, 96);
    w.Drums(drums, w.Bar(42), 2, rise, 86);
    // The tag: the riff with brass stabs, turning on G back to the start.
    w.Melody(bass, w.Bar(52), 4, std::string(riff).append(" ").append(turn), 100);
    w.Hits(brass, w.Bar(52), w.Chords("Cm Cm Fm G", 4), "x..x..x.........", 84, 55);
    w.Section(drums, w.Bar(52), 4, verseBeat);
    return w.Ok() && song.Write(path, w.Bar(56));
}

// Stage 3's boss, "Iron Tide": F minor, a heavy shuffle at 168 beats, 56 bars
// (about 80 s). A riff tune: the guitar and bass riff, the tune over a boogie
// bass, a stop-time chorus where the organ answers the band's hits, and the
// tune again with the brass. Twelve triplet steps to the bar.
bool IronTide(const std::string& path, Writer& w) {
    w.Meter(3, 12);
    Song song("Iron Tide");
    song.Tempo(0, 126);  // four triplet eighths to the file's quarter: 168 a beat
    Track& riffs = song.AddTrack("Rhythm Guitar", 0, 29, 113, 40, 30);
    Track& lead = song.AddTrack("Lead Guitar", 1, 30, 118, 70, 40);
    Track& organ = song.AddTrack("Organ", 2, 18, 106, 84, 50);
    Track& brass = song.AddTrack("Brass", 3, 61, 109, 50, 50);
    Track& bass = song.AddTrack("Bass", 4, 34, 127, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 127, 64, 30);

    const char* riff =
        "f2:2 f2:1 ab2:2 f2:1 c3:2 f2:1 eb3:2 f2:1  f2:2 f2:1 ab2:2 f2:1 b2:2 c3:1 r:3";
    const char* tune =
        "c5:2 f5:1 ab5:3 g5:2 f5:1 c5:3  eb5:2 f5:1 g5:2 ab5:1 c6:6  db6:3 c6:2 bb5:1 ab5:6  "
        "g5:2 e5:1 c5:3 e5:2 g5:1 bb5:3  ab5:2 c6:1 f6:3 eb6:2 c6:1 ab5:3  "
        "bb5:2 db6:1 f6:6 db6:3  ab5:2 f5:1 db6:3 c6:2 bb5:1 ab5:3  g5:6 e5:3 c5:3";
    const char* answer =
        "f6:6 eb6:2 db6:1 c6:3  bb5:2 c6:1 db6:2 eb6:1 g5:6  ab5:3 c6:3 f6:3 ab6:3  g6:9 e6:3  "
        "f6:2 db6:1 ab5:3 f6:2 db6:1 ab5:3  db6:2 bb5:1 f5:3 db6:2 f6:1 bb6:3  "
        "ab6:2 g6:1 f6:2 e6:1 db6:2 c6:1 bb5:3  c6:12";
    const char* calls =
        "f5:3 r:3 ab5:1 c6:1 eb6:1 f6:3  eb6:2 c6:1 ab5:2 f5:1 r:6  db5:3 r:3 f5:1 ab5:1 c6:1 "
        "db6:3  "
        "c6:2 bb5:1 g5:2 e5:1 r:6  f5:3 r:3 ab5:1 c6:1 f6:1 ab6:3  g6:2 f6:1 eb6:2 db6:1 r:6  "
        "c6:1 db6:1 c6:1 bb5:1 c6:1 bb5:1 ab5:1 g5:1 f5:1 e5:1 f5:1 g5:1  c6:12";

    auto first = w.Chords("Fm:3 Fm:3 Db:3 C:3 Fm:3 Bbm:3 Db:3 C:3", 8);
    auto second = w.Chords("Db:3 Eb:3 Fm:3 C:3 Db:3 Bbm:3 C7:3 C:3", 8);
    auto stops = w.Chords("Fm:3 Fm:3 Db:3 C:3 Fm:3 Fm:3 Db:3 C:3", 8);
    auto home = w.Chords("Db:3 Eb:3 C:3 C:3", 4);

    const Writer::Groove shuffle{
        {{kKick, "X.x...X.x..."}, {kSnare, "...X.....X.."}, {kHat, "x.xx.xx.xx.x"}},
        {{kKick, "X.x...X....."},
         {kSnare, "...X..xxxXXX"},
         {kTomHigh, "......X....."},
         {kTomFloor, "........X..X"}},
        {{kCrash, "X..........."}, {kChina, "......x....."}},
        90,
        98};
    const Kit rumble{
        {kTomFloor, "X.xX.xX.xX.x"}, {kTomLow, "......X.x..."}, {kPedalHat, "...x.....x.."}};
    const Kit stop{{kKick, "X..........."}, {kCrash, "X..........."}, {kPedalHat, "...x..x..x.."}};
    const char* boogie = "R-.3-.5-.r-.";
    const char* chop = "x-xx-xx-xx-x";

    // The riff in the toms, then the whole band on it.
    w.Melody(bass, w.Bar(0), 4, Times(riff, 2), 100);
    w.Melody(riffs, w.Bar(0), 4, Times(riff, 2), 84, 12);
    w.Drums(drums, w.Bar(0), 4, rumble, 92);
    w.Melody(bass, w.Bar(4), 8, Times(riff, 4), 104);
    w.Melody(riffs, w.Bar(4), 8, Times(riff, 4), 90, 12);
    w.Melody(lead, w.Bar(4), 8, Times(riff, 4), 76, 24);
    w.Section(drums, w.Bar(4), 8, shuffle);
    // The tune and its answer over the boogie, the rhythm guitar chopping.
    w.Melody(lead, w.Bar(12), 8, tune, 100);
    w.Melody(lead, w.Bar(20), 8, answer, 100);
    for (int bar : {12, 20, 36, 44}) {
        const auto& chords = bar == 20 || bar == 36 ? second : first;
        w.Bass(bass, w.Bar(bar), chords, boogie, 104);
        w.Hits(riffs, w.Bar(bar), chords, chop, 78, 50);
        w.Section(drums, w.Bar(bar), 8, shuffle);
    }
    // Stop time: the band hits the first beat, the organ calls in the gaps.
    w.Melody(organ, w.Bar(28), 8, calls, 104);
    w.Hits(riffs, w.Bar(28), stops, "x-..........", 96, 50);
    w.Hits(brass, w.Bar(28), stops, "x-..........", 90, 55);
    w.Bass(bass, w.Bar(28), stops, "R-..........", 108);
    w.Drums(drums, w.Bar(28), 7, stop, 96);
    w.Drums(drums, w.Bar(35), 1, shuffle.fill, 96);
    // The answer on the brass with the organ comping, then the tune in full.
    w.Melody(brass, w.Bar(36), 8, answer, 100);
    w.Melody(lead, w.Bar(36), 8, answer, 80, -12);
    w.Hits(organ, w.Bar(36), second, "..x-.x..x-.x", 70, 55);
    w.Melody(lead, w.Bar(44), 8, tune, 104);
    w.Melody(brass, w.Bar(44), 8, tune, 88, -12);
    // The turn: up to C and back into the riff.
    w.Melody(lead, w.Bar(52), 4,
             "db6:2 c6:1 ab5:3 f5:2 ab5:1 db6:3  eb6:2 db6:1 bb5:3 g5:2 bb5:1 eb6:3  e5:1 g5:1 "
             "bb5:1 c6:1 e6:1 g6:1 c7:6  r:12",
             100);
    w.Hits(brass, w.Bar(52), home, "x-.x-.x-.x-.", 88, 55);
    w.Bass(bass, w.Bar(52), home, boogie, 104);
    w.Section(drums, w.Bar(52), 4, shuffle);
    return w.Ok() && song.Write(path, w.Bar(56));
}

// Stage 4, "Last Light": D minor, a march at 120 bpm, 52 bars (about 1:44).
// A march's plan: a fanfare, the first strain twice, a climbing second strain,
// a broad trio in B flat, a tense break on the timpani, the trio grand, and
// a coda turning back to D minor.
bool LastLight(const std::string& path, Writer& w) {
    Song song("Last Light");
    song.Tempo(0, 120);
    Track& horns = song.AddTrack("Horns", 0, 60, 93, 56, 70);
    Track& trumpets = song.AddTrack("Trumpets", 1, 56, 98, 44, 60);
    Track& strings = song.AddTrack("Strings", 2, 48, 41, 80, 70);
    Track& violins = song.AddTrack("Violins", 3, 40, 84, 70, 70);
    Track& choir = song.AddTrack("Choir", 4, 52, 74, 64, 90);
    Track& timpani = song.AddTrack("Timpani", 5, 47, 64, 64, 60);
    Track& bass = song.AddTrack("Bass", 6, 43, 68, 64, 40);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 61, 64, 50);

    const char* fanfare =
        "a4:2 a4:1 a4:1 d5:4 a4:2 a4:1 a4:1 f5:4  a4:2 a4:1 a4:1 a5:8 r:4  "
        "g5:3 f5:1 e5:4 c#5:4 e5:4  d5:8 r:8";
    const char* strain =
        "d5:3 d5:1 f5:4 a5:6 g5:2  f5:3 e5:1 d5:4 a4:8  bb4:3 c5:1 d5:4 g5:6 f5:2  "
        "e5:3 f5:1 e5:4 c#5:8  d5:3 e5:1 f5:4 bb5:6 a5:2  g5:3 a5:1 bb5:4 d6:8  "
        "c#6:3 d6:1 e6:4 a5:3 g5:1 e5:4  f5:4 e5:4 d5:8";
    const char* ascent =
        "g5:2 r:2 g5:2 a5:2 bb5:4 d6:4  c#6:2 r:2 c#6:2 d6:2 e6:8  f6:2 r:2 f6:2 e6:2 d6:4 bb5:4  "
        "c6:2 r:2 c6:2 d6:2 e6:4 g6:4  f6:6 e6:2 d6:4 a5:4  bb5:6 a5:2 g5:4 f5:4  "
        "g5:4 bb5:4 eb6:8  e6:4 c#6:4 a5:8";
    const char* trio =
        "d5:8 f5:4 bb5:4  a5:8 c6:4 a5:4  bb5:6 a5:2 g5:4 d5:4  eb5:12 g5:4  "
        "f5:6 bb5:2 d6:8  c6:4 a5:4 f5:4 d6:4  eb6:6 d6:2 c6:4 bb5:4  c6:16";
    const char* coda = "g5:4 bb5:4 d6:4 g6:4  eb6:8 d6:4 c6:4  c#6:16  a5:4 e5:4 c#5:4 a4:4";

    auto call = w.Chords("Dm Dm A Dm", 4);
    auto first = w.Chords("Dm Dm Gm A Bb Gm A Dm", 8);
    auto second = w.Chords("Gm A Bb C Dm Bb Eb A", 8);
    auto trioChords = w.Chords("Bb F Gm Eb Bb Dm Eb F", 8);
    auto dogfight = w.Chords("Gm:2 Ab:2 Gm:2 Ab:2 Eb F", 4);
    auto back = w.Chords("Gm Eb A A", 4);

    const Kit fill{{kKick, "X.......X......."}, {kSnare, "X.xxX.xxXxXxXXXX"}};
    const Kit crash{{kCrash, "X..............."}};
    const Writer::Groove march{
        {{kKick, "X.......X......."}, {kSnare, "X..xx.x.X..xx.x."}, {kCrash2, "o.......o......."}},
        fill,
        crash,
        86,
        92};
    const Writer::Groove broad{
        {{kKick, "X.......X......."}, {kSnare, "....o.......o..."}, {kRide, "x...x.x.x...x.x."}},
        fill,
        crash,
        84,
        94};
    const Kit dogs{{kTomFloor, "X.x.X.x.X.x.XxXx"}, {kSnare, "....X..X....X..X"}};
    const char* oompah = "R...5...R...5...";
    const char* offbeat = "..x-..x-..x-..x-";

    // The fanfare: trumpets over the timpani.
    w.Melody(trumpets, w.Bar(0), 4, fanfare, 104);
    w.Melody(horns, w.Bar(0), 4, fanfare, 90, -12);
    w.Bass(timpani, w.Bar(0), call, "R.RRR...R.RRR...", 96, 38);
    w.Bass(bass, w.Bar(0), call, "R-------R-------", 92);
    w.Drums(drums, w.Bar(3), 1, fill, 90);
    // The first strain twice: horns, then the violins an octave over them.
    w.Melody(horns, w.Bar(4), 8, strain, 100);
    w.Melody(violins, w.Bar(12), 8, strain, 96, 12);
    w.Melody(horns, w.Bar(12), 8, strain, 88);
    for (int bar : {4, 12}) {
        w.Bass(bass, w.Bar(bar), first, oompah, 96);
        w.Hits(strings, w.Bar(bar), first, offbeat, 74, 55);
        w.Bass(timpani, w.Bar(bar), first, "R.......R.......", 88, 38);
        w.Section(drums, w.Bar(bar), 8, march);
    }
    // The second strain climbs in sequence, the trumpets answering.
    w.Melody(violins, w.Bar(20), 8, ascent, 100);
    w.Melody(trumpets, w.Bar(20), 8, ascent, 84, -12);
    w.Pad(choir, w.Bar(20), second, 70, 52);
    w.Bass(bass, w.Bar(20), second, "R...R...R...5...", 98);
    w.Hits(strings, w.Bar(20), second, offbeat, 76, 55);
    w.Section(drums, w.Bar(20), 8, march);
    // The trio: broad, in B flat, the horns singing.
    for (int bar : {28, 40}) {
        w.Melody(horns, w.Bar(bar), 8, trio, bar == 28 ? 100 : 106);
        w.Pad(strings, w.Bar(bar), trioChords, 76, 50);
        w.Bass(bass, w.Bar(bar), trioChords, "R-------5---R---", 96);
        w.Section(drums, w.Bar(bar), 8, broad);
    }
    // The trio grand: violins an octave over, trumpet chords, the choir.
    w.Melody(violins, w.Bar(40), 8, trio, 96, 12);
    w.Hits(trumpets, w.Bar(40), trioChords, "x-.x-.x-x-......", 84, 58);
    w.Pad(choir, w.Bar(40), trioChords, 76, 52);
    w.Bass(timpani, w.Bar(40), trioChords, "R.......R...R.R.", 90, 38);
    // The break between: half steps on the brass, the timpani rolling.
    w.Hits(trumpets, w.Bar(36), dogfight, "x.x.x...x.x.x...", 92, 55);
    w.Hits(strings, w.Bar(36), dogfight, "xxxxxxxxxxxxxxxx", 70, 48);
    w.Bass(timpani, w.Bar(36), dogfight, "RRRRRRRRRRRRRRRR", 84, 38);
    w.Bass(bass, w.Bar(36), dogfight, "R---R---R---R---", 98);
    w.Drums(drums, w.Bar(36), 3, dogs, 90);
    w.Drums(drums, w.Bar(39), 1, fill, 92);
    // The coda turns on A back to the fanfare.
    w.Melody(horns, w.Bar(48), 4, coda, 104, -12);
    w.Melody(violins, w.Bar(48), 4, coda, 92);
    w.Pad(choir, w.Bar(48), back, 74, 52);
    w.Bass(bass, w.Bar(48), back, oompah, 98);
    w.Bass(timpani, w.Bar(48), back, "R.......R.R.RRRR", 92, 38);
    w.Section(drums, w.Bar(48), 4, march);
    return w.Ok() && song.Write(path, w.Bar(52));
}

// Stage 4's boss, the last: "Eclipse". C# minor, 176 bpm, 56 bars (about
// 76 s), in two parts: a grave opening in whole notes, choir and organ over
// tolling bells, then a presto with the guitar and bass riff in sixteenths, two
// themes over a double-time beat, and a turn that falls back into the grave.
bool Eclipse(const std::string& path, Writer& w) {
    Song song("Eclipse");
    song.Tempo(0, 176);
    Track& guitar = song.AddTrack("Guitar", 0, 30, 127, 60, 40);
    Track& organ = song.AddTrack("Organ", 1, 19, 91, 70, 70);
    Track& choir = song.AddTrack("Choir", 2, 52, 104, 64, 90);
    Track& brass = song.AddTrack("Brass", 3, 61, 103, 44, 50);
    Track& strings = song.AddTrack("Strings", 4, 48, 57, 84, 70);
    Track& timpani = song.AddTrack("Timpani", 5, 47, 106, 64, 60);
    Track& bells = song.AddTrack("Bells", 6, 14, 99, 50, 90);
    Track& bass = song.AddTrack("Bass", 7, 34, 102, 64, 20);
    Track& drums = song.AddTrack("Drums", midi::kDrumChannel, 0, 102, 64, 30);

    const char* grave =
        "g#4:16 c#5:8 e5:8  e5:24 c#5:8  d5:16 f#5:8 a5:8  g#5:24 b#4:8  c#5:8 e5:8 g#5:16  a5:8 "
        "f#5:8  g#5:16";
    const char* riff =
        "c#2:1 c#2:1 c#3:2 c#2:1 c#2:1 b2:2 c#2:1 c#2:1 a2:2 c#2:1 c#2:1 g#2:2  "
        "c#2:1 c#2:1 c#3:2 c#2:1 c#2:1 b2:2 c#2:1 c#2:1 a2:2 c#2:1 c#2:1 g#2:2  "
        "d2:1 d2:1 d3:2 d2:1 d2:1 c#3:2 d2:1 d2:1 a2:2 d2:1 d2:1 f#2:2  "
        "g#1:1 g#1:1 g#2:2 g#1:1 g#1:1 f#2:2 g#1:1 g#1:1 d#2:2 g#1:1 b#1:1 d#2:2";
    const char* themeOne =
        "c#6:4 g#5:4 e5:2 f#5:2 g#5:4  a5:4 c#6:4 e6:4 c#6:4  f#6:6 e6:2 c#6:4 a5:4  "
        "b#5:8 d#6:4 g#6:4  g#6:2 f#6:2 e6:2 d#6:2 e6:4 c#6:4  c#6:2 b5:2 a5:2 g#5:2 a5:4 e5:4  "
        "d6:6 c#6:2 a5:4 f#5:4  g#5:12 b#5:4";
    const char* themeTwo =
        "e6:2 c#6:2 a5:2 c#6:2 e6:2 a6:2 e6:2 c#6:2  f#6:2 d#6:2 b5:2 d#6:2 f#6:2 b6:2 f#6:2 d#6:2 "
        " "
        "g#6:8 e6:4 c#6:4  e6:4 d#6:4 e6:4 g#6:4  a6:2 f#6:2 c#6:2 f#6:2 a6:2 c#7:2 a6:2 f#6:2  "
        "g#6:2 d#6:2 b#5:2 d#6:2 g#6:2 b#6:2 g#6:2 d#6:2  a6:6 f#6:2 d6:8  b#6:8 g#6:8";
    const char* fall = "e6:4 c#6:4 a5:4 e5:4  d6:4 a5:4 f#5:4 d5:4  b#5:16  g#5:16";

    auto dark = w.Chords("C#m:8 A:8 D:8 G#:8 C#m:8 F#m G#", 12);
    auto riffChords = w.Chords("C#m C#m D G#", 4);
    auto one = w.Chords("C#m A F#m G# C#m A D G#", 8);
    auto two = w.Chords("A B C#m C#m F#m G# D G#", 8);
    auto down = w.Chords("A D G#:8", 4);

    const Kit dirge{{kKick, "X..............."},
                    {kTomFloor, "........X......."},
                    {kRideBell, "X.......X......."}};
    const Writer::Groove presto{
        {{kKick, "X.X.X.X.X.X.X.X."}, {kSnare, "..X...X...X...X."}, {kRide, "x.x.x.x.x.x.x.x."}},
        {{kKick, "X.X.X.X.X.X.X.X."},
         {kSnare, "X.X.XXXX..XXXXXX"},
         {kTomHigh, "........XX......"},
         {kTomFloor, "..........XX...."}},
        {{kCrash, "X..............."}, {kChina, "........x......."}},
        92,
        100};
    const char* tremolo = "xxxxxxxxxxxxxxxx";
    const char* drive = "R.RrR.RrR.RrR.Rr";

    // Grave: the choir sings the line over the organ, the bells toll each bar.
    w.Melody(choir, w.Bar(0), 12, grave, 104);
    w.Melody(brass, w.Bar(0), 12, grave, 78, -12);
    w.Pad(organ, w.Bar(0), dark, 86, 48);
    w.Bass(bells, w.Bar(0), dark, "R---------------", 96, 60);
    w.Bass(timpani, w.Bar(0), dark, "R.......R.RR....", 96, 37);
    w.Bass(bass, w.Bar(0), dark, "R---------------", 100);
    w.Drums(drums, w.Bar(0), 11, dirge, 96);
    w.Drums(drums, w.Bar(11), 1, presto.fill, 92);
    // Presto: the riff in unison, then the themes over the double-time beat.
    for (int bar : {12, 32}) {
        w.Melody(bass, w.Bar(bar), 4, riff, 104);
        w.Melody(guitar, w.Bar(bar), 4, riff, 92, 12);
        w.Section(drums, w.Bar(bar), 4, presto);
    }
    w.Hits(organ, w.Bar(32), riffChords, "x--.x--.x-x.....", 84, 55);
    w.Pad(choir, w.Bar(32), riffChords, 80, 52);
    w.Melody(guitar, w.Bar(16), 8, themeOne, 100);
    w.Melody(guitar, w.Bar(24), 8, themeTwo, 100);
    w.Melody(guitar, w.Bar(36), 8, themeOne, 104);
    w.Melody(brass, w.Bar(36), 8, themeOne, 90, -12);
    w.Melody(brass, w.Bar(44), 8, themeTwo, 96, -12);
    w.Melody(guitar, w.Bar(44), 8, themeTwo, 104);
    for (int bar : {16, 24, 36, 44}) {
        const auto& chords = bar == 16 || bar == 36 ? one : two;
        w.Bass(bass, w.Bar(bar), chords, drive, 104);
        w.Hits(strings, w.Bar(bar), chords, tremolo, 64, 52);
        w.Section(drums, w.Bar(bar), 8, presto);
    }
    w.Pad(choir, w.Bar(44), two, 72, 52);
    // The fall back into the grave.
    w.Melody(guitar, w.Bar(52), 4, fall, 102);
    w.Melody(choir, w.Bar(52), 4, fall, 84, -12);
    w.Bass(bass, w.Bar(52), down, drive, 104);
    w.Bass(timpani, w.Bar(52), down, "R...R...RRRRRRRR", 96, 37);
    w.Section(drums, w.Bar(52), 4, presto);
    return w.Ok() && song.Write(path, w.Bar(56));
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
