#include "files/commands.h"

#include <filesystem>
#include <string>

#include "files/open_hex_file.h"
#include "files/replace_check.h"
#include "files/source_writer.h"
#include "pass/assembler.h"
#include "processors/processor.h"
#include "symbolic/symbolic_words.h"
#include "ui/file_io.h"
#include "zones/companion_file.h"
#include "zones/zone_list.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kInvalidFileName = "Nom de fichier invalide !";
constexpr std::string_view kPassFailed = "Fichier HEX incorrect : désassemblage interrompu !";
// Option bits the dialog object keeps after its first showing: the file must
// exist (0x1000), the working folder stays (0x8), no read-only box (0x4).
constexpr int kDialogFlags = 0x100C;
constexpr int kFileMustExist = 0x1000;

void ShowMessage(Toolkit& toolkit, std::string_view text) {
  toolkit.message_box.Show(text, kAppTitle);
}

void ShowWriteError(Toolkit& toolkit, const std::string& file_name) {
  ShowMessage(toolkit, "Erreur d'écriture du fichier " + file_name + " !");
}

// What every dialog command does once its dialog has closed: the next
// showing reports a Cancel as such and runs with the usual options.
bool AfterShowing(DialogState& dialog) {
  const bool cancel_was_reported = dialog.CancelError;
  dialog.CancelError = true;
  dialog.Flags = kDialogFlags;
  return cancel_was_reported;
}

// Writes the source, then the companion file; says which one failed. A file
// that this tool did not write is replaced only when the user agrees; when
// the user does not, nothing is written at all. True when both were written.
bool WriteSourceAndZones(SharedState& state, Toolkit& toolkit, const fs::path& source_path,
                         const std::string& source_name) {
  const std::string& title = state.CommonDialog1.FileTitle;
  const fs::path zone_path = CompanionFilePath(state.WorkingFolder, title);
  if (!MayReplace(toolkit.message_box, source_path, zone_path, state.HexFile,
                  state.List4.Items())) {
    return false;
  }
  if (!WriteFileAtomically(source_path, GeneratedSource(state.List1)).ok()) {
    ShowWriteError(toolkit, source_name);
    return false;
  }
  if (!SaveZoneFile(state, state.WorkingFolder, title).ok()) {
    ShowWriteError(toolkit, CompanionFileName(title).value_or(title));
    return false;
  }
  return true;
}

// Why the pass stopped, in the window's words.
std::string_view PassFaultText(PassFault fault) {
  switch (fault) {
    case PassFault::kFileTooBig:
      return "plus de 16 Mo";
    case PassFault::kTooManyLines:
      return "plus de 10 001 lignes";
    case PassFault::kAddressTooHigh:
      return "adresse de chargement au-delà des adresses de mots sur 16 bits";
    case PassFault::kBeyondChip:
      return "adresse hors de la puce";
  }
  return {};
}

void ShowPassFailed(Toolkit& toolkit, const PassFailure& failure) {
  std::string cause(PassFaultText(failure.fault));
  if (failure.line > 0) cause = "ligne " + std::to_string(failure.line) + " : " + cause;
  ShowMessage(toolkit, std::string(kPassFailed) + " (" + cause + ")");
}

bool RunPass(SharedState& state, Toolkit& toolkit) {
  const PassStatus pass = Assembler(state, toolkit.yield, toolkit.clock);
  if (!pass.ok()) ShowPassFailed(toolkit, pass.failure());
  return pass.ok();
}

// The key under which the part chosen for the HEX file at `path` is kept.
std::string PartKey(const fs::path& path) {
  std::error_code error;
  const fs::path full = fs::absolute(path, error);
  return (error ? path : full).lexically_normal().string();
}

// The part last chosen for the file at `path`, when the user's settings
// name one this program knows.
const Processor* RememberedPart(Toolkit& toolkit, const std::string& path) {
  const std::string part = toolkit.parts.PartFor(PartKey(path));
  return part.empty() ? nullptr : FindProcessor(part);
}

}  // namespace

