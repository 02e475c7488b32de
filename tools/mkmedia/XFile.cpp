#include "XFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace mkmedia {

namespace {
constexpr float kTwoPi = 6.28318530717959f;

float SignedArea(const std::vector<Point2>& p) {
    float a = 0;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++)
        a += p[j].x * p[i].z - p[i].x * p[j].z;
    return a / 2;
}

// Outward normal of the edge a-b of an outline with the given orientation.
Point2 EdgeNormal(Point2 a, Point2 b, bool counterClockwise) {
    float dx = b.x - a.x, dz = b.z - a.z;
    return counterClockwise ? Point2{dz, -dx} : Point2{-dz, dx};
}

std::string Number(float v) {
    if (std::fabs(v) < 5e-7f) v = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}
// "x; y; z;"
std::string Triple(float x, float y, float z) {
    std::string s = Number(x);
    s.append("; ").append(Number(y)).append("; ").append(Number(z)).append(";");
    return s;
}
}  // namespace

Vec3 Normalize(Vec3 v) {
    float l = std::sqrt(Dot(v, v));
    return l > 0 ? v * (1 / l) : v;
}

Vec3 Frame::Normal(Vec3 n) const {
    float det = Dot(ax, Cross(ay, az));
    Vec3 r = Cross(ay, az) * n.x + Cross(az, ax) * n.y + Cross(ax, ay) * n.z;
    return Normalize(det < 0 ? r * -1 : r);
}

Frame Frame::TurnedY(float a) const {
    float c = std::cos(a), s = std::sin(a);
    return {origin, ax * c + az * s, ay, az * c - ax * s};
}

Frame Frame::TurnedX(float a) const {
    float c = std::cos(a), s = std::sin(a);
    return {origin, ax, ay * c + az * s, az * c - ay * s};
}

Frame Frame::TurnedZ(float a) const {
    float c = std::cos(a), s = std::sin(a);
    return {origin, ax * c + ay * s, ay * c - ax * s, az};
}

int MeshBuilder::Material(const XMaterial& m) {
    materials.push_back(m);
    current = static_cast<int>(materials.size()) - 1;
    return current;
}

void MeshBuilder::Triangle(Vec3 a, Vec3 b, Vec3 c, Vec3 facing) {
    Vec3 n = Cross(b - a, c - a);
    if (Dot(n, n) < 1e-14f) return;
    if (Dot(n, facing) < 0) {
        std::swap(b, c);
        n = n * -1;
    }
    n = Normalize(n);
    faces.push_back({{{a, n}, {b, n}, {c, n}}, current});
}

void MeshBuilder::Quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 facing) {
    Triangle(a, b, c, facing);
    Triangle(a, c, d, facing);
}

void MeshBuilder::SmoothTriangle(const Vec3 p[3], const Vec3 n[3], const float uv[3][2]) {
    Vec3 g = Cross(p[1] - p[0], p[2] - p[0]);
    if (Dot(g, g) < 1e-14f) return;
    Face f;
    f.material = current;
    for (int i = 0; i < 3; ++i) {
        f.v[i] = {p[i], Normalize(n[i]), uv ? uv[i][0] : 0, uv ? uv[i][1] : 0};
    }
    if (Dot(g, n[0] + n[1] + n[2]) < 0) std::swap(f.v[1], f.v[2]);
    faces.push_back(f);
}

void MeshBuilder::Flat(const Frame& f, const std::vector<Point2>& outline, float y, bool up) {
    std::vector<int> tris = TriangulatePolygon(outline);
    Vec3 facing = f.Normal({0, up ? 1.0f : -1.0f, 0});
    for (size_t i = 0; i + 2 < tris.size(); i += 3) {
        auto at = [&](int k) { return f.Point({outline[k].x, y, outline[k].z}); };
        Triangle(at(tris[i]), at(tris[i + 1]), at(tris[i + 2]), facing);
    }
}

void MeshBuilder::Slab(const Frame& f, const std::vector<Point2>& outline, float y0, float y1,
                       float bevel) {
    bool ccw = SignedArea(outline) > 0;
    Point2 c{0, 0};
    for (const Point2& p : outline)
        c = {c.x + p.x / outline.size(), c.z + p.z / outline.size()};
    std::vector<Point2> top = outline;
    for (Point2& p : top)
        p = {c.x + (p.x - c.x) * (1 - bevel), c.z + (p.z - c.z) * (1 - bevel)};
    float rim = bevel > 0 ? y0 + (y1 - y0) * 0.45f : y1;
    Flat(f, outline, y0, false);
    Flat(f, top, y1, true);
    size_t n = outline.size();
    for (size_t i = 0; i < n; ++i) {
        Point2 a = outline[i], b = outline[(i + 1) % n];
        Point2 e = EdgeNormal(a, b, ccw);
        Quad(f.Point({a.x, y0, a.z}), f.Point({b.x, y0, b.z}), f.Point({b.x, rim, b.z}),
             f.Point({a.x, rim, a.z}), f.Normal({e.x, 0, e.z}));
        if (bevel > 0) {
            Point2 ta = top[i], tb = top[(i + 1) % n];
            Vec3 out = Normalize({e.x, 0, e.z});
            Quad(f.Point({a.x, rim, a.z}), f.Point({b.x, rim, b.z}), f.Point({tb.x, y1, tb.z}),
                 f.Point({ta.x, y1, ta.z}), f.Normal({out.x, 0.5f, out.z}));
        }
    }
}

