#include "text_contrast.h"

#include <QAbstractItemView>
#include <QAbstractButton>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QStyleOptionGroupBox>
#include <QTableView>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QToolButton>

#include <cmath>
#include <functional>

#include "controls/ie_button.h"

namespace velorine::ui::testing {
namespace {

double channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}

// A text to measure: where it lies in its widget, and how to hide it and show it again.
struct TextElement {
    QString text;
    QWidget* widget;
    QRect area;
    std::function<void(bool hidden)> hide;
};

// Text roles made transparent and back: the widget draws everything but its texts.
std::function<void(bool)> hidingTextRoles(QWidget* widget) {
    const QPalette shown = widget->palette();
    return [widget, shown](bool hidden) {
        if (!hidden) {
            widget->setPalette(shown);
            return;
        }
        QPalette palette = shown;
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText,
                          QPalette::BrightText, QPalette::Link, QPalette::LinkVisited}) {
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                palette.setColor(group, role, Qt::transparent);
        }
        widget->setPalette(palette);
    };
}

void addListRows(QListWidget* list, std::vector<TextElement>& elements) {
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        const QRect area = list->visualItemRect(item);
        if (item->text().isEmpty() || !list->viewport()->rect().contains(area)) continue;
        const QString text = item->text();
        elements.push_back({list->objectName() + QStringLiteral(": ") + text, list->viewport(), area,
                            [item, text](bool hidden) { item->setText(hidden ? QString() : text); }});
    }
}

void addViewRows(QAbstractItemView* view, std::vector<TextElement>& elements) {
    QAbstractItemModel* model = view->model();
    if (!model) return;
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        QRect area;
        QString text;
        for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
            const QModelIndex index = model->index(row, column, view->rootIndex());
            area = area.united(view->visualRect(index));
            text += index.data().toString() + QLatin1Char(' ');
        }
        if (text.trimmed().isEmpty() || !view->viewport()->rect().contains(area)) continue;
        elements.push_back({view->objectName() + QStringLiteral(": ") + text.trimmed(), view->viewport(), area,
                            hidingTextRoles(view)});
    }
}

void addCalendarRows(QCalendarWidget* calendar, std::vector<TextElement>& elements) {
    auto* table = calendar->findChild<QTableView*>();
    if (!table) return;
    const auto hidePalette = hidingTextRoles(calendar);
    const QTextCharFormat header = calendar->headerTextFormat();
    QMap<Qt::DayOfWeek, QTextCharFormat> days;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        days.insert(Qt::DayOfWeek(day), calendar->weekdayTextFormat(Qt::DayOfWeek(day)));
    const auto hide = [=](bool hidden) {
        hidePalette(hidden);
        QTextCharFormat invisible;
        invisible.setForeground(Qt::transparent);
        calendar->setHeaderTextFormat(hidden ? invisible : header);
        for (auto day = days.begin(); day != days.end(); ++day)
            calendar->setWeekdayTextFormat(day.key(), hidden ? invisible : day.value());
    };
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        QRect area;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            area = area.united(table->visualRect(table->model()->index(row, column)));
        if (table->viewport()->rect().contains(area))
            elements.push_back(
                {calendar->objectName() + QStringLiteral(": row %1").arg(row), table->viewport(), area, hide});
    }
}

void addHeaderSections(QHeaderView* header, std::vector<TextElement>& elements) {
    for (int section = 0; section < header->count(); ++section) {
        const QString text = header->model()->headerData(section, header->orientation()).toString();
        if (text.isEmpty() || header->isSectionHidden(section) || header->sectionSize(section) == 0) continue;
        const QRect area(header->sectionViewportPosition(section), 0, header->sectionSize(section), header->height());
        elements.push_back({QStringLiteral("en-tête: ") + text, header->viewport(),
                            area.intersected(header->viewport()->rect()), hidingTextRoles(header)});
    }
}

void addMenuBar(QMenuBar* bar, std::vector<TextElement>& elements) {
    for (QAction* action : bar->actions()) {
        if (action->text().isEmpty()) continue;
        elements.push_back(
            {QStringLiteral("menu: ") + action->text(), bar, bar->actionGeometry(action), hidingTextRoles(bar)});
    }
}

