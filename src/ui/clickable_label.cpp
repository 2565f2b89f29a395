#include "ui/clickable_label.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/activation_keys.h"
#include "ui/keyboard_focus_frame.h"

namespace velorine::ui {
namespace {

class ClickableLabelAccessible final : public QAccessibleWidget {
public:
    explicit ClickableLabelAccessible(ClickableLabel* label) : QAccessibleWidget(label, label->screenReaderRole()) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                if (!label()->accessibleName().isEmpty()) return label()->accessibleName();
                return label()->text().isEmpty() ? label()->toolTip() : label()->text();
            case QAccessible::Description:
                if (!label()->accessibleDescription().isEmpty()) return label()->accessibleDescription();
                return label()->toolTip() == text(QAccessible::Name) ? QString() : label()->toolTip();
            default: return QAccessibleWidget::text(kind);
        }
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override {
        if (action == pressAction())
            QMetaObject::invokeMethod(label(), &ClickableLabel::activated, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
};

QAccessibleInterface* clickableLabelInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(ClickableLabel::staticMetaObject.className())) return nullptr;
    return new ClickableLabelAccessible(static_cast<ClickableLabel*>(object));
}

}  // namespace

ClickableLabel::ClickableLabel(QAccessible::Role role, QWidget* parent) : QLabel(parent), role_(role) {
    QAccessible::installFactory(&clickableLabelInterface);
    setFocusPolicy(Qt::TabFocus);
    drawKeyboardFocus(*this);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit activated();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if (!controls::IsActivationKey(*event)) {
        QLabel::keyPressEvent(event);
    } else if (!event->isAutoRepeat()) {
        emit activated();
    }
}

}  // namespace velorine::ui
