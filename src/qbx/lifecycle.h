// The plug-in messages: initialise, idle, shut down, preferences and get string. FileMaker calls
// FMExternCallProc for each on its main thread, one at a time.
#ifndef QBX_LIFECYCLE_H_
#define QBX_LIFECYCLE_H_

#include <functional>

#include "fm/api.h"

namespace qbx {

// Handles one message; never raises. Codes other than those above leave the record unchanged.
void handleMessage(FM_ExternCallStruct* record) noexcept;

// The extension versions the plug-in accepts.
inline constexpr uint16_t kMinimumExtensionVersion = 50;
inline constexpr uint16_t kMaximumExtensionVersion = 255;

// The options string: plug-in id "QBXT", then the flags the host reads.
inline constexpr char16_t kOptionsString[] = u"QBXT1YnYYnn";

// The work of an idle message at a safe level: it gives the script scheduler its chance to start
// due scripts. Replaceable so that tests can watch which messages reach it.
class IdleWork {
 public:
  static void run();
  static void replaceForTesting(std::function<void()> work);
};

}  // namespace qbx

#endif  // QBX_LIFECYCLE_H_
