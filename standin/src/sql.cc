// SQL over an open file: the statement runs on the file's SQLite database, with `?` parameters
// bound from the parameter vector, and every answer row becomes one data vector.
#include <sqlite3.h>

#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

#include "objects.h"
#include "session_state.h"

namespace standin {

namespace {

// FileMaker's answers for a statement it cannot parse and for one that fails otherwise.
constexpr int16_t kSqlSyntaxError = 8310;
constexpr int16_t kSqlFailed = 8309;
constexpr int16_t kFileMissing = 100;

class Statement {
 public:
  Statement() = default;
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt** out() { return &statement_; }
  sqlite3_stmt* get() const { return statement_; }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

bool isSyntaxError(sqlite3* database) {
  const char* message = sqlite3_errmsg(database);
  return std::strstr(message, "syntax error") != nullptr ||
         std::strstr(message, "incomplete input") != nullptr ||
         std::strstr(message, "unrecognized token") != nullptr;
}

void bindParameter(sqlite3_stmt* statement, int index, const FM_Data& value) {
  switch (value.type) {
    case FM_TYPE_NUMBER:
    case FM_TYPE_BOOLEAN: {
      const Decimal number = value.asNumber();
      if (Decimal::fromInt(number.truncated()) == number) {
        sqlite3_bind_int64(statement, index, number.truncated());
      } else {
        sqlite3_bind_double(statement, index, number.toDouble());
      }
      return;
    }
    default: {
      const std::string text = utf8FromUtf16(value.asText().units);
      sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                        SQLITE_TRANSIENT);
    }
  }
}

// The FileMaker type a column's declared SQL type stands for: text in a DATE, TIME or TIMESTAMP
// column that reads as one becomes one.
int32_t declaredDateTimeType(sqlite3_stmt* statement, int column) {
  const char* declared = sqlite3_column_decltype(statement, column);
  if (declared == nullptr) return FM_TYPE_INVALID;
  std::string type(declared);
  for (char& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (type.find("TIMESTAMP") != std::string::npos || type.find("DATETIME") != std::string::npos) {
    return FM_TYPE_TIMESTAMP;
  }
  if (type.find("DATE") != std::string::npos) return FM_TYPE_DATE;
  if (type.find("TIME") != std::string::npos) return FM_TYPE_TIME;
  return FM_TYPE_INVALID;
}

std::optional<Decimal> parseDateTime(std::u16string text, int32_t type) {
  if (text.size() > 10 && text[10] == u'T') text[10] = u' ';  // ISO 8601's separator
  switch (type) {
    case FM_TYPE_DATE:
      return parseDate(text);
    case FM_TYPE_TIME:
      return parseTime(text);
    default:
      return parseTimestamp(text);
  }
}

// Sets `value`, a new one, to `cell`. The cell is read through the value interface, one call for
// each part instead of the statement interface's checked call: the connection has no mutex, so
// the cell needs none of the protection that the statement interface would give it.
void setCellValue(sqlite3_value* cell, int32_t dateTimeType, FM_Data& value) {
  switch (sqlite3_value_type(cell)) {
    case SQLITE_INTEGER:
      value.setNumber(Decimal::fromInt(sqlite3_value_int64(cell)));
      break;
    case SQLITE_FLOAT:
      value.setNumber(Decimal::fromDouble(sqlite3_value_double(cell)));
      break;
    case SQLITE_NULL:
      value.setText(FM_Text{});
      break;
    default: {
      const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(cell));
      const auto size = static_cast<size_t>(sqlite3_value_bytes(cell));
      std::u16string text = utf16FromUtf8(std::string_view(bytes ? bytes : "", bytes ? size : 0));
      if (dateTimeType != FM_TYPE_INVALID) {
        if (auto seconds = parseDateTime(text, dateTimeType)) {
          value.setDateTime(FM_DateTime{*seconds}, dateTimeType);
          break;
        }
      }
      value.setText(FM_Text{std::move(text), {}});
    }
  }
}

}  // namespace

int16_t executeSql(const std::u16string& statementText, const FM_ExprEnv& environment,
                   const FM_DataVect* parameters, FM_RowVect& rows) {
  OpenFile* file = environment.fileName.empty() ? &currentFileOf(sessionState())
                                                : findFile(environment.fileName);
  if (file == nullptr) return kFileMissing;
  const std::string text = utf8FromUtf16(statementText);
  Statement statement;
  const char* rest = nullptr;
  if (sqlite3_prepare_v2(file->database, text.c_str(), static_cast<int>(text.size()),
                         statement.out(), &rest) != SQLITE_OK) {
    return isSyntaxError(file->database) ? kSqlSyntaxError : kSqlFailed;
  }
  if (statement.get() == nullptr) return kSqlSyntaxError;  // nothing but spaces and comments
  const int parameterCount = sqlite3_bind_parameter_count(statement.get());
  for (int index = 1; index <= parameterCount; ++index) {
    const size_t at = static_cast<size_t>(index - 1);
    if (parameters != nullptr && at < parameters->values.size()) {
      bindParameter(statement.get(), index, parameters->values[at]);
    }
  }
  FM_RowVect answer;
  const int columns = sqlite3_column_count(statement.get());
  std::vector<int32_t> dateTimeTypes(static_cast<size_t>(columns));
  for (int column = 0; column < columns; ++column) {
    dateTimeTypes[static_cast<size_t>(column)] = declaredDateTimeType(statement.get(), column);
  }
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
    FM_DataVect row;
    row.values.reserve(static_cast<size_t>(columns));
    for (int column = 0; column < columns; ++column) {
      setCellValue(sqlite3_column_value(statement.get(), column),
                   dateTimeTypes[static_cast<size_t>(column)], row.values.emplace_back());
    }
    answer.rows.push_back(std::move(row));
  }
  if (step != SQLITE_DONE) return kSqlFailed;
  rows = std::move(answer);
  return 0;
}

}  // namespace standin
