#pragma once
// A titled group of radio buttons, one column, read and set by item index.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

  int ItemIndex() const;
  // Checks item `index`; an index outside the items is ignored. Emits ItemIndexChanged only
  // when the index really changes.
  void SetItemIndex(int index);

 signals:
  void ItemIndexChanged(int index);

 private:
  QButtonGroup* FButtons;
};
