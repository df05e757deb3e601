// The little process state of the plug-in frame: the record of the message being handled, whether
// the plug-in is initialised, and what kind of host it runs in.
//
// Every message stores its record here before anything else, so that string resources and the
// host's callbacks are always reached through the latest record, during external function calls
// too. Plain static data: the host calls in one at a time on its main thread.
#ifndef QBX_PLUGIN_STATE_H_
#define QBX_PLUGIN_STATE_H_

#include "fm/api.h"

namespace qbx {

enum class HostKind { Desktop = 0, Server = 1, Web = 2 };

class PluginState {
 public:
  static FM_ExternCallStruct* currentCall();
  static void setCurrentCall(FM_ExternCallStruct* record);
  // The plug-in module's instance handle, from the current record (null before any message).
  static void* moduleInstance();

  static bool initialised();
  static void setInitialised(bool initialised);

  static HostKind hostKind();
  static void setHostKind(HostKind kind);
};

// True on a server or web-publishing host, where functions that need a desktop answer -4.
bool isServerHost();

}  // namespace qbx

#endif  // QBX_PLUGIN_STATE_H_
