#pragma once

#include <string>
#include <utility>

namespace tessarin {

/// The outcome of a command that can fail: success, or a failure with a
/// readable message. The core never throws; callers look at this instead.
class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(); }
  static Status Failure(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !failed_; }
  const std::string& message() const { return message_; }

 private:
  Status() = default;
  explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}

  bool failed_ = false;
  std::string message_;
};

}  // namespace tessarin
