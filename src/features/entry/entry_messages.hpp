#pragma once
// The messages of the race entry dialogs (UTF-8; shown in boxes titled "確認").
namespace tovra::msg {

// Race items.
inline constexpr const char* kKyoriMissing = "距離を入力して下さい。";
inline constexpr const char* kKyoriTooLong = "距離が不適切です。";
inline constexpr const char* kItemsBroken = "ﾚｰｽ項目に異常がありました。\n\n%dR\n\n登録を中止します。";
inline constexpr const char* kItemsDelete = "ﾚｰｽ項目を削除します。";
inline constexpr const char* kRaceNameChars = "ﾚｰｽ名に登録出来ない文字が含まれています。";
inline constexpr const char* kRaceNameLength = "ﾚｰｽ名は 60ﾊﾞｲﾄ (全角 30文字) までです。";

// Tickets.
inline constexpr const char* kStakeMissing = "購入金額を入力して下さい。";
inline constexpr const char* kStakeTooLarge = "購入金額は 1点 21474836(00円) までです。";
inline constexpr const char* kTicketSelect = "削除する馬券を選択して下さい。";
inline constexpr const char* kHorsePairBad = "馬番の組み合わせが不適切です。";
inline constexpr const char* kPartnerWaku = "相手の枠番を入力して下さい。";
inline constexpr const char* kPartnerUma = "相手の馬番を入力して下さい。";
inline constexpr const char* kBoxWaku = "枠番を 3つ以上入力して下さい。";
inline constexpr const char* kBoxUma = "馬番を 3つ以上入力して下さい。";
inline constexpr const char* kHorseRange = "馬番は 1～18 で指定して下さい。";
inline constexpr const char* kWakuRange = "枠番は 1～8 で指定して下さい。";
inline constexpr const char* kTicketLimit = "登録出来る点数は %d点までです。";
inline constexpr const char* kNagashiOverflow =
    "登録してあるﾃﾞｰﾀが %d点を超えたので、全ての流し馬券を登録出来ませんでした。";
inline constexpr const char* kBoxOverflow =
    "登録してあるﾃﾞｰﾀが %d点を超えたので、全てのﾎﾞｯｸｽ馬券を登録出来ませんでした。";

// Tickets and results: a race's purchase and return are kept in signed 32-bit yen.
inline constexpr const char* kRaceMoneyTooLarge =
    "1ﾚｰｽの購入金額と回収金額は 2147483647円 までです。\n\n登録出来ません。";

// Tickets and results: the day's purchase and return (the sums of its twelve races) are kept
// in signed 32-bit yen as well.
inline constexpr const char* kDayMoneyTooLarge =
    "1日の購入金額と回収金額は 2147483647円 までです。\n\n登録出来ません。";

// Results.
inline constexpr const char* kPayoutMissing = "配当金額を入力して下さい。";
inline constexpr const char* kPayoutBad = "配当金額が不適切です。";
inline constexpr const char* kResultSelect = "削除する結果を選択して下さい。";
inline constexpr const char* kResultLimit = "登録出来る点数は %d点までです。";

// Comment.
inline constexpr const char* kCommentChars = "ｺﾒﾝﾄに登録出来ない文字が含まれています。";
inline constexpr const char* kCommentLength = "ｺﾒﾝﾄは全角で 60文字 (120ﾊﾞｲﾄ) までです。";

}  // namespace tovra::msg
