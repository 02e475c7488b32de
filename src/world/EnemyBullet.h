#pragma once
#include "world/Effect.h"
#include "world/GameObject.h"
#include "world/ModelTable.h"

// The base of the enemies' bullets. A bullet lives while its centre is within
// the field widened by 4; it never hurts enemies.
class EnemyBullet : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 112;
    static ObjectPool& Pool();

    bool Update() override;
    void Draw() override;

    Mesh* model;
    float yaw;   // turns
    float spin;  // turns per update
    bool grazed = false;
    int variant;

protected:
    EnemyBullet(const ModelTable& table, int variant, float x, float y, float yaw);
    void DrawScaled(float scale);
};

// Cancels every enemy bullet that pick selects (pick may act on it first): each
// leaves a vanish effect and is erased at once.
template <class Pick>
void CancelBulletsIf(Pick&& pick) {
    for (PoolCursor cursor(EnemyBullet::Pool()); cursor.HasNext();) {
        auto* bullet = static_cast<EnemyBullet*>(cursor.Next());
        if (pick(*bullet)) {
            Create<VanishEffect>(bullet->x, bullet->y, bullet->model);
            cursor.EraseCurrent();
        }
    }
}
