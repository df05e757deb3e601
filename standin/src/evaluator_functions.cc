// The host's own calculation functions. Positions and lengths count UTF-16 units; FileMaker's
// text functions count from 1, and those that cut text (Left, Middle, Right, GetAsText, List, &)
// keep the character styles of what they keep.
#include "evaluator_functions.h"

#include <cmath>

#include "evaluator_ast.h"

namespace standin::calc {

namespace {

constexpr char16_t kReturn = u'\r';

// FileMaker's style numbers, as TextStyleAdd's second argument adds them up.
constexpr int kStyleBold = 1;
constexpr int kStyleItalic = 2;
constexpr int kStyleUnderline = 4;

int64_t integerOf(const FM_Data& value) { return value.asNumber().truncated(); }

uint32_t sizeOf(const FM_Text& text) { return static_cast<uint32_t>(text.units.size()); }

// Clamps a count to [0, limit].
uint32_t clampedCount(int64_t count, uint32_t limit) {
  if (count <= 0) return 0;
  return count >= limit ? limit : static_cast<uint32_t>(count);
}

FM_Text slice(const FM_Text& text, uint32_t position, uint32_t size) {
  FM_Text part;
  part.appendRange(text, position, size);
  return part;
}

std::u16string joinedLines(const std::vector<std::u16string>& lines) {
  std::u16string joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += kReturn;
    joined += lines[i];
  }
  return joined;
}

// ---- Conversions --------------------------------------------------------------------------------

FM_Data getAsText(const CallContext&, std::vector<FM_Data>& arguments) {
  return textData(arguments[0].asText());
}

FM_Data getAsNumber(const CallContext&, std::vector<FM_Data>& arguments) {
  const FM_Data& value = arguments[0];
  if (value.type != FM_TYPE_TEXT) return numberData(value.asNumber());
  auto number = Decimal::parse(value.text.units);
  return number ? numberData(*number) : textData(u"");
}

FM_Data getAsDate(const CallContext&, std::vector<FM_Data>& arguments) {
  return dateTimeData(arguments[0].asDate().seconds, FM_TYPE_DATE);
}

FM_Data getAsTime(const CallContext&, std::vector<FM_Data>& arguments) {
  return dateTimeData(arguments[0].asTime().seconds, FM_TYPE_TIME);
}

FM_Data getAsTimestamp(const CallContext&, std::vector<FM_Data>& arguments) {
  return dateTimeData(arguments[0].asTimestamp().seconds, FM_TYPE_TIMESTAMP);
}

// ---- Text ---------------------------------------------------------------------------------------

FM_Data length(const CallContext&, std::vector<FM_Data>& arguments) {
  return numberData(Decimal::fromInt(static_cast<int64_t>(arguments[0].asText().units.size())));
}

FM_Data upper(const CallContext&, std::vector<FM_Data>& arguments) {
  FM_Text text = arguments[0].asText();
  text.units = uppercased(text.units);  // one unit for one: the style runs still fit
  return textData(text);
}

FM_Data lower(const CallContext&, std::vector<FM_Data>& arguments) {
  FM_Text text = arguments[0].asText();
  text.units = lowercased(text.units);
  return textData(text);
}

FM_Data left(const CallContext&, std::vector<FM_Data>& arguments) {
  const FM_Text text = arguments[0].asText();
  return textData(slice(text, 0, clampedCount(integerOf(arguments[1]), sizeOf(text))));
}

FM_Data right(const CallContext&, std::vector<FM_Data>& arguments) {
  const FM_Text text = arguments[0].asText();
  const uint32_t count = clampedCount(integerOf(arguments[1]), sizeOf(text));
  return textData(slice(text, sizeOf(text) - count, count));
}

FM_Data middle(const CallContext&, std::vector<FM_Data>& arguments) {
  const FM_Text text = arguments[0].asText();
  const int64_t start = std::max<int64_t>(integerOf(arguments[1]), 1);
  if (start > sizeOf(text)) return textData(u"");
  const uint32_t position = static_cast<uint32_t>(start - 1);
  return textData(
      slice(text, position, clampedCount(integerOf(arguments[2]), sizeOf(text) - position)));
}

// Position ( text ; searchString ; start ; occurrence ): a negative occurrence searches
// backwards from `start`; letter case is ignored.
FM_Data position(const CallContext&, std::vector<FM_Data>& arguments) {
  const std::u16string text = lowercased(arguments[0].asText().units);
  const std::u16string search = lowercased(arguments[1].asText().units);
  const int64_t start = integerOf(arguments[2]);
  int64_t occurrence = integerOf(arguments[3]);
  if (search.empty() || occurrence == 0 || text.size() < search.size()) {
    return numberData(Decimal());
  }
  const int64_t last = static_cast<int64_t>(text.size() - search.size());
  int64_t from = std::clamp<int64_t>(start - 1, 0, static_cast<int64_t>(text.size()));
  size_t found = std::u16string::npos;
  if (occurrence > 0) {
    for (; occurrence > 0; --occurrence, from = static_cast<int64_t>(found) + 1) {
      if (from > last) return numberData(Decimal());
      found = text.find(search, static_cast<size_t>(from));
      if (found == std::u16string::npos) return numberData(Decimal());
    }
  } else {
    from = std::min(from, last);
    for (; occurrence < 0; ++occurrence, from = static_cast<int64_t>(found) - 1) {
      if (from < 0) return numberData(Decimal());
      found = text.rfind(search, static_cast<size_t>(from));
      if (found == std::u16string::npos) return numberData(Decimal());
    }
  }
  return numberData(Decimal::fromInt(static_cast<int64_t>(found) + 1));
}

void appendCodePoint(std::u16string& text, uint32_t codePoint) {
  if (codePoint > 0x10FFFF) return;
  if (codePoint < 0x10000) {
    text += static_cast<char16_t>(codePoint);
    return;
  }
  codePoint -= 0x10000;
  text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
  text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

// Char ( 6600065 ) is "AB": each character is five decimal digits, the first the lowest.
FM_Data character(const CallContext&, std::vector<FM_Data>& arguments) {
  int64_t code = integerOf(arguments[0]);
  std::u16string text;
  for (; code > 0; code /= 100000) appendCodePoint(text, static_cast<uint32_t>(code % 100000));
  return textData(text);
}

// The inverse of Char. Only the first three characters are read, so that the answer stays
// within the range of a 64-bit integer.
FM_Data code(const CallContext&, std::vector<FM_Data>& arguments) {
  const std::u16string text = arguments[0].asText().units;
  int64_t value = 0;
  int64_t scale = 1;
  for (size_t i = 0, read = 0; i < text.size() && read < 3; ++i, ++read, scale *= 100000) {
    uint32_t codePoint = text[i];
    if (codePoint >= 0xD800 && codePoint < 0xDC00 && i + 1 < text.size()) {
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    value += static_cast<int64_t>(codePoint) * scale;
  }
  return numberData(Decimal::fromInt(value));
}

uint16_t facesOfStyles(int64_t styles) {
  uint16_t faces = kFacePlain;
  if (styles & kStyleBold) faces |= kFaceBold;
  if (styles & kStyleItalic) faces |= kFaceItalic;
  if (styles & kStyleUnderline) faces |= kFaceUnderline;
  return faces;
}

// Changes the faces of every run of `text`; `change` maps a run's style to its new style.
template <typename Change>
FM_Text restyled(const FM_Text& text, Change change) {
  FM_Text result = text;
  std::vector<StyleRun> runs = text.runs;
  if (runs.empty()) runs.push_back({0, {}});
  for (size_t i = 0; i < runs.size(); ++i) {
    const uint32_t end = i + 1 < runs.size() ? runs[i + 1].start : sizeOf(text);
    FM_CharacterStyle style = runs[i].style;
    change(style);
    if (style.face == kFacePlain) style.enabled &= ~kStyleFaceEnabled;
    result.setStyle(style, runs[i].start, end - runs[i].start);
  }
  return result;
}

FM_Data textStyleAdd(const CallContext&, std::vector<FM_Data>& arguments) {
  const uint16_t faces = facesOfStyles(integerOf(arguments[1]));
  return textData(restyled(arguments[0].asText(), [faces](FM_CharacterStyle& style) {
    if (faces == kFacePlain) {
      style.face = kFacePlain;  // Plain takes every face away
      return;
    }
    style.face |= faces;
    style.enabled |= kStyleFaceEnabled;
  }));
}

FM_Data textStyleRemove(const CallContext&, std::vector<FM_Data>& arguments) {
  const uint16_t faces = facesOfStyles(integerOf(arguments[1]));
  return textData(restyled(arguments[0].asText(), [faces](FM_CharacterStyle& style) {
    style.face = faces == kFacePlain ? uint16_t{kFacePlain} : static_cast<uint16_t>(style.face & ~faces);
  }));
}

// List ( values ... ): the values that are not empty, one per line, with their styles.
FM_Data list(const CallContext&, std::vector<FM_Data>& arguments) {
  FM_Text joined;
  for (const FM_Data& argument : arguments) {
    const FM_Text text = argument.asText();
    if (text.units.empty()) continue;
    if (!joined.units.empty()) joined.appendPlain(std::u16string(1, kReturn));
    joined.appendRange(text, 0, sizeOf(text));
  }
  return textData(joined);
}

// Substitute ( text ; search ; replacement ), letter case counting.
FM_Data substitute(const CallContext&, std::vector<FM_Data>& arguments) {
  const std::u16string text = arguments[0].asText().units;
  const std::u16string search = arguments[1].asText().units;
  const std::u16string replacement = arguments[2].asText().units;
  if (search.empty()) return textData(text);
  std::u16string result;
  size_t from = 0;
  for (size_t found; (found = text.find(search, from)) != std::u16string::npos;
       from = found + search.size()) {
    result.append(text, from, found - from);
    result += replacement;
  }
  result.append(text, from);
  return textData(result);
}

FM_Data patternCount(const CallContext&, std::vector<FM_Data>& arguments) {
  const std::u16string text = lowercased(arguments[0].asText().units);
  const std::u16string search = lowercased(arguments[1].asText().units);
  int64_t count = 0;
  if (!search.empty()) {
    for (size_t found = text.find(search); found != std::u16string::npos;
         found = text.find(search, found + 1)) {
      ++count;
    }
  }
  return numberData(Decimal::fromInt(count));
}

FM_Data exact(const CallContext&, std::vector<FM_Data>& arguments) {
  return booleanData(arguments[0].asText().units == arguments[1].asText().units);
}

FM_Data isEmpty(const CallContext&, std::vector<FM_Data>& arguments) {
  return booleanData(arguments[0].asText().units.empty());
}

FM_Data trim(const CallContext&, std::vector<FM_Data>& arguments) {
  const FM_Text text = arguments[0].asText();
  uint32_t first = 0;
  uint32_t end = sizeOf(text);
  while (first < end && text.units[first] == u' ') ++first;
  while (end > first && text.units[end - 1] == u' ') --end;
  return textData(slice(text, first, end - first));
}

std::vector<std::u16string> valuesOf(const std::u16string& text) {
  std::vector<std::u16string> values;
  size_t from = 0;
  while (from < text.size()) {
    const size_t end = text.find_first_of(u"\r\n", from);
    if (end == std::u16string::npos) {
      values.push_back(text.substr(from));
      break;
    }
    values.push_back(text.substr(from, end - from));
    from = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
  return values;
}

FM_Data valueCount(const CallContext&, std::vector<FM_Data>& arguments) {
  return numberData(
      Decimal::fromInt(static_cast<int64_t>(valuesOf(arguments[0].asText().units).size())));
}

FM_Data getValue(const CallContext&, std::vector<FM_Data>& arguments) {
  const auto values = valuesOf(arguments[0].asText().units);
  const int64_t index = integerOf(arguments[1]);
  if (index < 1 || index > static_cast<int64_t>(values.size())) return textData(u"");
  return textData(values[static_cast<size_t>(index - 1)]);
}

// ---- Numbers ------------------------------------------------------------------------------------

FM_Data absolute(const CallContext&, std::vector<FM_Data>& arguments) {
  const Decimal number = arguments[0].asNumber();
  return numberData(number < Decimal() ? number.negated() : number);
}

FM_Data integer(const CallContext&, std::vector<FM_Data>& arguments) {
  return numberData(arguments[0].asNumber().roundedTo(0) == arguments[0].asNumber()
                        ? arguments[0].asNumber()
                        : Decimal::fromInt(integerOf(arguments[0])));
}

FM_Data round(const CallContext&, std::vector<FM_Data>& arguments) {
  const int precision = static_cast<int>(std::clamp<int64_t>(integerOf(arguments[1]), 0, 16));
  return numberData(arguments[0].asNumber().roundedTo(precision));
}

// ---- Dates and times ----------------------------------------------------------------------------

// Date ( month ; day ; year ), moving months and days past their ends into the next as
// FileMaker does: Date ( 13 ; 1 ; 2025 ) is 1/1/2026, Date ( 3 ; 0 ; 2024 ) is 2/29/2024.
FM_Data date(const CallContext&, std::vector<FM_Data>& arguments) {
  const int64_t month = std::clamp<int64_t>(integerOf(arguments[0]), -100000, 100000);
  const int64_t day = std::clamp<int64_t>(integerOf(arguments[1]), -5000000, 5000000);
  const int64_t year = std::clamp<int64_t>(integerOf(arguments[2]), -10000, 10000);
  const int64_t months = year * 12 + month - 1;
  const int64_t wholeYear = months >= 0 ? months / 12 : (months - 11) / 12;
  const int monthOfYear = static_cast<int>(months - wholeYear * 12) + 1;
  if (wholeYear < 1 || wholeYear > 4000) return textData(u"?");
  const Decimal seconds = secondsOfDate(static_cast<int>(wholeYear), monthOfYear, 1) +
                          Decimal::fromInt((day - 1) * kSecondsPerDay);
  if (seconds < Decimal()) return textData(u"?");
  return dateTimeData(seconds, FM_TYPE_DATE);
}

FM_Data time(const CallContext&, std::vector<FM_Data>& arguments) {
  const Decimal seconds = arguments[0].asNumber() * Decimal::fromInt(3600) +
                          arguments[1].asNumber() * Decimal::fromInt(60) +
                          arguments[2].asNumber();
  return dateTimeData(seconds, FM_TYPE_TIME);
}

FM_Data timestamp(const CallContext&, std::vector<FM_Data>& arguments) {
  return dateTimeData(arguments[0].asDate().seconds + arguments[1].asTime().seconds,
                      FM_TYPE_TIMESTAMP);
}

template <int Part>
FM_Data datePart(const CallContext&, std::vector<FM_Data>& arguments) {
  if (arguments[0].asText().units.empty()) return textData(u"");
  int parts[3] = {1, 1, 1};  // year, month, day
  dateOfSeconds(arguments[0].asDate().seconds, parts[0], parts[1], parts[2]);
  return numberData(Decimal::fromInt(parts[Part]));
}

// ---- Files and evaluation -----------------------------------------------------------------------

FM_Data scriptNames(const CallContext& context, std::vector<FM_Data>& arguments) {
  const std::u16string name = arguments[0].asText().units;
  OpenFile* file = name.empty() ? &context.file : findFile(name);
  if (file == nullptr) throw CalculationError(kFileMissing);
  return textData(joinedLines(file->scriptNames()));
}

FM_Data databaseNames(const CallContext&, std::vector<FM_Data>&) {
  std::vector<std::u16string> names;
  for (const auto& file : sessionState().files) names.push_back(file->name);
  return textData(joinedLines(names));
}

FM_Data evaluate(const CallContext& context, std::vector<FM_Data>& arguments) {
  FM_Data result;
  const int16_t code =
      evaluateCalculation(arguments[0].asText().units, context.environment, result);
  if (code != 0) throw CalculationError(code);
  return result;
}

const BuiltinFunction kBuiltins[] = {
    {u"Abs", 1, 1, absolute},
    {u"Case", 2, -1, nullptr},
    {u"Char", 1, 1, character},
    {u"Code", 1, 1, code},
    {u"DatabaseNames", 0, 0, databaseNames},
    {u"Date", 3, 3, date},
    {u"Day", 1, 1, datePart<2>},
    {u"Evaluate", 1, 1, evaluate},
    {u"Exact", 2, 2, exact},
    {u"Get", 1, 1, nullptr},
    {u"GetAsDate", 1, 1, getAsDate},
    {u"GetAsNumber", 1, 1, getAsNumber},
    {u"GetAsText", 1, 1, getAsText},
    {u"GetAsTime", 1, 1, getAsTime},
    {u"GetAsTimestamp", 1, 1, getAsTimestamp},
    {u"GetValue", 2, 2, getValue},
    {u"If", 2, 3, nullptr},
    {u"Int", 1, 1, integer},
    {u"IsEmpty", 1, 1, isEmpty},
    {u"Left", 2, 2, left},
    {u"Length", 1, 1, length},
    {u"List", 1, -1, list},
    {u"Lower", 1, 1, lower},
    {u"Middle", 3, 3, middle},
    {u"Month", 1, 1, datePart<1>},
    {u"PatternCount", 2, 2, patternCount},
    {u"Position", 4, 4, position},
    {u"Right", 2, 2, right},
    {u"Round", 2, 2, round},
    {u"ScriptNames", 1, 1, scriptNames},
    {u"Substitute", 3, 3, substitute},
    {u"TextStyleAdd", 2, 2, textStyleAdd, true},
    {u"TextStyleRemove", 2, 2, textStyleRemove, true},
    {u"Time", 3, 3, time},
    {u"Timestamp", 2, 2, timestamp},
    {u"Trim", 1, 1, trim},
    {u"Upper", 1, 1, upper},
    {u"ValueCount", 1, 1, valueCount},
    {u"Year", 1, 1, datePart<0>},
};

Decimal wholeSecondsNow() {
  return Decimal::fromInt(static_cast<int64_t>(std::floor(HostClock::nowSeconds())));
}

}  // namespace

const BuiltinFunction* findBuiltin(const std::u16string& name) {
  for (const BuiltinFunction& function : kBuiltins) {
    if (equalIgnoringCase(std::u16string(function.name), name)) return &function;
  }
  return nullptr;
}

const RegisteredFunction* findRegistered(const std::u16string& name) {
  for (const RegisteredFunction& function : sessionState().functions) {
    if (equalIgnoringCase(function.name, name)) return &function;
  }
  return nullptr;
}

void checkArgumentCount(size_t count, int minimum, int maximum) {
  if (count < static_cast<size_t>(std::max(minimum, 0))) throw CalculationError(kTooFewParameters);
  if (maximum >= 0 && count > static_cast<size_t>(maximum)) {
    throw CalculationError(kTooManyParameters);
  }
}

namespace {
const char16_t* const kGetParameters[] = {u"FileName",           u"ScriptParameter",
                                          u"CurrentTimestamp",   u"CurrentHostTimestamp",
                                          u"CurrentDate",        u"CurrentTime",
                                          u"LastError"};
}  // namespace

bool isGetParameter(const std::u16string& name) {
  for (const char16_t* parameter : kGetParameters) {
    if (equalIgnoringCase(parameter, name)) return true;
  }
  return false;
}

FM_Data getParameter(const std::u16string& name, const CallContext& context) {
  const std::u16string key = lowercased(name);
  if (key == u"filename") return textData(context.file.name);
  if (key == u"scriptparameter") return textData(context.environment.scriptParameter);
  if (key == u"lasterror") return numberData(Decimal());
  const Decimal now = wholeSecondsNow();
  if (key == u"currentdate") return dateTimeData(now, FM_TYPE_DATE);
  if (key == u"currenttime") {
    FM_Data stamp = dateTimeData(now, FM_TYPE_TIMESTAMP);
    return dateTimeData(stamp.asTime().seconds, FM_TYPE_TIME);
  }
  if (key == u"currenttimestamp" || key == u"currenthosttimestamp") {
    return dateTimeData(now, FM_TYPE_TIMESTAMP);
  }
  throw CalculationError(kInvalidGetParameter);
}

int styleNamed(const std::u16string& name) {
  const std::u16string key = lowercased(name);
  if (key == u"plain") return 0;
  if (key == u"bold") return kStyleBold;
  if (key == u"italic") return kStyleItalic;
  if (key == u"underline") return kStyleUnderline;
  return -1;
}

FM_Data textData(const FM_Text& text) {
  FM_Data data;
  data.setText(text);
  return data;
}

FM_Data textData(const std::u16string& units) { return textData(FM_Text{units, {}}); }

FM_Data numberData(const Decimal& number) {
  FM_Data data;
  data.setNumber(number);
  return data;
}

FM_Data booleanData(bool value) {
  FM_Data data;
  data.setNumber(Decimal::fromInt(value ? 1 : 0), FM_TYPE_BOOLEAN);
  return data;
}

FM_Data dateTimeData(const Decimal& seconds, int32_t type) {
  FM_Data data;
  data.setDateTime(FM_DateTime{seconds}, type);
  return data;
}

bool isTrue(const FM_Data& value) {
  if (value.type == FM_TYPE_CONTAINER || value.type == FM_TYPE_INVALID) return false;
  return !value.asNumber().isZero();
}

}  // namespace standin::calc
