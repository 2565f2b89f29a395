#pragma once
// The program's pictures, embedded in the binary (resources/resources.qrc): the program icon, the
// button glyphs and the cursor of the web-site link.

#include <QCursor>
#include <QIcon>
#include <QString>

namespace velorine::ui {

// A glyph and its disabled image: ":/pictures/<name>.png" and "<name>_disabled.png".
QIcon twoImageGlyph(const QString& name);
// The party hat, from 16 to 128 pixels.
QIcon programIcon();
// "LienHtml": a pointing hand in front of a small envelope, 32 x 32, pointing with the fingertip.
QCursor linkCursor();

}  // namespace velorine::ui
