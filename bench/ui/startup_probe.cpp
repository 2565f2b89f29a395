// The real start of the program, timed: the whole run, exactly as main() runs it. When the first
// window of the run (the main window, or the reminder window in the reminder modes) has been
// painted, prints the wall-clock time (nanoseconds since the epoch) and the peak resident memory,
// and closes the window. measure_startup.sh compares the time with the instant it started the
// process.
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "ui/main/main_window.h"
#include "ui/reminder/reminder_window.h"
#include "ui/program.h"

namespace {

long peakResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

class FirstPaint final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || done_) return false;
        // The window itself may get no paint event of its own when its controls cover it.
        auto* painted = qobject_cast<QWidget*>(watched);
        QWidget* window = painted ? painted->window() : nullptr;
        if (window && (qobject_cast<velorine::ui::TForm1*>(window) || qobject_cast<velorine::ui::TFRappel*>(window))) {
            done_ = true;
            // Once the whole window, its controls included, is painted.
            QTimer::singleShot(0, window, [window] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("%lld %ld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                            peakResidentKilobytes());
                window->close();
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

void watchFirstPaint() { qApp->installEventFilter(new FirstPaint); }
Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)

}  // namespace

int main(int argc, char** argv) { return velorine::ui::runProgram(argc, argv); }
