#include "fm/objects.h"

#include <new>
#include <vector>

namespace fm {

void ErrorRecord::throwReported() const {
  if (record_.code == FM_ERROR_OUT_OF_MEMORY) throw HostOutOfMemory();
  throw HostError();
}

namespace {
template <typename T, typename Constructor>
T* construct(Constructor&& constructor) {
  return checked(constructor);
}
}  // namespace

Text::Text() : Owned(construct<FM_Text>(FM_Text_Constructor1)) {}

Text::Text(std::string_view ascii) : Text() { assign(ascii); }

void Text::assign(std::string_view bytes, int32_t encoding) {
  fm::assign(get(), bytes, encoding);
}

void Text::assignUnicode(const char16_t* units, uint32_t length) {
  fm::assignUnicode(get(), units, length);
}

void Text::append(const FM_Text* other, uint32_t position, uint32_t size) {
  fm::append(get(), other, position, size);
}

void Text::insert(const FM_Text* other, uint32_t position) {
  checked([&](FM_ErrorRecord* e) { FM_Text_InsertText(get(), other, position, e); });
}

void Text::erase(uint32_t position, uint32_t size) { fm::erase(get(), position, size); }

void Text::clear() { erase(0, fm::size(get())); }

void Text::lowercase() {
  checked([&](FM_ErrorRecord* e) { FM_Text_Lowercase(get(), e); });
}

CharacterStyle::CharacterStyle()
    : Owned(construct<FM_CharacterStyle>(FM_CharacterStyle_Constructor1)) {}

Data::Data() : Owned(construct<FM_Data>(FM_Data_Constructor1)) {}

DataVect::DataVect() : Owned(construct<FM_DataVect>(FM_DataVect_Constructor1)) {}

RowVect::RowVect() : Owned(construct<FM_RowVect>(FM_RowVect_Constructor1)) {}

FixPt::FixPt()
    : Owned(checked([](FM_ErrorRecord* e) { return FM_FixPt_Constructor1(0, 16, e); })) {}

void FixPt::assign(int32_t value) {
  checked([&](FM_ErrorRecord* e) { FM_FixPt_AssignInt(get(), value, e); });
}

void FixPt::assign(double value) {
  checked([&](FM_ErrorRecord* e) { FM_FixPt_AssignDouble(get(), value, e); });
}

DateTime::DateTime() : Owned(construct<FM_DateTime>(FM_DateTime_Constructor1)) {}

ExprEnv::ExprEnv() : Owned(construct<FM_ExprEnv>(FM_ExprEnv_Constructor1)) {}

QuadChar::QuadChar(std::string_view four)
    : Owned(checked([&](FM_ErrorRecord* e) {
        return FM_QuadChar_Constructor2(four[0], four[1], four[2], four[3], e);
      })) {}

void assign(FM_Text* text, std::string_view bytes, int32_t encoding) {
  std::string terminated(bytes);
  checked([&](FM_ErrorRecord* e) { FM_Text_Assign(text, terminated.c_str(), encoding, e); });
}

void assignUnicode(FM_Text* text, const char16_t* units, uint32_t length) {
  checked([&](FM_ErrorRecord* e) {
    FM_Text_AssignUnicodeWithLength(text, reinterpret_cast<const uint16_t*>(units), length, e);
  });
}

void append(FM_Text* text, const FM_Text* other, uint32_t position, uint32_t size) {
  checked([&](FM_ErrorRecord* e) { FM_Text_AppendText(text, other, position, size, e); });
}

void erase(FM_Text* text, uint32_t position, uint32_t size) {
  checked([&](FM_ErrorRecord* e) { FM_Text_DeleteText(text, position, size, e); });
}

uint32_t size(const FM_Text* text) {
  return checked([&](FM_ErrorRecord* e) { return FM_Text_GetSize(text, e); });
}

std::u16string units(const FM_Text* text, uint32_t position, uint32_t count) {
  std::u16string answer;
  unitsInto(text, answer, position, count);
  return answer;
}

void unitsInto(const FM_Text* text, std::u16string& answer, uint32_t position, uint32_t count) {
  uint32_t total = size(text);
  if (position >= total) {
    answer.clear();
    return;
  }
  if (count > total - position) count = total - position;
  answer.resize(count);
  checked([&](FM_ErrorRecord* e) {
    FM_Text_GetUnicode(text, reinterpret_cast<uint16_t*>(answer.data()), position, count, e);
  });
}

uint32_t find(const FM_Text* text, const FM_Text* sought, uint32_t position) {
  return checked([&](FM_ErrorRecord* e) { return FM_Text_Find(text, sought, position, e); });
}

uint32_t findIgnoringCase(const FM_Text* text, const FM_Text* sought, uint32_t position) {
  return checked(
      [&](FM_ErrorRecord* e) { return FM_Text_FindIgnoringCase(text, sought, position, e); });
}

bool equal(const FM_Text* text, const FM_Text* other) {
  return checked([&](FM_ErrorRecord* e) { return FM_Text_operatorEQ(text, other, e); }) != 0;
}

std::string bytes(const FM_Text* text, int32_t encoding, uint32_t bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, '\0');
  uint32_t units = size(text);
  checked([&](FM_ErrorRecord* e) {
    return FM_Text_GetBytes(text, buffer.data(), bufferSize, 0, units, encoding, e);
  });
  buffer.back() = '\0';
  return std::string(buffer.data());
}

