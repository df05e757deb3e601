#include "plugin_session.h"

#include <cstdlib>

#include "fm/objects.h"

namespace quibo_test {

std::unique_ptr<standin::PluginHost> PluginTest::plugin_;

std::string buildPath(const std::string& relative) {
  const char* folder = std::getenv("QUIBO_BUILD_DIR");
  return std::string(folder != nullptr ? folder : ".") + "/" + relative;
}

std::string pluginPath() { return buildPath("Quibo.fmx"); }

std::u16string utf16(const std::string& utf8) {
  std::u16string units;
  for (size_t at = 0; at < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[at]);
    const size_t width = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    uint32_t point = width == 1 ? byte : byte & (0x7F >> width);
    for (size_t next = 1; next < width && at + next < utf8.size(); ++next) {
      point = (point << 6) | (static_cast<unsigned char>(utf8[at + next]) & 0x3F);
    }
    if (point >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(point);
    }
    at += width;
  }
  return units;
}

std::string utf8(const std::u16string& text) {
  std::string bytes;
  for (size_t at = 0; at < text.size(); ++at) {
    uint32_t point = text[at];
    if (point >= 0xD800 && point < 0xDC00 && at + 1 < text.size()) {
      point = 0x10000 + ((point - 0xD800) << 10) + (text[++at] - 0xDC00);
    }
    if (point < 0x80) {
      bytes += static_cast<char>(point);
    } else if (point < 0x800) {
      bytes += static_cast<char>(0xC0 | (point >> 6));
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
      bytes += static_cast<char>(0xE0 | (point >> 12));
      bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | (point >> 18));
      bytes += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return bytes;
}

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
