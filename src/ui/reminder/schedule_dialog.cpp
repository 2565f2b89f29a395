#include "ui/reminder/schedule_dialog.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "store/data_file.h"
#include "store/number_text.h"
#include "ui/window_placement.h"
#include "ui/french.h"
#include "ui/design.h"
#include "ui/pictures.h"
#include "ui/accessibility.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

constexpr std::string_view kSection = "Rappel";
constexpr std::string_view kKey = "Jours";
// No stored value equals it: it comes back only when the key is absent.
constexpr std::string_view kAbsent = "zeksdlej";
constexpr std::size_t kBufferSize = 50;
// Longer texts would come back cut by the next load.
constexpr int kLongestText = static_cast<int>(kBufferSize) - 1;
constexpr int kIconSize = 32;

QLabel* addIcon(QWidget* parent, const QString& name, int left, int top) {
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setGeometry(left, top, kIconSize, kIconSize);
    showSharpIcon(*image, programIcon(), QSize(kIconSize, kIconSize));
    return image;
}

QRadioButton* addOption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
    auto* option = new QRadioButton(text, parent);
    option->setObjectName(name);
    // Wider to the right when the style's indicator and the font need it: nothing lies there.
    option->setGeometry(geometry.adjusted(0, 0, std::max(0, option->sizeHint().width() - geometry.width()), 0));
    return option;
}

}  // namespace

TForm2::TForm2(RunContext& context, QWidget* mainWindow)
    : QDialog(mainWindow), context_(context), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Programmer les rappels"));
    setFixedSize(359, 250);
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    buildControls();
    connectOptions();
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    loadStoredChoice();
}

void TForm2::buildControls() {
    // Image1 is created second, so it lies over Image2.
    Image2 = addIcon(this, QStringLiteral("Image2"), 8, 8);
    Image1 = addIcon(this, QStringLiteral("Image1"), 6, 6);

    GroupBox1 = new QGroupBox(QStringLiteral("Me rappeler les velorine"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(54, 31, 267, 122);
    RadioButton1 =
        addOption(GroupBox1, QStringLiteral("RadioButton1"), QStringLiteral("La veille"), QRect(24, 24, 73, 17));
    RadioButton1->setToolTip(QStringLiteral("Les velorine vous seront rappelés la veille (Risqué non ?!)"));
    RadioButton2 = addOption(GroupBox1, QStringLiteral("RadioButton2"), QStringLiteral("Une semaine avant"),
                             QRect(24, 52, 113, 17));
    RadioButton2->setToolTip(QStringLiteral("Les velorine vous seront rappelés une semaine avant la date"));
    RadioButton2->setChecked(true);
    RadioButton3 =
        addOption(GroupBox1, QStringLiteral("RadioButton3"), QStringLiteral("Personnalisé"), QRect(24, 80, 97, 17));
    Edit1 = new QLineEdit(QStringLiteral("20"), GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(128, 78, 33, 21);
    Edit1->setMaxLength(kLongestText);
    Label1 = new QLabel(QStringLiteral("jours avant"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(168, 81);
    Label1->adjustSize();

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(88, 168, 193, 41);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    BitBtn1 = addGlyphButton(this, QStringLiteral("BitBtn1"), QStringLiteral("OK"), QStringLiteral("button_ok"),
                             QRect(96, 176, 81, 25));
    BitBtn1->setDefault(true);
    BitBtn2 = addGlyphButton(this, QStringLiteral("BitBtn2"), QStringLiteral("Annuler"),
                             QStringLiteral("button_cancel"), QRect(192, 176, 75, 25));

    // Screen readers: the icons and the frame behind the buttons are decoration.
    for (QWidget* decoration : std::initializer_list<QWidget*>{Image2, Image1, Panel1})
        hideFromScreenReaders(*decoration);
    Edit1->setAccessibleName(QStringLiteral("Nombre de jours avant"));
}

void TForm2::connectOptions() {
    // Only a change of selection counts as a click, whether the user or the load step makes it:
    // selecting the option already selected leaves the field's enabled state as it was.
    const auto whenSelected = [this](QRadioButton* option, void (TForm2::*click)()) {
        connect(option, &QRadioButton::toggled, this, [this, click](bool selected) {
            if (selected) (this->*click)();
        });
    };
    whenSelected(RadioButton1, &TForm2::RadioButton1Click);
    whenSelected(RadioButton2, &TForm2::RadioButton2Click);
    whenSelected(RadioButton3, &TForm2::RadioButton3Click);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TForm2::FormActivate() {
    if (mainWindow_)
        centreOver(*this, *mainWindow_);
    else
        centreOnScreen(*this);
    loadStoredChoice();
    // The keyboard starts on the choice, where the arrows move it.
    for (QRadioButton* each : {RadioButton1, RadioButton2, RadioButton3})
        if (each->isChecked()) each->setFocus();
}

void TForm2::loadStoredChoice() {
    const std::string stored = store::readValue(context_.startup.dataFilePath, kSection, kKey, kAbsent, kBufferSize);
    if (stored == kAbsent) return;
    switch (store::integerFromText(stored)) {
        case 1: RadioButton1->setChecked(true); break;
        case 7: RadioButton2->setChecked(true); break;
        default:
            RadioButton3->setChecked(true);
            Edit1->setText(textFromCp1252(stored));
            break;
    }
}

void TForm2::RadioButton1Click() { Edit1->setEnabled(false); }

void TForm2::RadioButton2Click() { Edit1->setEnabled(false); }

void TForm2::RadioButton3Click() { Edit1->setEnabled(true); }

std::optional<std::string> TForm2::chosenText() const {
    if (RadioButton1->isChecked()) return "1";
    if (RadioButton2->isChecked()) return "7";
    // As typed: blanks, signs and letters included; the engine's reading gives it its meaning.
    return cp1252FromText(Edit1->text());
}

void TForm2::BitBtn1Click() {
    const std::optional<std::string> text = chosenText();
    if (!text) {
        reportUnstorableCharacter();
        Edit1->setFocus();
        return;
    }
    if (const store::Result<> stored = store::writeValue(context_.startup.dataFilePath, kSection, kKey, *text);
        !stored) {
        reportWriteFailure(stored.failure());
        return;
    }
    accept();
}

void TForm2::BitBtn2Click() { reject(); }

void TForm2::reportUnstorableCharacter() {
    context_.dialogs.showMessage(
        MessageIcon::None, QStringLiteral("Attention"),
        QStringLiteral("Le nombre de jours contient le caractère « %1 », que Velorine ne peut pas enregistrer.\n\n"
                       "Tapez le nombre de jours en chiffres.")
            .arg(firstCharacterOutsideCp1252(Edit1->text())));
}

void TForm2::reportWriteFailure(store::Failure failure) {
    ui::reportWriteFailure(context_.dialogs,
                           QStringLiteral("Le délai des rappels n'a pas pu être enregistré dans le fichier"),
                           context_.startup.dataFilePath, failure);
}

}  // namespace velorine::ui
