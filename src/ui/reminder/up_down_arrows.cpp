#include "ui/reminder/up_down_arrows.h"

#include <QToolButton>

namespace velorine::ui {
namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

TUpDown::TUpDown(int min, int max, QWidget* parent)
    : QWidget(parent),
      previous_(arrowButton(this, Qt::LeftArrow, QStringLiteral("previous"))),
      next_(arrowButton(this, Qt::RightArrow, QStringLiteral("next"))),
      min_(min),
      max_(max) {
    connect(previous_, &QToolButton::clicked, this, [this] { step(TUDBtnType::btPrev); });
    connect(next_, &QToolButton::clicked, this, [this] { step(TUDBtnType::btNext); });
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    previous_->setGeometry(0, 0, half, height());
    next_->setGeometry(half, 0, width() - half, height());
}

void TUpDown::nameArrows(const QString& previous, const QString& next) {
    previous_->setAccessibleName(previous);
    next_->setAccessibleName(next);
}

void TUpDown::step(TUDBtnType button) {
    const int moved = position_ + (button == TUDBtnType::btNext ? 1 : -1);
    if (moved < min_ || moved > max_) return;
    position_ = moved;
    emit Click(button);
}

}  // namespace velorine::ui
