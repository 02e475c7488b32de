#include "graphics/XFileCheck.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 16;

struct Token {
    enum Kind { Word, Integer, Float, String, Guid, Open, Close, Separator } kind;
    std::string_view text;  // words
    uint64_t value = 0;     // integers
};

using Tokens = std::vector<Token>;

bool Fail(std::string& why, std::string reason) {
    why = std::move(reason);
    return false;
}

bool IsDelimiter(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';' || c == ',' || c == '{' ||
           c == '}' || c == '"' || c == '<';
}

Token Classify(std::string_view word) {
    if (word.find_first_not_of("0123456789") == std::string_view::npos) {
        uint64_t v =
            word.size() > 18 ? UINT64_MAX : std::strtoull(std::string(word).c_str(), nullptr, 10);
        return {Token::Integer, word, v};
    }
    char* end = nullptr;
    std::string s(word);
    std::strtod(s.c_str(), &end);
    if (end == s.c_str() + s.size()) return {Token::Float, word};
    return {Token::Word, word};
}

bool TokenizeText(std::string_view s, Tokens& out, std::string& why) {
    size_t i = kHeaderSize;
    while (i < s.size()) {
        char c = s[i];
        // The importer splits words at some control characters and not at others.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') {
            return Fail(why, "a control character in a text file");
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else if (c == '#' || (c == '/' && i + 1 < s.size() && s[i + 1] == '/')) {
            size_t end = s.find('\n', i);
            i = end == std::string_view::npos ? s.size() : end + 1;
        } else if (c == ';' || c == ',') {
            out.push_back({Token::Separator, s.substr(i, 1)});
            ++i;
        } else if (c == '{' || c == '}') {
            out.push_back({c == '{' ? Token::Open : Token::Close, s.substr(i, 1)});
            ++i;
        } else if (c == '"' || c == '<') {
            size_t end = s.find(c == '"' ? '"' : '>', i + 1);
            if (end == std::string_view::npos) return Fail(why, "a string or id is not closed");
            out.push_back({c == '"' ? Token::String : Token::Guid, s.substr(i + 1, end - i - 1)});
            i = end + 1;
        } else {
            size_t start = i;
            while (i < s.size() && !IsDelimiter(s[i]))
                ++i;
            out.push_back(Classify(s.substr(start, i - start)));
        }
    }
    return true;
}

// The binary format has the same tokens; lists expand into single numbers.
bool TokenizeBinary(std::string_view s, size_t floatSize, Tokens& out, std::string& why) {
    const uint64_t limit = s.size();
    size_t i = kHeaderSize;
    auto u32 = [&](size_t at) {
        uint32_t v = 0;
        std::memcpy(&v, s.data() + at, 4);
        return v;
    };
    auto need = [&](uint64_t bytes) { return i + bytes <= s.size(); };
    while (i + 2 <= s.size()) {
        uint16_t token = uint16_t(uint8_t(s[i]) | uint8_t(s[i + 1]) << 8);
        i += 2;
        if (token == 1 || token == 2) {  // name, string (a string ends in a separator token)
            if (!need(4)) return Fail(why, "cut short");
            uint64_t length = u32(i);
            if (!need(4 + length)) return Fail(why, "cut short");
            out.push_back({token == 1 ? Token::Word : Token::String, s.substr(i + 4, length)});
            i += 4 + length;
        } else if (token == 3) {
            if (!need(4)) return Fail(why, "cut short");
            out.push_back({Token::Integer, {}, u32(i)});
            i += 4;
        } else if (token == 5) {
            if (!need(16)) return Fail(why, "cut short");
            out.push_back({Token::Guid, s.substr(i, 16)});
            i += 16;
        } else if (token == 6 || token == 7) {
            if (!need(4)) return Fail(why, "cut short");
            uint64_t count = u32(i);
            uint64_t size = token == 6 ? 4 : floatSize;
            if (count > limit || !need(4 + count * size))
                return Fail(why, "a list longer than the file");
            i += 4;
            for (uint64_t k = 0; k < count; ++k, i += size) {
                if (token == 6) {
                    out.push_back({Token::Integer, {}, u32(i)});
                } else {
                    out.push_back({Token::Float, {}});
                }
            }
        } else if (token == 0x0A || token == 0x0B) {
            out.push_back({token == 0x0A ? Token::Open : Token::Close, {}});
        } else if (token == 0x13 || token == 0x14) {
            out.push_back({Token::Separator, {}});
        } else if (token == 0x1F) {
            out.push_back({Token::Word, "template"});
        } else if (token >= 0x0C && token <= 0x34) {
            out.push_back({Token::Word, "?"});  // only found in template declarations
        } else {
            return Fail(why, "not an .x token");
        }
    }
    return true;
}

