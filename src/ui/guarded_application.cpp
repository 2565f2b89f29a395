#include "ui/guarded_application.h"

#include <exception>

namespace velorine::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (failure_.isEmpty()) failure_ = currentExceptionText();
        exit(0);
        return true;
    }
}

QString currentExceptionText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Mémoire insuffisante.");
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QStringLiteral("Erreur inattendue.");
    }
}

}  // namespace velorine::ui
