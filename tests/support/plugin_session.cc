#include "plugin_session.h"

#include <cstdlib>

#include "fm/objects.h"
#include "standin/unicode.h"

namespace quibo_test {

std::unique_ptr<standin::PluginHost> PluginTest::plugin_;

std::string buildPath(const std::string& relative) {
  const char* folder = std::getenv("QUIBO_BUILD_DIR");
  return std::string(folder != nullptr ? folder : QUIBO_DEFAULT_BUILD_DIR) + "/" + relative;
}

std::string pluginPath() { return buildPath(QUIBO_PLUGIN_FILE_NAME); }

std::u16string utf16(const std::string& utf8) { return standin::utf16FromUtf8(utf8); }

std::string utf8(const std::u16string& utf16) { return standin::utf8FromUtf16(utf16); }

Answer evaluate(const std::string& calculation) {
  fm::Data result;
  Answer answer;
  answer.code = standin::Session::instance().evaluate(utf16(calculation), *result.get());
  answer.type = fm::nativeType(result);
  answer.text = utf8(fm::units(fm::asText(result)));
  return answer;
}

std::string evaluated(const std::string& calculation) {
  const Answer answer = evaluate(calculation);
  EXPECT_EQ(answer.code, 0) << calculation;
  return answer.text;
}

void PluginTest::SetUpTestSuite() {
  plugin_ = std::make_unique<standin::PluginHost>(pluginPath());
  ASSERT_EQ(plugin_->initialise(), FM_INIT_OK);
}

void PluginTest::TearDownTestSuite() { plugin_.reset(); }

}  // namespace quibo_test
