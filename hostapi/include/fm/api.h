// The host API: every operation through which a FileMaker plug-in reaches its host.
//
// Host objects are opaque handles made and released only through these calls. Every call that
// can fail takes an error record as its last argument; the host sets its code to 0 on success,
// 1 when it ran out of memory and 2 for any other failure. Handles returned as `const` pointers
// are owned by the object they were read from and live as long as it does unchanged.
//
// The plug-in links against the host library that implements this header (libFMWrapper), exactly
// as it links against FileMaker's; the stand-in host in standin/ is one such library.
#ifndef FM_API_H_
#define FM_API_H_

#include <stddef.h>
#include <stdint.h>
#include <wchar.h>

#if defined(_WIN32) && defined(FM_HOST_LIBRARY)  // building the host library itself
#define FM_API __declspec(dllexport)
#define FM_EXPORT __declspec(dllexport)
#elif defined(_WIN32)
#define FM_API __declspec(dllimport)
#define FM_EXPORT __declspec(dllexport)
#else
#define FM_API __attribute__((visibility("default")))
#define FM_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FM_Text FM_Text;
typedef struct FM_CharacterStyle FM_CharacterStyle;
typedef struct FM_Data FM_Data;
typedef struct FM_DataVect FM_DataVect;
typedef struct FM_RowVect FM_RowVect;
typedef struct FM_FixPt FM_FixPt;
typedef struct FM_DateTime FM_DateTime;
typedef struct FM_ExprEnv FM_ExprEnv;
typedef struct FM_QuadChar FM_QuadChar;
typedef struct FM_Locale FM_Locale;
typedef struct FM_BinaryData FM_BinaryData;

typedef struct FM_ErrorRecord {
  int32_t version;  // always 1
  int32_t code;     // 0 success, 1 out of memory, 2 any other failure
} FM_ErrorRecord;

enum {
  FM_ERROR_NONE = 0,
  FM_ERROR_OUT_OF_MEMORY = 1,
  FM_ERROR_GENERIC = 2,
};

// Native data types of a data object.
enum {
  FM_TYPE_INVALID = 0,
  FM_TYPE_TEXT = 1,
  FM_TYPE_NUMBER = 2,
  FM_TYPE_DATE = 3,
  FM_TYPE_TIME = 4,
  FM_TYPE_TIMESTAMP = 5,
  FM_TYPE_CONTAINER = 6,
  FM_TYPE_BOOLEAN = 7,
};

// Text encodings of Assign and GetBytes. Native is the host platform's own 8-bit encoding; the
// stand-in host uses UTF-8 for it.
enum {
  FM_ENCODING_NATIVE = 0,
  FM_ENCODING_UTF8 = 1,
  FM_ENCODING_ASCII_DOS = 2,
  FM_ENCODING_ASCII_WINDOWS = 3,
  FM_ENCODING_ASCII_MAC = 4,
  FM_ENCODING_ISO_8859_1 = 5,
};

enum { FM_TEXT_NOT_FOUND = 0xFFFFFFFFu };

// Script control codes of the start-script callback.
enum {
  FM_SCRIPT_HALT = 0,
  FM_SCRIPT_EXIT = 1,
  FM_SCRIPT_RESUME = 2,
  FM_SCRIPT_PAUSE = 3,
};

// Plug-in messages (the `whichCall` field of the message record).
enum {
  FM_MSG_INIT = 0,
  FM_MSG_IDLE = 1,
  FM_MSG_SHUTDOWN = 4,
  FM_MSG_PREFERENCES = 5,
  FM_MSG_GET_STRING = 7,
};

// Idle levels (parameter 1 of the idle message).
enum {
  FM_IDLE_USER_IDLE = 0,
  FM_IDLE_USER_NOT_IDLE = 1,
  FM_IDLE_SCRIPT_PAUSED = 2,
  FM_IDLE_SCRIPT_RUNNING = 3,
  FM_IDLE_UNSAFE = 4,
};

// String ids of the get-string message.
enum {
  FM_STRING_NAME = 128,
  FM_STRING_DESCRIPTION = 129,
  FM_STRING_PREFERENCES = 130,
  FM_STRING_OPTIONS = 131,
  FM_STRING_HELP_URL = 132,
};

// Answers of the initialise message.
enum {
  FM_INIT_BAD_VERSION = -1,
  FM_INIT_FAILED = -2,
  FM_INIT_OK = 53,
};

// An external function as the host calls it: its id, the calling calculation's environment, the
// parameters and the result to fill. Returns a host error code, 0 for success.
typedef int16_t (*FM_ExternalFunction)(int16_t functionId, const FM_ExprEnv* environment,
                                       const FM_DataVect* parameters, FM_Data* result);

