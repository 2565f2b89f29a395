#include "controls/ie_button.h"

#include <QAccessible>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include <algorithm>

#include "controls/controls_accessibility.h"
#include "controls/button_parts.h"

namespace velorine::controls {

TIEButton::TIEButton(QWidget* parent) : QWidget(parent), accelerator_(new QShortcut(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    resize(25, 25);
    InstallControlsAccessibility();
    accelerator_->setContext(Qt::WindowShortcut);
    connect(accelerator_, &QShortcut::activated, this, [this] {
        if (isEnabled()) {
            Click();
        }
    });
}

TIEButton::~TIEButton() = default;

template <typename Value>
void TIEButton::storeAndRepaint(Value& field, const Value& value) {
    if (field != value) {
        field = value;
        update();
    }
}

void TIEButton::SetGroupIndex(int groupIndex) {
    if (groupIndex != groupIndex_) {
        groupIndex_ = groupIndex;
        UpdateExclusive();
    }
}

void TIEButton::SetAllowAllUp(bool allowAllUp) {
    if (allowAllUp != allowAllUp_) {
        allowAllUp_ = allowAllUp;
        UpdateExclusive();
    }
}

void TIEButton::SetCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        accelerator_->setKey(QKeySequence::mnemonic(caption));
        QAccessibleEvent named(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        update();
    }
}

void TIEButton::SetDown(bool down) {
    if (groupIndex_ == 0) {
        down = false;
    }
    if (down == down_ || (down_ && !allowAllUp_)) {
        return;
    }
    setDownState(down);
    if (down) {
        UpdateExclusive();
    }
}

void TIEButton::setDownState(bool down) {
    down_ = down;
    UpdateState();
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent checked(this, changed);
    QAccessible::updateAccessibility(&checked);
}

void TIEButton::SetDropDownArrow(bool dropDownArrow) { storeAndRepaint(dropDownArrow_, dropDownArrow); }

void TIEButton::SetDropDownArrowHorz(bool dropDownArrowHorz) {
    if (dropDownArrowHorz != dropDownArrowHorz_) {
        dropDownArrowHorz_ = dropDownArrowHorz;
        if (dropDownArrow_) {
            update();
        }
    }
}

void TIEButton::SetGlyph(const QImage& strip) {
    glyphSource_ = nullptr;
    glyph_.SetStrip(strip);
    update();
}

void TIEButton::SetGlyphSource(GlyphSource source) {
    glyphSource_ = std::move(source);
    if (glyphSource_) {
        glyph_.SetStrip(glyphSource_(devicePixelRatioF()));
    }
    update();
}

void TIEButton::followDevicePixelRatio() {
    if (glyphSource_ && glyph_.Strip().devicePixelRatio() != devicePixelRatioF()) {
        glyph_.SetStrip(glyphSource_(devicePixelRatioF()));
    }
}

void TIEButton::SetMargin(int margin) {
    if (margin >= -1) {
        storeAndRepaint(margin_, margin);
    }
}

void TIEButton::SetNumGlyphs(int numGlyphs) {
    numGlyphs = std::clamp(numGlyphs, 1, 4);
    if (numGlyphs != glyph_.Count()) {
        glyph_.SetCount(numGlyphs);
        update();
    }
}

void TIEButton::SetSleepingFontColor(const QColor& colour) { storeAndRepaint(sleepingFontColor_, colour); }

void TIEButton::SetSoftShading(bool softShading) { storeAndRepaint(softShading_, softShading); }

void TIEButton::SetStandardButton(bool standardButton) {
    if (standardButton != standardButton_) {
        standardButton_ = standardButton;
        UpdateState();
    }
}

void TIEButton::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
        update();
    }
}

void TIEButton::SetWordWrap(bool wordWrap) { storeAndRepaint(wordWrap_, wordWrap); }

ButtonSituation TIEButton::situation() const { return {isEnabled(), down_, mouseInside_, pressed_, standardButton_}; }

bool TIEButton::applyLook(const ButtonLook& look) {
    if (look == look_) {
        return false;
    }
    look_ = look;
    return true;
}

void TIEButton::UpdateState() {
    if (applyLook(LookFor(situation()))) {
        update();
    }
}

void TIEButton::UpdateExclusive() {
    if (groupIndex_ == 0 || parentWidget() == nullptr) {
        return;
    }
    for (QObject* sibling : parentWidget()->children()) {
        if (auto* button = qobject_cast<TIEButton*>(sibling)) {
            button->groupNotice(groupIndex_, this);
        }
    }
}

void TIEButton::groupNotice(int groupIndex, TIEButton* sender) {
    if (groupIndex != groupIndex_ || sender == this) {
        return;
    }
    if (sender->down_ && down_) {
        setDownState(false);
    }
    // The whole group shares the rule of the last button that spoke.
    allowAllUp_ = sender->allowAllUp_;
}

void TIEButton::Click() { emit OnClick(); }

void TIEButton::Press() {
    if (!isEnabled()) {
        return;
    }
    if (dropDownMenu_ && groupIndex_ == 0) {
        openDropDownMenu();
        return;
    }
    if (groupIndex_ != 0) {
        SetDown(!down_);
    }
    if (!dropDownMenu_) {
        Click();
    }
}

