#pragma once
// What the model builders share: their materials, palette and outlines. The
// pack's first models and every stage's own are drawn in one style from these.
#include <cmath>
#include <filesystem>
#include <vector>

#include "XFile.h"

namespace mkmedia {

// The stages' own models, written into root/stageN/ beside their stage files.
bool WriteStageModels(const std::filesystem::path& root);

namespace model_parts {

inline constexpr float kPi = 3.14159265358979f;

inline XMaterial Mat(const char* name, Color c, float glow, float alpha = 1) {
    XMaterial m;
    m.name = name;
    m.diffuse = {c.r, c.g, c.b, alpha};
    m.emissive = {c.r * glow, c.g * glow, c.b * glow};
    return m;
}

// A light-giving surface: emissive carries most of the colour, so the lit
// result stays near `target` instead of clamping to white.
inline XMaterial Glow(const char* name, Color target, float alpha = 1) {
    XMaterial m;
    m.name = name;
    m.diffuse = {target.r * 0.4f, target.g * 0.4f, target.b * 0.4f, alpha};
    m.emissive = {target.r * 0.6f, target.g * 0.6f, target.b * 0.6f};
    return m;
}

// The shared palette.
namespace pal {
inline const Color kHull{0.80f, 0.84f, 0.92f}, kTrim{0.16f, 0.40f, 0.95f},
    kCockpit{0.40f, 1.0f, 1.0f};
inline const Color kEngine{1.0f, 0.55f, 0.15f}, kSteel{0.42f, 0.43f, 0.50f},
    kDark{0.22f, 0.22f, 0.28f};
inline const Color kRed{0.88f, 0.18f, 0.12f}, kGreen{0.48f, 0.80f, 0.16f},
    kPurple{0.58f, 0.28f, 0.85f};
inline const Color kBrass{0.92f, 0.58f, 0.16f}, kTeal{0.12f, 0.72f, 0.72f},
    kMagenta{0.90f, 0.22f, 0.72f};
inline const Color kEye{1.0f, 0.90f, 0.30f}, kWhite{1, 1, 1}, kGold{1.0f, 0.80f, 0.22f};
// Enemy fire: variant 0 warm, variant 1 cold.
inline const Color kFire0{1.0f, 0.20f, 0.55f}, kFire1{0.20f, 0.75f, 1.0f};
inline const Color kFlame{1.0f, 0.55f, 0.12f};
}  // namespace pal

// A closed outline from its right half, listed from a point on the centre line
// to another one.
inline std::vector<Point2> Symmetric(std::vector<Point2> right) {
    std::vector<Point2> out = right;
    for (size_t i = right.size() - 2; i >= 1; --i)
        out.push_back({-right[i].x, right[i].z});
    return out;
}

inline std::vector<Point2> Mirrored(std::vector<Point2> p) {
    for (Point2& q : p)
        q.x = -q.x;
    return p;
}

inline std::vector<Point2> Star(int points, float outer, float inner, float start = kPi / 2) {
    std::vector<Point2> p;
    for (int k = 0; k < points * 2; ++k) {
        float r = k % 2 ? inner : outer, a = start + kPi * k / points;
        p.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return p;
}

// A flat annulus in the frame's x-z plane, facing up.
inline void FlatRing(MeshBuilder& m, const Frame& f, float inner, float outer, int sides, float y) {
    for (int k = 0; k < sides; ++k) {
        float a0 = 2 * kPi * k / sides, a1 = 2 * kPi * (k + 1) / sides;
        auto at = [&](float r, float a) { return f.Point({r * std::cos(a), y, r * std::sin(a)}); };
        m.Quad(at(inner, a0), at(outer, a0), at(outer, a1), at(inner, a1), f.Normal({0, 1, 0}));
    }
}

inline std::vector<Point2> Sphere(float r, int rings) {
    std::vector<Point2> p;
    for (int i = 0; i <= rings; ++i) {
        float a = -kPi / 2 + kPi * i / rings;
        p.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return p;
}

inline const Frame kIdentity{};

}  // namespace model_parts

}  // namespace mkmedia
