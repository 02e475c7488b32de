// The 25 models. Model space: x to the right, y up toward the camera, z toward
// the top of the screen. Sizes follow the scales and hit boxes they are drawn
// with; large or far-scaled models lean on emissive colour, since their light
// falls off with the scale.
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>

#include "Media.h"
#include "ModelParts.h"
#include "Space.h"
#include "XFile.h"
#include "util/AssetTable.h"

namespace mkmedia {

namespace {

using namespace model_parts;

MeshBuilder Ship() {
    MeshBuilder m;
    m.Material(Mat("Hull", pal::kHull, 0.10f));
    m.Slab(kIdentity,
           Symmetric({{0, 2.9f}, {0.42f, 1.5f}, {0.72f, -0.4f}, {0.62f, -2.0f}, {0, -2.15f}}),
           -0.35f, 0.38f, 0.45f);
    for (const auto& wing :
         {std::vector<Point2>{{0.5f, 0.7f}, {2.25f, -1.1f}, {2.25f, -1.85f}, {0.5f, -1.55f}}}) {
        m.Slab(kIdentity, wing, -0.12f, 0.14f, 0.3f);
        m.Slab(kIdentity, Mirrored(wing), -0.12f, 0.14f, 0.3f);
    }
    m.Material(Mat("Trim", pal::kTrim, 0.15f));
    for (const auto& fin : {std::vector<Point2>{
             {1.95f, -0.55f}, {2.45f, -1.05f}, {2.45f, -2.15f}, {1.95f, -1.85f}}}) {
        m.Slab(kIdentity, fin, -0.2f, 0.36f, 0.3f);
        m.Slab(kIdentity, Mirrored(fin), -0.2f, 0.36f, 0.3f);
    }
    m.Slab(kIdentity, Symmetric({{0, 1.2f}, {0.14f, 0.9f}, {0.14f, -1.9f}, {0, -2.0f}}), 0.3f,
           0.52f, 0.3f);
    m.Material(Glow("Engine", pal::kEngine));
    for (float x : {-0.36f, 0.36f}) {
        m.Slab(Frame::At({x, 0, -2.2f}), RegularPolygon(6, 0.26f, 0.22f), -0.2f, 0.25f, 0.2f);
    }
    // The cockpit marks the ship's small vulnerable core.
    m.Material(Mat("Cockpit", pal::kCockpit, 0.8f));
    m.Gem(Frame::At({0, 0.38f, 0.25f}), 0.3f, 0.55f, 0.32f, 0.0f, 6, kPi / 2);
    return m;
}

// Small enemy "spinner": four swept blades round a domed core; it turns as it dives.
MeshBuilder Obj1() {
    MeshBuilder m;
    m.Material(Mat("Blade", pal::kRed, 0.22f));
    const std::vector<Point2> blade{
        {0.6f, 0.45f}, {1.7f, 0.7f}, {2.5f, 0.1f}, {2.25f, -0.3f}, {0.6f, -0.45f}};
    for (int k = 0; k < 4; ++k)
        m.Slab(kIdentity.TurnedY(k * kPi / 2), blade, -0.2f, 0.2f, 0.35f);
    m.Material(Mat("Core", pal::kSteel, 0.1f));
    m.Lathe(kIdentity, {{0, -0.5f}, {1.0f, -0.4f}, {1.15f, 0}, {0.95f, 0.35f}, {0.45f, 0.55f}}, 12,
            false);
    m.Material(Mat("Eye", pal::kEye, 0.9f));
    m.Gem(Frame::At({0, 0.5f, 0}), 0.45f, 0.45f, 0.35f, 0.05f, 6);
    return m;
}

// Small enemy "wasp": swept wings and glowing pincers; it flies nose down the screen.
MeshBuilder Obj5() {
    MeshBuilder m;
    m.Material(Mat("Body", pal::kDark, 0.08f));
    m.Slab(kIdentity,
           Symmetric({{0, -2.3f}, {0.65f, -1.3f}, {0.8f, 0.6f}, {0.45f, 1.9f}, {0, 2.1f}}), -0.4f,
           0.5f, 0.45f);
    m.Material(Mat("Wing", pal::kGreen, 0.2f));
    const std::vector<Point2> wing{{0.6f, -0.5f}, {2.5f, 0.9f}, {2.35f, 1.7f}, {0.7f, 0.9f}};
    m.Slab(kIdentity, wing, -0.15f, 0.18f, 0.3f);
    m.Slab(kIdentity, Mirrored(wing), -0.15f, 0.18f, 0.3f);
    m.Material(Glow("Pincers", {0.85f, 1.0f, 0.25f}));
    const std::vector<Point2> pincer{
        {0.35f, -1.5f}, {1.05f, -2.0f}, {0.8f, -3.0f}, {0.55f, -2.2f}, {0.2f, -1.95f}};
    m.Slab(kIdentity, pincer, -0.15f, 0.2f, 0.3f);
    m.Slab(kIdentity, Mirrored(pincer), -0.15f, 0.2f, 0.3f);
    m.Material(Mat("Eyes", pal::kEye, 0.9f));
    for (float x : {-0.32f, 0.32f})
        m.Gem(Frame::At({x, 0.45f, -1.1f}), 0.22f, 0.3f, 0.2f, 0, 6);
    m.Material(Glow("Thruster", pal::kEngine));
    m.Slab(kIdentity, {{-0.3f, 1.9f}, {0.3f, 1.9f}, {0.25f, 2.4f}, {-0.25f, 2.4f}}, -0.2f, 0.25f,
           0.2f);
    return m;
}

// Small enemy "manta": a broad ray. It is turned by its heading so that its
// model +x points along it; it is built nose down and laid on its side of the turn.
MeshBuilder Obj2() {
    MeshBuilder m;
    const Frame f = kIdentity.TurnedY(kPi / 2);
    m.Material(Mat("Wing", pal::kPurple, 0.2f));
    m.Slab(f,
           Symmetric({{0, -2.3f},
                      {1.1f, -1.0f},
                      {2.55f, 0.5f},
                      {2.2f, 1.05f},
                      {1.0f, 0.75f},
                      {0.45f, 1.5f},
                      {0, 1.4f}}),
           -0.25f, 0.3f, 0.5f);
    m.Material(Mat("Spine", pal::kDark, 0.08f));
    m.Slab(f, Symmetric({{0, -1.9f}, {0.38f, -0.9f}, {0.3f, 1.2f}, {0.12f, 2.5f}, {0, 2.55f}}),
           -0.1f, 0.55f, 0.45f);
    m.Material(Mat("Gills", pal::kMagenta, 0.8f));
    for (float x : {-1.0f, 1.0f}) {
        m.Slab(f, {{x - 0.35f, -0.4f}, {x + 0.35f, -0.4f}, {x + 0.2f, 0.1f}, {x - 0.2f, 0.1f}},
               0.2f, 0.4f, 0.2f);
    }
    return m;
}

// Chain "vertebra": an armoured octagon with an eye; the head is the same at three times the size.
MeshBuilder Obj6() {
    MeshBuilder m;
    m.Material(Mat("Armour", pal::kBrass, 0.22f));
    m.Slab(kIdentity, RegularPolygon(8, 1.5f, 1.5f, kPi / 8), -0.55f, 0.55f, 0.35f);
    m.Material(Mat("Spikes", pal::kDark, 0.1f));
    for (int k = 0; k < 4; ++k) {
        m.Slab(kIdentity.TurnedY(kPi / 4 + k * kPi / 2), {{1.2f, 0.38f}, {2.3f, 0}, {1.2f, -0.38f}},
               -0.25f, 0.25f, 0.3f);
    }
    m.Material(Mat("Eye", pal::kRed, 0.9f));
    m.Gem(Frame::At({0, 0.5f, 0}), 0.6f, 0.6f, 0.45f, 0.05f, 8, kPi / 8);
    return m;
}

// Orbiting satellite and its hub: a ring on four spokes round a glowing ball.
MeshBuilder Obj4() {
    MeshBuilder m;
    m.Material(Mat("Ring", pal::kTeal, 0.25f));
    m.Ring(kIdentity, {{1.25f, -0.25f}, {1.75f, -0.25f}, {1.75f, 0.25f}, {1.25f, 0.25f}}, 16);
    m.Material(Mat("Spokes", pal::kSteel, 0.1f));
    for (int k = 0; k < 4; ++k) {
        m.Slab(kIdentity.TurnedY(k * kPi / 2),
               {{0.3f, 0.16f}, {1.3f, 0.16f}, {1.3f, -0.16f}, {0.3f, -0.16f}}, -0.14f, 0.14f, 0.3f);
    }
    m.Material(Mat("Pods", pal::kWhite, 0.4f));
    for (int k = 0; k < 4; ++k) {
        float a = k * kPi / 2 + kPi / 4;
        m.Gem(Frame::At({1.5f * std::cos(a), 0.25f, 1.5f * std::sin(a)}), 0.35f, 0.35f, 0.3f, 0.3f,
              4, a);
    }
    m.Material(Mat("Core", pal::kCockpit, 0.7f));
    m.Lathe(kIdentity, Sphere(0.65f, 6), 10, true);
    return m;
}

// Pulsing satellite and its hub: a six-pointed star with a bright heart.
MeshBuilder Obj3() {
    MeshBuilder m;
    m.Material(Mat("Star", pal::kMagenta, 0.25f));
    m.Slab(kIdentity, Star(6, 2.2f, 1.0f), -0.35f, 0.35f, 0.5f);
    m.Material(Mat("Heart", {1.0f, 0.75f, 0.95f}, 0.8f));
    m.Gem(Frame::At({0, 0.3f, 0}), 0.55f, 0.55f, 0.4f, 0.05f, 6);
    return m;
}

// The boss: an armoured fortress with four gun arms round a red core.
MeshBuilder Big1() {
    MeshBuilder m;
    m.Material(Mat("Plating", pal::kSteel, 0.2f));
    m.Slab(kIdentity, RegularPolygon(8, 2.05f, 2.05f, kPi / 8), -0.6f, 0.55f, 0.25f);
    for (int k = 0; k < 4; ++k) {
        m.Slab(kIdentity.TurnedY(k * kPi / 2),
               {{1.6f, 0.5f},
                {2.5f, 0.42f},
                {2.75f, 0.2f},
                {2.75f, -0.2f},
                {2.5f, -0.42f},
                {1.6f, -0.5f}},
               -0.45f, 0.45f, 0.3f);
    }
    m.Material(Mat("Collar", pal::kDark, 0.12f));
    m.Ring(kIdentity, {{1.0f, 0.5f}, {1.7f, 0.5f}, {1.5f, 0.85f}, {1.05f, 0.85f}}, 16);
    m.Material(Mat("Armour", pal::kRed, 0.3f));
    for (int k = 0; k < 4; ++k) {
        m.Slab(kIdentity.TurnedY(kPi / 4 + k * kPi / 2),
               {{1.8f, 0.45f}, {2.55f, 0}, {1.8f, -0.45f}}, -0.3f, 0.3f, 0.3f);
    }
    m.Material(Glow("Guns", pal::kEngine));
    for (int k = 0; k < 4; ++k) {
        Frame f = kIdentity.TurnedY(k * kPi / 2);
        m.Slab(f, {{2.55f, 0.16f}, {2.85f, 0.16f}, {2.85f, -0.16f}, {2.55f, -0.16f}}, 0.1f, 0.6f,
               0.3f);
    }
    m.Material(Glow("Vents", {1.0f, 0.3f, 0.1f}));
    for (int k = 0; k < 8; ++k) {
        Frame f = kIdentity.TurnedY(kPi / 8 + k * kPi / 4);
        m.Slab(f, {{1.15f, 0.12f}, {1.55f, 0.12f}, {1.55f, -0.12f}, {1.15f, -0.12f}}, 0.8f, 0.9f,
               0.2f);
    }
    m.Material(Glow("Core", {1.0f, 0.55f, 0.2f}));
    m.Lathe(Frame::At({0, 0.8f, 0}), {{0.85f, 0}, {0.75f, 0.35f}, {0.45f, 0.65f}, {0, 0.8f}}, 12,
            true);
    return m;
}

// Enemy bullets: a white-hot core in a toothed coloured disc; the teeth show the
// spin. The core is about the size of the hit box, the glow around it is not.
MeshBuilder Bullet(Color fire) {
    MeshBuilder m;
    m.Material(Glow("Rim", fire));
    m.Slab(kIdentity, Star(8, 0.92f, 0.74f, 0), -0.08f, 0.06f, 0.2f);
    m.Material(Glow("Halo", Mix(fire, pal::kWhite, 0.55f)));
    m.Slab(kIdentity, RegularPolygon(12, 0.56f, 0.56f), 0.06f, 0.12f, 0.2f);
    m.Material(Mat("Core", pal::kWhite, 1.0f));
    m.Lathe(Frame::At({0, 0.12f, 0}).Scaled({1, 0.6f, 1}), Sphere(0.34f, 6), 10, true);
    return m;
}

// Needles lie along their heading, model +z.
MeshBuilder Needle(Color fire) {
    MeshBuilder m;
    m.Material(Glow("Blade", fire));
    m.Gem(kIdentity, 0.4f, 1.5f, 0.2f, 0.2f, 4);
    m.Material(Mat("Core", pal::kWhite, 1.0f));
    m.Gem(Frame::At({0, 0.12f, 0}), 0.15f, 0.95f, 0.16f, 0.02f, 4);
    return m;
}

// The player's shot: a green bolt along its heading.
MeshBuilder Shot() {
    MeshBuilder m;
    m.Material(Glow("Bolt", {0.35f, 1.0f, 0.3f}, 0.9f));
    m.Gem(kIdentity, 0.6f, 1.9f, 0.25f, 0.25f, 6, kPi / 2);
    m.Material(Mat("Core", pal::kWhite, 1.0f));
    m.Gem(Frame::At({0, 0.12f, 0.2f}), 0.2f, 1.3f, 0.2f, 0.02f, 6, kPi / 2);
    return m;
}

// Explosion: a flat burst, scaled in x and z as it grows.
MeshBuilder Crash1() {
    MeshBuilder m;
    m.Material(Glow("Ring", {1.0f, 0.45f, 0.08f}));
    FlatRing(m, kIdentity, 0.74f, 1.0f, 20, 0);
    m.Material(Glow("Burst", {1.0f, 0.85f, 0.3f}));
    // Flames of uneven length, so it reads as a blast rather than a badge.
    std::vector<Point2> flames;
    const float reach[] = {0.72f, 0.5f, 0.66f, 0.58f, 0.7f, 0.46f, 0.62f, 0.55f};
    for (int k = 0; k < 16; ++k) {
        float a = kPi * k / 8 + 0.15f, r = k % 2 ? 0.28f : reach[k / 2];
        flames.push_back({r * std::cos(a), r * std::sin(a)});
    }
    m.Flat(kIdentity, flames, 0.05f);
    m.Material(Glow("Heart", {1.0f, 1.0f, 0.85f}));
    m.Flat(kIdentity, RegularPolygon(8, 0.22f, 0.22f), 0.1f);
    return m;
}

// Spark, shield and death flash: a ring and a four-pointed star.
MeshBuilder Crash2() {
    MeshBuilder m;
    m.Material(Glow("Ring", {0.45f, 0.85f, 1.0f}));
    FlatRing(m, kIdentity, 0.8f, 0.95f, 20, 0);
    m.Material(Glow("Star", pal::kWhite));
    m.Flat(kIdentity, Star(4, 1.0f, 0.12f, 0), 0.05f);
    m.Flat(kIdentity, Star(4, 0.5f, 0.1f, kPi / 4), 0.04f);
    return m;
}

// Graze spark: a pinwheel of thin streaks.
MeshBuilder Effect1() {
    MeshBuilder m;
    m.Material(Glow("Streaks", {1.0f, 0.9f, 0.45f}));
    for (int k = 0; k < 6; ++k) {
        Frame f = kIdentity.TurnedY(k * kPi / 3);
        m.Flat(f, {{0.4f, 0.12f}, {1.6f, 0.22f}, {3.0f, 0.5f}, {1.6f, -0.05f}, {0.4f, -0.12f}}, 0);
    }
    return m;
}

MeshBuilder Item2() {
    MeshBuilder m;
    m.Material(Mat("Gold", pal::kGold, 0.35f));
    m.Gem(kIdentity, 0.85f, 0.85f, 0.55f, 0.55f, 6);
    m.Material(Mat("Shine", pal::kWhite, 0.6f));
    m.Gem(Frame::At({0, 0.3f, 0}), 0.3f, 0.3f, 0.32f, 0.0f, 6);
    return m;
}

MeshBuilder Item1() {
    MeshBuilder m;
    m.Material(Mat("Crystal", pal::kFire1, 0.35f));
    m.Gem(kIdentity, 0.6f, 0.6f, 0.6f, 0.6f, 4);
    return m;
}

// Bomb item: a green orb in a gold ring.
MeshBuilder Bomb5() {
    MeshBuilder m;
    m.Material(Mat("Orb", {0.2f, 0.8f, 0.32f}, 0.3f));
    m.Lathe(kIdentity, Sphere(0.9f, 8), 12, true);
    m.Material(Mat("Ring", pal::kGold, 0.35f));
    m.Ring(kIdentity, {{1.05f, -0.08f}, {1.45f, -0.08f}, {1.45f, 0.08f}, {1.05f, 0.08f}}, 20);
    return m;
}

// Screen bomb: three crossed rings round a pale, see-through sphere.
MeshBuilder Bomb1() {
    MeshBuilder m;
    m.Material(Glow("Rings", {0.45f, 0.9f, 1.0f}));
    const std::vector<Point2> band{{2.35f, -0.12f}, {2.6f, -0.12f}, {2.6f, 0.12f}, {2.35f, 0.12f}};
    m.Ring(kIdentity, band, 32);
    m.Ring(kIdentity.TurnedX(kPi / 2), band, 32);
    m.Ring(kIdentity.TurnedZ(kPi / 2), band, 32);
    m.Ring(kIdentity.TurnedZ(kPi / 4), band, 32);
    m.Ring(kIdentity.TurnedZ(-kPi / 4), band, 32);
    m.Material(Mat("Shell", {0.45f, 0.75f, 1.0f}, 0.7f, 0.35f));
    m.Lathe(kIdentity, Sphere(2.3f, 10), 16, true);
    return m;
}

MeshBuilder Bomb2() {
    MeshBuilder m;
    m.Material(Mat("Wave", {0.75f, 0.92f, 1.0f}, 1.0f, 0.8f));
    FlatRing(m, kIdentity, 2.0f, 2.5f, 32, 0);
    return m;
}

MeshBuilder Bomb3() {
    MeshBuilder m;
    m.Material(Glow("Burst", pal::kFlame, 0.85f));
    m.Flat(kIdentity, Star(8, 2.5f, 0.7f), 0);
    return m;
}

MeshBuilder Bomb4() {
    MeshBuilder m;
    m.Material(Mat("Cross", pal::kGold, 1.0f, 0.85f));
    m.Slab(kIdentity, {{-2.5f, 0.2f}, {2.5f, 0.2f}, {2.5f, -0.2f}, {-2.5f, -0.2f}}, -0.1f, 0.1f,
           0.3f);
    m.Slab(kIdentity, {{-0.2f, 2.5f}, {0.2f, 2.5f}, {0.2f, -2.5f}, {-0.2f, -2.5f}}, -0.12f, 0.12f,
           0.3f);
    return m;
}

MeshBuilder Beam() {
    MeshBuilder m;
    m.Material(Mat("Glow", pal::kFire1, 1.0f, 0.8f));
    m.Slab(kIdentity, {{-0.35f, 0}, {0.35f, 0}, {0.35f, 12}, {-0.35f, 12}}, -0.2f, 0.2f, 0.4f);
    m.Material(Mat("Core", pal::kWhite, 1.0f));
    m.Slab(kIdentity, {{-0.12f, 0}, {0.12f, 0}, {0.12f, 12}, {-0.12f, 12}}, 0.2f, 0.3f, 0.2f);
    return m;
}

// Background plane: drawn at scale 40 and tilted 45 degrees, 60 units apart, so
// 60 / (40 cos 45) deep; wide enough to cover the field while it rolls. The four
// copies start at -119..0 and scroll down, so each plane hangs below its origin:
// then the lowest copy still reaches the bottom of the field when it has scrolled
// up again, with about 10 units to spare at both ends of the cycle.
constexpr float kBgHalfWidth = 1.7f, kBgHalfDepth = 1.06066f, kBgDrop = 0.0177f;
constexpr const char* kBgTexture = "bg1.png";

MeshBuilder Bg1() {
    MeshBuilder m;
    XMaterial screen{"Screen", {1, 1, 1, 1}, {0.6f, 0.6f, 0.6f}, 0, {}, kBgTexture};
    m.Material(screen);
    const float w = kBgHalfWidth, d = kBgHalfDepth;
    auto uv = [&](Vec3 p, float* t) {
        t[0] = (p.x + w) / (2 * w);
        t[1] = (-kBgDrop - p.z) / (2 * d);
    };
    const float top = -kBgDrop, bottom = -kBgDrop - 2 * d;
    const Vec3 corners[4] = {{-w, 0, top}, {w, 0, top}, {w, 0, bottom}, {-w, 0, bottom}};
    const Vec3 up[3] = {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}};
    for (const auto& tri : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
        Vec3 p[3];
        float t[3][2];
        for (int i = 0; i < 3; ++i) {
            p[i] = corners[tri[i]];
            uv(p[i], t[i]);
        }
        m.SmoothTriangle(p, up, t);
    }
    return m;
}

}  // namespace

