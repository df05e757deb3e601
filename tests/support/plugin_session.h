// Test support: the plug-in loaded into the stand-in host, and calculations evaluated against it.
#ifndef QUIBO_TESTS_PLUGIN_SESSION_H_
#define QUIBO_TESTS_PLUGIN_SESSION_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "fm/api.h"
#include "standin/host.h"

namespace quibo_test {

// The build folder (QUIBO_BUILD_DIR, set by the test runner) and its products.
std::string buildPath(const std::string& relative);
std::string pluginPath();

std::u16string utf16(const std::string& utf8);
std::string utf8(const std::u16string& utf16);

// What a calculation answered: its error code and its result as text (CRs kept).
struct Answer {
  int16_t code = 0;
  std::string text;
  int32_t type = FM_TYPE_INVALID;
};

Answer evaluate(const std::string& calculation);
// The result text of a calculation that must succeed.
std::string evaluated(const std::string& calculation);

// A test suite with the plug-in loaded and initialised as a desktop host, unloaded after it.
class PluginTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static standin::PluginHost& plugin() { return *plugin_; }

 private:
  static std::unique_ptr<standin::PluginHost> plugin_;
};

}  // namespace quibo_test

#endif  // QUIBO_TESTS_PLUGIN_SESSION_H_
