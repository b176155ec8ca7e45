#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "pass/hex_record.h"
#include "ui/file_io.h"
#include "ui/text_slice.h"

namespace tessarin::testing {

inline constexpr const char* kGputilsHeaders = "/usr/share/gputils/header";

/// Skips a test that needs gputils where it is missing, saying how to get it;
/// scripts/install-deps installs it, so the test command always runs them.
#define TESSARIN_SKIP_WITHOUT_GPUTILS()                                                     \
  if (!::tessarin::testing::HasGputils())                                                   \
  GTEST_SKIP() << "gputils (gpasm and its headers) is missing: install the Debian package " \
                  "gputils, as scripts/install-deps does"

/// Byte address -> byte of every data record of an Intel HEX file, with
/// INHX32 address records.
inline std::map<unsigned, unsigned> ReadImage(const std::filesystem::path& path) {
  std::map<unsigned, unsigned> image;
  const Result<std::string> text = ReadFileBytes(path);
  EXPECT_TRUE(text.ok()) << path;
  if (!text.ok()) return image;
  unsigned upper = 0;
  std::string_view rest = *text;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.size() < 11) continue;
    const unsigned count = ReadHexField(Mid(line, 2, 2));
    const unsigned address = ReadHexField(Mid(line, 4, 4));
    const unsigned type = ReadHexField(Mid(line, 8, 2));
    if (type == 4) upper = ReadHexField(Mid(line, 10, 4)) << 16;
    if (type != 0) continue;
    for (unsigned k = 0; k < count; ++k) {
      image[upper + address + k] = ReadHexField(Mid(line, 10 + 2 * static_cast<int>(k), 2));
    }
  }
  return image;
}

/// Runs `command` through the shell; its exit status, and in `said` what it
/// wrote on either output.
inline int Shell(const std::string& command, std::string* said = nullptr) {
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  if (said != nullptr) *said = text;
  return ::pclose(pipe);
}

/// Whether gputils is installed: gpasm on the PATH and its headers, which the
/// tests that use them need.
inline bool HasGputils() {
  return Shell("command -v gpasm") == 0 && std::filesystem::exists(kGputilsHeaders);
}

/// `path` in single quotes, for a shell command.
inline std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace tessarin::testing
