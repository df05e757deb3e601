// Text between FileMaker's text objects, vesk::String and narrow bytes.
#ifndef VESK_TEXT_CONVERSIONS_H_
#define VESK_TEXT_CONVERSIONS_H_

#include <memory>
#include <string>

#include "fm/api.h"
#include "vesk/string.h"

namespace vesk {

// Every unit of the text, embedded NULs included; styles are not carried.
std::shared_ptr<String> stringFromFileMakerText(const FM_Text* text);
// Replaces the whole of `target` with `text`, every line break made one CR as FileMaker writes
// them; a NUL unit ends the text.
void assignToFileMakerText(const String& text, FM_Text* target);
// The whole text in a host encoding, up to the first NUL byte.
std::string fileMakerTextBytes(const FM_Text* text, int32_t encoding);

}  // namespace vesk

#endif  // VESK_TEXT_CONVERSIONS_H_
