// Owners of host objects: each wraps one handle made through the host API and deletes it when it
// goes out of scope, so that a host object is released on every path, exceptions included.
//
// Every call is checked: an error record with code 1 throws std::bad_alloc ("bad allocation"),
// code 2 throws fm::HostError ("Unknown exception"); any other code counts as success.
// Borrowed handles (a parameter, a result, a value read from data) are passed as plain pointers.
#ifndef FM_OBJECTS_H_
#define FM_OBJECTS_H_

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

#include "fm/api.h"

namespace fm {

// The host ran out of memory. It is a std::bad_alloc, as any allocation failure is, with the
// message users see for it on every platform.
class HostOutOfMemory : public std::bad_alloc {
 public:
  const char* what() const noexcept override { return "bad allocation"; }
};

// A generic failure reported by the host.
class HostError : public std::exception {
 public:
  const char* what() const noexcept override { return "Unknown exception"; }
};

// An error record for one host call; check() throws what the host reported.
class ErrorRecord {
 public:
  ErrorRecord() : record_{1, 0} {}
  FM_ErrorRecord* get() { return &record_; }
  // Inline, as it follows every host call; the throwing is not.
  void check() const {
    if (record_.code == FM_ERROR_OUT_OF_MEMORY || record_.code == FM_ERROR_GENERIC) [[unlikely]] {
      throwReported();
    }
  }

 private:
  [[noreturn]] void throwReported() const;

  FM_ErrorRecord record_;
};

// Runs `call` with a fresh error record and throws what the host reported.
template <typename Call>
auto checked(Call&& call) {
  ErrorRecord error;
  if constexpr (std::is_void_v<decltype(call(error.get()))>) {
    call(error.get());
    error.check();
  } else {
    auto answer = call(error.get());
    error.check();
    return answer;
  }
}

// One owned host object of type T, deleted by `Delete`.
template <typename T, void (*Delete)(T*, FM_ErrorRecord*)>
class Owned {
 public:
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  ~Owned() { reset(); }

  T* get() const { return handle_; }
  operator T*() const { return handle_; }

 protected:
  explicit Owned(T* handle) : handle_(handle) {}

 private:
  void reset() noexcept {
    if (handle_ == nullptr) return;
    // A failed delete cannot be reported from a destructor; the host keeps no state to repair.
    FM_ErrorRecord ignored{1, 0};
    Delete(handle_, &ignored);
    handle_ = nullptr;
  }
  T* handle_;
};

class Text : public Owned<FM_Text, FM_Text_Delete> {
 public:
  Text();
  // A text holding the plug-in's own ASCII literal.
  explicit Text(std::string_view ascii);

  void assign(std::string_view bytes, int32_t encoding = FM_ENCODING_NATIVE);
  void assignUnicode(const char16_t* units, uint32_t length);
  // Appends `size` units of `other` from `position`, styles included.
  void append(const FM_Text* other, uint32_t position = 0, uint32_t size = 0xFFFFFFFFu);
  void insert(const FM_Text* other, uint32_t position);
  void erase(uint32_t position, uint32_t size);
  void clear();
  void lowercase();
};

class CharacterStyle : public Owned<FM_CharacterStyle, FM_CharacterStyle_Delete> {
 public:
  CharacterStyle();
};

class Data : public Owned<FM_Data, FM_Data_Delete> {
 public:
  Data();
};

class DataVect : public Owned<FM_DataVect, FM_DataVect_Delete> {
 public:
  DataVect();
};

class RowVect : public Owned<FM_RowVect, FM_RowVect_Delete> {
 public:
  RowVect();
};

class FixPt : public Owned<FM_FixPt, FM_FixPt_Delete> {
 public:
  // Value 0 with 16 digits of precision.
  FixPt();
  void assign(int32_t value);
  void assign(double value);
};

class DateTime : public Owned<FM_DateTime, FM_DateTime_Delete> {
 public:
  DateTime();
};

class ExprEnv : public Owned<FM_ExprEnv, FM_ExprEnv_Delete> {
 public:
  ExprEnv();
};

class QuadChar : public Owned<FM_QuadChar, FM_QuadChar_Delete> {
 public:
  explicit QuadChar(std::string_view four);
};

// Operations on borrowed handles.
void assign(FM_Text* text, std::string_view bytes, int32_t encoding = FM_ENCODING_NATIVE);
void assignUnicode(FM_Text* text, const char16_t* units, uint32_t length);
inline void assignUnicode(FM_Text* text, const std::u16string& units) {
  assignUnicode(text, units.data(), static_cast<uint32_t>(units.size()));
}
void append(FM_Text* text, const FM_Text* other, uint32_t position = 0,
            uint32_t size = 0xFFFFFFFFu);
void erase(FM_Text* text, uint32_t position, uint32_t size);
uint32_t size(const FM_Text* text);
std::u16string units(const FM_Text* text, uint32_t position = 0, uint32_t count = 0xFFFFFFFFu);
// The same into `answer`, whose storage is reused.
void unitsInto(const FM_Text* text, std::u16string& answer, uint32_t position = 0,
               uint32_t count = 0xFFFFFFFFu);
uint32_t find(const FM_Text* text, const FM_Text* sought, uint32_t position = 0);
uint32_t findIgnoringCase(const FM_Text* text, const FM_Text* sought, uint32_t position = 0);
bool equal(const FM_Text* text, const FM_Text* other);
// The bytes of the whole text in a host encoding, up to the first NUL, in a buffer of
// `bufferSize` bytes.
std::string bytes(const FM_Text* text, int32_t encoding, uint32_t bufferSize);

void setSecondsSinceEpoch(FM_DateTime* dateTime, const FM_FixPt* seconds);

int32_t nativeType(const FM_Data* data);
const FM_Locale* locale(const FM_Data* data);
const FM_DateTime* asDate(const FM_Data* data);
const FM_DateTime* asTime(const FM_Data* data);
const FM_DateTime* asTimestamp(const FM_Data* data);
const FM_BinaryData* binaryData(const FM_Data* data);
const FM_Text* asText(const FM_Data* data);
const FM_FixPt* asNumber(const FM_Data* data);
double asFloat(const FM_FixPt* number);

uint32_t size(const FM_DataVect* parameters);
const FM_Data* at(const FM_DataVect* parameters, uint32_t index);
const FM_Text* textAt(const FM_DataVect* parameters, uint32_t index);
const FM_FixPt* numberAt(const FM_DataVect* parameters, uint32_t index);

uint32_t size(const FM_RowVect* rows);
const FM_DataVect* at(const FM_RowVect* rows, uint32_t index);

// Results, set as the plug-in sets them: text with the result's own locale, a number as a
// number, a date-time as a timestamp.
void setText(FM_Data* result, const FM_Text* text);
void setNumber(FM_Data* result, const FM_FixPt* number);
void setTimestamp(FM_Data* result, const FM_DateTime* timestamp);
// Lower-level setters with an explicit locale or native type.
void setText(FM_Data* result, const FM_Text* text, const FM_Locale* locale);
void setNumber(FM_Data* result, const FM_FixPt* number, int32_t nativeType);
void setDate(FM_Data* result, const FM_DateTime* date);
void setTime(FM_Data* result, const FM_DateTime* time);
void setBinaryData(FM_Data* result, const FM_BinaryData* binary, bool forceByteSwap);

}  // namespace fm

#endif  // FM_OBJECTS_H_
