#include "content/ContentReader.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <utility>

#include "graphics/XFileCheck.h"
#include "util/AssetPath.h"
#include "util/AssetTable.h"
#include "util/FileData.h"
#include "util/Fnv.h"
#include "util/StringUtil.h"

namespace {

// No content file comes near this; a larger one is refused unread.
constexpr std::size_t kMaxContentBytes = 1u << 20;
// A folder is read for pieces only this far: past it, the rest are named once.
constexpr int kMaxPieces = 64;

// The field's hash has always named the first kinds by the types that once
// played them; keeping those names keeps every recorded run.
const std::map<std::string, std::string> kOldHashNames = {
    {"obj1", "9EnemyObj1"}, {"obj2", "9EnemyObj2"}, {"obj3", "9EnemyObj3"},
    {"big1", "9EnemyBig1"}, {"big2", "9EnemyBig2"}, {"big3", "9EnemyBig3"},
};

struct Named {
    const char* name;
    Movement movement;
};
constexpr Named kMovements[] = {
    {"dive", Movement::Dive},
    {"weave", Movement::Weave},
    {"drift", Movement::Drift},
    {"chain", Movement::Chain},
    {"arms", Movement::Arms},
    {"ring", Movement::Ring},
    {"chain_link", Movement::ChainLink},
    {"arm_satellite", Movement::ArmSatellite},
    {"ring_satellite", Movement::RingSatellite},
};
constexpr std::pair<const char*, FireRule> kFireRules[] = {{"none", FireRule::None},
                                                           {"fan", FireRule::Fan},
                                                           {"aimed", FireRule::Aimed},
                                                           {"split", FireRule::Split}};

bool IsComposite(Movement m) {
    return m == Movement::Chain || m == Movement::Arms || m == Movement::Ring;
}

// The part a composite's head makes.
Movement PartOf(Movement head) {
    switch (head) {
        case Movement::Chain:
            return Movement::ChainLink;
        case Movement::Arms:
            return Movement::ArmSatellite;
        default:
            return Movement::RingSatellite;
    }
}

uint64_t PrintOf(const toml::table& table) {
    std::ostringstream text;
    text << table;
    Fnv fnv;
    fnv.Add(text.str());
    return fnv.Value();
}

}  // namespace

ContentReader::ContentReader(ContentBook& book, std::string mediaDir)
    : book(book), mediaDir(std::move(mediaDir)) {
    for (int i = 0; i < AssetCount(AssetKind::Music); ++i) {
        const Asset& piece = AssetAt(AssetKind::Music, i);
        book.pieces[piece.handle] = MusicChoice{i, ""};
        Fnv fnv;
        fnv.Add(piece.handle);
        book.piecePrints[piece.handle] = fnv.Value();
    }
}

void ContentReader::FindAt(const std::string& file, long line, const std::string& what) {
    book.findings.push_back(Printable(file) + ":" + std::to_string(line) + ": " + Printable(what));
}

void ContentReader::Find(const std::string& file, const toml::node& at, const std::string& what) {
    FindAt(file, static_cast<long>(at.source().begin.line), what);
}

void ContentReader::ReadFile(const std::string& path, bool kindsFile) {
    std::string data, error;
    if (!ReadFileLimited(ResolveAssetPath(path), kMaxContentBytes, data, error)) {
        FindAt(path, 0, "cannot be read: " + error);
        return;
    }
    auto parsed = std::make_unique<toml::table>();
    try {
        *parsed = toml::parse(data, path);
    } catch (const toml::parse_error& e) {
        FindAt(path, static_cast<long>(e.source().begin.line), std::string(e.description()));
        return;
    }
    const std::string folder = std::filesystem::path(path).parent_path().string() + "/";
    auto& into = kindsFile ? kinds : bosses;
    const toml::table& root = *roots.emplace_back(std::move(parsed));
    for (auto&& [key, node] : root) {
        const std::string name(key.str());
        const toml::table* table = node.as_table();
        if (!table) {
            Find(path, node, "\"" + name + "\" is not a table of keys; it is ignored");
            continue;
        }
        auto& other = kindsFile ? bosses : kinds;
        if (other.count(name))
            Find(path, node,
                 "\"" + name + "\" names both a kind and a boss; a stage's teki takes the kind");
        into.erase(name);
        into.emplace(name, Raw{*table, path, folder});
    }
}

