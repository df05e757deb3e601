// The root of the object library: every library object is made on the heap and handed out as a
// shared pointer.
#ifndef VESK_OBJECT_H_
#define VESK_OBJECT_H_

#include <memory>

namespace vesk {

class String;

class Object {
 public:
  Object() = default;
  virtual ~Object() = default;
  Object(const Object&) = default;
  Object& operator=(const Object&) = default;

  // A new text describing the object.
  virtual std::shared_ptr<String> description() const;
  // Named properties: the root class keeps none.
  virtual void setProperty(std::shared_ptr<Object> name, std::shared_ptr<Object> value);
  virtual std::shared_ptr<Object> getProperty(std::shared_ptr<Object> name) const;
};

}  // namespace vesk

#endif  // VESK_OBJECT_H_
