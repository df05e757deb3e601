// Quibo_DoSystemScript with Bash: arguments, line ends, both outputs of any size, and nothing
// left behind: no temporary file, no child, no descriptor.
#include <dirent.h>
#include <gmock/gmock.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "plugin_session.h"

namespace quibo_test {
namespace {

using ::testing::HasSubstr;

int openDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

int filesIn(const std::filesystem::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

class SystemScript : public PluginTest {};

TEST_F(SystemScript, PassesArgumentsAsWrittenAndAnswersTheOutput) {
  EXPECT_EQ(evaluated("Quibo_DoSystemScript( \"printf '%s|' \\\"$@\\\"\" ; \"bash\" ; \"a b\" ; \"c\" )"),
            "a|b|c|");
  EXPECT_EQ(evaluated("Quibo_DoSystemScript( \"echo one\" & Char( 13 ) & Char( 10 ) & \"echo two\" ; \"BASH\" )"),
            "one\rtwo\r");  // the file has LF line ends, the answer FileMaker's returns
  EXPECT_EQ(evaluated("Quibo_DoSystemScript( \"printf 'é'\" ; \"Bash\" )"), "é");
  // No shell reads the arguments: nothing in them but spaces means anything.
  EXPECT_EQ(evaluated("Quibo_DoSystemScript( \"printf '%s|' \\\"$@\\\"\" ; \"BASH\" ; \"$HOME;`id`\" ; \"*\" )"),
            "$HOME;`id`|*|");
}

TEST_F(SystemScript, KeepsTheErrorOutputForTheStderrSelector) {
  EXPECT_EQ(evaluated("Quibo_DoSystemScript( \"echo out; echo err >&2; exit 3\" ; \"BASH\" )"),
            "out\r");
  EXPECT_EQ(evaluated("Quibo_Get( \"stderr\" )"), "err\r");
  EXPECT_EQ(evaluated("Quibo_DoSystemScript( \"true\" ; \"BASH\" )"), "");
  EXPECT_EQ(evaluate("Quibo_Get( \"stderr\" )").code, 0);
  EXPECT_EQ(evaluated("Quibo_Get( \"stderr\" )"), "");
}

TEST_F(SystemScript, ReadsBothOutputsWhateverTheirSize) {
  const std::string script = "yes a | head -c 10000000; yes b | head -c 10000000 >&2";
  EXPECT_EQ(evaluated("Length( Quibo_DoSystemScript( \"" + script + "\" ; \"BASH\" ) )"),
            "10000000");
  EXPECT_EQ(evaluated("Length( Quibo_Get( \"stderr\" ) )"), "10000000");
  EXPECT_EQ(evaluated("Left( Quibo_Get( \"stderr\" ) ; 1 )"), "b");
}

TEST_F(SystemScript, RefusesOtherSystemsKinds) {
  for (const auto& [kind, message] : std::vector<std::pair<std::string, std::string>>{
           {"APPLE", "Apple Script is not supported on Linux"},
           {"bat", "Bat script is not supported on Linux"},
           {"Vbs", "Visual Basic script is not supported on Linux"},
           {"cmd", "Unknown system script type"}}) {
    EXPECT_EQ(evaluate("Quibo_DoSystemScript( \"echo\" ; \"" + kind + "\" )").code, -50) << kind;
    EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), message);
  }
  EXPECT_EQ(evaluate("Quibo_DoSystemScript( \"echo\" )").code, 1201);  // the host's minimum
}

TEST_F(SystemScript, LeavesNoFileProcessOrDescriptorBehind) {
  // A folder of this test's own for the script files, so that other tests' files do not count.
  const auto folder = std::filesystem::temp_directory_path() /
                      ("quibo-scripts-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  ::setenv("TMPDIR", folder.c_str(), 1);
  const int descriptors = openDescriptors();
  const std::string path = evaluated("Quibo_DoSystemScript( \"printf '%s' \\\"$0\\\"\" ; \"BASH\" )");
  EXPECT_THAT(path, HasSubstr(folder.string() + "/qbx"));
  EXPECT_THAT(path, ::testing::EndsWith(".sh"));
  EXPECT_FALSE(std::filesystem::exists(path));
  for (int run = 0; run < 300; ++run) {
    evaluate("Quibo_DoSystemScript( \"echo $$\" ; \"BASH\" )");
  }
  EXPECT_EQ(filesIn(folder), 0);
  ::unsetenv("TMPDIR");
  std::filesystem::remove_all(folder);
  EXPECT_EQ(openDescriptors(), descriptors);
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);  // no child left to reap
  EXPECT_EQ(errno, ECHILD);
}

}  // namespace
}  // namespace quibo_test
