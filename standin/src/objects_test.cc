// The stand-in's values: decimal numbers, dates, styled texts and the conversions between types.
#include <gmock/gmock.h>

#include <bit>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cmath>
#include <random>
#include <vector>

#include "objects.h"

namespace standin {
namespace {

std::u16string numberText(const std::u16string& text) { return Decimal::parse(text)->format(); }

TEST(Decimal, ReadsTextAsFileMakerDoes) {
  EXPECT_EQ(numberText(u"120"), u"120");
  EXPECT_EQ(numberText(u"0.50"), u"0.5");
  EXPECT_EQ(numberText(u"-50"), u"-50");
  EXPECT_EQ(numberText(u"a1b2"), u"12");
  EXPECT_EQ(numberText(u".5"), u"0.5");
  EXPECT_FALSE(Decimal::parse(u"abc").has_value());
}

TEST(Decimal, WritesTheWidestValuesWhole) {
  // 21 integer digits and 16 after the point: beyond 64 bits on both sides of the point.
  EXPECT_EQ(numberText(u"-123456789012345678901.0000000000000001"),
            u"-123456789012345678901.0000000000000001");
  EXPECT_EQ(numberText(u"0.0000000000000001"), u"0.0000000000000001");
  EXPECT_EQ(numberText(u"1844.6744073709551616"), u"1844.6744073709551616");
  EXPECT_EQ(numberText(u"-0"), u"0");
  // Whole parts of every size up to 2^63, with 16 digits after the point that end in 9 or 1.
  std::mt19937_64 random(11);
  for (int i = 0; i < 20000; ++i) {
    const uint64_t whole = random() >> (1 + random() % 63);
    const uint64_t fraction = 1'000'000'000'000'000 + random() % 9'000'000'000'000'000;
    char ascii[48];
    const int length = std::snprintf(ascii, sizeof ascii, "-%" PRIu64 ".%" PRIu64, whole, fraction);
    ascii[length - 1] = i % 2 ? '9' : '1';
    const std::u16string text(ascii, ascii + length);
    ASSERT_EQ(numberText(text), text);
  }
  EXPECT_EQ(Decimal::fromDouble(12500.125).format(), u"12500.125");
  EXPECT_EQ(Decimal::fromDouble(-1e20).format(), u"-100000000000000000000");
}

TEST(Decimal, KeepsSixteenDigitsExactly) {
  const Decimal tenth = *Decimal::parse(u"0.1");
  EXPECT_EQ((tenth + *Decimal::parse(u"0.2")).format(), u"0.3");
  EXPECT_EQ(Decimal::fromDouble(2.5).format(), u"2.5");
  EXPECT_EQ(Decimal::fromDouble(1.0 / 3.0, 4).format(), u"0.3333");
  EXPECT_EQ((*Decimal::parse(u"-2") * *Decimal::parse(u"1.5")).format(), u"-3");
  EXPECT_FALSE(Decimal::fromInt(1).dividedBy(Decimal()).has_value());
  EXPECT_EQ(Decimal::fromInt(-7).dividedBy(Decimal::fromInt(2))->truncated(), -3);
  EXPECT_EQ(Decimal::fromDouble(std::nan("")).format(), u"0");
}

// The decimal of a double is the shortest text that reads back as it, read as FileMaker reads.
std::u16string shortestText(double value) {
  char buffer[400];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return numberText(std::u16string(buffer, end.ptr));
}

TEST(Decimal, ReadsDoublesAsTheirShortestText) {
  std::mt19937_64 random(7);
  std::vector<double> values = {0.1, 0.2 + 0.1, -0.0, 1e15 + 0.3, 123456.789, 4503599627370495.5,
                                9007199254740993.0, 1e-16, 5e-17, 1e-300, -2.5e-9, 0.1 / 3};
  for (int i = 0; i < 20000; ++i) {
    // Database-like values (whole numbers over small powers of ten) and arbitrary bit patterns.
    const auto whole = static_cast<double>(static_cast<int64_t>(random() % 2'000'000'000) - 1e9);
    values.push_back(whole / std::pow(10.0, static_cast<double>(random() % 12)));
    const double any = std::bit_cast<double>(random());
    if (std::isfinite(any) && std::fabs(any) < 1e21) values.push_back(any);
  }
  for (double value : values) {
    EXPECT_EQ(Decimal::fromDouble(value).format(), shortestText(value)) << value;
  }
  EXPECT_EQ(Decimal::fromDouble(2.675, 2).format(), u"2.68");  // the decimal 2.675, not the double
}

TEST(Dates, CountFromTheFirstOfJanuaryOfYearOne) {
  EXPECT_EQ(secondsOfDate(1, 1, 1), Decimal());
  EXPECT_EQ(formatDate(secondsOfDate(2024, 2, 29)), u"2/29/2024");
  int year = 0, month = 0, day = 0;
  dateOfSeconds(secondsOfDate(1600, 12, 31) + Decimal::fromInt(86399), year, month, day);
  EXPECT_EQ(year * 10000 + month * 100 + day, 16001231);
  // 1601-01-01 is 584,388 days after 0001-01-01.
  EXPECT_EQ(secondsOfDate(1601, 1, 1), Decimal::fromInt(50'491'123'200));
  EXPECT_EQ(formatTimestamp(secondsOfDate(2026, 12, 6) + *Decimal::parse(u"32703.25")),
            u"12/6/2026 9:05:03.25");
  EXPECT_EQ(formatTime(Decimal::fromInt(90000)), u"25:00:00");
  EXPECT_EQ(parseTimestamp(u"12/6/2026 9:05:03.25"),
            secondsOfDate(2026, 12, 6) + *Decimal::parse(u"32703.25"));
  EXPECT_FALSE(parseDate(u"13/40/2026").has_value());
}

TEST(Data, ConvertsBetweenTypesAsFileMakerDoes) {
  FM_Data date;
  date.setDateTime({secondsOfDate(2026, 12, 6) + Decimal::fromInt(500)}, FM_TYPE_DATE);
  EXPECT_EQ(date.asText().units, u"12/6/2026");
  EXPECT_EQ(date.asTimestamp().seconds, secondsOfDate(2026, 12, 6));  // a date has no time
  FM_Data text;
  text.setText(FM_Text{u"12/6/2026 10:00:00", {}});
  EXPECT_EQ(text.asTime().seconds, Decimal::fromInt(36000));
  EXPECT_EQ(text.asDate().seconds, secondsOfDate(2026, 12, 6));
  FM_Data number;
  number.setNumber(Decimal::fromInt(2));
  EXPECT_EQ(number.asDate().seconds, secondsOfDate(1, 1, 2));
  FM_Data nothing;
  EXPECT_EQ(nothing.asText().units, u"");
  EXPECT_TRUE(nothing.asNumber().isZero());
}

FM_CharacterStyle bold() {
  FM_CharacterStyle style;
  style.enabled = kStyleFaceEnabled;
  style.face = kFaceBold;
  return style;
}

TEST(Text, KeepsStyleRunsThroughEdits) {
  FM_Text text{u"abcdef", {}};
  text.setStyle(bold(), 1, 2);
  EXPECT_THAT(text.runs, ::testing::ElementsAre(StyleRun{0, {}}, StyleRun{1, bold()},
                                                StyleRun{3, {}}));
  text.setStyle(bold(), 3, 1);  // joins the run before it
  EXPECT_EQ(text.runs.size(), 3u);
  EXPECT_EQ(text.styleAt(3), bold());
  text.erase(0, 1);
  EXPECT_EQ(text.units, u"bcdef");
  EXPECT_EQ(text.styleAt(0), bold());
  FM_Text copy;
  copy.appendRange(text, 2, 3);
  EXPECT_EQ(copy.units, u"def");
  EXPECT_EQ(copy.styleAt(0), bold());
  EXPECT_EQ(copy.styleAt(1), FM_CharacterStyle{});
  text.appendRange(text, 0, 5);  // onto itself
  EXPECT_EQ(text.units, u"bcdefbcdef");
  EXPECT_EQ(text.styleAt(5), bold());
  text.setStyle(FM_CharacterStyle{}, 0, 10);
  EXPECT_TRUE(text.runs.empty());
}

TEST(Text, InsertsWithTheInsertedStyles) {
  FM_Text text{u"ad", {}};
  FM_Text middle{u"bc", {}};
  middle.setStyle(bold(), 0, 2);
  text.insert(middle, 1);
  EXPECT_EQ(text.units, u"abcd");
  EXPECT_EQ(text.styleAt(0), FM_CharacterStyle{});
  EXPECT_EQ(text.styleAt(2), bold());
  EXPECT_EQ(text.styleAt(3), FM_CharacterStyle{});
  text.insert(middle, 99);
  EXPECT_EQ(text.units, u"abcdbc");
}

TEST(CaseMapping, CoversLatinGreekAndCyrillic) {
  EXPECT_EQ(lowercased(u"ÀÉÎ ΣΩ ЖЯ Ž"), u"àéî σω жя ž");
  EXPECT_EQ(uppercased(u"àéî σω жя ž"), u"ÀÉÎ ΣΩ ЖЯ Ž");
}

}  // namespace
}  // namespace standin
