#include "ui/screen_reader.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QFocusFrame>
#include <QFrame>
#include <QMenu>
#include <QToolButton>
#include <QVariant>
#include <QWidget>

namespace velorine::ui {
namespace {

const char* const kHiddenProperty = "velorineHiddenFromScreenReaders";
const char* const kRoleProperty = "velorineScreenReaderRole";
const char* const kGlyphButtonProperty = "velorineGlyphButton";

bool hidden(const QWidget& widget) { return widget.property(kHiddenProperty).toBool(); }

// A QWidget, QFrame or QDialog itself, or a class of the windows' own made from one. Classes of
// other layers (the own controls) have interfaces of their own.
bool plainContainer(const QObject& object) {
    const QMetaObject* type = object.metaObject();
    while (type && QLatin1String(type->className()).startsWith(QLatin1String("velorine::ui::")))
        type = type->superClass();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject ||
           type == &QDialog::staticMetaObject;
}

// Qt's interface for a plain container, children filtered, role as marked.
class ContainerAccessible final : public QAccessibleWidget {
public:
    explicit ContainerAccessible(QWidget* widget) : QAccessibleWidget(widget) {}

    QAccessible::Role role() const override {
        const QVariant marked = widget()->property(kRoleProperty);
        if (marked.isValid()) return static_cast<QAccessible::Role>(marked.toInt());
        if (qobject_cast<const QDialog*>(widget())) return QAccessible::Dialog;
        if (widget()->isWindow()) return QAccessible::Window;
        // Qt says "border", which readers present as one more window.
        if (qobject_cast<const QFrame*>(widget())) return QAccessible::Grouping;
        return QAccessible::Client;
    }

    int childCount() const override { return static_cast<int>(shownChildren().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = shownChildren();
        if (index < 0 || index >= children.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        return static_cast<int>(shownChildren().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    // The children Qt would list, less the hidden ones.
    QList<QWidget*> shownChildren() const {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && !qobject_cast<QFocusFrame*>(child) && !qobject_cast<QMenu*>(child) &&
                !hidden(*child))
                shown << child;
        }
        return shown;
    }
};

class GlyphButtonAccessible final : public QAccessibleWidget {
public:
    explicit GlyphButtonAccessible(QToolButton* button) : QAccessibleWidget(button, QAccessible::PushButton) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name: return button()->toolTip();
            case QAccessible::Description: return {};
            default: return QAccessibleWidget::text(kind);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        return state;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (button()->isEnabled()) QMetaObject::invokeMethod(button(), &QToolButton::click, Qt::QueuedConnection);
    }

private:
    QToolButton* button() const { return static_cast<QToolButton*>(widget()); }
};

QAccessibleInterface* ownInterface(const QString& className, QObject* object) {
    // Asked once per class of the object, most derived first: answered at the first.
    if (!object || className != QLatin1String(object->metaObject()->className())) return nullptr;
    if (plainContainer(*object)) return new ContainerAccessible(static_cast<QWidget*>(object));
    if (object->property(kGlyphButtonProperty).toBool())
        return new GlyphButtonAccessible(static_cast<QToolButton*>(object));
    return nullptr;
}

}  // namespace

void installScreenReaderSupport() { QAccessible::installFactory(&ownInterface); }

void hideFromScreenReaders(QWidget& widget) {
    installScreenReaderSupport();
    widget.setProperty(kHiddenProperty, true);
}

void announceAs(QWidget& container, QAccessible::Role role) {
    installScreenReaderSupport();
    container.setProperty(kRoleProperty, static_cast<int>(role));
}

void announceGlyphButton(QToolButton& button) {
    installScreenReaderSupport();
    button.setProperty(kGlyphButtonProperty, true);
}

}  // namespace velorine::ui
