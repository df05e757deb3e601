// Keyboard shortcuts on the stand-in desktop: the hook's life, which presses fire, and what a
// failing script does inside the hook.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "brevo/script_scheduler.h"
#include "brevo/windows_event_handler.h"
#include "desktop_driver.h"
#include "vesk/exception.h"

namespace brevo {
namespace {

namespace desktop = quibo_test::desktop;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr uint32_t kShift = 16, kControl = 17, kAlt = 18, kHome = 36, kPageUp = 33, kPageDown = 34,
                   kF5 = 116;

class RecordingScript : public vesk::Script {
 public:
  RecordingScript(std::vector<std::string>& log, std::string name, bool fails)
      : vesk::Script(nullptr), log_(log), name_(std::move(name)), fails_(fails) {}
  void runWithErrorOutput(std::shared_ptr<vesk::String>&, std::shared_ptr<vesk::String>&) override {
    log_.push_back(name_);
    if (fails_) vesk::fail(3, "FileMaker script start failed");
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
  bool fails_;
};

std::vector<std::string> reportedFailures;

class Shortcuts : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop::reset();
    desktop::frontFileMakerWindow();
    reportedFailures.clear();
    setKeyEventFailureReporter([](std::exception_ptr failure) {
      try {
        std::rethrow_exception(failure);
      } catch (const std::exception& exception) {
        reportedFailures.push_back(exception.what());
      }
    });
  }
  void TearDown() override {
    scheduler().removeAllShortcuts();
    setKeyEventFailureReporter(nullptr);
    desktop::reset();
  }

  static ScriptScheduler& scheduler() { return *ScriptScheduler::instance(); }

  void bind(const char16_t* key, const std::string& name, bool fails = false) {
    scheduler().addShortcut(vesk::String(key),
                            std::make_shared<RecordingScript>(log_, name, fails));
  }
  void unbind(const char16_t* key) { scheduler().removeShortcut(vesk::String(key)); }

  // The scripts run since the last look.
  std::vector<std::string> ran() { return std::exchange(log_, {}); }

