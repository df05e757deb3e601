// Quibo_ExecuteSQL over a million cells, against stepping the same query through SQLite's C API
// and joining the cells directly; and the same with twice the rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "fm/objects.h"
#include "loaded_plugin.h"

namespace {

constexpr int kColumns = 10;
constexpr int64_t kRows = 100'000;  // a million cells
constexpr char kQuery[] = "SELECT * FROM Cells WHERE id <= ?1";

// A file of 2 × kRows rows of ten columns, half text and half numbers, open in the host and in a
// connection of its own for the baseline.
class CellsFile {
 public:
  static CellsFile& instance() {
    static CellsFile file;
    return file;
  }
  sqlite3* connection() const { return connection_; }
  std::string query(int64_t rows) const {
    return std::string(kQuery).replace(std::string(kQuery).find("?1"), 2, std::to_string(rows));
  }

 private:
  CellsFile() {
    path_ = std::filesystem::temp_directory_path() /
            ("quibo-bench-cells-" + std::to_string(::getpid()) + ".sqlite");
    std::filesystem::remove(path_);
    // Opened as the host opens its files, so that both sides pay the same for SQLite.
    sqlite3_open_v2(path_.c_str(), &connection_,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    const std::string make =
        "CREATE TABLE Cells (id INTEGER PRIMARY KEY, t1 TEXT, n1 INTEGER, t2 TEXT, n2 REAL, "
        "t3 TEXT, n3 INTEGER, t4 TEXT, n4 INTEGER, t5 TEXT);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(2 * kRows) +
        ") INSERT INTO Cells SELECT i, 'name ' || i, i * 7, 'city ' || (i % 97), i / 8.0, "
        "'x', i % 1000, 'some longer text ' || i, -i, '' FROM n;";
    sqlite3_exec(connection_, make.c_str(), nullptr, nullptr, nullptr);
    quibo_bench::LoadedPlugin::instance();
    standin::Session::instance().openFile(u"Cells", path_.string());
    standin::Session::instance().useFile(u"Cells");
  }
  ~CellsFile() {
    sqlite3_close(connection_);
    std::filesystem::remove(path_);
  }

  std::filesystem::path path_;
  sqlite3* connection_ = nullptr;
};

void SqliteJoinedDirectly(benchmark::State& state, int64_t rows) {
  CellsFile& file = CellsFile::instance();
  const std::string query = file.query(rows);
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(file.connection(), query.c_str(), -1, &statement, nullptr);
    std::string answer;
    bool firstRow = true;
    while (sqlite3_step(statement) == SQLITE_ROW) {
      if (!firstRow) answer += '\r';
      firstRow = false;
      for (int column = 0; column < kColumns; ++column) {
        if (column > 0) answer += '\t';
        const unsigned char* text = sqlite3_column_text(statement, column);
        if (text != nullptr) answer += reinterpret_cast<const char*>(text);
      }
    }
    sqlite3_finalize(statement);
    benchmark::DoNotOptimize(answer.data());
  }
  state.counters["cells"] = static_cast<double>(rows * kColumns);
}

// The host's own share of a query: answering the rows as data objects, and deleting them, with
// no plug-in involved. Quibo_ExecuteSQL cannot be faster than this.
void HostAnswersRows(benchmark::State& state, int64_t rows) {
  CellsFile& file = CellsFile::instance();
  const std::string query = file.query(rows);
  fm::Text statement(query);
  fm::Text fileName;
  fm::DataVect statementValues;
  quibo_bench::CurrentEnvironment environment;
  for (auto _ : state) {
    fm::RowVect answer;
    benchmark::DoNotOptimize(fm::checked([&](FM_ErrorRecord* e) {
      return FM_ExprEnv_ExecuteFileSQL(environment, statement, fileName, statementValues, answer,
                                       e);
    }));
  }
  state.counters["cells"] = static_cast<double>(rows * kColumns);
}

void ExecuteSql(benchmark::State& state, int64_t rows) {
  CellsFile& file = CellsFile::instance();
  FM_ExternalFunction executeSql = quibo_bench::LoadedPlugin::instance().handler(u"Quibo_ExecuteSQL");
  const std::string query = file.query(rows);
  const fm::DataVect parameters =
      quibo_bench::textParameters({std::u16string(query.begin(), query.end())});  // ASCII
  quibo_bench::CurrentEnvironment environment;
  fm::Data result;
  for (auto _ : state) {
    benchmark::DoNotOptimize(executeSql(4, environment, parameters, result));
  }
  if (fm::nativeType(result) != FM_TYPE_TEXT) state.SkipWithError("the query failed");
  state.counters["cells"] = static_cast<double>(rows * kColumns);
}

void registerSqlBenchmarks() {
  // A second or more each: the first query's loading of the file into SQLite's page cache weighs
  // on neither side, and only on the first of several repetitions.
  benchmark::RegisterBenchmark("SqliteJoinedDirectly", SqliteJoinedDirectly, kRows)
      ->Unit(benchmark::kMillisecond)->MinTime(1);
  benchmark::RegisterBenchmark("HostAnswersRows/vs:SqliteJoinedDirectly", HostAnswersRows, kRows)
      ->Unit(benchmark::kMillisecond)->MinTime(1);
  benchmark::RegisterBenchmark("ExecuteSql/vs:SqliteJoinedDirectly", ExecuteSql, kRows)
      ->Unit(benchmark::kMillisecond)->MinTime(1);
  benchmark::RegisterBenchmark("ExecuteSqlTwiceTheRows/vs:ExecuteSql", ExecuteSql, 2 * kRows)
      ->Unit(benchmark::kMillisecond)->MinTime(1);
}

const bool registered = (registerSqlBenchmarks(), true);

}  // namespace
