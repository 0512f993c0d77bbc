#pragma once
// The 馬単, 3連複 and 3連単 lines of one race while the purchase dialog is open: the
// store's lines as the dialog found them, with the lines added and deleted since, kept
// apart until 登録 applies them to the store (ｷｬﾝｾﾙ simply drops them). Every line added
// is checked against the race at once, so a refusal comes when the line is picked.
#include <string>
#include <vector>

#include "domain/bet_points.hpp"
#include "storage/bet_store.hpp"
#include "storage/outcome.hpp"
#include "storage/records.hpp"

namespace tovra {

namespace msg {
// 削除 with no line selected (the same words as the old types' pages).
inline constexpr const char* kLineToDelete = "削除する馬券を選択して下さい。";
}  // namespace msg

// A line as the purchase pages list it, the method and sets above the points and cost:
// "ﾌｫｰﾒｰｼｮﾝ 1,2 / 1,2,3,4 / 1,2,3,4,5,6\n  24点 ・ 合計 2,400円".
std::string purchaseLineText(const PurchaseLine& line, int points);

class PendingLines {
 public:
  // The race's lines as the store holds them, in the order bought.
  explicit PendingLines(const std::vector<StoredLine>& stored);

  // The lines of one type shown now, in the order bought (new lines after the stored ones).
  std::vector<std::string> texts(NewBetType type) const;
  // Adds a line after checking it against the race's card: its points, or the refusal.
  Result<int> add(const PurchaseLine& line, const RaceRecord& race);
  // Removes the `row`-th (0-based) line of `type` shown; -1 (nothing selected) and rows
  // beyond the list are refused.
  Status remove(NewBetType type, int row);
  // Whether anything was added or deleted.
  bool changed() const;
  // Writes the changes: the deleted stored lines first (from the last, so that the store's
  // numbering of the others holds), then the new lines in the order added. Stops at the
  // first step the store refuses and returns that refusal (the steps before it stay done).
  Status apply(BetStore& store, const RaceKey& key, const RaceRecord& race) const;

 private:
  struct Entry {
    PurchaseLine line;
    int points = 0;
    int storedAt = 0;  // 1-based place among the store's lines of the race; 0 for a new line
    bool deleted = false;
  };
  std::vector<Entry> entries_;
};

}  // namespace tovra
