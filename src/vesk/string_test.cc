#include "vesk/string.h"

#include <gmock/gmock.h>

#include "vesk/data.h"

namespace vesk {
namespace {

std::vector<std::u16string> unitsOf(const String::Pieces& pieces) {
  std::vector<std::u16string> units;
  for (const auto& piece : pieces) units.push_back(piece->units());
  return units;
}

TEST(String, ConstructsFromEveryForm) {
  EXPECT_EQ(String("caf\xC3\xA9").units(), u"café");
  EXPECT_EQ(String(u"wide").units(), u"wide");
  EXPECT_EQ(String(String(u"abcdef"), 2, 10).units(), u"cdef");
  EXPECT_EQ(String(u"abc\0def", 1, 10).units(), u"bc");
  const char16_t withNul[] = {u'a', 0, u'b'};
  EXPECT_EQ(String(withNul, 3).length(), 3);
}

TEST(String, ComparesUnitsAsUnsignedValues) {
  EXPECT_LT(String(u"ab"), String(u"abc"));
  EXPECT_LT(String(u"z"), String(u"\u00E9"));
  const char16_t surrogate[] = {0xD800};
  EXPECT_LT(String(surrogate, 1), String(u"\uFFFF"));
  EXPECT_EQ(String(u"x"), String("x"));
}

TEST(String, SplitsOnAWholeSeparator) {
  EXPECT_THAT(unitsOf(*String(u"a,,b").split(String(u","))),
              ::testing::ElementsAre(u"a", u"", u"b"));
  EXPECT_THAT(unitsOf(*String(u"a,").split(String(u","))), ::testing::ElementsAre(u"a", u""));
  EXPECT_TRUE(String().split(String(u","))->empty());
  EXPECT_THAT(unitsOf(*String(u"a::b:c").split(String(u"::"))),
              ::testing::ElementsAre(u"a", u"b:c"));
  EXPECT_THAT(unitsOf(*String(u"abc").split(String())), ::testing::ElementsAre(u"abc"));
}

TEST(String, TreatsEveryKindOfLineBreakAsOne) {
  const String text(u"a\r\nb\n\rc\r\rd");
  EXPECT_EQ(text.replaceLineBreaks(String(u"\r"))->units(), u"a\rb\rc\r\rd");
  EXPECT_THAT(unitsOf(String().splitLines()), ::testing::ElementsAre(u""));
  EXPECT_THAT(unitsOf(String(u"x\n").splitLines()), ::testing::ElementsAre(u"x", u""));
  EXPECT_THAT(unitsOf(String(u"x\n\ny").splitLines()), ::testing::ElementsAre(u"x", u"", u"y"));
  EXPECT_EQ(String::join({}, String(u","))->units(), u"");
}

TEST(String, ConvertsToBytes) {
  auto utf16 = String(u"ab").toData(2);
  ASSERT_EQ(utf16->length(), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(utf16->bytes()), 4),
            std::string("a\0b\0", 4));
  auto utf8 = String(u"é").toData(0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(utf8->bytes()), utf8->length()), "\xC3\xA9");
  const char16_t withNul[] = {u'a', 0, u'b'};
  EXPECT_EQ(*String(withNul, 3).toUtf8(), "a");
}

TEST(String, DescribesItself) {
  EXPECT_EQ(String(u"me").description()->units(), u"me");
  EXPECT_EQ(Object().description()->units(), u"VESK Object has no description");
}

}  // namespace
}  // namespace vesk
