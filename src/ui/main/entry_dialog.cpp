#include "ui/main/entry_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "ui/window_placement.h"
#include "ui/design.h"
#include "ui/french.h"
#include "ui/pictures.h"
#include "ui/main/date_separator.h"
#include "ui/accessibility.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

// The store reads texts back at most this long: a longer one would come back cut.
constexpr int kLongestText = static_cast<int>(store::kRecordValueLength);
constexpr int kBoxHeight = 21;

const QString kAddTitle = QStringLiteral("Ajouter un anniversaire");
const QString kModifyTitle = QStringLiteral("Modifier un anniversaire");

QLabel* addLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// A box's caption gives it its name for screen readers, and Alt and the marked letter reach it.
QLabel* addCaption(QLineEdit* box, const QString& text, int left, int top) {
    auto* label = new QLabel(text, box->parentWidget());
    label->setBuddy(box);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* addBox(QWidget* parent, const QString& name, int left, int top, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(left, top, width, kBoxHeight);
    box->setMaxLength(kLongestText);
    return box;
}

}  // namespace

TSais::TSais(RunContext& context, QWidget* mainWindow)
    : QDialog(mainWindow), context_(context), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Sais"));
    setFixedSize(435, 300);
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    buildControls();
    connect(BitBtn1, &QPushButton::clicked, this, &TSais::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSais::BitBtn2Click);
}

void TSais::buildControls() {
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(10, 23, 409, 225);
    Panel2->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Label9 = addLabel(Panel2, kAddTitle, 8, 3);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setFont(designFont(QStringLiteral("MS Sans Serif"), 13, true));
    QPalette navy = Label9->palette();
    navy.setColor(QPalette::WindowText, colourFromNumber(kNavyNumber));
    Label9->setPalette(navy);
    useDesignBackground(*Label9);

    // Created in tab order: surname, first name, date, address, e-mail, OK, cancel.
    Edit1 = addBox(Panel2, QStringLiteral("Edit1"), 128, 32, 105);
    addCaption(Edit1, QStringLiteral("&Nom :"), 80, 38);
    Edit4 = addBox(Panel2, QStringLiteral("Edit4"), 288, 32, 105);
    addCaption(Edit4, QStringLiteral("&Prénom :"), 240, 38);
    MaskEdit1 = addBox(Panel2, QStringLiteral("MaskEdit1"), 128, 64, 121);
    QLabel* dateCaption = addCaption(MaskEdit1, QStringLiteral("&Date de naissance :"), 20, 67);
    // Right-aligned on the designed right edge; wider to the left when the font needs it.
    const int captionWidth = std::max(95, dateCaption->width());
    dateCaption->setGeometry(20 + 95 - captionWidth, 67, captionWidth, dateCaption->height());
    dateCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1 = addLabel(Panel2, dateFormatHint(separator_), 272, 67);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit2 = addBox(Panel2, QStringLiteral("Edit2"), 128, 96, 265);
    addCaption(Edit2, QStringLiteral("&Adresse :"), 71, 104);
    Edit3 = addBox(Panel2, QStringLiteral("Edit3"), 128, 132, 225);
    addCaption(Edit3, QStringLiteral("&E-mail :"), 81, 140);
    // The title repeats the window's, the format hint is the date box's description.
    hideFromScreenReaders(*Label9);
    hideFromScreenReaders(*Label1);

    BitBtn1 = addGlyphButton(Panel2, QStringLiteral("BitBtn1"), QStringLiteral("OK"), QStringLiteral("button_ok"),
                             QRect(120, 184, 75, 25));
    BitBtn1->setDefault(true);
    BitBtn2 = addGlyphButton(Panel2, QStringLiteral("BitBtn2"), QStringLiteral("Annuler"),
                             QStringLiteral("button_cancel"), QRect(224, 184, 75, 25));
}

void TSais::openToAdd() {
    mode_ = EntryMode::Add;
    exec();
}

