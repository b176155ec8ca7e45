#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "pass/line_store.h"
#include "ui/shared_state.h"

namespace tessarin::testing {

/// One Intel HEX record with its checksum, e.g. Record(0, 0, {0x0B, 0x1C}).
inline std::string Record(unsigned byte_address, unsigned type, const std::vector<uint8_t>& data) {
  char field[16];
  std::snprintf(field, sizeof field, ":%02X%04X%02X", static_cast<unsigned>(data.size()),
                byte_address & 0xFFFF, type);
  std::string line = field;
  unsigned sum =
      static_cast<unsigned>(data.size()) + (byte_address >> 8) + (byte_address & 0xFF) + type;
  for (uint8_t byte : data) {
    std::snprintf(field, sizeof field, "%02X", byte);
    line += field;
    sum += byte;
  }
  std::snprintf(field, sizeof field, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
  return line + field;
}

/// A data record holding program words at a word address, low byte first.
inline std::string WordRecord(unsigned word_address, const std::vector<uint16_t>& words) {
  std::vector<uint8_t> data;
  for (uint16_t word : words) {
    data.push_back(static_cast<uint8_t>(word & 0xFF));
    data.push_back(static_cast<uint8_t>(word >> 8));
  }
  return Record(word_address * 2, 0, data);
}

inline std::string EndRecord() { return ":00000001FF"; }

/// A full PIC16F876 image: 8,192 program words in 16-byte records, the
/// configuration word, 256 EEPROM bytes and the end record (1,058 lines). The program
/// words mix every instruction class, a branch every eighth word.
inline std::vector<std::string> FullImage() {
  std::vector<std::string> lines;
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (unsigned address = 0; address < 8192; address += 8) {
    std::vector<uint16_t> words;
    for (unsigned k = 0; k < 8; ++k) {
      const unsigned r = next();
      if (k == 7) {
        // A CALL or GOTO into the same page.
        words.push_back(static_cast<uint16_t>(0x2000 | (r & 0x0FFF)));
      } else {
        words.push_back(static_cast<uint16_t>(r & 0x3FFF));
      }
    }
    lines.push_back(WordRecord(address, words));
  }
  lines.push_back(WordRecord(0x2007, {0x3F72}));
  // EEPROM bytes sit one to a word from word address 0x2100 (byte 0x4200).
  for (unsigned byte = 0; byte < 256; byte += 8) {
    std::vector<uint16_t> words;
    for (unsigned k = 0; k < 8; ++k) words.push_back(static_cast<uint16_t>(byte + k));
    lines.push_back(WordRecord(0x2100 + byte, words));
  }
  lines.push_back(EndRecord());
  return lines;
}

/// Puts `lines` in the line store as the open command would, and sets
/// `HexLineCount`. Returns false if the store cannot hold them all.
inline bool LoadLines(SharedState& state, const std::vector<std::string>& lines) {
  ResetLineStore(state);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!StoreLine(state, static_cast<int>(i), lines[i]).ok()) return false;
  }
  state.HexLineCount = static_cast<int16_t>(lines.size()) - 1;
  return true;
}

}  // namespace tessarin::testing
