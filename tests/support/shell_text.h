// Test support for the tests that run quibo-host through the shell: quoting, running and reading
// back.
#ifndef QUIBO_TESTS_SHELL_TEXT_H_
#define QUIBO_TESTS_SHELL_TEXT_H_

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quibo_test {

// `argument` as one word of a POSIX shell command line, whatever it holds.
inline std::string quoted(const std::string& argument) {
  std::string text = "'";
  for (char c : argument) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return text + "'";
}

inline std::string contentsOf(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

struct Outcome {
  int status = -1;  // the exit status, or -1 when the command did not exit
  std::string out;
  std::string err;
};

// Runs `command`, which sends its output and its errors to the files "out" and "err" of
// `folder`, and reads both back.
inline Outcome runInShell(const std::string& command, const std::filesystem::path& folder) {
  Outcome result;
  const int status = std::system(command.c_str());
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = contentsOf(folder / "out");
  result.err = contentsOf(folder / "err");
  return result;
}

}  // namespace quibo_test

#endif  // QUIBO_TESTS_SHELL_TEXT_H_
