#pragma once
// The application object of a run. An exception thrown while an event is handled cannot go on
// through Qt's own code: it is caught here, remembered, and the event loops are ended, so the run
// reports it and ends normally instead of aborting.

#include <QApplication>
#include <QString>

namespace velorine::ui {

class GuardedApplication final : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The message of the exception that ended the event loops; empty when none did.
    const QString& failure() const { return failure_; }

private:
    QString failure_;
};

// The text to show for an exception caught in flight (call from a catch block).
QString currentExceptionText();

}  // namespace velorine::ui
