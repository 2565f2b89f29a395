// The controls of the main window, top to bottom as it was designed.
#include <algorithm>
#include <array>

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/main/birthday_list_model.h"
#include "ui/main/main_window.h"
#include "ui/main/site_address.h"
#include "ui/notification_option.h"
#include "ui/pictures.h"

namespace velorine::ui {
namespace {

constexpr int kToolButtonSize = 25;
constexpr int kGlyphSize = 20;
constexpr std::array<int, kListColumnCount> kDesignColumnWidths = {90, 70, 70, 178, 207};

QFrame* addPanel(QWidget* parent, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setMouseTracking(true);
    return panel;
}

QToolButton* addToolButton(QWidget* toolbar, const QString& name, int left, const QString& glyph,
                           const QString& tooltip) {
    auto* button = new QToolButton(toolbar);
    button->setObjectName(name);
    button->setGeometry(left, 3, kToolButtonSize, kToolButtonSize);
    button->setIcon(twoImageGlyph(glyph));
    button->setIconSize(QSize(kGlyphSize, kGlyphSize));
    button->setToolTip(tooltip);
    announceGlyphButton(*button);
    button->setAutoRaise(true);
    // Reached by Tab, never by a click; a raised-when-hot button shows no focus of its own.
    button->setFocusPolicy(Qt::TabFocus);
    drawKeyboardFocus(*button);
    return button;
}

QAction* addItem(QMenu* menu, const QString& name, const QString& text) {
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    return item;
}

}  // namespace

void TForm1::buildToolbar(QWidget* window) {
    Bevel1 = new QFrame(window);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Raised);
    Bevel1->setFixedHeight(2);

    Panel1 = addPanel(window, QStringLiteral("Panel1"));
    Panel1->setFixedHeight(30);
    SpeedButton3 = addToolButton(Panel1, QStringLiteral("SpeedButton3"), 4, QStringLiteral("tool_quit"),
                                 QStringLiteral("Quitter le programme"));
    SpeedButton1 = addToolButton(Panel1, QStringLiteral("SpeedButton1"), 38, QStringLiteral("tool_add"),
                                 QStringLiteral("Ajouter un anniversaire"));
    SpeedButton2 = addToolButton(Panel1, QStringLiteral("SpeedButton2"), 64, QStringLiteral("tool_delete"),
                                 QStringLiteral("Supprimer un anniversaire"));
    SpeedButton4 = addToolButton(Panel1, QStringLiteral("SpeedButton4"), 90, QStringLiteral("tool_modify"),
                                 QStringLiteral("Modifier un anniversaire"));
    SpeedButton6 = addToolButton(Panel1, QStringLiteral("SpeedButton6"), 126, QStringLiteral("tool_schedule"),
                                 QStringLiteral("Programmer les rappels"));
    SpeedButton5 =
        addToolButton(Panel1, QStringLiteral("SpeedButton5"), 152, QStringLiteral("tool_help"), QStringLiteral("Aide"));
    SpeedButton7 = addToolButton(Panel1, QStringLiteral("SpeedButton7"), 178, QStringLiteral("tool_about"),
                                 QStringLiteral("A Propos..."));
    SpeedButton8 = addToolButton(Panel1, QStringLiteral("SpeedButton8"), 215, QStringLiteral("tool_reminders"),
                                 QStringLiteral("Voir les Rappels"));

