#include "ui/reminder/reminder_list_delegate.h"

#include <QPainter>

namespace velorine::ui {

bool isNameDayLine(const QString& text) {
    return text.startsWith(QStringLiteral("Ce sera")) || text.startsWith(QStringLiteral("C'est"));
}

void ReminderListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->save();
    painter->fillRect(option.rect, selected ? option.palette.brush(QPalette::Active, QPalette::Highlight)
                                            : option.palette.brush(QPalette::Base));
    QColor ink = option.palette.color(QPalette::Text);
    if (isNameDayLine(text)) ink = kNameDayLineColour;
    if (selected) ink = Qt::white;
    painter->setPen(ink);
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter->restore();
}

QSize ReminderListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 2, kReminderLineHeight};
}

}  // namespace velorine::ui