void MeshBuilder::Lathe(const Frame& f, const std::vector<Point2>& profile, int sides, bool smooth,
                        float startAngle) {
    // Outward normals of the profile's segments in the (radius, height) plane.
    std::vector<Point2> seg, vert(profile.size());
    for (size_t j = 0; j + 1 < profile.size(); ++j) {
        float dr = profile[j + 1].x - profile[j].x, dy = profile[j + 1].z - profile[j].z;
        float l = std::hypot(dr, dy);
        seg.push_back({dy / l, -dr / l});
    }
    for (size_t j = 0; j < profile.size(); ++j) {
        Point2 a = j > 0 ? seg[j - 1] : seg[j], b = j < seg.size() ? seg[j] : seg[j - 1];
        vert[j] = {a.x + b.x, a.z + b.z};
    }
    auto point = [&](size_t j, float a) {
        return f.Point({profile[j].x * std::cos(a), profile[j].z, profile[j].x * std::sin(a)});
    };
    for (size_t j = 0; j + 1 < profile.size(); ++j) {
        for (int k = 0; k < sides; ++k) {
            float a0 = startAngle + kTwoPi * k / sides, a1 = startAngle + kTwoPi * (k + 1) / sides;
            Vec3 p00 = point(j, a0), p01 = point(j, a1), p10 = point(j + 1, a0),
                 p11 = point(j + 1, a1);
            if (!smooth) {
                float am = (a0 + a1) / 2;
                Quad(p00, p01, p11, p10,
                     f.Normal({seg[j].x * std::cos(am), seg[j].z, seg[j].x * std::sin(am)}));
                continue;
            }
            auto normal = [&](size_t i, float a) {
                return f.Normal({vert[i].x * std::cos(a), vert[i].z, vert[i].x * std::sin(a)});
            };
            Vec3 n00 = normal(j, a0), n01 = normal(j, a1), n10 = normal(j + 1, a0),
                 n11 = normal(j + 1, a1);
            const Vec3 t1[3] = {p00, p01, p11}, m1[3] = {n00, n01, n11};
            const Vec3 t2[3] = {p00, p11, p10}, m2[3] = {n00, n11, n10};
            SmoothTriangle(t1, m1);
            SmoothTriangle(t2, m2);
        }
    }
}

void MeshBuilder::Ring(const Frame& f, const std::vector<Point2>& loop, int sides) {
    bool ccw = SignedArea(loop) > 0;
    size_t n = loop.size();
    for (size_t j = 0; j < n; ++j) {
        Point2 a = loop[j], b = loop[(j + 1) % n];
        Point2 e = EdgeNormal(a, b, ccw);
        for (int k = 0; k < sides; ++k) {
            float a0 = kTwoPi * k / sides, a1 = kTwoPi * (k + 1) / sides, am = (a0 + a1) / 2;
            auto at = [&](Point2 p, float ang) {
                return f.Point({p.x * std::cos(ang), p.z, p.x * std::sin(ang)});
            };
            Quad(at(a, a0), at(a, a1), at(b, a1), at(b, a0),
                 f.Normal({e.x * std::cos(am), e.z, e.x * std::sin(am)}));
        }
    }
}

void MeshBuilder::Gem(const Frame& f, float rx, float rz, float up, float down, int sides,
                      float startAngle) {
    std::vector<Point2> eq = RegularPolygon(sides, rx, rz, startAngle);
    Vec3 top = f.Point({0, up, 0}), bottom = f.Point({0, -down, 0});
    for (int k = 0; k < sides; ++k) {
        Point2 a = eq[k], b = eq[(k + 1) % sides];
        Vec3 pa = f.Point({a.x, 0, a.z}), pb = f.Point({b.x, 0, b.z});
        Vec3 out = f.Normal({(a.x + b.x) / 2, 0, (a.z + b.z) / 2});
        Triangle(top, pa, pb, out + f.Normal({0, 0.3f, 0}));
        Triangle(bottom, pa, pb, out + f.Normal({0, -0.3f, 0}));
    }
}

