// The host API as a plug-in calls it: encodings, views, vectors, object counts and failures.
#include <gmock/gmock.h>

#include "objects.h"
#include "standin/control.h"
#include "standin/host.h"

namespace {

FM_ErrorRecord error{1, 0};

struct TextOwner {
  FM_Text* text = FM_Text_Constructor1(&error);
  ~TextOwner() { FM_Text_Delete(text, &error); }
};

std::string bytesOf(const FM_Text* text, int32_t encoding, uint32_t bufferSize) {
  std::string buffer(bufferSize, '#');
  const uint32_t written =
      FM_Text_GetBytes(text, buffer.data(), bufferSize, 0, 0xFFFFFFFF, encoding, &error);
  EXPECT_EQ(buffer[written], '\0');
  return buffer.substr(0, written);
}

TEST(HostApi, WritesBytesInEachEncodingWholeCharactersOnly) {
  TextOwner owner;
  FM_Text_AssignUnicode(owner.text, reinterpret_cast<const uint16_t*>(u"é€\U0001F600"), &error);
  EXPECT_EQ(bytesOf(owner.text, FM_ENCODING_UTF8, 64), "é€\U0001F600");
  EXPECT_EQ(bytesOf(owner.text, FM_ENCODING_NATIVE, 64), "é€\U0001F600");
  EXPECT_EQ(bytesOf(owner.text, FM_ENCODING_ASCII_MAC, 64), "\x8E\xDB?");
  EXPECT_EQ(bytesOf(owner.text, FM_ENCODING_ASCII_WINDOWS, 64), "\xE9\x80?");
  EXPECT_EQ(bytesOf(owner.text, FM_ENCODING_ISO_8859_1, 64), "\xE9??");
  // A buffer of 4 holds é (2 bytes) and not the 3 bytes of €.
  EXPECT_EQ(bytesOf(owner.text, FM_ENCODING_UTF8, 4), "é");
  EXPECT_EQ(bytesOf(owner.text, FM_ENCODING_UTF8, 1), "");
}

TEST(HostApi, ReadsBytesInEachEncoding) {
  TextOwner owner;
  FM_Text_Assign(owner.text, "\x8E\xDB", FM_ENCODING_ASCII_MAC, &error);
  EXPECT_EQ(owner.text->units, u"é€");
  FM_Text_Assign(owner.text, "caf\xC3\xA9", FM_ENCODING_UTF8, &error);
  EXPECT_EQ(owner.text->units, u"café");
  FM_Text_AssignWide(owner.text, L"w\U0001F600", &error);
  EXPECT_EQ(owner.text->units, u"w\U0001F600");
}

TEST(HostApi, FindsWithAndWithoutCase) {
  TextOwner text, sought;
  FM_Text_AssignUnicode(text.text, reinterpret_cast<const uint16_t*>(u"Straße STRASSE"), &error);
  FM_Text_AssignUnicode(sought.text, reinterpret_cast<const uint16_t*>(u"strasse"), &error);
  EXPECT_EQ(FM_Text_Find(text.text, sought.text, 0, &error), FM_TEXT_NOT_FOUND);
  EXPECT_EQ(FM_Text_FindIgnoringCase(text.text, sought.text, 0, &error), 7u);
  EXPECT_EQ(FM_Text_FindIgnoringCase(text.text, sought.text, 8, &error), FM_TEXT_NOT_FOUND);
  EXPECT_EQ(FM_Text_FindIgnoringCase(text.text, sought.text, 100, &error), FM_TEXT_NOT_FOUND);
}

TEST(HostApi, VectorsAnswerAnEmptyValuePastTheirEnd) {
  FM_DataVect* vector = FM_DataVect_Constructor1(&error);
  const FM_Data* past = FM_DataVect_At(vector, 3, &error);
  EXPECT_EQ(FM_Data_GetNativeType(past, &error), FM_TYPE_INVALID);
  EXPECT_EQ(FM_Text_GetSize(FM_DataVect_AtAsText(vector, 3, &error), &error), 0u);
  EXPECT_EQ(FM_FixPt_AsFloat(FM_DataVect_AtAsNumber(vector, 0, &error), &error), 0.0);
  FM_DataVect_Delete(vector, &error);
}

TEST(HostApi, ViewsOfOneValueStayValidTogether) {
  FM_Data* data = FM_Data_Constructor1(&error);
  FM_Text* text = FM_Text_Constructor1(&error);
  FM_Text_Assign(text, "12/6/2026 10:30:00", FM_ENCODING_UTF8, &error);
  FM_Data_SetAsText(data, text, nullptr, FM_TYPE_TIMESTAMP, &error);
  EXPECT_EQ(FM_Data_GetNativeType(data, &error), FM_TYPE_TIMESTAMP);
  const FM_DateTime* date = FM_Data_GetAsDate(data, &error);
  const FM_DateTime* time = FM_Data_GetAsTime(data, &error);
  EXPECT_EQ(time->seconds, standin::Decimal::fromInt(37800));
  EXPECT_EQ(date->seconds, standin::secondsOfDate(2026, 12, 6));
  FM_Text_Delete(text, &error);
  FM_Data_Delete(data, &error);
}

TEST(HostApi, ValuesAnswerTheirOwnTypeAsItChanges) {
  FM_Data* data = FM_Data_Constructor1(&error);
  FM_FixPt* number = FM_FixPt_Constructor1(7, 16, &error);
  FM_Data_SetAsNumber(data, number, FM_TYPE_NUMBER, &error);
  EXPECT_EQ(FM_FixPt_AsFloat(FM_Data_GetAsNumber(data, &error), &error), 7);
  FM_FixPt_AssignInt(number, -12, &error);
  FM_Data_SetAsNumber(data, number, FM_TYPE_NUMBER, &error);
  EXPECT_EQ(FM_FixPt_AsFloat(FM_Data_GetAsNumber(data, &error), &error), -12);
  EXPECT_EQ(data->asText().units, u"-12");

  FM_Text* text = FM_Text_Constructor1(&error);
  FM_Text_Assign(text, "12/6/2026", FM_ENCODING_UTF8, &error);
  FM_Data_SetAsText(data, text, nullptr, FM_TYPE_DATE, &error);
  EXPECT_EQ(FM_Data_GetAsDate(data, &error)->seconds, standin::secondsOfDate(2026, 12, 6));
  EXPECT_EQ(FM_Data_GetAsTimeStamp(data, &error)->seconds, standin::secondsOfDate(2026, 12, 6));
  EXPECT_EQ(FM_FixPt_AsFloat(FM_Data_GetAsNumber(data, &error), &error), 739956);

  FM_Text_Assign(text, "a4b2", FM_ENCODING_UTF8, &error);
  FM_Data_SetAsText(data, text, nullptr, FM_TYPE_TEXT, &error);
  EXPECT_EQ(FM_FixPt_AsFloat(FM_Data_GetAsNumber(data, &error), &error), 42);
  EXPECT_EQ(FM_Data_GetAsDate(data, &error)->seconds, standin::Decimal());
  FM_Text_Delete(text, &error);
  FM_FixPt_Delete(number, &error);
  FM_Data_Delete(data, &error);
}

TEST(HostApi, CountsLiveObjectsByKind) {
  const int64_t before = standin::liveObjectCount();
  FM_Text* text = FM_Text_Constructor1(&error);
  FM_FixPt* number = FM_FixPt_Constructor1(5, 16, &error);
  EXPECT_EQ(standin::liveObjects()["Text"], 1);
  EXPECT_EQ(standin::liveObjects()["FixPt"], 1);
  FM_FixPt_Delete(number, &error);
  FM_Text_Delete(text, &error);
  EXPECT_EQ(standin::liveObjectCount(), before);
}

TEST(HostApi, FailsTheChosenCallAndLeavesItsObjectUnchanged) {
  FM_Text* text = FM_Text_Constructor1(&error);
  FM_Text_Assign(text, "kept", FM_ENCODING_UTF8, &error);
  standin::injectFailure(2, FM_ERROR_OUT_OF_MEMORY);
  FM_Text_Assign(text, "first", FM_ENCODING_UTF8, &error);
  EXPECT_EQ(error.code, FM_ERROR_NONE);
  FM_Text_Assign(text, "second", FM_ENCODING_UTF8, &error);
  EXPECT_EQ(error.code, FM_ERROR_OUT_OF_MEMORY);
  EXPECT_TRUE(standin::injectedFailureFired());
  EXPECT_EQ(text->units, u"first");
  FM_Text* later = FM_Text_Constructor1(&error);  // the failure fires once only
  EXPECT_NE(later, nullptr);
  FM_Text_Delete(later, &error);
  standin::injectFailure(1, FM_ERROR_GENERIC, true);
  EXPECT_EQ(FM_Text_Constructor1(&error), nullptr);
  EXPECT_EQ(error.code, FM_ERROR_GENERIC);
  EXPECT_EQ(FM_Text_GetSize(text, &error), 0u);
  EXPECT_EQ(error.code, FM_ERROR_GENERIC);
  FM_Text_Delete(text, &error);  // deleting never fails
  EXPECT_EQ(error.code, FM_ERROR_NONE);
  standin::clearInjectedFailure();
}

TEST(HostApi, RegistersEachFunctionOncePerPlugin) {
  FM_QuadChar* id = FM_QuadChar_Constructor2('T', 'E', 'S', 'T', &error);
  FM_Text* name = FM_Text_Constructor1(&error);
  EXPECT_EQ(FM_ExprEnv_RegisterExternalFunction(id, 1, name, name, 0, 1, 0, nullptr, &error), 0);
  EXPECT_EQ(FM_ExprEnv_RegisterExternalFunction(id, 1, name, name, 0, 1, 0, nullptr, &error),
            1210);
  EXPECT_EQ(FM_ExprEnv_UnRegisterExternalFunction(id, 1, &error), 0);
  EXPECT_EQ(FM_ExprEnv_UnRegisterExternalFunction(id, 1, &error), 1200);
  FM_Text_Delete(name, &error);
  FM_QuadChar_Delete(id, &error);
}

TEST(HostApi, EvaluatesOnlyInAnEnvironmentPointedAtTheHost) {
  FM_ExprEnv* environment = FM_ExprEnv_Constructor1(&error);
  FM_Text* expression = FM_Text_Constructor1(&error);
  FM_Data* result = FM_Data_Constructor1(&error);
  FM_Text_Assign(expression, "1 + 1", FM_ENCODING_UTF8, &error);
  EXPECT_EQ(FM_ExprEnv_Evaluate(environment, expression, result, &error), 1200);
  EXPECT_EQ(standin::Session::currentEnvironmentCallback()(environment), 0);
  EXPECT_EQ(FM_ExprEnv_Evaluate(environment, expression, result, &error), 0);
  EXPECT_EQ(result->asText().units, u"2");
  FM_Data_Delete(result, &error);
  FM_Text_Delete(expression, &error);
  FM_ExprEnv_Delete(environment, &error);
}

TEST(HostApi, RunsSqlOverTheFileWithFileMakersErrorCodes) {
  FM_ExprEnv* environment = FM_ExprEnv_Constructor1(&error);
  standin::Session::currentEnvironmentCallback()(environment);
  FM_Text* statement = FM_Text_Constructor1(&error);
  FM_RowVect* rows = FM_RowVect_Constructor1(&error);
  auto execute = [&](const char* sql) {
    FM_Text_Assign(statement, sql, FM_ENCODING_UTF8, &error);
    return FM_ExprEnv_ExecuteFileSQL(environment, statement, nullptr, nullptr, rows, &error);
  };
  EXPECT_EQ(execute("CREATE TABLE T (a, b)"), 0);
  EXPECT_EQ(execute("INSERT INTO T VALUES (1, 'x'), (2.5, NULL)"), 0);
  EXPECT_EQ(execute("SELECT a, b FROM T ORDER BY a"), 0);
  ASSERT_EQ(FM_RowVect_Size(rows, &error), 2u);
  EXPECT_EQ(rows->rows[1].values[0].asText().units, u"2.5");
  EXPECT_EQ(rows->rows[0].values[1].asText().units, u"x");
  EXPECT_EQ(execute("SELEC nonsense"), 8310);
  EXPECT_EQ(execute("SELECT * FROM Missing"), 8309);
  FM_RowVect_Delete(rows, &error);
  FM_Text_Delete(statement, &error);
  FM_ExprEnv_Delete(environment, &error);
  standin::Session::instance().closeAll();
}

}  // namespace
