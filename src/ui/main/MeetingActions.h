#pragma once
// The main window's meeting entries: 開催ﾃﾞｰﾀ (W1, ToolBtn1), 開催ﾃﾞｰﾀ修正 (S1) and
// 開催ﾃﾞｰﾀ削除 (F1). Each closes the race window before it changes the ledger and leaves
// the main window showing the new, edited or remaining meeting.
namespace tovra {

class TMainForm;

void kaisaiTouroku(TMainForm& main);  // registration dialog, then the day or the series
void kaisaiShusei(TMainForm& main);   // edit dialog on the shown meeting, then the edit
void kaisaiSakujyo(TMainForm& main);  // the two questions, then the deletion

}  // namespace tovra
