#pragma once
// Long work done off the window's thread: the windows go on painting while it runs, and a busy
// progress dialog ("Importation en cours") appears over the window when it lasts more than half a
// second. The user's clicks and keys wait until it is done: the work (an import committed to the
// data file) is never left half-made, and nothing else may change the list meanwhile.
//
// `work` must not touch any widget. What it throws is thrown again here, once the thread is over.

#include <QString>

#include <chrono>
#include <functional>

class QWidget;

namespace velorine::ui {

inline constexpr std::chrono::milliseconds kProgressDelay{500};

// Returns when `work` is over. The dialog is a child of `window` named "Progression".
void runWithProgress(QWidget& window, const QString& title, const QString& text, const std::function<void()>& work,
                     std::chrono::milliseconds delay = kProgressDelay);

}  // namespace velorine::ui
