#include "files/image_fit.h"

#include "files/hex_file.h"
#include "pass/record_reader.h"
#include "symbolic/symbolic_words.h"

namespace tessarin {
namespace {

// How many parts that hold the image a message names.
constexpr size_t kPartsNamed = 5;

// Where the image holds words, read as far as any 14-bit part reaches, so
// that those past the chosen part's chip, where the pass stops, count too:
// which parts hold an image depends on where its words are, not on what
// they are.
ImageFit Check(const SharedState& store, const Processor& processor) {
  const ProgramImage image = LoadedAddresses(store, kWordAddressCount);
  ImageFit fit{&processor, FindMisfits(image, processor), {}};
  if (!fit.misfits.empty()) fit.fitting = PartsThatFit(image, processor, kPartsNamed);
  return fit;
}

}  // namespace

ImageFit CheckImageFit(const SharedState& state) { return Check(state, ChosenProcessor(state)); }

ImageFit CheckHexFileFit(const std::string& path, const SharedState& state) {
  const Result<std::string> text = ReadHexFile(path);
  SharedState scratch;
  if (!text.ok() || !FillLineStore(scratch, *text).ok()) return {};
  return Check(scratch, ChosenProcessor(state));
}

}  // namespace tessarin
