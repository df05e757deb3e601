// quibo-host as its users run it: options, calculations, host commands and the demo.
#include <gmock/gmock.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "plugin_session.h"
#include "shell_text.h"

namespace quibo_test {
namespace {

using ::testing::HasSubstr;

class HostProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("quibo-host-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  Outcome run(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::ofstream(folder_ / "in") << input;
    std::string command = quoted(buildPath("quibo-host"));
    // Appended piece by piece: GCC 12 warns falsely about "literal" + a temporary string at -O3.
    for (const std::string& argument : arguments) command.append(" ").append(quoted(argument));
    command += " < " + quoted((folder_ / "in").string()) + " > " +
               quoted((folder_ / "out").string()) + " 2> " + quoted((folder_ / "err").string());
    return runInShell(command, folder_);
  }

  std::filesystem::path folder_;
};

TEST_F(HostProgram, ShowsAFailedCallAsAQuestionMarkWithItsCode) {
  const Outcome result = run({"-e", "Quibo_Get", "-e", "Quibo_Get( \"lastErrorMessage\" )", "-e",
                              "Quibo_Get( \"lastError\" )"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "?\nNot enough parameters\n-50\n");
  EXPECT_THAT(result.err, HasSubstr("\n-50\n"));
  EXPECT_THAT(result.err, HasSubstr("Halvik Quibo Plug-In\n"));
}

TEST_F(HostProgram, PrintsCarriageReturnsAsLineBreaks) {
  const Outcome result = run({"-e", "Quibo_Get( \"sort\" ; \"3¶10¶2\" )"});
  EXPECT_EQ(result.out, "2\n3\n10\n\n");
}

TEST_F(HostProgram, RunsLinesFromStandardInputWithCommentsAndCommands) {
  const std::filesystem::path database = folder_ / "people.sqlite";
  const Outcome result = run({},
                             "# a comment\n"
                             "Quibo_Version( \"long\" )\n"
                             ":open People=" +
                                 database.string() +
                                 "\n"
                                 ":use People\n"
                                 "Get( FileName )\n"
                                 ":script Hello = \"Hi \" & Get( ScriptParameter )\n"
                                 "ScriptNames( \"People\" )\n"
                                 ":advance 3600\n"
                                 ":frobnicate\n"
                                 "\"after\" & \" the error\"\n"
                                 ":quit\n"
                                 "\"never\"\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "Halvik Quibo Plug-In 1.2\nPeople\nHello\nafter the error\n");
  EXPECT_THAT(result.err, HasSubstr("unknown host command :frobnicate"));
}

TEST_F(HostProgram, PressesKeysAndOpensWindowsOfTheDesktop) {
  const Outcome result = run({},
                             ":script Hello = \"Hi \" & Get( ScriptParameter )\n"
                             "Quibo_SetScriptShortcut( \"ctrl shift h\" ; \"Hello\" ; \"you\" )\n"
                             ":key ctrl h\n"
                             ":key shift ctrl h\n"
                             ":window Data Viewer\n"
                             ":window Other\n"
                             "Quibo_GetSpecialWindows\n"
                             ":key ctrl nothing\n");
  EXPECT_EQ(result.out,
            "0\n"
            "started script \"Hello\" of \"Untitled\", control 0, parameter \"you\"\nHi you\n"
            "Data Viewer\n");
  EXPECT_THAT(result.err, HasSubstr("unknown key \"nothing\""));
}

TEST_F(HostProgram, RunsAScriptFileAndOpensFilesFromTheCommandLine) {
  std::ofstream(folder_ / "lines.calc") << "Get( FileName )\nUpper( \"abc\" )\n";
  const Outcome result = run({"--file", "Notes=" + (folder_ / "notes.sqlite").string(),
                              (folder_ / "lines.calc").string()});
  EXPECT_EQ(result.out, "Notes\nABC\n");
}

TEST_F(HostProgram, TellsTheServerAndWebHostsApart) {
  for (const char* kind : {"--server", "--web"}) {
    const Outcome result = run({kind, "-e", "Quibo_Version"});
    EXPECT_EQ(result.out, "1.2\n") << kind;
  }
}

TEST_F(HostProgram, RefusesBadOptionsAndAMissingPlugin) {
  EXPECT_EQ(run({"--bogus"}).status, 2);
  const Outcome missing = run({"--plugin", (folder_ / "none.fmx").string(), "-e", "1"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_THAT(missing.err, HasSubstr("cannot load"));
}

TEST_F(HostProgram, DemoShowsTheWorkingFunctions) {
  const Outcome result = run({"--demo"});
  EXPECT_EQ(result.status, 0);
  EXPECT_THAT(result.err, HasSubstr("Halvik Quibo Plug-In"));
  EXPECT_THAT(result.out, HasSubstr("Halvik Quibo Plug-In 1.2\n"));
  EXPECT_THAT(result.out, HasSubstr("\nTimestamp\n"));
  EXPECT_THAT(result.out, HasSubstr("Ada Lovelace, London"));
  EXPECT_THAT(result.out, ::testing::Not(HasSubstr("quibo-host:")));
  EXPECT_THAT(result.err, ::testing::Not(HasSubstr("quibo-host:")));
}

}  // namespace
}  // namespace quibo_test