void ContentReader::ReadPieces(const std::string& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error), end;
    int read = 0;
    for (; !error && it != end; it.increment(error)) {
        const std::filesystem::path& file = it->path();
        std::string extension = file.extension().string();
        for (char& c : extension)
            c = AsciiLower(c);
        if (extension != ".mid") continue;
        std::string why;
        if (!IsRegularFile(file.string(), why)) continue;
        if (++read > kMaxPieces) {
            FindAt(folder, 0,
                   "more than " + std::to_string(kMaxPieces) + " pieces: the rest are left out");
            break;
        }
        const std::string name = file.stem().string();
        book.pieces[name] = MusicChoice{-1, file.string()};
        std::string data;
        Fnv fnv;
        fnv.Add(ReadFileLimited(file.string(), 64u << 20, data, why) ? data : std::string("?"));
        book.piecePrints[name] = fnv.Value();
    }
}

void ContentReader::Unknown(const Raw& raw, const toml::table& table,
                            std::initializer_list<const char*> keys) {
    for (auto&& [key, node] : table) {
        const std::string_view name = key.str();
        if (std::none_of(keys.begin(), keys.end(), [name](const char* k) { return name == k; }))
            Find(raw.file, node, "no key is called \"" + std::string(name) + "\"; it is ignored");
    }
}

bool ContentReader::Number(const Raw& raw, const toml::table& t, const char* key, float& out) {
    const toml::node* node = t.get(key);
    if (!node) return false;
    if (std::optional<double> v = node->value<double>()) {
        out = static_cast<float>(*v);
        return true;
    }
    Find(raw.file, *node, std::string("\"") + key + "\" must be a number");
    return false;
}

bool ContentReader::Whole(const Raw& raw, const toml::table& t, const char* key, int& out) {
    const toml::node* node = t.get(key);
    if (!node) return false;
    std::optional<int64_t> v = node->value<int64_t>();
    if (v && *v >= 0 && *v <= 100'000'000) {
        out = static_cast<int>(*v);
        return true;
    }
    Find(raw.file, *node,
         std::string("\"") + key + "\" must be a whole number from 0 to 100000000");
    return false;
}

bool ContentReader::Rising_(const Raw& raw, const toml::table& t, const char* key, Rising& out) {
    const toml::node* node = t.get(key);
    if (!node) return false;
    if (const toml::array* pair = node->as_array()) {
        std::optional<double> base = pair->size() == 2 ? (*pair)[0].value<double>() : std::nullopt;
        std::optional<double> rise = pair->size() == 2 ? (*pair)[1].value<double>() : std::nullopt;
        if (base && rise) {
            out = {static_cast<float>(*base), static_cast<float>(*rise)};
            return true;
        }
    } else if (std::optional<double> v = node->value<double>()) {
        out = {static_cast<float>(*v), 0.0f};
        return true;
    }
    Find(raw.file, *node,
         std::string("\"") + key + "\" must be a number or [base, rise with the level]");
    return false;
}

void ContentReader::Flag(const Raw& raw, const toml::table& t, const char* key, bool& out) {
    const toml::node* node = t.get(key);
    if (!node) return;
    if (std::optional<bool> b = node->value<bool>()) {
        out = *b;
    } else {
        Find(raw.file, *node, std::string("\"") + key + "\" must be true or false");
    }
}

bool ContentReader::Text(const Raw& raw, const toml::table& t, const char* key, std::string& out) {
    const toml::node* node = t.get(key);
    if (!node) return false;
    if (std::optional<std::string> v = node->value<std::string>()) {
        out = *v;
        return true;
    }
    Find(raw.file, *node, std::string("\"") + key + "\" must be text in quotes");
    return false;
}

bool ContentReader::Model(const Raw& raw, const toml::table& t, int& model, uint64_t& print) {
    std::string name;
    if (!Text(raw, t, "model", name)) {
        if (!t.get("model")) FindAt(raw.file, t.source().begin.line, "no model: it is left out");
        return false;
    }
    model = -1;
    for (int i = 0; i < AssetCount(AssetKind::Model); ++i) {
        if (name == AssetAt(AssetKind::Model, i).handle) model = i;
    }
    if (model >= 0) return true;
    // Not the pack's: a file of the entry's own folder, NAME.x.
    const std::string path = raw.folder + name + ".x";
    std::string why;
    if (name.find('/') != std::string::npos || !IsRegularFile(path, why)) {
        Find(raw.file, *t.get("model"),
             "the pack has no model \"" + name + "\", nor is there a file " + name + ".x beside");
        return false;
    }
    // Read once however many entries name it.
    auto found = models.find(path);
    if (found == models.end()) {
        ModelRead read;
        if (ReadFileLimited(path, kMaxXFileBytes, read.data, read.why) &&
            PrepareXFile(read.data, read.why)) {
            read.at = static_cast<int>(book.modelFiles.size());
            book.modelFiles.push_back(path);
        }
        found = models.emplace(path, std::move(read)).first;
    }
    const ModelRead& read = found->second;
    if (read.at < 0) {
        Find(raw.file, *t.get("model"), "the model " + name + ".x cannot be read: " + read.why);
        return false;
    }
    model = kModelCount + read.at;
    Fnv fnv;
    fnv.AddValue(print);
    fnv.Add(read.data);
    print = fnv.Value();
    return true;
}

