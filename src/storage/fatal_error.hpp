#pragma once
// A ledger file that cannot be opened ends the program with a numbered message.
// It is thrown from the data layer and caught only at the top of each program.
#include <stdexcept>
#include <string>

namespace tovra {

class FatalFileError : public std::runtime_error {
 public:
  FatalFileError(int code, std::string path);
  int code() const { return code_; }
  const std::string& path() const { return path_; }
  // "ﾌｧｲﾙ操作に異常が発生しました。\n\nNO.%d\n%s\n\nﾌﾟﾛｸﾞﾗﾑを強制終了します。" in UTF-8.
  std::string message() const;

 private:
  int code_;
  std::string path_;
};

}  // namespace tovra
