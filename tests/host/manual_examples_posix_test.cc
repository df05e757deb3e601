// The examples of the user's manual, docs/functions.md, run through quibo-host as its readers
// would run them, so that the manual cannot drift from what the plug-in does.
//
// An example is a ```quibo block (the lines of a quibo-host SCRIPT) followed by an ```output
// block (exactly what quibo-host writes on standard output). Words after "quibo" say how to run
// it: "demo" opens the demo file, "server" or "web" starts a server or web-publishing host, and
// NAME=VALUE sets an environment variable. An example belongs to the function of the "## Quibo_…"
// heading above it.
#include <gmock/gmock.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "plugin_session.h"
#include "shell_text.h"

namespace quibo_test {
namespace {

// A function that is registered but not built yet records this message; its examples wait.
constexpr char kNotAvailableMessage[] = "Not available in this build";
constexpr char kLastErrorMessageProbe[] = "Quibo_Get( \"lastErrorMessage\" )";

struct Example {
  std::string function;  // the section it stands in
  int line = 0;          // of its ```quibo fence in the manual
  std::vector<std::string> words;
  std::string script;
  std::string output;
  std::string problem;  // why the example cannot be run as written, if it cannot
};

std::filesystem::path manualPath() {
  const char* folder = std::getenv("QUIBO_SOURCE_DIR");
  return std::filesystem::path(folder != nullptr ? folder : QUIBO_MANUAL_SOURCE_DIR) / "docs" /
         "functions.md";
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> wordsOf(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// The lines up to the closing fence; `index` is left on the fence. Answers false without one.
bool readFenced(const std::vector<std::string>& lines, size_t& index, std::string& body) {
  for (++index; index < lines.size(); ++index) {
    if (lines[index] == "```") return true;
    body += lines[index] + "\n";
  }
  return false;
}

std::vector<Example> readExamples(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);

  static const std::regex functionHeading(R"(^##+ +`?(Quibo_[A-Za-z_]+)`?\s*$)");
  std::vector<Example> examples;
  std::string function = "Introduction";
  for (size_t index = 0; index < lines.size(); ++index) {
    std::smatch heading;
    if (std::regex_match(lines[index], heading, functionHeading)) function = heading[1];
    if (lines[index] != "```quibo" && !startsWith(lines[index], "```quibo ")) continue;

    Example example;
    example.function = function;
    example.line = static_cast<int>(index + 1);
    example.words = wordsOf(lines[index].substr(8));
    if (!readFenced(lines, index, example.script)) example.problem = "the block is not closed";
    size_t next = index + 1;
    while (next < lines.size() && lines[next].empty()) ++next;
    if (example.problem.empty() && (next >= lines.size() || lines[next] != "```output")) {
      example.problem = "no ```output block follows";
    } else if (example.problem.empty()) {
      index = next;
      if (!readFenced(lines, index, example.output)) example.problem = "the output is not closed";
    }
    examples.push_back(std::move(example));
  }
  return examples;
}

const std::vector<Example>& manualExamples() {
  static const std::vector<Example> examples = readExamples(manualPath());
  return examples;
}

class ManualExample : public ::testing::TestWithParam<size_t> {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    folder_ = std::filesystem::temp_directory_path() /
              ("quibo-manual-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Runs the lines in an empty folder of their own, so that files they open land there.
  Outcome run(const Example& example, std::string& problem) {
    std::string environment;
    std::string options;
    for (const std::string& word : example.words) {
      if (word == "demo" || word == "server" || word == "web") {
        options += " --" + word;
      } else if (word.find('=') != std::string::npos) {
        environment += " " + quoted(word);
      } else {
        problem = "unknown word \"" + word + "\" after ```quibo";
        return {};
      }
    }
    std::ofstream(folder_ / "example.calc") << example.script << kLastErrorMessageProbe << "\n";
    const std::string command = "cd " + quoted(folder_.string()) + " && env" + environment + " " +
                                quoted(buildPath("quibo-host")) + options +
                                " example.calc < /dev/null > out 2> err";
    return runInShell(command, folder_);
  }

  std::filesystem::path folder_;
};

// Splits off the last line, the probe's answer.
std::string takeLastLine(std::string& out) {
  if (out.empty() || out.back() != '\n') return "";
  const size_t start = out.rfind('\n', out.size() - 2);
  const size_t from = start == std::string::npos ? 0 : start + 1;
  std::string last = out.substr(from, out.size() - from - 1);
  out.erase(from);
  return last;
}

TEST_P(ManualExample, WritesWhatTheManualShows) {
  const Example& example = manualExamples()[GetParam()];
  const std::string where = "docs/functions.md:" + std::to_string(example.line);
  ASSERT_TRUE(example.problem.empty()) << where << ": " << example.problem;
  std::string problem;
  Outcome result = run(example, problem);
  ASSERT_TRUE(problem.empty()) << where << ": " << problem;
  const std::string lastErrorMessage = takeLastLine(result.out);
  if (lastErrorMessage == kNotAvailableMessage) {
    GTEST_SKIP() << where << ": " << example.function << " is not available in this build";
  }
  EXPECT_EQ(result.status, 0) << where << "\n" << result.err;
  EXPECT_EQ(result.out, example.output) << where << "\nstandard error:\n" << result.err;
}

// Names the cases after their functions: Quibo_Version_1, Quibo_Version_2, ...
std::string exampleName(const ::testing::TestParamInfo<size_t>& info) {
  const std::vector<Example>& examples = manualExamples();
  const std::string& function = examples[info.param].function;
  int number = 0;
  for (size_t index = 0; index <= info.param; ++index) {
    if (examples[index].function == function) ++number;
  }
  return function + "_" + std::to_string(number);
}

std::vector<size_t> exampleIndexes() {
  std::vector<size_t> indexes(manualExamples().size());
  for (size_t index = 0; index < indexes.size(); ++index) indexes[index] = index;
  return indexes;
}

INSTANTIATE_TEST_SUITE_P(Manual, ManualExample, ::testing::ValuesIn(exampleIndexes()), exampleName);

class ManualCoverage : public PluginTest {};

TEST_F(ManualCoverage, EveryRegisteredFunctionHasAnExample) {
  std::set<std::string> documented;
  for (const Example& example : manualExamples()) documented.insert(example.function);
  const auto& functions = standin::Session::instance().registeredFunctions();
  EXPECT_EQ(functions.size(), 23u);
  for (const auto& function : functions) {
    EXPECT_TRUE(documented.contains(utf8(function.name)))
        << utf8(function.name) << " has no example in " << manualPath();
  }
}

TEST_F(ManualCoverage, EveryExampleCallsTheFunctionOfItsSection) {
  ASSERT_FALSE(manualExamples().empty()) << "no examples found in " << manualPath();
  for (const Example& example : manualExamples()) {
    if (example.function == "Introduction") continue;
    EXPECT_NE(example.script.find(example.function), std::string::npos)
        << "docs/functions.md:" << example.line << " does not call " << example.function;
  }
}

}  // namespace
}  // namespace quibo_test
