#pragma once
// TKounyuDialog "ﾚｰｽﾃﾞｰﾀ ： 購入馬券登録": the tickets bought on race `raceIndex` of the
// meeting day in memory, on four pages (単勝・複勝, 枠連, ﾜｲﾄﾞ, 馬連) with the shared
// keypad. Adds and deletes change the race in memory; 登録 settles and writes the day
// and closes with Accepted (the caller redraws); ｷｬﾝｾﾙ re-reads the day from the files.
#include <QDialog>
#include <array>
#include <memory>

#include "entry/purchase.hpp"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace tovra {

class DataStore;
class UserPort;

class AmountKeypad;
class RadioGroupBox;
class TanFukuPage;

class TKounyuDialog : public QDialog {
  Q_OBJECT
 public:
  // On race ds.raceIndex of the meeting day shown in `ds`; messages through `port`.
  TKounyuDialog(DataStore& ds, UserPort& port, QWidget* parent = nullptr);
  ~TKounyuDialog() override;

 public slots:
  void TanTsuikaBtnClick();
  void TanSakujyobtnClick();
  void TourokuBtnClick();
  void reject() override;  // ｷｬﾝｾﾙ, Escape and the close box

 private:
  // One pair page (枠連, ﾜｲﾄﾞ or 馬連) and its controls.
  struct PairPage {
    BetType type;
    RadioGroupBox* group1;
    RadioGroupBox* group2;
    QLabel* bouLabel;
    QGroupBox* group3;
    std::vector<QCheckBox*> checks;
    RadioGroupBox* nyuGroup;
    QLineEdit* gakuEdit;
    QListWidget* listBox;
    QLabel* atoLabel;
  };
  QWidget* buildTanPage();
  QWidget* buildPairPage(PairPage& page, const QString& prefix, const QString& bouName, const QString& deleteName);
  void FormShow();
  void NyuGroupClick(PairPage& page, int method);
  void PairTsuikaClick(PairPage& page);
  void PairSakujyoClick(PairPage& page);
  void PageChange(int index);
  void refreshList(BetType t);
  void refreshAtoLabels();
  QListWidget* listOf(BetType t) const;

  DataStore& ds_;
  UserPort& port_;
  int race_;
  std::unique_ptr<PurchaseBook> book_;
  QLabel* dayLabel_;
  QTabWidget* page_;
  TanFukuPage* tanPage_;
  std::array<PairPage, 3> pairs_{};  // 枠連, ﾜｲﾄﾞ, 馬連
  AmountKeypad* keypad_;
};

}  // namespace tovra
