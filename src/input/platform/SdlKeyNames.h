#pragma once
#include "input/KeyTable.h"

// Keys named as SDL names them ("Left Shift", "Keypad 8"), in any letter case;
// the comma, which separates the keys of a list, is called "Comma".
KeyNames SdlKeyNames();
