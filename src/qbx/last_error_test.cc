#include "qbx/last_error.h"

#include <gmock/gmock.h>

#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "vesk/exception.h"

namespace qbx {
namespace {

TEST(LastError, PassesOnlyItsOwnNumbersUnchanged) {
  EXPECT_EQ(LastError::recordException(vesk::Exception(vesk::basicError(-4), "here")), -4);
  EXPECT_EQ(LastError::recordException(vesk::Exception(vesk::basicError(-50), "bad")), -50);
  EXPECT_EQ(LastError::recordException(vesk::Exception(vesk::windowsLastError(5), "denied")),
            2400);
  EXPECT_EQ(*LastError::message(), "denied");
  // Only the low 16 bits count: 0x1FFCE is -50 there.
  EXPECT_EQ(LastError::recordException(vesk::Exception(vesk::basicError(0x1FFCE), "wide")), -50);
  EXPECT_EQ(LastError::recordStdException(std::runtime_error("oops")), 2400);
  EXPECT_EQ(LastError::recordUnknownException(), 2400);
  EXPECT_EQ(*LastError::message(), "Unknown fatal error occured");
}

TEST(LastError, KeepsAHandedOutMessageValid) {
  LastError::record(1, "first");
  const auto held = LastError::message();
  LastError::record(2, "second");
  EXPECT_EQ(*held, "first");
  EXPECT_EQ(*LastError::message(), "second");
}

TEST(FunctionFrame, AnswersByItsHostCodeRule) {
  fm::Data result;
  auto failing = [] () -> int16_t { vesk::fail(-50, "no"); };
  EXPECT_EQ(runInFrame(HostCode::Recorded, result, failing), -50);
  EXPECT_EQ(fm::asFloat(fm::asNumber(result)), -50.0);
  EXPECT_EQ(runInFrame(HostCode::AlwaysZero, result, failing), 0);
  EXPECT_EQ(LastError::number(), -50);
}

TEST(FunctionFrame, KeepsTheResultWhenTheNumberIsZero) {
  fm::Data result;
  fm::Text kept("kept");
  fm::setText(result, kept);
  EXPECT_EQ(runInFrame(HostCode::Recorded, result,
                       []() -> int16_t { throw vesk::Exception(vesk::basicError(0), "fine"); }),
            0);
  EXPECT_EQ(fm::units(fm::asText(result)), u"kept");
  EXPECT_EQ(*LastError::message(), "fine");
  EXPECT_EQ(runInFrame(HostCode::Recorded, result, []() -> int16_t { throw 3.5; }), 2400);
}

}  // namespace
}  // namespace qbx