// Walks the objects the importer reads and checks each against what it must hold.
class Checker {
public:
    Checker(const Tokens& tokens, uint64_t fileSize, std::string& why)
        : t(tokens), limit(fileSize), why(why) {}

    bool File() {
        while (Skip(), pos < t.size()) {
            if (IsWord("template")) {
                ++pos;
                if (!Word() || !SkipBlock()) return false;
            } else if (!Object(nullptr)) {
                return false;
            }
        }
        return true;
    }

private:
    struct MeshInfo {
        uint64_t vertices = 0;
        std::vector<uint64_t> faceSizes;
    };

    void Skip() {
        while (pos < t.size() && t[pos].kind == Token::Separator)
            ++pos;
    }
    bool IsWord(std::string_view w) const {
        return pos < t.size() && t[pos].kind == Token::Word && t[pos].text == w;
    }
    bool At(Token::Kind k) {
        Skip();
        return pos < t.size() && t[pos].kind == k;
    }
    bool Word() {
        if (!At(Token::Word)) return Fail(why, "a name is missing");
        ++pos;
        return true;
    }
    bool Int(uint64_t& v, uint64_t below = UINT64_MAX) {
        if (!At(Token::Integer)) return Fail(why, "a count or index is missing");
        v = t[pos++].value;
        if (v > limit)
            return Fail(why, "a count of " + std::to_string(v) + " in a file of " +
                                 std::to_string(limit) + " bytes");
        if (v >= below) return Fail(why, "an index out of range");
        return true;
    }
    bool Numbers(uint64_t n) {
        for (uint64_t k = 0; k < n; ++k) {
            if (!At(Token::Integer) && !At(Token::Float)) return Fail(why, "a number is missing");
            ++pos;
        }
        return true;
    }
    bool Close() {
        if (!At(Token::Close)) return Fail(why, "an object is not closed where it should be");
        ++pos;
        return true;
    }
    // Skips a block whose opening brace comes next, nested blocks and all.
    bool SkipBlock() {
        if (!At(Token::Open)) return Fail(why, "a block is missing");
        int depth = 0;
        for (; pos < t.size(); ++pos) {
            if (t[pos].kind == Token::Open) ++depth;
            if (t[pos].kind == Token::Close && --depth == 0) {
                ++pos;
                return true;
            }
        }
        return Fail(why, "a block is not closed");
    }

    // type [name] { [guid] data members }
    bool Object(MeshInfo* mesh) {
        if (!At(Token::Word)) return Fail(why, "an object is expected");
        std::string_view type = t[pos++].text;
        std::string_view name;
        if (At(Token::Word)) name = t[pos++].text;
        if (!At(Token::Open)) return Fail(why, "an object has no body");
        if (type == "Mesh" || type == "Frame" || type == "Material" || type == "TextureFilename" ||
            type == "TextureFileName" || type == "FrameTransformMatrix" ||
            (mesh && (type == "MeshNormals" || type == "MeshTextureCoords" ||
                      type == "MeshVertexColors" || type == "MeshMaterialList"))) {
            ++pos;
            if (At(Token::Guid)) ++pos;
            if (type == "Mesh") return Mesh();
            if (type == "Frame") return Members(nullptr);
            if (type == "Material") {
                if (mesh == nullptr && !name.empty()) materialNames.insert(std::string(name));
                return Numbers(11) && Members(nullptr);
            }
            if (type == "FrameTransformMatrix") return Numbers(16) && Close();
            if (type == "MeshNormals") return Normals(*mesh);
            if (type == "MeshTextureCoords") return TextureCoords(*mesh);
            if (type == "MeshVertexColors") return VertexColors(*mesh);
            if (type == "MeshMaterialList") return MaterialList(*mesh);
            if (!At(Token::String)) return Fail(why, "a texture name is missing");
            ++pos;
            return Close();
        }
        if (type == "AnimationSet" || type == "Animation" || type == "AnimationKey" ||
            type == "AnimTicksPerSecond" || type == "SkinWeights" || type == "XSkinMeshHeader" ||
            type == "MeshNormals" || type == "MeshTextureCoords" || type == "MeshVertexColors" ||
            type == "MeshMaterialList") {
            return Fail(why, std::string(type) + " is not read here");
        }
        return SkipBlock();  // the importer skips objects it does not know
    }

