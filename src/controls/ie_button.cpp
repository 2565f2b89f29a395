#include "controls/ie_button.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>

#include <algorithm>

#include "controls/activation_keys.h"
#include "controls/controls_accessibility.h"

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

void TIEButton::SetLayout(TButtonLayout layout) { storeAndRepaint(layout_, layout); }

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

void TIEButton::SetSpacing(int spacing) { storeAndRepaint(spacing_, spacing); }

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

}  // namespace velorine::controls
