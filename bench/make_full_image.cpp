// Writes the full PIC16F876 image that the benchmarks use as an Intel HEX
// file: make_full_image OUT.hex
#include <cstdio>
#include <string>

#include "testing/hex_builder.h"
#include "ui/file_io.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_full_image OUT.hex\n");
    return 2;
  }
  std::string text;
  for (const std::string& line : tessarin::testing::FullImage()) text += line + "\r\n";
  const tessarin::Status written = tessarin::WriteFileAtomically(argv[1], text);
  if (!written.ok()) {
    std::fprintf(stderr, "make_full_image: %s\n", written.message().c_str());
    return 1;
  }
  return 0;
}
