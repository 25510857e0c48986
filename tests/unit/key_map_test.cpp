#include "woxa/input/key_map.h"

#include <gtest/gtest.h>

#include <string>

#include "woxa/platform/win32.h"

namespace woxa {
namespace {

struct KeyRow {
  std::uint32_t virtual_key;
  std::int32_t code;
  const char* name;
  int plain;
  int shifted;
};

// One row of each kind of the key table, and every value that departs from
// what a reader would guess.
const KeyRow kRows[] = {
    {VK_BACK, 8, "Backspace", 8, 8},
    {VK_RETURN, 13, "Return", 10, 10},
    {VK_PAUSE, 19, "pause", 0, 0},
    {VK_ESCAPE, 27, "Escape", 0, 0},
    {VK_SPACE, 32, "Space", 32, 32},
    {VK_OEM_COMMA, 44, ",", 44, 60},
    {VK_OEM_2, 47, "/", 47, 63},
    {0x30, 48, "0", 48, 0},
    {0x32, 50, "2", 50, 34},
    {0x37, 55, "7", 55, 39},
    {0x39, 57, "9", 57, 41},
    {VK_OEM_1, 58, ":", 58, 42},
    {VK_OEM_PLUS, 59, ";", 59, 43},
    {0x41, 65, "A", 97, 65},
    {0x5A, 90, "Z", 122, 90},
    {VK_OEM_4, 91, "[", 91, 123},
    {VK_OEM_5, 92, "\\", 92, 124},
    {VK_OEM_7, 94, "^", 94, 126},
    {VK_OEM_3, 96, "`", 64, 96},
    {VK_NUMPAD0, 256, "Num 0", 48, 48},
    {VK_NUMPAD9, 265, "Num 9", 57, 57},
    {VK_DECIMAL, 266, "Num .", 46, 46},
    {VK_MULTIPLY, 268, "Num *", 42, 42},
    {VK_SEPARATOR, 271, "Num Return", 10, 10},
    {VK_INSERT, 272, "Insert", 0, 0},
    {VK_PRIOR, 276, "Page Up", 0, 0},
    {VK_LEFT, 281, "Left", 0, 0},
    {VK_F1, 282, "F1", 0, 0},
    {VK_F4, 285, "F4", 0, 0},
    {VK_F12, 293, "F12", 0, 0},
    {VK_CAPITAL, 295, "Caps Lock", 0, 0},
    {VK_MENU, 299, "Alt", 0, 0},
    {VK_RSHIFT, 300, "Right Shift", 0, 0},
    {VK_LMENU, 305, "Left Alt", 0, 0},
    {VK_SNAPSHOT, 306, "Print Screen", 0, 0},
    {VK_OEM_102, 307, "\\", 92, 95},
};

TEST(KeyMap, TranslatesVirtualKeysToCodesNamesAndCharacters) {
  KeyMap keys;
  for (const KeyRow& row : kRows) {
    EXPECT_EQ(keys.KeyOf(row.virtual_key), static_cast<std::uint32_t>(row.code)) << row.name;
    EXPECT_EQ(keys.VirtualKeyOf(row.code), row.virtual_key) << row.name;
    EXPECT_EQ(keys.NameOf(row.code), row.name) << row.code;
    EXPECT_EQ(keys.CharOf(row.code, false, false), static_cast<char>(row.plain)) << row.name;
    EXPECT_EQ(keys.CharOf(row.code, true, false), static_cast<char>(row.shifted)) << row.name;
  }
}

TEST(KeyMap, CapsLockInvertsShiftForLettersOnly) {
  struct Case {
    std::int32_t code;
    bool shift;
    bool caps_lock;
    char expected;
  };
  const Case cases[] = {
      {65, false, false, 'a'}, {65, true, false, 'A'}, {65, true, true, 'a'},  {65, false, true, 'A'},
      {90, false, true, 'Z'},  {49, false, true, '1'}, {49, true, true, '!'},  {44, false, true, ','},
      {96, false, true, '@'},  {256, true, true, '0'},
  };
  KeyMap keys;
  for (const Case& c : cases) {
    EXPECT_EQ(keys.CharOf(c.code, c.shift, c.caps_lock), c.expected)
        << c.code << " shift " << c.shift << " caps " << c.caps_lock;
  }
}

TEST(KeyMap, UnknownAndOutOfRangeInputsGiveTheNeutralValues) {
  KeyMap keys;
  for (std::uint32_t virtual_key : {0u, 0x5Bu, 0xFFu, 256u, 257u, 300u, 0xFFFFFFFFu}) {
    EXPECT_EQ(keys.KeyOf(virtual_key), 0u) << virtual_key;
  }
  for (std::int32_t code : {0, 1, 95, 100, 255, 308, 1000, -1, -300}) {
    EXPECT_EQ(keys.NameOf(code), "unknown key") << code;
    EXPECT_EQ(keys.CharOf(code, false, false), 0) << code;
    EXPECT_EQ(keys.CharOf(code, true, true), 0) << code;
  }
  for (std::int32_t code : {100, 255, 308, -1}) EXPECT_EQ(keys.VirtualKeyOf(code), KeyMap::kNoVirtualKey) << code;
  EXPECT_EQ(keys.VirtualKeyOf(0), 0u);  // the smallest virtual key of the unknown code
}

// Catches a mistyped virtual key in the table: two keys on one virtual key
// would leave one code unreachable.
TEST(KeyMap, EveryNamedCodeHasExactlyOneVirtualKey) {
  KeyMap keys;
  int named = 0;
  for (std::int32_t code = 1; code < KeyMap::kKeyCount; ++code) {
    if (keys.NameOf(code) == "unknown key") {
      EXPECT_EQ(keys.VirtualKeyOf(code), KeyMap::kNoVirtualKey) << code;
      continue;
    }
    ++named;
    const std::uint32_t virtual_key = keys.VirtualKeyOf(code);
    ASSERT_NE(virtual_key, KeyMap::kNoVirtualKey) << code;
    EXPECT_EQ(keys.KeyOf(virtual_key), static_cast<std::uint32_t>(code)) << code;
  }
  int mapped = 0;
  for (std::uint32_t v = 0; v < KeyMap::kVirtualKeyCount; ++v) mapped += keys.KeyOf(v) != 0 ? 1 : 0;
  EXPECT_EQ(named, 105);
  EXPECT_EQ(mapped, named);
}

TEST(KeyMap, RegistersItselfAsTheInstance) {
  {
    KeyMap keys;
    EXPECT_EQ(KeyMap::Instance(), &keys);
  }
  EXPECT_EQ(KeyMap::Instance(), nullptr);
}

}  // namespace
}  // namespace woxa
