#include "TestAssets.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include <SDL.h>
#include <SDL_image.h>

namespace {

std::string Num(float v) {
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s.setf(std::ios::fixed);
    s.precision(4);
    s << v;
    return s.str();
}

std::string MaterialBlock(const XMaterial& m) {
    std::string s = "  Material {\n   " + Num(m.r) + "; " + Num(m.g) + "; " + Num(m.b) + "; " +
                    Num(m.a) + ";;\n   0.0;\n   0.0; 0.0; 0.0;;\n   " + Num(m.er) + "; " +
                    Num(m.eg) + "; " + Num(m.eb) + ";;\n";
    if (!m.texture.empty()) s += "   TextureFilename { \"" + m.texture + "\"; }\n";
    return s + "  }\n";
}

struct Quad {
    float p[4][3];
    float n[3];
    int material;
};

// Corners in clockwise order as seen from outside, the way front faces are wound.
std::string MeshFromQuads(const std::vector<XMaterial>& materials, const std::vector<Quad>& quads) {
    std::string positions, normals, uvs, faces, normalFaces, materialIndices;
    const float uv[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
    for (size_t q = 0; q < quads.size(); ++q) {
        const char* sep = q + 1 == quads.size() ? ";" : ",";
        for (int c = 0; c < 4; ++c) {
            const char* end = (q + 1 == quads.size() && c == 3) ? ";;\n" : ";,\n";
            positions += "  " + Num(quads[q].p[c][0]) + "; " + Num(quads[q].p[c][1]) + "; " +
                         Num(quads[q].p[c][2]) + end;
            normals += "   " + Num(quads[q].n[0]) + "; " + Num(quads[q].n[1]) + "; " +
                       Num(quads[q].n[2]) + end;
            uvs += "   " + Num(uv[c][0]) + "; " + Num(uv[c][1]) + end;
        }
        int b = static_cast<int>(q) * 4;
        std::string f = "  3; " + std::to_string(b) + ", " + std::to_string(b + 1) + ", " +
                        std::to_string(b + 2) + ";,\n  3; " + std::to_string(b) + ", " +
                        std::to_string(b + 2) + ", " + std::to_string(b + 3) + ";" + sep + "\n";
        faces += f;
        normalFaces += f;
        std::string m = std::to_string(quads[q].material);
        materialIndices += "   " + m + ", " + m + (q + 1 == quads.size() ? ";\n" : ",\n");
    }
    std::string nv = std::to_string(quads.size() * 4), nf = std::to_string(quads.size() * 2);
    std::string x = "xof 0303txt 0032\nMesh {\n " + nv + ";\n" + positions + " " + nf + ";\n" +
                    faces + " MeshNormals {\n  " + nv + ";\n" + normals + "  " + nf + ";\n" +
                    normalFaces + " }\n MeshTextureCoords {\n  " + nv + ";\n" + uvs +
                    " }\n MeshMaterialList {\n  " + std::to_string(materials.size()) + ";\n  " +
                    nf + ";\n" + materialIndices;
    for (const auto& m : materials)
        x += MaterialBlock(m);
    return x + " }\n}\n";
}

}  // namespace

std::string SquaresModel(const std::vector<XMaterial>& materials,
                         const std::vector<XSquare>& squares) {
    std::vector<Quad> quads;
    for (const auto& s : squares) {
        float x0 = s.cx - s.half, x1 = s.cx + s.half, z0 = s.cz - s.half, z1 = s.cz + s.half;
        quads.push_back(
            {{{x0, 0, z0}, {x0, 0, z1}, {x1, 0, z1}, {x1, 0, z0}}, {s.nx, s.ny, s.nz}, s.material});
    }
    return MeshFromQuads(materials, quads);
}

std::string BoxModel(float hx, float hy, float hz, const XMaterial& material) {
    std::vector<Quad> q = {
        {{{-hx, hy, -hz}, {-hx, hy, hz}, {hx, hy, hz}, {hx, hy, -hz}}, {0, 1, 0}, 0},  // top
        {{{-hx, -hy, hz}, {-hx, -hy, -hz}, {hx, -hy, -hz}, {hx, -hy, hz}},
         {0, -1, 0},
         0},                                                                           // bottom
        {{{hx, -hy, hz}, {hx, hy, hz}, {-hx, hy, hz}, {-hx, -hy, hz}}, {0, 0, 1}, 0},  // +z
        {{{-hx, -hy, -hz}, {-hx, hy, -hz}, {hx, hy, -hz}, {hx, -hy, -hz}}, {0, 0, -1}, 0},  // -z
        {{{hx, -hy, -hz}, {hx, hy, -hz}, {hx, hy, hz}, {hx, -hy, hz}}, {1, 0, 0}, 0},       // +x
        {{{-hx, -hy, hz}, {-hx, hy, hz}, {-hx, hy, -hz}, {-hx, -hy, -hz}}, {-1, 0, 0}, 0},  // -x
    };
    return MeshFromQuads({material}, q);
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void WritePng(const std::filesystem::path& path, int width, int height,
              const std::vector<uint32_t>& argb) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(argb.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    IMG_SavePNG(s, path.string().c_str());
    SDL_FreeSurface(s);
}

void WriteSolidPng(const std::filesystem::path& path, int width, int height, uint32_t argb) {
    WritePng(path, width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, argb));
}
