#include "vesk/text_conversions.h"

#include <gmock/gmock.h>

#include "fm/objects.h"

namespace vesk {
namespace {

TEST(TextConversions, CarryEveryUnitFromFileMakerText) {
  fm::Text text;
  const char16_t units[] = {u'a', 0, u'b'};
  text.assignUnicode(units, 3);
  EXPECT_EQ(stringFromFileMakerText(text)->length(), 3);
  fm::Text empty;
  EXPECT_EQ(stringFromFileMakerText(empty)->length(), 0);
}

TEST(TextConversions, WriteOneCarriageReturnForEveryLineBreak) {
  fm::Text target("old");
  assignToFileMakerText(String(u"a\r\nb\nc"), target);
  EXPECT_EQ(fm::units(target), u"a\rb\rc");
  const char16_t withNul[] = {u'x', 0, u'y'};
  assignToFileMakerText(String(withNul, 3), target);
  EXPECT_EQ(fm::units(target), u"x");
  assignToFileMakerText(String(), target);
  EXPECT_EQ(fm::size(target), 0u);
}

TEST(TextConversions, ReadTheBytesOfFileMakerText) {
  fm::Text text;
  text.assignUnicode(u"é€", 2);
  EXPECT_EQ(fileMakerTextBytes(text, FM_ENCODING_UTF8), "\xC3\xA9\xE2\x82\xAC");
  EXPECT_LT(fileMakerTextBytes(fm::Text("b"), FM_ENCODING_UTF8),
            fileMakerTextBytes(text, FM_ENCODING_UTF8));
}

}  // namespace
}  // namespace vesk
