#pragma once
// Models as the game loads them: text DirectX .x files with per-face
// materials. Geometry is built from a few primitives; every triangle is wound
// clockwise as seen from the side its normal points to (the classic front
// face), decided from the normal the primitive intends, never by hand.
#include <string>
#include <vector>

#include "Image.h"

namespace mkmedia {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Normalize(Vec3 v);

// Places a part: local (x, y, z) goes to origin + x * ax + y * ay + z * az.
struct Frame {
    Vec3 origin{}, ax{1, 0, 0}, ay{0, 1, 0}, az{0, 0, 1};
    Vec3 Point(Vec3 p) const { return origin + ax * p.x + ay * p.y + az * p.z; }
    Vec3 Normal(Vec3 n) const;  // inverse transpose, normalised
    static Frame At(Vec3 origin, float scale = 1) {
        return {origin, {scale, 0, 0}, {0, scale, 0}, {0, 0, scale}};
    }
    // Turned about the y axis by the angle in radians (x toward z).
    Frame TurnedY(float radians) const;
    Frame TurnedX(float radians) const;  // y toward z
    Frame TurnedZ(float radians) const;  // x toward y
    Frame Scaled(Vec3 s) const { return {origin, ax * s.x, ay * s.y, az * s.z}; }
};

struct XMaterial {
    std::string name;
    Color diffuse{1, 1, 1, 1};
    Vec3 emissive{};
    float power = 8;
    Vec3 specular{};
    std::string texture;  // beside the model; empty for none
};

struct Point2 {
    float x, z;
};

class MeshBuilder {
public:
    // Returns the material's index; faces added next use it.
    int Material(const XMaterial& m);
    void Use(int material) { current = material; }

    // One flat triangle facing along `facing` (only its side matters).
    void Triangle(Vec3 a, Vec3 b, Vec3 c, Vec3 facing);
    void Quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 facing);
    // One smooth triangle with vertex normals (and texture coordinates).
    void SmoothTriangle(const Vec3 p[3], const Vec3 n[3], const float uv[3][2] = nullptr);

    // A flat polygon in the frame's x-z plane at height y, facing +y (or -y).
    void Flat(const Frame& f, const std::vector<Point2>& outline, float y, bool up = true);
    // A slab: the outline extruded from y0 to y1 with its top face shrunk by
    // `bevel` (0..1) toward its centre, so the rim catches the light.
    void Slab(const Frame& f, const std::vector<Point2>& outline, float y0, float y1,
              float bevel = 0);
    // A solid of revolution about the frame's y axis from a profile of
    // (radius, height) pairs, bottom to top; radius 0 closes an end.
    void Lathe(const Frame& f, const std::vector<Point2>& profile, int sides, bool smooth,
               float startAngle = 0);
    // A closed profile (radius, height) revolved into a ring about the y axis.
    void Ring(const Frame& f, const std::vector<Point2>& loop, int sides);
    // An eight-faced gem: widths along x and z, heights up and down from the middle.
    void Gem(const Frame& f, float rx, float rz, float up, float down, int sides = 4,
             float startAngle = 0);

    // The text .x file.
    std::string ToX(const std::string& meshName) const;

private:
    struct Vertex {
        Vec3 p, n;
        float u = 0, v = 0;
    };
    struct Face {
        Vertex v[3];
        int material;
    };
    std::vector<XMaterial> materials;
    std::vector<Face> faces;
    int current = 0;
};

// Outline helpers in the x-z plane.
std::vector<Point2> RegularPolygon(int sides, float rx, float rz, float startAngle = 0);
// Splits any simple polygon into triangles (indices into it).
std::vector<int> TriangulatePolygon(const std::vector<Point2>& outline);

}  // namespace mkmedia
