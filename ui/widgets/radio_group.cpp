#include "widgets/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), FButtons(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->setSpacing(0);
  for (qsizetype i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    FButtons->addButton(button, int(i));
    layout->addWidget(button);
  }
  connect(FButtons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit ItemIndexChanged(id);
  });
}

int TRadioGroup::ItemIndex() const { return FButtons->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = FButtons->button(index)) button->setChecked(true);
}
