#pragma once
// The program's pictures, embedded in the binary (resources/resources.qrc): the program icon, the
// button glyphs, the cursor of the web-site link, the pictures of the reminder window and the about
// box's mail icon.

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace velorine::ui {

// A glyph and its disabled image: ":/pictures/<name>.png" and "<name>_disabled.png".
QIcon twoImageGlyph(const QString& name);
// The party hat, from 16 to 128 pixels.
QIcon programIcon();
// "LienHtml": a pointing hand in front of a small envelope, 32 x 32, pointing with the fingertip.
QCursor linkCursor();
// The reminder window's pictures, numbered from 1 to kReminderPictureCount, each at its own size.
inline constexpr int kReminderPictureCount = 8;
QPixmap reminderPicture(int number);
// A 16 x 16 glyph of the reminder window's answers: "answer_yes", "answer_no", "answer_tomorrow".
QImage answerGlyph(const QString& name);
// A letter envelope with a stamp, 32 x 32.
QPixmap mailIcon();

}  // namespace velorine::ui
