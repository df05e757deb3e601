// Numbers, buffers, errors, the exception and the library parameters.
#include <gmock/gmock.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "vesk/data.h"
#include "vesk/error.h"
#include "vesk/exception.h"
#include "vesk/library_parameters.h"
#include "vesk/number.h"
#include "vesk/string.h"

namespace vesk {
namespace {

TEST(Number, ConvertsBetweenKinds) {
  EXPECT_EQ(Number::fromDouble(-2.9)->toInt64(), -2);
  EXPECT_EQ(Number::fromDouble(1.8446744073709550e19)->toUInt64(), 18446744073709549568ull);
  EXPECT_EQ(Number::fromUInt64(~0ull)->toDouble(), 18446744073709551616.0);
  EXPECT_EQ(Number::fromInt64(0x1'0000'0005)->toInt32(), 5);
  int anchor = 0;
  auto handle = Number::fromPointer(&anchor);
  EXPECT_EQ(handle->kind(), Number::kPointer);
  EXPECT_EQ(handle->toPointer(), &anchor);
}

TEST(Number, DescribesItsValueAsAStreamWritesIt) {
  EXPECT_EQ(Number::fromInt32(-42)->description()->units(), u"-42");
  EXPECT_EQ(Number::fromDouble(1.0 / 3.0)->description()->units(), u"0.333333");
  String text(u"n=");
  text.append(*Number::fromUInt32(7));
  EXPECT_EQ(text.units(), u"n=7");
}

TEST(Data, GrowsOnlyWhenAppendingPastItsCapacity) {
  auto data = std::static_pointer_cast<DataImpl>(Data::withCapacity(4));
  EXPECT_EQ(data->length(), 0u);
  EXPECT_EQ(data->setLength(5), 0u);  // beyond the capacity: unchanged
  EXPECT_EQ(data->setLength(4), 4u);
  EXPECT_EQ(data->bytes()[3], 0);
  data->setLength(2);
  data->append("xyz", 3);
  EXPECT_EQ(data->capacity(), 5u);
  EXPECT_EQ(data->length(), 5u);
  EXPECT_EQ(Data::fromText("abc")->length(), 3u);
  EXPECT_EQ(Data::withCapacity(0)->description()->units(), u"VESK Object has no description");
}

TEST(Data, WritesOnlyNewFiles) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("vesk-data-" + std::to_string(::getpid()) + ".txt");
  std::filesystem::remove(path);
  const String name(path.string().c_str());
  EXPECT_TRUE(Data::fromText("hello")->writeToFile(name));
  EXPECT_EQ(std::filesystem::file_size(path), 5u);
  try {
    Data::fromText("again")->writeToFile(name);
    FAIL() << "an existing file was overwritten";
  } catch (const Exception& exception) {
    EXPECT_STREQ(exception.what(), "Cannot open file for writing");
    EXPECT_EQ(exception.errorNumber(), -48);
  }
  std::filesystem::remove(path);
}

TEST(Errors, MapSystemCodesToErrorNumbers) {
  EXPECT_EQ(WindowsLastError(0).getErrorNumber(), 0);
  EXPECT_EQ(WindowsLastError(3).getErrorNumber(), -43);
  EXPECT_EQ(WindowsLastError(5).getErrorNumber(), -3200);
  EXPECT_EQ(WindowsLastError(183).getErrorNumber(), -48);
  EXPECT_EQ(WindowsLastError(87).getErrorNumber(), -50);
  EXPECT_EQ(WindowsLastError(1460).getErrorNumber(), -3259);
  EXPECT_EQ(WindowsLastError(1).getErrorNumber(), 2400);
  EXPECT_EQ(PosixError(EEXIST).getErrorNumber(), -48);
  EXPECT_EQ(PosixError(ENOENT).getErrorNumber(), -43);
  EXPECT_EQ(PosixError(EIO).getErrorNumber(), 2400);
  EXPECT_EQ(BasicError(-50).description()->units(), u"VESK Object has no description");
}

TEST(Exception, CarriesItsMessageAndSharesItsError) {
  const Exception original(basicError(-4), "not here");
  const Exception copy(original);  // NOLINT: the copy is the point
  EXPECT_STREQ(copy.what(), "not here");
  EXPECT_EQ(copy.error(), original.error());
  EXPECT_EQ(copy.errorNumber(), -4);
  EXPECT_THROW(fail(-50, "bad"), Exception);
}

TEST(LibraryParameters, AnswerWhatWasSetAndRefuseOtherNames) {
  setGlobalLibraryParameter("test-number", Number::fromInt32(3));
  EXPECT_EQ(std::static_pointer_cast<Number>(getGlobalLibraryParameter("test-number"))->toInt32(),
            3);
  setGlobalLibraryParameter("test-number", nullptr);
  EXPECT_EQ(getGlobalLibraryParameter("test-number"), nullptr);
  try {
    getGlobalLibraryParameter("Test-Number");
    FAIL();
  } catch (const Exception& exception) {
    EXPECT_EQ(exception.errorNumber(), -50);
    EXPECT_STREQ(exception.what(), "No such global library parameter");
  }
}

}  // namespace
}  // namespace vesk
