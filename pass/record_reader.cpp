#include "pass/record_reader.h"

#include <string>

namespace tessarin {

Status LineFailure(int index, std::string_view cause) {
  return Status::Failure("line " + std::to_string(index + 1) + ": " + std::string(cause));
}

}  // namespace tessarin
