#include "ui/help/help_window.h"

#include <QBoxLayout>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QTextEdit>

#include <optional>

#include "app/executables.h"
#include "app/process_environment.h"
#include "ui/window_placement.h"
#include "ui/design.h"
#include "rtf/rtf_reader.h"
#include "ui/pictures.h"
#include "ui/accessibility.h"

namespace velorine::ui {
namespace {

constexpr int kMargin = 17;
constexpr int kButtonTop = 8;

QFrame* addMargin(QWidget* parent, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::NoFrame);
    return panel;
}

// The whole file, or nothing when it is missing, not a regular file (a named pipe would block
// the start) or cannot be read to its end.
std::optional<QByteArray> readGuide(const QString& path) {
    if (!QFileInfo(path).isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

}  // namespace

QString installedGuidePath() { return QFile::decodeName(app::userGuideFrom(app::executableDirectory()).c_str()); }

TAide::TAide(RunContext& context, QWidget* parent, const QString& guidePath)
    : QDialog(parent), context_(context), guidePath_(guidePath) {
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Aide Velorine"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    resize(457, 442);
    buildControls();
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

void TAide::buildControls() {
    Panel1 = addMargin(this, QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kMargin);
    Panel2 = addMargin(this, QStringLiteral("Panel2"));
    Panel2->setFixedWidth(kMargin);
    Panel4 = addMargin(this, QStringLiteral("Panel4"));
    Panel4->setFixedWidth(kMargin);
    Panel3 = addMargin(this, QStringLiteral("Panel3"));
    Panel3->setFixedHeight(41);

    // Placed by hand within its panel: FormResize keeps it where the window's width puts it.
    BitBtn1 = new QPushButton(twoImageGlyph(QStringLiteral("button_ok")), QStringLiteral("OK"), Panel3);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(0, kButtonTop, 75, 25);
    BitBtn1->setIconSize(QSize(18, 18));
    BitBtn1->setDefault(true);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The guide is a document with colours of its own: it is shown on the page it was written on.
    useDesignPalette(*RichEdit1);
    RichEdit1->setPlainText(QStringLiteral("RichEdit1"));
    RichEdit1->setAccessibleName(QStringLiteral("Guide de l'utilisateur"));
    // The margins are blank: screen readers need not visit them.
    for (QWidget* margin : std::initializer_list<QWidget*>{Panel1, Panel2, Panel4}) hideFromScreenReaders(*margin);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(Panel2);
    middle->addWidget(RichEdit1, 1);
    middle->addWidget(Panel4);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel1);
    column->addLayout(middle, 1);
    column->addWidget(Panel3);
}

void TAide::FormCreate() {
    const std::optional<QByteArray> guide = readGuide(guidePath_);
    if (!guide) {
        context_.dialogs.showMessage(MessageIcon::Error, QGuiApplication::applicationDisplayName(),
                                     QStringLiteral("Impossible d'ouvrir le fichier %1").arg(guidePath_));
        return;
    }
    readRtf(*guide, *RichEdit1->document());
    // The caret followed the text in: the guide opens at its beginning.
    RichEdit1->moveCursor(QTextCursor::Start);
}

void TAide::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TAide::FormActivate() { centreOnScreen(*this); }

void TAide::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TAide::FormResize() {
    RichEdit1->viewport()->update();
    // The outer width, frame included, as the window was designed: a few pixels right of the
    // panel's centre under a window manager.
    BitBtn1->move((frameGeometry().width() - BitBtn1->width()) / 2, kButtonTop);
}

}  // namespace velorine::ui
