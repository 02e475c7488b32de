#pragma once
#include "input/KeyTable.h"

// Keys named as SDL names them ("Left Shift", "Keypad 8"), in any letter case.
KeyNames SdlKeyNames();
