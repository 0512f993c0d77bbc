#pragma once
// The commands of the main window in one table: every menu entry, tool button, row-menu
// entry and the search button, with the tool button doing the same as an entry, whether
// it needs a meeting day on screen, and whether its feature is in the program yet.
// A feature that is wired into the main window turns `built` on in its row here.
#include <span>
#include <string_view>

namespace tovra {

struct MainCommand {
  const char* name;   // objectName of the menu entry, menu, row-menu entry or button
  int toolBtn;        // ToolBtn1..16 that does the same (0: none)
  bool needsMeeting;  // disabled, and its tool button hidden, while the course has no meeting day
  bool built;         // its feature is in the program (otherwise shown disabled)
};

// Every command, menus in their menu order, then the row menu and the search button.
// ToolBtn16 (exit) stands alone; the 修正 menu N1 as a whole needs a meeting day.
std::span<const MainCommand> mainCommands();

// The row of a command or nullptr.
const MainCommand* findMainCommand(std::string_view name);

// What the main window does with a command's controls for the meeting day on screen.
struct CommandState {
  bool enabled;      // menu entry, menu or button usable
  bool toolVisible;  // its tool button shown
};
CommandState commandState(const MainCommand& c, bool hasMeeting);

}  // namespace tovra
