#include "ui/tooltips.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace velorine::ui {
namespace {

// Sits in front of every object of the application and swallows tooltip requests while the
// switch is off.
class TooltipGate final : public QObject {
public:
    explicit TooltipGate(QCoreApplication& application) : QObject(&application) {
        setObjectName(QStringLiteral("velorineTooltipGate"));
        application.installEventFilter(this);
    }
    bool shown = true;

protected:
    bool eventFilter(QObject*, QEvent* event) override { return !shown && event->type() == QEvent::ToolTip; }
};

TooltipGate* gate() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) return nullptr;
    if (auto* existing =
            application->findChild<TooltipGate*>(QStringLiteral("velorineTooltipGate"), Qt::FindDirectChildrenOnly))
        return existing;
    return new TooltipGate(*application);
}

}  // namespace

void setTooltipsShown(bool shown) {
    if (TooltipGate* g = gate()) g->shown = shown;
}

bool tooltipsShown() {
    const TooltipGate* g = gate();
    return !g || g->shown;
}

void toggleTooltips() { setTooltipsShown(!tooltipsShown()); }

}  // namespace velorine::ui
