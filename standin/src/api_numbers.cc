// The host API's fixed-point number, date-time and plug-in identifier calls.
#include <algorithm>
#include <cmath>

#include "host_call.h"
#include "objects.h"
#include "standin/host.h"

using namespace standin;

namespace {

int32_t clampedPrecision(int32_t precision) {
  return std::clamp<int32_t>(precision, 0, Decimal::kFractionDigits);
}

}  // namespace

extern "C" {

FM_FixPt* FM_FixPt_Constructor1(int32_t value, int32_t precision, FM_ErrorRecord* error) {
  return constructObject<FM_FixPt>("FixPt", error, Decimal::fromInt(value),
                                   clampedPrecision(precision));
}

void FM_FixPt_Delete(FM_FixPt* number, FM_ErrorRecord* error) {
  deleteObject("FixPt", number, error);
}

void FM_FixPt_AssignInt(FM_FixPt* number, int32_t value, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { number->value = Decimal::fromInt(value); });
}

void FM_FixPt_AssignDouble(FM_FixPt* number, double value, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { number->value = Decimal::fromDouble(value, number->precision); });
}

double FM_FixPt_AsFloat(const FM_FixPt* number, FM_ErrorRecord* error) {
  return hostCall<double>(error, 0.0, [&] { return number->value.toDouble(); });
}

void FM_FixPt_Add(const FM_FixPt* number, const FM_FixPt* other, FM_FixPt* result,
                  FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { result->value = (number->value + other->value).roundedTo(result->precision); });
}

void FM_FixPt_Subtract(const FM_FixPt* number, const FM_FixPt* other, FM_FixPt* result,
                       FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { result->value = (number->value - other->value).roundedTo(result->precision); });
}

FM_DateTime* FM_DateTime_Constructor1(FM_ErrorRecord* error) {
  return constructObject<FM_DateTime>("DateTime", error);
}

void FM_DateTime_Delete(FM_DateTime* dateTime, FM_ErrorRecord* error) {
  deleteObject("DateTime", dateTime, error);
}

// FileMaker's clock has whole seconds.
void FM_DateTime_Now(FM_DateTime* dateTime, FM_ErrorRecord* error) {
  hostCallVoid(error, [&] {
    dateTime->seconds =
        Decimal::fromInt(static_cast<int64_t>(std::floor(HostClock::nowSeconds())));
  });
}

void FM_DateTime_GetSecondsSinceEpoch(const FM_DateTime* dateTime, FM_FixPt* seconds,
                                      FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { seconds->value = dateTime->seconds.roundedTo(seconds->precision); });
}

void FM_DateTime_SetSecondsSinceEpoch(FM_DateTime* dateTime, const FM_FixPt* seconds,
                                      FM_ErrorRecord* error) {
  hostCallVoid(error, [&] { dateTime->seconds = seconds->value; });
}

FM_QuadChar* FM_QuadChar_Constructor2(char c0, char c1, char c2, char c3, FM_ErrorRecord* error) {
  FM_QuadChar* id = constructObject<FM_QuadChar>("QuadChar", error);
  if (id != nullptr) {
    id->characters[0] = c0;
    id->characters[1] = c1;
    id->characters[2] = c2;
    id->characters[3] = c3;
  }
  return id;
}

void FM_QuadChar_Delete(FM_QuadChar* id, FM_ErrorRecord* error) {
  deleteObject("QuadChar", id, error);
}

}  // extern "C"
