#include "vesk/data.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/files.h"
#include "vesk/error.h"
#include "vesk/exception.h"
#include "vesk/string.h"

namespace vesk {

namespace {

uint8_t* allocate(uint32_t size) {
  // calloc answers null for no bytes on some systems; one byte keeps the pointer valid.
  auto* bytes = static_cast<uint8_t*>(std::calloc(size == 0 ? 1 : size, 1));
  if (bytes == nullptr) throw std::bad_alloc();
  return bytes;
}

}  // namespace

std::shared_ptr<Data> Data::withCapacity(uint32_t capacity) {
  return std::make_shared<DataImpl>(capacity);
}

std::shared_ptr<Data> Data::fromBytes(const void* bytes, uint32_t size) {
  return std::make_shared<DataImpl>(bytes, size);
}

std::shared_ptr<Data> Data::fromText(const char* text) {
  return fromBytes(text, static_cast<uint32_t>(std::strlen(text)));
}

DataImpl::DataImpl(uint32_t capacity) : bytes_(allocate(capacity)), capacity_(capacity) {}

DataImpl::DataImpl(const void* bytes, uint32_t size)
    : bytes_(allocate(size)), capacity_(size), length_(size) {
  if (size > 0) std::memcpy(bytes_, bytes, size);
}

DataImpl::~DataImpl() { std::free(bytes_); }

uint32_t DataImpl::setLength(uint32_t length) {
  if (length > capacity_) return length_;
  length_ = length;
  return length_;
}

void DataImpl::append(const void* bytes, uint32_t count) {
  if (count == 0) return;
  if (static_cast<uint64_t>(length_) + count > UINT32_MAX) throw std::bad_alloc();
  const uint32_t needed = length_ + count;
  if (needed > capacity_) {
    auto* grown = static_cast<uint8_t*>(std::realloc(bytes_, needed));
    if (grown == nullptr) throw std::bad_alloc();
    bytes_ = grown;
    capacity_ = needed;
  }
  std::memcpy(bytes_ + length_, bytes, count);
  length_ = needed;
}

bool DataImpl::writeToFile(const String& path) const {
  try {
    return platform::writeNewFile(path.units(), bytes_, length_);
  } catch (const platform::SystemError& error) {
    throw Exception(systemError(error.code()), "Cannot open file for writing");
  }
}

}  // namespace vesk
