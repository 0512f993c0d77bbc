#pragma once
// The main window's meeting entries: 開催ﾃﾞｰﾀ (W1, ToolBtn1), 開催ﾃﾞｰﾀ修正 (S1) and
// 開催ﾃﾞｰﾀ削除 (F1). Each closes the race window before it changes the ledger and leaves
// the main window showing the new, edited or remaining meeting.
namespace tovra {

class MainWindow;

void runMeetingRegistration(MainWindow& main);  // registration dialog, then the day or the series
void runMeetingEdit(MainWindow& main);          // edit dialog on the shown meeting, then the edit
void runMeetingDeletion(MainWindow& main);      // the two questions, then the deletion

}  // namespace tovra
