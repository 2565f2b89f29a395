#include "ui/reminder/reminder_list_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace velorine::ui {
namespace {

constexpr int kTextIndent = 2;

// Whether a line of the reminder list is drawn as a name-day line.
bool isNameDayLine(const QString& text) {
    return text.startsWith(QStringLiteral("Ce sera")) || text.startsWith(QStringLiteral("C'est"));
}

}  // namespace

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
    painter->drawText(option.rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      text);
    painter->restore();
}

QSize ReminderListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + kTextIndent,
            kReminderLineHeight};
}

bool ReminderListDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    // The list never scrolls sideways: what passes its right edge can only be read here.
    if (kTextIndent + option.fontMetrics.horizontalAdvance(text) > view->viewport()->width())
        QToolTip::showText(event->globalPos(), text, view->viewport(), view->visualRect(index));
    else
        QToolTip::hideText();
    return true;
}

}  // namespace velorine::ui
