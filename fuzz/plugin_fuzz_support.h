// Fuzzing through the plug-in as FileMaker calls it: the plug-in loaded once into the stand-in
// host, and a function called with texts made from the fuzzer's bytes.
#ifndef QUIBO_FUZZ_PLUGIN_FUZZ_SUPPORT_H_
#define QUIBO_FUZZ_PLUGIN_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace quibo_fuzz {

// The fuzzer's bytes read as UTF-8; ill-formed sequences become U+FFFD.
std::u16string textOf(const uint8_t* data, size_t size);

// Calls the plug-in's function `name` with text parameters, loading the plug-in on first use.
// Answers the function's host code; the result is dropped.
int16_t callPlugin(const std::u16string& name, std::initializer_list<std::u16string> texts);

// Traps when the stand-in holds more host objects than when the plug-in had started.
void expectNoLiveHostObjects();

}  // namespace quibo_fuzz

#endif  // QUIBO_FUZZ_PLUGIN_FUZZ_SUPPORT_H_
