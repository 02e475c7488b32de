#pragma once
#include <array>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "audio/SoundPlayer.h"
#include "input/PadState.h"
#include "pattern/PatternRunnerPool.h"
#include "util/AssetTable.h"
#include "world/DigitCounter.h"
#include "world/GameFlow.h"
#include "world/GameObject.h"
#include "world/ModelTable.h"
#include "world/ObjectPool.h"

class BitmapFont;
class GraphicsDevice;
class Mesh;
class PlayerShip;

// The score and the high score are written with this many digits, on the
// screen and in every file that keeps one.
inline constexpr int kScoreDigits = 12;

// What the play field draws and plays with. The game loads and owns all of it;
// every entry must be set (an asset whose file was missing is an empty one).
struct WorldAssets {
    std::array<Mesh*, kModelCount> models{};
    const BitmapFont* font = nullptr;
    SoundPlayer* soundPlayer = nullptr;
    std::array<SoundEffect, kSoundCount> sounds{};
    // The screen the field is drawn on: score pop-ups place themselves by its
    // height, and the ship's hit box is drawn on it in pixels.
    GraphicsDevice* screen = nullptr;
};

// The play field: its pools, the ship, the score, the lives and the random
// source. Every object on it is handed the world it lives in; the world reaches
// the game around it only through GameFlow.
class World {
public:
    static constexpr int kStartLives = 3;

    World(const WorldAssets& assets, GameFlow& flow);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // One step: the pools in update order, unless the field is paused.
    void Step();
    // The pools in draw order.
    void Draw() const;
    // Options the ship starts a game with.
    static constexpr int kStartOptions = 2;

    // A new game: score and lives afresh, then the first stage.
    void BeginGame(int options = kStartOptions);
    // A stage from its start on an empty field, keeping the score and the
    // lives: the ship flying in with these options, the background scrolling.
    void BeginStage(int options);
    // Empties every pool; no ship is left and no boss fights.
    void Clear();
    // A boss is gone: its gauge and its clock with it.
    void EndBossFight(int fight);

    // A new object of family T on this field, constructed as T(*this, args...);
    // null, and nothing constructed, when its pool is full.
    template <class T, class... Args>
    T* Spawn(Args&&... args) {
        return ConstructIn<T>(T::PoolIn(*this).Allocate(), std::forward<Args>(args)...);
    }
    // The same, allowed to take one of the pool's reserved slots.
    template <class T, class... Args>
    T* SpawnReserved(Args&&... args) {
        return ConstructIn<T>(T::PoolIn(*this).AllocateReserved(), std::forward<Args>(args)...);
    }

    // The input for this step.
    const PadState& Pad() const { return pad; }
    void SetPad(const PadState& state) { pad = state; }

    Mesh& Model(ModelRef model) const { return *assets.models[model.index]; }
    // A model a content file names, by its place among the pack's models.
    // A model a content file names: the pack's by its place among them, then the
    // stage's own (UseStageModels) after them.
    Mesh& ModelAt(int index) const;
    // The stage's own models, loaded from these files unless they are loaded already.
    void UseStageModels(const std::vector<std::string>& files);
    const WorldAssets& Assets() const { return assets; }
    // The two colours of the round bullets and of the needles.
    const ModelTable& BulletTable() const { return bulletTable; }
    const ModelTable& NeedleTable() const { return needleTable; }
    const BitmapFont& Font() const { return *assets.font; }
    int ScreenHeight() const;
    int ScreenWidth() const;
    // A rectangle in the screen's pixels, over what is drawn.
    void FillOnScreen(float x, float y, float width, float height, uint32_t color) const;
    // Where a point of the field lies in the screen's pixels: the field fills
    // the screen, across and down.
    glm::vec2 OnScreen(float fieldX, float fieldY) const;
    // Screen pixels per unit of the field, across and down.
    glm::vec2 PixelsPerUnit() const;
    void PlaySound(SoundRef sound) { assets.soundPlayer->Play(assets.sounds[sound.index]); }

