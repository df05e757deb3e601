// The stand-in host's objects: what lies behind the opaque handles of the host API.
//
// Everything here runs on the host's one thread; nothing is locked. Every object made through a
// Constructor call is counted by kind (see standin/control.h) until its Delete.
#ifndef STANDIN_OBJECTS_H_
#define STANDIN_OBJECTS_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fm/api.h"
#include "standin/unicode.h"

namespace standin {

// A decimal number with 16 digits after the point, held exactly as a scaled 128-bit integer:
// FileMaker numbers are decimal, so 0.1 + 0.2 is 0.3 here as it is there.
class Decimal {
 public:
  static constexpr int kFractionDigits = 16;

  Decimal() = default;
  static Decimal fromInt(int64_t value);
  // Rounds to `precision` (at most 16) digits after the point; NaN and infinities give 0.
  static Decimal fromDouble(double value, int precision = kFractionDigits);
  // FileMaker's reading of a number in text: the digits, at most one point and a leading minus
  // sign, everything else ignored ("a1b2" is 12); no digits at all gives nothing.
  static std::optional<Decimal> parse(std::u16string_view text);

  double toDouble() const;
  int64_t truncated() const;  // toward zero
  bool isZero() const { return scaled_ == 0; }
  // FileMaker's text of a number: no exponent, no trailing zeros, "0.5", "-50", "120".
  std::u16string format() const;

  Decimal operator+(const Decimal& other) const;
  Decimal operator-(const Decimal& other) const;
  Decimal operator*(const Decimal& other) const;
  // Division by zero gives nothing (FileMaker shows "?").
  std::optional<Decimal> dividedBy(const Decimal& other) const;
  Decimal negated() const;
  Decimal roundedTo(int precision) const;
  auto operator<=>(const Decimal&) const = default;

 private:
  static std::optional<Decimal> fromShortDouble(double value);

  // Aligned as a pair of 64-bit words rather than as one 16-byte word: a value keeps a number
  // and a date-time, and their padding to 16 bytes made every value 16 bytes larger.
  using Scaled = __int128 __attribute__((aligned(8)));
  Scaled scaled_ = 0;  // value × 10^16
};

}  // namespace standin

// Face bits and enabled-attribute bits of a character style.
enum : uint16_t {
  kFacePlain = 0,
  kFaceBold = 1 << 8,
  kFaceItalic = 1 << 9,
  kFaceUnderline = 1 << 10,
};
enum : uint16_t {
  kStyleFontEnabled = 1 << 0,
  kStyleFaceEnabled = 1 << 1,
  kStyleSizeEnabled = 1 << 2,
  kStyleColorEnabled = 1 << 3,
};

struct FM_CharacterStyle {
  uint16_t enabled = 0;  // which of the attributes below are set
  uint16_t font = 0;
  uint16_t face = kFacePlain;
  uint16_t size = 12;
  uint32_t color = 0;  // 0xRRGGBB
  bool operator==(const FM_CharacterStyle&) const = default;
};

// A run of equal style from `start` up to the next run's start (or the end of the text).
struct StyleRun {
  uint32_t start = 0;
  FM_CharacterStyle style;
  bool operator==(const StyleRun&) const = default;
};

// UTF-16 text with its character styles. `runs` is sorted by start, holds no two neighbours of
// equal style, and is empty for text that is plain throughout. Appends are amortised constant
// time per unit.
struct FM_Text {
  std::u16string units;
  std::vector<StyleRun> runs;

  FM_CharacterStyle styleAt(uint32_t position) const;
  // Appends units [position, position + size) of `other` with their styles.
  void appendRange(const FM_Text& other, uint32_t position, uint32_t size);
  void appendPlain(const std::u16string& more, const FM_CharacterStyle& style = {});
  void setStyle(const FM_CharacterStyle& style, uint32_t position, uint32_t size);
  void erase(uint32_t position, uint32_t size);
  // Inserts the whole of `other`, with its styles, before `position` (clipped to the end).
  void insert(const FM_Text& other, uint32_t position);
  void clear() {
    units.clear();
    runs.clear();
  }
};

struct FM_Locale {
  std::string name = "en_US";
};

// The locale every value has unless one is given. At namespace scope, so that every new value
// takes its address without a guarded call.
inline const FM_Locale kDefaultLocale;

struct FM_BinaryData {
  std::vector<uint8_t> bytes;
};

// Seconds since 0001-01-01 00:00:00, local time, with the fraction kept. A date holds whole days;
// a time holds the seconds of a duration (it may exceed a day).
struct FM_DateTime {
  standin::Decimal seconds;
};

