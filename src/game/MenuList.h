#pragma once
// The one list every menu of the game is: rows with a chosen one. Up and Down
// choose, stopping at the first and the last row; Left and Right change the
// chosen row's value; fire or pause confirms it; the hover button (the pad's
// B) goes back. Keys held when a menu appears do nothing until every one of
// them was let go once, and a key held down acts once.
#include "input/PadState.h"

enum class MenuAction { None, Confirm, Back, Decrease, Increase };

class MenuList {
public:
    // hoverGoesBack: false for the title, which has nothing to go back to.
    MenuList(int rows, int cursor = 0, bool hoverGoesBack = true)
        : rows(rows), cursor(cursor), hoverGoesBack(hoverGoesBack) {}

    // One step's input: the cursor moves first, then the chosen row is acted on.
    MenuAction Read(const PadState& pad);
    int Cursor() const { return cursor; }
    void SetCursor(int row) { cursor = row; }
    int Rows() const { return rows; }
    void SetRows(int count);
    // Acts on nothing until every key is let go, as when the menu appears: a
    // key just bound to an action is still down.
    void Hold() { held = true; }

private:
    int rows;
    int cursor;
    bool hoverGoesBack;
    bool held = true;
};
