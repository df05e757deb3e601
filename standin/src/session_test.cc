// The host session: open files, scripts and the callbacks a plug-in is given.
#include <gmock/gmock.h>
#include <unistd.h>

#include <filesystem>

#include "objects.h"
#include "session_state.h"
#include "standin/host.h"

namespace standin {
namespace {

using ::testing::ElementsAre;

class SessionTest : public ::testing::Test {
 protected:
  void TearDown() override {
    session_.clearStartedScripts();
    session_.refuseScriptStarts(0);
    session_.closeAll();
  }

  int16_t start(const std::u16string& file, const std::u16string& script,
                const std::u16string& parameter = u"") {
    FM_Text fileName{file, {}};
    FM_Text scriptName{script, {}};
    FM_Data value;
    value.setText(FM_Text{parameter, {}});
    return Session::startScriptCallback()(&fileName, &scriptName, FM_SCRIPT_PAUSE, &value);
  }

  Session& session_ = Session::instance();
};

TEST_F(SessionTest, KeepsAnUntitledFileOpenWhileNoOtherIs) {
  EXPECT_THAT(session_.fileNames(), ElementsAre(u"Untitled"));
  session_.openFile(u"First", ":memory:");
  session_.openFile(u"Second", ":memory:");
  EXPECT_THAT(session_.fileNames(), ElementsAre(u"First", u"Second"));
  EXPECT_EQ(session_.currentFile(), u"First");
  session_.useFile(u"second");
  EXPECT_EQ(session_.currentFile(), u"Second");
  session_.closeFile(u"First");
  EXPECT_EQ(session_.currentFile(), u"Second");
  EXPECT_THROW(session_.openFile(u"SECOND", ":memory:"), HostError);
  EXPECT_THROW(session_.useFile(u"Gone"), HostError);
  session_.closeFile(u"Second");
  EXPECT_THAT(session_.fileNames(), ElementsAre(u"Untitled"));
}

TEST_F(SessionTest, KeepsScriptsInTheFileItself) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("session-" + std::to_string(::getpid()) + ".sqlite");
  std::filesystem::remove(path);
  session_.openFile(u"Kept", path.string());
  session_.addScript(u"Hello", u"\"hi\"");
  session_.addScript(u"Other", u"");
  session_.closeAll();
  session_.openFile(u"Kept", path.string());
  FM_Data names;
  ASSERT_EQ(session_.evaluate(u"ScriptNames ( \"Kept\" )", names), 0);
  EXPECT_EQ(names.asText().units, u"Hello\rOther");
  session_.closeAll();
  std::filesystem::remove(path);
}

TEST_F(SessionTest, RunsStartedScriptsAfterTheCallInOrder) {
  session_.addScript(u"Echo", u"\"got \" & Get ( ScriptParameter )");
  session_.addScript(u"Silent", u"");
  EXPECT_EQ(start(u"Untitled", u"echo", u"one"), 0);
  EXPECT_EQ(start(u"untitled", u"Silent"), 0);
  EXPECT_EQ(start(u"Untitled", u"Echo", u"two"), 0);
  EXPECT_EQ(start(u"Untitled", u"Missing"), 104);
  EXPECT_EQ(start(u"Nowhere", u"Echo"), 100);
  ASSERT_EQ(session_.startedScripts().size(), 3u);
  EXPECT_EQ(session_.startedScripts()[0].control, FM_SCRIPT_PAUSE);

  std::vector<std::u16string> answers;
  session_.runStartedScripts([&](const StartedScript& script, const std::u16string& answer) {
    answers.push_back(script.scriptName + u"=" + answer);
  });
  EXPECT_THAT(answers, ElementsAre(u"echo=got one", u"Silent=", u"Echo=got two"));
  EXPECT_TRUE(session_.startedScripts().empty());
}

TEST_F(SessionTest, RefusesScriptStartsWhenTold) {
  session_.addScript(u"Echo", u"1");
  session_.refuseScriptStarts(3);
  EXPECT_EQ(start(u"Untitled", u"Echo"), 3);
  EXPECT_TRUE(session_.startedScripts().empty());
}

TEST_F(SessionTest, PointsAnEnvironmentAtTheCurrentFile) {
  session_.openFile(u"Here", ":memory:");
  FM_ExprEnv environment;
  environment.scriptParameter = u"stale";
  EXPECT_EQ(Session::currentEnvironmentCallback()(&environment), 0);
  EXPECT_EQ(environment.session, &session_);
  EXPECT_EQ(environment.fileName, u"Here");
  EXPECT_TRUE(environment.scriptParameter.empty());
  EXPECT_EQ(Session::currentEnvironmentCallback()(nullptr), 2);
}

int16_t answerFileName(int16_t, const FM_ExprEnv* environment, const FM_DataVect* parameters,
                       FM_Data* result) {
  result->setText(FM_Text{environment->fileName + u":" +
                              std::u16string(1, static_cast<char16_t>(u'0' + parameters->values.size())),
                          {}});
  return parameters->values.size() > 2 ? 77 : 0;
}

TEST_F(SessionTest, CallsExternalFunctionsWithTheirEnvironment) {
  sessionState().functions.push_back({"TEST", 1, u"Test_Where", u"Test_Where", 0, 3, 0,
                                      answerFileName});
  FM_Data value;
  EXPECT_EQ(session_.evaluate(u"test_where", value), 0);
  EXPECT_EQ(value.asText().units, u"Untitled:0");
  EXPECT_EQ(session_.evaluate(u"Test_Where ( 1 ; 2 )", value), 0);
  EXPECT_EQ(value.asText().units, u"Untitled:2");
  EXPECT_EQ(session_.evaluate(u"Test_Where ( 1 ; 2 ; 3 )", value), 77);
  EXPECT_EQ(session_.evaluate(u"Test_Where ( 1 ; 2 ; 3 ; 4 )", value), 1202);
  sessionState().functions.clear();
}

}  // namespace
}  // namespace standin
