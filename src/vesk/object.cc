#include "vesk/object.h"

#include "vesk/string.h"

namespace vesk {

std::shared_ptr<String> Object::description() const {
  return String::fromUtf8("VESK Object has no description");
}

void Object::setProperty(std::shared_ptr<Object>, std::shared_ptr<Object>) {}

std::shared_ptr<Object> Object::getProperty(std::shared_ptr<Object>) const { return nullptr; }

}  // namespace vesk
