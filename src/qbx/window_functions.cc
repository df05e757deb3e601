// Quibo_GetSpecialWindows lists the open windows titled as one of FileMaker's special windows;
// Quibo_LockWindows and Quibo_UnlockWindows do their work only on Mac OS X, so here they say so.
#include <array>
#include <string>
#include <string_view>

#include "fm/objects.h"
#include "platform/desktop_windows.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"

namespace qbx {

namespace {

constexpr std::array<std::u16string_view, 4> kSpecialWindowTitles = {
    u"Script Debugger", u"Data Viewer", u"Scripts", u"Help"};
constexpr size_t kTitleBufferUnits = 254;
constexpr char16_t kTitleSeparator = u'\r';

// Adds the window's title, in its own letter case, when it is one of the special titles.
bool collectSpecialWindow(platform::WindowHandle window, std::u16string& titles) {
  const std::u16string title = platform::windowTitle(window, kTitleBufferUnits);
  if (title.empty()) return true;
  for (std::u16string_view special : kSpecialWindowTitles) {
    if (!platform::equalIgnoringCase(title, std::u16string(special))) continue;
    if (!titles.empty()) titles += kTitleSeparator;
    titles += title;
    break;
  }
  return true;  // every window is visited
}

int16_t getSpecialWindows(FM_Data* result) {
  std::u16string titles;
  platform::enumerateTopLevelWindows(
      [&](platform::WindowHandle window) { return collectSpecialWindow(window, titles); });
  fm::Text text;
  fm::assignUnicode(text, titles);
  fm::setText(result, text);
  return 0;
}

int16_t onlyOnMacOs(FM_Data* result, const char* message) {
  return runInFrame(HostCode::AlwaysZero, result, [&]() -> int16_t {
    if (answeredAsServerHost(result)) return 0;
    vesk::fail(kNotAvailableHere, message);
  });
}

}  // namespace

int16_t Quibo_GetSpecialWindows(int16_t, const FM_ExprEnv*, const FM_DataVect*, FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&]() -> int16_t {
    if (answeredAsServerHost(result)) return 0;
    return getSpecialWindows(result);
  });
}

int16_t Quibo_LockWindows(int16_t, const FM_ExprEnv*, const FM_DataVect*, FM_Data* result) {
  return onlyOnMacOs(result, "Quibo_LockWindows works only on Mac OS X");
}

int16_t Quibo_UnlockWindows(int16_t, const FM_ExprEnv*, const FM_DataVect*, FM_Data* result) {
  return onlyOnMacOs(result, "Quibo_UnlockWindows works only on Mac OS X");
}

}  // namespace qbx
