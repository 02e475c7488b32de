#pragma once
// The keys and pad buttons pressed since the last frame, for what held states
// cannot tell: a menu's page and delete keys, a replay's controls, the next
// key of a binding. Held states are PadState's.
#include <array>
#include <cstddef>

#include "input/PadTable.h"

class Presses {
public:
    void Key(int scancode) { Add(keys, keyCount, scancode); }
    void Button(int button) { Add(buttons, buttonCount, button); }
    void Clear() { keyCount = buttonCount = 0; }

    bool HasKey(int scancode) const { return Has(keys, keyCount, scancode); }
    bool HasButton(int button) const { return Has(buttons, buttonCount, button); }
    bool HasButton(ControllerButton button) const { return HasButton(static_cast<int>(button)); }
    // The first key pressed, or 0.
    int FirstKey() const { return keyCount ? keys[0] : 0; }
    // The first button pressed, or -1.
    int FirstButton() const { return buttonCount ? buttons[0] : -1; }

private:
    // More presses than this between two frames are more than hands make.
    using List = std::array<int, 16>;
    static void Add(List& list, std::size_t& count, int code) {
        if (count < list.size()) list[count++] = code;
    }
    static bool Has(const List& list, std::size_t count, int code) {
        for (std::size_t i = 0; i < count; ++i) {
            if (list[i] == code) return true;
        }
        return false;
    }

    List keys{}, buttons{};
    std::size_t keyCount = 0, buttonCount = 0;
};