std::shared_ptr<const PatternProgram> ContentReader::Pattern(const Raw& raw, const toml::table& t,
                                                             uint64_t& print) {
    std::string name;
    if (!Text(raw, t, "pattern", name)) return nullptr;
    const std::string path = name.starts_with('/') ? name : raw.folder + name;
    auto found = patterns.find(path);
    if (found == patterns.end()) found = patterns.emplace(path, ReadPattern(path)).first;
    const PatternRead& read = found->second;
    for (const std::string& finding : read.findings)
        Find(raw.file, *t.get("pattern"), "the pattern " + name + ": " + finding);
    if (read.program) {
        std::string data, error;
        ReadFileLimited(ResolveAssetPath(path), kMaxPatternBytes, data, error);
        Fnv fnv;
        fnv.AddValue(print);
        fnv.Add(data);
        print = fnv.Value();
    }
    return read.program;
}

void ContentReader::ReadVolley(const Raw& raw, const toml::table& t, Volley& v) {
    Rising_(raw, t, "every", v.every);
    Whole(raw, t, "cycle", v.cycle);
    Rising_(raw, t, "window", v.window);
    Flag(raw, t, "window_closed", v.windowClosed);
    // A chance is compared in double precision: it keeps what was written.
    if (const toml::node* chance = t.get("chance")) {
        const toml::array* pair = chance->as_array();
        std::optional<double> base =
            pair && pair->size() == 2 ? (*pair)[0].value<double>() : chance->value<double>();
        std::optional<double> rise =
            pair && pair->size() == 2 ? (*pair)[1].value<double>() : std::optional<double>(0.0);
        if (base && rise) {
            v.chance = {*base, *rise};
        } else {
            Find(raw.file, *chance, "\"chance\" must be a number or [base, rise with the level]");
        }
    }
    Rising_(raw, t, "count", v.count);
    Number(raw, t, "spread", v.spread);
    Rising_(raw, t, "speed", v.speed);
    Number(raw, t, "acceleration", v.acceleration);
}

