#include "world/World.h"

#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"
#include "graphics/Quad.h"
#include "world/Background.h"
#include "world/BombBlast.h"
#include "world/Effect.h"
#include "world/Enemy.h"
#include "world/EnemyBullet.h"
#include "world/Field.h"
#include "world/Item.h"
#include "world/PlayerShot.h"
#include "world/PlayerStates.h"
#include "world/ScorePopup.h"

namespace {

// One effect slot stays free for the player's death, so a field full of
// effects can never swallow it.
constexpr int kEffectsReservedForDeath = 1;
// 1 / (2^32 - 1): outputs map onto [0, 1] with both ends reachable.
constexpr double kRandomScale = 1.0 / 4294967295.0;

}  // namespace

World::World(const WorldAssets& assets, GameFlow& flow)
    : backgroundPool(Background::kSlotSize, 2),
      bombPool(BombBlast::kSlotSize, 2),
      bulletPool(EnemyBullet::kSlotSize, 2000),
      effectPool(Effect::kSlotSize, 2000, kEffectsReservedForDeath),
      enemyPool(Enemy::kSlotSize, 500, Enemy::kBossSlots),
      itemPool(Item::kSlotSize, 2000),
      playerPool(PlayerShip::kSlotSize, 2),
      playerShotPool(PlayerShot::kSlotSize, 100),
      popupPool(ScorePopup::kSlotSize, 2000),
      assets(assets),
      flow(flow),
      bulletTable{{&Model("bullet1"), &Model("bullet2")}, 0.01f},
      needleTable{{&Model("needle1"), &Model("needle2")}, 0.0f},
      score(kScoreDigits),
      highScore(kScoreDigits) {}

World::~World() {
    // Objects may still reach the world while they go.
    Clear();
}

Mesh& World::ModelAt(int index) const {
    if (index < kModelCount) return *assets.models.at(static_cast<std::size_t>(index));
    return *stageModels.at(static_cast<std::size_t>(index - kModelCount));
}

void World::UseStageModels(const std::vector<std::string>& files) {
    if (files == stageModelFiles && stageModels.size() == files.size()) return;
    stageModels.clear();
    for (const std::string& file : files)
        stageModels.push_back(std::make_unique<Mesh>(*assets.screen, file));
    stageModelFiles = files;
}

void World::Step() {
    if (paused) return;
    bulletPool.UpdateAll(*this);
    enemyPool.UpdateAll(*this);
    backgroundPool.UpdateAll(*this);
    bombPool.UpdateAll(*this);
    effectPool.UpdateAll(*this);
    itemPool.UpdateAll(*this);
    playerPool.UpdateAll(*this);
    playerShotPool.UpdateAll(*this);
    popupPool.UpdateAll(*this);
    ++frameCounter;
}

void World::Draw() const {
    backgroundPool.DrawAll(*this);
    bombPool.DrawAll(*this);
    effectPool.DrawAll(*this);
    playerShotPool.DrawAll(*this);
    playerPool.DrawAll(*this);
    itemPool.DrawAll(*this);
    enemyPool.DrawAll(*this);
    bulletPool.DrawAll(*this);
    popupPool.DrawAll(*this);
}

void World::BeginGame(int options) {
    score.Set(0);
    lives = kStartLives;
    tally = {};
    BeginStage(options);
}

void World::BeginStage(int options) {
    Clear();
    frameCounter = 0;
    floorColour = kPlainFloor;
    player = Spawn<PlayerEntry>(options);
    Spawn<Background>();
}

void World::Clear() {
    for (ObjectPool* pool : Pools())
        pool->Clear();
    player = nullptr;
    // Every runner was given back with its bullet or enemy.
    patternRunners.Restart();
    for (int i = 0; i < kBossFights; ++i)
        EndBossFight(i);
}

void World::EndBossFight(int fight) {
    BossFight& f = BossFightAt(fight);
    f.gauge = 0.0f;
    f.timer = -1;
    f.taken = false;
}

int World::TakeBossFight() {
    int free = 0;
    while (free < kBossFights && bossFights[static_cast<std::size_t>(free)].taken)
        ++free;
    if (free == kBossFights) free = 0;
    BossFightAt(free).taken = true;
    return free;
}

float World::ShownBossGauge() const {
    for (const BossFight& fight : bossFights) {
        if (fight.taken) return fight.gauge;
    }
    return bossFights[0].gauge;
}

int World::ScreenHeight() const {
    return assets.screen->GetHeight();
}

int World::ScreenWidth() const {
    return assets.screen->GetWidth();
}

void World::FillOnScreen(float x, float y, float width, float height, uint32_t color) const {
    RenderBackend* device = assets.screen->GetDevice();
    FillRect(device, x, y, width, height, color);
    // What is drawn after it is textured again.
    if (device) UseTextureModulate(device);
}

glm::vec2 World::PixelsPerUnit() const {
    return {static_cast<float>(ScreenWidth()) / field::kSize,
            static_cast<float>(ScreenHeight()) / field::kSize};
}

glm::vec2 World::OnScreen(float fieldX, float fieldY) const {
    return (glm::vec2(fieldX, fieldY) + field::kHalf) * PixelsPerUnit();
}

void World::AddScore(int points) {
    score.Add(points);
    if (score.Compare(highScore) > 0) highScore.Copy(score);
}

double World::NextRandom() {
    return random() * kRandomScale;
}