// Asks the host to start a script of an open file. Returns a host error code.
typedef int16_t (*FM_StartScriptCall)(const FM_Text* fileName, const FM_Text* scriptName,
                                      uint8_t control, const FM_Data* parameter);

// Points `environment` (one the plug-in made) at the host's current context.
typedef int16_t (*FM_CurrentEnvCall)(FM_ExprEnv* environment);

// The record of every plug-in message. Its layout is the host's and must not change.
typedef struct FM_ExternCallStruct {
  uint16_t extensionVersion;  // offset 0
  uint8_t reserved1[11];
  uint8_t whichCall;  // offset 13
  uint8_t reserved2;
  uint8_t parameter1;   // offset 15: idle level; string id
  uint64_t parameter2;  // offset 16: at initialisation, the host's version text (UTF-16, may be 0)
  uint32_t parameter3;  // offset 24: size in UTF-16 units of a string answer's buffer
  uint32_t reserved3;
  void* instance;  // offset 32: the plug-in module's instance handle
  int64_t result;  // offset 40: initialisation answer; address of a string answer's buffer
  void* reserved4;
  FM_StartScriptCall startScript;  // offset 56
  FM_CurrentEnvCall currentEnv;    // offset 64
} FM_ExternCallStruct;

typedef void (*FM_ExternCallProc)(FM_ExternCallStruct* record);

// ---- Text --------------------------------------------------------------------------------------
FM_API FM_Text* FM_Text_Constructor1(FM_ErrorRecord* error);
FM_API void FM_Text_Delete(FM_Text* text, FM_ErrorRecord* error);
FM_API void FM_Text_Assign(FM_Text* text, const char* bytes, int32_t encoding,
                           FM_ErrorRecord* error);
// `units` is NUL-terminated UTF-16.
FM_API void FM_Text_AssignUnicode(FM_Text* text, const uint16_t* units, FM_ErrorRecord* error);
FM_API void FM_Text_AssignUnicodeWithLength(FM_Text* text, const uint16_t* units, uint32_t length,
                                            FM_ErrorRecord* error);
// `wide` is NUL-terminated wchar_t text: UTF-16 where wchar_t has 16 bits, UTF-32 elsewhere.
FM_API void FM_Text_AssignWide(FM_Text* text, const wchar_t* wide, FM_ErrorRecord* error);
// Appends `size` units of `other` from `position` (clipped to its end), with their styles.
FM_API void FM_Text_AppendText(FM_Text* text, const FM_Text* other, uint32_t position,
                               uint32_t size, FM_ErrorRecord* error);
// Inserts the whole of `other`, with its styles, before `position` (clipped to the end).
FM_API void FM_Text_InsertText(FM_Text* text, const FM_Text* other, uint32_t position,
                               FM_ErrorRecord* error);
FM_API void FM_Text_DeleteText(FM_Text* text, uint32_t position, uint32_t size,
                               FM_ErrorRecord* error);
// First occurrence of `other` at or after `position`, or FM_TEXT_NOT_FOUND.
FM_API uint32_t FM_Text_Find(const FM_Text* text, const FM_Text* other, uint32_t position,
                             FM_ErrorRecord* error);
FM_API uint32_t FM_Text_FindIgnoringCase(const FM_Text* text, const FM_Text* other,
                                         uint32_t position, FM_ErrorRecord* error);
FM_API uint32_t FM_Text_GetSize(const FM_Text* text, FM_ErrorRecord* error);
// Copies `size` units from `position` (clipped to the end) into `buffer`; no terminator.
FM_API void FM_Text_GetUnicode(const FM_Text* text, uint16_t* buffer, uint32_t position,
                               uint32_t size, FM_ErrorRecord* error);
// Writes the units [position, position + size) in `encoding`: whole characters only, at most
// bufferSize - 1 bytes, then a NUL. Returns the number of bytes written before the NUL.
FM_API uint32_t FM_Text_GetBytes(const FM_Text* text, char* buffer, uint32_t bufferSize,
                                 uint32_t position, uint32_t size, int32_t encoding,
                                 FM_ErrorRecord* error);
FM_API void FM_Text_Lowercase(FM_Text* text, FM_ErrorRecord* error);
// Equal characters; styles play no part.
FM_API int FM_Text_operatorEQ(const FM_Text* text, const FM_Text* other, FM_ErrorRecord* error);
FM_API void FM_Text_GetStyle(const FM_Text* text, FM_CharacterStyle* style, uint32_t position,
                             FM_ErrorRecord* error);
