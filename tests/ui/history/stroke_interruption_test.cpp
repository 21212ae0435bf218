// A pointer stroke cut short by something other than the release: a save, Undo, a change of
// frame from the keyboard. Each must leave steps that take the document back exactly to the
// states the user saw, and no stray cells drawn after the stroke ended.

#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QtTest>

#include "support/document_compare.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "window/sprite_editor.h"

namespace {

// Centre of sprite-pane cell (x, y) at zoom 12.
int At(int cell) { return cell * 12 + 5; }

void OpenRandomDocument(TSpriteEditor& e) {
  e.ReplaceDocument(
      [](TSpriteDocument& d) {
        FillRandom(d.Store, 31u, 4);
        d.Settings.FrameCount = 4;
        d.Settings.CurrentFrame = 2;
      },
      false);
}

}  // namespace

class TStrokeInterruptionTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(MakeEditor()); }
  void cleanup() { QCOMPARE(DropEditor(), 0); }

  // Saving in the middle of a stroke: the cells after the save are their own step, so that
  // one Undo goes back to exactly what was saved.
  void saveInTheMiddleOfAStroke() {
    TSpriteEditor& e = E();
    OpenRandomDocument(e);
    auto start = std::make_unique<TSpriteDocument>();
    auto saved = std::make_unique<TSpriteDocument>();
    CopyDocument(e.FDocument, *start);
    const QString path = Path(QStringLiteral("mid.sprite"));

    e.PaintBoxMouseDown(Qt::RightButton, {}, At(0), At(0));
    e.PaintBoxMouseMove({}, At(1), At(0));
    D().Paths = {path};
    e.MiSaveAs->trigger();
    CopyDocument(e.FDocument, *saved);
    QVERIFY(!e.FModified);
    e.PaintBoxMouseMove({}, At(2), At(0));
    e.PaintBoxMouseMove({}, At(3), At(0));
    e.PaintBoxMouseUp(Qt::RightButton, {}, At(3), At(0));
    QVERIFY(e.FModified);
    QCOMPARE(e.FHistory.Count(), std::size_t(2));

    e.MiUndo->trigger();
    QVERIFY(SameDocument(e.FDocument, *saved));
    QVERIFY(!e.FModified);
    e.MiUndo->trigger();
    QVERIFY(SameDocument(e.FDocument, *start));
    QVERIFY(e.FModified);
  }

  // Undo while the button is still held ends the stroke: moving on draws nothing, and the
  // cells of the stroke are gone.
  void undoWhileTheButtonIsHeld() {
    TSpriteEditor& e = E();
    OpenRandomDocument(e);
    auto start = std::make_unique<TSpriteDocument>();
    CopyDocument(e.FDocument, *start);
    e.PaintBoxMouseDown(Qt::LeftButton, {}, At(0), At(0));
    e.PaintBoxMouseMove({}, At(1), At(1));
    e.MiUndo->trigger();
    e.PaintBoxMouseMove({}, At(2), At(2));
    e.PaintBoxMouseMove({}, At(3), At(3));
    e.PaintBoxMouseUp(Qt::LeftButton, {}, At(3), At(3));
    QVERIFY(SameDocument(e.FDocument, *start));
    QVERIFY(!e.FModified);
    QVERIFY(e.MiRedo->isEnabled());
  }

  // The frame changes under a held button (the slider moved from the keyboard): the cells on
  // the new frame are a step of their own, and undo shows each frame in turn.
  void frameChangeWhileTheButtonIsHeld() {
    TSpriteEditor& e = E();
    OpenRandomDocument(e);
    auto start = std::make_unique<TSpriteDocument>();
    CopyDocument(e.FDocument, *start);
    e.PaintBoxMouseDown(Qt::LeftButton, {}, At(0), At(0));
    e.PaintBoxMouseMove({}, At(1), At(0));
    e.SliderFrame->setValue(2);
    e.PaintBoxMouseMove({}, At(2), At(0));
    e.PaintBoxMouseMove({}, At(3), At(0));
    e.PaintBoxMouseUp(Qt::LeftButton, {}, At(3), At(0));
    QCOMPARE(e.FHistory.Count(), std::size_t(2));
    for (int x = 0; x < 2; ++x) QCOMPARE(e.FStore.Pixel(2, false, x, 0), std::uint8_t(1));
    for (int x = 2; x < 4; ++x) QCOMPARE(e.FStore.Pixel(1, false, x, 0), std::uint8_t(1));

    e.MiUndo->trigger();
    QCOMPARE(e.LblFrameNum->text(), QStringLiteral("2"));
    for (int x = 2; x < 4; ++x) QCOMPARE(e.FStore.Pixel(1, false, x, 0), start->Store.Pixel(1, false, x, 0));
    e.MiUndo->trigger();
    QCOMPARE(e.LblFrameNum->text(), QStringLiteral("3"));
    QCOMPARE(PixelHash(e.FStore), PixelHash(start->Store));
  }
};

QTEST_MAIN(TStrokeInterruptionTest)
#include "stroke_interruption_test.moc"
