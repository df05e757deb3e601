// A long run of mixed calls through the stand-in host, as a FileMaker file that uses the plug-in
// all day would make them: memory, descriptors, child processes, temporary files and live host
// objects must stay flat. QUIBO_SOAK_CALLS sets the number of calls (100,000 unless set).
#include <dirent.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "desktop_driver.h"
#include "fm/objects.h"
#include "plugin_session.h"
#include "standin/control.h"

namespace quibo_test {
namespace {

namespace desktop = quibo_test::desktop;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

int64_t callCount() {
  const char* configured = std::getenv("QUIBO_SOAK_CALLS");
  return configured != nullptr ? std::atoll(configured) : 100'000;
}

struct Resources {
  int64_t residentKiB = 0;
  int64_t descriptors = 0;
  int64_t children = 0;
  int64_t scriptFiles = 0;
  int64_t hostObjects = 0;
};

int64_t residentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
  }
  return -1;
}

int64_t entriesOf(const std::string& folder, const std::string& prefix) {
  int64_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind(prefix, 0) == 0) ++count;
  }
  return count;
}

// Processes whose parent is this one, defunct ones included.
int64_t childProcesses() {
  int64_t count = 0;
  const std::string self = std::to_string(::getpid());
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // pid (command) state ppid ...: the command may hold spaces and parentheses.
    const size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    long parent = 0;
    if (std::sscanf(line.c_str() + close + 1, " %c %ld", &state, &parent) == 2 &&
        std::to_string(parent) == self) {
      ++count;
    }
  }
  return count;
}

std::string temporaryFolder() {
  const char* configured = std::getenv("TMPDIR");
  return configured != nullptr && configured[0] == '/' ? configured : "/tmp";
}

Resources measure() {
  return {residentKiB(), entriesOf("/proc/self/fd", ""), childProcesses(),
          entriesOf(temporaryFolder(), "qbx"), standin::liveObjectCount()};
}

// The calculations of the mix, each as a FileMaker user would write it; `%` takes the call's
// number, so that keys and texts vary within a bounded set.
constexpr std::array<const char*, 16> kMix = {
    "Quibo_Version( \"long\" )",
    "Quibo_Get( \"sort\" ; \"%¶3¶10¶2\" )",
    "Quibo_SetGlobal( \"key %\" ; \"value \" & % )",
    "Quibo_GetGlobal( \"key %\" )",
    "Quibo_SetGlobal( \"temp %\" ; % ; \"dieonclose\" )",
    "Quibo_ValueType( Date( 1 ; 2 ; 2003 ) )",
    "Quibo_GetTimestamp",
    "Quibo_ExecuteSQL( \"SELECT name, amount FROM items WHERE id < 5\" ; \",\" ; \"|\" )",
    "Quibo_ExecuteSQL( \"SELEC\" )",
    "Quibo_MergeText( \"a <<1+%>> b <<bad(>> c\" )",
    "Quibo_DoFileMakerScript( \"Tick\" ; \"%\" )",
    "Quibo_SetScriptShortcut( \"ctrl 1\" ; \"Tick\" ; \"%\" )",
    "Quibo_SetScriptShortcut( \"ctrl 1\" ; \"\" )",
    "Quibo_GetSpecialWindows",
    "Quibo_GetIPforName( \"localhost\" )",
    "Quibo_LockWindows",
};
constexpr int64_t kSystemScriptEvery = 1000;

std::string calculationFor(int64_t call) {
  if (call % kSystemScriptEvery == 0) {
    return "Quibo_DoSystemScript( \"echo out; echo err >&2; exit 3\" ; \"BASH\" )";
  }
  std::string calculation = kMix[static_cast<size_t>(call) % kMix.size()];
  const std::string number = std::to_string(call % 10);
  for (size_t at; (at = calculation.find('%')) != std::string::npos;) {
    calculation.replace(at, 1, number);
  }
  return calculation;
}

class Soak : public PluginTest {
 protected:
  static void runCalls(int64_t from, int64_t to);
};

void Soak::runCalls(int64_t from, int64_t to) {
  for (int64_t call = from; call < to; ++call) {
    fm::Data result;
    standin::Session::instance().evaluate(utf16(calculationFor(call)), *result.get());
    if (call % 100 == 0) {
      desktop::frontFileMakerWindow();
      desktop::pressCombination({17, '0' + static_cast<uint32_t>(call / 100 % 10)});
      plugin().idle();
      standin::Session::instance().clearStartedScripts();
    }
  }
}

TEST_F(Soak, MixedCallsLeaveNothingBehind) {
  // A temporary folder of its own, so that script files of other processes do not count.
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quibo-soak-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const char* configured = std::getenv("TMPDIR");
  const std::optional<std::string> originalFolder =
      configured != nullptr ? std::optional<std::string>(configured) : std::nullopt;
  ::setenv("TMPDIR", folder.c_str(), 1);
  standin::Session& session = standin::Session::instance();
  session.openFile(u"Soak", ":memory:");
  session.useFile(u"Soak");
  ASSERT_EQ(
      evaluated("Quibo_ExecuteSQL( \"CREATE TABLE items (id INTEGER, name TEXT, amount REAL)\" )"),
      "");
  for (int id = 0; id < 10; ++id) {
    evaluated("Quibo_ExecuteSQL( \"INSERT INTO items VALUES (" + std::to_string(id) + ", 'item " +
              std::to_string(id) + "', " + std::to_string(id) + ".5)\" )");
  }
  session.addScript(u"Tick", u"Get ( ScriptParameter )");
  desktop::openWindow(u"Data Viewer");

  const int64_t calls = callCount();
  const int64_t warmUp = calls / 10;
  runCalls(0, warmUp);
  const Resources before = measure();
  runCalls(warmUp, calls);
  const Resources after = measure();
  std::printf(
      "[ soak     ] %lld calls: resident %lld -> %lld KiB, descriptors %lld -> %lld, "
      "children %lld -> %lld, script files %lld -> %lld, host objects %lld -> %lld\n",
      static_cast<long long>(calls), static_cast<long long>(before.residentKiB),
      static_cast<long long>(after.residentKiB), static_cast<long long>(before.descriptors),
      static_cast<long long>(after.descriptors), static_cast<long long>(before.children),
      static_cast<long long>(after.children), static_cast<long long>(before.scriptFiles),
      static_cast<long long>(after.scriptFiles), static_cast<long long>(before.hostObjects),
      static_cast<long long>(after.hostObjects));

  EXPECT_EQ(after.descriptors, before.descriptors);
  EXPECT_EQ(after.children, 0);
  EXPECT_EQ(after.scriptFiles, before.scriptFiles);
  EXPECT_EQ(after.hostObjects, before.hostObjects);
  // AddressSanitizer keeps freed memory in quarantine, so resident memory grows there by design;
  // its leak checker looks after that build instead.
  if (!kAddressSanitizer) {
    EXPECT_LT(after.residentKiB - before.residentKiB, 4096);
  }

  evaluate("Quibo_SetScriptShortcut( \"\" ; \"\" )");
  evaluate("Quibo_SetGlobal( \"\" ; \"\" )");
  session.closeAll();
  desktop::reset();
  if (originalFolder) {
    ::setenv("TMPDIR", originalFolder->c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quibo_test
