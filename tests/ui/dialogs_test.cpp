// The file dialogs' filters: "description|patterns" pairs become Qt name filters.

#include <QtTest>

#include "dialogs.h"

class TDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void nameFilters_data();
  void nameFilters();
};

void TDialogsTest::nameFilters_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("expected");
  QTest::newRow("project") << "sprite project (*.sprite)|*.sprite|all files (*.*)|*.*"
                           << "sprite project (*.sprite);;all files (*.*)";
  QTest::newRow("import, two patterns in one pair")
      << "binary sprite files (*.bin;*.dat)|*.bin;*.dat|all files (*.*)|*.*"
      << "binary sprite files (*.bin *.dat);;all files (*.*)";
  QTest::newRow("export") << "binary sprite file (*.bin)|*.bin|binary sprite file (*.dat)|*.dat|raw file (*.*)|*.*"
                          << "binary sprite file (*.bin);;binary sprite file (*.dat);;raw file (*.*)";
  QTest::newRow("description without patterns") << "pictures|*.png" << "pictures (*.png)";
}

void TDialogsTest::nameFilters() {
  QFETCH(QString, filter);
  QFETCH(QString, expected);
  QCOMPARE(QtNameFilters(filter), expected);
}

QTEST_MAIN(TDialogsTest)
#include "dialogs_test.moc"
