// The stand-in FileMaker host: its session (open files, registered external functions, clock,
// started scripts) and the loader that drives a plug-in through its message record.
//
// One session per process, as one FileMaker application; everything runs on the calling thread.
#ifndef STANDIN_HOST_H_
#define STANDIN_HOST_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fm/api.h"

namespace standin {

// The host clock that FM_DateTime_Now reads: the machine's local time plus an offset that tests
// and the host program move forward, or a fixed time when frozen.
class HostClock {
 public:
  static double nowSeconds();  // seconds since 0001-01-01 00:00:00 local time
  static void advance(double seconds);
  static void freezeAt(double secondsSinceEpoch);
  static void reset();  // back to the real clock
};

// A script that a plug-in asked the host to start, as the host logs it.
struct StartedScript {
  std::u16string fileName;
  std::u16string scriptName;
  uint8_t control = 0;
  std::u16string parameter;
};

struct RegisteredFunction {
  std::string pluginId;  // the four characters
  int16_t id = 0;
  std::u16string name;
  std::u16string prototype;
  int16_t minimumArgs = 0;
  int16_t maximumArgs = -1;
  uint32_t flags = 0;
  FM_ExternalFunction handler = nullptr;
};

class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Session {
 public:
  static Session& instance();

  // Files. Opening a file opens a SQLite database whose tables are the file's tables; the file's
  // scripts live in the database too. An "Untitled" in-memory file is open while no other is.
  void openFile(const std::u16string& name, const std::string& databasePath);
  void closeFile(const std::u16string& name);
  void useFile(const std::u16string& name);  // makes it the current file
  std::u16string currentFile() const;
  std::vector<std::u16string> fileNames() const;  // in the order they were opened
  // Adds (or replaces) a script of the current file; when started it evaluates `calculation`.
  void addScript(const std::u16string& scriptName, const std::u16string& calculation);
  void closeAll();  // every file, back to "Untitled"

  // Evaluates a calculation for the current file, as FileMaker evaluates a field or script step.
  // Returns the calculation error code; `result` holds the value on 0.
  int16_t evaluate(const std::u16string& calculation, FM_Data& result);

  // External functions, as plug-ins registered them.
  const std::vector<RegisteredFunction>& registeredFunctions() const;

  // Scripts started through the start-script callback, in order. The host runs each after the
  // plug-in call that asked for it returns: runStartedScripts evaluates their calculations and
  // hands each script and its answer text to `onRun` (answer empty for a script without one).
  std::vector<StartedScript> startedScripts() const;
  void runStartedScripts(
      const std::function<void(const StartedScript&, const std::u16string& answer)>& onRun);
  void clearStartedScripts();
  // Makes the start-script callback refuse with `code` (0 accepts again).
  void refuseScriptStarts(int16_t code);

  // The record's callbacks.
  static FM_StartScriptCall startScriptCallback();
  static FM_CurrentEnvCall currentEnvironmentCallback();
};

enum class HostKind { Desktop, Server, Web };

// Loads a plug-in library and talks to it through FMExternCallProc as FileMaker does.
class PluginHost {
 public:
  // Loads the library; throws HostError when it cannot be loaded or has no entry point.
  explicit PluginHost(const std::string& libraryPath);
  ~PluginHost();  // sends the shutdown message if the plug-in is initialised, then unloads
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // Sends the initialise message; answers the record's result (53 when accepted).
  int64_t initialise(HostKind kind = HostKind::Desktop, uint16_t extensionVersion = 62);
  // The same, with an explicit version text (null for none).
  int64_t initialiseWithVersionText(const char16_t* versionText, uint16_t extensionVersion);
  void idle(uint8_t level = FM_IDLE_USER_IDLE);
  void shutdown();
  void preferences();
  // Sends a get-string message with a buffer of `bufferUnits` units; answers what was written.
  std::u16string getString(uint8_t stringId, uint32_t bufferUnits = 1024);

  // The record of the last message, as the plug-in left it.
  const FM_ExternCallStruct& lastRecord() const;
  void* moduleHandle() const;
  bool initialised() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace standin

#endif  // STANDIN_HOST_H_
