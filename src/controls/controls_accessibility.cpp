#include "controls/controls_accessibility.h"

#include <QAccessible>

#include "controls/banner.h"
#include "controls/banner_accessible.h"
#include "controls/ie_button.h"
#include "controls/ie_button_accessible.h"

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

}  // namespace velorine::controls
