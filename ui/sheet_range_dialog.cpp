// The sheet's range question (ui/sheet_range_dialog.h).
#include "ui/sheet_range_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/picture_texts.h"
#include "ui/tr.h"

namespace zv {

SheetRangeDialog::SheetRangeDialog(QWidget* parent, int count, int current) : QDialog(parent) {
  setObjectName(QStringLiteral("SheetRangeDialog"));
  setWindowTitle(Tr(kSheetRangeTitle));
  auto spin = [&](const char* name) {
    auto* s = new QSpinBox(this);
    s->setObjectName(QLatin1String(name));
    s->setRange(1, count);
    return s;
  };
  FromSE = spin("FromSE");
  ToSE = spin("ToSE");
  // The last stays within a sheet of the first.
  const auto limitLast = [this, count](int from) {
    ToSE->setRange(from, std::min(count, from + kMaxSheetSolutions - 1));
  };
  connect(FromSE, &QSpinBox::valueChanged, this, limitLast);
  FromSE->setValue(count <= kMaxSheetSolutions ? 1 : current + 1);
  limitLast(FromSE->value());
  ToSE->setValue(ToSE->maximum());

  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(Tr(kSheetFromLabel), this));
  row->addWidget(FromSE);
  row->addWidget(new QLabel(Tr(kSheetToLabel), this));
  row->addWidget(ToSE);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addWidget(new QLabel(Tr(kSheetLimitText).arg(kMaxSheetSolutions), this));
  column->addWidget(buttons);
}

int SheetRangeDialog::first() const { return FromSE->value() - 1; }
int SheetRangeDialog::last() const { return ToSE->value() - 1; }

}  // namespace zv
