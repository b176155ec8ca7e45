// A HEX file's bytes through the open command's reading, the disassembly
// pass, label removal, the zone re-assembly (twice, as a second "Valider"
// does) and the source writer; then, written to a file, through
// tessarin-cli's reading, warnings and --strict. The input's tail after its
// last NUL byte is read as a zone file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "files/hex_check.h"
#include "files/hex_file.h"
#include "files/source_writer.h"
#include "pass/assembler.h"
#include "testing/fakes.h"
#include "zones/apply_data_zones.h"
#include "zones/companion_file.h"
#include "zones/remove_label.h"

namespace {

size_t CountLineEnds(std::string_view text) {
  size_t count = 0;
  for (size_t at = text.find("\r\n"); at != std::string_view::npos;
       at = text.find("\r\n", at + 2)) {
    ++count;
  }
  return count;
}

// Every listing line becomes exactly one line of either file.
void CheckWriters(const tessarin::TextList& listing) {
  if (CountLineEnds(tessarin::GeneratedSource(listing)) != static_cast<size_t>(listing.Count()))
    std::abort();
  if (CountLineEnds(tessarin::ListingText(listing)) != static_cast<size_t>(listing.Count()))
    std::abort();
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) std::abort();
}

// Messages reach a terminal: no control character but the line ends, none
// of the C1 controls written in UTF-8 either.
void CheckPrintable(std::string_view messages) {
  for (size_t k = 0; k < messages.size(); ++k) {
    const auto c = static_cast<unsigned char>(messages[k]);
    if ((c < 0x20 && c != '\n') || c == 0x7F) std::abort();
    if (c == 0xC2 && k + 1 < messages.size() &&
        static_cast<unsigned char>(messages[k + 1]) < 0xA0) {
      std::abort();
    }
  }
}

// The command line reads the file as the window reads the text: the same
// listing, or the same refusal; with --strict, no output after any warning.
void CheckCommandLine(std::string_view hex, std::string_view zones, bool passed,
                      const std::string& listing) {
  const std::string base = "/tmp/fuzz_open_hex_" + std::to_string(::getpid());
  WriteFile(base + ".hex", hex);
  WriteFile(base + ".zones", zones);

  std::ostringstream out;
  std::ostringstream err;
  tessarin::SharedState state;
  const int status = tessarin::RunCli({"-l", "--no-zones", base + ".hex"}, out, err, "0", state);
  if (status != (passed ? 0 : 1)) std::abort();
  if (passed && out.str() != listing) std::abort();
  CheckPrintable(err.str());

  std::ostringstream strict_out;
  std::ostringstream strict_err;
  tessarin::SharedState strict_state;
  const int strict = tessarin::RunCli({"--strict", "-z", base + ".zones", base + ".hex"},
                                      strict_out, strict_err, "0", strict_state);
  if (strict == 0 && (!tessarin::FindHexDefects(hex).empty() || !strict_err.str().empty()))
    std::abort();
  if (strict != 0 && !strict_out.str().empty()) std::abort();
  CheckPrintable(strict_err.str());
  std::remove((base + ".hex").c_str());
  std::remove((base + ".zones").c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.rfind('\0');
  const std::string_view hex = split == std::string_view::npos ? input : input.substr(0, split);
  const std::string_view zones = split == std::string_view::npos ? "" : input.substr(split + 1);

  tessarin::SharedState state;
  tessarin::testing::CountingYield yield;
  tessarin::testing::FixedClock clock("1970-01-01", "00:00:00");
  (void)tessarin::FillLineStore(state, hex).ok();
  tessarin::LoadZoneText(state, zones);
  const bool passed = tessarin::Assembler(state, yield, clock).ok();
  if (passed && state.List1.Count() < 5) std::abort();
  CheckCommandLine(hex, zones, passed, tessarin::ListingText(state.List1));

  state.List1.Select(static_cast<int>(size % static_cast<size_t>(state.List1.Count() + 1)));
  tessarin::RemoveLabel(state);
  // Every zone stays in the list, applied or not.
  const std::vector<std::string> listed = state.List4.Items();
  if (tessarin::ApplyDataZones(state).size() > listed.size()) std::abort();
  if (state.List4.Items() != listed) std::abort();
  CheckWriters(state.List1);
  if (state.List5.Count() != 0 || state.List6.Count() != 0) std::abort();

  tessarin::LoadZoneText(state, zones);
  (void)tessarin::ApplyDataZones(state);
  CheckWriters(state.List1);
  return 0;
}
