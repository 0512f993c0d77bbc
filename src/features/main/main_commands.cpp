#include "features/main/main_commands.hpp"

#include <algorithm>

namespace tovra {

namespace {

constexpr MainCommand kCommands[] = {
    // 登録
    {"W1", 1, false, true},
    {"JRAVAN1", 2, true, true},
    {"JvData1", 0, true, true},
    {"NIFTY1", 3, true, true},
    {"PAT1", 4, true, true},
    {"Win5Item", 0, true, true},  // WIN5 of the day shown
    // 修正: the whole menu needs a meeting day.
    {"N1", 0, true, true},
    {"S1", 0, true, true},
    {"D1", 5, true, true},
    {"F1", 0, true, true},
    // 集計
    {"X1", 6, false, true},
    {"C1", 7, false, true},
    {"V1", 8, false, true},
    {"B1", 9, false, true},
    {"N13", 0, false, true},
    {"Graph1", 0, false, true},
    // 検索
    {"U1", 10, false, true},
    {"I1", 11, false, true},
    {"O1", 12, false, true},
    {"P1", 13, false, true},
    // 設定
    {"N5", 0, false, true},
    {"N15", 0, false, true},
    // その他
    {"Print1", 14, true, true},
    {"M1", 0, false, true},
    // ﾍﾙﾌﾟ
    {"Help2", 15, false, true},
    {"About1", 0, false, true},
    // トヴラ終了 (tool button only)
    {"ToolBtn16", 16, false, true},
    // The row menu opens only over a meeting day's row.
    {"Popm1", 0, false, true},
    {"Popm2", 0, false, true},
    {"Popm3", 0, false, true},
    {"Popm4", 0, false, true},
    {"KensakuBtn", 0, false, true},
};

}  // namespace

std::span<const MainCommand> mainCommands() { return kCommands; }

const MainCommand* findMainCommand(std::string_view name) {
  const auto it =
      std::find_if(std::begin(kCommands), std::end(kCommands), [&](const MainCommand& c) { return name == c.name; });
  return it == std::end(kCommands) ? nullptr : &*it;
}

CommandState commandState(const MainCommand& c, bool hasMeeting) {
  const bool meetingOk = !c.needsMeeting || hasMeeting;
  return {c.built && meetingOk, meetingOk};
}

}  // namespace tovra
