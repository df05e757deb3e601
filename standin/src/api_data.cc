// The host API's data, data-vector and row-vector calls. The Get answers are views that the
// value caches and owns until it next changes.
#include "host_call.h"
#include "objects.h"

using namespace standin;

namespace {

const FM_Text* textViewOf(const FM_Data& data) {
  if (data.type != FM_TYPE_TEXT && !data.textIsView) {
    data.text = data.asText();
    data.textIsView = true;
  }
  return &data.text;
}

const FM_FixPt* numberViewOf(const FM_Data& data) {
  if (data.type == FM_TYPE_NUMBER || data.type == FM_TYPE_BOOLEAN) return &data.number;
  auto& view = data.viewsOf().number;
  if (!view) view = FM_FixPt{data.asNumber()};
  return &*view;
}

using DateTimeView = std::optional<FM_DateTime> FM_Data::Views::*;
using DateTimeConversion = FM_DateTime (FM_Data::*)() const;

// A value of the type asked for answers with its own date-time (a date is kept at its day's
// start); a value of another type with a view made once.
const FM_DateTime* dateTimeViewOf(const FM_Data& data, int32_t type, DateTimeView view,
                                  DateTimeConversion conversion) {
  if (data.type == type) return &data.dateTime;
  std::optional<FM_DateTime>& cached = data.viewsOf().*view;
  if (!cached) cached = (data.*conversion)();
  return &*cached;
}

const FM_DateTime* timestampViewOf(const FM_Data& data) {
  return dateTimeViewOf(data, FM_TYPE_TIMESTAMP, &FM_Data::Views::timestamp,
                        &FM_Data::asTimestamp);
}

bool isDateTimeType(int32_t type) {
  return type == FM_TYPE_DATE || type == FM_TYPE_TIME || type == FM_TYPE_TIMESTAMP;
}

// Stores text as the native type asked for, as FileMaker stores text typed into a field of that
// type; text that does not read as that type stays text.
void setTextAs(FM_Data& data, const FM_Text& text, int32_t nativeType) {
  switch (nativeType) {
    case FM_TYPE_NUMBER:
    case FM_TYPE_BOOLEAN:
      if (auto number = Decimal::parse(text.units)) return data.setNumber(*number, nativeType);
      break;
    case FM_TYPE_DATE:
      if (auto seconds = parseDate(text.units)) return data.setDateTime({*seconds}, nativeType);
      break;
    case FM_TYPE_TIME:
      if (auto seconds = parseTime(text.units)) return data.setDateTime({*seconds}, nativeType);
      break;
    case FM_TYPE_TIMESTAMP:
      if (auto seconds = parseTimestamp(text.units)) {
        return data.setDateTime({*seconds}, nativeType);
      }
      break;
    default:
      break;
  }
  data.setText(text);
}

const FM_Data& emptyValue() {
  static const FM_Data empty;
  return empty;
}

const FM_Data& valueAt(const FM_DataVect& vector, uint32_t index) {
  return index < vector.values.size() ? vector.values[index] : emptyValue();
}

}  // namespace

extern "C" {

FM_Data* FM_Data_Constructor1(FM_ErrorRecord* error) {
  return constructObject<FM_Data>("Data", error);
}

void FM_Data_Delete(FM_Data* data, FM_ErrorRecord* error) { deleteObject("Data", data, error); }

const FM_Text* FM_Data_GetAsText(const FM_Data* data, FM_ErrorRecord* error) {
  return hostCall<const FM_Text*>(error, nullptr, [&] { return textViewOf(*data); });
}

const FM_FixPt* FM_Data_GetAsNumber(const FM_Data* data, FM_ErrorRecord* error) {
  return hostCall<const FM_FixPt*>(error, nullptr, [&] { return numberViewOf(*data); });
}

const FM_DateTime* FM_Data_GetAsDate(const FM_Data* data, FM_ErrorRecord* error) {
  return hostCall<const FM_DateTime*>(error, nullptr, [&] {
    return dateTimeViewOf(*data, FM_TYPE_DATE, &FM_Data::Views::date, &FM_Data::asDate);
  });
}

const FM_DateTime* FM_Data_GetAsTime(const FM_Data* data, FM_ErrorRecord* error) {
  return hostCall<const FM_DateTime*>(error, nullptr, [&] {
    return dateTimeViewOf(*data, FM_TYPE_TIME, &FM_Data::Views::time, &FM_Data::asTime);
  });
}

const FM_DateTime* FM_Data_GetAsTimeStamp(const FM_Data* data, FM_ErrorRecord* error) {
  return hostCall<const FM_DateTime*>(error, nullptr, [&] { return timestampViewOf(*data); });
}

const FM_BinaryData* FM_Data_GetBinaryData(const FM_Data* data, FM_ErrorRecord* error) {
  static const FM_BinaryData none;
  return hostCall<const FM_BinaryData*>(
      error, nullptr, [&] { return data->container ? &data->container->binary : &none; });
}

int32_t FM_Data_GetNativeType(const FM_Data* data, FM_ErrorRecord* error) {
  return hostCall<int32_t>(error, FM_TYPE_INVALID, [&] { return data->type; });
}

const FM_Locale* FM_Data_GetLocale(const FM_Data* data, FM_ErrorRecord* error) {
  return hostCall<const FM_Locale*>(error, nullptr, [&] { return data->locale; });
}

void FM_Data_SetAsText(FM_Data* data, const FM_Text* text, const FM_Locale* locale,
                       int32_t nativeType, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    FM_Data value;
    setTextAs(value, *text, nativeType);
    if (locale != nullptr) value.locale = FM_Data::internLocale(*locale);
    *data = std::move(value);  // built aside, so that a failure leaves the data as it was
  });
}

