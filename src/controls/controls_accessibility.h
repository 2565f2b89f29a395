#pragma once
// What screen readers learn of the program's own controls, through Qt's accessibility (AT-SPI on
// Linux): TIEButton is a push button (a toggle in a group) named by its caption, or by its hint
// when it shows a glyph alone, with its Alt accelerator and a press action; TBanner is a link named
// by its text when something handles its click, else that text or picture.
//
// InstallControlsAccessibility() registers the interfaces with Qt once per process; every TIEButton
// and TBanner calls it when created, so whoever uses them needs do nothing. Actions asked for by a
// screen reader run from the event loop, after the request has been answered: a press that opens a
// modal window does not hold the reader up.

#include <QAccessibleWidget>
#include <QPoint>

class QKeyEvent;
class QWidget;

namespace velorine::controls {

void InstallControlsAccessibility();

// The keys that act on a focused control as a click does: Space, Return and Enter. A key held down
// acts once: callers leave its repeats alone.

bool IsActivationKey(const QKeyEvent& key);

// The topmost visible, enabled child of `parent` whose rectangle holds `position` (in the
// parent's coordinates), or null. Disabled children are looked through, not stopped at.
QWidget* ControlUnderPointer(const QWidget& parent, QPoint position);

// TBannerAccessible: a TBanner as screen readers see it.
//
// Role: a link when something handles its OnClick, else static text, or a picture when its content
// is a bitmap. Name: the accessible name when one is set, else its text (ScrollText without the
// blanks that space its repetitions, or its Lines joined). Description: its hint (tooltip). State:
// Qt's for any widget, animated while it scrolls. Action: press, for a link only, raises OnClick
// from the event loop.

class TBanner;

class TBannerAccessible final : public QAccessibleWidget {
public:
    explicit TBannerAccessible(TBanner* banner);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    TBanner* banner() const;
};

// TIEButtonAccessible: a TIEButton as screen readers see it.
//
// Role: a push button, a button menu when it has a DropDownMenu. Name: the accessible name when one
// is set, else the caption without its "&" marks, else the hint (tooltip) of a glyph-only button.
// Description: the hint, unless it already serves as the name. Accelerator: Alt and the caption's
// marked letter. State: Qt's for any widget, plus checkable and checked for a button of a group.
// Actions: press (show menu with a DropDownMenu), which does what Press() does, from the event loop;
// nothing while the button is disabled.

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