    Label2 = new QLabel(QStringLiteral("Cliquez sur un nom de personne"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(designFont(QStringLiteral("Arial"), 12, true));
    setPaletteColour(*Label2, QPalette::WindowText, kBlueNumber);
    // Its colour is the design's or the user's: it keeps the light background it was chosen on.
    useDesignBackground(*Label2);
    Label2->setToolTip(QStringLiteral("Clic droit pour changer la couleur"));
    Label2->setContextMenuPolicy(Qt::CustomContextMenu);
    Label2->move(460, 8);
    Label2->adjustSize();

    // Below the visible height of the toolbar: never seen, but Escape presses it.
    Button1 = new QPushButton(QStringLiteral("Quitter"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(4, 32, 75, 25);
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->setShortcut(QKeySequence(Qt::Key_Escape));
}

void TForm1::buildListArea(QWidget* window) {
    Panel4 = addPanel(window, QStringLiteral("Panel4"));
    Panel4->setFixedHeight(18);
    Panel3 = addPanel(window, QStringLiteral("Panel3"));
    Panel3->setFixedWidth(17);
    Panel2 = addPanel(window, QStringLiteral("Panel2"));
    Panel2->setFixedWidth(25);

    model_ = new BirthdayListModel(this);
    ListView = new QTreeView(window);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setModel(model_);
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setUniformRowHeights(true);
    ListView->setAllColumnsShowFocus(true);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView->viewport()->setMouseTracking(true);
    // The selection stays as visible when the list loses the focus. The list's colours are fixed
    // (the design's or the user's), so its selection is too: white on a blue dark enough for it.
    QPalette palette = ListView->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
            palette.setColor(group, role, designPalette().color(QPalette::Active, role));
    ListView->setPalette(palette);

    QHeaderView* header = ListView->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(sortColumn_, Qt::AscendingOrder);
    for (int column = 0; column < kListColumnCount; ++column)
        ListView->setColumnWidth(column, kDesignColumnWidths[static_cast<std::size_t>(column)]);

    Panel5 = addPanel(window, QStringLiteral("Panel5"));
    Panel5->setFixedHeight(18);
    Label4 = new QLabel(Panel5);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(24, 2, 609, 14);
    Label4->setAlignment(Qt::AlignCenter);
}

void TForm1::buildStatusBar(QWidget* window) {
    Status = addPanel(window, QStringLiteral("Status"));
    Status->setFixedHeight(33);
    Status->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    CheckBox4 = new QCheckBox(QStringLiteral("Pas de bulles d'aide rapide"), Status);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    CheckBox4->move(8, 8);
    CheckBox4->adjustSize();

    Label1 = new QLabel(QStringLiteral("Visitez le site de l'auteur :"), Status);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(376, 10);
    Label1->adjustSize();

    Label3 = new ClickableLabel(QAccessible::Link, Status);
    Label3->setText(siteAddress());
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    // Never over the end of its caption, whose stand-in font may be a little wider.
    Label3->move(std::max(496, Label1->geometry().right() + 5), 10);
    Label3->adjustSize();
    Label3->setMouseTracking(true);
    useDesignBackground(*Label3);
    setLinkColour(kBlueNumber);
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    Fichier1 = bar->addMenu(QStringLiteral("&Fichier"));
    Fichier1->setObjectName(QStringLiteral("Fichier1"));
    Fusionner1 = addItem(Fichier1, QStringLiteral("Fusionner1"), QStringLiteral("&Fusionner"));
    Ouvrir1 = addItem(Fichier1, QStringLiteral("Ouvrir1"), QStringLiteral("&Ouvrir..."));
    Enregistrersous1 = addItem(Fichier1, QStringLiteral("Enregistrersous1"), QStringLiteral("Enregistrer sous..."));
    Fichier1->addSeparator();
    Importerdescontacts1 =
        addItem(Fichier1, QStringLiteral("Importerdescontacts1"), QStringLiteral("&Importer des contacts (vCard)…"));
    Exporterversunagenda1 = addItem(Fichier1, QStringLiteral("Exporterversunagenda1"),
                                    QStringLiteral("&Exporter vers un agenda (iCalendar)…"));
    CarnetEnLigne1 =
        addItem(Fichier1, QStringLiteral("CarnetEnLigne1"), QStringLiteral("Carnet d'adresses en &ligne…"));
    Fichier1->addSeparator();
    MenuQuitter = addItem(Fichier1, QStringLiteral("MenuQuitter"), QStringLiteral("&Quitter"));

    Options1 = bar->addMenu(QStringLiteral("&Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    Programmation1 = addItem(Options1, QStringLiteral("Programmation1"), QStringLiteral("&Programmation"));
    NepasmerappelerlesftesSaintdujour1 = addItem(Options1, QStringLiteral("NepasmerappelerlesftesSaintdujour1"),
                                                 QStringLiteral("Ne pas me rappeler les fêtes (Saint du jour)"));
    NepasmerappelerlesftesSaintdujour1->setCheckable(true);
    Tenirajourunagenda1 = addItem(Options1, QStringLiteral("Tenirajourunagenda1"),
                                  QStringLiteral("&Tenir à jour un agenda des anniversaires…"));
    Tenirajourunagenda1->setCheckable(true);
    Merappelerparunenotificationdubureau1 =
        addItem(Options1, QStringLiteral("Merappelerparunenotificationdubureau1"), kNotificationOptionText);
    Merappelerparunenotificationdubureau1->setCheckable(true);

    MAide = bar->addMenu(QStringLiteral("&Aide"));
    MAide->setObjectName(QStringLiteral("MAide"));
    AideRapide = addItem(MAide, QStringLiteral("AideRapide"), QStringLiteral("&Aide rapide"));
    Apropos = addItem(MAide, QStringLiteral("Apropos"), QStringLiteral("A &Propos"));
}

void TForm1::buildPopupMenus() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    Ajouter = addItem(PopupMenu, QStringLiteral("Ajouter"), QStringLiteral("&Ajouter"));
    Supprimer = addItem(PopupMenu, QStringLiteral("Supprimer"), QStringLiteral("&Supprimer"));
    Modifier = addItem(PopupMenu, QStringLiteral("Modifier"), QStringLiteral("&Modifier"));
    PopupMenu->addSeparator();
    Changerlacouleurdufond1 =
        addItem(PopupMenu, QStringLiteral("Changerlacouleurdufond1"), QStringLiteral("Changer la couleur du fond"));
    Changerlacouleurdutexte2 =
        addItem(PopupMenu, QStringLiteral("Changerlacouleurdutexte2"), QStringLiteral("Changer la couleur du texte"));
    PopupMenu->addSeparator();
    // Choosing it only closes the menu.
    addItem(PopupMenu, QStringLiteral("Fermercemenu1"), QStringLiteral("&Fermer ce menu"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Changerlacouleurdutexte1 =
        addItem(PopupMenu1, QStringLiteral("Changerlacouleurdutexte1"), QStringLiteral("Changer la couleur du texte"));
    addItem(PopupMenu1, QStringLiteral("Fermercemenu2"), QStringLiteral("Fermer ce menu"));
}

void TForm1::setLinkColour(long long colourNumber) {
    // Called on every move of the pointer: only a change repaints.
    if (Label3->palette().color(QPalette::WindowText) != colourFromNumber(colourNumber))
        setPaletteColour(*Label3, QPalette::WindowText, colourNumber);
}

}  // namespace velorine::ui
