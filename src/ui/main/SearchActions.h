#pragma once
// The main window's searches: ﾚｰｽ名検索 (U1, ToolBtn10), 重賞検索 (I1, ToolBtn11),
// ﾚｰｽ結果配当検索 (O1, ToolBtn12), ﾚｰｽ結果馬名検索 (P1, ToolBtn13) and 検索結果再表示
// (KensakuBtn). Each search dialog, when it closes with 検索開始, runs the search and shows
// the result list; going to a result shows its year, course, meeting day and race.
namespace tovra {

class MainWindow;

void runRaceNameSearch(MainWindow& main);
void runGradedStakesSearch(MainWindow& main);
void runPayoutSearch(MainWindow& main);
void runHorseNameSearch(MainWindow& main);
// The last result list; nothing happens when there is none.
void showStoredSearchResults(MainWindow& main);

}  // namespace tovra
