#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QEvent>
#include <QFocusFrame>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolButton>
#include <QVariant>
#include <QWidget>

#include "controls/controls_accessibility.h"

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

namespace {

const QString kWatcherName = QStringLiteral("velorineKeyboardFocus");

// Qt's focus frame places itself around its widget, above it, and leaves screen readers and the
// mouse alone; only the drawing is the program's, the same on every style.
class FocusRing final : public QFocusFrame {
public:
    using QFocusFrame::QFocusFrame;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect outer = rect().adjusted(0, 0, -1, -1);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outer);
        painter.drawRect(outer.adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(outer);
        painter.drawRect(outer.adjusted(1, 1, -1, -1));
    }
};

class FocusWatcher final : public QObject {
public:
    explicit FocusWatcher(QWidget& widget) : QObject(&widget), widget_(widget) {
        setObjectName(kWatcherName);
        widget.installEventFilter(this);
    }

    const QWidget* frame() const { return ring_ && ring_->isVisible() ? ring_.data() : nullptr; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && widget_.window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
            if (!ring_) ring_ = new FocusRing(widget_.parentWidget());
            ring_->setWidget(&widget_);
        } else if (event->type() == QEvent::FocusOut && ring_) {
            ring_->setWidget(nullptr);
        }
        return false;
    }

private:
    QWidget& widget_;
    QPointer<FocusRing> ring_;
};

// The watcher has no meta-object of its own: it is found by its name.
const FocusWatcher* watcherOf(const QWidget& widget) {
    return static_cast<const FocusWatcher*>(widget.findChild<QObject*>(kWatcherName, Qt::FindDirectChildrenOnly));
}

}  // namespace

void drawKeyboardFocus(QWidget& widget) {
    if (!watcherOf(widget)) new FocusWatcher(widget);
}

const QWidget* keyboardFocusFrameOf(const QWidget& widget) {
    const FocusWatcher* watcher = watcherOf(widget);
    return watcher ? watcher->frame() : nullptr;
}

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
