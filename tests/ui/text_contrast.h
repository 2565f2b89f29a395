#pragma once
// How readable the texts of a window are, measured on the pixels it draws: each text is drawn
// once as the window shows it and once made invisible, and the pixels that change are the text's;
// the contrast of a text is the highest contrast between such a pixel and the pixel behind it, as
// the accessibility guidelines define contrast (4.5:1 is what ordinary text needs).

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

namespace velorine::ui::testing {

// (L1 + 0.05) / (L2 + 0.05) of the relative luminances, the lighter first: 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

struct TextContrast {
    QString text;  // the widget's object name and the text measured
    double ratio;  // 1 when the text left no pixel at all
};

// Every text of an enabled, visible widget of `window`: labels, buttons, check and option boxes,
// group box titles, edit boxes, menu bars, headers, the rows of lists and tables and of the month
// grid, and the captions of the program's flat buttons.
std::vector<TextContrast> textContrasts(QWidget& window);

// A dark palette as a desktop's dark theme gives, every role set.
QPalette darkPalette();

}  // namespace velorine::ui::testing
