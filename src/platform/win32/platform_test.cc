// The Win32 platform layer under a real Win32 (Windows, or Wine): the string table through
// LoadStringW, the ANSI and OEM code pages, new files, the file-time clock, script files and the
// command interpreter.
#include <gmock/gmock.h>
#include <windows.h>

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

struct CompiledString {
  uint32_t id;
  const char16_t* text;
};

// The same strings.tsv as compiled into the POSIX build.
constexpr CompiledString kCompiledStrings[] = {
#include "resources/string_table.inc"
};

std::wstring withoutTrailingSeparator(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

// Removes the file and then each folder up to `top`, through \\?\ paths, which the C++
// library's remove_all does not manage at this depth.
void removeChain(const std::filesystem::path& file, const std::filesystem::path& top) {
  DeleteFileW(file.c_str());
  for (auto folder = file.parent_path(); folder.native().size() >= top.native().size();
       folder = folder.parent_path()) {
    RemoveDirectoryW(folder.c_str());
  }
}

std::u16string utf16Of(const std::filesystem::path& path) {
  const std::wstring text = path.wstring();
  return std::u16string(text.begin(), text.end());
}

TEST(StringResources, ComeFromTheModulesStringTableAsTheLinuxTableHasThem) {
  char16_t buffer[1024];
  for (const CompiledString& expected : kCompiledStrings) {
    const int length = loadString(nullptr, expected.id, buffer, 1024);
    EXPECT_EQ(std::u16string(buffer, static_cast<size_t>(length)), expected.text) << expected.id;
  }
  EXPECT_EQ(std::size(kCompiledStrings), 25u);  // 1, 2, 101 to 115 and 117 to 124
  const HMODULE self = GetModuleHandleW(nullptr);
  EXPECT_EQ(loadString(self, 1, buffer, 7), 6);  // the limit counts the terminator
  EXPECT_EQ(std::u16string(buffer), u"Halvik");
  EXPECT_EQ(loadString(self, 116, buffer, 64), 0);  // there is no function 16
  EXPECT_EQ(buffer[0], u'\0');
}

TEST(CodePages, ConvertWithTheSystemsCodePages) {
  // Wine's and a Western Windows' code pages: ANSI 1252, OEM 437.
  ASSERT_EQ(GetACP(), 1252u);
  ASSERT_EQ(GetOEMCP(), 437u);
  struct Case {
    std::u16string wide;
    CodePage codePage;
    std::string narrow;
  };
  for (const Case& conversion : std::vector<Case>{
           {u"caf\u00e9", CodePage::Ansi, "caf\xE9"},
           {u"caf\u00e9", CodePage::Oem, "caf\x82"},
           {u"caf\u00e9 \U0001F600", CodePage::Utf8, "caf\xC3\xA9 \xF0\x9F\x98\x80"},
           {u"\u20ac", CodePage::Ansi, "\x80"},
           {u"\u2592", CodePage::Oem, "\xB1"},
       }) {
    EXPECT_EQ(toNarrow(conversion.wide.data(), conversion.wide.size(), conversion.codePage),
              conversion.narrow);
    EXPECT_EQ(toWide(conversion.narrow.c_str(), conversion.codePage), conversion.wide);
  }
  // What a code page cannot hold is replaced, not reported.
  const std::u16string chinese = u"\u4e2d!";
  EXPECT_EQ(toNarrow(chinese.data(), chinese.size(), CodePage::Ansi), "?!");
  // Embedded NULs survive when a length is given.
  EXPECT_EQ(toWide(std::string_view("a\0\x82", 3).data(), 3, CodePage::Oem),
            std::u16string(u"a\0\u00e9", 3));
}

TEST(Files, WritesOnlyNewFilesThroughTheExtendedLengthPrefix) {
  // Deeper than MAX_PATH allows without the \\?\ prefix.
  // The C++ library's own file calls need the prefix too, at this depth.
  const std::filesystem::path folder =
      L"\\\\?\\" + (std::filesystem::temp_directory_path() / "platform-files").wstring();
  std::filesystem::path deep = folder;
  for (int level = 0; level < 12; ++level) deep /= std::string(24, static_cast<char>('a' + level));
  std::filesystem::create_directories(deep);
  const std::filesystem::path file = deep / "new.txt";
  ASSERT_GT(file.native().size(), static_cast<size_t>(MAX_PATH));
  const std::u16string unprefixed = utf16Of(file).substr(4);  // the layer adds the prefix
  EXPECT_TRUE(writeNewFile(unprefixed, "abc", 3));
  try {
    writeNewFile(unprefixed, "xyz", 3);
    FAIL() << "an existing file was overwritten";
  } catch (const SystemError& error) {
    EXPECT_EQ(error.code(), static_cast<uint32_t>(ERROR_FILE_EXISTS));
  }
  std::ifstream contents(file);
  std::string text;
  std::getline(contents, text);
  EXPECT_EQ(text, "abc");
  contents.close();
  removeChain(file, folder);
  EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(Clock, CountsLocalFileTimeInWholeMilliseconds) {
  const uint64_t ticks = localTimeTicksSince1601();
  EXPECT_EQ(ticks % 10000, 0u);
  SYSTEMTIME local{};
  GetLocalTime(&local);
  FILETIME expected{};
  SystemTimeToFileTime(&local, &expected);
  const uint64_t expectedTicks =
      (static_cast<uint64_t>(expected.dwHighDateTime) << 32) | expected.dwLowDateTime;
  EXPECT_NEAR(static_cast<double>(ticks) / 1e7, static_cast<double>(expectedTicks) / 1e7, 2.0);
}

TEST(ScriptFiles, AreNamedInTheTemporaryFolderAndDoNotExistYet) {
  const std::u16string path = temporaryScriptPath(u"qbx", u"bat");
  const std::filesystem::path name(std::wstring(path.begin(), path.end()));
  EXPECT_EQ(name.filename().string().substr(0, 3), "qbx");
  EXPECT_THAT(name.filename().string(), ::testing::EndsWith(".tmp.bat"));
  EXPECT_FALSE(std::filesystem::exists(name));
  EXPECT_FALSE(std::filesystem::exists(name.parent_path() / name.stem()));  // the .tmp is gone
  EXPECT_EQ(withoutTrailingSeparator(name.parent_path().wstring()),
            withoutTrailingSeparator(std::filesystem::temp_directory_path().wstring()));
}

TEST(CommandInterpreter, AnswersWhatTheCommandWrote) {
  EXPECT_EQ(runWithCommandInterpreter("echo one& echo two"), "one\r\ntwo\r\n");
  EXPECT_EQ(runWithCommandInterpreter("rem nothing"), "");
  const std::string many = runWithCommandInterpreter("for /L %i in (1,1,2000) do @echo %i");
  EXPECT_EQ(many.substr(many.size() - 6), "2000\r\n");
  EXPECT_GT(many.size(), 2048u * 4);
}

TEST(Platform, NamesItself) {
  EXPECT_EQ(kind(), Kind::Windows);
  EXPECT_STREQ(name(), "Windows");
}

}  // namespace
}  // namespace platform