// Applies `style` to the units [position, position + size).
FM_API void FM_Text_SetStyle(FM_Text* text, const FM_CharacterStyle* style, uint32_t position,
                             uint32_t size, FM_ErrorRecord* error);

// ---- Character styles --------------------------------------------------------------------------
FM_API FM_CharacterStyle* FM_CharacterStyle_Constructor1(FM_ErrorRecord* error);
FM_API void FM_CharacterStyle_Delete(FM_CharacterStyle* style, FM_ErrorRecord* error);
// True when the style sets nothing: plain text in the default font, size and colour.
FM_API int FM_CharacterStyle_IsAllDisabled(const FM_CharacterStyle* style, FM_ErrorRecord* error);
FM_API int FM_CharacterStyle_operatorEQ(const FM_CharacterStyle* style,
                                        const FM_CharacterStyle* other, FM_ErrorRecord* error);

// ---- Data --------------------------------------------------------------------------------------
FM_API FM_Data* FM_Data_Constructor1(FM_ErrorRecord* error);
FM_API void FM_Data_Delete(FM_Data* data, FM_ErrorRecord* error);
FM_API const FM_Text* FM_Data_GetAsText(const FM_Data* data, FM_ErrorRecord* error);
FM_API const FM_FixPt* FM_Data_GetAsNumber(const FM_Data* data, FM_ErrorRecord* error);
FM_API const FM_DateTime* FM_Data_GetAsDate(const FM_Data* data, FM_ErrorRecord* error);
FM_API const FM_DateTime* FM_Data_GetAsTime(const FM_Data* data, FM_ErrorRecord* error);
FM_API const FM_DateTime* FM_Data_GetAsTimeStamp(const FM_Data* data, FM_ErrorRecord* error);
FM_API const FM_BinaryData* FM_Data_GetBinaryData(const FM_Data* data, FM_ErrorRecord* error);
FM_API int32_t FM_Data_GetNativeType(const FM_Data* data, FM_ErrorRecord* error);
FM_API const FM_Locale* FM_Data_GetLocale(const FM_Data* data, FM_ErrorRecord* error);
FM_API void FM_Data_SetAsText(FM_Data* data, const FM_Text* text, const FM_Locale* locale,
                              int32_t nativeType, FM_ErrorRecord* error);
FM_API void FM_Data_SetAsNumber(FM_Data* data, const FM_FixPt* number, int32_t nativeType,
                                FM_ErrorRecord* error);
FM_API void FM_Data_SetAsDate(FM_Data* data, const FM_DateTime* date, int32_t nativeType,
                              FM_ErrorRecord* error);
FM_API void FM_Data_SetAsTime(FM_Data* data, const FM_DateTime* time, int32_t nativeType,
                              FM_ErrorRecord* error);
FM_API void FM_Data_SetAsTimeStamp(FM_Data* data, const FM_DateTime* timestamp,
                                   int32_t nativeType, FM_ErrorRecord* error);
FM_API void FM_Data_SetBinaryData(FM_Data* data, const FM_BinaryData* binary, int forceByteSwap,
                                  FM_ErrorRecord* error);

// ---- Vectors -----------------------------------------------------------------------------------
FM_API FM_DataVect* FM_DataVect_Constructor1(FM_ErrorRecord* error);
FM_API void FM_DataVect_Delete(FM_DataVect* vector, FM_ErrorRecord* error);
FM_API uint32_t FM_DataVect_Size(const FM_DataVect* vector, FM_ErrorRecord* error);
// Appends a copy of `data`.
FM_API void FM_DataVect_PushBack(FM_DataVect* vector, const FM_Data* data, FM_ErrorRecord* error);
// An index past the end yields an empty value of type invalid, whose text is empty.
FM_API const FM_Data* FM_DataVect_At(const FM_DataVect* vector, uint32_t index,
                                     FM_ErrorRecord* error);
FM_API const FM_Text* FM_DataVect_AtAsText(const FM_DataVect* vector, uint32_t index,
                                           FM_ErrorRecord* error);
FM_API const FM_FixPt* FM_DataVect_AtAsNumber(const FM_DataVect* vector, uint32_t index,
                                              FM_ErrorRecord* error);
FM_API const FM_DateTime* FM_DataVect_AtAsTimeStamp(const FM_DataVect* vector, uint32_t index,
                                                    FM_ErrorRecord* error);

FM_API FM_RowVect* FM_RowVect_Constructor1(FM_ErrorRecord* error);
FM_API void FM_RowVect_Delete(FM_RowVect* rows, FM_ErrorRecord* error);
FM_API uint32_t FM_RowVect_Size(const FM_RowVect* rows, FM_ErrorRecord* error);
FM_API const FM_DataVect* FM_RowVect_At(const FM_RowVect* rows, uint32_t index,
                                        FM_ErrorRecord* error);

