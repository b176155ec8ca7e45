#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "flow/flow_analysis.h"
#include "flow/program_image.h"

namespace tessarin {

/// What the symbolic listing tells about the word at `address` in a
/// comment: on a line with a label (`labelled`), the addresses of the CALL
/// and GOTO words that jump to it ("from 0012 0030", at most eight, then
/// "+N"); on the first word of a run of unreached code, that the vectors do
/// not reach it. Empty when there is nothing to tell.
std::string CrossReferenceComment(const ProgramImage& image, const FlowAnalysis& flow, int address,
                                  bool labelled);

/// `text` with `comment` appended as an assembler comment: after the
/// comment `text` already has, or after a TAB and "; ". An empty comment
/// leaves `text` as it is.
std::string WithComment(std::string text, const std::string& comment);

/// `WithComment` on the text that starts at `text_start` in `line`, in place.
void AppendComment(std::string& line, size_t text_start, std::string_view comment);

}  // namespace tessarin
