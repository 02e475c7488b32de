// The format's reference runtime (libbulletml) playing a pattern file as
// velmora-sim --pattern does: an emitter resting at the top of the field,
// facing down, the ship straight below. Prints the emitter's own fires (depth 0)
// as "STEP 0 DIRECTION SPEED". Built for the differential test only: the
// library may crash or hang on a file, so the test runs this in a process of
// its own.
// The parser's base first: the TinyXML parser's header does not include it.
#include <bulletml/bulletmlparser.h>

#include <bulletml/bulletmlparser-tinyxml.h>
#include <bulletml/bulletmlrunner.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

class RestingEmitter : public BulletMLRunner {
public:
    RestingEmitter(BulletMLParser* parser, double rank) : BulletMLRunner(parser), rank(rank) {}

    int turn = 0;

private:
    double getBulletDirection() { return direction; }
    double getAimDirection() { return 180.0; }
    double getBulletSpeed() { return speed; }
    double getDefaultSpeed() { return 1.0; }
    double getRank() { return rank; }
    void createSimpleBullet(double d, double s) { Print(d, s); }
    void createBullet(BulletMLState* state, double d, double s) {
        delete state;
        Print(d, s);
    }
    int getTurn() { return turn; }
    void doVanish() {}
    void doChangeDirection(double d) { direction = d; }
    void doChangeSpeed(double s) { speed = s; }
    // Files that draw $rand are not compared; this keeps the run repeatable.
    double getRand() { return 0.5; }

    void Print(double d, double s) {
        d = std::fmod(d, 360.0);
        if (d < 0.0) d += 360.0;
        char dir[32];
        std::snprintf(dir, sizeof dir, "%.2f", d);
        if (std::strcmp(dir, "360.00") == 0) std::strcpy(dir, "0.00");
        std::printf("%d 0 %s %.3f\n", turn, dir, s + 0.0);
    }

    double rank, direction = 180.0, speed = 0.0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bulletml_reference FILE RANK STEPS\n");
        return 2;
    }
    BulletMLParserTinyXML parser(argv[1]);
    parser.build();
    RestingEmitter emitter(&parser, std::atof(argv[2]));
    const int steps = std::atoi(argv[3]);
    // Every top action plays to its end: the library says the whole runner has
    // ended when its first top action has, and a host that stopped there would
    // cut the others off.
    for (emitter.turn = 0; emitter.turn < steps; ++emitter.turn)
        emitter.run();
    return 0;
}
