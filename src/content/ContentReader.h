#pragma once
// How the content files read: TOML tables, one per kind or boss, whose values
// become the kinds and bosses the field plays. Used by ContentBook only.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <toml++/toml.h>

#include "content/ContentBook.h"
#include "pattern/PatternReader.h"

class ContentReader {
public:
    ContentReader(ContentBook& book, std::string mediaDir);
    // A kinds or bosses file; its entries replace earlier ones of the same name.
    void ReadFile(const std::string& path, bool kindsFile);
    // The pieces of a folder: each *.mid in it, by its name without ".mid".
    void ReadPieces(const std::string& folder);
    // Every entry read becomes a kind or a boss, now that all the names are known.
    void Build();

private:
    struct Raw {
        const toml::table& table;  // in roots, which keeps where each value was written
        std::string file, folder;
    };

    void Find(const std::string& file, const toml::node& at, const std::string& what);
    void FindAt(const std::string& file, long line, const std::string& what);
    void Unknown(const Raw& raw, const toml::table& table, std::initializer_list<const char*> keys);
    bool Number(const Raw& raw, const toml::table& t, const char* key, float& out);
    bool Whole(const Raw& raw, const toml::table& t, const char* key, int& out);
    bool Rising_(const Raw& raw, const toml::table& t, const char* key, Rising& out);
    void Flag(const Raw& raw, const toml::table& t, const char* key, bool& out);
    bool Text(const Raw& raw, const toml::table& t, const char* key, std::string& out);
    // The pack's model of that name, or NAME.x beside the entry's file.
    bool Model(const Raw& raw, const toml::table& t, int& model, uint64_t& print);
    std::shared_ptr<const PatternProgram> Pattern(const Raw& raw, const toml::table& t,
                                                  uint64_t& print);
    void ReadVolley(const Raw& raw, const toml::table& t, Volley& v);
    std::unique_ptr<EnemyKind> BuildKind(const std::string& name, const Raw& raw, uint64_t& print);
    void ResolveParts();
    std::unique_ptr<BossKind> BuildBoss(const std::string& name, const Raw& raw, uint64_t& print);
    bool BuildPhase(const Raw& raw, const toml::table& t, bool last, BossPhase& phase,
                    uint64_t& print);

    ContentBook& book;
    std::string mediaDir;
    std::vector<std::unique_ptr<toml::table>> roots;
    std::map<std::string, Raw> kinds, bosses;
    std::map<std::string, std::string> partsNamed;  // kind: the parts' kind it names
    std::map<std::string, PatternRead> patterns;    // by path
    struct ModelRead {
        int at = -1;            // its place among the book's model files; -1: it cannot be read
        std::string data, why;  // the bytes as checked, which the fingerprint takes
    };
    std::map<std::string, ModelRead> models;  // by path
};