std::unique_ptr<EnemyKind> ContentReader::BuildKind(const std::string& name, const Raw& raw,
                                                    uint64_t& print) {
    const toml::table& t = raw.table;
    Unknown(raw, t, {"model", "size", "hit_points", "score", "drops", "move", "fire", "parts"});
    auto kind = std::make_unique<EnemyKind>();
    kind->name = name;
    auto old = kOldHashNames.find(name);
    kind->hashName = old != kOldHashNames.end() ? old->second : "kind " + name;
    bool playable = Model(raw, t, kind->model, print);
    std::string word;
    if (Text(raw, t, "size", word)) {
        if (word == "large") {
            kind->size = SizeClass::Large;
        } else if (word != "small") {
            Find(raw.file, *t.get("size"), "a size is \"small\" or \"large\"");
        }
    }
    kind->tuning.hitPoints = {10.0f, 0.0f};
    Rising_(raw, t, "hit_points", kind->tuning.hitPoints);
    kind->tuning.score = 100;
    Whole(raw, t, "score", kind->tuning.score);
    kind->drops = kind->size == SizeClass::Large ? Drops::Scatter : Drops::Item;
    if (Text(raw, t, "drops", word)) {
        if (word == "item") {
            kind->drops = Drops::Item;
        } else if (word == "scatter") {
            kind->drops = Drops::Scatter;
        } else {
            Find(raw.file, *t.get("drops"), "what a kind drops is \"item\" or \"scatter\"");
        }
    }

    KindTuning& k = kind->tuning;
    if (const toml::table* move = t.get_as<toml::table>("move")) {
        Unknown(raw, *move,
                {"by", "pattern", "descent", "spin", "weave", "wave", "drift", "orbit", "chase",
                 "leash", "bottom"});
        if (move->get("pattern")) {
            kind->movement = Movement::Pattern;
            kind->movePattern = Pattern(raw, *move, print);
            if (!kind->movePattern) playable = false;
        } else if (Text(raw, *move, "by", word)) {
            auto m = std::find_if(std::begin(kMovements), std::end(kMovements),
                                  [&](const Named& n) { return word == n.name; });
            if (m == std::end(kMovements)) {
                Find(raw.file, *move->get("by"), "no movement is called \"" + word + "\"");
                playable = false;
            } else {
                kind->movement = m->movement;
            }
        }
        Number(raw, *move, "descent", k.descent);
        Number(raw, *move, "spin", k.spin);
        Number(raw, *move, "weave", k.weave);
        if (Text(raw, *move, "wave", word)) {
            if (word == "sine") {
                k.wave = Wave::Sine;
            } else if (word != "cosine") {
                Find(raw.file, *move->get("wave"), "a wave is \"cosine\" or \"sine\"");
            }
        }
        Number(raw, *move, "drift", k.drift);
        Number(raw, *move, "orbit", k.orbit);
        Number(raw, *move, "chase", k.chase);
        Number(raw, *move, "leash", k.leash);
        Number(raw, *move, "bottom", k.bottom);
    } else if (t.get("move")) {
        Find(raw.file, *t.get("move"), "\"move\" must be a table: move = { by = \"dive\", ... }");
    }

    if (const toml::table* fire = t.get_as<toml::table>("fire")) {
        Unknown(raw, *fire,
                {"by", "pattern", "every", "cycle", "window", "window_closed", "chance", "count",
                 "spread", "speed", "acceleration", "lead", "alternate", "alternate_start"});
        if (fire->get("pattern")) {
            kind->fire = FireRule::Pattern;
            kind->firePattern = Pattern(raw, *fire, print);
            if (!kind->firePattern) kind->fire = FireRule::None;
        } else if (Text(raw, *fire, "by", word)) {
            auto r = std::find_if(std::begin(kFireRules), std::end(kFireRules),
                                  [&](const auto& n) { return word == n.first; });
            if (r == std::end(kFireRules)) {
                Find(raw.file, *fire->get("by"), "no fire rule is called \"" + word + "\"");
            } else {
                kind->fire = r->second;
            }
        }
        ReadVolley(raw, *fire, k.fire);
        Whole(raw, *fire, "lead", kind->fireLead);
        Whole(raw, *fire, "alternate", kind->alternate);
        Number(raw, *fire, "alternate_start", kind->alternateStart);
    } else if (t.get("fire")) {
        Find(raw.file, *t.get("fire"), "\"fire\" must be a table: fire = { by = \"fan\", ... }");
    }

    if (Text(raw, t, "parts", word)) partsNamed[name] = word;
    if (IsComposite(kind->movement) && !t.get("parts")) {
        FindAt(raw.file, t.source().begin.line,
               "a " + std::string(kind->movement == Movement::Chain ? "chain" : "hub") +
                   " needs \"parts\", the kind it is made of: it is left out");
        playable = false;
    }
    if (!playable) return nullptr;
    return kind;
}

void ContentReader::ResolveParts() {
    for (auto& [name, kind] : book.kinds) {
        if (!IsComposite(kind->movement)) continue;
        const std::string& parts = partsNamed[name];
        auto found = book.kinds.find(parts);
        const Raw& raw = kinds.at(name);
        if (found == book.kinds.end()) {
            Find(raw.file, *raw.table.get("parts"), "no kind is called \"" + parts + "\"");
        } else if (found->second->movement != PartOf(kind->movement)) {
            Find(raw.file, *raw.table.get("parts"),
                 "\"" + parts + "\" does not move as a part of this kind's movement");
        } else {
            kind->parts = found->second.get();
            Fnv fnv;
            fnv.AddValue(book.kindPrints[name]);
            fnv.AddValue(book.kindPrints[parts]);
            book.kindPrints[name] = fnv.Value();
        }
    }
    // A head without its parts cannot come.
    std::erase_if(book.kinds, [](const auto& k) {
        return IsComposite(k.second->movement) && !k.second->parts;
    });
}

