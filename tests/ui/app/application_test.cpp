// An exception that escapes an event handler is shown in a message box and ends the event
// loop with exit code 0.

#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <stdexcept>

#include "app/application.h"

namespace {

// Throws from its event handler what the test gives it.
class TThrower : public QObject {
 public:
  std::function<void()> Throw;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) Throw();
    return QObject::event(e);
  }
};

}  // namespace

class TApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void escapingException_data();
  void escapingException();
};

void TApplicationTest::escapingException_data() {
  QTest::addColumn<std::function<void()>>("thrower");
  QTest::addColumn<QString>("message");
  QTest::newRow("standard exception") << std::function<void()>([] { throw std::runtime_error("Disk full"); })
                                      << "Disk full";
  QTest::newRow("anything else") << std::function<void()>([] { throw 42; }) << "Unexpected exception...";
}

void TApplicationTest::escapingException() {
  QFETCH(std::function<void()>, thrower);
  QFETCH(QString, message);
  TThrower target;
  target.Throw = thrower;
  QString shown;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer answer;
  answer.setInterval(20);
  connect(&answer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      title = box->windowTitle();
      icon = box->icon();
      box->accept();
    }
  });
  answer.start();
  QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
  QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // the loop must not hang
  QCOMPARE(QCoreApplication::exec(), 0);
  QCOMPARE(shown, message);
  QCOMPARE(title, QStringLiteral("Deduzu Sprite Editor"));
  QCOMPARE(icon, QMessageBox::Critical);
}

int main(int argc, char* argv[]) {
  TApplication app(argc, argv);
  TApplication::setApplicationName(QStringLiteral("Deduzu Sprite Editor"));
  TApplicationTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
