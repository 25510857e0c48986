#include "woxa/input/key_map.h"

#include "woxa/platform/win32.h"

namespace woxa {
namespace {

struct KeyEntry {
  std::int32_t code;
  const char* name;
  std::uint32_t virtual_key;
  char plain;
  char shifted;
};

// The single keys. Digits, letters, the numeric pad's digits and the
// function keys are ranges, filled in by DefineRanges. Note the JIS layout:
// Return gives line feed, VK_OEM_3 is named "`" but gives '@' unshifted, and
// two different keys are named "\" (92 and 307).
constexpr KeyEntry kKeys[] = {
    {8, "Backspace", VK_BACK, 8, 8},
    {9, "Tab", VK_TAB, 9, 9},
    {13, "Return", VK_RETURN, 10, 10},
    {19, "pause", VK_PAUSE, 0, 0},
    {27, "Escape", VK_ESCAPE, 0, 0},
    {32, "Space", VK_SPACE, 32, 32},
    {44, ",", VK_OEM_COMMA, 44, 60},
    {45, "-", VK_OEM_MINUS, 45, 61},
    {46, ".", VK_OEM_PERIOD, 46, 62},
    {47, "/", VK_OEM_2, 47, 63},
    {58, ":", VK_OEM_1, 58, 42},
    {59, ";", VK_OEM_PLUS, 59, 43},
    {91, "[", VK_OEM_4, 91, 123},
    {92, "\\", VK_OEM_5, 92, 124},
    {93, "]", VK_OEM_6, 93, 125},
    {94, "^", VK_OEM_7, 94, 126},
    {96, "`", VK_OEM_3, 64, 96},
    {266, "Num .", VK_DECIMAL, 46, 46},
    {267, "Num /", VK_DIVIDE, 47, 47},
    {268, "Num *", VK_MULTIPLY, 42, 42},
    {269, "Num -", VK_SUBTRACT, 45, 45},
    {270, "Num +", VK_ADD, 43, 43},
    {271, "Num Return", VK_SEPARATOR, 10, 10},
    {272, "Insert", VK_INSERT, 0, 0},
    {273, "Delete", VK_DELETE, 0, 0},
    {274, "Home", VK_HOME, 0, 0},
    {275, "End", VK_END, 0, 0},
    {276, "Page Up", VK_PRIOR, 0, 0},
    {277, "Page Down", VK_NEXT, 0, 0},
    {278, "Up", VK_UP, 0, 0},
    {279, "Down", VK_DOWN, 0, 0},
    {280, "Right", VK_RIGHT, 0, 0},
    {281, "Left", VK_LEFT, 0, 0},
    {294, "Num Lock", VK_NUMLOCK, 0, 0},
    {295, "Caps Lock", VK_CAPITAL, 0, 0},
    {296, "Scroll Lock", VK_SCROLL, 0, 0},
    {297, "Shift", VK_SHIFT, 0, 0},
    {298, "Ctrl", VK_CONTROL, 0, 0},
    {299, "Alt", VK_MENU, 0, 0},
    {300, "Right Shift", VK_RSHIFT, 0, 0},
    {301, "Left Shift", VK_LSHIFT, 0, 0},
    {302, "Right Ctrl", VK_RCONTROL, 0, 0},
    {303, "Left Ctrl", VK_LCONTROL, 0, 0},
    {304, "Right Alt", VK_RMENU, 0, 0},
    {305, "Left Alt", VK_LMENU, 0, 0},
    {306, "Print Screen", VK_SNAPSHOT, 0, 0},
    {307, "\\", VK_OEM_102, 92, 95},
};

// Shifted digits on the JIS layout; Shift+0 gives nothing.
constexpr char kShiftedDigits[10] = {0, '!', '"', '#', '$', '%', '&', '\'', '(', ')'};

constexpr std::int32_t kFirstNumPadCode = 256;
constexpr std::int32_t kFirstFunctionCode = 282;

}  // namespace

KeyMap::KeyMap() {
  key_of_virtual_key_.fill(0);
  names_.fill("unknown key");
  characters_.fill(Characters{0, 0});
  DefineKeys();
  DefineRanges();
}

void KeyMap::Define(std::int32_t code, const std::string& name, std::uint32_t virtual_key, char plain,
                    char shifted) {
  key_of_virtual_key_[virtual_key] = static_cast<std::uint32_t>(code);
  names_[code] = name;
  characters_[code] = Characters{plain, shifted};
}

void KeyMap::DefineKeys() {
  for (const KeyEntry& key : kKeys) Define(key.code, key.name, key.virtual_key, key.plain, key.shifted);
}

void KeyMap::DefineRanges() {
  for (int d = 0; d < 10; ++d) {
    const char digit = static_cast<char>('0' + d);
    Define(digit, std::string(1, digit), static_cast<std::uint32_t>(digit), digit, kShiftedDigits[d]);
    Define(kFirstNumPadCode + d, std::string("Num ") + digit, VK_NUMPAD0 + d, digit, digit);
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const char small = static_cast<char>(letter - 'A' + 'a');
    Define(letter, std::string(1, letter), static_cast<std::uint32_t>(letter), small, letter);
  }
  for (int f = 0; f < 12; ++f) {
    Define(kFirstFunctionCode + f, "F" + std::to_string(f + 1), VK_F1 + f, 0, 0);
  }
}

std::uint32_t KeyMap::KeyOf(std::uint32_t virtual_key) const {
  return virtual_key < kVirtualKeyCount ? key_of_virtual_key_[virtual_key] : 0;
}

char KeyMap::CharOf(std::int32_t code, bool shift, bool caps_lock) const {
  if (!IsCode(code)) return 0;
  const bool letter = code >= 'A' && code <= 'Z';
  const bool shifted = letter ? shift != caps_lock : shift;
  return shifted ? characters_[code].shifted : characters_[code].plain;
}

const std::string& KeyMap::NameOf(std::int32_t code) const { return names_[IsCode(code) ? code : 0]; }

std::uint32_t KeyMap::VirtualKeyOf(std::int32_t code) const {
  if (code < 0) return kNoVirtualKey;
  for (std::uint32_t v = 0; v < kVirtualKeyCount; ++v) {
    if (key_of_virtual_key_[v] == static_cast<std::uint32_t>(code)) return v;
  }
  return kNoVirtualKey;
}

}  // namespace woxa
