// The state behind standin::Session: open files, registered functions, started scripts.
#ifndef STANDIN_SESSION_STATE_H_
#define STANDIN_SESSION_STATE_H_

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "standin/host.h"

namespace standin {

// A file's scripts live in the file, in a table that is not one of its FileMaker tables.
inline constexpr char kScriptsTable[] = "FileMaker_Scripts";

struct OpenFile {
  std::u16string name;
  sqlite3* database = nullptr;
  ~OpenFile();
  // The file's FileMaker tables, in creation order.
  std::vector<std::string> tables() const;
  std::vector<std::u16string> scriptNames() const;
  // The calculation of a script, or nothing when the file has no such script.
  bool findScript(const std::u16string& name, std::u16string& calculation) const;
};

struct SessionState {
  std::vector<std::unique_ptr<OpenFile>> files;
  size_t current = 0;
  std::vector<RegisteredFunction> functions;
  std::vector<StartedScript> started;
  int16_t refusal = 0;
};

SessionState& sessionState();
// The open file of that name (letter case ignored), or null.
OpenFile* findFile(const std::u16string& name);
OpenFile& currentFileOf(SessionState& state);

// Evaluates a calculation for the environment's file; answers the calculation error code.
int16_t evaluateCalculation(const std::u16string& calculation, const FM_ExprEnv& environment,
                            FM_Data& result);

// Runs an SQL statement over the open files, the environment's file first.
int16_t executeSql(const std::u16string& statement, const FM_ExprEnv& environment,
                   const FM_DataVect* parameters, FM_RowVect& rows);

// Case-insensitive comparison of texts, as FileMaker compares names and text values.
bool equalIgnoringCase(const std::u16string& a, const std::u16string& b);

}  // namespace standin

#endif  // STANDIN_SESSION_STATE_H_
