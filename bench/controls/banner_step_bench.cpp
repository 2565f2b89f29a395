// One step of the reminder window's banner (441 × 17, Verdana-like italic text repeated without
// gap, or one copy in gap mode): the tick and the immediate paint it makes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "controls/banner.h"

namespace {

using velorine::controls::TBanner;

void BannerStep(benchmark::State& state) {
    QWidget window;
    auto* banner = new TBanner(&window);
    banner->resize(441, 17);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setItalic(true);
    banner->setFont(font);
    banner->SetColor(Qt::white);
    banner->SetNoGap(state.range(0) != 0);
    banner->SetScrollInterval(60000);  // the benchmark takes the steps itself
    banner->SetScrollText(QStringLiteral("Cliquez ici pour programmer les velorine..") + QString(27, QLatin1Char(' ')));
    banner->Loaded();
    window.resize(500, 40);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        banner->ScrollTick();
    }
}
BENCHMARK(BannerStep)->ArgName("no_gap")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
