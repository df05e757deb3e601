// Values of the native types and FileMaker's conversions between them.
#include <deque>

#include "objects.h"

using standin::Decimal;
using standin::kSecondsPerDay;

namespace {


// FileMaker counts dates as day numbers: 1/1/0001 is day 1.
Decimal dayNumber(const Decimal& seconds) {
  int64_t whole = seconds.truncated();
  if (Decimal::fromInt(whole) > seconds) --whole;
  const int64_t days = whole / kSecondsPerDay - (whole % kSecondsPerDay < 0 ? 1 : 0);
  return Decimal::fromInt(days + 1);
}

Decimal startOfDay(const Decimal& seconds) {
  const Decimal day = dayNumber(seconds);
  return Decimal::fromInt((day.truncated() - 1) * kSecondsPerDay);
}

}  // namespace

FM_Data::FM_Data() = default;

FM_Data::FM_Data(const FM_Data& other)
    : type(other.type),
      text(other.textIsView ? FM_Text{} : other.text),
      number(other.number),
      dateTime(other.dateTime),
      container(other.container ? std::make_unique<Container>(*other.container) : nullptr),
      locale(other.locale) {}

FM_Data& FM_Data::operator=(const FM_Data& other) {
  if (this == &other) return *this;
  FM_Data copy(other);
  *this = std::move(copy);
  return *this;
}

void FM_Data::clearViews() const {
  if (textIsView) text.clear();
  textIsView = false;
  views.reset();
}

FM_Data::Views& FM_Data::viewsOf() const {
  if (!views) views = std::make_unique<Views>();
  return *views;
}

const FM_Locale* FM_Data::internLocale(const FM_Locale& locale) {
  // Locales are few; each distinct one lives as long as the host.
  static std::deque<FM_Locale> interned;
  if (locale.name == kDefaultLocale.name) return &kDefaultLocale;
  for (const FM_Locale& known : interned) {
    if (known.name == locale.name) return &known;
  }
  return &interned.emplace_back(locale);
}

void FM_Data::setText(const FM_Text& value) { setText(FM_Text(value)); }

void FM_Data::setText(FM_Text&& value) {
  clearViews();
  type = FM_TYPE_TEXT;
  text = std::move(value);
  container.reset();
}

void FM_Data::setNumber(const Decimal& value, int32_t nativeType) {
  clearViews();
  type = nativeType == FM_TYPE_BOOLEAN ? FM_TYPE_BOOLEAN : FM_TYPE_NUMBER;
  number = FM_FixPt{value};
  text.clear();
  container.reset();
}

void FM_Data::setDateTime(const FM_DateTime& value, int32_t nativeType) {
  clearViews();
  type = nativeType;
  dateTime = value;
  if (type == FM_TYPE_DATE) dateTime.seconds = startOfDay(value.seconds);
  text.clear();
  container.reset();
}

void FM_Data::setBinary(const FM_BinaryData& value) {
  auto replacement = std::make_unique<Container>(Container{value, {}});
  clearViews();
  type = FM_TYPE_CONTAINER;
  container = std::move(replacement);
  text.clear();
}

FM_Text FM_Data::asText() const {
  switch (type) {
    case FM_TYPE_TEXT:
      return text;
    case FM_TYPE_NUMBER:
    case FM_TYPE_BOOLEAN:
      return FM_Text{number.value.format(), {}};
    case FM_TYPE_DATE:
      return FM_Text{standin::formatDate(dateTime.seconds), {}};
    case FM_TYPE_TIME:
      return FM_Text{standin::formatTime(dateTime.seconds), {}};
    case FM_TYPE_TIMESTAMP:
      return FM_Text{standin::formatTimestamp(dateTime.seconds), {}};
    case FM_TYPE_CONTAINER:
      return FM_Text{container ? container->name : std::u16string(), {}};
    default:
      return FM_Text{};
  }
}

Decimal FM_Data::asNumber() const {
  switch (type) {
    case FM_TYPE_TEXT:
      return Decimal::parse(text.units).value_or(Decimal());
    case FM_TYPE_NUMBER:
    case FM_TYPE_BOOLEAN:
      return number.value;
    case FM_TYPE_DATE:
      return dayNumber(dateTime.seconds);
    case FM_TYPE_TIME:
    case FM_TYPE_TIMESTAMP:
      return dateTime.seconds;
    default:
      return Decimal();
  }
}

FM_DateTime FM_Data::asDate() const {
  switch (type) {
    case FM_TYPE_DATE:
    case FM_TYPE_TIMESTAMP:
      return {startOfDay(dateTime.seconds)};
    case FM_TYPE_TEXT: {
      auto seconds = standin::parseTimestamp(text.units);
      return {seconds ? startOfDay(*seconds) : Decimal()};
    }
    case FM_TYPE_NUMBER:
    case FM_TYPE_BOOLEAN:
      return {Decimal::fromInt((number.value.truncated() - 1) * kSecondsPerDay)};
    default:
      return {};
  }
}

FM_DateTime FM_Data::asTime() const {
  switch (type) {
    case FM_TYPE_TIME:
      return dateTime;
    case FM_TYPE_TIMESTAMP:
      return {dateTime.seconds - startOfDay(dateTime.seconds)};
    case FM_TYPE_TEXT: {
      auto seconds = standin::parseTime(text.units);
      if (!seconds) {
        auto stamp = standin::parseTimestamp(text.units);
        if (stamp) seconds = *stamp - startOfDay(*stamp);
      }
      return {seconds.value_or(Decimal())};
    }
    case FM_TYPE_NUMBER:
    case FM_TYPE_BOOLEAN:
      return {number.value};
    default:
      return {};
  }
}

FM_DateTime FM_Data::asTimestamp() const {
  switch (type) {
    case FM_TYPE_TIMESTAMP:
    case FM_TYPE_TIME:
    case FM_TYPE_DATE:
      return dateTime;
    case FM_TYPE_TEXT:
      return {standin::parseTimestamp(text.units).value_or(Decimal())};
    case FM_TYPE_NUMBER:
    case FM_TYPE_BOOLEAN:
      return {number.value};
    default:
      return {};
  }
}
