// The system-wide low-level keyboard hook and what its procedure reads: the foreground window's
// class, the state of the modifier keys, the character of a key, and the named mutex that
// processes share while they handle a key.
#ifndef PLATFORM_KEYBOARD_H_
#define PLATFORM_KEYBOARD_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::keyboard {

// Called for every key event of the desktop, on the thread that installed the hook, as the
// system's low-level keyboard hook procedures are.
using HookProcedure = intptr_t (*)(int code, uintptr_t message, intptr_t eventRecord);
using HookHandle = void*;
using MutexHandle = void*;

constexpr int kAction = 0;  // the code of an event the procedure may handle
constexpr uintptr_t kKeyDown = 256;
constexpr uintptr_t kSysKeyDown = 260;

// Virtual-key codes that the shortcut logic reads.
constexpr uint32_t kShift = 16;
constexpr uint32_t kControl = 17;
constexpr uint32_t kMenu = 18;  // Alt
constexpr uint32_t kApplications = 93;

// Installs `procedure` for every thread of the desktop; null when the system refuses.
HookHandle installHook(HookProcedure procedure, void* moduleInstance);
bool removeHook(HookHandle hook);
// Passes the event on to the next hook of the chain; answers what the chain answers.
intptr_t callNextHook(HookHandle hook, int code, uintptr_t message, intptr_t eventRecord);
uint32_t virtualKeyOf(intptr_t eventRecord);

// The class name of the foreground window, read into `bufferUnits` code units; empty when none.
std::u16string foregroundWindowClass(size_t bufferUnits);
// True when any bit but the lowest of the key's asynchronous state is set.
bool isKeyDown(uint32_t virtualKey);
// The character the key types without modifiers (letters in upper case); 0 for keys without one.
uint32_t characterOfVirtualKey(uint32_t virtualKey);

enum class MutexWait { Acquired, TimedOut, Failed };
// Null when the mutex cannot be made.
MutexHandle createNamedMutex(const std::u16string& name);
MutexWait waitForMutex(MutexHandle mutex, uint32_t milliseconds);
void releaseMutex(MutexHandle mutex);
void closeMutex(MutexHandle mutex);

}  // namespace platform::keyboard

#endif  // PLATFORM_KEYBOARD_H_
