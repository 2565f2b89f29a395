#include "controls/banner_accessible.h"

#include "controls/banner.h"

namespace velorine::controls {

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

}  // namespace velorine::controls
