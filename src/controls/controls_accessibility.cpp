#include "controls/controls_accessibility.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include "controls/banner.h"
#include "controls/ie_button.h"

namespace velorine::controls {

namespace {

QAccessibleInterface* OwnControlsInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(TIEButton::staticMetaObject.className())) {
        return new TIEButtonAccessible(static_cast<TIEButton*>(object));
    }
    if (className == QLatin1String(TBanner::staticMetaObject.className())) {
        return new TBannerAccessible(static_cast<TBanner*>(object));
    }
    return nullptr;
}

}  // namespace

void InstallControlsAccessibility() {
    // Qt keeps one copy of a factory however often it is installed.
    QAccessible::installFactory(&OwnControlsInterface);
}

bool IsActivationKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: return true;
        default: return false;
    }
}

QWidget* ControlUnderPointer(const QWidget& parent, QPoint position) {
    // Children are kept in stacking order, the topmost last.
    const QObjectList& children = parent.children();
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        auto* widget = qobject_cast<QWidget*>(*child);
        if (widget != nullptr && !widget->isWindow() && !widget->isHidden() && widget->isEnabled() &&
            widget->geometry().contains(position)) {
            return widget;
        }
    }
    return nullptr;
}

TBannerAccessible::TBannerAccessible(TBanner* banner) : QAccessibleWidget(banner, QAccessible::StaticText) {}

TBanner* TBannerAccessible::banner() const { return static_cast<TBanner*>(widget()); }

QAccessible::Role TBannerAccessible::role() const {
    if (banner()->HasClickHandler()) {
        return QAccessible::Link;
    }
    const bool text = !banner()->ScrollText().isEmpty() || !banner()->Lines().isEmpty();
    return text || banner()->Bitmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
}

QAccessible::State TBannerAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.animated = banner()->Enabled();
    return state;
}

QString TBannerAccessible::text(QAccessible::Text kind) const {
    if (kind != QAccessible::Name) {
        return QAccessibleWidget::text(kind);
    }
    if (!banner()->accessibleName().isEmpty()) {
        return banner()->accessibleName();
    }
    if (!banner()->ScrollText().isEmpty()) {
        return banner()->ScrollText().trimmed();
    }
    QStringList lines;
    for (const QString& line : banner()->Lines()) {
        if (!line.trimmed().isEmpty()) {
            lines << line.trimmed();
        }
    }
    return lines.join(QLatin1Char(' '));
}

QStringList TBannerAccessible::actionNames() const {
    QStringList names;
    if (banner()->HasClickHandler()) {
        names << pressAction();
    }
    return names + QAccessibleWidget::actionNames();
}

void TBannerAccessible::doAction(const QString& action) {
    if (action == pressAction() && banner()->HasClickHandler()) {
        QMetaObject::invokeMethod(banner(), &TBanner::OnClick, Qt::QueuedConnection);
        return;
    }
    QAccessibleWidget::doAction(action);
}

namespace {

// "&Oui" reads "Oui"; "&&" stands for one "&".
QString WithoutMnemonicMarks(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        plain += caption[i];
    }
    return plain;
}

}  // namespace

TIEButtonAccessible::TIEButtonAccessible(TIEButton* button) : QAccessibleWidget(button, QAccessible::PushButton) {}

TIEButton* TIEButtonAccessible::button() const { return static_cast<TIEButton*>(widget()); }

QAccessible::Role TIEButtonAccessible::role() const {
    return button()->DropDownMenu() != nullptr ? QAccessible::ButtonMenu : QAccessible::PushButton;
}

QAccessible::State TIEButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (button()->GroupIndex() != 0) {
        state.checkable = true;
        state.checked = button()->Down();
    }
    return state;
}

QString TIEButtonAccessible::text(QAccessible::Text kind) const {
    const QString hint = button()->toolTip();
    switch (kind) {
        case QAccessible::Name: {
            if (!button()->accessibleName().isEmpty()) {
                return button()->accessibleName();
            }
            const QString caption = WithoutMnemonicMarks(button()->Caption());
            return caption.isEmpty() ? hint : caption;
        }
        case QAccessible::Description:
            if (!button()->accessibleDescription().isEmpty()) {
                return button()->accessibleDescription();
            }
            return text(QAccessible::Name) == hint ? QString() : hint;
        case QAccessible::Accelerator:
            return QKeySequence::mnemonic(button()->Caption()).toString(QKeySequence::NativeText);
        default: return QAccessibleWidget::text(kind);
    }
}

QString TIEButtonAccessible::pressName() const {
    return button()->DropDownMenu() != nullptr ? showMenuAction() : pressAction();
}

QStringList TIEButtonAccessible::actionNames() const {
    QStringList names;
    if (button()->isEnabled()) {
        names << pressName();
    }
    return names + QAccessibleWidget::actionNames();
}

void TIEButtonAccessible::doAction(const QString& action) {
    if (action != pressName()) {
        QAccessibleWidget::doAction(action);
        return;
    }
    QMetaObject::invokeMethod(button(), &TIEButton::Press, Qt::QueuedConnection);
}

QStringList TIEButtonAccessible::keyBindingsForAction(const QString& action) const {
    const QString accelerator = text(QAccessible::Accelerator);
    if (action == pressName() && !accelerator.isEmpty()) {
        return {accelerator};
    }
    return QAccessibleWidget::keyBindingsForAction(action);
}

}  // namespace velorine::controls
