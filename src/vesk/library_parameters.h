// The process-wide table of named library parameters: empty when the library loads, released with
// everything it holds when it unloads.
#ifndef VESK_LIBRARY_PARAMETERS_H_
#define VESK_LIBRARY_PARAMETERS_H_

#include <memory>
#include <string>

#include "vesk/object.h"

namespace vesk {

// Throws Exception (-50, "No such global library parameter") for a name never set.
std::shared_ptr<Object> getGlobalLibraryParameter(const std::string& name);
void setGlobalLibraryParameter(const std::string& name, std::shared_ptr<Object> value);

}  // namespace vesk

#endif  // VESK_LIBRARY_PARAMETERS_H_
