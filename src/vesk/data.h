// A growable byte buffer: `Data` is the interface, `DataImpl` the one implementation.
#ifndef VESK_DATA_H_
#define VESK_DATA_H_

#include <cstdint>
#include <memory>

#include "vesk/object.h"

namespace vesk {

class String;

class Data : public Object {
 public:
  // A zero-filled buffer of `capacity` bytes holding none yet.
  static std::shared_ptr<Data> withCapacity(uint32_t capacity);
  // A copy of `size` bytes.
  static std::shared_ptr<Data> fromBytes(const void* bytes, uint32_t size);
  // The bytes of NUL-terminated text, without the terminator.
  static std::shared_ptr<Data> fromText(const char* text);

  virtual uint8_t* bytes() = 0;
  virtual const uint8_t* bytes() const = 0;
  virtual uint32_t length() const = 0;
  // Sets the valid length within the capacity; a length beyond it changes nothing. Answers the
  // length now valid.
  virtual uint32_t setLength(uint32_t length) = 0;
  virtual void append(const void* bytes, uint32_t count) = 0;
  // Writes the valid bytes to a new file; throws Exception when the file cannot be created
  // (also when it exists), answers false when the write failed.
  virtual bool writeToFile(const String& path) const = 0;
};

class DataImpl : public Data {
 public:
  explicit DataImpl(uint32_t capacity);
  DataImpl(const void* bytes, uint32_t size);
  ~DataImpl() override;
  DataImpl(const DataImpl&) = delete;
  DataImpl& operator=(const DataImpl&) = delete;

  uint8_t* bytes() override { return bytes_; }
  const uint8_t* bytes() const override { return bytes_; }
  uint32_t length() const override { return length_; }
  uint32_t capacity() const { return capacity_; }
  uint32_t setLength(uint32_t length) override;
  void append(const void* bytes, uint32_t count) override;
  bool writeToFile(const String& path) const override;

 private:
  uint8_t* bytes_ = nullptr;
  uint32_t capacity_ = 0;
  uint32_t length_ = 0;
};

}  // namespace vesk

#endif  // VESK_DATA_H_