OpenResult OpenCommand(SharedState& state, Toolkit& toolkit) {
  DialogState& dialog = state.CommonDialog1;
  const FileDialog::Choice choice =
      toolkit.dialog.ShowOpen(state.WorkingFolder.string(), (dialog.Flags & kFileMustExist) != 0);
  AfterShowing(dialog);
  if (choice.outcome != FileDialog::Outcome::kChosen) {
    // A cancel at the first showing leaves no name to open, a later one is
    // reported as a cancel: either way nothing is opened.
    ShowMessage(toolkit, kInvalidFileName);
    return {};
  }
  return OpenChosenFile(state, toolkit, choice.path);
}

OpenResult OpenChosenFile(SharedState& state, Toolkit& toolkit, const std::string& path) {
  // The file is listed for its own part; a failed open leaves the part
  // chosen before, with everything else of the file loaded before.
  const std::string chosen_before = state.ProcessorName;
  if (const Processor* remembered = RememberedPart(toolkit, path)) {
    state.ProcessorName = remembered->name;
  }
  const OpenOutcome opened = OpenHexFile(state, path, ZoneSource{}, toolkit.yield, toolkit.clock);
  if (opened.step == OpenStep::kReadHex) {
    state.ProcessorName = chosen_before;
    ShowMessage(toolkit, kInvalidFileName);
    return {};
  }
  if (!opened.ok()) {
    ImageFit fit = CheckHexFileFit(path, state);
    state.ProcessorName = chosen_before;
    ShowPassFailed(toolkit, opened.pass_failure);
    return {false, std::move(fit)};
  }
  state.Caption = std::string(kAppTitle) + " [" + state.CommonDialog1.FileTitle + "]";
  return {true, CheckImageFit(state)};
}

std::optional<std::string> SourceFileName(const SharedState& state) {
  std::optional<std::string> name = BaseName(state.CommonDialog1.FileTitle);
  if (name) *name += ".asm";
  return name;
}

bool SaveCommand(SharedState& state, Toolkit& toolkit) {
  const std::optional<std::string> source_name = SourceFileName(state);
  if (!source_name) {
    ShowMessage(toolkit, kInvalidFileName);
    return false;
  }
  return WriteSourceAndZones(state, toolkit, state.WorkingFolder / *source_name, *source_name);
}

bool SaveAsCommand(SharedState& state, Toolkit& toolkit) {
  DialogState& dialog = state.CommonDialog1;
  const std::optional<std::string> proposed = SourceFileName(state);
  if (proposed) dialog.FileName = (state.WorkingFolder / *proposed).string();

  const FileDialog::Choice choice = toolkit.dialog.ShowSave(dialog.FileName);
  const bool cancel_reported = AfterShowing(dialog);
  if (choice.outcome == FileDialog::Outcome::kCancelled && cancel_reported) return false;
  if (choice.outcome == FileDialog::Outcome::kChosen) dialog.Remember(choice.path);
  // Without a name to propose there was nothing to save under; a cancel of a
  // first showing is not reported as one and falls here too.
  if (!proposed || choice.outcome != FileDialog::Outcome::kChosen) {
    ShowMessage(toolkit, kInvalidFileName);
    return false;
  }
  return WriteSourceAndZones(state, toolkit, dialog.FileName, dialog.FileName);
}

void ReassembleCommand(SharedState& state, Toolkit& toolkit) { RunPass(state, toolkit); }

void ChooseListingCommand(SharedState& state, Toolkit& toolkit, ListingStyle style) {
  state.Style = style;
  RunPass(state, toolkit);
}

ImageFit ProcessorCommand(SharedState& state, Toolkit& toolkit) {
  const std::optional<std::string> chosen =
      toolkit.processor_choice.Show(ChosenProcessor(state).name);
  const Processor* part = chosen ? FindProcessor(*chosen) : nullptr;
  if (part == nullptr) return {};
  state.ProcessorName = part->name;
  const bool listed = RunPass(state, toolkit);
  // Before any open there is no file to remember the part for.
  if (state.HexFile.empty()) return {};
  if (listed) toolkit.parts.Remember(PartKey(state.HexFile), part->name);
  return CheckImageFit(state);
}

}  // namespace tessarin
