#include "ui/help/about_box.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include "ui/window_placement.h"
#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/pictures.h"

namespace velorine::ui {
namespace {

const QString kMailType = QStringLiteral("message/rfc822");

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel* addPicture(QWidget* parent, const QString& name, std::function<QPixmap(qreal)> picture, int left, int top) {
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setGeometry(left, top, 32, 32);
    showSharp(*image, std::move(picture));
    return image;
}

}  // namespace

TAboutBox::TAboutBox(RunContext& context, QWidget* mainWindow, const std::string& draftFolder)
    : QDialog(mainWindow), context_(context), mainWindow_(mainWindow), draft_(draftFolder) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos d'Velorine..."));
    setFixedSize(386, 198);
    setFont(designFont(QStringLiteral("Verdana"), 11));
    // Its texts are black and navy by design: the whole box keeps the light design colours.
    useDesignPalette(*this);
    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    setPalette(black);
    buildControls();
    connect(BitBtn1, &QPushButton::clicked, this, &TAboutBox::BitBtn1Click);
}

void TAboutBox::buildControls() {
    Image1 = addPicture(
        this, QStringLiteral("Image1"), [](qreal ratio) { return programIcon().pixmap(QSize(32, 32), ratio); }, 9, 4);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(56, 16, 297, 137);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Label1 = addLabel(this, QStringLiteral("Label1"), QStringLiteral("Velorine"), 69, 24);
    Label1->setFont(designFont(QStringLiteral("Verdana"), 13, true));
    Label1->adjustSize();
    Label2 = addLabel(this, QStringLiteral("Label2"), QStringLiteral("Version 2.0"), 69, 48);

    Edit1 = new QLineEdit(QString::fromLatin1(kMakerAddress), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(128, 120, 145, 21);
    QPalette navy = Edit1->palette();
    navy.setColor(QPalette::Text, colourFromNumber(kNavyNumber));
    Edit1->setPalette(navy);

    // Screen readers call it by its hint.
    Image2 = new ClickableLabel(QAccessible::PushButton, this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(312, 115, 32, 32);
    showSharp(*Image2, mailIcon);
    Image2->setToolTip(QStringLiteral("Envoyer un mail à l'auteur"));
    Image2->setCursor(linkCursor());
    Image2->hide();
    connect(Image2, &ClickableLabel::activated, this, &TAboutBox::Image2Click);
    Edit1->setAccessibleName(QStringLiteral("Adresse de l'auteur"));
    hideFromScreenReaders(*Image1);
    hideFromScreenReaders(*Bevel1);

    BitBtn1 = new QPushButton(twoImageGlyph(QStringLiteral("button_ok")), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(160, 164, 75, 25);
    BitBtn1->setIconSize(QSize(18, 18));
    BitBtn1->setDefault(true);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TAboutBox::FormActivate() {
    if (mainWindow_)
        centreOver(*this, *mainWindow_);
    else
        centreOnScreen(*this);
    // The icon promises a draft the mail program can open: without one it is not offered.
    Image2->setVisible(draft_.write() && context_.dialogs.hasProgramFor(kMailType));
    // On OK rather than in the address box, which would scroll its text to the caret at the end.
    BitBtn1->setFocus();
}

void TAboutBox::Image2Click() {
    if (!context_.dialogs.openUrl(QUrl::fromLocalFile(QFile::decodeName(draft_.path().c_str()))))
        context_.dialogs.showMessage(MessageIcon::Warning, QStringLiteral("Information"),
                                     QStringLiteral("Votre logiciel de messagerie n'a pas pu être lancé.\n"
                                                    "Vous pouvez écrire à l'auteur à l'adresse %1.")
                                         .arg(QString::fromLatin1(kMakerAddress)));
}

void TAboutBox::BitBtn1Click() {
    draft_.remove();
    accept();
}

}  // namespace velorine::ui
