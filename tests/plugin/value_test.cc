// Quibo_ValueType and Quibo_GetTimestamp through the host.
#include <gmock/gmock.h>

#include <regex>

#include "fm/objects.h"
#include "plugin_session.h"

namespace quibo_test {
namespace {

class Values : public PluginTest {};

TEST_F(Values, NamesTheNativeTypeOfItsParameter) {
  EXPECT_EQ(evaluated("Quibo_ValueType( \"x\" )"), "Text");
  EXPECT_EQ(evaluated("Quibo_ValueType( 1.5 )"), "Number");
  EXPECT_EQ(evaluated("Quibo_ValueType( Date( 1 ; 2 ; 2003 ) )"), "Date");
  EXPECT_EQ(evaluated("Quibo_ValueType( Time( 1 ; 2 ; 3 ) )"), "Time");
  EXPECT_EQ(evaluated("Quibo_ValueType( Get( CurrentTimestamp ) )"), "Timestamp");
  EXPECT_EQ(evaluated("Quibo_ValueType( 1 = 1 )"), "Boolean");
  EXPECT_EQ(evaluated("Quibo_ValueType( \"1\" + 0 )"), "Number");
}

TEST_F(Values, NamesContainersAndNothingForAnInvalidValue) {
  const auto* function = [] {
    for (const auto& f : standin::Session::instance().registeredFunctions()) {
      if (f.name == u"Quibo_ValueType") return &f;
    }
    return static_cast<const standin::RegisteredFunction*>(nullptr);
  }();
  ASSERT_NE(function, nullptr);
  fm::DataVect parameters;
  fm::Data container;
  fm::Data invalid;
  fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(parameters, invalid, e); });
  fm::Data result;
  ASSERT_EQ(function->handler(21, nullptr, parameters, result), 0);
  EXPECT_EQ(utf8(fm::units(fm::asText(result))), "");

  fm::DataVect binary;
  const FM_BinaryData* bytes = fm::binaryData(container);
  fm::setBinaryData(container, bytes, false);
  fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(binary, container, e); });
  ASSERT_EQ(function->handler(21, nullptr, binary, result), 0);
  EXPECT_EQ(utf8(fm::units(fm::asText(result))), "Container");
}

TEST_F(Values, ChecksItsParameterCountThroughTheHost) {
  EXPECT_EQ(evaluate("Quibo_ValueType( 1 ; 2 )").code, 1202);
  EXPECT_EQ(evaluate("Quibo_ValueType( )").code, 1201);
  EXPECT_EQ(evaluate("Quibo_GetTimestamp( 1 ; 2 )").code, 1202);
}

TEST_F(Values, TimestampFollowsTheClockWithItsFraction) {
  const Answer stamp = evaluate("Quibo_GetTimestamp");
  EXPECT_EQ(stamp.code, 0);
  EXPECT_EQ(stamp.type, FM_TYPE_TIMESTAMP);
  // std::regex: GoogleTest's own matcher knows no character classes on Windows.
  EXPECT_TRUE(std::regex_match(
      stamp.text, std::regex("[0-9]+/[0-9]+/[0-9]{4} [0-9]+:[0-9]{2}:[0-9]{2}(\\.[0-9]+)?")))
      << stamp.text;
  // The parameter is never read.
  const double without = std::stod(evaluated("GetAsNumber( Quibo_GetTimestamp )"));
  const double with = std::stod(evaluated("GetAsNumber( Quibo_GetTimestamp( \"x\" ) )"));
  EXPECT_GE(with, without);
  EXPECT_LT(with - without, 2.0);
}

}  // namespace
}  // namespace quibo_test
