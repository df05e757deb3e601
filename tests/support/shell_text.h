// Test support for the tests that run quibo-host through the shell: quoting and reading back.
#ifndef QUIBO_TESTS_SHELL_TEXT_H_
#define QUIBO_TESTS_SHELL_TEXT_H_

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

}  // namespace quibo_test

#endif  // QUIBO_TESTS_SHELL_TEXT_H_
