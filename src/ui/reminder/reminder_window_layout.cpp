// The controls of the reminder window, at their designed places, back to front.
#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QTextCharFormat>

#include <algorithm>

#include "controls/banner.h"
#include "controls/ie_button.h"
#include "reminders/built_in_name_days.h"
#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/french.h"
#include "ui/notification_option.h"
#include "ui/pictures.h"
#include "ui/reminder/reminder_list_delegate.h"
#include "ui/reminder/reminder_window.h"

namespace velorine::ui {
namespace {

const QString kVerdana = QStringLiteral("Verdana");
const QColor kLightCyan(210, 255, 255);
const QString kBannerText =
    QStringLiteral("Cliquez ici pour programmer les velorine..") + QString(27, QLatin1Char(' '));

template <class Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& at) {
    auto* label = named(new QLabel(text, parent), name);
    label->move(at);
    label->adjustSize();
    return label;
}

// A label of fixed size whose text is centred in it.
QLabel* addCentredLabel(QWidget* parent, const QString& name, const QRect& box, const QFont& font) {
    auto* label = named(new QLabel(parent), name);
    label->setGeometry(box);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

QFont underlined(QFont font) {
    font.setUnderline(true);
    return font;
}

QFont bold(QFont font) {
    font.setBold(true);
    return font;
}

// Labels draw their text in WindowText, lists in Text.
void setTextColour(QWidget& widget, long long colourNumber) {
    setPaletteColour(widget, QPalette::WindowText, colourNumber);
    setPaletteColour(widget, QPalette::Text, colourNumber);
}

// A list without border on its parent's background: the names of a day.
QListWidget* addNameList(QWidget* parent, const QString& name, const QRect& box) {
    auto* list = named(new QListWidget(parent), name);
    list->setGeometry(box);
    list->setFrameShape(QFrame::NoFrame);
    list->setFont(bold(parent->font()));
    list->setFocusPolicy(Qt::NoFocus);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    list->setPalette(palette);
    setTextColour(*list, kNavyNumber);
    list->hide();
    return list;
}

// The widest first name of the calendar in this font.
QString widestCalendarName(const QFontMetrics& metrics) {
    QString widest;
    int widestAdvance = -1;
    for (const std::string& entry : reminders::builtInNameDays().texts()) {
        const QString name = textFromCp1252(entry.substr(0, entry.find('|')));
        if (const int advance = metrics.horizontalAdvance(name); advance > widestAdvance) {
            widest = name;
            widestAdvance = advance;
        }
    }
    return widest;
}

// The names of a day are read whole, never scrolled sideways: a list is as wide as the widest
// name of the calendar needs beside its vertical scroll bar, and never narrower than designed.
void fitToTheWidestName(QListWidget* list, const QString& widest) {
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->addItem(widest);
    const int needed = list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                       list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list->verticalScrollBar());
    list->clear();
    list->resize(std::max(list->width(), needed), list->height());
}

// A flat answer button: caption in bold blue Verdana (black while the pointer is away), glyph
// strip of a normal and a disabled image, drawn straight on the window's background.
controls::TIEButton* addAnswer(QWidget* parent, const QString& name, const QString& caption, const QString& glyph,
                               int left) {
    auto* button = named(new controls::TIEButton(parent), name);
    button->setGeometry(left, 328, 81, 25);
    button->setFont(designFont(kVerdana, 11, true));
    setPaletteColour(*button, QPalette::WindowText, kBlueNumber);
    button->SetSoftShading(true);
    button->SetTransparent(true);
    button->SetWordWrap(true);
    button->SetCaption(caption);
    button->SetGlyphSource([glyph](qreal ratio) { return answerGlyph(glyph, ratio); });
    button->SetNumGlyphs(2);
    return button;
}

QLabel* addIcon(QWidget* parent, const QString& name, const QPoint& at) {
    auto* icon = named(new QLabel(parent), name);
    icon->setGeometry(QRect(at, QSize(32, 32)));
    showSharpIcon(*icon, programIcon(), QSize(32, 32));
    return icon;
}

QAction* addItem(QMenu* menu, const QString& name, const QString& text) {
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    return item;
}

}  // namespace