void TSais::openToModify(const store::RecordIdentity& selected) {
    const auto found = store::RecordStore(context_.startup.dataFilePath).find(selected);
    if (!found) {
        reportVanishedRecord();
        emit recordsChanged();
        return;
    }
    mode_ = EntryMode::Modify;
    selected_ = selected;
    recordToModify_ = *found;
    exec();
}

void TSais::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TSais::FormActivate() {
    if (mainWindow_)
        centreOver(*this, *mainWindow_);
    else
        centreOnScreen(*this);

    separator_ = dateSeparator(context_.configFilePath);
    Label1->setText(dateFormatHint(separator_));
    Label1->adjustSize();
    MaskEdit1->setAccessibleDescription(Label1->text());
    MaskEdit1->setInputMask(dateEntryMask(separator_));

    for (QLineEdit* each : {Edit1, Edit4, MaskEdit1, Edit2, Edit3}) each->clear();

    const QString& title = mode_ == EntryMode::Add ? kAddTitle : kModifyTitle;
    setWindowTitle(title);
    Label9->setText(title);
    Label9->adjustSize();
    if (mode_ == EntryMode::Modify) loadRecord(recordToModify_);
    Edit1->setFocus();
}

void TSais::loadRecord(const store::BirthdayRecord& record) {
    Edit1->setText(textFromCp1252(record.surname));
    Edit4->setText(textFromCp1252(record.firstName));
    MaskEdit1->setText(withSeparators(textFromCp1252(record.birthDate), separator_));
    Edit2->setText(textFromCp1252(record.address));
    Edit3->setText(textFromCp1252(record.email));
}

EntryTexts TSais::typedTexts() const {
    // displayText(), not text(): a masked box's text() drops the blanks of unfilled places.
    return {Edit1->text(), Edit4->text(), MaskEdit1->displayText(), Edit2->text(), Edit3->text()};
}

QLineEdit* TSais::box(EntryField field) const {
    switch (field) {
        case EntryField::Surname: return Edit1;
        case EntryField::FirstName: return Edit4;
        case EntryField::BirthDate: return MaskEdit1;
        case EntryField::Address: return Edit2;
        case EntryField::Email: return Edit3;
    }
    return Edit1;
}

void TSais::BitBtn1Click() {
    const auto checked = checkEntry(typedTexts(), context_.today());
    if (const auto* problem = std::get_if<EntryProblem>(&checked)) {
        context_.dialogs.showMessage(MessageIcon::None, QStringLiteral("Attention"), problem->message);
        box(problem->field)->setFocus();
        return;
    }
    storeRecord(std::get<store::BirthdayRecord>(checked));
}

void TSais::storeRecord(const store::BirthdayRecord& record) {
    const store::RecordStore store(context_.startup.dataFilePath);
    if (mode_ == EntryMode::Add) {
        if (const store::Result<> added = store.addRecord(record); !added) {
            reportWriteFailure(added.failure());
            return;
        }
    } else {
        const store::Result<store::RecordChange> modified = store.modifyRecord(selected_, record);
        if (!modified) {
            reportWriteFailure(modified.failure());
            return;
        }
        if (*modified == store::RecordChange::NotFound) {
            reportVanishedRecord();
            emit recordsChanged();
            reject();
            return;
        }
    }
    emit recordsChanged();
    accept();
}

void TSais::BitBtn2Click() { reject(); }

void TSais::reportVanishedRecord() {
    context_.dialogs.showMessage(
        MessageIcon::Information, QStringLiteral("Attention"),
        QStringLiteral("Cet anniversaire n'est plus dans le fichier : il a été modifié ou supprimé entre-temps, "
                       "peut-être par une autre fenêtre de Velorine.\n\nLa liste va être mise à jour."));
}

void TSais::reportWriteFailure(store::Failure failure) {
    ui::reportWriteFailure(context_.dialogs,
                           QStringLiteral("L'anniversaire n'a pas pu être enregistré dans le fichier"),
                           context_.startup.dataFilePath, failure);
}

}  // namespace velorine::ui
