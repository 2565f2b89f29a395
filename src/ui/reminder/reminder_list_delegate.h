#pragma once
// How the reminder list draws its lines: each on the list's background (the selection colour for the
// selected one), 2 pixels from the left, at the top of its 13-pixel row; birthday lines in the
// list's text colour, name-day lines ("Ce sera …", "C'est …") in green, the selected line in white.
// A line too long for the list shows whole in its tooltip.

#include <QColor>
#include <QStyledItemDelegate>

namespace velorine::ui {

inline constexpr int kReminderLineHeight = 13;
inline const QColor kNameDayLineColour(0, 128, 0);

class ReminderListDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

}  // namespace velorine::ui