void TFRappel::buildDateBlock() {
    Image4 = named(new ClickableLabel(QAccessible::Graphic, Panel1), QStringLiteral("Image4"));
    Image4->setGeometry(24, 9, 105, 105);
    Image4->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Panel2 = named(new QFrame(Panel1), QStringLiteral("Panel2"));
    Panel2->setGeometry(160, 8, 190, 89);
    Panel2->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    Panel2->setContextMenuPolicy(Qt::CustomContextMenu);

    // Each black shadow lies behind the coloured text it doubles, one pixel or two lower right.
    Label15 = addCentredLabel(Panel2, QStringLiteral("Label15"), {33, 9, 121, 16}, designFont(kVerdana, 13, true));
    Label2 = addCentredLabel(Panel2, QStringLiteral("Label2"), {32, 8, 121, 16}, designFont(kVerdana, 13, true));
    Label14 = addCentredLabel(Panel2, QStringLiteral("Label14"), {6, 34, 185, 23}, designFont(kVerdana, 19, true));
    Label3 = addCentredLabel(Panel2, QStringLiteral("Label3"), {6, 32, 180, 25}, designFont(kVerdana, 19, true));
    Label16 = addCentredLabel(Panel2, QStringLiteral("Label16"), {65, 64, 65, 18}, designFont(kVerdana, 16, true));
    Label4 = addCentredLabel(Panel2, QStringLiteral("Label4"), {64, 63, 65, 18}, designFont(kVerdana, 16, true));
    for (QLabel* shadow : {Label14, Label15, Label16}) setTextColour(*shadow, 0);

    UpDown2 = named(new TUpDown(-10000, 10000, Panel2), QStringLiteral("UpDown2"));
    UpDown2->setGeometry(159, 74, 27, 12);

    Label5 = addLabel(Panel1, QStringLiteral("Label5"), QString(), {160, 96});
    Label5->setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    setTextColour(*Label5, 0);
}

void TFRappel::buildNamesOfTheDay() {
    Label7 = addLabel(Panel1, QStringLiteral("Label7"), QStringLiteral("Fêtes à souhaiter (Aujourd'hui)"), {360, 8});
    Label7->setFont(underlined(font()));
    Label7->adjustSize();
    Label8 = addLabel(Panel1, QStringLiteral("Label8"), QString(), {360, 27});
    Label9 = addLabel(Panel1, QStringLiteral("Label9"), QString(), {360, 43});
    ListBox2 = addNameList(Panel1, QStringLiteral("ListBox2"), {360, 24, 129, 41});

    Label1 = addLabel(Panel1, QStringLiteral("Label1"), QStringLiteral("Fêtes à souhaiter (Demain)"), {359, 64});
    Label1->setFont(underlined(font()));
    Label1->adjustSize();
    Label11 = addLabel(Panel1, QStringLiteral("Label11"), QString(), {360, 83});
    Label12 = addLabel(Panel1, QStringLiteral("Label12"), QString(), {360, 99});
    ListBox3 = addNameList(Panel1, QStringLiteral("ListBox3"), {360, 80, 129, 41});
    const QString widest = widestCalendarName(ListBox2->fontMetrics());
    for (QListWidget* names : {ListBox2, ListBox3}) fitToTheWidestName(names, widest);

    for (QLabel* name : {Label8, Label9, Label11, Label12}) {
        name->setFont(bold(font()));
        name->setFixedWidth(170);  // a long name is never cut by a size taken when the label was empty
        setTextColour(*name, kNavyNumber);
    }
}

void TFRappel::buildReminderArea() {
    GroupBox1 = named(new QGroupBox(Panel1), QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(24, 120, 473, 177);

    ListBox1 = named(new QListWidget(GroupBox1), QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 16, 455, 151);
    ListBox1->setFrameShape(QFrame::NoFrame);
    ListBox1->setFont(designFont(kVerdana, 12, true));
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new ReminderListDelegate(ListBox1));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextColour(*ListBox1, kBlueNumber);
    // The selected line keeps its colour when the list loses the focus.
    QPalette palette = ListBox1->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    ListBox1->setPalette(palette);

    Label13 = named(new QLabel(Panel1), QStringLiteral("Label13"));
    Label13->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label13->setFont(bold(font()));
    setTextColour(*Label13, 0x008000);
    // Centred under the answers; the stand-in font is wider than the designed one, so the box grows
    // around its centre until the question fits.
    const int questionWidth = std::max(
        259,
        Label13->fontMetrics().horizontalAdvance(QStringLiteral("Dois-je continuer à vous rappeler ces dates ?")) + 4);
    Label13->setGeometry(120 + (259 - questionWidth) / 2, 309, questionWidth, 16);
}

