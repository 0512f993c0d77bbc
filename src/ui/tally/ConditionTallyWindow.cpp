#include "ui/tally/ConditionTallyWindow.h"

#include "features/tally/jyoken_view.hpp"
#include "features/tally/result_files.hpp"
#include "ui/print/PrintActions.h"
#include "ui/widgets/Looks.h"

namespace tovra {

namespace {

constexpr int kLeft = 8, kCaptionW = 56;
constexpr int kRowsTop = TallyWindow::kTop + 118, kPitch = kShukeiRowH + 2;

}  // namespace

ConditionTallyWindow::ConditionTallyWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent)
    : TallyWindow(tally::TallyKind::Jyoken, &SettingsRecord::jyokenRect, "JyokenShukeiForm", "Panel1", ds, settings,
                  port, parent) {
  const FigureLayout l = FigureLayout::at(kLeft, kCaptionW);
  makeHeading(kLeft, l.right() - kLeft);
  shukeiCaption(this, "Label13", "条件：", QRect(kLeft, kTop + 52, kCaptionW, kShukeiRowH),
                Qt::AlignRight | Qt::AlignVCenter);
  // Seven conditions and the bet type can take two lines.
  jyokenPanel_ =
      shukeiPanel(this, "JyokenPanel", QRect(l.kouX, kTop + 52, l.right() - l.kouX, 38), Qt::AlignLeft | Qt::AlignTop);
  jyokenPanel_->setWordWrap(true);

  const auto& labels = tally::jyokenRowLabels();
  for (int i = 0; i < tally::kJyokenRows; ++i) {
    const QString n = QString::number(i + 1);
    // Label1-10 the courses, Label11 "合計", Label14 "総合合計" set apart below.
    const QString caption = i < 11 ? "Label" + n : QString("Label14");
    const int y = kRowsTop + i * kPitch + (i == tally::kJyokenGrandRow ? 8 : 0);
    rows_[i] = &addRow(figureRow(this, l, y, {}, n, caption, QString::fromStdString(labels[i])));
  }
  new FigureHeading(this, "Label12",
                    "競馬場　　　  　馬券購入額        　　回収率         　　回収金額         　　　収支          "
                    "　　　的中率　",
                    *rows_[0], "競馬場", kRowsTop - kPitch);

  setFixedSize(l.right() + kLeft, kRowsTop + 12 * kPitch + 16);
  applyColours();
}

void ConditionTallyWindow::ShowResult() {
  const auto result = tally::loadJyokenFile(ds_, port_);
  if (!result) {
    clearHeading();
    jyokenPanel_->clear();
    for (FigureRow* r : rows_) r->clear();
    return;
  }
  const tally::JyokenView v = tally::jyokenView(*result);
  mainPanel_->setText(QString::fromStdString(v.heading));
  timeLabel_->setText(QString::fromStdString(v.timeStamp));
  jyokenPanel_->setText(QString::fromStdString(v.conditions));
  const QColor plus = plusColour();
  for (int i = 0; i < tally::kJyokenRows; ++i) rows_[i]->set(v.rows[i], plus);
}

void ConditionTallyWindow::printResult() {
  // Prints the whole result.
  printWithDialog(this, port_, print::jyokenJob(ds_, port_));
}

}  // namespace tovra
