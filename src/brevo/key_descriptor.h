// Key combinations of the keyboard shortcuts. Characters and named keys share one number space:
// a character is its UTF-16 code unit, a named key is 256 plus its row in the key-name table, and
// a combination is the set of its codes, so that order and repetition do not matter.
#ifndef BREVO_KEY_DESCRIPTOR_H_
#define BREVO_KEY_DESCRIPTOR_H_

#include <array>
#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string_view>

#include "vesk/script.h"
#include "vesk/string.h"

namespace brevo {

struct KeyDescriptor {
  std::set<uint32_t> codes;  // ascending, no duplicates

  bool operator==(const KeyDescriptor&) const = default;
  // The ascending code sequences element by element; a prefix is smaller.
  auto operator<=>(const KeyDescriptor& other) const { return codes <=> other.codes; }
};

struct KeyName {
  std::u16string_view name;
  uint32_t virtualKey;  // for the four modifiers, the key that must be down
};

constexpr uint32_t kFirstNamedKeyCode = 256;
constexpr size_t kModifierCount = 4;  // the first rows: shift, ctrl, alt, super

// Names compared exactly, case-sensitive; a row's code is 256 plus its index.
constexpr std::array<KeyName, 29> kKeyNames{{
    {u"shift", 16},    {u"ctrl", 17},     {u"alt", 18},   {u"super", 93}, {u"F1", 112},
    {u"F2", 113},      {u"F3", 114},      {u"F4", 115},   {u"F5", 116},   {u"F6", 117},
    {u"F7", 118},      {u"F8", 119},      {u"F9", 120},   {u"F10", 121},  {u"F11", 122},
    {u"F12", 123},     {u"F13", 124},     {u"enter", 13}, {u"esc", 27},   {u"pageup", 33},
    {u"pagedown", 34}, {u"up", 38},       {u"down", 40},  {u"left", 37},  {u"right", 39},
    {u"delete", 46},   {u"backspace", 8}, {u"space", 32}, {u"tab", 9},
}};

// The code of the named, non-modifier key that `virtualKey` stands for, if it is one.
std::optional<uint32_t> namedKeyCodeOf(uint32_t virtualKey);

// Pieces between single spaces: one code unit is that character, case kept; anything else must
// be a name of the table. Throws vesk::Exception (-50, "Unknown key descriptor in shortcut").
KeyDescriptor parseKeyDescriptor(const vesk::String& keyText);

struct ScriptShortcut {
  KeyDescriptor key;
  std::shared_ptr<vesk::Script> script;
};

}  // namespace brevo

#endif  // BREVO_KEY_DESCRIPTOR_H_