void TIEButton::keyPressEvent(QKeyEvent* event) {
    if (!IsActivationKey(*event)) {
        QWidget::keyPressEvent(event);
    } else if (!event->isAutoRepeat()) {
        Press();
    }
}

void TIEButton::pointerEntered() {
    mouseInside_ = true;
    if (isEnabled()) {
        UpdateState();
    }
}

void TIEButton::pointerLeft() {
    mouseInside_ = false;
    if (isEnabled()) {
        UpdateState();
    }
}

void TIEButton::enterEvent(QEnterEvent*) { pointerEntered(); }

void TIEButton::leaveEvent(QEvent*) { pointerLeft(); }

void TIEButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
        case QEvent::EnabledChange:
            // A disabled widget gets no release: a press it was holding can never end.
            if (!isEnabled()) {
                pressed_ = false;
            }
            UpdateState();
            break;
        case QEvent::PaletteChange:
            glyph_.DiscardImages();
            update();
            break;
        default: break;
    }
}

void TIEButton::mousePressEvent(QMouseEvent* event) {
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
    if (isEnabled() && event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
    UpdateState();
    if (pressed_ && dropDownMenu_ && groupIndex_ == 0) {
        openDropDownMenu();
    }
}

void TIEButton::openDropDownMenu() {
    const QPoint corner = dropDownArrowHorz_ ? QPoint(width(), 0) : QPoint(0, height());
    const QPointer<TIEButton> alive(this);
    const QPointer<QMenu> menu(dropDownMenu_);
    // The click that closes the menu is used up by closing it: it must not press anything again.
    const bool replayedBefore = !menu->testAttribute(Qt::WA_NoMouseReplay);
    menu->setAttribute(Qt::WA_NoMouseReplay);
    menu->exec(mapToGlobal(corner));
    if (menu) {
        menu->setAttribute(Qt::WA_NoMouseReplay, !replayedBefore);
    }
    if (!alive) {
        return;  // a menu command closed the window that held the button
    }
    pressed_ = false;
    mouseInside_ = rect().contains(mapFromGlobal(QCursor::pos()));
    UpdateState();
}

void TIEButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    emit OnMouseMove(event->buttons(), event->modifiers(), position);
    followPointer(position);
}

void TIEButton::followPointer(QPoint position) {
    QWidget* under = parentWidget() != nullptr ? ControlUnderPointer(*parentWidget(), mapToParent(position))
                                               : (rect().contains(position) ? this : nullptr);
    if (pressed_) {
        TIEButton* other = under != this ? qobject_cast<TIEButton*>(under) : nullptr;
        if (lastEntered_ && lastEntered_ != other) {
            lastEntered_->pointerLeft();
        }
        if (other != nullptr) {
            other->pointerEntered();
        }
        lastEntered_ = other;
    }
    // Qt reports no enter or leave while a press is held, and the press keeps every move for this
    // button: it follows the pointer itself.
    const bool over = under == this;
    if (over && !mouseInside_) {
        pointerEntered();
    } else if (!over && mouseInside_) {
        pointerLeft();
    }
}

void TIEButton::mouseReleaseEvent(QMouseEvent* event) {
    emit OnMouseUp(event->button(), event->modifiers(), event->position().toPoint());
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (pressed_) {
        pressed_ = false;
        if (mouseInside_ && groupIndex_ != 0) {
            SetDown(!down_);
        }
        UpdateState();
    }
    if (isEnabled() && !dropDownMenu_) {
        Click();
    }
}

void TIEButton::paintEvent(QPaintEvent*) {
    // The first paint computes the look and draws it at once: an opaque button that drew nothing
    // would show whatever the screen held there for a frame.
    if (look_.frame == FrameLook::NotComputed) {
        applyLook(LookFor(situation()));
    }
    followDevicePixelRatio();
    QPainter painter(this);
    const QPalette& colours = palette();
    const QRect content = DrawButtonFace(painter, rect(), look_.frame, {softShading_, transparent_}, colours);
    if (look_.glyph == GlyphState::Down) {
        painter.fillRect(content, QBrush(DitherTile(colours.color(QPalette::Button))));
    }

    painter.setFont(font());
    const ButtonLayout layout = CalcButtonLayout({content.size(), glyph_.ImageSize(), caption_, dropDownArrow_,
                                                  dropDownArrowHorz_, kLayout, margin_, kSpacing, wordWrap_},
                                                 painter.fontMetrics());
    const QPoint origin = content.topLeft();
    const bool disabled = look_.glyph == GlyphState::Disabled;

    glyph_.Draw(painter, origin + layout.glyph, look_.glyph, colours,
                transparent_ ? DisabledBackground::None : DisabledBackground::Face);
    if (!caption_.isEmpty()) {
        const QColor textColour =
            look_.glyph == GlyphState::Sleeping ? sleepingFontColor_ : colours.color(QPalette::WindowText);
        DrawCaption(painter, layout.caption.translated(origin), caption_, wordWrap_, disabled, textColour);
    }
    if (dropDownArrow_) {
        DrawDropDownArrow(painter, origin + layout.arrow, dropDownArrowHorz_, disabled);
    }
}

}  // namespace velorine::controls