void FM_Data_SetAsNumber(FM_Data* data, const FM_FixPt* number, int32_t nativeType,
                         FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    if (nativeType == FM_TYPE_TEXT) {
      data->setText(FM_Text{number->value.format(), {}});
    } else if (isDateTimeType(nativeType)) {
      data->setDateTime({number->value}, nativeType);
    } else {
      data->setNumber(number->value, nativeType);
    }
  });
}

void FM_Data_SetAsDate(FM_Data* data, const FM_DateTime* date, int32_t nativeType,
                       FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    data->setDateTime(*date, isDateTimeType(nativeType) ? nativeType : FM_TYPE_DATE);
  });
}

void FM_Data_SetAsTime(FM_Data* data, const FM_DateTime* time, int32_t nativeType,
                       FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    data->setDateTime(*time, isDateTimeType(nativeType) ? nativeType : FM_TYPE_TIME);
  });
}

void FM_Data_SetAsTimeStamp(FM_Data* data, const FM_DateTime* timestamp, int32_t nativeType,
                            FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    data->setDateTime(*timestamp, isDateTimeType(nativeType) ? nativeType : FM_TYPE_TIMESTAMP);
  });
}

void FM_Data_SetBinaryData(FM_Data* data, const FM_BinaryData* binary, int,
                           FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { data->setBinary(*binary); });
}

FM_DataVect* FM_DataVect_Constructor1(FM_ErrorRecord* error) {
  return constructObject<FM_DataVect>("DataVect", error);
}

void FM_DataVect_Delete(FM_DataVect* vector, FM_ErrorRecord* error) {
  deleteObject("DataVect", vector, error);
}

uint32_t FM_DataVect_Size(const FM_DataVect* vector, FM_ErrorRecord* error) {
  return hostCall<uint32_t>(error, 0,
                            [&] { return static_cast<uint32_t>(vector->values.size()); });
}

void FM_DataVect_PushBack(FM_DataVect* vector, const FM_Data* data, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { vector->values.push_back(*data); });
}

const FM_Data* FM_DataVect_At(const FM_DataVect* vector, uint32_t index, FM_ErrorRecord* error) {
  return hostCall<const FM_Data*>(error, nullptr, [&] { return &valueAt(*vector, index); });
}

const FM_Text* FM_DataVect_AtAsText(const FM_DataVect* vector, uint32_t index,
                                    FM_ErrorRecord* error) {
  return hostCall<const FM_Text*>(error, nullptr,
                                  [&] { return textViewOf(valueAt(*vector, index)); });
}

const FM_FixPt* FM_DataVect_AtAsNumber(const FM_DataVect* vector, uint32_t index,
                                       FM_ErrorRecord* error) {
  return hostCall<const FM_FixPt*>(error, nullptr,
                                   [&] { return numberViewOf(valueAt(*vector, index)); });
}

const FM_DateTime* FM_DataVect_AtAsTimeStamp(const FM_DataVect* vector, uint32_t index,
                                             FM_ErrorRecord* error) {
  return hostCall<const FM_DateTime*>(error, nullptr,
                                      [&] { return timestampViewOf(valueAt(*vector, index)); });
}

FM_RowVect* FM_RowVect_Constructor1(FM_ErrorRecord* error) {
  return constructObject<FM_RowVect>("RowVect", error);
}

void FM_RowVect_Delete(FM_RowVect* rows, FM_ErrorRecord* error) {
  deleteObject("RowVect", rows, error);
}

uint32_t FM_RowVect_Size(const FM_RowVect* rows, FM_ErrorRecord* error) {
  return hostCall<uint32_t>(error, 0, [&] { return static_cast<uint32_t>(rows->rows.size()); });
}

const FM_DataVect* FM_RowVect_At(const FM_RowVect* rows, uint32_t index, FM_ErrorRecord* error) {
  static const FM_DataVect empty;
  return hostCall<const FM_DataVect*>(
      error, nullptr, [&] { return index < rows->rows.size() ? &rows->rows[index] : &empty; });
}

}  // extern "C"
