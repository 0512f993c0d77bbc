#include "ui/main/AboutDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/widgets/Looks.h"

namespace tovra {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("ﾊﾞｰｼﾞｮﾝ情報");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(20, 18, 20, 14);
  grid->setHorizontalSpacing(18);
  auto* icon = new QLabel(this);
  icon->setObjectName("ProgramIcon");
  icon->setPixmap(toolIcon("", "tovra").pixmap(48, 48));
  grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  auto* name = new QLabel("競走収支帖 トヴラ", this);
  name->setObjectName("ProductName");
  QFont f = name->font();
  f.setPixelSize(16);
  f.setBold(true);
  name->setFont(f);
  grid->addWidget(name, 0, 1);
  auto* version = new QLabel("Version 6.32", this);
  version->setObjectName("Version");
  grid->addWidget(version, 1, 1);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  grid->addWidget(ok, 2, 0, 1, 2, Qt::AlignHCenter);
  grid->setColumnStretch(1, 1);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

}  // namespace tovra
