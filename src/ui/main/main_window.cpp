#include "ui/main/main_window.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

#include "ui/window_placement.h"
#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/main/birthday_list_model.h"
#include "ui/main/data_file_reach.h"
#include "ui/main/entry_dialog.h"
#include "ui/main/network_task.h"
#include "ui/pictures.h"

namespace velorine::ui {
namespace {

// The button takes the item's action (QToolButton::setDefaultAction), so one action holds the
// command; the button's glyph and hint move to the action, and the menu shows no glyph.
void shareWithToolButton(QAction& item, QToolButton& button) {
    item.setIcon(button.icon());
    item.setIconVisibleInMenu(false);
    item.setToolTip(button.toolTip());
    button.setDefaultAction(&item);
}

}  // namespace

TForm1::TForm1(RunContext& context) : context_(context), store_(context.startup.dataFilePath) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velorine Version 2.0"));
    setWindowIcon(programIcon());
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    resize(669, 414);

    auto* window = new QWidget(this);
    window->setMouseTracking(true);
    setCentralWidget(window);
    buildToolbar(window);
    buildListArea(window);
    buildStatusBar(window);
    buildMenus();
    buildPopupMenus();

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(Panel3);
    middle->addWidget(ListView, 1);
    middle->addWidget(Panel2);
    auto* column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Bevel1);
    column->addWidget(Panel1);
    column->addWidget(Panel4);
    column->addLayout(middle, 1);
    column->addWidget(Panel5);
    column->addWidget(Status);

    for (QObject* watched : {static_cast<QObject*>(window), static_cast<QObject*>(ListView->viewport()),
                             static_cast<QObject*>(ListView), static_cast<QObject*>(Label3)})
        watched->installEventFilter(this);
    connectCommands();
    prepareKeyboardAndScreenReaders();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    sortColumn_ = 0;
    centreOnScreen(*this);
    Label3->setCursor(linkCursor());
    setTooltipsShown(true);
    fillList();
    if (const auto unreachable = unreachableListText(context_.startup.dataFilePath))
        context_.dialogs.showMessage(MessageIcon::Warning, QStringLiteral("Attention"), *unreachable);
    restoreAppearance();
    NepasmerappelerlesftesSaintdujour1->setChecked(!context_.startup.nameDayReminders);
    Merappelerparunenotificationdubureau1->setChecked(context_.startup.notificationReminders);
    syncOnOpening();
}

void TForm1::setHelpWindow(TAide* window) { helpWindow_ = window; }

void TForm1::setAboutBox(TAboutBox* box) { aboutBox_ = box; }

void TForm1::setEntryDialog(TSais* dialog) {
    entryDialog_ = dialog;
    connect(entryDialog_, &TSais::recordsChanged, this, &TForm1::fillList);
    connect(entryDialog_, &TSais::recordsChanged, this, &TForm1::keepCalendarUpToDate);
}

void TForm1::setScheduleDialog(TForm2* dialog) { scheduleDialog_ = dialog; }

void TForm1::connectCommands() {
    // A toolbar button and its menu item are one command: the button shows the item's action.
    const auto command = [this](QToolButton* button, QAction* item, void (TForm1::*handler)()) {
        shareWithToolButton(*item, *button);
        connect(item, &QAction::triggered, this, handler);
    };
    command(SpeedButton1, Ajouter, &TForm1::SpeedButton1Click);
    command(SpeedButton2, Supprimer, &TForm1::SpeedButton2Click);
    command(SpeedButton4, Modifier, &TForm1::SpeedButton4Click);
    command(SpeedButton3, MenuQuitter, &TForm1::SpeedButton3Click);
    command(SpeedButton5, AideRapide, &TForm1::SpeedButton5Click);
    command(SpeedButton7, Apropos, &TForm1::SpeedButton7Click);
    command(SpeedButton6, Programmation1, &TForm1::SpeedButton6Click);
    connect(ListView, &QTreeView::doubleClicked, this, &TForm1::SpeedButton4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
    connect(NepasmerappelerlesftesSaintdujour1, &QAction::triggered, this,
            &TForm1::NepasmerappelerlesftesSaintdujour1Click);
    connect(Merappelerparunenotificationdubureau1, &QAction::triggered, this,
            &TForm1::Merappelerparunenotificationdubureau1Click);

    connectExchangeCommands();
    connectContactsCommands();
    connectOnlineCommands();
    connectAppearanceCommands();

    connect(ListView, &QTreeView::clicked, this, &TForm1::ListViewClick);
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TForm1::ListViewChange);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &TForm1::ListViewChange);
    connect(model_, &QAbstractItemModel::modelReset, this, &TForm1::ListViewChange);
    // The count is set wherever it changes, never while painting.
    connect(model_, &QAbstractItemModel::rowsInserted, this, &TForm1::refreshCountLabel);
    connect(ListView->header(), &QHeaderView::sectionClicked, this, &TForm1::ListViewColumnClick);
    connect(ListView, &QWidget::customContextMenuRequested, this, &TForm1::showListMenu);
    connect(Label3, &ClickableLabel::activated, this, &TForm1::Label3Click);
    connect(Label2, &QWidget::customContextMenuRequested, this, &TForm1::showInfoLineMenu);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3) {
        if (event->type() == QEvent::Enter) Label3MouseMove();
        // Leaving the link also ends the hover, whatever the pointer moves over next.
        if (event->type() == QEvent::Leave) FormMouseMove();
        if (event->type() == QEvent::MouseMove) {
            Label3MouseMove();
            // A label lets moves through to the window behind it, whose handler would turn the link
            // blue again at once: the move over the link ends here.
            return true;
        }
        return false;
    }
    if (watched == ListView && event->type() == QEvent::KeyPress)
        return ListViewKeyDown(static_cast<QKeyEvent*>(event)->key());
    if (event->type() == QEvent::MouseMove) FormMouseMove();
    return false;
}

void TForm1::showListMenu(const QPoint& where) { PopupMenu->popup(ListView->viewport()->mapToGlobal(where)); }

void TForm1::showInfoLineMenu(const QPoint& where) { PopupMenu1->popup(Label2->mapToGlobal(where)); }

}  // namespace velorine::ui
