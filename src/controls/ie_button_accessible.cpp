#include "controls/ie_button_accessible.h"

#include <QKeySequence>

#include "controls/ie_button.h"

namespace velorine::controls {
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