bool WriteModels(const std::filesystem::path& dir) {
    const std::map<std::string, std::function<MeshBuilder()>> builders = {
        {"ship", Ship},
        {"obj1", Obj1},
        {"obj2", Obj2},
        {"obj3", Obj3},
        {"obj4", Obj4},
        {"obj5", Obj5},
        {"obj6", Obj6},
        {"big1", Big1},
        {"bullet1", [] { return Bullet(pal::kFire0); }},
        {"bullet2", [] { return Bullet(pal::kFire1); }},
        {"needle1", [] { return Needle(pal::kFire0); }},
        {"needle2", [] { return Needle(pal::kFire1); }},
        {"shot", Shot},
        {"crash_1", Crash1},
        {"crash_2", Crash2},
        {"effect1", Effect1},
        {"item1", Item1},
        {"item2", Item2},
        {"bomb1", Bomb1},
        {"bomb2", Bomb2},
        {"bomb3", Bomb3},
        {"bomb4", Bomb4},
        {"bomb5", Bomb5},
        {"beam", Beam},
        {"bg1", Bg1},
    };
    for (int i = 0; i < kModelCount; ++i) {
        const Asset& model = AssetAt(AssetKind::Model, i);
        auto builder = builders.find(model.handle);
        if (builder == builders.end()) {
            std::fprintf(stderr, "mkmedia: no way to build the model %s\n", model.handle);
            return false;
        }
        std::ofstream out(dir.parent_path() / model.file, std::ios::binary);
        out << builder->second().ToX(model.handle);
        if (!out) return false;
    }
    // The background's still picture, shown until the video takes its place.
    if (!SpaceScene(256, 256).RenderImage(0).WritePng((dir / kBgTexture).string())) return false;
    return WriteStageModels(dir.parent_path());
}

}  // namespace mkmedia
