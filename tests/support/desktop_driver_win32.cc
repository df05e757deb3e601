// The desktop driven for real: windows of this process registered under FileMaker's window class
// or another, and key events sent with SendInput. The low-level hook is called on the thread
// that installed it while that thread takes its messages, so every event is followed by a pump.
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "desktop_driver.h"

namespace quibo_test::desktop {

namespace {

constexpr wchar_t kFileMakerClass[] = L"FMPRO.Document";
constexpr wchar_t kOtherClass[] = L"Quibo.TestWindow";

std::vector<HWND>& openedWindows() {
  static std::vector<HWND> windows;
  return windows;
}

HWND& fileMakerWindow() {
  static HWND window = nullptr;
  return window;
}

void registerClass(const wchar_t* name) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name;
  RegisterClassW(&windowClass);  // fails harmlessly once registered
}

// Takes this thread's messages until none has come for a while.
void pumpMessages() {
  using Clock = std::chrono::steady_clock;
  Clock::time_point quietSince = Clock::now();
  while (Clock::now() - quietSince < std::chrono::milliseconds(20)) {
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
      quietSince = Clock::now();
    } else {
      Sleep(1);
    }
  }
}

HWND createWindow(const wchar_t* className, const std::u16string& title) {
  registerClass(className);
  HWND window = CreateWindowExW(0, className, reinterpret_cast<const wchar_t*>(title.c_str()),
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 240, 120, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) {
    openedWindows().push_back(window);
    SetForegroundWindow(window);
  }
  pumpMessages();
  return window;
}

// Another thread holds the named mutex; Windows mutexes belong to threads, so this one then
// times out waiting for it as it would for another process.
class MutexHolder {
 public:
  void hold() {
    if (thread_.joinable()) return;
    std::unique_lock<std::mutex> lock(mutex_);
    release_ = false;
    held_ = false;
    thread_ = std::thread([this] {
      HANDLE named = CreateMutexW(nullptr, FALSE, L"Global\\KeybMtx");
      if (named != nullptr) WaitForSingleObject(named, INFINITE);
      std::unique_lock<std::mutex> inner(mutex_);
      held_ = true;
      changed_.notify_all();
      changed_.wait(inner, [this] { return release_; });
      if (named != nullptr) {
        ReleaseMutex(named);
        CloseHandle(named);
      }
    });
    changed_.wait(lock, [this] { return held_; });
  }
  void release() {
    if (!thread_.joinable()) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      release_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  ~MutexHolder() { release(); }

 private:
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool held_ = false;
  bool release_ = false;
};

MutexHolder& mutexHolder() {
  static MutexHolder holder;
  return holder;
}

}  // namespace

void reset() {
  mutexHolder().release();
  for (HWND window : openedWindows()) DestroyWindow(window);
  openedWindows().clear();
  fileMakerWindow() = nullptr;
  pumpMessages();
}

void openWindow(const std::u16string& title) { createWindow(kOtherClass, title); }

void frontFileMakerWindow() {
  if (fileMakerWindow() == nullptr) {
    fileMakerWindow() = createWindow(kFileMakerClass, u"Untitled");
    return;
  }
  SetForegroundWindow(fileMakerWindow());
  pumpMessages();
}

void sendKeyEvent(uint32_t virtualKey, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtualKey);
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
  pumpMessages();
}

std::optional<size_t> pressCombination(const std::vector<uint32_t>& keys) {
  for (uint32_t key : keys) sendKeyEvent(key, true);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) sendKeyEvent(*key, false);
  return std::nullopt;
}

void holdKeyboardMutexElsewhere(bool held) {
  if (held) {
    mutexHolder().hold();
  } else {
    mutexHolder().release();
  }
}

std::optional<size_t> hookCount() { return std::nullopt; }

std::optional<size_t> openMutexHandles() { return std::nullopt; }

bool refuseHooks(bool) { return false; }

}  // namespace quibo_test::desktop
