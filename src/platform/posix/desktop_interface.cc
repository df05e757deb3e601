#include "desktop_interface.h"

#include <dlfcn.h>

namespace platform {

const QuiboDesktopInterface* desktopInterface() {
  static const QuiboDesktopInterface* const desktop = []() -> const QuiboDesktopInterface* {
    void* symbol = dlsym(RTLD_DEFAULT, "QuiboDesktop_Interface");
    if (symbol == nullptr) return nullptr;
    const auto* table = reinterpret_cast<QuiboDesktopInterfaceFunction>(symbol)();
    // A table older than ours lacks entries we would call.
    if (table == nullptr || table->size < sizeof(QuiboDesktopInterface)) return nullptr;
    return table;
  }();
  return desktop;
}

}  // namespace platform
