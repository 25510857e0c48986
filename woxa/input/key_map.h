// The keyboard vocabulary (global service 3): Windows virtual keys to the
// toolkit's key codes, key names and the characters keys produce on the
// Japanese (JIS) layout. Key codes 0 to 255 are the unshifted glyph of a key
// that prints (letters use their capital); keys that print nothing have codes
// from 256 to 307. Code 0, "unknown key", stands for every key not known.
// Every lookup takes any input: out-of-range values give code 0, character 0,
// "unknown key" or kNoVirtualKey.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "woxa/framework/singleton.h"

namespace woxa {

class KeyMap : public Singleton<KeyMap> {
 public:
  static constexpr std::uint32_t kVirtualKeyCount = 257;  // virtual keys 0 to 256
  static constexpr std::int32_t kKeyCount = 308;          // key codes 0 to 307
  static constexpr std::uint32_t kNoVirtualKey = 257;     // VirtualKeyOf: no virtual key has the code

  KeyMap();
  ~KeyMap() override = default;

  // The key code of a virtual key; 0 for unknown keys and values above 256.
  std::uint32_t KeyOf(std::uint32_t virtual_key) const;
  // The character the key gives, 0 for none. Caps Lock inverts Shift for the
  // letters only. Return keys give '\n'.
  char CharOf(std::int32_t code, bool shift, bool caps_lock) const;
  const std::string& NameOf(std::int32_t code) const;
  // The smallest virtual key that maps to code, or kNoVirtualKey. A linear
  // search, meant for occasional GetKeyState queries.
  std::uint32_t VirtualKeyOf(std::int32_t code) const;

 private:
  struct Characters {
    char plain;
    char shifted;
  };

  void Define(std::int32_t code, const std::string& name, std::uint32_t virtual_key, char plain, char shifted);
  void DefineKeys();
  void DefineRanges();
  static bool IsCode(std::int32_t code) { return code >= 0 && code < kKeyCount; }

  std::array<std::uint32_t, kVirtualKeyCount> key_of_virtual_key_;
  std::array<std::string, kKeyCount> names_;
  std::array<Characters, kKeyCount> characters_;
};

}  // namespace woxa
