#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tessarin {

/// The outcome of a command that can fail: success, or a failure with a
/// readable cause. The core never throws; callers look at this instead.
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

/// The outcome of a step that makes a value: the value, or the failure that
/// kept it from being made.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: a value is a success
  /// `failure` must not be ok.
  Result(Status failure) : status_(std::move(failure)) {}  // NOLINT: so is a failure

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  const std::string& message() const { return status_.message(); }

  /// The value; only when ok().
  const T& operator*() const& { return *value_; }
  T& operator*() & { return *value_; }
  T&& operator*() && { return *std::move(value_); }
  const T* operator->() const { return &*value_; }

  /// Holds `value`.
  friend bool operator==(const Result& result, const T& value) {
    return result.ok() && *result == value;
  }

 private:
  Status status_ = Status::Ok();
  std::optional<T> value_;
};

}  // namespace tessarin
