// The drawn news list against a QListWidget in the same run: adding 10,000
// rows, then scrolling through all of them a page at a time, each page
// painted. Both are timed by the CPU time of the whole process (painting
// hands work to Qt's thread pool), which other programs sharing the machine
// disturb far less than the time on the clock.

#include "BenchSupport.h"

#include "controls/ListMultiple.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>

#include <ctime>

using namespace benchsupport;

namespace {

constexpr int kRows = 10'000;
// A drawn row is 825 twips high.
constexpr int kRowHeightPx = 825 / ListMultiple::kTwipsPerPixel;

QPixmap rowIcon() {
    QPixmap icon(16, 16);
    icon.fill(Qt::darkGreen);
    return icon;
}

QString caption(int i) {
    return QStringLiteral("新闻标题 %1 — 一条很长的标题").arg(i);
}

// Each step repaints the whole widget, rows and scroll bar alike.
void scrollThrough(QWidget& painted, QScrollBar& bar) {
    for (int v = bar.minimum(); v <= bar.maximum(); v += std::max(1, bar.pageStep())) {
        bar.setValue(v);
        painted.repaint();
    }
}

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

void BM_QListWidget(benchmark::State& state) {
    const QPixmap icon = rowIcon();
    const bool scroll = state.range(0) != 0;
    for (auto _ : state) {
        const double start = processCpuSeconds();
        QListWidget list;
        list.resize(600, 400);
        list.show();
        for (int i = 0; i < kRows; ++i) {
            // The same row as a drawn one: caption over description, the
            // sub-caption kept with it, a check box, and the same height.
            auto* item = new QListWidgetItem(QIcon(icon), caption(i) + QLatin1Char('\n') +
                                                              QStringLiteral("摘要 %1").arg(i));
            item->setData(Qt::UserRole, QStringLiteral("12:00"));
            item->setCheckState(i % 3 == 0 ? Qt::Checked : Qt::Unchecked);
            item->setSizeHint(QSize(560, kRowHeightPx));
            list.addItem(item);
        }
        // The view lays its items out when events run, as in the program.
        QCoreApplication::processEvents();
        if (scroll)
            scrollThrough(list, *list.verticalScrollBar());
        else
            list.repaint();
        state.SetIterationTime(processCpuSeconds() - start);
    }
}

void BM_ListMultiple(benchmark::State& state) {
    const QPixmap icon = rowIcon();
    const bool scroll = state.range(0) != 0;
    for (auto _ : state) {
        const double start = processCpuSeconds();
        ListMultiple list;
        list.resize(600, 400);
        list.show();
        for (int i = 0; i < kRows; ++i)
            list.Add(caption(i), QStringLiteral("12:00"), QStringLiteral("摘要 %1").arg(i),
                     i % 3 == 0, QString(), icon, QString());
        QCoreApplication::processEvents();
        if (scroll)
            scrollThrough(list, *list.scrollBar());
        else
            list.repaint();
        state.SetIterationTime(processCpuSeconds() - start);
    }
}

} // namespace

// Argument 0: add the rows and paint once; 1: then scroll through them all.
BENCHMARK(BM_QListWidget)
    ->Arg(0)
    ->Arg(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListMultiple)
    ->Arg(0)
    ->Arg(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// The baseline again at the end: the fastest of both runs counts.
BENCHMARK(BM_QListWidget)
    ->Arg(0)
    ->Arg(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runWithRatios(argc, argv, [](const RatioReporter& reporter) {
        reporter.printRatio("add 10,000 rows / QListWidget", "BM_ListMultiple/0",
                            "BM_QListWidget/0", 1.0);
        reporter.printRatio("add 10,000 rows and scroll through them / QListWidget",
                            "BM_ListMultiple/1", "BM_QListWidget/1", 1.0);
    });
}
