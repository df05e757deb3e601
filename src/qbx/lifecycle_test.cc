// The message handling of the plug-in, driven directly with message records.
#include "qbx/lifecycle.h"

#include <gmock/gmock.h>

#include "fm/objects.h"
#include "qbx/plugin_state.h"
#include "standin/host.h"
#include "test_environment.h"
#include "vesk/library_parameters.h"
#include "vesk/number.h"

namespace qbx {
namespace {

class Lifecycle : public ::testing::Test {
 protected:
  FM_ExternCallStruct message(uint8_t whichCall) {
    FM_ExternCallStruct record{};
    record.extensionVersion = 62;
    record.whichCall = whichCall;
    record.instance = module_;
    record.startScript = standin::Session::startScriptCallback();
    record.currentEnv = standin::Session::currentEnvironmentCallback();
    return record;
  }

  int64_t initialise(const char16_t* versionText) {
    record_ = message(FM_MSG_INIT);
    record_.parameter2 = reinterpret_cast<uint64_t>(versionText);
    handleMessage(&record_);
    return record_.result;
  }

  void send(uint8_t whichCall, uint8_t parameter1 = 0) {
    record_ = message(whichCall);
    record_.parameter1 = parameter1;
    handleMessage(&record_);
  }

  void TearDown() override {
    send(FM_MSG_SHUTDOWN);
    IdleWork::replaceForTesting(nullptr);
  }

  void* module_ = quibo_test::testModule();
  FM_ExternCallStruct record_{};
};

TEST_F(Lifecycle, TakesTheHostKindFromTheVersionTextsFirstLetter) {
  for (const auto& [text, server] : std::vector<std::pair<const char16_t*, bool>>{
           {u"Server 21.0", true}, {u"Web Publishing", true}, {u"Pro 21.0", false},
           {u"", false}, {nullptr, false}, {u"server", false}}) {
    ASSERT_EQ(initialise(text), FM_INIT_OK);
    EXPECT_EQ(isServerHost(), server) << (text ? "text" : "null");
    send(FM_MSG_SHUTDOWN);
  }
}

TEST_F(Lifecycle, StoresTheModuleHandleAsALibraryParameter) {
  ASSERT_EQ(initialise(u"Pro"), FM_INIT_OK);
  auto handle = std::static_pointer_cast<vesk::Number>(vesk::getGlobalLibraryParameter("h-instance"));
  EXPECT_EQ(handle->kind(), vesk::Number::kPointer);
  EXPECT_EQ(handle->toPointer(), module_);
  EXPECT_EQ(PluginState::currentCall(), &record_);
}

TEST_F(Lifecycle, GivesIdleTimeOnlyAtSafeLevelsWhileInitialised) {
  int runs = 0;
  IdleWork::replaceForTesting([&] { ++runs; });
  send(FM_MSG_IDLE, FM_IDLE_USER_IDLE);
  EXPECT_EQ(runs, 0);  // not initialised yet
  ASSERT_EQ(initialise(u"Pro"), FM_INIT_OK);
  for (uint8_t level = 0; level <= 6; ++level) send(FM_MSG_IDLE, level);
  EXPECT_EQ(runs, 4);
  send(FM_MSG_SHUTDOWN);
  send(FM_MSG_IDLE, FM_IDLE_USER_IDLE);
  EXPECT_EQ(runs, 4);
}

TEST_F(Lifecycle, KeepsFailuresOfIdleWorkFromTheHost) {
  ASSERT_EQ(initialise(u"Pro"), FM_INIT_OK);
  IdleWork::replaceForTesting([] { throw 7; });
  send(FM_MSG_IDLE, FM_IDLE_SCRIPT_RUNNING);
  fm::Data value;
  ASSERT_EQ(standin::Session::instance().evaluate(u"Quibo_Get ( \"lastErrorMessage\" )",
                                                  *value.get()),
            0);
  EXPECT_EQ(fm::units(fm::asText(value)), u"Unknown fatal error occured");
}

TEST_F(Lifecycle, LeavesTheRecordOfAnUnknownMessageAlone) {
  record_ = message(9);
  record_.result = 1234;
  handleMessage(&record_);
  EXPECT_EQ(record_.result, 1234);
  handleMessage(nullptr);
}

}  // namespace
}  // namespace qbx
