// Quibo_DoSystemScript on Windows: batch files through the command interpreter and VBScript
// through the console script host, with their arguments, CR LF line ends, the ANSI code page for
// the file and the OEM one for the output, and no script file left behind.
#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>

#include "plugin_session.h"
#include "test_environment.h"

namespace quibo_test {
namespace {

using ::testing::HasSubstr;

// Script text with CR line breaks, as FileMaker's calculation writes them.
std::string calculationText(const std::vector<std::string>& lines) {
  std::string text = "\"";
  for (size_t index = 0; index < lines.size(); ++index) {
    if (index > 0) text += "\" & Char( 10 ) & \"";
    text += lines[index];
  }
  return text + "\"";
}

std::string runBatch(const std::vector<std::string>& lines, const std::string& arguments = "") {
  return evaluated("Quibo_DoSystemScript( " + calculationText(lines) + " ; \"BAT\"" + arguments +
                   " )");
}

int filesIn(const std::filesystem::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

class SystemScript : public PluginTest {};

TEST_F(SystemScript, PassesArgumentsUnquotedAndAnswersTheOutput) {
  // "a b" ; "c" are joined with spaces: three arguments.
  EXPECT_EQ(runBatch({"@echo off", "echo [%1][%2][%3][%4]"}, " ; \"a b\" ; \"c\""),
            "[a][b][c][]\r");
  EXPECT_EQ(runBatch({"@echo off", "echo one", "echo two"}), "one\rtwo\r");
  EXPECT_EQ(runBatch({"@rem nothing at all"}), "");
  for (const char* kind : {"bat", "Bat", "BAT"}) {
    EXPECT_EQ(evaluated(std::string("Quibo_DoSystemScript( \"@echo same\" ; \"") + kind + "\" )"),
              "same\r");
  }
}

TEST_F(SystemScript, WritesTheFileWithCrLfLineEndsInTheAnsiCodePage) {
  // Lines of 9, 9 and 7 bytes ("é" is one byte in code page 1252), CR LF after the first two:
  // 29 bytes, where %~z0 (the batch file's size) would say 27 for LF ends or 32 for UTF-8.
  EXPECT_EQ(runBatch({"@echo off", "echo %~z0", "rem \u00e9\u00e9\u00e9"}), "29\r");
}

TEST_F(SystemScript, ReadsTheOutputInTheOemCodePage) {
  // Bytes 82 and B1 are "é" and "▒" in code page 437 (in 1252 they would be "‚" and "±").
  const std::string printBytes =
      (std::filesystem::path(testProgramFolder()) / "print_bytes.exe").string();
  EXPECT_EQ(runBatch({"@" + printBytes + " 82 B1 0D 0A"}), "\u00e9\u2592\r");
}

TEST_F(SystemScript, HasNoErrorOutputAndRefusesOtherSystemsKinds) {
  runBatch({"@echo out", "@echo err 1>&2"});
  EXPECT_EQ(evaluate("Quibo_Get( \"stderr\" )").code, -4);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"),
            "Only Bash and PHP scripts support stderr.");
  for (const auto& [kind, message] : std::vector<std::pair<std::string, std::string>>{
           {"APPLE", "Apple Script is not supported on Windows"},
           {"bash", "Bash script is not supported on Windows"},
           {"Php", "PHP script is not supported on Windows"},
           {"cmd", "Unknown system script type"}}) {
    EXPECT_EQ(evaluate("Quibo_DoSystemScript( \"echo\" ; \"" + kind + "\" )").code, -50) << kind;
    EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), message);
  }
}

TEST_F(SystemScript, LeavesNoScriptFileBehind) {
  // A temporary folder of this test's own, so that other programs' files do not count.
  const auto folder = std::filesystem::temp_directory_path() / "quibo-scripts";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string saved = std::filesystem::temp_directory_path().string();
  setEnvironment("TMP", folder.string());
  const std::string path = runBatch({"@echo %~f0"});
  EXPECT_THAT(path, HasSubstr("\\qbx"));
  EXPECT_THAT(path, ::testing::EndsWith(".tmp.bat\r"));
  EXPECT_FALSE(std::filesystem::exists(path.substr(0, path.size() - 1)));
  for (int run = 0; run < 20; ++run) runBatch({"@rem"});
  evaluate("Quibo_DoSystemScript( \"WScript.Echo 1\" ; \"VBS\" )");
  EXPECT_EQ(filesIn(folder), 0);
  setEnvironment("TMP", saved);
  std::filesystem::remove_all(folder);
}

TEST_F(SystemScript, RunsVisualBasicWithTheConsoleScriptHost) {
  const Answer answer = evaluate(
      R"(Quibo_DoSystemScript( "WScript.Echo \"vbs \" & WScript.Arguments.Count" ; "VBS" ; "x y" ))");
  EXPECT_EQ(answer.code, 0);
  if (answer.text.empty()) {
    GTEST_SKIP() << "this system's cscript wrote nothing (Wine without a VBScript engine)";
  }
  EXPECT_EQ(answer.text, "vbs 2\r");
}

}  // namespace
}  // namespace quibo_test
