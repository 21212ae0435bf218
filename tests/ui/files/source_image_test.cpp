// Export source, Export image and Import image through the window: the option dialogs, the
// files they write, and an image import as one step of the history.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSlider>
#include <QtTest>

#include "exchange/source_text.h"
#include "image/png_import.h"
#include "support/document_compare.h"
#include "support/random_fill.h"
#include "support/scripted_dialogs.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void OpenRandomDocument(TSpriteEditor& e) {
  e.ReplaceDocument(
      [](TSpriteDocument& d) {
        FillRandom(d.Store, 31u, 3);
        d.Settings.FrameCount = 3;
        d.Settings.Width = 18;
        d.Settings.Height = 10;
      },
      false);
}

}  // namespace

class TSourceImageTest : public TEditorTestBase {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(MakeEditor()); }
  void cleanup() { QCOMPARE(DropEditor(), 0); }

  void itemsFollowExportInTheFileMenu();
  void exportSourceWritesWhatThePreviewShowed();
  void labelComesFromTheFileName();
  void cancelledDialogsWriteNothing();
  void imageExportAndImportGiveTheDocumentBack();
  void imageImportIsOneStep();
  void badImageChangesNothing();
  void oneFilePerFrameNumbersTheFiles();
};

void TSourceImageTest::itemsFollowExportInTheFileMenu() {
  TSpriteEditor& e = E();
  const QList<QAction*> items = e.MenuFile->actions();
  const qsizetype at = items.indexOf(e.MiExport);
  QVERIFY(at >= 0 && at + 3 < items.size());
  QCOMPARE(items[at + 1], e.MiExportSource);
  QCOMPARE(items[at + 2], e.MiImportImage);
  QCOMPARE(items[at + 3], e.MiExportImage);
  QCOMPARE(e.MiExportSource->text(), QStringLiteral("Export so&urce..."));
  QCOMPARE(e.MiImportImage->text(), QStringLiteral("Import i&mage..."));
  QCOMPARE(e.MiExportImage->text(), QStringLiteral("Export ima&ge..."));
}

void TSourceImageTest::exportSourceWritesWhatThePreviewShowed() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  TSourceOptions options;
  options.Dialect = TSourceDialect::Acme;
  options.Label = "ship";
  options.Base = TNumberBase::Decimal;
  options.ValuesPerLine = 4;  // more lines than the preview shows
  D().SourceChoices = {options};
  const QString path = Path(QStringLiteral("ship.a"));
  D().Paths = {path};
  D().Preview.clear();
  e.MiExportSource->trigger();
  // The preview is taken with the options the dialog opens with; the file with those chosen.
  QCOMPARE(QString::fromUtf8(ReadAll(path)), QString::fromStdString(ExportSourceText(e.FDocument, options)));
  QVERIFY(!D().Preview.isEmpty());
  QCOMPARE(e.FSourceOptions.Dialect, TSourceDialect::Acme);
  QCOMPARE(D().Sequence(), (QStringList{"options:Export source...", "save:Export source..."}));
  QVERIFY(!e.FModified);  // exporting changes nothing

  // The next export opens with the choices made last and previews their first lines.
  D().SourceChoices = {std::nullopt};
  e.MiExportSource->trigger();
  const QString text = QString::fromStdString(ExportSourceText(e.FDocument, options));
  QVERIFY(D().Preview.size() < text.size());
  QVERIFY(text.startsWith(D().Preview));
  QCOMPARE(D().Preview.count(QLatin1Char('\n')), TSpriteEditor::SourcePreviewLines);
}

// Without a label of its own the text is labelled after the file it goes to.
void TSourceImageTest::labelComesFromTheFileName() {
  TSpriteEditor& e = E();
  QVERIFY(e.FSourceOptions.Label.empty());
  TSourceOptions options;
  options.Label.clear();
  D().SourceChoices = {options};
  const QString path = Path(QStringLiteral("ship 2.s"));
  D().Paths = {path};
  e.MiExportSource->trigger();
  options.Label = "ship_2";
  QCOMPARE(QString::fromUtf8(ReadAll(path)), QString::fromStdString(ExportSourceText(e.FDocument, options)));
}

void TSourceImageTest::cancelledDialogsWriteNothing() {
  TSpriteEditor& e = E();
  D().SourceChoices = {std::nullopt};
  e.MiExportSource->trigger();
  D().ImageExportChoices = {std::nullopt};
  e.MiExportImage->trigger();
  D().Answers = {true};
  D().ImageImportChoices = {std::nullopt};
  e.MiImportImage->trigger();
  D().Answers = {false};
  e.MiImportImage->trigger();
  QCOMPARE(D().Sequence(), (QStringList{"options:Export source...", "options:Export image...",
                                        "question:Import image...", "options:Import image...",
                                        "question:Import image..."}));
  QCOMPARE(e.FHistory.Count(), std::size_t(0));
}

