#include "game/NameEntry.h"

#include <string_view>

#include "app/Settings.h"

namespace {

// What Up and Down go through, the blank first: the font draws each of them.
constexpr std::string_view kLetters = " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.";

char Turned(char letter, int by) {
    std::size_t at = kLetters.find(letter);
    int n = static_cast<int>(kLetters.size());
    int next = (static_cast<int>(at == std::string_view::npos ? 0 : at) + by + n) % n;
    return kLetters[static_cast<std::size_t>(next)];
}

}  // namespace

NameEntry::NameEntry(const std::string& start) : typed(TableName(start)) {
    if (typed.empty()) typed.push_back('A');
    place = static_cast<int>(typed.size()) - 1;
}

bool NameEntry::Read(const PadState& pad) {
    bool confirm = pad.Held(kButtonFire) || pad.Held(kButtonPause);
    bool erase = pad.Held(kButtonHover);
    bool acts = !held;
    held = pad.up || pad.down || pad.left || pad.right || confirm || erase;
    if (!acts) return false;
    if (confirm) return true;
    auto at = static_cast<std::size_t>(place);
    if (pad.up || pad.down) {
        typed[at] = Turned(typed[at], pad.up ? 1 : -1);
    } else if (pad.left && place > 0) {
        --place;
    } else if (pad.right && place + 1 < static_cast<int>(kMaxPlayerName)) {
        // Past the end the name grows by the letter before, quick to turn from.
        if (at + 1 == typed.size()) typed += typed[at];
        ++place;
    } else if (erase && typed.size() > 1) {
        typed.erase(at, 1);
        if (place >= static_cast<int>(typed.size())) place = static_cast<int>(typed.size()) - 1;
    }
    return false;
}
