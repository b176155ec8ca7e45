// Placeholders until the file commands land.
#include "files/commands.h"

#include "pass/assembler.h"

namespace tessarin {

void OpenCommand(SharedState&, Toolkit&) {}
void SaveCommand(SharedState&, Toolkit&) {}
void SaveAsCommand(SharedState&, Toolkit&) {}
void ReassembleCommand(SharedState& state, Toolkit& toolkit) {
  if (!Assembler(state, toolkit.yield, toolkit.clock).ok()) {
    toolkit.message_box.Show(kPassFailedMessage, kAppTitle);
  }
}

}  // namespace tessarin
