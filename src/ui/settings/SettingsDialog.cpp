#include "ui/settings/SettingsDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "features/settings/settings_edit.hpp"
#include "storage/user_port.hpp"
#include "ui/common/AppState.h"
#include "ui/widgets/Looks.h"

namespace tovra {

namespace {
const char* const kCourses[] = {" 札幌", " 函館", " 福島", " 新潟", " 東京",
                                " 中山", " 中京", " 京都", " 阪神", " 小倉"};
const char* const kPages[] = {"単･複", "枠連･ﾜｲﾄﾞ", "馬連"};
}  // namespace

SettingsDialog::SettingsDialog(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("KakushuSetteiDialog");
  setWindowTitle("各種設定");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(10, 10, 10, 10);
  page1_ = new QTabWidget(this);
  page1_->setObjectName("Page1");
  page1_->addTab(buildEnvironmentTab(), "環境設定");
  page1_->addTab(buildColourTab(), "色");
  page1_->setCurrentIndex(1);  // it opens on the colours
  box->addWidget(page1_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* settei = new QPushButton("設定", this);
  settei->setObjectName("SetteiBtn");
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("CancelBtn");
  buttons->addWidget(settei);
  buttons->addWidget(cancel);
  box->addLayout(buttons);
  connect(settei, &QPushButton::clicked, this, &SettingsDialog::applySettings);
  connect(cancel, &QPushButton::clicked, this, &SettingsDialog::cancelSettings);

  colorDialog_ = new QColorDialog(this);
  colorDialog_->setObjectName("ColorDialog");
  setFixedSize(sizeHint());
}

QWidget* SettingsDialog::buildEnvironmentTab() {
  auto* tab = new QWidget;
  tab->setObjectName("Tab1");
  auto* grid = new QGridLayout(tab);
  grid->setContentsMargins(14, 14, 14, 14);
  grid->setVerticalSpacing(12);
  grid->addWidget(new QLabel("起動時に表示する開催ﾃﾞｰﾀ ( 競馬場 )：", tab), 0, 0);
  babaBox_ = new QComboBox(tab);
  babaBox_->setObjectName("BabaBox");
  for (const char* c : kCourses) babaBox_->addItem(c);
  grid->addWidget(babaBox_, 0, 1);
  // The nine full-width blanks make the label break into two lines at "する".
  auto* shikiLabel = new QLabel("ﾚｰｽﾃﾞｰﾀｳｨﾝﾄﾞｳを表示時に表示　　　　　　　　　する購入馬券の式別：", tab);
  shikiLabel->setWordWrap(true);
  shikiLabel->setFixedWidth(
      shikiLabel->fontMetrics().horizontalAdvance("ﾚｰｽﾃﾞｰﾀｳｨﾝﾄﾞｳを表示時に表示　　　　　　　　　"));
  grid->addWidget(shikiLabel, 1, 0);
  shikiBox_ = new QComboBox(tab);
  shikiBox_->setObjectName("ShikiBox");
  for (const char* p : kPages) shikiBox_->addItem(p);
  grid->addWidget(shikiBox_, 1, 1, Qt::AlignBottom);
  checkBox1_ = new QCheckBox("トヴラ終了ﾎﾞﾀﾝを押して終了させる時は確認する", tab);
  checkBox1_->setObjectName("CheckBox1");
  grid->addWidget(checkBox1_, 2, 0, 1, 2);
  checkBox2_ = new QCheckBox("2000年以前も新馬齢表記にする", tab);
  checkBox2_->setObjectName("CheckBox2");
  grid->addWidget(checkBox2_, 3, 0, 1, 2);
  grid->setRowStretch(4, 1);
  return tab;
}

QWidget* SettingsDialog::buildColourTab() {
  auto* tab = new QWidget;
  tab->setObjectName("Tab2");
  auto* grid = new QGridLayout(tab);
  grid->setContentsMargins(14, 14, 14, 14);
  listBox_ = new QListWidget(tab);
  listBox_->setObjectName("ListBox");
  for (const char* text : colourListTexts()) listBox_->addItem(text);
  listBox_->setFixedWidth(listBox_->sizeHintForColumn(0) + 2 * listBox_->frameWidth() + 8);
  listBox_->setFixedHeight(listBox_->sizeHintForRow(0) * SettingsRecord::kColours + 2 * listBox_->frameWidth() + 4);
  grid->addWidget(listBox_, 0, 0, 4, 1);
  grid->addWidget(new QLabel("設定されている色：", tab), 0, 1);
  panel_ = new QLabel(tab);
  panel_->setObjectName("Panel");
  panel_->setFrameShape(QFrame::Panel);
  panel_->setFrameShadow(QFrame::Sunken);
  panel_->setFixedSize(96, 40);
  grid->addWidget(panel_, 1, 1);
  auto* colorBtn = new QPushButton("色の設定", tab);
  colorBtn->setObjectName("ColorBtn");
  grid->addWidget(colorBtn, 2, 1);
  grid->setRowStretch(3, 1);
  connect(listBox_, &QListWidget::itemClicked, this, &SettingsDialog::showChosenColour);
  connect(listBox_, &QListWidget::currentRowChanged, this, &SettingsDialog::showChosenColour);
  connect(colorBtn, &QPushButton::clicked, this, &SettingsDialog::chooseColour);
  return tab;
}

void SettingsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!activated_) showStoredSettings();
}

void SettingsDialog::showStoredSettings() {
  activated_ = true;
  const SettingsChoices c = choicesOf(app_.settings);
  checkBox1_->setChecked(c.confirmExit);
  checkBox2_->setChecked(c.newAgeLabels);
  shikiBox_->setCurrentIndex(c.racePage);
  babaBox_->setCurrentIndex(c.startCourse);
  // The record as shown is what ｷｬﾝｾﾙ returns to; it is stored now as well.
  shown_ = app_.settings;
  saveSettings(app_.ds.fs(), app_.ds.root(), app_.settings);
}

void SettingsDialog::showPanelColour(int index) {
  if (index < 0 || index >= SettingsRecord::kColours) return;
  paintBackground(panel_, settingsColour(app_.settings.colours[index]));
}

void SettingsDialog::showChosenColour() { showPanelColour(listBox_->currentRow()); }

void SettingsDialog::chooseColour() {
  const int index = listBox_->currentRow();
  if (index < 0 || !listBox_->currentItem()->isSelected()) {
    showError(app_.port, "設定したい色を選択して下さい。");
    return;
  }
  std::int32_t& colour = app_.settings.colours[index];
  colorDialog_->setCurrentColor(settingsColour(colour));
  if (colorDialog_->exec() != QDialog::Accepted) return;
  const QColor chosen = colorDialog_->selectedColor();
  colour = colourFromRgb(chosen.red(), chosen.green(), chosen.blue());
  showPanelColour(index);
}

void SettingsDialog::applySettings() {
  applyChoices(app_.settings, SettingsChoices{checkBox1_->isChecked(), shikiBox_->currentIndex(),
                                              checkBox2_->isChecked(), babaBox_->currentIndex()});
  accept();
  // Stored at once, so that a confirmed choice survives whatever ends the program.
  saveSettings(app_.ds.fs(), app_.ds.root(), app_.settings);
  emit coloursChanged();
}

void SettingsDialog::cancelSettings() { reject(); }

void SettingsDialog::reject() {
  // Back to the record as it was shown (and stored): colours chosen meanwhile are dropped.
  if (activated_) app_.settings = shown_;
  QDialog::reject();
}

}  // namespace tovra