  std::vector<std::string> log_;
};

TEST_F(Shortcuts, TheHookLivesFromTheFirstShortcutToTheLastRemoval) {
  const std::optional<size_t> hooksBefore = desktop::hookCount();
  const std::optional<size_t> mutexesBefore = desktop::openMutexHandles();
  bind(u"ctrl a", "first");
  EXPECT_TRUE(keyboardHooked());
  if (hooksBefore) {
    EXPECT_EQ(desktop::hookCount(), *hooksBefore + 1);
  }
  bind(u"ctrl b", "second");
  if (hooksBefore) {
    EXPECT_EQ(desktop::hookCount(), *hooksBefore + 1);  // one hook for all
  }

  unbind(u"ctrl a");
  EXPECT_TRUE(keyboardHooked());
  unbind(u"ctrl b");
  EXPECT_FALSE(keyboardHooked());
  EXPECT_EQ(desktop::hookCount(), hooksBefore);
  EXPECT_EQ(desktop::openMutexHandles(), mutexesBefore);
  EXPECT_FALSE(keyboardEventSource());
  desktop::pressCombination({kControl, 'A'});
  EXPECT_THAT(ran(), IsEmpty());
}

TEST_F(Shortcuts, RemovingEverythingUnhooks) {
  bind(u"ctrl a", "first");
  bind(u"F5", "second");
  scheduler().removeAllShortcuts();
  EXPECT_FALSE(keyboardHooked());
  EXPECT_EQ(scheduler().shortcutCount(), 0u);
  desktop::pressCombination({kControl, 'A'});
  EXPECT_THAT(ran(), IsEmpty());
}

TEST_F(Shortcuts, FiresOnlyForTheExactCombination) {
  bind(u"ctrl shift a", "exact");
  bind(u"a", "plain");
  desktop::pressCombination({kControl, kShift, 'A'});
  EXPECT_THAT(ran(), ElementsAre("exact"));
  desktop::pressCombination({kShift, 'A'});  // {97, 256} is not {97}
  EXPECT_THAT(ran(), IsEmpty());
  desktop::pressCombination({'A'});
  EXPECT_THAT(ran(), ElementsAre("plain"));
  desktop::pressCombination({kAlt, kControl, kShift, 'A'});
  EXPECT_THAT(ran(), IsEmpty());
}

TEST_F(Shortcuts, LettersArePressedInLowerCase) {
  bind(u"ctrl A", "never");
  bind(u"ctrl z", "folded");
  desktop::pressCombination({kControl, 'A'});
  desktop::pressCombination({kControl, 'Z'});
  EXPECT_THAT(ran(), ElementsAre("folded"));
}

TEST_F(Shortcuts, NamedKeysAndModifierOnlyCombinations) {
  bind(u"pageup", "up");
  bind(u"pagedown", "down");
  bind(u"alt F5", "refresh");
  bind(u"ctrl shift", "modifiers");
  desktop::pressCombination({kPageUp});
  desktop::pressCombination({kPageDown});
  desktop::pressCombination({kAlt, kF5});
  // Home has no character: only the modifiers held count.
  desktop::pressCombination({kControl, kShift, kHome});
  EXPECT_THAT(ran(), ElementsAre("up", "down", "refresh", "modifiers"));
}

TEST_F(Shortcuts, OnlyInFileMakerWindowsAndNeverOnKeyUp) {
  bind(u"F5", "refresh");
  desktop::openWindow(u"Notes");  // another program in front
  desktop::pressCombination({kF5});
  EXPECT_THAT(ran(), IsEmpty());
  desktop::frontFileMakerWindow();
  desktop::sendKeyEvent(kF5, false);
  EXPECT_THAT(ran(), IsEmpty());
  desktop::sendKeyEvent(kF5, true);
  desktop::sendKeyEvent(kF5, false);
  EXPECT_THAT(ran(), ElementsAre("refresh"));
}

TEST_F(Shortcuts, EveryKeyStillReachesTheWindow) {
  bind(u"ctrl s", "save");
  const std::optional<size_t> delivered = desktop::pressCombination({kControl, 'S'});
  if (delivered) {
    EXPECT_EQ(*delivered, 4u);
  }
  EXPECT_THAT(ran(), ElementsAre("save"));
}

TEST_F(Shortcuts, AKeyBoundTwiceStartsBothUntilRemoved) {
  bind(u"ctrl q", "one");
  bind(u"q ctrl", "two");
  desktop::pressCombination({kControl, 'Q'});
  EXPECT_THAT(ran(), ElementsAre("one", "two"));
  unbind(u"ctrl q");
  EXPECT_EQ(scheduler().shortcutCount(), 0u);
  desktop::pressCombination({kControl, 'Q'});
  EXPECT_THAT(ran(), IsEmpty());
}

TEST_F(Shortcuts, AFailingScriptIsReportedAndTheOthersStillRun) {
  bind(u"F5", "fails", true);
  bind(u"F5", "runs");
  desktop::pressCombination({kF5});
  EXPECT_THAT(ran(), ElementsAre("fails", "runs"));
  EXPECT_THAT(reportedFailures, ElementsAre("FileMaker script start failed"));
}

TEST_F(Shortcuts, AKeyIsSkippedWhileAnotherProcessHandlesOne) {
  bind(u"F5", "refresh");
  desktop::holdKeyboardMutexElsewhere(true);
  desktop::pressCombination({kF5});
  EXPECT_THAT(ran(), IsEmpty());
  desktop::holdKeyboardMutexElsewhere(false);
  desktop::pressCombination({kF5});
  EXPECT_THAT(ran(), ElementsAre("refresh"));
}

TEST_F(Shortcuts, AHookTheSystemRefusesIsTriedAgainOnlyAfterEverythingIsRemoved) {
  if (!desktop::refuseHooks(true)) GTEST_SKIP() << "this desktop installs every hook";
  try {
    bind(u"F5", "refresh");
    FAIL() << "no error";
  } catch (const vesk::Exception& exception) {
    EXPECT_EQ(exception.errorNumber(), 2400);
    EXPECT_STREQ(exception.what(), "Cannot listen to keyboard events");
  }
  EXPECT_EQ(scheduler().shortcutCount(), 1u);  // the shortcut stays
  desktop::refuseHooks(false);
  bind(u"F6", "later");  // the handler does not try again
  EXPECT_FALSE(keyboardHooked());

  scheduler().removeAllShortcuts();
  bind(u"F5", "refresh");
  EXPECT_TRUE(keyboardHooked());
}

}  // namespace
}  // namespace brevo
