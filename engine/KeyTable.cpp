// The one keyboard table. Each row ties a key code to the SDL scancodes that
// produce it, its readable name, the token scripts use for it and the
// characters it types without and with Shift (US layout). Numpad keys go by
// scancode, so they give their codes whatever the NumLock state.
#include "engine/KeyTable.h"

#include <SDL.h>

#include <cctype>
#include <string>

#include "engine/Platform.h"
#include "engine/hgeKeys.h"

namespace engine {
namespace {

struct KeyRow {
  int code;
  SDL_Scancode scan, scan2;  // scan2: a second key with the same code, or UNKNOWN
  const char* name;          // for Input_GetKeyName
  const char* token;         // for KeyCodeFromName
  char plain, shifted;       // typed characters; 0 for none
};

constexpr SDL_Scancode NONE = SDL_SCANCODE_UNKNOWN;

const KeyRow kRows[] = {
    {HGEK_BACKSPACE, SDL_SCANCODE_BACKSPACE, NONE, "Backspace", "BACKSPACE", 0, 0},
    {HGEK_TAB, SDL_SCANCODE_TAB, NONE, "Tab", "TAB", 0, 0},
    {HGEK_ENTER, SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER, "Enter", "ENTER", 0, 0},
    {HGEK_SHIFT, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT, "Shift", "SHIFT", 0, 0},
    {HGEK_CTRL, SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL, "Ctrl", "CTRL", 0, 0},
    {HGEK_ALT, SDL_SCANCODE_LALT, SDL_SCANCODE_RALT, "Alt", "ALT", 0, 0},
    {HGEK_PAUSE, SDL_SCANCODE_PAUSE, NONE, "Pause", "PAUSE", 0, 0},
    {HGEK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, NONE, "Caps Lock", "CAPSLOCK", 0, 0},
    {HGEK_ESCAPE, SDL_SCANCODE_ESCAPE, NONE, "Escape", "ESCAPE", 0, 0},
    {HGEK_SPACE, SDL_SCANCODE_SPACE, NONE, "Space", "SPACE", ' ', ' '},
    {HGEK_PGUP, SDL_SCANCODE_PAGEUP, NONE, "Page Up", "PGUP", 0, 0},
    {HGEK_PGDN, SDL_SCANCODE_PAGEDOWN, NONE, "Page Down", "PGDN", 0, 0},
    {HGEK_END, SDL_SCANCODE_END, NONE, "End", "END", 0, 0},
    {HGEK_HOME, SDL_SCANCODE_HOME, NONE, "Home", "HOME", 0, 0},
    {HGEK_LEFT, SDL_SCANCODE_LEFT, NONE, "Left", "LEFT", 0, 0},
    {HGEK_UP, SDL_SCANCODE_UP, NONE, "Up", "UP", 0, 0},
    {HGEK_RIGHT, SDL_SCANCODE_RIGHT, NONE, "Right", "RIGHT", 0, 0},
    {HGEK_DOWN, SDL_SCANCODE_DOWN, NONE, "Down", "DOWN", 0, 0},
    {HGEK_INSERT, SDL_SCANCODE_INSERT, NONE, "Insert", "INSERT", 0, 0},
    {HGEK_DELETE, SDL_SCANCODE_DELETE, NONE, "Delete", "DELETE", 0, 0},
    {0x30, SDL_SCANCODE_0, NONE, "0", "0", '0', ')'},
    {0x31, SDL_SCANCODE_1, NONE, "1", "1", '1', '!'},
    {0x32, SDL_SCANCODE_2, NONE, "2", "2", '2', '@'},
    {0x33, SDL_SCANCODE_3, NONE, "3", "3", '3', '#'},
    {0x34, SDL_SCANCODE_4, NONE, "4", "4", '4', '$'},
    {0x35, SDL_SCANCODE_5, NONE, "5", "5", '5', '%'},
    {0x36, SDL_SCANCODE_6, NONE, "6", "6", '6', '^'},
    {0x37, SDL_SCANCODE_7, NONE, "7", "7", '7', '&'},
    {0x38, SDL_SCANCODE_8, NONE, "8", "8", '8', '*'},
    {0x39, SDL_SCANCODE_9, NONE, "9", "9", '9', '('},
    {0x41, SDL_SCANCODE_A, NONE, "A", "A", 'a', 'A'},
    {0x42, SDL_SCANCODE_B, NONE, "B", "B", 'b', 'B'},
    {0x43, SDL_SCANCODE_C, NONE, "C", "C", 'c', 'C'},
    {0x44, SDL_SCANCODE_D, NONE, "D", "D", 'd', 'D'},
    {0x45, SDL_SCANCODE_E, NONE, "E", "E", 'e', 'E'},
    {0x46, SDL_SCANCODE_F, NONE, "F", "F", 'f', 'F'},
    {0x47, SDL_SCANCODE_G, NONE, "G", "G", 'g', 'G'},
    {0x48, SDL_SCANCODE_H, NONE, "H", "H", 'h', 'H'},
    {0x49, SDL_SCANCODE_I, NONE, "I", "I", 'i', 'I'},
    {0x4A, SDL_SCANCODE_J, NONE, "J", "J", 'j', 'J'},
    {0x4B, SDL_SCANCODE_K, NONE, "K", "K", 'k', 'K'},
    {0x4C, SDL_SCANCODE_L, NONE, "L", "L", 'l', 'L'},
    {0x4D, SDL_SCANCODE_M, NONE, "M", "M", 'm', 'M'},
    {0x4E, SDL_SCANCODE_N, NONE, "N", "N", 'n', 'N'},
    {0x4F, SDL_SCANCODE_O, NONE, "O", "O", 'o', 'O'},
    {0x50, SDL_SCANCODE_P, NONE, "P", "P", 'p', 'P'},
    {0x51, SDL_SCANCODE_Q, NONE, "Q", "Q", 'q', 'Q'},
    {0x52, SDL_SCANCODE_R, NONE, "R", "R", 'r', 'R'},
    {0x53, SDL_SCANCODE_S, NONE, "S", "S", 's', 'S'},
    {0x54, SDL_SCANCODE_T, NONE, "T", "T", 't', 'T'},
    {0x55, SDL_SCANCODE_U, NONE, "U", "U", 'u', 'U'},
    {0x56, SDL_SCANCODE_V, NONE, "V", "V", 'v', 'V'},
    {0x57, SDL_SCANCODE_W, NONE, "W", "W", 'w', 'W'},
    {0x58, SDL_SCANCODE_X, NONE, "X", "X", 'x', 'X'},
    {0x59, SDL_SCANCODE_Y, NONE, "Y", "Y", 'y', 'Y'},
    {0x5A, SDL_SCANCODE_Z, NONE, "Z", "Z", 'z', 'Z'},
    {0x60, SDL_SCANCODE_KP_0, NONE, "Numpad 0", "NUMPAD0", '0', '0'},
    {0x61, SDL_SCANCODE_KP_1, NONE, "Numpad 1", "NUMPAD1", '1', '1'},
    {0x62, SDL_SCANCODE_KP_2, NONE, "Numpad 2", "NUMPAD2", '2', '2'},
    {0x63, SDL_SCANCODE_KP_3, NONE, "Numpad 3", "NUMPAD3", '3', '3'},
    {0x64, SDL_SCANCODE_KP_4, NONE, "Numpad 4", "NUMPAD4", '4', '4'},
    {0x65, SDL_SCANCODE_KP_5, NONE, "Numpad 5", "NUMPAD5", '5', '5'},
    {0x66, SDL_SCANCODE_KP_6, NONE, "Numpad 6", "NUMPAD6", '6', '6'},
    {0x67, SDL_SCANCODE_KP_7, NONE, "Numpad 7", "NUMPAD7", '7', '7'},
    {0x68, SDL_SCANCODE_KP_8, NONE, "Numpad 8", "NUMPAD8", '8', '8'},
    {0x69, SDL_SCANCODE_KP_9, NONE, "Numpad 9", "NUMPAD9", '9', '9'},
    {HGEK_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, NONE, "Numpad *", "MULTIPLY", '*', '*'},
    {HGEK_ADD, SDL_SCANCODE_KP_PLUS, NONE, "Numpad +", "ADD", '+', '+'},
    {HGEK_SUBTRACT, SDL_SCANCODE_KP_MINUS, NONE, "Numpad -", "SUBTRACT", '-', '-'},
    {HGEK_DECIMAL, SDL_SCANCODE_KP_PERIOD, NONE, "Numpad .", "DECIMAL", '.', '.'},
    {HGEK_DIVIDE, SDL_SCANCODE_KP_DIVIDE, NONE, "Numpad /", "DIVIDE", '/', '/'},
    {0x70, SDL_SCANCODE_F1, NONE, "F1", "F1", 0, 0},
    {0x71, SDL_SCANCODE_F2, NONE, "F2", "F2", 0, 0},
    {0x72, SDL_SCANCODE_F3, NONE, "F3", "F3", 0, 0},
    {0x73, SDL_SCANCODE_F4, NONE, "F4", "F4", 0, 0},
    {0x74, SDL_SCANCODE_F5, NONE, "F5", "F5", 0, 0},
    {0x75, SDL_SCANCODE_F6, NONE, "F6", "F6", 0, 0},
    {0x76, SDL_SCANCODE_F7, NONE, "F7", "F7", 0, 0},
    {0x77, SDL_SCANCODE_F8, NONE, "F8", "F8", 0, 0},
    {0x78, SDL_SCANCODE_F9, NONE, "F9", "F9", 0, 0},
    {0x79, SDL_SCANCODE_F10, NONE, "F10", "F10", 0, 0},
    {0x7A, SDL_SCANCODE_F11, NONE, "F11", "F11", 0, 0},
    {0x7B, SDL_SCANCODE_F12, NONE, "F12", "F12", 0, 0},
    {HGEK_SEMICOLON, SDL_SCANCODE_SEMICOLON, NONE, ";", "SEMICOLON", ';', ':'},
    {HGEK_EQUALS, SDL_SCANCODE_EQUALS, NONE, "=", "EQUALS", '=', '+'},
    {HGEK_COMMA, SDL_SCANCODE_COMMA, NONE, ",", "COMMA", ',', '<'},
    {HGEK_MINUS, SDL_SCANCODE_MINUS, NONE, "-", "MINUS", '-', '_'},
    {HGEK_PERIOD, SDL_SCANCODE_PERIOD, NONE, ".", "PERIOD", '.', '>'},
    {HGEK_SLASH, SDL_SCANCODE_SLASH, NONE, "/", "SLASH", '/', '?'},
    {HGEK_GRAVE, SDL_SCANCODE_GRAVE, NONE, "`", "GRAVE", '`', '~'},
    {HGEK_LBRACKET, SDL_SCANCODE_LEFTBRACKET, NONE, "[", "LBRACKET", '[', '{'},
    {HGEK_BACKSLASH, SDL_SCANCODE_BACKSLASH, NONE, "\\", "BACKSLASH", '\\', '|'},
    {HGEK_RBRACKET, SDL_SCANCODE_RIGHTBRACKET, NONE, "]", "RBRACKET", ']', '}'},
    {HGEK_APOSTROPHE, SDL_SCANCODE_APOSTROPHE, NONE, "'", "APOSTROPHE", '\'', '"'},
};

// Other words scripts may use for the same keys.
struct Alias {
  const char* token;
  int code;
};
const Alias kAliases[] = {{"RETURN", HGEK_ENTER}, {"ESC", HGEK_ESCAPE},    {"CONTROL", HGEK_CTRL},
                          {"PAGEUP", HGEK_PGUP},  {"PAGEDOWN", HGEK_PGDN}, {"DEL", HGEK_DELETE},
                          {"INS", HGEK_INSERT}};

const KeyRow* RowOf(int key) {
  for (const KeyRow& row : kRows) {
    if (row.code == key) return &row;
  }
  return nullptr;
}

std::string Upper(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != ' ' && c != '_') out += static_cast<char>(toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

}  // namespace

int KeyFromScancode(int scancode) {
  if (scancode == SDL_SCANCODE_UNKNOWN) return 0;
  for (const KeyRow& row : kRows) {
    if (row.scan == scancode || row.scan2 == scancode) return row.code;
  }
  return 0;
}

const char* KeyName(int key) {
  const KeyRow* row = RowOf(key);
  return row ? row->name : "?";
}

int KeyChar(int key, bool shift) {
  const KeyRow* row = RowOf(key);
  if (!row) return 0;
  return static_cast<unsigned char>(shift ? row->shifted : row->plain);
}

}  // namespace engine

int KeyCodeFromName(const std::string& name) {
  const std::string wanted = engine::Upper(name);
  if (wanted.empty()) return 0;
  for (const engine::KeyRow& row : engine::kRows) {
    if (wanted == row.token || wanted == engine::Upper(row.name)) return row.code;
  }
  for (const engine::Alias& alias : engine::kAliases) {
    if (wanted == alias.token) return alias.code;
  }
  return 0;
}
