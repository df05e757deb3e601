// The scheduler's order and timing rules, on the stand-in host's clock.
#include "brevo/script_scheduler.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "fm/objects.h"
#include "standin/host.h"
#include "vesk/exception.h"

namespace brevo {
namespace {

using ::testing::ElementsAre;

constexpr double kStart = 63'900'000'000.0;

// A script that logs its runs, and fails when told.
class LoggingScript : public vesk::Script {
 public:
  LoggingScript(std::vector<std::string>& log, std::string name, bool fails = false)
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

fm::FixPt seconds(double value) {
  fm::FixPt number;
  number.assign(value);
  return number;
}

class Scheduler : public ::testing::Test {
 protected:
  void SetUp() override { standin::HostClock::freezeAt(kStart); }
  void TearDown() override { standin::HostClock::reset(); }

  std::shared_ptr<vesk::Script> script(const std::string& name, bool fails = false) {
    return std::make_shared<LoggingScript>(log_, name, fails);
  }
  void advance(double by) { standin::HostClock::advance(by); }

  ScriptScheduler scheduler_;
  std::vector<std::string> log_;
};

TEST_F(Scheduler, RunsDueEntriesInTheOrderTheyWereScheduled) {
  scheduler_.scheduleAfter(script("late"), seconds(30));
  scheduler_.scheduleAfter(script("early"), seconds(10));
  scheduler_.scheduleNow(script("now"));
  scheduler_.runDue();
  EXPECT_THAT(log_, ElementsAre("now"));
  advance(30);
  scheduler_.runDue();
  EXPECT_THAT(log_, ElementsAre("now", "late", "early"));  // list order, not time order
  EXPECT_EQ(scheduler_.pendingCount(), 0u);
}

TEST_F(Scheduler, RunsAnEntryExactlyAtItsTime) {
  scheduler_.scheduleAfter(script("x"), seconds(5));
  advance(4);
  scheduler_.runDue();
  EXPECT_TRUE(log_.empty());
  advance(1);
  scheduler_.runDue();
  EXPECT_THAT(log_, ElementsAre("x"));
}

TEST_F(Scheduler, CatchesUpARepeatingEntryOncePerInterval) {
  scheduler_.scheduleRepeating(script("tick"), seconds(60));
  advance(60 + 150);  // first due at +60, and 150 seconds behind that
  scheduler_.runDue();
  EXPECT_EQ(log_.size(), 3u);  // at +60, +120 and +180
  advance(29);
  scheduler_.runDue();
  EXPECT_EQ(log_.size(), 3u);
  advance(1);  // +240
  scheduler_.runDue();
  EXPECT_EQ(log_.size(), 4u);
}

TEST_F(Scheduler, StopsARepeatingEntryAfterOneMoreRun) {
  const auto id = scheduler_.scheduleRepeating(script("tick"), seconds(10));
  scheduler_.scheduleRepeating(script("other"), seconds(10));
  scheduler_.stopRepeating(id);
  advance(35);
  scheduler_.runDue();
  EXPECT_THAT(log_, ElementsAre("tick", "other", "other", "other"));
  EXPECT_EQ(scheduler_.pendingCount(), 1u);
}

TEST_F(Scheduler, EndsTheTickAtAFailedRun) {
  scheduler_.scheduleNow(script("first"));
  scheduler_.scheduleNow(script("fails", true));
  scheduler_.scheduleNow(script("waits"));
  EXPECT_THROW(scheduler_.runDue(), vesk::Exception);
  EXPECT_THAT(log_, ElementsAre("first", "fails"));
  EXPECT_EQ(scheduler_.pendingCount(), 1u);  // the failed one-shot is gone
  scheduler_.runDue();
  EXPECT_THAT(log_, ElementsAre("first", "fails", "waits"));
}

TEST_F(Scheduler, AdvancesAFailingRepeatingEntry) {
  scheduler_.scheduleRepeating(script("fails", true), seconds(10));
  advance(25);
  EXPECT_THROW(scheduler_.runDue(), vesk::Exception);
  EXPECT_EQ(log_.size(), 1u);
  EXPECT_THROW(scheduler_.runDue(), vesk::Exception);  // still behind: due again
  scheduler_.runDue();
  EXPECT_EQ(log_.size(), 2u);
  EXPECT_EQ(scheduler_.pendingCount(), 1u);
}

TEST_F(Scheduler, RunsAnEntryScheduledInThePastAtTheNextTick) {
  fm::DateTime past;
  fm::FixPt at = seconds(kStart - 3600);
  fm::setSecondsSinceEpoch(past, at);
  scheduler_.scheduleAt(script("past"), past);
  scheduler_.scheduleAfter(script("negative"), seconds(-5));
  scheduler_.runDue();
  EXPECT_THAT(log_, ElementsAre("past", "negative"));
}

TEST_F(Scheduler, GivesEachEntryTheNextId) {
  const auto first = scheduler_.scheduleNow(script("a"));
  EXPECT_EQ(scheduler_.scheduleNow(script("b")), first + 1);
  EXPECT_EQ(&*ScriptScheduler::instance(), &*ScriptScheduler::instance());
}

}  // namespace
}  // namespace brevo
