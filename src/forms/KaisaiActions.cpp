#include "forms/KaisaiActions.h"

#include "entry/meeting_ops.hpp"
#include "forms/Kaisaishuseidialogunit.h"
#include "forms/Kaisaitourokudialogunit.h"
#include "forms/Mainunit.h"
#include "ledger/datastore.hpp"
#include "ledger/user_port.hpp"

namespace tovra {
namespace {

MeetingWindowHooks hooksOf(TMainForm& main) {
  return {[&main] { main.closeRaceWindow(); }, [&main] { main.ShowKaisaiView(); }};
}

}  // namespace

void kaisaiTouroku(TMainForm& main) {
  TKaisaiTourokuDialog dialog(&main);
  const int result = dialog.exec();
  if (result == TKaisaiTourokuDialog::Single)
    runRegisterSingle(main.dataStore(), main.port(), hooksOf(main), dialog.course(), dialog.date());
  else if (result == TKaisaiTourokuDialog::Series)
    runRegisterSeries(main.dataStore(), main.port(), hooksOf(main), dialog.course(), dialog.date());
}

void kaisaiShusei(TMainForm& main) {
  DataStore& ds = main.dataStore();
  if (ds.count() == 0) {
    main.port().beep();
    return;
  }
  TKaisaiShuseiDialog dialog(ds.course, ds.kaisai.tsukiHi, ds.kaisai.kaiNichi, &main);
  if (dialog.exec() == QDialog::Accepted) runEditShown(ds, main.port(), hooksOf(main), dialog.date());
}

void kaisaiSakujyo(TMainForm& main) { runDeleteShown(main.dataStore(), main.port(), hooksOf(main)); }

}  // namespace tovra
