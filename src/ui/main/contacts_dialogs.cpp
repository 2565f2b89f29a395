#include "ui/main/contacts_dialogs.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "contacts/calendar_export.h"
#include "ui/window_placement.h"
#include "ui/design.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

QDialogButtonBox* buttonsFor(QDialog* dialog, QDialogButtonBox::StandardButtons which) {
    auto* buttons = new QDialogButtonBox(which, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QCheckBox* fetesBox(QDialog* dialog) {
    auto* box = new QCheckBox(QStringLiteral("Ajouter aussi les &fêtes (Saint du jour)"), dialog);
    box->setObjectName(QStringLiteral("CheckBoxFetes"));
    return box;
}

// Days before each event, 0 for no alarm; the reminders' horizon is offered.
QSpinBox* alarmBox(QDialog* dialog) {
    auto* spin = new QSpinBox(dialog);
    spin->setObjectName(QStringLiteral("SpinAlarme"));
    spin->setRange(0, contacts::kLongestAlarm);
    spin->setSpecialValueText(QStringLiteral("aucune"));
    const auto suffixFor = [spin](int days) {
        spin->setSuffix(days > 1 ? QStringLiteral(" jours avant, le matin") : QStringLiteral(" jour avant, le matin"));
    };
    suffixFor(0);
    QObject::connect(spin, &QSpinBox::valueChanged, spin, suffixFor);
    return spin;
}

QHBoxLayout* alarmRow(QSpinBox* spin, QDialog* dialog) {
    auto* label = new QLabel(QStringLiteral("&Alarme :"), dialog);
    label->setBuddy(spin);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(spin);
    row->addStretch(1);
    return row;
}

// The end both calendar dialogs share: the name-day box, the alarm row, the buttons.
void endWithCalendarChoices(QDialog* dialog, QVBoxLayout& column, QCheckBox* nameDays, QSpinBox* alarm,
                            QDialogButtonBox* buttons) {
    column.addWidget(nameDays);
    column.addLayout(alarmRow(alarm, dialog));
    column.addSpacing(10);
    column.addWidget(buttons);
    column.setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace

CalendarExportDialog::CalendarExportDialog(QWidget* mainWindow) : QDialog(mainWindow), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("ExportAgenda"));
    setWindowTitle(QStringLiteral("Exporter vers un agenda"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    auto* text = new QLabel(QStringLiteral("Chaque anniversaire de la liste deviendra un événement de votre agenda,\n"
                                           "le même jour chaque année."),
                            this);
    CheckBoxFetes = fetesBox(this);
    SpinAlarme = alarmBox(this);
    QDialogButtonBox* buttons = buttonsFor(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Continuer..."));
    auto* column = new QVBoxLayout(this);
    column->addWidget(text);
    column->addSpacing(6);
    endWithCalendarChoices(this, *column, CheckBoxFetes, SpinAlarme, buttons);
}

std::optional<CalendarChoice> CalendarExportDialog::ask(const CalendarChoice& preset) {
    CheckBoxFetes->setChecked(preset.nameDays);
    SpinAlarme->setValue(preset.alarmDays);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return CalendarChoice{CheckBoxFetes->isChecked(), SpinAlarme->value()};
}

void CalendarExportDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOver(*this, *mainWindow_);
}

CalendarUpkeepDialog::CalendarUpkeepDialog(QWidget* mainWindow, UserDialogs& dialogs)
    : QDialog(mainWindow), mainWindow_(mainWindow), dialogs_(dialogs) {
    setObjectName(QStringLiteral("AgendaAJour"));
    setWindowTitle(QStringLiteral("Tenir à jour un agenda des anniversaires"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    auto* text = new QLabel(QStringLiteral("Velorine récrira ce fichier d'agenda après chaque changement de la liste.\n"
                                           "Abonnez-y votre agenda : il montrera toujours les anniversaires à jour."),
                            this);
    auto* fileLabel = new QLabel(QStringLiteral("&Fichier de l'agenda :"), this);
    EditFichier = new QLineEdit(this);
    EditFichier->setObjectName(QStringLiteral("EditFichier"));
    EditFichier->setMinimumWidth(360);
    fileLabel->setBuddy(EditFichier);
    auto* browse = new QPushButton(QStringLiteral("&Parcourir..."), this);
    browse->setObjectName(QStringLiteral("BoutonParcourir"));
    connect(browse, &QPushButton::clicked, this, &CalendarUpkeepDialog::BoutonParcourirClick);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(EditFichier, 1);
    fileRow->addWidget(browse);
    CheckBoxFetes = fetesBox(this);
    SpinAlarme = alarmBox(this);
    QDialogButtonBox* buttons = buttonsFor(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(text);
    column->addSpacing(6);
    column->addWidget(fileLabel);
    column->addLayout(fileRow);
    column->addSpacing(6);
    endWithCalendarChoices(this, *column, CheckBoxFetes, SpinAlarme, buttons);
}

std::optional<KeptCalendarChoice> CalendarUpkeepDialog::ask(const KeptCalendarChoice& preset) {
    EditFichier->setText(preset.path);
    CheckBoxFetes->setChecked(preset.content.nameDays);
    SpinAlarme->setValue(preset.content.alarmDays);
    while (exec() == QDialog::Accepted) {
        const QString path = EditFichier->text().trimmed();
        if (!path.isEmpty() && !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r')))
            return KeptCalendarChoice{path, {CheckBoxFetes->isChecked(), SpinAlarme->value()}};
        dialogs_.showMessage(MessageIcon::Warning, QStringLiteral("Attention"),
                             QStringLiteral("Indiquez le fichier de l'agenda à tenir à jour."));
    }
    return std::nullopt;
}

void CalendarUpkeepDialog::BoutonParcourirClick() {
    const QString chosen = dialogs_.chooseFileToSave({QStringLiteral("Fichier de l'agenda des anniversaires"),
                                                      {QStringLiteral("Agenda iCalendar (*.ics)")},
                                                      EditFichier->text()});
    if (!chosen.isEmpty()) EditFichier->setText(chosen);
}

void CalendarUpkeepDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOver(*this, *mainWindow_);
}

ImportSummaryDialog::ImportSummaryDialog(QWidget* mainWindow) : QDialog(mainWindow), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("ResumeImport"));
    setWindowTitle(QStringLiteral("Importer des contacts"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    Resume = new QPlainTextEdit(this);
    Resume->setObjectName(QStringLiteral("Resume"));
    Resume->setReadOnly(true);
    Resume->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Resume, 1);
    column->addWidget(buttonsFor(this, QDialogButtonBox::Ok));
    resize(560, 380);
}

void ImportSummaryDialog::showSummary(const std::string& summary) {
    Resume->setPlainText(QString::fromStdString(summary));
    exec();
}

QString ImportSummaryDialog::summaryText() const { return Resume->toPlainText(); }

void ImportSummaryDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOver(*this, *mainWindow_);
}

}  // namespace velorine::ui