std::string MeshBuilder::ToX(const std::string& meshName) const {
    bool textured = false;
    for (const XMaterial& m : materials)
        textured = textured || !m.texture.empty();
    // Shared vertices where position, normal and texture coordinates agree.
    std::map<std::string, int> index;
    std::vector<std::string> positions, normals, uvs;
    std::vector<int> faceIndex;
    for (const Face& f : faces) {
        for (const Vertex& v : f.v) {
            std::string p = Triple(v.p.x, v.p.y, v.p.z);
            std::string n = Triple(v.n.x, v.n.y, v.n.z);
            std::string t = Number(v.u);
            t.append("; ").append(Number(v.v)).append(";");
            auto [it, added] = index.emplace(p + n + t, static_cast<int>(positions.size()));
            if (added) {
                positions.push_back(p);
                normals.push_back(n);
                uvs.push_back(t);
            }
            faceIndex.push_back(it->second);
        }
    }
    std::string out;
    auto line = [&out](const auto&... parts) {
        (out.append(parts), ...);
        out.append("\n");
    };
    auto list = [&](const std::vector<std::string>& items) {
        line(" ", std::to_string(items.size()), ";");
        for (size_t i = 0; i < items.size(); ++i) {
            line(" ", items[i], i + 1 < items.size() ? "," : ";");
        }
    };
    std::vector<std::string> tris;
    for (size_t i = 0; i < faceIndex.size(); i += 3) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "3; %d, %d, %d;", faceIndex[i], faceIndex[i + 1],
                      faceIndex[i + 2]);
        tris.emplace_back(buf);
    }
    line("xof 0303txt 0032");
    line("");
    line("Mesh ", meshName, " {");
    list(positions);
    list(tris);
    line(" MeshNormals {");
    list(normals);
    list(tris);
    line(" }");
    if (textured) {
        line(" MeshTextureCoords {");
        list(uvs);
        line(" }");
    }
    line(" MeshMaterialList {");
    line(" ", std::to_string(materials.size()), ";");
    line(" ", std::to_string(faces.size()), ";");
    for (size_t i = 0; i < faces.size(); ++i) {
        line(" ", std::to_string(faces[i].material), i + 1 < faces.size() ? "," : ";;");
    }
    for (const XMaterial& m : materials) {
        const Color& d = m.diffuse;
        line(" Material ", m.name, " {");
        std::string diffuse = Triple(d.r, d.g, d.b);
        diffuse.append(" ").append(Number(d.a)).append(";;");
        line("  ", diffuse);
        line("  ", Number(m.power), ";");
        line("  ", Triple(m.specular.x, m.specular.y, m.specular.z), ";");
        line("  ", Triple(m.emissive.x, m.emissive.y, m.emissive.z), ";");
        if (!m.texture.empty()) {
            line("  TextureFilename {");
            line("   \"", m.texture, "\";");
            line("  }");
        }
        line(" }");
    }
    line(" }");
    line("}");
    return out;
}

std::vector<Point2> RegularPolygon(int sides, float rx, float rz, float startAngle) {
    std::vector<Point2> p;
    for (int k = 0; k < sides; ++k) {
        float a = startAngle + kTwoPi * k / sides;
        p.push_back({rx * std::cos(a), rz * std::sin(a)});
    }
    return p;
}

std::vector<int> TriangulatePolygon(const std::vector<Point2>& outline) {
    std::vector<int> idx(outline.size()), out;
    for (size_t i = 0; i < idx.size(); ++i)
        idx[i] = static_cast<int>(i);
    if (SignedArea(outline) < 0) std::reverse(idx.begin(), idx.end());
    auto cross = [&](int a, int b, int c) {
        const Point2 &p = outline[a], &q = outline[b], &r = outline[c];
        return (q.x - p.x) * (r.z - p.z) - (q.z - p.z) * (r.x - p.x);
    };
    while (idx.size() > 3) {
        bool clipped = false;
        for (size_t i = 0; i < idx.size() && !clipped; ++i) {
            int a = idx[(i + idx.size() - 1) % idx.size()], b = idx[i],
                c = idx[(i + 1) % idx.size()];
            if (cross(a, b, c) <= 0) continue;  // reflex corner
            bool empty = true;
            for (int k : idx) {
                if (k == a || k == b || k == c) continue;
                if (cross(a, b, k) >= 0 && cross(b, c, k) >= 0 && cross(c, a, k) >= 0)
                    empty = false;
            }
            if (!empty) continue;
            out.insert(out.end(), {a, b, c});
            idx.erase(idx.begin() + static_cast<long>(i));
            clipped = true;
        }
        if (!clipped) break;  // degenerate outline: give up on the rest
    }
    if (idx.size() == 3) out.insert(out.end(), {idx[0], idx[1], idx[2]});
    return out;
}

}  // namespace mkmedia