void TFRappel::buildAnswers() {
    IEButton2 =
        addAnswer(Panel1, QStringLiteral("IEButton2"), QStringLiteral("&Oui"), QStringLiteral("answer_yes"), 120);
    IEButton1 =
        addAnswer(Panel1, QStringLiteral("IEButton1"), QStringLiteral("&Non"), QStringLiteral("answer_no"), 208);
    IEButton3 = addAnswer(Panel1, QStringLiteral("IEButton3"), QStringLiteral("&Demain"),
                          QStringLiteral("answer_tomorrow"), 296);
    IEButton4 =
        addAnswer(Panel1, QStringLiteral("IEButton4"), QStringLiteral("&Quitter"), QStringLiteral("answer_no"), 208);
    // The window's text colour, black as designed (the window keeps its design colours).
    IEButton2->SetSleepingFontColor(palette().color(QPalette::WindowText));
    IEButton4->setToolTip(QStringLiteral("Quitter le logiciel"));
    IEButton4->hide();
}

void TFRappel::buildFooter() {
    Banner1 = named(new controls::TBanner(Panel1), QStringLiteral("Banner1"));
    Banner1->setGeometry(40, 363, 441, 17);
    QFont italic = designFont(kVerdana, 11);
    italic.setItalic(true);
    Banner1->setFont(italic);
    setTextColour(*Banner1, 0);
    Banner1->SetLinesAlign(controls::taLeftJustify);
    Banner1->SetColor(Qt::white);
    Banner1->SetNoGap(true);
    Banner1->SetScrollInterval(100);
    Banner1->SetScrollText(kBannerText);
    Banner1->setCursor(Qt::PointingHandCursor);

    Image2 = addIcon(Panel1, QStringLiteral("Image2"), {1, 352});
    Image1 = addIcon(Panel1, QStringLiteral("Image1"), {489, 352});
}

void TFRappel::buildDatePicker() {
    Panel3 = named(new QFrame(Panel1), QStringLiteral("Panel3"));
    Panel3->setGeometry(56, 144, 385, 177);
    Panel3->setAutoFillBackground(true);
    setPaletteColour(*Panel3, QPalette::Window, 0);

    Group2 =
        named(new QGroupBox(QStringLiteral("Double-cliquez sur la date choisie"), Panel1), QStringLiteral("Group2"));
    Group2->setGeometry(48, 128, 385, 185);
    Group2->setAutoFillBackground(true);
    Group2->setFont(bold(font()));
    setPaletteColour(*Group2, QPalette::Window, numberFromColour(kLightCyan));
    setTextColour(*Group2, kBlueNumber);
    // Moves over the picker are its own, never the background's.
    Group2->setMouseTracking(true);

    Calendar1 = named(new QCalendarWidget(Group2), QStringLiteral("Calendar1"));
    Calendar1->setGeometry(9, 41, 320, 120);
    Calendar1->setFont(font());
    Calendar1->setLocale(QLocale(QLocale::French, QLocale::France));
    Calendar1->setFirstDayOfWeek(Qt::Monday);
    Calendar1->setNavigationBarVisible(false);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    QTextCharFormat navy;
    navy.setForeground(colourFromNumber(kNavyNumber));
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day) Calendar1->setWeekdayTextFormat(Qt::DayOfWeek(day), navy);
    QTextCharFormat header = navy;
    header.setFontWeight(QFont::Bold);
    Calendar1->setHeaderTextFormat(header);
    // The days of the months before and after are drawn in the grey of disabled texts: one dark
    // enough to be read on the white grid (5:1).
    QPalette days = Calendar1->palette();
    days.setColor(QPalette::Disabled, QPalette::Text, QColor(112, 112, 112));
    Calendar1->setPalette(days);

    const QFont plain = font();
    Label19 = addLabel(Group2, QStringLiteral("Label19"), QStringLiteral("Années"), {336, 48});
    Label20 = addLabel(Group2, QStringLiteral("Label20"), QStringLiteral("Mois"), {344, 96});
    for (QLabel* caption : {Label19, Label20}) {
        caption->setFont(underlined(plain));
        caption->adjustSize();
        setTextColour(*caption, 0);
    }
    UpDown1 = named(new TUpDown(-50, 100, Group2), QStringLiteral("UpDown1"));
    UpDown1->setGeometry(340, 72, 32, 12);
    UpDown3 = named(new TUpDown(-1000, 1000, Group2), QStringLiteral("UpDown3"));
    UpDown3->setGeometry(340, 120, 32, 12);
    Label21 = addCentredLabel(Group2, QStringLiteral("Label21"), {88, 17, 153, 16}, bold(plain));
    setTextColour(*Label21, kNavyNumber);

    Panel3->hide();
    Group2->hide();
}

