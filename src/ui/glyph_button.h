#pragma once
// The push buttons of the program's dialogs, "OK" and "Annuler": a caption beside its glyph, drawn
// greyed when the button is disabled, at the place and size the dialog was designed with.

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

namespace velorine::ui {

// `glyph` names the pair of pictures of twoImageGlyph (pictures.h); `name` is the object name.
QPushButton* addGlyphButton(QWidget* parent, const QString& name, const QString& text, const QString& glyph,
                            const QRect& geometry);

}  // namespace velorine::ui
