#pragma once
// How an operation that can fail says how it went, everywhere in the game: ok, or the reason
// in words fit to show the player or write to the log. Result<T> carries the value as well.
// Nothing of ours throws; a failure travels back as one of these to where it is shown.
// A failure may also carry a code (the file layer's: an errno or one of its own reasons), for
// the callers that choose what to say or do by the cause: a missing file, a full disk.
#include <optional>
#include <string>
#include <utility>

namespace qv {

class [[nodiscard]] Status {
 public:
  Status() = default;  // ok

  bool ok() const { return !failed_; }
  // The reason of a failure (empty when ok).
  const std::string& message() const { return message_; }
  // The cause as a code, when the failure gave one (0 when ok or when it gave none).
  int code() const { return code_; }

 private:
  friend Status Failure(std::string message, int code);
  bool failed_ = false;
  int code_ = 0;
  std::string message_;
};

// A failed Status with its reason (and its cause as a code, for those that have one).
inline Status Failure(std::string message, int code = 0) {
  Status s;
  s.failed_ = true;
  s.code_ = code;
  s.message_ = std::move(message);
  return s;
}

// A value, or the failure that kept it from being made.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
  // From a failed Status (an ok one stands for a failure without words).
  Result(Status failure)  // NOLINT(google-explicit-constructor)
      : status_(failure.ok() ? Failure("") : std::move(failure)) {}

  bool ok() const { return value_.has_value(); }
  const std::string& message() const { return status_.message(); }
  int code() const { return status_.code(); }
  const Status& status() const { return status_; }

  T& value() { return *value_; }
  const T& value() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace qv
