// The machine's printers. No platform of this build offers them: the printer functions keep their
// parameter checks and leave their results as the host passed them.
#ifndef PLATFORM_PRINTERS_H_
#define PLATFORM_PRINTERS_H_

#include <optional>
#include <string>
#include <vector>

namespace platform {

std::optional<std::u16string> defaultPrinterName();
std::optional<std::vector<std::u16string>> printerNames();
void setDefaultPrinterName(const std::u16string& name);

}  // namespace platform

#endif  // PLATFORM_PRINTERS_H_
