#pragma once
// The messages of the imports and the folder settings (UTF-8; boxes titled "確認").
namespace tovra::msg {

// Folder settings.
inline constexpr const char* kFolderChars = "ﾌｫﾙﾀﾞ名に登録出来ない文字が含まれています。";
inline constexpr const char* kFolderLength = "ﾌｫﾙﾀﾞ名は 1022ﾊﾞｲﾄ までです。";

// The search popup.
inline constexpr const char* kSearching = "ﾃﾞｰﾀﾌｧｲﾙ検索中 !!!\nしばらくお待ち下さい。";

// JRA-VAN.
inline constexpr const char* kJravanNotFound = "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\nﾌｧｲﾙが見つかりません。";
inline constexpr const char* kJravanWrongKind = "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\nﾌｧｲﾙの種類が違います。";
inline constexpr const char* kJravanNoMatch =
    "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n表示されている開催ﾃﾞｰﾀに一致するﾌｧｲﾙが見つかりません。";
inline constexpr const char* kJravanNoFolder =
    "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n自動検索させるﾌｫﾙﾀﾞが設定されていません。\n読み込み機能設定でﾌｫﾙﾀﾞを設定して下さい。";
inline constexpr const char* kJravanNothingRead =
    "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n表示されている開催ﾃﾞｰﾀのﾚｰｽは読み込めませんでした。";
inline constexpr const char* kItemsBrokenImport = "ﾚｰｽ項目に異常がありました。\n\n%dR\n\n登録を中止します。";
// An archive that cannot be unpacked safely (damaged, or a member named with a path).
inline constexpr const char* kArchiveDamaged =
    "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n圧縮ﾌｧｲﾙ %s が壊れているため解凍出来ません。\nこのﾌｧｲﾙは読み込みません。";
// An archive with more members (files and folders) than a JRA-VAN archive holds: the
// file and the limit (kLhaMaxMembers) named.
inline constexpr const char* kArchiveTooMany =
    "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n圧縮ﾌｧｲﾙ %s には %d 個を超えるﾌｧｲﾙが含まれています。\nJRA-VANﾃﾞｰﾀの圧縮ﾌｧｲﾙではないため解凍しません。\nこのﾌｧｲﾙは読み込みません。";
inline constexpr const char* kArchiveUnsafe =
    "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n圧縮ﾌｧｲﾙ %s にﾌｫﾙﾀﾞ外を指すﾌｧｲﾙ名が含まれているため解凍しません。\nこのﾌｧｲﾙは読み込みません。";

// NIFTY.
inline constexpr const char* kNiftyNotFound = "NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\nﾌｧｲﾙが見つかりません。";
inline constexpr const char* kNiftyNoMatch =
    "NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n表示されている開催ﾃﾞｰﾀに一致するﾌｧｲﾙが見つかりません。";
inline constexpr const char* kNiftyMismatch =
    "NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n指定されたﾌｧｲﾙは表示されている開催ﾃﾞｰﾀと一致しないか、\nﾌｧｲﾙの内容に不具合があります。\n読み込みを中止します";
inline constexpr const char* kNiftyNoFolder =
    "NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n自動検索させるﾌｫﾙﾀﾞが設定されていません。\n読み込み機能設定でﾌｫﾙﾀﾞを設定して下さい。";
inline constexpr const char* kNiftyNothingRead =
    "NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み：\n\n表示されている開催ﾃﾞｰﾀのﾚｰｽは読み込めませんでした。";

// PAT.
inline constexpr const char* kPatNotInstalled[4] = {
    "",
    "PAT for Win ( WINDOWS 3.1用 )がインスト－ルされている\nﾌｫﾙﾀﾞではありません。\nPAT環境の設定を確認して下さい。",
    "PAT for Win95 ( WINDOWS 95用 )がインスト－ルされている\nﾌｫﾙﾀﾞではありません。\nPAT環境の設定を確認して下さい。",
    "PAT for Win98/95 ( WINDOWS 98/95用 )がインスト－ルされている\nﾌｫﾙﾀﾞではありません。\nPAT環境の設定を確認して下さい。",
};
inline constexpr const char* kPatIndexMissingDos =
    "PAT購入馬券ﾃﾞｰﾀ読み込み：\n\nPATの購入馬券ﾃﾞｰﾀﾌｧｲﾙが見つかりません。\nPAT環境の設定を確認して下さい";
inline constexpr const char* kPatIndexMissing = "PAT購入馬券ﾃﾞｰﾀ読み込み：\n\nPATの購入馬券ﾃﾞｰﾀﾌｧｲﾙが見つかりません。";
inline constexpr const char* kPatDos = "DOS版のPATには対応していません。";
inline constexpr const char* kPatNoResultFiles = "PAT競走成績ﾃﾞｰﾀ読み込み：\n\nPATの競走成績ﾃﾞｰﾀﾌｧｲﾙが見つかりません。";
inline constexpr const char* kPatNoEntryFiles = "PAT出馬表ﾃﾞｰﾀ読み込み：\n\nPATの出馬表ﾃﾞｰﾀﾌｧｲﾙが見つかりません。";
inline constexpr const char* kPatNoFolder =
    "PATﾃﾞｰﾀ読み込み：\n\nPATがｲﾝｽﾄｰﾙされているﾌｫﾙﾀﾞが設定されていません。\n読み込み機能設定でﾌｫﾙﾀﾞを設定して下さい。";
inline constexpr const char* kPatNothingRead = "PATﾃﾞｰﾀ読み込み：\n\n表示されている開催ﾃﾞｰﾀは読み込めませんでした。";
inline constexpr const char* kPatNoPurchases = " 読み込む購入馬券ﾃﾞｰﾀがありません。";
inline constexpr const char* kPatNoResults = " 読み込む競走成績ﾃﾞｰﾀがありません。";
inline constexpr const char* kPatNoEntries = " 読み込む出馬表ﾃﾞｰﾀがありません。";

}  // namespace tovra::msg
