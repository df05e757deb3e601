// The POSIX platform layer: string resources, code pages, the clock and new files.
#include <gmock/gmock.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/clock.h"
#include "platform/code_pages.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/string_resources.h"
#include "platform/system.h"

namespace platform {
namespace {

TEST(StringResources, LoadLikeLoadStringW) {
  char16_t buffer[64];
  EXPECT_EQ(loadString(nullptr, 1, buffer, 64), 20);
  EXPECT_EQ(std::u16string(buffer), u"Halvik Quibo Plug-In");
  EXPECT_EQ(loadString(nullptr, 101, buffer, 64), 34);
  EXPECT_EQ(std::u16string(buffer), u"Quibo_Version( { versionFormat } )");
  EXPECT_EQ(loadString(nullptr, 1, buffer, 7), 6);  // the limit counts the terminator
  EXPECT_EQ(std::u16string(buffer), u"Halvik");
  EXPECT_EQ(loadString(nullptr, 116, buffer, 64), 0);  // no function 16
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(loadString(nullptr, 1, buffer, 0), 0);
}

TEST(StringResources, HoldEveryPrototype) {
  char16_t buffer[256];
  for (uint32_t id : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115,
                      117, 118, 119, 120, 121, 122, 123, 124}) {
    EXPECT_GT(loadString(nullptr, id, buffer, 256), 0) << id;
    EXPECT_EQ(std::u16string(buffer).rfind(u"Quibo_", 0), 0u) << id;
  }
}

TEST(CodePages, ConvertUtf8BothWaysAndReplaceWhatIsMalformed) {
  EXPECT_EQ(toWide("caf\xC3\xA9 \xF0\x9F\x98\x80", CodePage::Utf8), u"café \U0001F600");
  EXPECT_EQ(toWide("a\xC0\xAFz", CodePage::Utf8), u"a\uFFFD\uFFFDz");  // overlong
  EXPECT_EQ(toWide("\xED\xA0\x80", CodePage::Ansi).front(), u'\uFFFD');  // a surrogate
  EXPECT_EQ(toWide("cut \xE2\x82", CodePage::Oem), u"cut \uFFFD");
  const std::u16string text = u"€ and \U0001F600";
  EXPECT_EQ(toNarrow(text.data(), text.size(), CodePage::Utf8), "\xE2\x82\xAC and \xF0\x9F\x98\x80");
  const char16_t lone[] = {u'x', 0xD800, u'y'};
  EXPECT_EQ(toNarrow(lone, 3, CodePage::Ansi), "x\xEF\xBF\xBDy");
}

TEST(Clock, CountsLocalTimeInMillisecondsSince1601) {
  const uint64_t ticks = localTimeTicksSince1601();
  EXPECT_EQ(ticks % 10000, 0u);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const double seconds = static_cast<double>(ticks) / 1e7 - 11644473600.0;
  EXPECT_NEAR(seconds, static_cast<double>(now + local.tm_gmtoff), 2.0);
}

TEST(Files, WritesOnlyFilesThatDoNotExist) {
  const auto path =
      std::filesystem::temp_directory_path() / ("platform-" + std::to_string(::getpid()));
  std::filesystem::remove(path);
  const std::u16string name = toWide(path.string().c_str(), CodePage::Utf8);
  EXPECT_TRUE(writeNewFile(name, "abc", 3));
  try {
    writeNewFile(name, "xyz", 3);
    FAIL() << "an existing file was overwritten";
  } catch (const SystemError& error) {
    EXPECT_EQ(error.code(), static_cast<uint32_t>(EEXIST));
  }
  std::ifstream file(path);
  std::string contents;
  std::getline(file, contents);
  EXPECT_EQ(contents, "abc");
  std::filesystem::remove(path);
}

TEST(CodePages, ConvertEmbeddedNulsWhenALengthIsGiven) {
  EXPECT_EQ(toWide(std::string_view("a\0\xC3\xA9", 4).data(), 4, CodePage::Oem),
            std::u16string(u"a\0\u00e9", 3));
  EXPECT_EQ(toWide("cut \xE2\x82", 6, CodePage::Utf8), u"cut \uFFFD");  // nothing read past it
}

TEST(CommandInterpreter, NamesScriptFilesAndAnswersTheOutput) {
  const std::u16string path = temporaryScriptPath(u"qbx", u"sh");
  const std::string name = toNarrow(path.data(), path.size(), CodePage::Utf8);
  EXPECT_EQ(std::filesystem::path(name).filename().string().rfind("qbx", 0), 0u);
  EXPECT_EQ(name.substr(name.size() - 3), ".sh");
  EXPECT_FALSE(std::filesystem::exists(name));
  EXPECT_EQ(runWithCommandInterpreter("echo one; echo two"), "one\ntwo\n");
  EXPECT_EQ(runWithCommandInterpreter("true"), "");
}

TEST(Platform, NamesItself) {
  EXPECT_EQ(kind(), Kind::Posix);
  EXPECT_STREQ(name(), "Linux");
}

}  // namespace
}  // namespace platform
