#include <algorithm>

#include "objects.h"
#include "session_state.h"
#include "standin/host.h"

namespace standin {

namespace {

constexpr char16_t kUntitled[] = u"Untitled";

std::unique_ptr<OpenFile> openDatabase(const std::u16string& name, const std::string& path) {
  auto file = std::make_unique<OpenFile>();
  file->name = name;
  // The host has one thread, so the connection needs none of SQLite's locking.
  if (sqlite3_open_v2(path.c_str(), &file->database,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    std::string message = "cannot open " + path + ": " + sqlite3_errmsg(file->database);
    throw HostError(message);
  }
  // In FileMaker's SQL, as in standard SQL, double quotes name columns and tables and never make
  // a text; SQLite's lenient reading of an unknown "name" as text is turned off.
  sqlite3_db_config(file->database, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(file->database, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  std::string create = std::string("CREATE TABLE IF NOT EXISTS \"") + kScriptsTable +
                       "\" (name TEXT PRIMARY KEY, calculation TEXT)";
  sqlite3_exec(file->database, create.c_str(), nullptr, nullptr, nullptr);
  return file;
}

std::vector<std::string> column(sqlite3* database, const std::string& query) {
  std::vector<std::string> values;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(database, query.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    return values;
  }
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const unsigned char* text = sqlite3_column_text(statement, 0);
    values.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
  }
  sqlite3_finalize(statement);
  return values;
}

void ensureAFileIsOpen(SessionState& state) {
  if (state.files.empty()) {
    state.files.push_back(openDatabase(kUntitled, ":memory:"));
    state.current = 0;
  }
  if (state.current >= state.files.size()) state.current = 0;
}

}  // namespace

OpenFile::~OpenFile() {
  if (database != nullptr) sqlite3_close(database);
}

std::vector<std::string> OpenFile::tables() const {
  return column(database, std::string("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                      "name NOT LIKE 'sqlite_%' AND name <> '") +
                              kScriptsTable + "' ORDER BY rowid");
}

std::vector<std::u16string> OpenFile::scriptNames() const {
  std::vector<std::u16string> names;
  for (const std::string& name :
       column(database, std::string("SELECT name FROM \"") + kScriptsTable + "\" ORDER BY rowid")) {
    names.push_back(utf16FromUtf8(name));
  }
  return names;
}

bool OpenFile::findScript(const std::u16string& name, std::u16string& calculation) const {
  sqlite3_stmt* statement = nullptr;
  std::string query = std::string("SELECT name, calculation FROM \"") + kScriptsTable + "\"";
  if (sqlite3_prepare_v2(database, query.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    return false;
  }
  bool found = false;
  while (!found && sqlite3_step(statement) == SQLITE_ROW) {
    auto text = [&](int index) {
      const unsigned char* value = sqlite3_column_text(statement, index);
      return utf16FromUtf8(value ? reinterpret_cast<const char*>(value) : "");
    };
    if (equalIgnoringCase(text(0), name)) {
      calculation = text(1);
      found = true;
    }
  }
  sqlite3_finalize(statement);
  return found;
}

SessionState& sessionState() {
  static SessionState state;
  ensureAFileIsOpen(state);
  return state;
}

OpenFile* findFile(const std::u16string& name) {
  for (auto& file : sessionState().files) {
    if (equalIgnoringCase(file->name, name)) return file.get();
  }
  return nullptr;
}

OpenFile& currentFileOf(SessionState& state) { return *state.files[state.current]; }

bool equalIgnoringCase(const std::u16string& a, const std::u16string& b) {
  // Unit by unit: names are compared on every lookup, so no lowercased copies are made.
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
    return x == y || lowercaseUnit(x) == lowercaseUnit(y);
  });
}

Session& Session::instance() {
  static Session session;
  return session;
}

void Session::openFile(const std::u16string& name, const std::string& databasePath) {
  if (findFile(name) != nullptr) throw HostError("a file of that name is open already");
  SessionState& state = sessionState();
  auto file = openDatabase(name, databasePath);
  if (state.files.size() == 1 && state.files[0]->name == kUntitled) state.files.clear();
  state.files.push_back(std::move(file));
  if (state.files.size() == 1) state.current = 0;
}

void Session::closeFile(const std::u16string& name) {
  SessionState& state = sessionState();
  const std::u16string current = currentFile();
  auto found = std::find_if(state.files.begin(), state.files.end(),
                            [&](const auto& file) { return equalIgnoringCase(file->name, name); });
  if (found == state.files.end()) throw HostError("no such file is open");
  state.files.erase(found);
  state.current = 0;
  if (!equalIgnoringCase(current, name)) useFile(current);
  ensureAFileIsOpen(state);
}

void Session::useFile(const std::u16string& name) {
  SessionState& state = sessionState();
  for (size_t index = 0; index < state.files.size(); ++index) {
    if (equalIgnoringCase(state.files[index]->name, name)) {
      state.current = index;
      return;
    }
  }
  throw HostError("no such file is open");
}

std::u16string Session::currentFile() const { return currentFileOf(sessionState()).name; }

std::vector<std::u16string> Session::fileNames() const {
  std::vector<std::u16string> names;
  for (const auto& file : sessionState().files) names.push_back(file->name);
  return names;
}

void Session::addScript(const std::u16string& scriptName, const std::u16string& calculation) {
  sqlite3* database = currentFileOf(sessionState()).database;
  std::string insert = std::string("INSERT OR REPLACE INTO \"") + kScriptsTable +
                       "\" (name, calculation) VALUES (?, ?)";
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(database, insert.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    throw HostError(sqlite3_errmsg(database));
  }
  const std::string name = utf8FromUtf16(scriptName);
  const std::string text = utf8FromUtf16(calculation);
  sqlite3_bind_text(statement, 1, name.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(statement, 2, text.c_str(), -1, SQLITE_TRANSIENT);
  const int step = sqlite3_step(statement);
  sqlite3_finalize(statement);
  if (step != SQLITE_DONE) throw HostError(sqlite3_errmsg(database));
}

void Session::closeAll() {
  SessionState& state = sessionState();
  state.files.clear();
  ensureAFileIsOpen(state);
}

int16_t Session::evaluate(const std::u16string& calculation, FM_Data& result) {
  FM_ExprEnv environment;
  environment.session = this;
  environment.fileName = currentFile();
  return evaluateCalculation(calculation, environment, result);
}

const std::vector<RegisteredFunction>& Session::registeredFunctions() const {
  return sessionState().functions;
}

std::vector<StartedScript> Session::startedScripts() const { return sessionState().started; }

void Session::runStartedScripts(
    const std::function<void(const StartedScript&, const std::u16string& answer)>& onRun) {
  // A script may start further scripts; those run in turn, after it.
  while (!sessionState().started.empty()) {
    StartedScript script = sessionState().started.front();
    sessionState().started.erase(sessionState().started.begin());
    std::u16string answer;
    OpenFile* file = findFile(script.fileName);
    std::u16string calculation;
    if (file != nullptr && file->findScript(script.scriptName, calculation) &&
        !calculation.empty()) {
      FM_ExprEnv environment;
      environment.session = this;
      environment.fileName = file->name;
      environment.scriptParameter = script.parameter;
      FM_Data value;
      const bool evaluated = evaluateCalculation(calculation, environment, value) == 0;
      answer = evaluated ? value.asText().units : std::u16string(1, u'?');
    }
    onRun(script, answer);
  }
}

void Session::clearStartedScripts() { sessionState().started.clear(); }

void Session::refuseScriptStarts(int16_t code) { sessionState().refusal = code; }

namespace {

// FileMaker's "script missing" and "file missing".
constexpr int16_t kScriptMissing = 104;
constexpr int16_t kFileMissing = 100;

int16_t startScript(const FM_Text* fileName, const FM_Text* scriptName, uint8_t control,
                    const FM_Data* parameter) {
  try {
    SessionState& state = sessionState();
    if (state.refusal != 0) return state.refusal;
    if (fileName == nullptr || scriptName == nullptr) return kScriptMissing;
    OpenFile* file = findFile(fileName->units);
    if (file == nullptr) return kFileMissing;
    std::u16string calculation;
    if (!file->findScript(scriptName->units, calculation)) return kScriptMissing;
    StartedScript script{file->name, scriptName->units, control,
                         parameter ? parameter->asText().units : std::u16string()};
    state.started.push_back(std::move(script));
    return 0;
  } catch (...) {
    return 2;
  }
}

int16_t pointAtCurrentFile(FM_ExprEnv* environment) {
  if (environment == nullptr) return 2;
  try {
    environment->session = &Session::instance();
    environment->fileName = Session::instance().currentFile();
    environment->scriptParameter.clear();
    return 0;
  } catch (...) {
    return 2;
  }
}

}  // namespace

FM_StartScriptCall Session::startScriptCallback() { return startScript; }

FM_CurrentEnvCall Session::currentEnvironmentCallback() { return pointAtCurrentFile; }

}  // namespace standin
