#include "graphics/XFileCheck.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

#include "graphics/XFileInflate.h"
#include "graphics/XFileReader.h"

namespace {

using xfile::Reader;

// Every frame level is a recursion in the importer and in its post-processing.
constexpr int kMaxFrameDepth = 200;
// Triangulating a polygon costs the square of its corners or worse.
constexpr uint32_t kMaxCorners = 256;
// The importer keeps this many texture coordinate and colour sets per mesh.
constexpr int kMaxSets = 8;

// Walks the objects in the importer's order and checks each against what the
// importer and its conversion will do with it.
class Checker {
public:
    explicit Checker(Reader& reader) : r(reader) {}

    bool File() {
        for (;;) {
            std::string_view t = r.Token();
            if (t.empty() || r.Failed()) return !r.Failed();
            bool ok = true;
            if (t == "template") {
                ok = Template();
            } else if (t == "Frame") {
                ok = Frame(1);
            } else if (t == "Mesh") {
                ok = Mesh();
            } else if (t == "AnimTicksPerSecond") {
                uint32_t ticks = 0;
                ok = r.Head() && r.Int(ticks) && r.CloseBrace();
            } else if (t == "AnimationSet") {
                ok = AnimationSet();
            } else if (t == "Material") {
                ok = Material();
            } else if (t != "}") {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

private:
    bool Template() {
        if (!r.Head()) return false;
        r.Token();  // the id
        for (;;) {
            std::string_view t = r.Token();
            if (t == "}") return true;
            if (t.empty()) return r.Fail("a template is not closed");
        }
    }

    // Skipped by the importer: everything up to the first '{', then to its '}'.
    bool Unknown() {
        std::string_view t;
        do {
            t = r.Token();
            if (t.empty()) return r.Fail("an object is not closed");
        } while (t != "{");
        for (int depth = 1; depth > 0;) {
            t = r.Token();
            if (t.empty()) return r.Fail("an object is not closed");
            if (t == "{") ++depth;
            if (t == "}") --depth;
        }
        return true;
    }

    bool Frame(int depth) {
        if (depth > kMaxFrameDepth) return r.Fail("frames nested too deep");
        if (!r.Head()) return false;
        for (;;) {
            std::string_view t = r.Token();
            if (t.empty()) return r.Fail("a frame is not closed");
            bool ok = true;
            if (t == "}") return true;
            if (t == "Frame") {
                ok = Frame(depth + 1);
            } else if (t == "FrameTransformMatrix") {
                ok = r.Head() && r.Floats(16) && r.Semicolon() && r.CloseBrace();
            } else if (t == "Mesh") {
                ok = Mesh();
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    struct MeshInfo {
        uint32_t vertices = 0;
        std::vector<uint32_t> corners;  // per face
        int textureSets = 0, colorSets = 0;
        bool materialList = false;
    };

    bool Mesh() {
        MeshInfo mesh;
        uint32_t faces = 0;
        if (!r.Head() || !r.Int(mesh.vertices)) return false;
        for (uint32_t v = 0; v < mesh.vertices; ++v) {
            if (!r.Group(3)) return false;
        }
        if (!r.Int(faces)) return false;
        for (uint32_t f = 0; f < faces; ++f) {
            uint32_t corners = 0, index = 0;
            if (!r.Int(corners)) return false;
            if (corners < 3) return r.Fail("a face with fewer than three corners");
            if (corners > kMaxCorners) return r.Fail("a face with too many corners");
            for (uint32_t c = 0; c < corners; ++c) {
                if (!r.Int(index)) return false;
                if (index >= mesh.vertices) return r.Fail("a face index out of range");
            }
            r.TestForSeparator();
            mesh.corners.push_back(corners);
        }
        for (;;) {
            std::string_view t = r.Token();
            if (t.empty()) return r.Fail("a mesh is not closed");
            bool ok = true;
            if (t == "}") return true;
            if (t == "MeshNormals") {
                ok = Normals(mesh);
            } else if (t == "MeshTextureCoords") {
                ok = TextureCoords(mesh);
            } else if (t == "MeshVertexColors") {
                ok = VertexColors(mesh);
            } else if (t == "MeshMaterialList") {
                ok = MaterialList(mesh);
            } else if (t == "XSkinMeshHeader") {
                uint32_t n = 0;
                ok = r.Head() && r.Int(n) && r.Int(n) && r.Int(n) && r.CloseBrace();
            } else if (t == "SkinWeights") {
                ok = SkinWeights(mesh);
            } else {
                ok = Unknown();  // VertexDuplicationIndices, FVFData, DeclData, EffectInstance...
            }
            if (!ok) return false;
        }
    }

    bool Normals(const MeshInfo& mesh) {
        uint32_t normals = 0, faces = 0;
        if (!r.Head() || !r.Int(normals)) return false;
        for (uint32_t n = 0; n < normals; ++n) {
            if (!r.Group(3)) return false;
        }
        if (!r.Int(faces)) return false;
        if (faces != mesh.corners.size()) return r.Fail("normals for another face count");
        for (uint32_t f = 0; f < faces; ++f) {
            uint32_t corners = 0, index = 0;
            if (!r.Int(corners)) return false;
            if (corners != mesh.corners[f]) return r.Fail("a normal face of another size");
            for (uint32_t c = 0; c < corners; ++c) {
                if (!r.Int(index)) return false;
                if (index >= normals) return r.Fail("a normal index out of range");
            }
            r.TestForSeparator();
        }
        return r.CloseBrace();
    }

    bool TextureCoords(MeshInfo& mesh) {
        uint32_t count = 0;
        if (!r.Head()) return false;
        if (++mesh.textureSets > kMaxSets) return r.Fail("too many texture coordinate sets");
        if (!r.Int(count)) return false;
        if (count != mesh.vertices) return r.Fail("texture coordinates for another vertex count");
        for (uint32_t k = 0; k < count; ++k) {
            if (!r.Group(2)) return false;
        }
        return r.CloseBrace();
    }

    bool VertexColors(MeshInfo& mesh) {
        uint32_t count = 0, index = 0;
        if (!r.Head()) return false;
        if (++mesh.colorSets > kMaxSets) return r.Fail("too many vertex colour sets");
        if (!r.Int(count)) return false;
        if (count != mesh.vertices) return r.Fail("vertex colours for another vertex count");
        for (uint32_t k = 0; k < count; ++k) {
            if (!r.Int(index)) return false;
            if (index >= mesh.vertices) return r.Fail("a vertex colour index out of range");
            if (!r.Group(4)) return false;
            r.TestForSeparator();
        }
        return r.CloseBrace();
    }

    bool MaterialList(MeshInfo& mesh) {
        // A second list would add a second set of face materials past the faces.
        if (mesh.materialList) return r.Fail("a mesh with two material lists");
        mesh.materialList = true;
        uint32_t declared = 0, indices = 0, index = 0, highest = 0;
        if (!r.Head() || !r.Int(declared) || !r.Int(indices)) return false;
        uint64_t faces = mesh.corners.size();
        if (indices != faces && !(indices == 1 && faces > 0))
            return r.Fail("material indices for another face count");
        for (uint32_t k = 0; k < indices; ++k) {
            if (!r.Int(index)) return false;
            highest = std::max(highest, index);
        }
        r.SkipSemicolonHere();
        uint32_t found = 0;
        for (;;) {
            std::string_view t = r.Token();
            if (t.empty()) return r.Fail("a material list is not closed");
            bool ok = true;
            if (t == "}") break;
            if (t == "{") {  // { name }: a material defined earlier
                std::string_view name = r.Token();
                ok = r.CloseBrace();
                if (ok && !materialNames.count(std::string(name)))
                    return r.Fail("a material list names an unknown material");
                ++found;
            } else if (t == "Material") {
                ok = Material();
                ++found;
            } else if (t != ";") {
                ok = Unknown();
            }
            if (!ok) return false;
        }
        if (found != declared) return r.Fail("a material list with the wrong number of materials");
        if (indices > 0 && highest >= found) return r.Fail("a material index out of range");
        return true;
    }

    bool Material() {
        std::string_view name, texture;
        if (!r.Head(&name) || !r.Group(4) || !r.Floats(1) || !r.Group(3) || !r.Group(3))
            return false;
        if (!name.empty()) materialNames.insert(std::string(name));
        for (;;) {
            std::string_view t = r.Token();
            if (t.empty()) return r.Fail("a material is not closed");
            bool ok = true;
            if (t == "}") return true;
            if (t == "TextureFilename" || t == "TextureFileName" || t == "NormalmapFilename" ||
                t == "NormalmapFileName") {
                ok = r.Head() && r.String(texture) && r.CloseBrace();
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    bool SkinWeights(const MeshInfo& mesh) {
        std::string_view bone;
        uint32_t weights = 0, index = 0;
        if (!r.Head() || !r.String(bone) || !r.Int(weights)) return false;
        for (uint32_t w = 0; w < weights; ++w) {
            if (!r.Int(index)) return false;
            if (index >= mesh.vertices) return r.Fail("a skin weight for a vertex out of range");
        }
        return r.Floats(weights) && r.Floats(16) && r.Semicolon() && r.CloseBrace();
    }

    bool AnimationSet() {
        if (!r.Head()) return false;
        for (;;) {
            std::string_view t = r.Token();
            if (t.empty()) return r.Fail("an animation set is not closed");
            if (t == "}") return true;
            if (!(t == "Animation" ? Animation() : Unknown())) return false;
        }
    }

    bool Animation() {
        if (!r.Head()) return false;
        for (;;) {
            std::string_view t = r.Token();
            if (t.empty()) return r.Fail("an animation is not closed");
            bool ok = true;
            if (t == "}") return true;
            if (t == "AnimationKey") {
                ok = AnimationKey();
            } else if (t == "{") {  // { frame name }
                r.Token();
                ok = r.CloseBrace();
            } else {
                ok = Unknown();  // AnimationOptions and others
            }
            if (!ok) return false;
        }
    }

    bool AnimationKey() {
        uint32_t type = 0, keys = 0, time = 0, values = 0;
        if (!r.Head() || !r.Int(type) || !r.Int(keys)) return false;
        static constexpr uint32_t kValues[] = {4, 3, 3, 16, 16};
        for (uint32_t k = 0; k < keys; ++k) {
            if (!r.Int(time)) return false;
            if (type > 4) return r.Fail("an animation key of unknown type");
            if (!r.Int(values)) return false;
            if (values != kValues[type]) return r.Fail("an animation key of the wrong size");
            bool ok = type == 1 || type == 2 ? r.Group(3) : r.Floats(values) && r.Semicolon();
            if (!ok || !r.Separator()) return false;
        }
        return r.CloseBrace();
    }

    Reader& r;
    std::set<std::string> materialNames;
};

bool Fail(std::string& why, const char* reason) {
    why = reason;
    return false;
}

// A compressed file becomes the uncompressed file of the same kind. A text body
// goes on the line after the header, which the importer skips to its end.
bool Inflate(std::string& file, std::string& why) {
    std::string body;
    if (!InflateXFileBody(file, kMaxXFileBytes, body, why)) return false;
    bool text = file.compare(8, 4, "tzip") == 0;
    std::string header = file.substr(0, kXFileHeaderSize);
    header.replace(8, 4, text ? "txt " : "bin ");
    file = header + (text ? "\n" : "") + body;
    return true;
}

// Control characters other than tabs and line ends have no place in a text file.
bool HasControlCharacters(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n')
            return true;
    }
    return false;
}

}  // namespace

bool PrepareXFile(std::string& file, std::string& why) {
    if (file.starts_with("\xEF\xBB\xBF")) file.erase(0, 3);
    if (file.size() < kXFileHeaderSize || file.compare(0, 4, "xof ") != 0)
        return Fail(why, "not an .x file");
    // A copy: inflating replaces the file this would otherwise point into.
    const std::string floats = file.substr(12, 4);
    if (floats != "0032" && floats != "0064") return Fail(why, "an unknown number size");
    std::string_view format = std::string_view(file).substr(8, 4);
    if (format == "tzip" || format == "bzip") {
        if (!Inflate(file, why)) return false;
        format = std::string_view(file).substr(8, 4);
    }
    bool binary = format == "bin ";
    if (!binary && format != "txt ") return Fail(why, "an unknown .x format");
    if (!binary && HasControlCharacters(std::string_view(file).substr(kXFileHeaderSize)))
        return Fail(why, "a control character in a text file");
    Reader reader(file, binary, floats == "0064" ? 8 : 4, why);
    return Checker(reader).File() && !reader.Failed();
}
