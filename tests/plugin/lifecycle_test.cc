// The plug-in's messages as FileMaker sends them: initialisation, strings, shutdown.
#include <gmock/gmock.h>

#include <cstdio>
#include <memory>

#include "fm/objects.h"
#include "plugin_session.h"
#include "standin/control.h"
#include "test_environment.h"

namespace quibo_test {
namespace {

using ::testing::ElementsAreArray;

std::vector<const standin::RegisteredFunction*> pluginFunctions() {
  std::vector<const standin::RegisteredFunction*> functions;
  for (const auto& function : standin::Session::instance().registeredFunctions()) {
    if (function.pluginId == "QBXT") functions.push_back(&function);
  }
  return functions;
}

TEST(PluginLibrary, ExportsOnlyItsEntryPoint) {
  if (std::string(platformName()) == "Windows") {
    GTEST_SKIP() << "the DLL's export table is checked with objdump by "
                    "windows_module_exports_only_the_entry_point";
  }
  const std::string command = "nm -D --defined-only " + pluginPath();
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  ASSERT_NE(pipe, nullptr);
  std::vector<std::string> symbols;
  char line[512];
  while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
    std::string text(line);
    const size_t name = text.find_last_of(' ');
    symbols.push_back(text.substr(name + 1, text.find_last_not_of("\n") - name));
  }
  EXPECT_THAT(symbols, ElementsAreArray({"FMExternCallProc"}));
}

TEST(PluginLibrary, AcceptsExtensionVersionsFrom50To255) {
  for (const auto& [version, answer] : std::vector<std::pair<uint16_t, int64_t>>{
           {49, FM_INIT_BAD_VERSION}, {50, FM_INIT_OK}, {255, FM_INIT_OK},
           {256, FM_INIT_BAD_VERSION}}) {
    standin::PluginHost plugin(pluginPath());
    EXPECT_EQ(plugin.initialise(standin::HostKind::Desktop, version), answer) << version;
    EXPECT_EQ(pluginFunctions().size(), answer == FM_INIT_OK ? 23u : 0u) << version;
  }
}

TEST(PluginLibrary, RegistersEveryFunctionFromTheStringTableAndUnregistersAtShutdown) {
  standin::PluginHost plugin(pluginPath());
  ASSERT_EQ(plugin.initialise(), FM_INIT_OK);
  const auto functions = pluginFunctions();
  ASSERT_EQ(functions.size(), 23u);

  std::vector<int16_t> ids;
  for (const auto* function : functions) {
    ids.push_back(function->id);
    EXPECT_EQ(function->flags, 0xFF01u);
    EXPECT_EQ(function->name, function->prototype.substr(0, function->prototype.find(u'(')));
    const bool bounded = function->id == 21 || function->id == 22;
    EXPECT_EQ(function->maximumArgs, bounded ? 1 : -1) << function->id;
  }
  EXPECT_THAT(ids, ElementsAreArray({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18,
                                     19, 20, 21, 22, 23, 24}));
  EXPECT_EQ(functions[0]->name, u"Quibo_Version");
  EXPECT_EQ(functions[0]->prototype, u"Quibo_Version( { versionFormat } )");
  EXPECT_EQ(functions[9]->prototype, u"Quibo_GetDefaultPrinter");
  EXPECT_EQ(functions[12]->minimumArgs, 3);

  plugin.shutdown();
  EXPECT_TRUE(pluginFunctions().empty());
  EXPECT_FALSE(plugin.initialised());
}

TEST(PluginLibrary, UndoesEveryRegistrationWhenOneIsRefused) {
  // The host refuses a second registration of id 17, as FileMaker does.
  fm::QuadChar id("QBXT");
  fm::Text name("Taken");
  const int16_t taken = fm::checked([&](FM_ErrorRecord* e) {
    return FM_ExprEnv_RegisterExternalFunction(id, 17, name, name, 0, -1, 0, nullptr, e);
  });
  ASSERT_EQ(taken, 0);
  {
    standin::PluginHost plugin(pluginPath());
    EXPECT_EQ(plugin.initialise(), FM_INIT_FAILED);
    const auto functions = pluginFunctions();
    ASSERT_EQ(functions.size(), 1u);
    EXPECT_EQ(functions[0]->name, u"Taken");
    EXPECT_FALSE(plugin.initialised());
  }
  fm::checked([&](FM_ErrorRecord* e) { return FM_ExprEnv_UnRegisterExternalFunction(id, 17, e); });
}

TEST(PluginLibrary, FailsToStartWhenTheHostFailsDuringRegistration) {
  for (int32_t code : {FM_ERROR_OUT_OF_MEMORY, FM_ERROR_GENERIC}) {
    for (int64_t call : {1, 2, 5, 40, 100}) {
      standin::PluginHost plugin(pluginPath());
      standin::injectFailure(call, code);
      const int64_t answer = plugin.initialise();
      standin::clearInjectedFailure();
      EXPECT_EQ(answer, FM_INIT_FAILED) << "call " << call << ", code " << code;
      EXPECT_TRUE(pluginFunctions().empty());
    }
  }
  EXPECT_EQ(standin::liveObjectCount(), 0);
}

TEST(PluginLibrary, AnswersItsStrings) {
  standin::PluginHost plugin(pluginPath());
  // Strings are answered before initialisation too.
  EXPECT_EQ(plugin.getString(FM_STRING_NAME), u"Halvik Quibo Plug-In");
  ASSERT_EQ(plugin.initialise(), FM_INIT_OK);
  const std::string description = utf8(plugin.getString(FM_STRING_DESCRIPTION));
  EXPECT_THAT(description,
              ::testing::MatchesRegex("Collection of useful and sometimes indispensable "
                                      "functions\\.\n.*\nVersion 1\\.2"));
  EXPECT_EQ(plugin.getString(FM_STRING_OPTIONS), u"QBXT1YnYYnn");
  // A small buffer takes what fits, with the terminator.
  EXPECT_EQ(plugin.getString(FM_STRING_NAME, 7), u"Halvik");
  // Other ids leave the buffer as the host filled it.
  for (uint8_t id : {FM_STRING_PREFERENCES, FM_STRING_HELP_URL}) {
    EXPECT_EQ(plugin.getString(id, 16), std::u16string(16, u'\u2592'));
  }
}

TEST(PluginLibrary, IgnoresUnknownMessagesAndPreferences) {
  standin::PluginHost plugin(pluginPath());
  ASSERT_EQ(plugin.initialise(), FM_INIT_OK);
  plugin.preferences();
  plugin.idle(FM_IDLE_UNSAFE);
  plugin.idle(FM_IDLE_USER_IDLE);
  EXPECT_EQ(evaluated("Quibo_Version"), "1.2");
  plugin.shutdown();
  plugin.idle(FM_IDLE_USER_IDLE);  // after shutdown: nothing to do, nothing to crash
  EXPECT_EQ(evaluate("Quibo_Version( \"long\" )").code, 1208);  // no longer registered
}

}  // namespace
}  // namespace quibo_test
