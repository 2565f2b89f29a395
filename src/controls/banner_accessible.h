#pragma once
// TBannerAccessible: a TBanner as screen readers see it.
//
// Role: a link when something handles its OnClick, else static text, or a picture when its content
// is a bitmap. Name: the accessible name when one is set, else its text (ScrollText without the
// blanks that space its repetitions, or its Lines joined). Description: its hint (tooltip). State:
// Qt's for any widget, animated while it scrolls. Action: press, for a link only, raises OnClick
// from the event loop.

#include <QAccessibleWidget>

namespace velorine::controls {

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

}  // namespace velorine::controls