// ---- Fixed-point numbers -----------------------------------------------------------------------
// `precision` is the number of decimal digits kept after the point.
FM_API FM_FixPt* FM_FixPt_Constructor1(int32_t value, int32_t precision, FM_ErrorRecord* error);
FM_API void FM_FixPt_Delete(FM_FixPt* number, FM_ErrorRecord* error);
FM_API void FM_FixPt_AssignInt(FM_FixPt* number, int32_t value, FM_ErrorRecord* error);
FM_API void FM_FixPt_AssignDouble(FM_FixPt* number, double value, FM_ErrorRecord* error);
FM_API double FM_FixPt_AsFloat(const FM_FixPt* number, FM_ErrorRecord* error);
// result = number + other
FM_API void FM_FixPt_Add(const FM_FixPt* number, const FM_FixPt* other, FM_FixPt* result,
                         FM_ErrorRecord* error);
// result = number - other
FM_API void FM_FixPt_Subtract(const FM_FixPt* number, const FM_FixPt* other, FM_FixPt* result,
                              FM_ErrorRecord* error);

// ---- Date-times: seconds since 0001-01-01 00:00:00 local time, fraction kept -------------------
FM_API FM_DateTime* FM_DateTime_Constructor1(FM_ErrorRecord* error);
FM_API void FM_DateTime_Delete(FM_DateTime* dateTime, FM_ErrorRecord* error);
// Sets `dateTime` to the host clock's now.
FM_API void FM_DateTime_Now(FM_DateTime* dateTime, FM_ErrorRecord* error);
FM_API void FM_DateTime_GetSecondsSinceEpoch(const FM_DateTime* dateTime, FM_FixPt* seconds,
                                             FM_ErrorRecord* error);
FM_API void FM_DateTime_SetSecondsSinceEpoch(FM_DateTime* dateTime, const FM_FixPt* seconds,
                                             FM_ErrorRecord* error);

// ---- Expression environments -------------------------------------------------------------------
FM_API FM_ExprEnv* FM_ExprEnv_Constructor1(FM_ErrorRecord* error);
FM_API void FM_ExprEnv_Delete(FM_ExprEnv* environment, FM_ErrorRecord* error);
// Evaluates a calculation in the environment's context. Returns the calculation error code.
FM_API int16_t FM_ExprEnv_Evaluate(const FM_ExprEnv* environment, const FM_Text* expression,
                                   FM_Data* result, FM_ErrorRecord* error);
// Runs an SQL statement over the open files; each answer row becomes one data vector.
FM_API int16_t FM_ExprEnv_ExecuteFileSQL(const FM_ExprEnv* environment, const FM_Text* statement,
                                         const FM_Text* fileName, const FM_DataVect* parameters,
                                         FM_RowVect* result, FM_ErrorRecord* error);
FM_API int16_t FM_ExprEnv_RegisterExternalFunction(const FM_QuadChar* pluginId,
                                                   int16_t functionId, const FM_Text* name,
                                                   const FM_Text* prototype, int16_t minimumArgs,
                                                   int16_t maximumArgs, uint32_t flags,
                                                   FM_ExternalFunction handler,
                                                   FM_ErrorRecord* error);
FM_API int16_t FM_ExprEnv_UnRegisterExternalFunction(const FM_QuadChar* pluginId,
                                                     int16_t functionId, FM_ErrorRecord* error);

// ---- Plug-in identifiers -----------------------------------------------------------------------
FM_API FM_QuadChar* FM_QuadChar_Constructor2(char c0, char c1, char c2, char c3,
                                             FM_ErrorRecord* error);
FM_API void FM_QuadChar_Delete(FM_QuadChar* id, FM_ErrorRecord* error);

#ifdef __cplusplus
}  // extern "C"

static_assert(offsetof(FM_ExternCallStruct, extensionVersion) == 0);
static_assert(offsetof(FM_ExternCallStruct, whichCall) == 13);
static_assert(offsetof(FM_ExternCallStruct, parameter1) == 15);
static_assert(offsetof(FM_ExternCallStruct, parameter2) == 16);
static_assert(offsetof(FM_ExternCallStruct, parameter3) == 24);
static_assert(offsetof(FM_ExternCallStruct, instance) == 32);
static_assert(offsetof(FM_ExternCallStruct, result) == 40);
static_assert(offsetof(FM_ExternCallStruct, startScript) == 56);
static_assert(offsetof(FM_ExternCallStruct, currentEnv) == 64);
#endif

#endif  // FM_API_H_
