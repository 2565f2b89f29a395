#include "ui/context_menu_key.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

namespace velorine::ui {
namespace {

const QString kFilterName = QStringLiteral("velorineShiftF10");

class ShiftF10 final : public QObject {
public:
    explicit ShiftF10(QCoreApplication& application) : QObject(&application) {
        setObjectName(kFilterName);
        application.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        QWidget* focus = QApplication::focusWidget();
        // A key press travels from the focus widget up to its window: it is taken at the first.
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier || watched != focus) return false;
        const QPoint centre = focus->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, centre, focus->mapToGlobal(centre));
        QApplication::sendEvent(focus, &request);
        return true;
    }
};

}  // namespace

void openContextMenusWithShiftF10() {
    QCoreApplication* application = QCoreApplication::instance();
    if (application && !application->findChild<QObject*>(kFilterName, Qt::FindDirectChildrenOnly))
        new ShiftF10(*application);
}

}  // namespace velorine::ui