struct FM_FixPt {
  standin::Decimal value;
  int32_t precision = standin::Decimal::kFractionDigits;
};

// A value of one native type, kept small: a query's answer holds one per cell. The `Get` answers
// of other types are derived on demand, cached, and stay valid until the value next changes: the
// text of a value that is not text is cached in `text` itself, which such a value does not use.
struct FM_Data {
  int32_t type = FM_TYPE_INVALID;
  mutable bool textIsView = false;  // `text` holds the text of a value of another type
  mutable FM_Text text;             // FM_TYPE_TEXT
  // The native number and date-time are kept in the form their Get answers take, so that asking
  // a value for its own type makes no view.
  FM_FixPt number;                  // FM_TYPE_NUMBER, FM_TYPE_BOOLEAN (0 or 1)
  FM_DateTime dateTime;             // FM_TYPE_DATE, FM_TYPE_TIME, FM_TYPE_TIMESTAMP
  // FM_TYPE_CONTAINER: the bytes, and the file name a container shows as text.
  struct Container {
    FM_BinaryData binary;
    std::u16string name;
  };
  std::unique_ptr<Container> container;
  const FM_Locale* locale = &kDefaultLocale;

  // The number and date-time views of values of other types, made when first asked for.
  struct Views {
    std::optional<FM_FixPt> number;
    std::optional<FM_DateTime> date;
    std::optional<FM_DateTime> time;
    std::optional<FM_DateTime> timestamp;
  };
  mutable std::unique_ptr<Views> views;

  // Defined with the other members, so that a value made in place (a query's answer makes one per
  // cell) is built member by member instead of being zeroed whole first.
  FM_Data();
  FM_Data(const FM_Data& other);
  FM_Data& operator=(const FM_Data& other);
  FM_Data(FM_Data&& other) noexcept = default;
  FM_Data& operator=(FM_Data&& other) noexcept = default;

  void setText(const FM_Text& value);
  void setText(FM_Text&& value);
  void setNumber(const standin::Decimal& value, int32_t nativeType = FM_TYPE_NUMBER);
  void setDateTime(const FM_DateTime& value, int32_t nativeType);
  void setBinary(const FM_BinaryData& value);
  void clearViews() const;
  Views& viewsOf() const;

  // A lasting copy of `locale`: the default one itself, or one kept for each distinct other.
  static const FM_Locale* internLocale(const FM_Locale& locale);

  // FileMaker's conversions between types.
  FM_Text asText() const;
  standin::Decimal asNumber() const;
  FM_DateTime asDate() const;
  FM_DateTime asTime() const;
  FM_DateTime asTimestamp() const;
};

struct FM_DataVect {
  std::vector<FM_Data> values;
};

struct FM_RowVect {
  std::vector<FM_DataVect> rows;
};

struct FM_QuadChar {
  char characters[4] = {0, 0, 0, 0};
};

namespace standin {
class Session;
}

// An environment is the context of one calculation: the host session and, within it, the file
// (and the table and record of that file) the calculation runs for.
struct FM_ExprEnv {
  standin::Session* session = nullptr;  // null until the host points it somewhere
  std::u16string fileName;
  std::u16string scriptParameter;       // Get( ScriptParameter )
};

namespace standin {

inline constexpr int64_t kSecondsPerDay = 86400;

// FileMaker's texts of dates and times, in the stand-in's US-English locale:
// "12/6/2026", "9:05:03", "12/6/2026 9:05:03.25".
std::u16string formatDate(const Decimal& seconds);
std::u16string formatTime(const Decimal& seconds);
std::u16string formatTimestamp(const Decimal& seconds);
// Reads the texts above back ("m/d/yyyy", "h:mm[:ss[.fff]]", both separated by a space).
std::optional<Decimal> parseDate(const std::u16string& text);
std::optional<Decimal> parseTime(const std::u16string& text);
std::optional<Decimal> parseTimestamp(const std::u16string& text);
// Seconds since 0001-01-01 of a calendar date (proleptic Gregorian), and back.
Decimal secondsOfDate(int year, int month, int day);
void dateOfSeconds(const Decimal& seconds, int& year, int& month, int& day);


// Simple case mapping of one UTF-16 unit (Latin, Greek and Cyrillic letters), as FileMaker's
// Lower and Upper change letters one by one.
char16_t lowercaseUnit(char16_t unit);
char16_t uppercaseUnit(char16_t unit);
std::u16string lowercased(const std::u16string& text);
std::u16string uppercased(const std::u16string& text);

}  // namespace standin

#endif  // STANDIN_OBJECTS_H_
