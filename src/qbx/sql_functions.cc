// Quibo_ExecuteSQL: an SQL statement over the open files, its answer rows joined into one text.
#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"

namespace qbx {

namespace {

constexpr char16_t kDefaultFieldSeparator = u'\t';
constexpr char16_t kDefaultRecordSeparator = u'\r';

// The first unit of a separator parameter; an empty text leaves the default.
char16_t separatorAt(const FM_DataVect* parameters, uint32_t index, char16_t fallback) {
  const std::u16string unit = fm::units(fm::textAt(parameters, index), 0, 1);
  return unit.empty() ? fallback : unit.front();
}

void appendRows(const FM_RowVect* rows, char16_t fieldSeparator, char16_t recordSeparator,
                fm::Text& answer) {
  fm::Text field;
  field.assignUnicode(&fieldSeparator, 1);
  fm::Text record;
  record.assignUnicode(&recordSeparator, 1);
  const uint32_t rowCount = fm::size(rows);
  for (uint32_t row = 0; row < rowCount; ++row) {
    if (row > 0) answer.append(record);
    const FM_DataVect* cells = fm::at(rows, row);
    const uint32_t cellCount = fm::size(cells);
    for (uint32_t cell = 0; cell < cellCount; ++cell) {
      if (cell > 0) answer.append(field);
      answer.append(fm::asText(fm::at(cells, cell)));
    }
  }
}

void executeSql(const FM_ExprEnv* environment, const FM_DataVect* parameters, FM_Data* result) {
  const uint32_t count = fm::size(parameters);
  char16_t fieldSeparator = kDefaultFieldSeparator;
  char16_t recordSeparator = kDefaultRecordSeparator;
  if (count > 2) recordSeparator = separatorAt(parameters, 2, recordSeparator);
  if (count > 1) fieldSeparator = separatorAt(parameters, 1, fieldSeparator);
  if (count == 0) return;

  fm::Text fileName;               // empty: the files of the calling calculation
  fm::DataVect statementValues;    // "?" placeholders are never bound
  fm::RowVect rows;
  const int16_t code = fm::checked([&](FM_ErrorRecord* e) {
    return FM_ExprEnv_ExecuteFileSQL(environment, fm::textAt(parameters, 0), fileName,
                                     statementValues, rows, e);
  });
  if (code != 0) {
    LastError::record(code, "SQL Error");
    setNumberResult(result, code);
    return;
  }
  fm::Text answer;
  appendRows(rows, fieldSeparator, recordSeparator, answer);
  fm::setText(result, answer);
  // A successful query clears the last error, unlike any other function's success.
  LastError::record(kNoError, "No Error Message");
}

}  // namespace

// Never fails towards the host: an SQL error is the result, and a failure of the host itself is
// recorded as the frame records it, with 0 for the host all the same.
int16_t Quibo_ExecuteSQL(int16_t, const FM_ExprEnv* environment, const FM_DataVect* parameters,
                         FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    executeSql(environment, parameters, result);
    return 0;
  });
}

}  // namespace qbx
