#pragma once
// TIEButtonAccessible: a TIEButton as screen readers see it.
//
// Role: a push button, a button menu when it has a DropDownMenu. Name: the accessible name when one
// is set, else the caption without its "&" marks, else the hint (tooltip) of a glyph-only button.
// Description: the hint, unless it already serves as the name. Accelerator: Alt and the caption's
// marked letter. State: Qt's for any widget, plus checkable and checked for a button of a group.
// Actions: press (show menu with a DropDownMenu), which does what Press() does, from the event loop;
// nothing while the button is disabled.

#include <QAccessibleWidget>

namespace velorine::controls {

class TIEButton;

class TIEButtonAccessible final : public QAccessibleWidget {
public:
    explicit TIEButtonAccessible(TIEButton* button);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    TIEButton* button() const;
    QString pressName() const;
};

}  // namespace velorine::controls
