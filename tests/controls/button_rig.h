#pragma once

// Flat buttons of the reminder window's size side by side in a shown window, and the pointer
// moves and presses that put them in each state. Input must go through the window (define
// QTEST_QPA_MOUSE_HANDLING before including QtTest).

#include <QtTest>

#include <vector>

#include "controls/ie_button.h"
#include "image_checks.h"

namespace velorine::controls::testing {

const QColor kBehind(30, 90, 160);
const QColor kFontColour(0, 0, 255);

// Flat buttons of the reminder window's size side by side in a shown window.
class ButtonRig {
public:
    explicit ButtonRig(int count = 1) {
        window_.resize(300, 60);
        QPalette behind = window_.palette();
        behind.setColor(QPalette::Window, kBehind);
        window_.setPalette(behind);
        window_.setAutoFillBackground(true);
        for (int i = 0; i < count; ++i) {
            auto* button = new TIEButton(&window_);
            button->setGeometry(10 + 90 * i, 10, 81, 25);
            button->setFont(CrispFont(11, true));
            QPalette colours = button->palette();
            colours.setColor(QPalette::WindowText, kFontColour);
            button->setPalette(colours);
            button->SetCaption(QStringLiteral("&Oui"));
            buttons_.push_back(button);
        }
        window_.show();
        if (!QTest::qWaitForWindowExposed(&window_)) {
            qFatal("the test window was never shown");
        }
        MoveAway();
    }

    TIEButton& operator[](int i) { return *buttons_[static_cast<std::size_t>(i)]; }
    QWidget& Window() { return window_; }

    void MoveOnto(TIEButton& button) { QTest::mouseMove(&button, {40, 12}); }
    void MoveAway() { QTest::mouseMove(&window_, {295, 55}); }
    void Press(TIEButton& button) { QTest::mousePress(&button, Qt::LeftButton, {}, {40, 12}); }
    void Release(TIEButton& button, QPoint at = {40, 12}) { QTest::mouseRelease(&button, Qt::LeftButton, {}, at); }
    void Click(TIEButton& button) {
        MoveOnto(button);
        Press(button);
        Release(button);
    }
    // What the screen shows where the button is, whatever lies behind it.
    QImage Shot(TIEButton& button) { return window_.grab(button.geometry()).toImage(); }

private:
    QWidget window_;
    std::vector<TIEButton*> buttons_;
};

}  // namespace velorine::controls::testing
