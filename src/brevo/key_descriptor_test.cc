// Key texts of shortcuts: which name the same combination and which are refused.
#include "brevo/key_descriptor.h"

#include <gtest/gtest.h>

#include "vesk/exception.h"

namespace brevo {
namespace {

KeyDescriptor parsed(const char16_t* text) { return parseKeyDescriptor(vesk::String(text)); }

TEST(KeyDescriptor, OrderAndRepetitionDoNotMatter) {
  const KeyDescriptor expected{{97, 256, 257}};
  for (const char16_t* text : {u"ctrl shift a", u"shift ctrl a", u"a shift ctrl shift"}) {
    EXPECT_EQ(parsed(text), expected);
  }
}

TEST(KeyDescriptor, CharactersKeepTheirCaseAndNamesGiveTheirRow) {
  EXPECT_EQ(parsed(u"ctrl A"), (KeyDescriptor{{65, 257}}));
  EXPECT_EQ(parsed(u"F1"), (KeyDescriptor{{260}}));
  EXPECT_EQ(parsed(u"F13 super"), (KeyDescriptor{{259, 272}}));
  EXPECT_EQ(parsed(u"pageup"), (KeyDescriptor{{275}}));
  EXPECT_EQ(parsed(u"pagedown"), (KeyDescriptor{{276}}));
  EXPECT_EQ(parsed(u"tab"), (KeyDescriptor{{284}}));
  EXPECT_EQ(parsed(u"+"), (KeyDescriptor{{'+'}}));
  // A character whose unit is in the named range is that named key.
  EXPECT_EQ(parsed(u"\u0100"), parsed(u"shift"));
}

TEST(KeyDescriptor, RefusesWhatIsNeitherACharacterNorAName) {
  for (const char16_t* text :
       {u"Ctrl a", u"f1", u"ctrl+a", u"ctrl  a", u" a", u"a ", u"control a", u"F14"}) {
    try {
      parsed(text);
      ADD_FAILURE() << "accepted a key text of " << std::u16string(text).size() << " units";
    } catch (const vesk::Exception& exception) {
      EXPECT_EQ(exception.errorNumber(), -50);
      EXPECT_STREQ(exception.what(), "Unknown key descriptor in shortcut");
    }
  }
}

TEST(KeyDescriptor, OrdersByTheirCodeSequences) {
  EXPECT_LT(parsed(u"a"), parsed(u"a b"));  // a prefix is smaller
  EXPECT_LT(parsed(u"a c"), parsed(u"b"));
  EXPECT_FALSE(parsed(u"b a") < parsed(u"a b"));
}

TEST(KeyDescriptor, NamedKeysOfTheKeyboardSide) {
  EXPECT_EQ(namedKeyCodeOf(33), 275u);  // Page Up
  EXPECT_EQ(namedKeyCodeOf(34), 276u);  // Page Down
  EXPECT_EQ(namedKeyCodeOf(112), 260u);
  EXPECT_EQ(namedKeyCodeOf(16), std::nullopt);  // modifiers are flags, not keys
  EXPECT_EQ(namedKeyCodeOf(36), std::nullopt);  // Home has no name
}

}  // namespace
}  // namespace brevo
