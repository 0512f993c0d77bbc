#include "forms/Racecomentodialogunit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "entry/entry_text.hpp"
#include "entry/race_entry.hpp"
#include "forms/EntryWidgets.h"
#include "forms/Looks.h"
#include "ledger/datastore.hpp"

namespace tovra {

TRaceComentoDialog::TRaceComentoDialog(DataStore& ds, UserPort& port, QWidget* parent)
    : QDialog(parent), ds_(ds), port_(port), race_(ds.raceIndex) {
  setObjectName("RaceComentoDialog");
  setWindowTitle("ﾚｰｽﾃﾞｰﾀ：ｺﾒﾝﾄ登録");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(14, 12, 14, 12);
  grid->setVerticalSpacing(8);
  dayLabel_ = new QLabel(this);
  dayLabel_->setObjectName("DayLabel");
  grid->addWidget(dayLabel_, 0, 0);
  auto* label1 = new QLabel("ｺﾒﾝﾄは全角で 60文字まで...", this);
  label1->setObjectName("Label1");
  grid->addWidget(label1, 1, 0);
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo");
  memo_->setFont(figureFont(14));
  // Thirty full-width characters a line: the 120 bytes the field admits fill two lines.
  const QFontMetrics fm(memo_->font());
  memo_->setFixedSize(fm.horizontalAdvance(QString(60, '0')) + 24, fm.lineSpacing() * 4 + 14);
  grid->addWidget(memo_, 2, 0);
  connect(memo_, &QPlainTextEdit::textChanged, this, &TRaceComentoDialog::MemoChange);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* touroku = entryButton("TourokuBtn", "登録", this);
  auto* cancel = entryButton("CancelBtn", "ｷｬﾝｾﾙ", this);
  buttons->addWidget(touroku);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 3, 0);
  connect(touroku, &QPushButton::clicked, this, &TRaceComentoDialog::TourokuBtnClick);
  connect(cancel, &QPushButton::clicked, this, &TRaceComentoDialog::reject);

  dayLabel_->setText(QString::fromStdString(entryDayLabel(ds_, race_)));
  memo_->setPlainText(QString::fromStdString(commentForMemo(ds_, race_)));
  setFixedSize(sizeHint());
}

void TRaceComentoDialog::MemoChange() {
  // The field holds 120 bytes of Shift-JIS (a line break takes two): longer input is cut.
  const std::string text = memo_->toPlainText().toStdString();
  const std::string fitted = fitComment(text);
  if (fitted.size() == text.size()) return;
  QSignalBlocker block(memo_);
  memo_->setPlainText(QString::fromStdString(fitted));
  QTextCursor c = memo_->textCursor();
  c.movePosition(QTextCursor::End);
  memo_->setTextCursor(c);
}

void TRaceComentoDialog::TourokuBtnClick() {
  if (registerComment(ds_, port_, race_, memo_->toPlainText().toStdString())) accept();
}

void TRaceComentoDialog::reject() {
  discardRaceChanges(ds_);
  QDialog::reject();
}

}  // namespace tovra
