#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/app_title.h"
#include "ui/text_list.h"

namespace tessarin {

/// What the one file dialog object, shared by open and save-as, remembers
/// between showings.
struct DialogState {
  /// Full path of the file last chosen.
  std::string FileName;
  /// That file's name without its folder.
  std::string FileTitle;
  /// Set after the first showing: from then on a Cancel is reported as such.
  bool CancelError = false;
  /// Option bits set after the first showing (0x100C: file must exist, keep
  /// the working folder, no read-only box); 0 before it.
  int Flags = 0;

  /// Remembers `path` as the file last chosen.
  void Remember(const std::string& path) {
    FileName = path;
    FileTitle = std::filesystem::path(path).filename().string();
  }
};

/// How the listing writes each word: as it always has, or as source that
/// gpasm assembles back to the same image, with names for the chosen processor.
enum class ListingStyle : uint8_t { kClassic, kSymbolic };

/// The working state that the main window owns for its whole life and that
/// every command takes by reference. Texts that come from or go to files
/// (HEX lines, listing lines, zone texts) are bytes of the Windows-1252 code
/// page; the window converts them only to show them.
struct SharedState {
  /// The lines of the opened HEX file, each cut or extended to 255 characters.
  /// At most 10,001 lines are held; the store is empty before the first open.
  std::vector<std::string> HexLines;
  /// Index of the last line read: the number of lines read minus one.
  int16_t HexLineCount = -1;
  /// Set when the file read was larger than any HEX file of 10,001 lines can
  /// be; the store then holds nothing and the pass refuses to run.
  bool HexFileTooBig = false;

  /// Word address of the word being decoded; picks the page of branch labels.
  int16_t CurrentAddress = 0;
  /// 1 while the pass collects branch targets, 2 while it writes the listing.
  uint8_t PassNumber = 0;
  /// Warning left by a register or STATUS-bit lookup that found no name.
  std::string NameWarning;

  TextList List1{false};  ///< the listing
  TextList List2{true};   ///< branch targets, then the labels still to place
  TextList List3{true};   ///< the label list
  TextList List4{true};   ///< the data-zone list
  TextList List5{false};  ///< the new listing while zones are applied
  TextList List6{false};  ///< the zones applied during that run

  /// The style of the listing that the pass writes.
  ListingStyle Style = ListingStyle::kClassic;
  /// The processor a symbolic listing is for, in any form the processor
  /// lookup reads ("16F876", "p16f877a"); an unknown name reads as 16F876.
  std::string ProcessorName = "16F876";

  /// The main window's caption.
  std::string Caption{kAppTitle};
  /// The file dialog object.
  DialogState CommonDialog1;
  /// The folder of the HEX file last opened. File names without a folder
  /// (the companion file, the quick-save source) are resolved here.
  std::filesystem::path WorkingFolder;
  /// The HEX file last opened, which no save may replace unasked.
  std::filesystem::path HexFile;
};

}  // namespace tessarin
