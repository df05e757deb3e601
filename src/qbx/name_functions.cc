// Quibo_GetNameForIP and Quibo_GetIPforName: the system resolver, both ways.
#include "fm/objects.h"
#include "platform/sockets.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "vesk/exception.h"
#include "vesk/text_conversions.h"

namespace qbx {

namespace {

// The socket library for one look-up.
class WinsockStartup {
 public:
  WinsockStartup() : library_(2, 0) {
    if (!library_.started()) {
      vesk::fail(static_cast<int32_t>(library_.startError()),
                 "Windows sockets service is not available");
    }
  }

 private:
  platform::SocketLibrary library_;
};

vesk::String resolveNameForIP(const vesk::String& address) {
  const auto text = address.toUtf8();
  const WinsockStartup sockets;
  const uint32_t value = platform::parseIPv4(text->c_str());
  if (value == platform::kNoAddress) vesk::fail(kBadParameter, "Invalid IP address");
  const auto name = platform::hostNameOf(value);
  if (!name) vesk::fail(kBadParameter, "Cannot get host information for IP");
  return vesk::String(name->c_str());
}

vesk::String resolveIPForName(const vesk::String& name) {
  constexpr size_t kAddressTextCapacity = 16;
  const auto text = name.toUtf8();
  const WinsockStartup sockets;
  uint32_t error = 0;
  auto address = platform::firstAddressOf(text->c_str(), error);
  if (!address) vesk::fail(static_cast<int32_t>(error), "Cannot retrieve IP for host");
  if (address->size() > kAddressTextCapacity) address->resize(kAddressTextCapacity);
  return vesk::String(address->c_str());
}

template <typename Resolve>
int16_t answerLookUp(const FM_DataVect* parameters, FM_Data* result, const char* missing,
                     Resolve resolve) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    if (fm::size(parameters) == 0) vesk::fail(kBadParameter, missing);
    const auto argument = vesk::stringFromFileMakerText(fm::textAt(parameters, 0));
    const vesk::String answer = resolve(*argument);
    fm::Text text;
    vesk::assignToFileMakerText(answer, text);
    fm::setText(result, text);
    return 0;
  });
}

}  // namespace

int16_t Quibo_GetNameForIP(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters,
                           FM_Data* result) {
  return answerLookUp(parameters, result, "IP address is not specified", resolveNameForIP);
}

int16_t Quibo_GetIPforName(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters,
                           FM_Data* result) {
  return answerLookUp(parameters, result, "Host name is not specified", resolveIPForName);
}

}  // namespace qbx
