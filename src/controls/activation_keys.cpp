#include "controls/activation_keys.h"

#include <QKeyEvent>

namespace velorine::controls {

bool IsActivationKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: return true;
        default: return false;
    }
}

}  // namespace velorine::controls
