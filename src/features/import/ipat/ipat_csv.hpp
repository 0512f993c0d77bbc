#pragma once
// The betting service's purchase history (投票履歴), one CSV file per day in CP932:
//   日付,受付番号,通番,場名,曜日,レース,式別,馬／組番,購入金額,的中／返還,払戻単価,払戻／返還金額
// data lines, and a trailer whose third column is 合計. The reader turns the bytes into
// checked lines (type, method, horse sets, stake, points) or refuses the whole file with
// a message naming the file and the line. Nothing here touches the ledger.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "domain/bet_points.hpp"
#include "domain/bet_types.hpp"
#include "storage/outcome.hpp"

namespace tovra {

// The eight types a line may hold, the five of the course files first.
enum class IpatType { Tan, Fuku, Waku, Uma, Wide, Umatan, Sanrenpuku, Sanrentan };
// The course files' type of the first five; none for the three of the bet store.
std::optional<BetType> ipatRecordType(IpatType t);
// The store's type of the last three; none for the five of the course files.
std::optional<NewBetType> ipatNewType(IpatType t);
const char* ipatTypeName(IpatType t);  // "単勝" ... "3連単" (UTF-8)

enum class IpatOutcome { None, Hit, Refund };  // ―, 的中, 返還

// One purchase line of the file.
struct IpatLine {
  int line = 0;  // 1-based line of the file
  int year = 0, month = 0, day = 0;
  std::string receipt;  // "受付番号-通番" as written
  int course = 0;       // 0..9
  int race = 1;         // 1..12
  IpatType type = IpatType::Tan;
  BetMethod method = BetMethod::Normal;
  // As PurchaseLine holds them (domain/bet_points.hpp); for the five types of the course
  // files sets[0] and sets[1] in the same manner (通常: the pick, ﾎﾞｯｸｽ: the members,
  // 流し: axis and partners, ﾌｫｰﾒｰｼｮﾝ: the two columns).
  std::array<std::vector<int>, 3> sets;
  bool multi = false;
  std::array<int, 2> places{1, 2};
  int stake = 0;  // per point, in 100 yen
  int points = 0;
  std::int64_t cost = 0;  // yen
  IpatOutcome outcome = IpatOutcome::None;
  std::vector<Combination> hits;  // the combinations of 的中, as written
  std::optional<std::int64_t> payout;  // 払戻単価, yen per 100 yen
  std::int64_t paid = 0;               // 払戻／返還金額, yen
  std::string typeText, numbersText;   // 式別 and 馬／組番 as written (UTF-8)
};

// A WIN5 line: five legs of horses and the stake.
struct IpatWin5 {
  int line = 0;
  int year = 0, month = 0, day = 0;
  std::string receipt;
  std::array<std::vector<int>, 5> legs;
  int stake = 0;  // per point, in 100 yen
  std::int64_t points = 0;
  std::int64_t cost = 0;
};

struct IpatFile {
  std::vector<IpatLine> lines;  // in file order
  std::vector<IpatWin5> win5;
  std::int64_t totalCost = 0;  // of every line, WIN5 included
  // The total the trailer states (none when its column is empty or "―"), and its line: a
  // total that differs from totalCost is told, not refused (a file cut down by hand to some
  // of its lines still reads).
  std::optional<std::int64_t> trailerTotal;
  int trailerLine = 0;
};

// Files larger than this are not a day's history.
inline constexpr std::size_t kIpatFileLimit = 4u << 20;

// Reads the file's bytes; `file` names it in the refusals.
Result<IpatFile> readIpatCsv(std::string_view cp932, const std::string& file);

// The points of a line: for the five types of the course files each point as
// {horse, 0, 0} or {a, b, 0} with a ≤ b (枠連 may pair a frame with itself), ascending; for
// the others as expandPoints gives them.
std::vector<Combination> ipatPoints(const IpatLine& l);
// A line of 馬単, 3連複 or 3連単 as the store buys it.
PurchaseLine ipatPurchaseLine(const IpatLine& l);

// The texts of a line as the preview shows them (UTF-8): "新潟11R", the method's name,
// the numbers as written.
std::string ipatRaceText(const IpatLine& l);
std::string ipatMethodText(const IpatLine& l);

namespace msg {
// "%1 の %2行目：" precedes every refusal of the reader (the file's path, the line).
inline constexpr const char* kIpatTooLarge = "投票履歴のﾌｧｲﾙとしては大きすぎます。";
inline constexpr const char* kIpatNoHeader = "見出しの行がありません。";
inline constexpr const char* kIpatBadHeader = "投票履歴(CSV)の見出しではありません。";
inline constexpr const char* kIpatColumns = "項目の数が 12ではありません。";
inline constexpr const char* kIpatDate = "日付が読めません。";
inline constexpr const char* kIpatReceipt = "受付番号・通番が読めません。";
inline constexpr const char* kIpatCourse = "場名が読めません。";
inline constexpr const char* kIpatRace = "レース番号が読めません。";
inline constexpr const char* kIpatType = "式別が読めません。";
inline constexpr const char* kIpatNumbers = "馬／組番が読めません。";
inline constexpr const char* kIpatFrameRange = "枠番は 1～8 で指定して下さい。";
inline constexpr const char* kIpatAmount = "購入金額が読めません。";
inline constexpr const char* kIpatAmountUnit = "購入金額は 100円単位で 1点 99999(00円) までです。";
inline constexpr const char* kIpatAmountTotal = "購入金額の合計が点数と合いません。";
inline constexpr const char* kIpatOutcome = "的中／返還が読めません。";
inline constexpr const char* kIpatPayout = "払戻単価・払戻金額が読めません。";
inline constexpr const char* kIpatNoTrailer = "合計の行がありません。ﾌｧｲﾙが途中で切れています。";
inline constexpr const char* kIpatAfterTrailer = "合計の行の後に行があります。";
inline constexpr const char* kIpatTrailerTotal = "合計の金額が各行の合計と合いません。";
}  // namespace msg

}  // namespace tovra