    // Nested objects and references up to the closing brace.
    bool Members(MeshInfo* mesh) {
        while (!At(Token::Close)) {
            if (pos >= t.size()) return Fail(why, "an object is not closed");
            if (At(Token::Open)) {
                if (!SkipBlock()) return false;
            } else if (!Object(mesh)) {
                return false;
            }
        }
        ++pos;
        return true;
    }

    bool Mesh() {
        MeshInfo mesh;
        uint64_t faces = 0;
        if (!Int(mesh.vertices) || !Numbers(3 * mesh.vertices) || !Int(faces)) return false;
        mesh.faceSizes.reserve(faces);
        for (uint64_t f = 0; f < faces; ++f) {
            uint64_t corners = 0, index = 0;
            if (!Int(corners)) return false;
            if (corners < 3) return Fail(why, "a face with fewer than three corners");
            for (uint64_t c = 0; c < corners; ++c) {
                if (!Int(index, mesh.vertices)) return false;
            }
            mesh.faceSizes.push_back(corners);
        }
        return Members(&mesh);
    }

    bool Normals(const MeshInfo& mesh) {
        uint64_t normals = 0, faces = 0, corners = 0, index = 0;
        if (!Int(normals) || !Numbers(3 * normals) || !Int(faces)) return false;
        if (faces != mesh.faceSizes.size()) return Fail(why, "normals for a different face count");
        for (uint64_t f = 0; f < faces; ++f) {
            if (!Int(corners)) return false;
            if (corners != mesh.faceSizes[f]) return Fail(why, "a normal face of another size");
            for (uint64_t c = 0; c < corners; ++c) {
                if (!Int(index, normals)) return false;
            }
        }
        return Members(nullptr);
    }

    bool TextureCoords(const MeshInfo& mesh) {
        uint64_t count = 0;
        if (!Int(count) || !Numbers(2 * count)) return false;
        if (count != mesh.vertices)
            return Fail(why, "texture coordinates for another vertex count");
        return Members(nullptr);
    }

    bool VertexColors(const MeshInfo& mesh) {
        uint64_t count = 0, index = 0;
        if (!Int(count)) return false;
        for (uint64_t k = 0; k < count; ++k) {
            if (!Int(index, mesh.vertices) || !Numbers(4)) return false;
        }
        return Members(nullptr);
    }

    bool MaterialList(const MeshInfo& mesh) {
        uint64_t materials = 0, indices = 0, index = 0;
        if (!Int(materials) || !Int(indices)) return false;
        if (indices != mesh.faceSizes.size() && indices != 1) {
            return Fail(why, "material indices for a different face count");
        }
        for (uint64_t k = 0; k < indices; ++k) {
            if (!Int(index, materials)) return false;
        }
        uint64_t found = 0;
        while (!At(Token::Close)) {
            if (pos >= t.size()) return Fail(why, "a material list is not closed");
            if (At(Token::Open)) {  // { name }: a material defined earlier in the file
                ++pos;
                if (!At(Token::Word) || !materialNames.count(std::string(t[pos].text))) {
                    return Fail(why, "a material list names an unknown material");
                }
                ++pos;
                if (!Close()) return false;
                ++found;
            } else if (IsWord("Material")) {
                if (!Object(nullptr)) return false;
                ++found;
            } else {
                return Fail(why, "a material list holds something else");
            }
        }
        ++pos;
        if (found != materials)
            return Fail(why, "a material list with the wrong number of materials");
        return true;
    }

    const Tokens& t;
    size_t pos = 0;
    uint64_t limit;
    std::string& why;
    std::set<std::string> materialNames;
};

}  // namespace

bool IsSoundXFile(std::string_view file, std::string& why) {
    if (file.size() < kHeaderSize || file.substr(0, 4) != "xof ")
        return Fail(why, "not an .x file");
    std::string_view format = file.substr(8, 4);
    Tokens tokens;
    if (format == "txt ") {
        if (!TokenizeText(file, tokens, why)) return false;
    } else if (format == "bin ") {
        size_t floatSize = file.substr(12, 4) == "0064" ? 8 : 4;
        if (!TokenizeBinary(file, floatSize, tokens, why)) return false;
    } else {
        return Fail(why, "compressed .x files are not read");
    }
    return Checker(tokens, file.size(), why).File();
}