void TFRappel::buildMenus() {
    PopupMenu1 = named(new QMenu(this), QStringLiteral("PopupMenu1"));
    MenuItem1 = addItem(PopupMenu1, QStringLiteral("MenuItem1"), QStringLiteral("&Avancer la date d'une journée"));
    MenuItem2 = addItem(PopupMenu1, QStringLiteral("MenuItem2"), QStringLiteral("&Reculer la date  d'une journée"));
    Avancerladatedunmois1 = addItem(PopupMenu1, QStringLiteral("Avancerladatedunmois1"),
                                    QStringLiteral("&Avancer la date d'un mois (30 jours)"));
    Reculerladatedunmois1 = addItem(PopupMenu1, QStringLiteral("Reculerladatedunmois1"),
                                    QStringLiteral("&Reculer la date  d'un mois (30 jours)"));
    MenuItem3 = addItem(PopupMenu1, QStringLiteral("MenuItem3"), QStringLiteral("Choisir &une date précise"));
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    MenuItem4 = addItem(PopupMenu1, QStringLiteral("MenuItem4"), QStringLiteral("Changer la couleur du &texte"));
    MenuItem5 = addItem(PopupMenu1, QStringLiteral("MenuItem5"), QStringLiteral("Changer la couleur du &fond"));
    Pasdombrepourlestextes1 =
        addItem(PopupMenu1, QStringLiteral("Pasdombrepourlestextes1"), QStringLiteral("Pas d'ombre pour les textes"));
    Pasdombrepourlestextes1->setCheckable(true);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N2"));
    MenuItem6 = addItem(PopupMenu1, QStringLiteral("MenuItem6"), QStringLiteral("Pas de bulles d'aide rapide"));
    MenuItem6->setCheckable(true);
    Merappelerparunenotificationdubureau1 =
        addItem(PopupMenu1, QStringLiteral("Merappelerparunenotificationdubureau1"), kNotificationOptionText);
    Merappelerparunenotificationdubureau1->setCheckable(true);

    LeFond = named(new QMenu(this), QStringLiteral("LeFond"));
    Changerlacouleurdufond2 =
        addItem(LeFond, QStringLiteral("Changerlacouleurdufond2"), QStringLiteral("Changer la couleur du fond"));
    LeFond->addSeparator()->setObjectName(QStringLiteral("N3"));
    addItem(LeFond, QStringLiteral("Quittercemenu1"), QStringLiteral("Quitter ce menu"));  // only closes the menu

    PopupMenu2 = named(new QMenu(this), QStringLiteral("PopupMenu2"));
    MenuItem7 = addItem(PopupMenu2, QStringLiteral("MenuItem7"), QStringLiteral("Changer la couleur du fond"));
    PopupMenu2->addSeparator()->setObjectName(QStringLiteral("MenuItem8"));
    addItem(PopupMenu2, QStringLiteral("MenuItem9"), QStringLiteral("Quitter ce menu"));  // only closes the menu
}

}  // namespace velorine::ui
