#pragma once
// An enemy kind and a boss as the content files describe them: what the field
// needs to bring one in. The readers fill these; the field only reads them, and
// whoever read them keeps them alive while anything of theirs is on the field.
#include <memory>
#include <string>
#include <vector>

#include "world/KindTuning.h"

struct PatternProgram;

// Where a regular enemy starts, how big it is, where it leaves and how it explodes.
enum class SizeClass { Small, Large };

enum class Movement {
    Dive,     // straight down, turning
    Weave,    // side to side down the field
    Drift,    // along a heading drawn at birth
    Pattern,  // as its movement pattern steers it
    // The composites: a head that brings its parts (the kind named by `parts`).
    Chain,
    Arms,
    Ring,
    // The parts themselves, made only by their head.
    ChainLink,
    ArmSatellite,
    RingSatellite,
};

enum class FireRule { None, Fan, Aimed, Split, Pattern };

// What its explosion leaves: one score item, or ten and an option.
enum class Drops { Item, Scatter };

struct EnemyKind {
    std::string name;
    int model = 0;  // among the pack's models
    SizeClass size = SizeClass::Small;
    Drops drops = Drops::Item;
    KindTuning tuning;
    Movement movement = Movement::Dive;
    FireRule fire = FireRule::None;
    // Fires by the count of the update after this one, as a kind that counts
    // before it fires.
    int fireLead = 0;
    // A fan that every `alternate` updates turns into one bullet fewer starting
    // at `alternateStart` turns.
    int alternate = 0;
    float alternateStart = 0.0f;
    std::shared_ptr<const PatternProgram> firePattern, movePattern;
    const EnemyKind* parts = nullptr;
    // How the field's hash names an enemy of the kind.
    std::string hashName;
};

// What a boss's phase fires: the written rules by name, or a pattern.
enum class BossFire { Rings, Aimed, Pattern };

// Patterns a phase can play at once.
inline constexpr std::size_t kMaxPhasePatterns = 2;

struct BossVolley {
    BossFire rule = BossFire::Rings;
    Volley volley;
    std::shared_ptr<const PatternProgram> pattern;
};

// What a phase does when its time runs out: the next phase comes (without the
// bonus), or its bodies fly off and the fight ends.
enum class TimeOut { Next, Escape };

struct BossPhase {
    Rising hitPoints;
    int timeLimit = 0;  // updates; 0 for none
    int bonus = 0;      // besides ten points for every update left
    float spin = 0.0f;
    // Split into two linked pairs that drift apart for `driftUpdates` before firing.
    bool pairs = false;
    float drift = 0.0f;
    int driftUpdates = 0;
    std::vector<BossVolley> fire;
    TimeOut timeOut = TimeOut::Next;
};

struct BossKind {
    std::string name;
    int model = 0;
    // Enters from this height, descending this far each update for 60 updates.
    float enterY = -80.0f;
    float descent = 1.0f;
    // A mid-boss comes without a warning and the stage simply goes on after it.
    bool mid = false;
    std::vector<BossPhase> phases;
};
