// Every control of the settings panel explains itself in a tool tip, and each mask
// arrangement names the byte that comes first in it.

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QToolTip>
#include <QtTest>

#include "exchange/pixel_location.h"
#include "widgets/panel.h"
#include "widgets/radio_group.h"
#include "window/sprite_editor.h"

class TSettingsToolTipsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void everyControlHasAToolTip();
  void everyListItemHasAToolTip();
  void arrangementItemsNameTheirFirstByte();
  void toolTipShowsOverTheControl();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
};

void TSettingsToolTipsTest::init() {
  FEditor = std::make_unique<TSpriteEditor>();
  FEditor->show();
  QVERIFY(QTest::qWaitForWindowExposed(FEditor.get()));
}

void TSettingsToolTipsTest::cleanup() { FEditor.reset(); }

namespace {

// The parts a list or spin edit is built of (its field, its pop-up list and scroll bars) show
// their control's tip.
bool PartOfAControl(const QWidget* w) {
  for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget())
    if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p)) return true;
  return false;
}

}  // namespace

// Controls are the inputs of every kind and the named labels; the frames and group boxes
// that only hold them are not.
void TSettingsToolTipsTest::everyControlHasAToolTip() {
  int inputs = 0;
  for (QWidget* w : FEditor->PanelSettings->findChildren<QWidget*>()) {
    if (PartOfAControl(w)) continue;
    const bool input = qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                       qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSlider*>(w) ||
                       qobject_cast<TRadioGroup*>(w);
    const bool namedLabel = qobject_cast<QLabel*>(w) && !w->objectName().isEmpty();
    if (!input && !namedLabel) continue;
    inputs += input;
    const QString name = w->objectName().isEmpty()
                             ? w->metaObject()->className() + QStringLiteral(" ") + w->property("text").toString()
                             : w->objectName();
    QVERIFY2(!w->toolTip().trimmed().isEmpty(), qPrintable(name + " has no tool tip"));
  }
  // Byte mode group and its two buttons, four spin edits, two check boxes, three lists, the
  // total frames, the slider and the four frame buttons.
  QVERIFY2(inputs >= 18, qPrintable(QString::number(inputs)));
}

void TSettingsToolTipsTest::everyListItemHasAToolTip() {
  for (QComboBox* box : FEditor->PanelSettings->findChildren<QComboBox*>())
    for (int i = 0; i < box->count(); ++i)
      QVERIFY2(!box->itemData(i, Qt::ToolTipRole).toString().isEmpty(),
               qPrintable(box->objectName() + ": " + box->itemText(i)));
}

// Which byte comes first is what the raw layout itself puts at offset 0 of a frame block.
void TSettingsToolTipsTest::arrangementItemsNameTheirFirstByte() {
  QComboBox* box = FEditor->CbMaskAlignment;
  QCOMPARE(box->count(), 6);
  for (int i = 0; i < box->count(); ++i) {
    TDataFormat f;
    f.Arrangement = TMaskArrangement(i);
    const std::optional<TPixelLocation> mask = LocatePixel(f, 12, 24, true, 0, 0);
    QVERIFY(mask.has_value());
    const bool maskFirst = mask->Offset == 0;
    const QString tip = box->itemData(i, Qt::ToolTipRole).toString();
    QVERIFY2(tip.startsWith(maskFirst ? "Mask byte first" : "Sprite byte first"),
             qPrintable(box->itemText(i) + ": " + tip));
  }
}

// The tip appears when the pointer rests over a control. With DEDUZU_SCREENSHOT_DIR set the
// window is saved with the tip of "Masked sprite" drawn over it.
void TSettingsToolTipsTest::toolTipShowsOverTheControl() {
  QWidget* control = FEditor->CheckBoxMasked;
  const QPoint at = control->rect().center();
  QHelpEvent event(QEvent::ToolTip, at, control->mapToGlobal(at));
  QCoreApplication::sendEvent(control, &event);
  QTRY_VERIFY(QToolTip::isVisible());
  QCOMPARE(QToolTip::text(), control->toolTip());

  const QByteArray dir = qgetenv("DEDUZU_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QWidget* tip = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->inherits("QTipLabel") && w->isVisible()) tip = w;
  QVERIFY(tip != nullptr);
  QPixmap shot = FEditor->grab();
  QPainter painter(&shot);
  painter.drawPixmap(FEditor->mapFromGlobal(tip->pos()), tip->grab());
  painter.end();
  QVERIFY(shot.save(QString::fromLocal8Bit(dir) + "/inspect-tooltip.png"));
}

QTEST_MAIN(TSettingsToolTipsTest)
#include "settings_tooltips_test.moc"
