#pragma once
#include "world/Effect.h"
#include "world/GameObject.h"
#include "world/ModelTable.h"
#include "world/World.h"

// The base of the enemies' bullets. A bullet lives while its centre is within
// the field widened by 4; it never hurts enemies.
class EnemyBullet : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 112;
    static ObjectPool& PoolIn(World& world);

    bool Update(World& world) override;
    void Draw(const World& world) override;

    Mesh* model;
    float yaw;   // turns
    float spin;  // turns per update
    bool grazed = false;
    int variant;

protected:
    EnemyBullet(World& world, const ModelTable& table, int variant, float x, float y, float yaw);
    void DrawScaled(float scale);
};

// Cancels every enemy bullet that pick selects (pick may act on it first): each
// leaves a vanish effect and is erased at once.
template <class Pick>
void CancelBulletsIf(World& world, Pick&& pick) {
    for (PoolCursor cursor(world.bulletPool); cursor.HasNext();) {
        auto* bullet = static_cast<EnemyBullet*>(cursor.Next());
        if (pick(*bullet)) {
            world.Spawn<VanishEffect>(bullet->x, bullet->y, bullet->model);
            cursor.EraseCurrent();
        }
    }
}
