// The desktop that a host process on Linux may offer its plug-ins: top-level windows with titles
// and classes, a foreground window, a low-level keyboard hook chain and named mutexes, shaped like
// the Win32 calls they stand for so that one keyboard and window logic serves both platforms.
//
// A host that has a desktop exports `QuiboDesktop_Interface`, which answers the table below; a
// plug-in finds it by name in the process. A process without it (FileMaker Server) has no desktop.
// Every entry is called on the host's main thread.
#ifndef DESKTOP_API_H_
#define DESKTOP_API_H_

#include <cstdint>

extern "C" {

// The first field of every keyboard event record is its virtual-key code, as on Windows.
struct QuiboDesktopKeyEvent {
  uint32_t virtualKey;
  uint32_t flags;
};

// Messages of keyboard events, with their Windows numbers.
enum : uintptr_t {
  kQuiboDesktopKeyDown = 256,
  kQuiboDesktopKeyUp = 257,
  kQuiboDesktopSysKeyDown = 260,
  kQuiboDesktopSysKeyUp = 261,
};

typedef intptr_t (*QuiboDesktopHookProcedure)(int code, uintptr_t message, intptr_t eventRecord);
typedef int (*QuiboDesktopWindowVisitor)(uintptr_t window, void* context);  // 0 stops

struct QuiboDesktopInterface {
  uint32_t size;  // sizeof(QuiboDesktopInterface) of the host, for later additions

  // Visits every top-level window, front to back, until the visitor answers 0.
  void (*enumerateWindows)(QuiboDesktopWindowVisitor visitor, void* context);
  // Copies at most units - 1 code units of the title and a terminating zero; answers the count.
  int32_t (*windowTitle)(uintptr_t window, char16_t* buffer, int32_t units);
  int32_t (*windowClass)(uintptr_t window, char16_t* buffer, int32_t units);
  uintptr_t (*foregroundWindow)(void);  // 0 when none

  // The hook chain: a new hook is called first; 0 is answered when the hook cannot be set.
  void* (*setKeyboardHook)(QuiboDesktopHookProcedure procedure);
  int32_t (*removeKeyboardHook)(void* hook);  // non-zero on success
  intptr_t (*callNextHook)(void* hook, int code, uintptr_t message, intptr_t eventRecord);
  int16_t (*asyncKeyState)(int32_t virtualKey);            // the high bit set while the key is down
  uint32_t (*characterOfVirtualKey)(uint32_t virtualKey);  // 0 for keys without a character

  // Named mutexes, shared by every user of the desktop. wait answers 0 when acquired, 1 on a
  // time-out, -1 on failure.
  void* (*createMutex)(const char16_t* name);
  int32_t (*waitForMutex)(void* mutex, uint32_t milliseconds);
  void (*releaseMutex)(void* mutex);
  void (*closeMutex)(void* mutex);
};

typedef const QuiboDesktopInterface* (*QuiboDesktopInterfaceFunction)(void);

}  // extern "C"

#endif  // DESKTOP_API_H_
