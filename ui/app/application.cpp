#include "app/application.h"

#include <QMessageBox>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    static bool reporting = false;  // a fault while the box is up ends the program at once
    if (!reporting) {
      reporting = true;
      ShowException(ExceptionMessage(std::current_exception()));
      reporting = false;
    }
    exit(0);
    return false;
  }
}

QString ExceptionMessage(std::exception_ptr error) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const std::exception& e) {
    const QString text = QString::fromLocal8Bit(e.what());
    if (!text.isEmpty()) return text;
  } catch (...) {
  }
  return QStringLiteral("Unexpected exception...");
}

void ShowException(const QString& message) {
  QMessageBox::critical(nullptr, QApplication::applicationName(), message, QMessageBox::Ok);
}
