#include "storage/unexpected_error.hpp"

#include <new>

namespace tovra {

std::string unexpectedErrorMessage(const std::exception* e) {
  std::string cause = "原因不明";
  if (dynamic_cast<const std::bad_alloc*>(e))
    cause = "ﾒﾓﾘが不足しています。";
  else if (e)
    cause = e->what();
  return "処理中に異常が発生しました。\n\n" + cause + "\n\nﾌﾟﾛｸﾞﾗﾑを強制終了します。";
}

}  // namespace tovra
