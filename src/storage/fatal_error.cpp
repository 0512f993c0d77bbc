#include "storage/fatal_error.hpp"

#include "storage/text.hpp"

namespace tovra {

FatalFileError::FatalFileError(int code, std::string path)
    : std::runtime_error("fatal file error " + std::to_string(code) + ": " + path),
      code_(code),
      path_(std::move(path)) {}

std::string FatalFileError::message() const {
  std::string s =
      sjprintf("ﾌｧｲﾙ操作に異常が発生しました。\n\nNO.%d\n%s\n\nﾌﾟﾛｸﾞﾗﾑを強制終了します。", code_, sj(path_).c_str());
  // The message box text holds at most 255 characters.
  return cp932ToUtf8(cutCp932(s, 255));
}

}  // namespace tovra
