// The later stages' own models: three craft, a mid-boss and a boss for each,
// written as stageN/NAME.x beside the stage's other files. They share the
// pack's model space and sizes (x right, y toward the camera, z up the screen,
// noses toward -z; about 2.5 units across the middle, drawn at the scale of
// their kind) so that a stage may name them where it named the pack's.
#include <cstdio>
#include <fstream>
#include <string>

#include "ModelParts.h"

namespace mkmedia {

namespace {

using namespace model_parts;

// A solid of revolution about the model's z axis: heights in the profile run
// up the screen, so a profile from -2 to 2 points its first end down.
Frame AlongZ(Vec3 origin) {
    return Frame::At(origin).TurnedX(kPi / 2);
}

// The outline shrunk toward its centre, for a panel laid on top of it.
std::vector<Point2> Inset(std::vector<Point2> p, float keep) {
    Point2 c{0, 0};
    for (const Point2& q : p)
        c = {c.x + q.x / p.size(), c.z + q.z / p.size()};
    for (Point2& q : p)
        q = {c.x + (q.x - c.x) * keep, c.z + (q.z - c.z) * keep};
    return p;
}

// A slab and its mirror image across x = 0.
void PairedSlab(MeshBuilder& m, const std::vector<Point2>& right, float y0, float y1, float bevel) {
    m.Slab(kIdentity, right, y0, y1, bevel);
    m.Slab(kIdentity, Mirrored(right), y0, y1, bevel);
}

// A straight bar from a to b in the x-z plane, `width` wide.
std::vector<Point2> Bar(Point2 a, Point2 b, float width) {
    float dx = b.x - a.x, dz = b.z - a.z, l = std::hypot(dx, dz);
    float nx = -dz / l * width / 2, nz = dx / l * width / 2;
    return {{a.x + nx, a.z + nz}, {b.x + nx, b.z + nz}, {b.x - nx, b.z - nz}, {a.x - nx, a.z - nz}};
}

// Stage 2, the sky: airy birds, lanterns and seeds in cyan, pearl and gold.
namespace sky {
const Color kPearl{0.90f, 0.95f, 1.0f}, kCyan{0.30f, 0.85f, 1.0f}, kGold{1.0f, 0.80f, 0.30f};
const Color kAzure{0.38f, 0.62f, 0.98f}, kLight{0.75f, 1.0f, 1.0f};
}  // namespace sky

// A swallow: swept sickle wings and a forked tail; it dives beak first.
MeshBuilder SkyCraftA() {
    MeshBuilder m;
    m.Material(Mat("Wing", sky::kCyan, 0.25f));
    PairedSlab(m,
               {{0.3f, -0.9f},
                {1.4f, -0.55f},
                {2.45f, 0.55f},
                {2.55f, 1.35f},
                {1.6f, 0.6f},
                {0.35f, 0.35f}},
               -0.1f, 0.16f, 0.3f);
    m.Material(Mat("Tail", sky::kGold, 0.35f));
    PairedSlab(m, {{0.05f, 0.7f}, {0.42f, 0.85f}, {1.0f, 2.45f}, {0.72f, 2.5f}, {0.05f, 1.35f}},
               -0.08f, 0.12f, 0.3f);
    m.Material(Mat("Body", sky::kPearl, 0.2f));
    m.Slab(kIdentity,
           Symmetric({{0, -2.2f}, {0.32f, -1.7f}, {0.5f, -0.5f}, {0.42f, 0.8f}, {0, 1.25f}}), -0.3f,
           0.4f, 0.45f);
    m.Material(Glow("Tips", sky::kGold));
    for (float x : {-2.3f, 2.3f})
        m.Gem(Frame::At({x, 0.18f, 0.75f}), 0.2f, 0.3f, 0.2f, 0.05f, 4);
    m.Material(Mat("Eye", sky::kLight, 0.9f));
    m.Gem(Frame::At({0, 0.4f, -1.15f}), 0.25f, 0.45f, 0.25f, 0, 6, kPi / 2);
    return m;
}

// A paper lantern: a ribbed globe in a gold hoop, lit from inside, with four
// cyan flames at its corners; it turns as it sinks.
MeshBuilder SkyCraftB() {
    MeshBuilder m;
    m.Material(Mat("Paper", sky::kPearl, 0.4f));
    m.Lathe(kIdentity,
            {{0, -0.6f},
             {1.1f, -0.5f},
             {1.5f, -0.1f},
             {1.55f, 0.2f},
             {1.3f, 0.55f},
             {0.6f, 0.78f},
             {0, 0.8f}},
            8, false, kPi / 8);
    m.Material(Mat("Hoop", sky::kGold, 0.35f));
    m.Ring(kIdentity, {{1.5f, -0.05f}, {1.72f, -0.05f}, {1.72f, 0.3f}, {1.5f, 0.3f}}, 16);
    m.Lathe(kIdentity, {{0.62f, 0.7f}, {0.58f, 0.95f}, {0, 1.0f}}, 8, false, kPi / 8);
    m.Material(Glow("Flames", sky::kCyan));
    for (int k = 0; k < 4; ++k) {
        m.Slab(kIdentity.TurnedY(kPi / 4 + k * kPi / 2),
               {{1.6f, 0.28f}, {2.2f, 0.16f}, {2.45f, 0}, {2.2f, -0.16f}, {1.6f, -0.28f}}, -0.1f,
               0.12f, 0.3f);
    }
    m.Material(Glow("Heart", sky::kGold));
    m.Gem(Frame::At({0, 1.0f, 0}), 0.36f, 0.36f, 0.32f, 0, 6);
    return m;
}

// A winged seed: a pearl spindle between two broad vanes, a crown of down at
// its tail and gold seeds along its sides, the ones it lobs.
MeshBuilder SkyCraftC() {
    MeshBuilder m;
    const std::vector<Point2> vane{{0.6f, -1.25f}, {1.6f, -1.1f}, {2.45f, -0.35f}, {2.6f, 0.55f},
                                   {2.25f, 1.25f}, {1.2f, 0.8f},  {0.65f, 0.3f}};
    m.Material(Mat("Vane", sky::kAzure, 0.22f));
    PairedSlab(m, vane, -0.12f, 0.12f, 0.3f);
    m.Material(Mat("Panel", sky::kCyan, 0.3f));
    PairedSlab(m, Inset(vane, 0.6f), 0.1f, 0.18f, 0.2f);
    m.Material(Glow("Veins", sky::kGold));
    for (const auto& vein :
         {Bar({0.7f, -0.75f}, {2.4f, 0.1f}, 0.1f), Bar({0.7f, -0.1f}, {2.2f, 1.0f}, 0.1f)}) {
        PairedSlab(m, vein, 0.1f, 0.24f, 0);
    }
    m.Material(Mat("Spindle", sky::kPearl, 0.22f));
    m.Lathe(AlongZ({0, 0, 0}).Scaled({1, 1, 0.7f}),
            {{0, -2.4f},
             {0.36f, -1.9f},
             {0.62f, -0.9f},
             {0.66f, 0.2f},
             {0.48f, 1.2f},
             {0.22f, 1.8f},
             {0, 2.0f}},
            10, true);
    m.Material(Glow("Down", {0.85f, 0.95f, 1.0f}));
    for (int k = 0; k < 7; ++k) {
        Frame f = Frame::At({0, 0.1f, 1.7f}).TurnedY(kPi / 2 + (k - 3) * 0.3f);
        m.Flat(f, {{0.2f, 0.04f}, {1.15f, 0.08f}, {1.15f, -0.08f}, {0.2f, -0.04f}}, 0.05f);
    }
    m.Material(Mat("Seeds", sky::kGold, 0.45f));
    for (int k = 0; k < 7; ++k) {
        float a = kPi / 2 + (k - 3) * 0.3f;
        m.Gem(Frame::At({1.25f * std::cos(a), 0.12f, 1.7f + 1.25f * std::sin(a)}), 0.14f, 0.14f,
              0.14f, 0.05f, 4, a);
    }
    for (float z : {-0.8f, 0.15f})
        for (float x : {-0.62f, 0.62f})
            m.Gem(Frame::At({x, 0.3f, z}), 0.22f, 0.34f, 0.3f, 0.1f, 6, kPi / 2);
    m.Material(Glow("Eye", sky::kLight));
    m.Gem(Frame::At({0, 0.42f, -1.2f}), 0.24f, 0.42f, 0.3f, 0, 6, kPi / 2);
    return m;
}

// The sky's warden: a pearl dome in a gold halo on six feathered blades.
MeshBuilder SkyMidBoss() {
    MeshBuilder m;
    m.Material(Mat("Feathers", sky::kPearl, 0.25f));
    for (int k = 0; k < 6; ++k) {
        m.Slab(kIdentity.TurnedY(kPi / 6 + k * kPi / 3),
               {{0.8f, 0.4f}, {2.1f, 0.5f}, {2.75f, 0.05f}, {2.25f, -0.25f}, {0.8f, -0.3f}}, -0.25f,
               0.25f, 0.35f);
    }
    m.Material(Mat("Quills", sky::kCyan, 0.35f));
    for (int k = 0; k < 6; ++k) {
        m.Slab(kIdentity.TurnedY(kPi / 6 + k * kPi / 3),
               {{1.3f, 0.12f}, {2.5f, 0.1f}, {2.5f, -0.02f}, {1.3f, -0.06f}}, 0.2f, 0.3f, 0);
    }
    m.Material(Mat("Halo", sky::kGold, 0.3f));
    m.Ring(kIdentity, {{2.0f, -0.1f}, {2.2f, -0.1f}, {2.2f, 0.36f}, {2.0f, 0.36f}}, 18);
    m.Lathe(kIdentity, {{1.4f, 0.2f}, {1.38f, 0.5f}, {1.15f, 0.55f}, {1.15f, 0.45f}}, 12, false);
    m.Material(Mat("Dome", sky::kAzure, 0.3f));
    m.Lathe(kIdentity, {{1.25f, -0.1f}, {1.2f, 0.25f}, {1.0f, 0.55f}, {0.55f, 0.8f}, {0, 0.9f}}, 12,
            true);
    m.Material(Glow("Lights", sky::kCyan));
    for (int k = 0; k < 6; ++k) {
        float a = k * kPi / 3;
        m.Gem(Frame::At({2.12f * std::cos(a), 0.35f, 2.12f * std::sin(a)}), 0.28f, 0.28f, 0.3f,
              0.1f, 4, a);
    }
    m.Material(Glow("Eye", sky::kLight));
    m.Gem(Frame::At({0, 0.85f, 0}), 0.5f, 0.5f, 0.38f, 0.05f, 8, kPi / 8);
    return m;
}

// The monarch: a great butterfly, gold-edged cyan wings with pearl windows
// and eyes of light, on a pearl body with a glowing crest.
MeshBuilder SkyBoss() {
    MeshBuilder m;
    const std::vector<Point2> fore{{0.35f, -0.95f}, {1.3f, -1.85f},  {2.3f, -2.1f},
                                   {2.6f, -1.55f},  {2.25f, -0.45f}, {0.45f, 0.05f}};
    const std::vector<Point2> hind{{0.4f, 0.2f},  {2.1f, 0.2f}, {2.55f, 1.0f},
                                   {2.15f, 2.0f}, {1.1f, 2.3f}, {0.4f, 1.35f}};
    m.Material(Mat("Edge", sky::kGold, 0.3f));
    for (const auto& wing : {fore, hind})
        PairedSlab(m, wing, -0.25f, 0.05f, 0.15f);
    m.Material(Mat("Wing", sky::kCyan, 0.32f));
    for (const auto& wing : {fore, hind})
        PairedSlab(m, Inset(wing, 0.84f), 0.0f, 0.2f, 0.2f);
    m.Material(Mat("Windows", sky::kPearl, 0.45f));
    PairedSlab(m, Inset(fore, 0.42f), 0.18f, 0.28f, 0.25f);
    PairedSlab(m, {{1.0f, 0.7f}, {1.9f, 0.7f}, {2.1f, 1.2f}, {1.4f, 1.6f}}, 0.18f, 0.28f, 0.25f);
    m.Material(Glow("Eyes", sky::kGold));
    for (float x : {-1.75f, 1.75f}) {
        m.Gem(Frame::At({x, 0.3f, 1.75f}), 0.26f, 0.26f, 0.22f, 0.05f, 6);
        m.Gem(Frame::At({x * 1.2f, 0.3f, -1.72f}), 0.2f, 0.2f, 0.2f, 0.05f, 6);
    }
    m.Material(Mat("Body", sky::kPearl, 0.3f));
    m.Lathe(AlongZ({0, 0.1f, 0}).Scaled({1, 1, 0.65f}),
            {{0, -2.2f},
             {0.32f, -2.0f},
             {0.48f, -1.3f},
             {0.4f, -0.6f},
             {0.52f, 0.2f},
             {0.44f, 1.4f},
             {0.22f, 2.3f},
             {0, 2.45f}},
            10, true);
    m.Material(Mat("Antennae", sky::kGold, 0.4f));
    PairedSlab(m, Bar({0.15f, -2.0f}, {0.85f, -2.65f}, 0.14f), 0.1f, 0.25f, 0);
    m.Material(Glow("Crest", sky::kLight));
    for (float x : {-0.85f, 0.85f})
        m.Gem(Frame::At({x, 0.2f, -2.7f}), 0.16f, 0.16f, 0.16f, 0.05f, 4);
    m.Lathe(Frame::At({0, 0.35f, -0.5f}), {{0.36f, 0}, {0.3f, 0.2f}, {0.16f, 0.32f}, {0, 0.36f}},
            10, true);
    m.Gem(Frame::At({0, 0.4f, 0.9f}), 0.22f, 0.5f, 0.22f, 0, 6, kPi / 2);
    return m;
}

// Stage 3, the foundry: saws, gunships and furnaces in iron, rust red and
// molten orange, with hazard yellow.
namespace foundry {
const Color kIron{0.45f, 0.46f, 0.52f}, kSoot{0.20f, 0.19f, 0.22f}, kRust{0.86f, 0.22f, 0.10f};
const Color kMolten{1.0f, 0.48f, 0.08f}, kHazard{1.0f, 0.78f, 0.12f}, kHot{1.0f, 0.9f, 0.55f};
const Color kSignal{1.0f, 0.18f, 0.1f};
}  // namespace foundry

// A saw drone: a toothed iron blade round an armoured hub with a red eye; it
// spins as it dives.
MeshBuilder FoundryCraftA() {
    MeshBuilder m;
    m.Material(Mat("Blade", {0.62f, 0.63f, 0.7f}, 0.3f));
    std::vector<Point2> teeth;
    for (int k = 0; k < 12; ++k) {
        float a = 2 * kPi * k / 12;
        teeth.push_back({1.75f * std::cos(a), 1.75f * std::sin(a)});
        teeth.push_back({2.3f * std::cos(a + 0.12f), 2.3f * std::sin(a + 0.12f)});
    }
    m.Slab(kIdentity, teeth, -0.1f, 0.1f, 0.12f);
    m.Material(Mat("Hub", foundry::kSoot, 0.12f));
    m.Slab(kIdentity, RegularPolygon(6, 1.3f, 1.3f), -0.3f, 0.35f, 0.3f);
    m.Material(Mat("Plates", foundry::kRust, 0.3f));
    for (int k = 0; k < 3; ++k) {
        m.Slab(kIdentity.TurnedY(k * 2 * kPi / 3),
               {{0.55f, 0.35f}, {1.25f, 0.55f}, {1.45f, 0}, {1.25f, -0.55f}, {0.55f, -0.35f}}, 0.3f,
               0.45f, 0.3f);
    }
    m.Material(Glow("Slots", foundry::kMolten));
    for (int k = 0; k < 3; ++k) {
        m.Slab(kIdentity.TurnedY(kPi / 3 + k * 2 * kPi / 3),
               {{0.7f, 0.1f}, {1.15f, 0.1f}, {1.15f, -0.1f}, {0.7f, -0.1f}}, 0.3f, 0.4f, 0);
    }
    m.Material(Mat("Eye", foundry::kSignal, 0.9f));
    m.Gem(Frame::At({0, 0.4f, 0}), 0.42f, 0.42f, 0.35f, 0.05f, 6);
    return m;
}

// A gunship: a blunt iron hull between two red pontoons, each with a cannon
// pointing down the screen, and a glowing exhaust behind.
MeshBuilder FoundryCraftB() {
    MeshBuilder m;
    m.Material(Mat("Hull", foundry::kIron, 0.18f));
    m.Slab(
        kIdentity,
        Symmetric(
            {{0, -2.0f}, {0.55f, -2.0f}, {0.9f, -1.45f}, {0.9f, 1.35f}, {0.55f, 1.9f}, {0, 1.9f}}),
        -0.35f, 0.4f, 0.22f);
    m.Material(Mat("Struts", foundry::kSoot, 0.1f));
    PairedSlab(m, {{0.8f, -0.35f}, {1.3f, -0.35f}, {1.3f, 0.35f}, {0.8f, 0.35f}}, -0.15f, 0.2f, 0);
    m.Material(Mat("Pontoons", foundry::kRust, 0.28f));
    PairedSlab(m, {{1.2f, -1.1f}, {1.95f, -0.9f}, {2.1f, 0.2f}, {1.95f, 1.3f}, {1.2f, 1.5f}}, -0.3f,
               0.3f, 0.3f);
    m.Material(Mat("Cannons", foundry::kSoot, 0.15f));
    for (float x : {-1.62f, 1.62f}) {
        m.Lathe(AlongZ({x, 0.05f, 0}),
                {{0, -2.45f}, {0.2f, -2.4f}, {0.2f, -1.0f}, {0.3f, -0.9f}, {0, -0.7f}}, 8, false,
                kPi / 8);
    }
    m.Material(Glow("Muzzles", foundry::kMolten));
    for (float x : {-1.62f, 1.62f})
        m.Gem(Frame::At({x, 0.12f, -2.5f}), 0.2f, 0.2f, 0.2f, 0.1f, 4);
    m.Material(Mat("Stripes", foundry::kHazard, 0.3f));
    for (float z : {0.5f, 0.9f}) {
        m.Slab(kIdentity, {{-0.7f, z}, {0.7f, z - 0.22f}, {0.7f, z - 0.08f}, {-0.7f, z + 0.14f}},
               0.35f, 0.45f, 0);
    }
    m.Material(Glow("Exhaust", foundry::kMolten));
    m.Slab(kIdentity, {{-0.5f, 1.85f}, {0.5f, 1.85f}, {0.38f, 2.35f}, {-0.38f, 2.35f}}, -0.2f,
           0.25f, 0.2f);
    m.Material(Mat("Sensor", foundry::kSignal, 0.9f));
    m.Gem(Frame::At({0, 0.4f, -1.2f}), 0.32f, 0.45f, 0.28f, 0, 6, kPi / 2);
    return m;
}

// A furnace crawler: an iron hull on two ribbed tracks, a red turret with a
// twin gun pointing down the screen and a glowing grate at the back.
MeshBuilder FoundryCraftC() {
    MeshBuilder m;
    m.Material(Mat("Hull", foundry::kIron, 0.2f));
    m.Slab(
        kIdentity,
        Symmetric(
            {{0, -2.2f}, {1.05f, -2.2f}, {1.55f, -1.7f}, {1.55f, 1.8f}, {1.15f, 2.2f}, {0, 2.2f}}),
        -0.45f, 0.45f, 0.18f);
    m.Material(Mat("Tracks", foundry::kSoot, 0.12f));
    PairedSlab(m, {{1.6f, -2.1f}, {2.3f, -2.1f}, {2.3f, 2.1f}, {1.6f, 2.1f}}, -0.4f, 0.28f, 0.1f);
    m.Material(Mat("Treads", foundry::kIron, 0.15f));
    for (int k = 0; k < 8; ++k) {
        float z = -1.95f + k * 0.52f;
        PairedSlab(m, {{1.65f, z}, {2.25f, z}, {2.25f, z + 0.2f}, {1.65f, z + 0.2f}}, 0.2f, 0.34f,
                   0);
    }
    m.Material(Glow("Grate", foundry::kMolten));
    for (int k = 0; k < 4; ++k) {
        float z = 0.85f + k * 0.32f;
        m.Slab(kIdentity, {{-0.95f, z}, {0.95f, z}, {0.95f, z + 0.16f}, {-0.95f, z + 0.16f}}, 0.4f,
               0.5f, 0);
    }
    m.Material(Mat("Turret", foundry::kRust, 0.28f));
    m.Lathe(Frame::At({0, 0.4f, -0.45f}),
            {{0, 0}, {1.0f, 0}, {1.0f, 0.3f}, {0.72f, 0.6f}, {0, 0.66f}}, 8, false, kPi / 8);
    m.Material(Mat("Guns", foundry::kSoot, 0.15f));
    for (float x : {-0.3f, 0.3f}) {
        m.Lathe(AlongZ({x, 0.8f, 0}),
                {{0, -2.75f}, {0.17f, -2.7f}, {0.17f, -1.2f}, {0.24f, -1.1f}, {0, -0.9f}}, 6,
                false);
    }
    m.Material(Glow("Muzzles", foundry::kMolten));
    for (float x : {-0.3f, 0.3f})
        m.Gem(Frame::At({x, 0.85f, -2.8f}), 0.17f, 0.17f, 0.17f, 0.1f, 4);
    m.Material(Mat("Sensor", foundry::kSignal, 0.9f));
    m.Gem(Frame::At({0, 1.05f, -0.3f}), 0.3f, 0.3f, 0.25f, 0, 6);
    return m;
}

// The foundry's press: a chamfered iron block round a turbine over molten
// light, four red pistons at its corners and two cannons down the screen.
MeshBuilder FoundryMidBoss() {
    MeshBuilder m;
    m.Material(Mat("Block", foundry::kIron, 0.22f));
    m.Slab(kIdentity,
           {{-1.6f, -2.3f},
            {1.6f, -2.3f},
            {2.3f, -1.6f},
            {2.3f, 1.6f},
            {1.6f, 2.3f},
            {-1.6f, 2.3f},
            {-2.3f, 1.6f},
            {-2.3f, -1.6f}},
           -0.55f, 0.4f, 0.12f);
    m.Material(Glow("Melt", foundry::kMolten));
    m.Flat(kIdentity, RegularPolygon(16, 1.3f, 1.3f), 0.42f);
    m.Material(Mat("Casing", foundry::kSoot, 0.12f));
    m.Lathe(kIdentity, {{1.6f, 0.35f}, {1.6f, 0.75f}, {1.28f, 0.75f}, {1.28f, 0.45f}}, 16, false);
    m.Material(Mat("Vanes", foundry::kIron, 0.3f));
    for (int k = 0; k < 8; ++k) {
        m.Slab(kIdentity.TurnedY(k * kPi / 4),
               {{0.35f, 0.1f}, {1.25f, 0.35f}, {1.25f, 0.05f}, {0.35f, -0.12f}}, 0.45f, 0.6f, 0);
    }
    m.Material(Mat("Pistons", foundry::kRust, 0.3f));
    for (float x : {-1.75f, 1.75f}) {
        for (float z : {-1.75f, 1.75f}) {
            m.Lathe(Frame::At({x, 0.35f, z}),
                    {{0.5f, 0}, {0.5f, 0.35f}, {0.38f, 0.45f}, {0, 0.45f}}, 8, false, kPi / 8);
        }
    }
    m.Material(Mat("Caps", foundry::kHazard, 0.35f));
    for (float x : {-1.75f, 1.75f})
        for (float z : {-1.75f, 1.75f})
            m.Flat(Frame::At({x, 0, z}), RegularPolygon(8, 0.3f, 0.3f, kPi / 8), 0.81f);
    m.Material(Mat("Cannons", foundry::kSoot, 0.15f));
    for (float x : {-0.75f, 0.75f}) {
        m.Lathe(AlongZ({x, 0.1f, 0}),
                {{0, -2.75f}, {0.22f, -2.7f}, {0.22f, -2.0f}, {0.32f, -1.9f}, {0, -1.8f}}, 8, false,
                kPi / 8);
    }
    m.Material(Mat("Stripes", foundry::kHazard, 0.35f));
    for (int k = 0; k < 4; ++k) {
        float x = 0.25f + k * 0.34f;
        const std::vector<Point2> stripe{
            {x, 1.85f}, {x + 0.16f, 1.85f}, {x + 0.36f, 2.15f}, {x + 0.2f, 2.15f}};
        m.Flat(kIdentity, stripe, 0.41f);
        m.Flat(kIdentity, Mirrored(stripe), 0.41f);
    }
    m.Material(Glow("Muzzles", foundry::kMolten));
    for (float x : {-0.75f, 0.75f})
        m.Gem(Frame::At({x, 0.15f, -2.78f}), 0.2f, 0.2f, 0.2f, 0.1f, 4);
    m.Material(Mat("Eye", foundry::kSignal, 0.9f));
    m.Gem(Frame::At({0, 0.7f, 0}), 0.4f, 0.4f, 0.35f, 0.05f, 8, kPi / 8);
    return m;
}

// The smelter: an armoured iron octagon round a crucible of molten metal,
// four smoking stacks, twin guns on every side and a glowing conduit.
MeshBuilder FoundryBoss() {
    MeshBuilder m;
    m.Material(Mat("Plating", foundry::kIron, 0.24f));
    m.Slab(kIdentity, RegularPolygon(8, 2.45f, 2.45f, kPi / 8), -0.6f, 0.45f, 0.15f);
    m.Material(Mat("Armour", foundry::kRust, 0.32f));
    for (int k = 0; k < 4; ++k) {
        m.Slab(kIdentity.TurnedY(kPi / 4 + k * kPi / 2),
               {{1.9f, 0.75f}, {2.75f, 0.45f}, {2.85f, 0}, {2.75f, -0.45f}, {1.9f, -0.75f}}, -0.4f,
               0.3f, 0.3f);
    }
    m.Material(Glow("Conduit", foundry::kMolten));
    FlatRing(m, kIdentity, 1.95f, 2.08f, 24, 0.47f);
    m.Material(Mat("Batteries", foundry::kSoot, 0.15f));
    for (int k = 0; k < 4; ++k) {
        Frame f = kIdentity.TurnedY(k * kPi / 2);
        m.Slab(f, {{1.9f, 0.55f}, {2.4f, 0.55f}, {2.4f, -0.55f}, {1.9f, -0.55f}}, 0.3f, 0.7f,
               0.25f);
        for (float s : {-0.25f, 0.25f}) {
            m.Slab(f, {{2.3f, s + 0.09f}, {2.8f, s + 0.09f}, {2.8f, s - 0.09f}, {2.3f, s - 0.09f}},
                   0.45f, 0.62f, 0);
        }
    }
    m.Material(Glow("Muzzles", foundry::kMolten));
    for (int k = 0; k < 4; ++k) {
        Frame f = kIdentity.TurnedY(k * kPi / 2);
        for (float s : {-0.25f, 0.25f})
            m.Gem(Frame{f.Point({2.86f, 0.54f, s}), f.ax, f.ay, f.az}, 0.14f, 0.14f, 0.16f, 0.1f,
                  4);
    }
    m.Material(Mat("Stacks", foundry::kSoot, 0.15f));
    for (int k = 0; k < 4; ++k) {
        float a = kPi / 4 + k * kPi / 2;
        m.Lathe(Frame::At({1.55f * std::cos(a), 0, 1.55f * std::sin(a)}),
                {{0.44f, 0.45f}, {0.44f, 1.3f}, {0.27f, 1.3f}, {0.27f, 1.1f}}, 8, false, kPi / 8);
    }
    m.Material(Glow("Embers", {1.0f, 0.35f, 0.08f}));
    for (int k = 0; k < 4; ++k) {
        float a = kPi / 4 + k * kPi / 2;
        m.Flat(Frame::At({1.55f * std::cos(a), 0, 1.55f * std::sin(a)}),
               RegularPolygon(8, 0.3f, 0.3f, kPi / 8), 1.15f);
    }
    m.Material(Mat("Crucible", foundry::kRust, 0.3f));
    m.Lathe(kIdentity, {{1.3f, 0.45f}, {1.25f, 0.95f}, {1.05f, 0.95f}, {1.05f, 0.8f}}, 16, false);
    m.Material(Glow("Melt", foundry::kMolten));
    m.Flat(kIdentity, RegularPolygon(16, 1.05f, 1.05f), 0.85f);
    m.Material(Glow("Core", foundry::kHot));
    m.Lathe(Frame::At({0, 0.85f, 0}), {{0.55f, 0}, {0.48f, 0.22f}, {0.28f, 0.4f}, {0, 0.48f}}, 10,
            true);
    return m;
}

// Stage 4, the crystal reaches: shards, prisms and spires in violet, lilac
// and ice, lit from within.
namespace crystal {
const Color kViolet{0.62f, 0.32f, 1.0f}, kLilac{0.84f, 0.68f, 1.0f}, kIndigo{0.26f, 0.16f, 0.52f};
const Color kIce{0.55f, 0.9f, 1.0f}, kRose{1.0f, 0.45f, 0.88f}, kWhite{0.96f, 0.88f, 1.0f};
}  // namespace crystal

// A shard: one long crystal, point down the screen, flanked by two splinters.
MeshBuilder CrystalCraftA() {
    MeshBuilder m;
    m.Material(Mat("Splinters", crystal::kLilac, 0.3f));
    for (float s : {-1.0f, 1.0f}) {
        m.Gem(Frame::At({1.2f * s, 0, 0.45f}).TurnedY(-0.4f * s), 0.45f, 1.5f, 0.5f, 0.2f, 6,
              kPi / 2);
    }
    m.Material(Mat("Shard", crystal::kViolet, 0.32f));
    m.Gem(kIdentity, 0.8f, 2.4f, 0.75f, 0.3f, 6, kPi / 2);
    m.Material(Mat("Ribs", crystal::kIndigo, 0.2f));
    PairedSlab(m, Bar({0.3f, 0.1f}, {1.1f, 0.6f}, 0.26f), -0.1f, 0.16f, 0);
    m.Material(Glow("Heart", crystal::kIce));
    m.Gem(Frame::At({0, 0.55f, -0.35f}), 0.2f, 0.5f, 0.3f, 0, 4, kPi / 2);
    return m;
}

// A prism: three crystals on a triangular band round a rose core.
MeshBuilder CrystalCraftB() {
    MeshBuilder m;
    m.Material(Mat("Band", crystal::kLilac, 0.3f));
    m.Ring(kIdentity.TurnedY(kPi / 6),
           {{1.2f, -0.12f}, {1.6f, -0.12f}, {1.6f, 0.24f}, {1.2f, 0.24f}}, 3);
    m.Material(Mat("Plate", crystal::kIndigo, 0.25f));
    m.Slab(kIdentity.TurnedY(kPi / 6), RegularPolygon(3, 1.3f, 1.3f), -0.2f, 0.05f, 0.2f);
    m.Material(Mat("Crystals", crystal::kViolet, 0.32f));
    for (int k = 0; k < 3; ++k) {
        Frame f = kIdentity.TurnedY(-kPi / 2 + k * 2 * kPi / 3);
        m.Gem(Frame{f.Point({1.45f, 0, 0}), f.ax, f.ay, f.az}, 1.05f, 0.52f, 0.7f, 0.25f, 4);
    }
    m.Material(Mat("Facets", crystal::kIndigo, 0.2f));
    for (int k = 0; k < 3; ++k) {
        m.Gem(kIdentity.TurnedY(kPi / 2 + k * 2 * kPi / 3), 1.0f, 0.3f, 0.3f, 0.2f, 4);
    }
    m.Material(Glow("Core", crystal::kRose));
    m.Lathe(kIdentity, Sphere(0.6f, 6), 8, true);
    m.Material(Glow("Tips", crystal::kIce));
    for (int k = 0; k < 3; ++k) {
        float a = -kPi / 2 + k * 2 * kPi / 3;
        m.Gem(Frame::At({2.45f * std::cos(a), 0.1f, -2.45f * std::sin(a)}), 0.18f, 0.18f, 0.2f,
              0.05f, 4, -a);
    }
    return m;
}

// A geode: a star of dark rock grown over with crystals, the tallest in the
// middle and two fangs pointing down the screen.
MeshBuilder CrystalCraftC() {
    MeshBuilder m;
    m.Material(Mat("Rock", crystal::kIndigo, 0.22f));
    m.Slab(kIdentity, Star(6, 2.3f, 1.35f), -0.35f, 0.2f, 0.35f);
    m.Material(Mat("Fangs", crystal::kLilac, 0.3f));
    for (float s : {-1.0f, 1.0f}) {
        m.Gem(Frame::At({0.55f * s, 0.05f, -1.9f}).TurnedY(0.3f * s), 0.28f, 0.95f, 0.35f, 0.1f, 4,
              kPi / 2);
    }
    m.Material(Mat("Crystals", crystal::kViolet, 0.32f));
    for (int k = 0; k < 6; ++k) {
        float a = kPi / 2 + k * kPi / 3 + kPi / 6;
        m.Gem(Frame::At({1.25f * std::cos(a), 0.15f, 1.25f * std::sin(a)}), 0.42f, 0.42f,
              0.75f + 0.2f * (k % 2), 0.1f, 5, a);
    }
    m.Material(Mat("Points", crystal::kIce, 0.4f));
    for (int k = 0; k < 6; ++k) {
        float a = kPi / 2 + k * kPi / 3;
        m.Gem(Frame::At({1.95f * std::cos(a), 0.15f, 1.95f * std::sin(a)}), 0.26f, 0.26f, 0.45f,
              0.05f, 4, a);
    }
    m.Material(Glow("Heart", crystal::kWhite));
    m.Gem(Frame::At({0, 0.2f, 0}), 0.75f, 0.75f, 1.2f, 0.1f, 6, kPi / 6);
    return m;
}

// The crystal rose: two whorls of petals in a hexagonal ice band round a
// rose core, six lights at the band's corners.
MeshBuilder CrystalMidBoss() {
    MeshBuilder m;
    m.Material(Mat("Band", crystal::kIce, 0.35f));
    m.Ring(kIdentity, {{2.2f, -0.1f}, {2.5f, -0.1f}, {2.5f, 0.2f}, {2.2f, 0.2f}}, 6);
    m.Material(Mat("Outer", crystal::kLilac, 0.3f));
    for (int k = 0; k < 6; ++k) {
        Frame f = kIdentity.TurnedY(kPi / 6 + k * kPi / 3);
        m.Gem(Frame{f.Point({1.6f, 0, 0}), f.ax, f.ay, f.az}, 1.05f, 0.5f, 0.5f, 0.2f, 4);
    }
    m.Material(Mat("Inner", crystal::kViolet, 0.34f));
    for (int k = 0; k < 6; ++k) {
        Frame f = kIdentity.TurnedY(k * kPi / 3);
        m.Gem(Frame{f.Point({1.0f, 0.2f, 0}), f.ax, f.ay, f.az}, 0.8f, 0.4f, 0.55f, 0.1f, 4);
    }
    m.Material(Mat("Base", crystal::kIndigo, 0.22f));
    m.Slab(kIdentity, RegularPolygon(12, 1.0f, 1.0f), -0.4f, 0.4f, 0.3f);
    m.Material(Glow("Lights", crystal::kIce));
    for (int k = 0; k < 6; ++k) {
        float a = k * kPi / 3;
        m.Gem(Frame::At({2.35f * std::cos(a), 0.2f, 2.35f * std::sin(a)}), 0.25f, 0.25f, 0.35f,
              0.1f, 4, a);
    }
    m.Material(Glow("Core", crystal::kRose));
    m.Gem(Frame::At({0, 0.4f, 0}), 0.6f, 0.6f, 0.9f, 0.05f, 6);
    return m;
}

// The crystal throne: an eight-pointed star of dark rock under a violet star,
// eight lilac spires, an octagonal band and a great white crystal at its heart.
MeshBuilder CrystalBoss() {
    MeshBuilder m;
    m.Material(Mat("Rock", crystal::kIndigo, 0.26f));
    m.Slab(kIdentity, Star(8, 2.9f, 1.85f), -0.5f, 0.2f, 0.25f);
    m.Material(Glow("Blades", crystal::kViolet));
    for (int k = 0; k < 8; ++k) {
        m.Flat(kIdentity.TurnedY(kPi / 2 + kPi / 8 + k * kPi / 4),
               {{1.6f, 0.12f}, {2.75f, 0}, {1.6f, -0.12f}}, 0.25f);
    }
    m.Material(Mat("Star", crystal::kViolet, 0.32f));
    m.Slab(kIdentity, Star(8, 2.1f, 1.45f, kPi / 2 + kPi / 8), 0.15f, 0.45f, 0.3f);
    m.Material(Mat("Spires", crystal::kLilac, 0.34f));
    for (int k = 0; k < 8; ++k) {
        float a = kPi / 2 + k * kPi / 4;
        m.Gem(Frame::At({2.35f * std::cos(a), 0.1f, 2.35f * std::sin(a)}), 0.34f, 0.34f, 1.15f,
              0.2f, 6, a);
    }
    m.Material(Mat("Lesser", crystal::kViolet, 0.34f));
    for (int k = 0; k < 8; ++k) {
        float a = kPi / 2 + kPi / 8 + k * kPi / 4;
        m.Gem(Frame::At({1.95f * std::cos(a), 0.35f, 1.95f * std::sin(a)}), 0.24f, 0.24f, 0.7f,
              0.1f, 4, a);
    }
    m.Material(Mat("Band", crystal::kIce, 0.4f));
    m.Ring(kIdentity.TurnedY(kPi / 8), {{1.3f, 0.4f}, {1.55f, 0.4f}, {1.5f, 0.7f}, {1.3f, 0.7f}},
           8);
    m.Material(Glow("Crown", crystal::kIce));
    for (int k = 0; k < 8; ++k) {
        float a = kPi / 2 + kPi / 8 + k * kPi / 4;
        m.Gem(Frame::At({1.05f * std::cos(a), 0.45f, 1.05f * std::sin(a)}), 0.2f, 0.2f, 0.55f,
              0.05f, 4, a);
    }
    m.Material(Glow("Aura", crystal::kRose));
    m.Lathe(Frame::At({0, 0.45f, 0}), {{0.95f, 0}, {0.9f, 0.12f}, {0, 0.2f}}, 16, false);
    m.Material(Glow("Heart", crystal::kWhite));
    m.Gem(Frame::At({0, 0.5f, 0}), 0.8f, 0.8f, 1.6f, 0.05f, 8, kPi / 8);
    return m;
}

struct StageModel {
    const char* stage;
    const char* name;
    MeshBuilder (*build)();
};

const StageModel kStageModels[] = {
    {"stage2", "craft_a", SkyCraftA},      {"stage2", "craft_b", SkyCraftB},
    {"stage2", "craft_c", SkyCraftC},      {"stage2", "midboss", SkyMidBoss},
    {"stage2", "boss", SkyBoss},           {"stage3", "craft_a", FoundryCraftA},
    {"stage3", "craft_b", FoundryCraftB},  {"stage3", "craft_c", FoundryCraftC},
    {"stage3", "midboss", FoundryMidBoss}, {"stage3", "boss", FoundryBoss},
    {"stage4", "craft_a", CrystalCraftA},  {"stage4", "craft_b", CrystalCraftB},
    {"stage4", "craft_c", CrystalCraftC},  {"stage4", "midboss", CrystalMidBoss},
    {"stage4", "boss", CrystalBoss},
};

}  // namespace

bool WriteStageModels(const std::filesystem::path& root) {
    for (const StageModel& model : kStageModels) {
        const std::filesystem::path dir = root / model.stage;
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (error) return false;
        std::ofstream out(dir / (std::string(model.name) + ".x"), std::ios::binary);
        out << model.build().ToX(model.name);
        if (!out) {
            std::fprintf(stderr, "mkmedia: could not write %s/%s.x\n", model.stage, model.name);
            return false;
        }
    }
    return true;
}

}  // namespace mkmedia
