#include "input/Rebinding.h"

#include <algorithm>

namespace {

std::string ReservedMessage(int code) {
    if (code == scancode::kEscape) return "ESC IS FOR LEAVING";
    if (code == scancode::kF11) return "F11 IS FOR FULL SCREEN";
    return "ALT IS FOR FULL SCREEN";
}

// The one rule for keys and buttons alike: what action holds `code` (other
// than the one being bound) gives it up, unless it has nothing else.
template <class Table, class Action, class Code>
Rebound<Table> Bind(const Table& table, Action action, Code code, auto codeOf, auto actionOf,
                    std::string_view kind) {
    Rebound<Table> result{table, RebindOutcome::Bound, std::nullopt, ""};
    std::optional<Action> loser;
    for (const auto& binding : table) {
        if (codeOf(binding) == code && binding.action != action) loser = binding.action;
    }
    if (loser) {
        // A key bound to two actions in the file leaves both; each must keep another.
        for (const auto& binding : table) {
            if (codeOf(binding) != code || binding.action == action) continue;
            bool keepsOne = std::any_of(table.begin(), table.end(), [&](const auto& other) {
                return other.action == binding.action && codeOf(other) != code;
            });
            if (keepsOne) continue;
            result.outcome = RebindOutcome::LastOne;
            result.movedFrom = actionOf(binding.action);
            result.message =
                std::string(ActionLabel(*result.movedFrom)) + " WOULD HAVE NO " + std::string(kind);
            return result;
        }
        result.outcome = RebindOutcome::Moved;
        result.movedFrom = actionOf(*loser);
        result.message = "MOVED FROM " + std::string(ActionLabel(*result.movedFrom));
    }
    std::erase_if(result.table, [&](const auto& b) { return codeOf(b) == code; });
    const Code only[] = {code};
    result.table = Rebind(result.table, action, only);
    return result;
}

}  // namespace

Rebound<KeyTable> BindKey(const KeyTable& table, KeyAction action, int scancode,
                          const KeyNames& names) {
    if (IsReservedKey(scancode))
        return {table, RebindOutcome::Reserved, std::nullopt, ReservedMessage(scancode)};
    std::string name = names.name(scancode);
    if (name.empty() || names.scancode(name) != scancode)
        return {table, RebindOutcome::Unnamed, std::nullopt, "THAT KEY HAS NO NAME"};
    return Bind<KeyTable>(
        table, action, scancode, [](const KeyBinding& b) { return b.scancode; },
        [](KeyAction a) { return a; }, "KEY");
}

Rebound<PadTable> BindButton(const PadTable& table, PadButton action, ControllerButton button) {
    if (MovesTheShip(button))
        return {table, RebindOutcome::MovesTheShip, std::nullopt, "THE D-PAD MOVES THE SHIP"};
    return Bind<PadTable>(
        table, action, button, [](const PadBinding& b) { return b.button; }, ButtonAction,
        "BUTTON");
}
