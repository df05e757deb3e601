#include "platform/printers.h"

namespace platform {

std::optional<std::u16string> defaultPrinterName() { return std::nullopt; }

std::optional<std::vector<std::u16string>> printerNames() { return std::nullopt; }

void setDefaultPrinterName(const std::u16string& /*name*/) {}

}  // namespace platform
