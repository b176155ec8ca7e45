#include "cross_references/cross_references.h"

#include <span>

#include "ui/text_slice.h"

namespace tessarin {
namespace {

constexpr size_t kReferencesShown = 8;
constexpr uint16_t kErasedWord = 0x3FFF;

// Erased words are not code; a run of them is no dead code to point at.
bool StartsUnreachedCode(const ProgramImage& image, const FlowAnalysis& flow, int address) {
  if (address >= flow.ProgramWords() || !image.Has(address) || flow.Reached(address)) return false;
  if (image.Word(address) == kErasedWord) return false;
  return !image.Has(address - 1) || flow.Reached(address - 1);
}

}  // namespace

std::string CrossReferenceComment(const ProgramImage& image, const FlowAnalysis& flow, int address,
                                  bool labelled) {
  if (StartsUnreachedCode(image, flow, address)) return "not reached from the vectors";
  if (!labelled) return {};
  const std::span<const uint16_t> from = flow.ReferencesTo(address);
  if (from.empty()) return {};
  std::string comment = "from";
  for (size_t k = 0; k < from.size() && k < kReferencesShown; ++k) {
    comment += ' ';
    comment += FourHexDigits(from[k]);
  }
  if (from.size() > kReferencesShown) {
    comment += " +";
    comment += std::to_string(from.size() - kReferencesShown);
  }
  return comment;
}

void AppendComment(std::string& line, size_t text_start, std::string_view comment) {
  if (comment.empty()) return;
  line += line.find(';', text_start) == std::string::npos ? "\t; " : "; ";
  line.append(comment);
}

std::string WithComment(std::string text, const std::string& comment) {
  AppendComment(text, 0, comment);
  return text;
}

}  // namespace tessarin
