#include "pattern/PatternReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include <pugixml.hpp>

#include "util/FileData.h"

namespace {

using Labels = std::map<std::string, uint32_t, std::less<>>;

class PatternCompiler {
public:
    PatternCompiler(std::string_view text, const std::string& name) : text(text), name(name) {
        lineStarts.push_back(0);
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') lineStarts.push_back(i + 1);
        program = std::make_shared<PatternProgram>();
        program->file = name;
    }

    PatternRead Compile() {
        pugi::xml_document doc;
        pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
        if (!parsed) {
            const uint32_t line = LineAt(parsed.offset);
            findings.push_back({line, name + ":" + std::to_string(line) +
                                          ": not well-formed XML: " + parsed.description()});
            return Done();
        }
        pugi::xml_node root = doc.document_element();
        if (std::string_view(root.name()) != "bulletml") {
            Say(root, "the root element is <" + std::string(root.name()) + ">, not <bulletml>");
            return Done();
        }
        for (pugi::xml_attribute a : root.attributes()) {
            std::string_view attr = a.name();
            if (attr == "type") {
                std::string_view type = a.value();
                if (type == "horizontal")
                    program->horizontal = true;
                else if (type != "vertical" && type != "none")
                    Say(root, "type \"" + std::string(type) + "\" is not vertical or horizontal");
            } else if (attr != "xmlns" && !attr.starts_with("xmlns:")) {
                Say(root, "unknown attribute " + std::string(attr));
            }
        }
        CollectLabels(root);
        for (auto& [label, index] : fireLabels)
            CompileFireInto(labelled.fires[index], index);
        for (auto& [label, index] : bulletLabels)
            CompileBulletInto(labelled.bullets[index], index);
        for (uint32_t index = 0; index < labelled.actions.size(); ++index) {
            pugi::xml_node action = labelled.actions[index];
            actionStarts[index] = Pc();
            CompileActionBody(action);
            Emit(PatternOp::End, action);
            // Every label that begins with "top", in the file's order, as the
            // format's reference reads them.
            if (std::string_view(action.attribute("label").value()).starts_with("top"))
                program->tops.push_back(actionStarts[index]);
        }
        CompilePendingBullets();
        if (program->tops.empty()) Say(root, "no action is labelled top");
        if (program->tops.size() > kMaxTopActions)
            Say(root, "more than " + std::to_string(kMaxTopActions) + " top actions");
        CheckCallLoops();
        // Calls name actions by their index until every action has its place.
        for (PatternInstr& i : program->code)
            if (i.op == PatternOp::Call) i.a = actionStarts[i.a];
        return Done();
    }

private:
    struct Labelled {
        std::vector<pugi::xml_node> actions, bullets, fires;
    };

    PatternRead Done() {
        PatternRead read;
        // In the file's order, whichever pass found them.
        std::stable_sort(findings.begin(), findings.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [line, text] : findings)
            read.findings.push_back(std::move(text));
        if (read.findings.empty()) read.program = std::move(program);
        return read;
    }

