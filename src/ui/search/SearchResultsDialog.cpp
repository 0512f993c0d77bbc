#include "ui/search/SearchResultsDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "features/export/csv_names.hpp"
#include "features/export/search_csv.hpp"
#include "storage/datastore.hpp"
#include "ui/common/SaveFile.h"
#include "ui/widgets/EntryWidgets.h"

namespace tovra {

SearchResultsDialog::SearchResultsDialog(DataStore& ds, UserPort& port, const search::KekaList& list,
                                         std::string currentYear, QWidget* parent)
    : QDialog(parent), ds_(ds), port_(port), currentYear_(std::move(currentYear)) {
  setObjectName("KensakuKekaDialog");
  setWindowTitle(QString::fromStdString(list.title));
  csvName_ = exports::searchCsvFileName(list.title, list.summary);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setVerticalSpacing(8);
  auto* hani = new QLabel(QString::fromStdString(list.summary), this);
  hani->setObjectName("HaniLabel");
  grid->addWidget(hani, 0, 0, 1, 3);
  auto* label = new QLabel("検索されたﾚｰｽﾃﾞｰﾀ：", this);
  label->setObjectName("Label1");
  grid->addWidget(label, 1, 0, 1, 3);
  // Year, date, course, 回次, race (35 bytes), the bet type and payout of a payout search
  // (14 bytes, 18 for 馬単, 3連複 and 3連単 with their nine digits) and a name of up to 60.
  list_ = lineList("ListBox", 114, 14, this);
  setLines(list_, list.lines);
  grid->addWidget(list_, 2, 0, 1, 3);
  auto* hyoji = new QPushButton("表示", this);
  hyoji->setObjectName("HyojiBtn");
  hyoji->setDefault(true);
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("CancelBtn");
  cancel->setAutoDefault(false);
  // CSV保存: the list as a table for spreadsheet programs.
  auto* csv = new QPushButton("CSV保存", this);
  csv->setObjectName("CsvBtn");
  csv->setAutoDefault(false);
  grid->addWidget(csv, 3, 0, Qt::AlignLeft);
  grid->addWidget(hyoji, 3, 1);
  grid->addWidget(cancel, 3, 2);
  connect(csv, &QPushButton::clicked, this, &SearchResultsDialog::saveCsv);
  grid->setColumnStretch(0, 1);
  connect(hyoji, &QPushButton::clicked, this, &SearchResultsDialog::showSelectedRace);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &SearchResultsDialog::showDoubleClickedRace);
  setFixedSize(sizeHint());
}

void SearchResultsDialog::showSelectedRace() {
  const int line = selectedLine(list_);
  if (line < 0) {
    port_.beep();
    return;
  }
  const Result<search::RaceTarget> target = search::resultTarget(ds_, line);
  if (target.failed()) ds_.fatal(target.failure().code, target.failure().path);
  if (target.refused()) {
    showRefusal(port_, target.refusal());
    return;
  }
  // The list stays open when the user keeps the year.
  if (const auto question = search::yearChangeQuestion(*target, currentYear_))
    if (!askOkCancel(port_, *question, MsgIcon::Warning)) return;
  target_ = *target;
  accept();
}

void SearchResultsDialog::showDoubleClickedRace() { showSelectedRace(); }

void SearchResultsDialog::saveCsv() {
  saveCsvAs(this, ds_.fs(), port_, exports::searchCsv(ds_), QString::fromStdString(csvName_));
}

}  // namespace tovra
