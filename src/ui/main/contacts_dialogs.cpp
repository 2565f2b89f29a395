#include "ui/main/contacts_dialogs.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/centring.h"
#include "ui/design_fonts.h"

namespace velorine::ui {
namespace {

QDialogButtonBox* buttonsFor(QDialog* dialog, QDialogButtonBox::StandardButtons which) {
    auto* buttons = new QDialogButtonBox(which, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

CalendarExportDialog::CalendarExportDialog(QWidget* mainWindow) : QDialog(mainWindow), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("ExportAgenda"));
    setWindowTitle(QStringLiteral("Exporter vers un agenda"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    auto* text = new QLabel(QStringLiteral("Chaque anniversaire de la liste deviendra un événement de votre agenda,\n"
                                           "le même jour chaque année."),
                            this);
    CheckBoxFetes = new QCheckBox(QStringLiteral("Ajouter aussi les &fêtes (Saint du jour)"), this);
    CheckBoxFetes->setObjectName(QStringLiteral("CheckBoxFetes"));
    QDialogButtonBox* buttons = buttonsFor(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Continuer..."));
    auto* column = new QVBoxLayout(this);
    column->addWidget(text);
    column->addSpacing(6);
    column->addWidget(CheckBoxFetes);
    column->addSpacing(10);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

bool CalendarExportDialog::ask(bool nameDays) {
    CheckBoxFetes->setChecked(nameDays);
    return exec() == QDialog::Accepted;
}

bool CalendarExportDialog::nameDaysChosen() const { return CheckBoxFetes->isChecked(); }

void CalendarExportDialog::showEvent(QShowEvent* event) {
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
