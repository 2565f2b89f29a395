#pragma once
// Designer names: `TIEButton` is the control; its properties keep their designer names
//   (`Caption`, `Glyph`, `NumGlyphs` — what it shows; `Margin`, `WordWrap` — where;
//   `SleepingFontColor`, `SoftShading`, `Transparent`, `StandardButton` — how it looks at rest;
//   `GroupIndex`, `AllowAllUp`, `Down` and `SetGroupIndex`/`UpdateExclusive` — grouping like radio
//   buttons; `DropDownArrow`, `DropDownArrowHorz`, `DropDownMenu` — the drop-down arrow). The reminder
//   window's `IEButton1` to `IEButton4` are four of them.

// TIEButton: a push button in the flat toolbar style, drawn by the program itself.
//
// Away from the pointer it sleeps: no frame, caption in SleepingFontColor. Under the pointer it
// is hot: raised frame, caption in the font colour (the palette's WindowText). Pressed, it is
// sunken with its content one pixel right and down. It may carry a glyph strip (up to five
// images, one per state), a caption that wraps, a drop-down arrow and menu, and the latched
// Down state of a toolbar button, exclusive within a GroupIndex among its siblings.
//
// It takes no keyboard focus unless its owner gives it a focus policy; "&" in the caption marks an
// accelerator letter (Alt and the letter clicks it while it is enabled and shown). Focused, Space or
// Enter presses it (Press). Screen readers see a push button (controls_accessibility.h). It is
// opaque unless Transparent.
//
// OnClick is raised on every release of the left button that reaches an enabled button without a
// DropDownMenu, also when the pointer has left it after a press that began on it; a grouped
// button toggles Down only when released over it. While a press is held, the other flat buttons
// of the parent light up as the pointer passes over them.
//
// The look is recomputed on every change of the situation it depends on (UpdateState) and the
// button repaints only when the frame look or the glyph state really changes. State images are
// built once per state and shared by size through TGlyphCache.

#include <QColor>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

#include "controls/button_glyph.h"
#include "controls/button_parts.h"

class QShortcut;

namespace velorine::controls {

class TIEButton : public QWidget {
    Q_OBJECT

public:
    explicit TIEButton(QWidget* parent = nullptr);
    ~TIEButton() override;

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex);

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allowAllUp);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // Always false with GroupIndex 0; a down button of a group that does not allow all up cannot
    // be released this way, only by another button of its group going down.
    bool Down() const { return down_; }
    void SetDown(bool down);

    bool DropDownArrow() const { return dropDownArrow_; }
    void SetDropDownArrow(bool dropDownArrow);

    bool DropDownArrowHorz() const { return dropDownArrowHorz_; }
    void SetDropDownArrowHorz(bool dropDownArrowHorz);

    // Opened under the button (or at its right with DropDownArrowHorz) by a press when GroupIndex
    // is 0. Cleared by itself when the menu is destroyed.
    QMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(QMenu* menu) { dropDownMenu_ = menu; }

    const QImage& Glyph() const { return glyph_.Strip(); }
    void SetGlyph(const QImage& strip);

    // A glyph strip drawn for a device pixel ratio. The button sets its Glyph from it at once and
    // again whenever it is painted at another ratio (a screen of another density), so that the
    // glyph is always drawn with the screen's own pixels.
    using GlyphSource = std::function<QImage(qreal devicePixelRatio)>;
    void SetGlyphSource(GlyphSource source);

    // -1 is automatic; values below -1 are ignored.
    int Margin() const { return margin_; }
    void SetMargin(int margin);

    // Clamped to 1..4; a strip of five images is recognised only from its shape.
    int NumGlyphs() const { return glyph_.Count(); }
    void SetNumGlyphs(int numGlyphs);

    QColor SleepingFontColor() const { return sleepingFontColor_; }
    void SetSleepingFontColor(const QColor& colour);

    bool SoftShading() const { return softShading_; }
    void SetSoftShading(bool softShading);

    // Raised and never sleeping, even away from the pointer.
    bool StandardButton() const { return standardButton_; }
    void SetStandardButton(bool standardButton);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

    FrameLook CurrentFrameLook() const { return look_.frame; }
    GlyphState CurrentGlyphState() const { return look_.glyph; }

    // Recomputes the look from the situation; repaints only when it changed.
    void UpdateState();

    // Tells the siblings of the same group that this button's Down or AllowAllUp changed.
    void UpdateExclusive();

    void Click();

    // What a click over the button does, without the mouse (Space or Enter while it has the focus,
    // a screen reader's press): a grouped button changes Down, then OnClick is raised; a button
    // with a DropDownMenu opens it instead. Nothing while disabled.
    void Press();

signals:
    void OnClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void OnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ButtonSituation situation() const;
    bool applyLook(const ButtonLook& look);
    void pointerEntered();
    void pointerLeft();
    void followPointer(QPoint position);
    void openDropDownMenu();
    void groupNotice(int groupIndex, TIEButton* sender);
    void setDownState(bool down);
    template <typename Value>
    void storeAndRepaint(Value& field, const Value& value);

    void followDevicePixelRatio();

    TButtonGlyph glyph_;
    GlyphSource glyphSource_;
    ButtonLook look_;
    QString caption_;
    QColor sleepingFontColor_ = Qt::black;
    QPointer<QMenu> dropDownMenu_;
    QPointer<TIEButton> lastEntered_;
    QShortcut* accelerator_;
    // Every button of the program has its glyph left of the caption, four pixels apart.
    static constexpr TButtonLayout kLayout = blGlyphLeft;
    static constexpr int kSpacing = 4;
    int groupIndex_ = 0;
    int margin_ = -1;
    bool allowAllUp_ = false;
    bool down_ = false;
    bool dropDownArrow_ = false;
    bool dropDownArrowHorz_ = false;
    bool softShading_ = false;
    bool standardButton_ = false;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool pressed_ = false;
    bool mouseInside_ = false;
};

}  // namespace velorine::controls
