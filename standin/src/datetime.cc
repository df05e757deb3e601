// The calendar and FileMaker's texts of dates, times and timestamps (US-English locale).
#include <string>

#include "objects.h"

namespace standin {

namespace {

// 1970-01-01 is day 719,162 counted from 0001-01-01.
constexpr int64_t kUnixEpochDay = 719162;

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t daysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

std::u16string number(int64_t value, size_t width = 1) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return std::u16string(digits.begin(), digits.end());
}

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// "h:mm:ss" of whole seconds, then the fraction without trailing zeros, at most 6 digits.
std::u16string clockText(const Decimal& seconds) {
  const Decimal rounded = seconds.roundedTo(6);
  const bool negative = rounded < Decimal();
  const Decimal magnitude = negative ? rounded.negated() : rounded;
  const int64_t whole = magnitude.truncated();
  std::u16string text = negative ? u"-" : u"";
  text += number(whole / 3600) + u":" + number(whole / 60 % 60, 2) + u":" + number(whole % 60, 2);
  const std::u16string all = (magnitude - Decimal::fromInt(whole)).format();  // "0" or "0.25"
  if (all.size() > 1) text += all.substr(1);
  return text;
}

// Reads unsigned whole numbers separated by `separator`; answers false on anything else.
bool readFields(const std::u16string& text, char16_t separator, std::vector<std::u16string>& fields) {
  fields.assign(1, u"");
  for (char16_t unit : text) {
    if (unit == separator) {
      fields.emplace_back();
    } else {
      fields.back().push_back(unit);
    }
  }
  for (const auto& field : fields) {
    if (field.empty()) return false;
  }
  return true;
}

bool allDigits(const std::u16string& text) {
  for (char16_t unit : text) {
    if (unit < u'0' || unit > u'9') return false;
  }
  return !text.empty() && text.size() < 10;
}

int64_t toInteger(const std::u16string& digits) {
  int64_t value = 0;
  for (char16_t unit : digits) value = value * 10 + (unit - u'0');
  return value;
}

std::u16string trimmed(const std::u16string& text) {
  const size_t first = text.find_first_not_of(u" \t");
  if (first == std::u16string::npos) return u"";
  return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

}  // namespace

Decimal secondsOfDate(int year, int month, int day) {
  return Decimal::fromInt((daysFromCivil(year, month, day) + kUnixEpochDay) * kSecondsPerDay);
}

void dateOfSeconds(const Decimal& seconds, int& year, int& month, int& day) {
  int64_t whole = seconds.truncated();
  if (Decimal::fromInt(whole) > seconds) --whole;  // floor, for times before the epoch
  const int64_t days = floorDiv(whole, kSecondsPerDay);
  civilFromDays(days - kUnixEpochDay, year, month, day);
}

std::u16string formatDate(const Decimal& seconds) {
  int year = 1, month = 1, day = 1;
  dateOfSeconds(seconds, year, month, day);
  return number(month) + u"/" + number(day) + u"/" + number(year, 4);
}

std::u16string formatTime(const Decimal& seconds) { return clockText(seconds); }

std::u16string formatTimestamp(const Decimal& seconds) {
  int year = 1, month = 1, day = 1;
  dateOfSeconds(seconds, year, month, day);
  const Decimal timeOfDay = seconds - secondsOfDate(year, month, day);
  return formatDate(seconds) + u" " + clockText(timeOfDay);
}

std::optional<Decimal> parseDate(const std::u16string& input) {
  const std::u16string text = trimmed(input);
  std::vector<std::u16string> fields;
  int year = 0, month = 0, day = 0;
  if (readFields(text, u'/', fields) && fields.size() == 3) {
    month = static_cast<int>(toInteger(fields[0]));
    day = static_cast<int>(toInteger(fields[1]));
    year = static_cast<int>(toInteger(fields[2]));
  } else if (readFields(text, u'-', fields) && fields.size() == 3) {  // ISO yyyy-mm-dd
    year = static_cast<int>(toInteger(fields[0]));
    month = static_cast<int>(toInteger(fields[1]));
    day = static_cast<int>(toInteger(fields[2]));
  } else {
    return std::nullopt;
  }
  for (const auto& field : fields) {
    if (!allDigits(field)) return std::nullopt;
  }
  if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1 || year > 4000) return std::nullopt;
  int checkYear, checkMonth, checkDay;
  const Decimal seconds = secondsOfDate(year, month, day);
  dateOfSeconds(seconds, checkYear, checkMonth, checkDay);
  if (checkDay != day) return std::nullopt;  // 2/30 and the like
  return seconds;
}

std::optional<Decimal> parseTime(const std::u16string& input) {
  const std::u16string text = trimmed(input);
  std::vector<std::u16string> fields;
  if (!readFields(text, u':', fields) || fields.size() < 2 || fields.size() > 3) return std::nullopt;
  std::u16string secondsField = fields.size() == 3 ? fields[2] : u"0";
  std::u16string fraction;
  const size_t point = secondsField.find(u'.');
  if (point != std::u16string::npos) {
    fraction = secondsField.substr(point);
    secondsField = secondsField.substr(0, point);
    if (fraction.size() < 2 || !allDigits(fraction.substr(1, 9))) return std::nullopt;
  }
  if (!allDigits(fields[0]) || !allDigits(fields[1]) || !allDigits(secondsField)) return std::nullopt;
  const int64_t minutes = toInteger(fields[1]);
  const int64_t seconds = toInteger(secondsField);
  if (minutes > 59 || seconds > 59) return std::nullopt;
  Decimal total = Decimal::fromInt(toInteger(fields[0]) * 3600 + minutes * 60 + seconds);
  if (!fraction.empty()) total = total + Decimal::parse(u"0" + fraction).value_or(Decimal());
  return total;
}

std::optional<Decimal> parseTimestamp(const std::u16string& input) {
  const std::u16string text = trimmed(input);
  const size_t space = text.find(u' ');
  if (space == std::u16string::npos) return parseDate(text);
  auto date = parseDate(text.substr(0, space));
  auto time = parseTime(text.substr(space + 1));
  if (!date || !time) return std::nullopt;
  return *date + *time;
}

}  // namespace standin