QRect groupBoxTitle(QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

void collect(QWidget* widget, std::vector<TextElement>& elements) {
    if (!widget->isVisible() || !widget->isEnabled()) return;
    const QString name = widget->objectName();
    if (auto* button = qobject_cast<controls::TIEButton*>(widget)) {
        const QString caption = button->Caption();
        if (!caption.isEmpty())
            elements.push_back({name + QStringLiteral(": ") + caption, button, button->rect(),
                                [button, caption](bool hidden) { button->SetCaption(hidden ? QString() : caption); }});
        return;
    }
    if (auto* calendar = qobject_cast<QCalendarWidget*>(widget)) {
        addCalendarRows(calendar, elements);
        return;
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        addListRows(list, elements);
    } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
        addHeaderSections(header, elements);
        return;
    } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        addViewRows(view, elements);
    } else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
        addMenuBar(bar, elements);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (!label->text().isEmpty())
            elements.push_back(
                {name + QStringLiteral(": ") + label->text(), label, label->rect(), hidingTextRoles(label)});
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        if (!box->title().isEmpty())
            elements.push_back(
                {name + QStringLiteral(": ") + box->title(), box, groupBoxTitle(box), hidingTextRoles(box)});
    } else if (auto* document = qobject_cast<QTextEdit*>(widget)) {
        if (!document->toPlainText().isEmpty())
            elements.push_back({name + QStringLiteral(": ") + document->toPlainText().left(40), document->viewport(),
                                document->viewport()->rect(), hidingTextRoles(document)});
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (!edit->text().isEmpty())
            elements.push_back({name + QStringLiteral(": ") + edit->text(), edit, edit->rect(), hidingTextRoles(edit)});
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        auto* tool = qobject_cast<QToolButton*>(widget);
        const bool iconOnly = tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly;
        if (!button->text().isEmpty() && !iconOnly)
            elements.push_back(
                {name + QStringLiteral(": ") + button->text(), button, button->rect(), hidingTextRoles(button)});
    }
    for (QObject* child : widget->children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        if (childWidget && !childWidget->isWindow()) collect(childWidget, elements);
    }
}

double measure(QWidget& window, const QImage& shown, const TextElement& element) {
    element.hide(true);
    const QImage hidden = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    element.hide(false);
    const qreal ratio = shown.devicePixelRatio();
    const QRect area(element.widget->mapTo(&window, element.area.topLeft()) * ratio, element.area.size() * ratio);
    double best = 1;
    const QRect inside = area.intersected(shown.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb text = shown.pixel(x, y);
            const QRgb behind = hidden.pixel(x, y);
            if (text != behind) best = std::max(best, contrastRatio(QColor(text), QColor(behind)));
        }
    }
    return best;
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::vector<TextContrast> textContrasts(QWidget& window) {
    std::vector<TextElement> elements;
    collect(&window, elements);
    // A text that other widgets mostly cover, or that lies mostly outside its parents, is not seen.
    std::erase_if(elements, [](TextElement& element) {
        const QRegion seen = element.widget->visibleRegion().intersected(element.area);
        long long seenArea = 0;
        for (const QRect& part : seen) seenArea += static_cast<long long>(part.width()) * part.height();
        return 2 * seenArea < static_cast<long long>(element.area.width()) * element.area.height();
    });
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::vector<TextContrast> contrasts;
    for (const TextElement& element : elements) contrasts.push_back({element.text, measure(window, shown, element)});
    return contrasts;
}

QPalette darkPalette() {
    const QColor window(42, 46, 50);
    const QColor text(239, 240, 241);
    const QColor base(27, 30, 32);
    const QColor button(49, 54, 59);
    QPalette palette(text, button, QColor(70, 76, 82), QColor(20, 22, 24), QColor(35, 38, 41), text, text, base,
                     window);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, QColor(29, 84, 140));
        palette.setColor(group, QPalette::HighlightedText, text);
        palette.setColor(group, QPalette::ToolTipBase, window);
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::Link, QColor(41, 128, 185));
        palette.setColor(group, QPalette::AlternateBase, QColor(35, 38, 41));
        palette.setColor(group, QPalette::PlaceholderText, QColor(150, 150, 150));
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 113, 115));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 113, 115));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 113, 115));
    return palette;
}

}  // namespace velorine::ui::testing
