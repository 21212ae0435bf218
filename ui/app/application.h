#pragma once
// The application object: an exception that escapes an event handler is shown in a
// message box and ends the program with exit code 0.

#include <QApplication>
#include <exception>

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The text an exception is shown with: its own message for a std::exception, otherwise
// "Unexpected exception...".
QString ExceptionMessage(std::exception_ptr error);

// A modal error box titled with the application's name.
void ShowException(const QString& message);
