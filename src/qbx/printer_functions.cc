// The printer functions: the default printer's name, all printers' names, and choosing the
// default. Where the platform offers no printers they keep their checks and set no result.
#include "fm/objects.h"
#include "platform/printers.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "vesk/exception.h"
#include "vesk/text_conversions.h"

namespace qbx {

namespace {

constexpr char16_t kNameSeparator = u'\r';

void setTextResult(FM_Data* result, const std::u16string& units) {
  fm::Text text;
  fm::assignUnicode(text, units);
  fm::setText(result, text);
}

}  // namespace

int16_t Quibo_GetDefaultPrinter(int16_t, const FM_ExprEnv*, const FM_DataVect*, FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    if (auto name = platform::defaultPrinterName()) setTextResult(result, *name);
    return 0;
  });
}

int16_t Quibo_GetPrinterNames(int16_t, const FM_ExprEnv*, const FM_DataVect*, FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    const auto names = platform::printerNames();
    if (!names) return 0;
    std::u16string joined;
    for (size_t index = 0; index < names->size(); ++index) {
      if (index > 0) joined += kNameSeparator;
      joined += (*names)[index];
    }
    setTextResult(result, joined);
    return 0;
  });
}

int16_t Quibo_SetDefaultPrinter(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters,
                                FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    if (fm::size(parameters) == 0) vesk::fail(kBadParameter, "Printer name is not specified");
    platform::setDefaultPrinterName(
        vesk::stringFromFileMakerText(fm::textAt(parameters, 0))->units());
    return 0;
  });
}

}  // namespace qbx
