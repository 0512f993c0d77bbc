#pragma once
// The four race dialogs as the race window's tool bar and the main window's row menu
// open them: on a race of the meeting day shown, its race block read first.
class QWidget;

namespace tovra {

class DataStore;
class UserPort;

enum class RaceDialog { Koumoku, Kounyu, Keka, Comento };

// Opens the dialog on race r (0..11). True when 登録 settled and wrote the race;
// ｷｬﾝｾﾙ has read the day back from the files. Messages go through `port`.
bool runRaceDialog(DataStore& ds, UserPort& port, RaceDialog which, int race, QWidget* parent);

}  // namespace tovra
