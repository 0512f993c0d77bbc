#pragma once
// The main window's import entries: JRA-VAN (JRAVAN1, ToolBtn2), NIFTY (NIFTY1,
// ToolBtn3), PAT (PAT1, ToolBtn4), the purchase history (IPAT1) and the folder settings
// (N5). Each import asks what to
// read, closes the race window, reads into the day shown, shows what it read for 登録
// or ｷｬﾝｾﾙ, and leaves the main window showing the day as stored.
namespace tovra {

class MainWindow;

void runJravanImport(MainWindow& main);
// JV-Data (JvData1): the RA, SE and HR records of a JRA-VAN Data Lab file.
void runJvDataImport(MainWindow& main);
void runNiftyImport(MainWindow& main);
void runPatImport(MainWindow& main);
// IPAT1: a day's purchase history (投票履歴 CSV) into the days and races it names.
void runIpatImport(MainWindow& main);
void runImportFolderSettings(MainWindow& main);

}  // namespace tovra