    uint32_t LineAt(std::ptrdiff_t offset) const {
        auto it = std::upper_bound(lineStarts.begin(), lineStarts.end(),
                                   static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)));
        return static_cast<uint32_t>(it - lineStarts.begin());
    }
    uint32_t Line(pugi::xml_node node) const { return LineAt(node.offset_debug()); }
    void Say(pugi::xml_node node, const std::string& what) {
        const uint32_t line = Line(node);
        findings.push_back({line, name + ":" + std::to_string(line) + ": " + what});
    }
    uint32_t Pc() const { return static_cast<uint32_t>(program->code.size()); }
    PatternInstr& Emit(PatternOp op, pugi::xml_node node) {
        PatternInstr i;
        i.op = op;
        i.line = Line(node);
        program->code.push_back(i);
        return program->code.back();
    }

    static bool Is(pugi::xml_node node, std::string_view what) { return node.name() == what; }
    static std::vector<pugi::xml_node> Elements(pugi::xml_node node) {
        std::vector<pugi::xml_node> elements;
        for (pugi::xml_node n : node.children())
            if (n.type() == pugi::node_element) elements.push_back(n);
        return elements;
    }
    // Attributes other than those allowed are faults.
    void OnlyAttributes(pugi::xml_node node, std::initializer_list<std::string_view> allowed) {
        for (pugi::xml_attribute a : node.attributes())
            if (std::find(allowed.begin(), allowed.end(), std::string_view(a.name())) ==
                allowed.end())
                Say(node,
                    "<" + std::string(node.name()) + "> has an unknown attribute " + a.name());
    }

    void CollectLabels(pugi::xml_node root) {
        for (pugi::xml_node n : Elements(root)) {
            Labels* labels = Is(n, "action")   ? &actionLabels
                             : Is(n, "bullet") ? &bulletLabels
                             : Is(n, "fire")   ? &fireLabels
                                               : nullptr;
            if (!labels) {
                Say(n, "unknown element <" + std::string(n.name()) + "> in <bulletml>");
                continue;
            }
            std::string label = n.attribute("label").value();
            if (label.empty()) {
                Say(n,
                    "<" + std::string(n.name()) + "> at the top has no label, so nothing uses it");
                continue;
            }
            auto& list = labels == &actionLabels   ? labelled.actions
                         : labels == &bulletLabels ? labelled.bullets
                                                   : labelled.fires;
            if (!labels->emplace(label, static_cast<uint32_t>(list.size())).second) {
                Say(n, "a second <" + std::string(n.name()) + "> labelled \"" + label + "\"");
                continue;
            }
            list.push_back(n);
        }
        actionStarts.assign(labelled.actions.size(), 0);
        program->fires.resize(labelled.fires.size());
        program->bullets.resize(labelled.bullets.size());
    }

    bool Resolve(pugi::xml_node ref, const Labels& labels, uint32_t& index) {
        OnlyAttributes(ref, {"label"});
        std::string_view label = ref.attribute("label").value();
        auto it = labels.find(label);
        if (it == labels.end()) {
            Say(ref, "<" + std::string(ref.name()) + "> to \"" + std::string(label) +
                         "\", which no element of the file is labelled");
            return false;
        }
        index = it->second;
        return true;
    }

    PatternExpr Expression(pugi::xml_node node) {
        PatternExpr e;
        e.first = static_cast<uint32_t>(program->exprCode.size());
        std::string why;
        int highest = 0;
        for (pugi::xml_node child : Elements(node))
            Say(child,
                "unknown element <" + std::string(child.name()) + "> in <" + node.name() + ">");
        if (!CompileExpression(node.text().get(), program->exprCode, highest, why))
            Say(node, "<" + std::string(node.name()) + "> \"" + Trimmed(node.text().get()) +
                          "\" does not parse: " + why);
        e.count = static_cast<uint32_t>(program->exprCode.size()) - e.first;
        return e;
    }
    static std::string Trimmed(std::string_view s) {
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
            s.remove_prefix(1);
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
            s.remove_suffix(1);
        return std::string(s.substr(0, 40));
    }
    // A count of steps or repeats must be a finite number whatever it reads.
    PatternExpr Count(pugi::xml_node node) {
        PatternExpr e = Expression(node);
        double value = 0.0;
        if (e.count && ConstantValue(program->Code(e), value) && !std::isfinite(value))
            Say(node, "<" + std::string(node.name()) + "> is not a finite number");
        return e;
    }

    PatternValue Value(pugi::xml_node node, bool direction) {
        PatternValue v;
        if (!node) return v;
        OnlyAttributes(node, {"type"});
        v.present = true;
        std::string_view type = node.attribute("type").value();
        if (type == "absolute")
            v.type = ValueType::Absolute;
        else if (type == "relative")
            v.type = ValueType::Relative;
        else if (type == "sequence")
            v.type = ValueType::Sequence;
        else if (type.empty() || type == "aim")
            v.type = direction ? ValueType::Aim : ValueType::Absolute;
        else
            Say(node,
                "type \"" + std::string(type) + "\" is not aim, absolute, relative or sequence");
        v.expr = Expression(node);
        return v;
    }

    PatternArgs Args(pugi::xml_node ref) {
        PatternArgs args;
        args.first = static_cast<uint32_t>(program->argList.size());
        for (pugi::xml_node p : Elements(ref)) {
            if (!Is(p, "param")) {
                Say(p, "unknown element <" + std::string(p.name()) + "> in <" + ref.name() + ">");
                continue;
            }
            program->argList.push_back(Expression(p));
        }
        args.count = static_cast<uint32_t>(program->argList.size()) - args.first;
        if (args.count > kMaxParams)
            Say(ref, "more than " + std::to_string(kMaxParams) + " parameters");
        return args;
    }

    // The one child of each name a command may have; faults for the others.
    struct Children {
        std::map<std::string, pugi::xml_node, std::less<>> found;
        pugi::xml_node operator[](std::string_view n) const {
            auto it = found.find(n);
            return it == found.end() ? pugi::xml_node() : it->second;
        }
    };
    Children ChildrenOf(pugi::xml_node node, std::initializer_list<std::string_view> allowed) {
        Children c;
        for (pugi::xml_node child : Elements(node)) {
            std::string_view n = child.name();
            if (std::find(allowed.begin(), allowed.end(), n) == allowed.end()) {
                Say(child, "unknown element <" + std::string(n) + "> in <" + node.name() + ">");
            } else if (!c.found.emplace(std::string(n), child).second) {
                Say(child, "a second <" + std::string(n) + "> in <" + node.name() + ">");
            }
        }
        return c;
    }
    pugi::xml_node Required(pugi::xml_node node, const Children& c, std::string_view what) {
        pugi::xml_node child = c[what];
        if (!child)
            Say(node, "<" + std::string(node.name()) + "> has no <" + std::string(what) + ">");
        return child;
    }
    // Exactly one of two children (an element or its reference).
    pugi::xml_node OneOf(pugi::xml_node node, const Children& c, std::string_view a,
                         std::string_view b) {
        if (c[a] && c[b]) {
            Say(c[b], "<" + std::string(node.name()) + "> has both <" + std::string(a) + "> and <" +
                          std::string(b) + ">");
        } else if (!c[a] && !c[b]) {
            Say(node, "<" + std::string(node.name()) + "> has no <" + std::string(a) + "> or <" +
                          std::string(b) + ">");
        }
        return c[a] ? c[a] : c[b];
    }

    void CompileActionBody(pugi::xml_node action) {
        OnlyAttributes(action, {"label"});
        // Deeper than any pattern is written; it would only wear out the stack.
        if (nesting == kMaxNesting) {
            Say(action, "actions nested deeper than " + std::to_string(kMaxNesting));
            return;
        }
        ++nesting;
        for (pugi::xml_node n : Elements(action))
            CompileCommand(n);
        --nesting;
    }

    void CompileCommand(pugi::xml_node n) {
        if (Is(n, "fire")) {
            Emit(PatternOp::Fire, n).a =
                Append(program->fires, n, &PatternCompiler::CompileFireInto);
        } else if (Is(n, "fireRef")) {
            uint32_t index = 0;
            if (Resolve(n, fireLabels, index)) {
                PatternArgs args = Args(n);
                PatternInstr& i = Emit(PatternOp::Fire, n);
                i.a = index;
                i.args = args;
            }
        } else if (Is(n, "action")) {
            CompileActionBody(n);
        } else if (Is(n, "actionRef")) {
            CompileCall(n);
        } else if (Is(n, "repeat")) {
            OnlyAttributes(n, {});
            Children c = ChildrenOf(n, {"times", "action", "actionRef"});
            pugi::xml_node times = Required(n, c, "times");
            pugi::xml_node body = OneOf(n, c, "action", "actionRef");
            const uint32_t repeat = Pc();
            Emit(PatternOp::Repeat, n).expr = times ? Count(times) : PatternExpr{};
            if (Is(body, "action")) CompileActionBody(body);
            if (Is(body, "actionRef")) CompileCall(body);
            Emit(PatternOp::Loop, n).a = repeat + 1;
            program->code[repeat].a = Pc();
        } else if (Is(n, "wait")) {
            OnlyAttributes(n, {});
            PatternExpr e = Count(n);
            Emit(PatternOp::Wait, n).expr = e;
        } else if (Is(n, "vanish")) {
            OnlyAttributes(n, {});
            for (pugi::xml_node child : Elements(n))
                Say(child, "unknown element <" + std::string(child.name()) + "> in <vanish>");
            Emit(PatternOp::Vanish, n);
        } else if (Is(n, "changeDirection") || Is(n, "changeSpeed") || Is(n, "accel")) {
            CompileChange(n);
        } else {
            Say(n, "unknown element <" + std::string(n.name()) + "> in <action>");
        }
    }

    void CompileCall(pugi::xml_node ref) {
        uint32_t index = 0;
        if (!Resolve(ref, actionLabels, index)) return;
        PatternArgs args = Args(ref);
        PatternInstr& i = Emit(PatternOp::Call, ref);
        i.a = index;
        i.args = args;
    }

    void CompileChange(pugi::xml_node n) {
        OnlyAttributes(n, {});
        PatternChange change;
        PatternOp op;
        if (Is(n, "accel")) {
            op = PatternOp::Accel;
            Children c = ChildrenOf(n, {"horizontal", "vertical", "term"});
            change.direction = Value(c["horizontal"], false);
            change.speed = Value(c["vertical"], false);
            if (pugi::xml_node term = Required(n, c, "term")) change.term = Count(term);
        } else {
            bool direction = Is(n, "changeDirection");
            op = direction ? PatternOp::ChangeDirection : PatternOp::ChangeSpeed;
            std::string_view what = direction ? "direction" : "speed";
            Children c = ChildrenOf(n, {what, "term"});
            pugi::xml_node value = Required(n, c, what);
            (direction ? change.direction : change.speed) = Value(value, direction);
            if (pugi::xml_node term = Required(n, c, "term")) change.term = Count(term);
        }
        Emit(op, n).a = static_cast<uint32_t>(program->changes.size());
        program->changes.push_back(change);
    }

    // A new entry of list, compiled into its place by into; its index.
    template <class Spec>
    uint32_t Append(std::vector<Spec>& list, pugi::xml_node n,
                    void (PatternCompiler::*into)(pugi::xml_node, uint32_t)) {
        const auto index = static_cast<uint32_t>(list.size());
        list.emplace_back();
        (this->*into)(n, index);
        return index;
    }
    void CompileFireInto(pugi::xml_node n, uint32_t index) {
        OnlyAttributes(n, {"label"});
        Children c = ChildrenOf(n, {"direction", "speed", "bullet", "bulletRef"});
        PatternFireSpec fire;
        fire.direction = Value(c["direction"], true);
        fire.speed = Value(c["speed"], false);
        pugi::xml_node bullet = OneOf(n, c, "bullet", "bulletRef");
        if (Is(bullet, "bullet")) {
            fire.bullet = Append(program->bullets, bullet, &PatternCompiler::CompileBulletInto);
        } else if (Is(bullet, "bulletRef")) {
            fire.bulletRef = Resolve(bullet, bulletLabels, fire.bullet);
            fire.args = Args(bullet);
        }
        program->fires[index] = fire;
    }

    void CompileBulletInto(pugi::xml_node n, uint32_t index) {
        OnlyAttributes(n, {"label"});
        PatternBulletSpec bullet;
        bullet.label = n.attribute("label").value();
        for (pugi::xml_node child : Elements(n)) {
            if (Is(child, "direction")) {
                if (bullet.direction.present) Say(child, "a second <direction> in <bullet>");
                bullet.direction = Value(child, true);
            } else if (Is(child, "speed")) {
                if (bullet.speed.present) Say(child, "a second <speed> in <bullet>");
                bullet.speed = Value(child, false);
            } else if (!Is(child, "action") && !Is(child, "actionRef")) {
                Say(child, "unknown element <" + std::string(child.name()) + "> in <bullet>");
            }
        }
        program->bullets[index] = bullet;
        pendingBullets.push_back({index, n});
    }
    void CompilePendingBullets() {
        for (std::size_t p = 0; p < pendingBullets.size(); ++p) {
            auto [index, n] = pendingBullets[p];
            // A bullet plays its actions first and its referenced actions after
            // them, as the format's reference does.
            std::vector<uint32_t> starts;
            for (pugi::xml_node a : Elements(n)) {
                if (!Is(a, "action")) continue;
                starts.push_back(Pc());
                CompileActionBody(a);
                Emit(PatternOp::End, a);
            }
            for (pugi::xml_node r : Elements(n)) {
                if (!Is(r, "actionRef")) continue;
                starts.push_back(Pc());
                CompileCall(r);
                Emit(PatternOp::End, r);
            }
            PatternBulletSpec& bullet = program->bullets[index];
            bullet.firstAction = static_cast<uint32_t>(program->actionList.size());
            bullet.actionCount = static_cast<uint32_t>(starts.size());
            program->actionList.insert(program->actionList.end(), starts.begin(), starts.end());
        }
    }

    // An action that can reach a call of itself before any wait would run
    // forever within one step. Calls still name actions by index here.
    void CheckCallLoops() {
        const std::size_t n = labelled.actions.size();
        std::vector<std::vector<uint32_t>> callsBeforeWait(n);
        for (uint32_t a = 0; a < n; ++a) {
            for (uint32_t pc = actionStarts[a]; program->code[pc].op != PatternOp::End; ++pc) {
                const PatternInstr& i = program->code[pc];
                if (i.op == PatternOp::Wait && Waits(i)) break;
                if (i.op == PatternOp::Call) callsBeforeWait[a].push_back(i.a);
            }
        }
        std::vector<int> state(n, 0);
        for (uint32_t a = 0; a < n; ++a) {
            if (state[a] != 0) continue;
            uint32_t looping = Cycle(a, callsBeforeWait, state);
            if (looping != kNoIndex)
                Say(labelled.actions[looping],
                    "the action \"" +
                        std::string(labelled.actions[looping].attribute("label").value()) +
                        "\" can call itself again without a <wait>");
        }
    }
    // The action a depth-first walk from a comes back to, or kNoIndex. The walk
    // keeps its own stack: a file may chain thousands of actions.
    static uint32_t Cycle(uint32_t a, const std::vector<std::vector<uint32_t>>& edges,
                          std::vector<int>& state) {
        std::vector<std::pair<uint32_t, std::size_t>> path{{a, 0}};
        state[a] = 1;
        while (!path.empty()) {
            auto& [at, next] = path.back();
            if (next == edges[at].size()) {
                state[at] = 2;
                path.pop_back();
                continue;
            }
            uint32_t b = edges[at][next++];
            if (state[b] == 1) return b;
            if (state[b] == 0) {
                state[b] = 1;
                path.push_back({b, 0});
            }
        }
        return kNoIndex;
    }
    // A wait that may hold for a step; a constant below one never does.
    bool Waits(const PatternInstr& i) const {
        double value = 0.0;
        return !ConstantValue(program->Code(i.expr), value) || value >= 1.0;
    }

    std::string_view text;
    std::string name;
    std::vector<std::size_t> lineStarts;
    std::shared_ptr<PatternProgram> program;
    std::vector<std::pair<uint32_t, std::string>> findings;
    static constexpr int kMaxNesting = 64;
    int nesting = 0;
    Labels actionLabels, bulletLabels, fireLabels;
    Labelled labelled;
    std::vector<uint32_t> actionStarts;
    // Bullets whose actions are compiled once the block being compiled is done,
    // so every block's code stays in one piece.
    std::vector<std::pair<uint32_t, pugi::xml_node>> pendingBullets;
};

}  // namespace

PatternRead ReadPatternText(std::string_view text, const std::string& name) {
    return PatternCompiler(text, name).Compile();
}

PatternRead ReadPattern(const std::string& path) {
    std::string text, why;
    if (!ReadFileLimited(path, kMaxPatternBytes, text, why)) {
        PatternRead read;
        read.findings.push_back(path + ":0: " + why);
        return read;
    }
    return ReadPatternText(text, path);
}