void setSecondsSinceEpoch(FM_DateTime* dateTime, const FM_FixPt* seconds) {
  checked([&](FM_ErrorRecord* e) { FM_DateTime_SetSecondsSinceEpoch(dateTime, seconds, e); });
}

const FM_Locale* locale(const FM_Data* data) {
  return checked([&](FM_ErrorRecord* e) { return FM_Data_GetLocale(data, e); });
}

const FM_DateTime* asDate(const FM_Data* data) {
  return checked([&](FM_ErrorRecord* e) { return FM_Data_GetAsDate(data, e); });
}

const FM_DateTime* asTime(const FM_Data* data) {
  return checked([&](FM_ErrorRecord* e) { return FM_Data_GetAsTime(data, e); });
}

const FM_DateTime* asTimestamp(const FM_Data* data) {
  return checked([&](FM_ErrorRecord* e) { return FM_Data_GetAsTimeStamp(data, e); });
}

const FM_BinaryData* binaryData(const FM_Data* data) {
  return checked([&](FM_ErrorRecord* e) { return FM_Data_GetBinaryData(data, e); });
}

int32_t nativeType(const FM_Data* data) {
  return checked([&](FM_ErrorRecord* e) { return FM_Data_GetNativeType(data, e); });
}

const FM_Text* asText(const FM_Data* data) {
  return checked([&](FM_ErrorRecord* e) { return FM_Data_GetAsText(data, e); });
}

const FM_FixPt* asNumber(const FM_Data* data) {
  return checked([&](FM_ErrorRecord* e) { return FM_Data_GetAsNumber(data, e); });
}

double asFloat(const FM_FixPt* number) {
  return checked([&](FM_ErrorRecord* e) { return FM_FixPt_AsFloat(number, e); });
}

uint32_t size(const FM_DataVect* parameters) {
  return checked([&](FM_ErrorRecord* e) { return FM_DataVect_Size(parameters, e); });
}

const FM_Data* at(const FM_DataVect* parameters, uint32_t index) {
  return checked([&](FM_ErrorRecord* e) { return FM_DataVect_At(parameters, index, e); });
}

const FM_Text* textAt(const FM_DataVect* parameters, uint32_t index) {
  return checked([&](FM_ErrorRecord* e) { return FM_DataVect_AtAsText(parameters, index, e); });
}

const FM_FixPt* numberAt(const FM_DataVect* parameters, uint32_t index) {
  return checked([&](FM_ErrorRecord* e) { return FM_DataVect_AtAsNumber(parameters, index, e); });
}

uint32_t size(const FM_RowVect* rows) {
  return checked([&](FM_ErrorRecord* e) { return FM_RowVect_Size(rows, e); });
}

const FM_DataVect* at(const FM_RowVect* rows, uint32_t index) {
  return checked([&](FM_ErrorRecord* e) { return FM_RowVect_At(rows, index, e); });
}

void setText(FM_Data* result, const FM_Text* text) { setText(result, text, locale(result)); }

void setText(FM_Data* result, const FM_Text* text, const FM_Locale* locale) {
  checked([&](FM_ErrorRecord* e) { FM_Data_SetAsText(result, text, locale, FM_TYPE_TEXT, e); });
}

void setNumber(FM_Data* result, const FM_FixPt* number) {
  setNumber(result, number, FM_TYPE_NUMBER);
}

void setNumber(FM_Data* result, const FM_FixPt* number, int32_t nativeType) {
  checked([&](FM_ErrorRecord* e) { FM_Data_SetAsNumber(result, number, nativeType, e); });
}

void setDate(FM_Data* result, const FM_DateTime* date) {
  checked([&](FM_ErrorRecord* e) { FM_Data_SetAsDate(result, date, FM_TYPE_DATE, e); });
}

void setTime(FM_Data* result, const FM_DateTime* time) {
  checked([&](FM_ErrorRecord* e) { FM_Data_SetAsTime(result, time, FM_TYPE_TIME, e); });
}

void setBinaryData(FM_Data* result, const FM_BinaryData* binary, bool forceByteSwap) {
  checked([&](FM_ErrorRecord* e) { FM_Data_SetBinaryData(result, binary, forceByteSwap, e); });
}

void setTimestamp(FM_Data* result, const FM_DateTime* timestamp) {
  checked(
      [&](FM_ErrorRecord* e) { FM_Data_SetAsTimeStamp(result, timestamp, FM_TYPE_TIMESTAMP, e); });
}

}  // namespace fm
