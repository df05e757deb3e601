// print_bytes HEX...: writes each argument, two hexadecimal digits, as one byte to the standard
// output, untranslated. The system-script tests run it from batch files to produce exact bytes,
// which the command interpreter's own echo would re-encode.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  for (int index = 1; index < argc; ++index) {
    std::fputc(static_cast<int>(std::strtoul(argv[index], nullptr, 16)), stdout);
  }
  return 0;
}
