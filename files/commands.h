#pragma once

#include <optional>
#include <string>

#include "files/image_fit.h"
#include "ui/services.h"
#include "ui/shared_state.h"

namespace tessarin {

/// What an open came to: whether the file was opened, and what of its image
/// the part it was listed for cannot hold (also when the pass stopped past
/// that part's chip).
struct OpenResult {
  bool opened = false;
  ImageFit fit;
};

/// "&Ouvrir": lets the user choose a HEX file, reads it into the line store,
/// names it in the caption, loads its zones and runs the pass, for the part
/// last chosen for that file (`toolkit.parts`) if there is one, else for the
/// chosen processor. All or nothing: a cancelled or failed choice shows "Nom
/// de fichier invalide !", a file the pass cannot list to the end shows why,
/// and either way everything, the chosen processor included, still belongs
/// to the file loaded before.
OpenResult OpenCommand(SharedState& state, Toolkit& toolkit);

/// What "&Ouvrir" does once the file at `path` is chosen: a file named on the
/// command line or dropped on the window opens the same way.
OpenResult OpenChosenFile(SharedState& state, Toolkit& toolkit, const std::string& path);

/// The name of the source "&Enregistrer" writes: the file last chosen
/// without its extension, and ".asm"; nothing before a file is chosen.
std::optional<std::string> SourceFileName(const SharedState& state);

/// "&Enregistrer": writes the source and the companion file under the names
/// derived from the file last chosen, in the working folder. Either save asks
/// once before it replaces a file this tool did not write (see
/// `MayReplace`); "Non" writes nothing. True when both files were written.
bool SaveCommand(SharedState& state, Toolkit& toolkit);

/// "&Enregistrer sous ...": lets the user choose the source file, then writes
/// it and the companion file. True when both files were written.
bool SaveAsCommand(SharedState& state, Toolkit& toolkit);

/// "Ré-assembler": runs the pass again, reporting a failure.
void ReassembleCommand(SharedState& state, Toolkit& toolkit);

/// "Listing symbolique": takes the listing style, then runs the pass again as
/// "Ré-assembler" does.
void ChooseListingCommand(SharedState& state, Toolkit& toolkit, ListingStyle style);

/// "&Processeur": lets the user choose a part. The part chosen becomes the
/// chosen processor and the pass runs again as "Ré-assembler" does; once it
/// has listed the opened file to the end, the part is remembered for that
/// file (`toolkit.parts`). A cancel changes nothing. Returns the fit of the
/// image for the part chosen (nothing checked after a cancel or before any
/// open).
ImageFit ProcessorCommand(SharedState& state, Toolkit& toolkit);

}  // namespace tessarin
