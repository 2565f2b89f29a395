// Writes screenshots/controls_gallery.png: the flat button in each state, with and without its
// glyph, and the banner at several moments, as the reminder window dresses them.
#define QTEST_QPA_MOUSE_HANDLING

#include <QDir>
#include <QPainter>
#include <QtTest>

#include <functional>

#include "button_rig.h"
#include "controls/banner.h"

using namespace velorine::controls;
using namespace velorine::controls::testing;

namespace {

const QColor kPanel(254, 247, 241);  // the reminder window's background
const QColor kOlive(128, 128, 0);
const int kCell = 100;

QFont DesignFont(bool bold, bool italic) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// Two 18 × 18 images on olive, drawn by `mark` in its colour and then in white and grey.
QImage Strip(const std::function<void(QPainter&, int left)>& mark, const QColor& colour) {
    QImage strip(36, 18, QImage::Format_RGB32);
    strip.fill(kOlive);
    QPainter painter(&strip);
    painter.setPen(QPen(colour, 2));
    mark(painter, 0);
    painter.setPen(QPen(Qt::white, 2));
    mark(painter, 19);
    painter.setPen(QPen(QColor(128, 128, 128), 2));
    mark(painter, 18);
    return strip;
}

QImage CheckMark() {
    return Strip(
        [](QPainter& p, int x) {
            p.drawLine(x + 3, 9, x + 7, 13);
            p.drawLine(x + 7, 13, x + 14, 4);
        },
        QColor(0, 150, 0));
}

QImage Prohibition() {
    return Strip(
        [](QPainter& p, int x) {
            p.drawEllipse(x + 3, 3, 12, 12);
            p.drawLine(x + 5, 5, x + 13, 13);
        },
        QColor(220, 0, 0));
}

struct ButtonState {
    QString label;
    std::function<void(ButtonRig&, TIEButton&)> enter;
};

std::vector<ButtonState> States() {
    return {
        {QStringLiteral("Au repos"), [](ButtonRig&, TIEButton&) {}},
        {QStringLiteral("Survolé"), [](ButtonRig& rig, TIEButton& b) { rig.MoveOnto(b); }},
        {QStringLiteral("Enfoncé"),
         [](ButtonRig& rig, TIEButton& b) {
             rig.MoveOnto(b);
             rig.Press(b);
         }},
        {QStringLiteral("Bas (groupe)"),
         [](ButtonRig&, TIEButton& b) {
             b.SetGroupIndex(1);
             b.SetDown(true);
         }},
        {QStringLiteral("Désactivé"), [](ButtonRig&, TIEButton& b) { b.setEnabled(false); }},
        {QStringLiteral("Standard"), [](ButtonRig&, TIEButton& b) { b.SetStandardButton(true); }},
        {QStringLiteral("Relief 2 px"),
         [](ButtonRig& rig, TIEButton& b) {
             b.SetSoftShading(false);
             rig.MoveOnto(b);
         }},
        {QStringLiteral("Menu"),
         [](ButtonRig& rig, TIEButton& b) {
             b.SetDropDownArrow(true);
             rig.MoveOnto(b);
         }},
    };
}

QImage ButtonShot(const ButtonState& state, const QString& caption, const QImage& glyph) {
    ButtonRig rig;
    QPalette panel = rig.Window().palette();
    panel.setColor(QPalette::Window, kPanel);
    rig.Window().setPalette(panel);
    TIEButton& button = rig[0];
    button.setFont(DesignFont(true, false));
    button.SetSoftShading(true);
    button.SetTransparent(true);
    button.SetWordWrap(true);
    button.SetCaption(caption);
    button.SetGlyph(glyph);
    state.enter(rig, button);
    const QImage shot = rig.Shot(button);
    if (button.CurrentGlyphState() == GlyphState::Pressed) {
        rig.Release(button);
    }
    return shot;
}

QImage BannerShot(int steps) {
    QWidget window;
    auto* banner = new TBanner(&window);
    banner->resize(441, 17);
    banner->SetScrollText(QStringLiteral("Cliquez ici pour programmer les velorine..") + QString(27, QLatin1Char(' ')));
    banner->SetNoGap(true);
    banner->SetScrollInterval(60000);
    banner->SetLinesAlign(taLeftJustify);
    banner->SetColor(Qt::white);
    banner->setFont(DesignFont(false, true));
    banner->Loaded();
    for (int i = 0; i < steps; ++i) {
        banner->ScrollTick();
    }
    return banner->grab().toImage();
}

QImage LinesBannerShot(TScrollDirection direction, int steps) {
    QWidget window;
    auto* banner = new TBanner(&window);
    banner->resize(140, 60);
    banner->SetScrollDirection(direction);
    banner->SetScrollInterval(60000);
    banner->SetColor(QColor(255, 255, 200));
    banner->setFont(DesignFont(true, false));
    banner->SetLines({QStringLiteral("Bon anniversaire"), QStringLiteral("Marie"), QStringLiteral("Bonne fête Jean")});
    banner->Loaded();
    for (int i = 0; i < steps; ++i) {
        banner->ScrollTick();
    }
    return banner->grab().toImage();
}

}  // namespace

class GalleryTest : public QObject {
    Q_OBJECT

private slots:
    void writeGallery() {
        const std::vector<ButtonState> states = States();
        const std::vector<std::pair<QString, QImage>> rows{
            {QStringLiteral("&Demain"), QImage()},
            {QStringLiteral("&Oui"), CheckMark()},
            {QStringLiteral("&Non"), Prohibition()},
        };
        QImage sheet(20 + kCell * static_cast<int>(states.size()), 420, QImage::Format_RGB32);
        sheet.fill(kPanel);
        QPainter painter(&sheet);
        painter.setFont(DesignFont(false, false));
        painter.setPen(Qt::black);

        for (std::size_t column = 0; column < states.size(); ++column) {
            const int x = 10 + kCell * static_cast<int>(column);
            painter.drawText(x, 20, states[column].label);
            for (std::size_t row = 0; row < rows.size(); ++row) {
                const QImage shot = ButtonShot(states[column], rows[row].first, rows[row].second);
                QVERIFY(!shot.isNull());
                painter.drawImage(x, 30 + 40 * static_cast<int>(row), shot);
            }
        }

        int y = 170;
        for (const int steps : {0, 1, 30, 60, 100}) {
            painter.drawText(10, y + 12, QStringLiteral("Bandeau, %1 pas").arg(steps));
            painter.drawImage(120, y, BannerShot(steps));
            y += 24;
        }
        int x = 10;
        for (const auto& [direction, label] : {std::pair{sdBottomToTop, QStringLiteral("Lignes, vers le haut")},
                                               std::pair{sdLeftToRight, QStringLiteral("Lignes, vers la droite")}}) {
            painter.drawText(x, y + 20, label);
            for (const int steps : {5, 12}) {
                painter.drawImage(x, y + 28, LinesBannerShot(direction, steps));
                x += 150;
            }
        }
        painter.end();

        const QString directory = QStringLiteral(VELORINE_SCREENSHOT_DIR);
        QVERIFY(QDir().mkpath(directory));
        const QString path = directory + QStringLiteral("/controls_gallery.png");
        QVERIFY(sheet.save(path));
        QCOMPARE(QImage(path).size(), sheet.size());
    }
};

QTEST_MAIN(GalleryTest)
#include "gallery_test.moc"