bool ContentReader::BuildPhase(const Raw& raw, const toml::table& t, bool last, BossPhase& phase,
                               uint64_t& print) {
    Unknown(raw, t,
            {"hit_points", "time", "bonus", "spin", "pairs", "drift", "drift_time", "fire",
             "time_out"});
    const bool hasHitPoints = Rising_(raw, t, "hit_points", phase.hitPoints);
    const bool hasTime = Whole(raw, t, "time", phase.timeLimit) && phase.timeLimit > 0;
    if (!hasHitPoints && !hasTime) {
        FindAt(raw.file, t.source().begin.line,
               "a phase needs hit points or a time limit, or it never ends: it is left out");
        return false;
    }
    if (!hasHitPoints) phase.hitPoints = {1.0e9f, 0.0f};
    phase.bonus = 10000;
    Whole(raw, t, "bonus", phase.bonus);
    Number(raw, t, "spin", phase.spin);
    Flag(raw, t, "pairs", phase.pairs);
    Number(raw, t, "drift", phase.drift);
    Whole(raw, t, "drift_time", phase.driftUpdates);
    phase.timeOut = last ? TimeOut::Escape : TimeOut::Next;
    std::string word;
    if (Text(raw, t, "time_out", word)) {
        if (word == "next") {
            phase.timeOut = TimeOut::Next;
        } else if (word == "escape") {
            phase.timeOut = TimeOut::Escape;
        } else {
            Find(raw.file, *t.get("time_out"), "a time-out is \"next\" or \"escape\"");
        }
    }
    const toml::array* fire = t.get_as<toml::array>("fire");
    if (!fire && t.get("fire"))
        Find(raw.file, *t.get("fire"), "\"fire\" must be a list of volleys: fire = [{ ... }]");
    std::size_t patternsUsed = 0;
    for (const toml::node& node : fire ? *fire : toml::array{}) {
        const toml::table* v = node.as_table();
        if (!v) {
            Find(raw.file, node, "a volley must be a table: { by = \"rings\", ... }");
            continue;
        }
        Unknown(raw, *v,
                {"by", "pattern", "every", "cycle", "window", "window_closed", "count", "spread",
                 "speed", "acceleration"});
        BossVolley volley;
        if (v->get("pattern")) {
            volley.rule = BossFire::Pattern;
            volley.pattern = Pattern(raw, *v, print);
            if (!volley.pattern) continue;
            if (++patternsUsed > kMaxPhasePatterns) {
                Find(raw.file, node,
                     "a phase plays at most " + std::to_string(kMaxPhasePatterns) +
                         " patterns: this one is left out");
                continue;
            }
        } else if (Text(raw, *v, "by", word) && (word == "rings" || word == "aimed")) {
            volley.rule = word == "rings" ? BossFire::Rings : BossFire::Aimed;
        } else {
            Find(raw.file, node, "a volley is by \"rings\" or \"aimed\", or plays a pattern");
            continue;
        }
        ReadVolley(raw, *v, volley.volley);
        phase.fire.push_back(std::move(volley));
    }
    return true;
}

std::unique_ptr<BossKind> ContentReader::BuildBoss(const std::string& name, const Raw& raw,
                                                   uint64_t& print) {
    const toml::table& t = raw.table;
    Unknown(raw, t, {"model", "mid", "enter_y", "descent", "phase"});
    auto boss = std::make_unique<BossKind>();
    boss->name = name;
    if (!Model(raw, t, boss->model, print)) return nullptr;
    Flag(raw, t, "mid", boss->mid);
    Number(raw, t, "enter_y", boss->enterY);
    Number(raw, t, "descent", boss->descent);
    const toml::array* phases = t.get_as<toml::array>("phase");
    for (std::size_t i = 0; phases && i < phases->size(); ++i) {
        const toml::table* p = (*phases)[i].as_table();
        BossPhase phase;
        if (p && BuildPhase(raw, *p, i + 1 == phases->size(), phase, print))
            boss->phases.push_back(std::move(phase));
    }
    if (boss->phases.empty()) {
        FindAt(raw.file, t.source().begin.line,
               "the boss \"" + name + "\" has no phase it can fight: it is left out");
        return nullptr;
    }
    return boss;
}

void ContentReader::Build() {
    for (const auto& [name, raw] : kinds) {
        uint64_t print = PrintOf(raw.table);
        if (std::unique_ptr<EnemyKind> kind = BuildKind(name, raw, print)) {
            book.kinds[name] = std::move(kind);
            book.kindPrints[name] = print;
        }
    }
    ResolveParts();
    for (const auto& [name, raw] : bosses) {
        uint64_t print = PrintOf(raw.table);
        if (std::unique_ptr<BossKind> boss = BuildBoss(name, raw, print)) {
            book.bosses[name] = std::move(boss);
            book.bossPrints[name] = print;
        }
    }
}
