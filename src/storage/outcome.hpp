#pragma once
// What an operation ends with: its value, the refusal the user is shown instead (the
// operation changed nothing), or the file that could not be read or written. Operations
// never talk to the user themselves; the window or the command that ran one shows the
// refusal, or stops with the numbered file error.
#include <string>
#include <utility>
#include <variant>

#include "storage/user_port.hpp"

namespace tovra {

// A file that could not be read or written: the number of the fatal file errors (3 read
// meeting, 4 write meeting, 5 read races, 6 write races, 2 count meetings, ...) and the
// logical path of the file.
struct FileFailure {
  int code = 0;
  std::string path;
};

// Why an operation did nothing: the message box family and its text (UTF-8), shown as
// the message "確認" of that family.
struct Refusal {
  MsgIcon icon = MsgIcon::Error;
  std::string text;
};

// The value of an operation that has none to give.
struct Done {};

// A value, or the refusal or failure that stopped its operation.
template <class T>
class Result {
 public:
  Result(T value) : v_(std::move(value)) {}    // NOLINT: implicit, as std::expected
  Result(FileFailure f) : v_(std::move(f)) {}  // NOLINT
  Result(Refusal r) : v_(std::move(r)) {}      // NOLINT
  explicit operator bool() const { return v_.index() == 0; }
  bool refused() const { return v_.index() == 2; }
  bool failed() const { return v_.index() == 1; }
  const T& operator*() const { return std::get<0>(v_); }
  T& operator*() { return std::get<0>(v_); }
  const T* operator->() const { return &std::get<0>(v_); }
  T* operator->() { return &std::get<0>(v_); }
  const FileFailure& failure() const { return std::get<1>(v_); }
  const Refusal& refusal() const { return std::get<2>(v_); }

 private:
  std::variant<T, FileFailure, Refusal> v_;
};

using Status = Result<Done>;

// The refusal as its message box: "確認" with the refusal's icon and an OK button.
inline void showRefusal(UserPort& port, const Refusal& r) { port.message("確認", r.text, r.icon); }

}  // namespace tovra
