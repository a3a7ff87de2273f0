// The keyboard table: SDL scancodes to the engine's key codes (Windows
// virtual-key values), and for each key code its name and typed character.
// Everything about keys lives in KeyTable.cpp.
#pragma once

namespace engine {

// Key code of an SDL scancode, 0 if the engine has no code for it.
int KeyFromScancode(int scancode);
// Readable name of a key code ("A", "7", "Space", "Numpad 0"); "?" if unknown.
const char* KeyName(int key);
// Character a key types (US layout), 0 if none: letters lower case unless shift.
int KeyChar(int key, bool shift);

}  // namespace engine
