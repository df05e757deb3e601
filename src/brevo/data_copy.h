// The typed copy of a host value: by the source's native type, so that the target keeps its
// value, type, styles and locale.
#ifndef BREVO_DATA_COPY_H_
#define BREVO_DATA_COPY_H_

#include "fm/api.h"

namespace brevo {

// Text keeps its styles and the source's locale; a boolean becomes a number; a container keeps
// its binary data. A value of type invalid (or unknown) leaves the target as it was.
void copyData(const FM_Data* source, FM_Data* target);

}  // namespace brevo

#endif  // BREVO_DATA_COPY_H_
