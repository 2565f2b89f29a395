#pragma once
// TUpDown: a pair of small horizontal arrows, left and right, that step a position within a range.
// A press of an arrow that would take the position beyond its end does nothing at all: no step,
// no Click. Held down, an arrow repeats, as such arrows do.

#include <QWidget>

class QToolButton;

namespace velorine::ui {

enum class TUDBtnType { btNext, btPrev };  // right arrow, left arrow

class TUpDown final : public QWidget {
    Q_OBJECT
public:
    TUpDown(int min, int max, QWidget* parent);

    int Position() const { return position_; }

    // What a press of an arrow does, for the keyboard: one step, or nothing beyond the range.
    void step(TUDBtnType button);
    // The arrows' names for screen readers.
    void nameArrows(const QString& previous, const QString& next);
    int Min() const { return min_; }
    int Max() const { return max_; }

signals:
    // After each step that was made; btNext has raised the position by one, btPrev lowered it.
    void Click(TUDBtnType button);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* previous_;
    QToolButton* next_;
    int min_;
    int max_;
    int position_ = 0;
};

}  // namespace velorine::ui