void TSourceImageTest::imageExportAndImportGiveTheDocumentBack() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  auto original = std::make_unique<TSpriteDocument>();
  CopyDocument(e.FDocument, *original);
  TImageExportChoice choice;
  choice.Png.Layout = TImageLayout::Planes;
  choice.Png.Sheet.Columns = 2;
  choice.Png.Sheet.Spacing = 3;
  D().ImageExportChoices = {choice};
  const QString path = Path(QStringLiteral("sheet.png"));
  D().Paths = {path};
  e.MiExportImage->trigger();
  QVERIFY(QFile::exists(path));

  D().Answers = {true};
  e.MiNew->trigger();
  TPngImportOptions read;
  read.Layout = TImageLayout::Planes;
  read.CellWidth = 2 * 18;
  read.CellHeight = 10;
  read.Spacing = 3;
  D().Answers = {true};
  D().ImageImportChoices = {read};
  D().Paths = {path};
  e.MiImportImage->trigger();
  QCOMPARE(e.SpinEditWidth->value(), 18);
  QCOMPARE(e.SpinEditHeight->value(), 10);
  QCOMPARE(e.SpinEditTotalFrames->value(), 3);
  for (int f = 0; f < 3; ++f)
    for (bool mask : {false, true})
      for (int x = 0; x < 18; ++x)
        for (int y = 0; y < 10; ++y)
          QCOMPARE(e.FStore.Pixel(f, mask, x, y), original->Store.Pixel(f, mask, x, y));
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
}

void TSourceImageTest::imageImportIsOneStep() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  TImageExportChoice choice;  // planes, one row
  D().ImageExportChoices = {choice};
  const QString path = Path(QStringLiteral("row.png"));
  D().Paths = {path};
  e.MiExportImage->trigger();

  e.SpinEditHeight->setValue(30);  // a step of its own before the import
  auto before = std::make_unique<TSpriteDocument>();
  CopyDocument(e.FDocument, *before);
  TPngImportOptions read;
  read.Layout = TImageLayout::Planes;
  read.CellWidth = 36;
  D().Answers = {true};
  D().ImageImportChoices = {read};
  D().Paths = {path};
  e.MiImportImage->trigger();
  QCOMPARE(e.MiUndo->text(), QStringLiteral("&Undo Import image"));
  QCOMPARE(e.SpinEditHeight->value(), 10);
  auto after = std::make_unique<TSpriteDocument>();
  CopyDocument(e.FDocument, *after);
  e.MiUndo->trigger();
  QVERIFY(SameDocument(e.FDocument, *before));
  QCOMPARE(e.SpinEditHeight->value(), 30);
  e.MiRedo->trigger();
  QVERIFY(SameDocument(e.FDocument, *after));
}

void TSourceImageTest::badImageChangesNothing() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  auto before = std::make_unique<TSpriteDocument>();
  CopyDocument(e.FDocument, *before);
  const QString path = Path(QStringLiteral("not.png"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("SPRJ and not a PNG at all");
  file.close();
  D().Answers = {true};
  D().ImageImportChoices = {TPngImportOptions{}};
  D().Paths = {path};
  e.MiImportImage->trigger();
  QCOMPARE(D().Sequence().last(), QStringLiteral("error:Import image..."));
  QVERIFY(!D().Shown.back().Text.isEmpty());
  QVERIFY(SameDocument(e.FDocument, *before));
  QCOMPARE(e.FHistory.Count(), std::size_t(0));
  QVERIFY(!e.FModified);
}

void TSourceImageTest::oneFilePerFrameNumbersTheFiles() {
  TSpriteEditor& e = E();
  OpenRandomDocument(e);
  TImageExportChoice choice;
  choice.Png.OneFilePerFrame = true;
  D().ImageExportChoices = {choice};
  D().Paths = {Path(QStringLiteral("ship.png"))};
  e.MiExportImage->trigger();
  for (const char* name : {"ship_001.png", "ship_002.png", "ship_003.png"}) QVERIFY2(QFile::exists(Path(name)), name);
  QVERIFY(!QFile::exists(Path(QStringLiteral("ship_004.png"))));
}

QTEST_MAIN(TSourceImageTest)
#include "source_image_test.moc"