    PlayerShip* GetPlayer() const { return player; }
    void SetPlayer(PlayerShip* ship) { player = ship; }
    // Adds to the score; the high score follows it.
    void AddScore(int points);
    const DigitCounter& GetScore() const { return score; }
    const DigitCounter& GetHighScore() const { return highScore; }
    DigitCounter& HighScore() { return highScore; }
    bool ScoreIsHighScore() const { return score.Compare(highScore) == 0; }
    void LoseLife() {
        --lives;
        ++tally.livesLost;
    }
    int GetLives() const { return lives; }
    // How bright the video floor is drawn, 0.25 to 1: the player's setting,
    // no part of the field's play.
    float backgroundLight = 1.0f;
    // The floor's colour, 0xRRGGBB, as the stage's background lines set it;
    // white, the picture as it is, from each stage's start.
    static constexpr uint32_t kPlainFloor = 0xffffff;
    uint32_t floorColour = kPlainFloor;
    // What the game gave, for the tally after it; no part of the field's play.
    struct Tally {
        int grazes = 0, destroyed = 0, items = 0, livesLost = 0;
    };
    Tally tally;

    // The next output of the game's generator in [0, 1], both ends included.
    double NextRandom();
    double RandomSigned() { return NextRandom() - 0.5; }
    const std::mt19937& RandomState() const { return random; }
    // Where a recorded game's generator stood when it began.
    void SetRandomState(const std::mt19937& state) { random = state; }
    // Enemy fire is written for a difficulty from 0 (the delivered stage) up.
    float GetDifficulty() const { return difficulty; }
    void SetDifficulty(float d) { difficulty = d; }
    // What a pattern file reads as $rank, 0 to 1.
    float GetPatternRank() const { return patternRank; }
    void SetPatternRank(float rank) { patternRank = rank; }

    bool IsPaused() const { return paused; }
    void SetPaused(bool pause) { paused = pause; }
    // Frozen: nothing moves, not even the scenes.
    bool IsHalted() const { return halted; }
    void SetHalted(bool halt) { halted = halt; }
    int GetFrameCounter() const { return frameCounter; }
    // What a boss on the field keeps: its remaining strength (0..1, shown by
    // the game), the updates left (-1 while none fights), and how many phases
    // began, so that the bodies of an ended phase know it.
    struct BossFight {
        float gauge = 0.0f;
        int timer = -1;
        int serial = 0;
        bool taken = false;
    };
    static constexpr int kBossFights = 2;
    BossFight& BossFightAt(int i) { return bossFights.at(static_cast<std::size_t>(i)); }
    const BossFight& BossFightAt(int i) const { return bossFights.at(static_cast<std::size_t>(i)); }
    // The first fight no boss holds (the first of all when every one is held), now held.
    int TakeBossFight();
    // The gauge the game shows: the first held fight's.
    float ShownBossGauge() const;

    GameFlow& Flow() { return flow; }

    ObjectPool backgroundPool, bombPool, bulletPool, effectPool, enemyPool, itemPool, playerPool,
        playerShotPool, popupPool;
    // The runners of the patterns on the field: one per pattern bullet with
    // actions of its own, one per top action of an emitter.
    static constexpr int kPatternRunners = 2300;
    PatternRunnerPool patternRunners{kPatternRunners};

private:
    template <class Self>
    static auto PoolsOf(Self& world) {
        return std::array{&world.backgroundPool, &world.bombPool,       &world.bulletPool,
                          &world.effectPool,     &world.enemyPool,      &world.itemPool,
                          &world.playerPool,     &world.playerShotPool, &world.popupPool};
    }

public:
    // Every pool, always in this order: the field's hash numbers them by it.
    auto Pools() { return PoolsOf(*this); }
    auto Pools() const { return PoolsOf(*this); }

private:
    template <class T, class... Args>
    T* ConstructIn(void* slot, Args&&... args) {
        static_assert(FitsFamilySlot<T>(), "the type outgrew its family's kSlotSize");
        return slot ? new (slot) T(*this, std::forward<Args>(args)...) : nullptr;
    }

    WorldAssets assets;
    std::vector<std::string> stageModelFiles;
    std::vector<std::unique_ptr<Mesh>> stageModels;
    GameFlow& flow;
    ModelTable bulletTable, needleTable;
    std::mt19937 random;
    DigitCounter score, highScore;
    int lives = kStartLives;

    PlayerShip* player = nullptr;
    PadState pad;
    bool paused = false;
    bool halted = false;
    int frameCounter = 0;
    std::array<BossFight, kBossFights> bossFights;
    float difficulty = 0.0f;
    float patternRank = 0.0f;
};
