// One redraw of the Jewish month view (grid, title lines, marker, status
// lines), one press of a navigation button, one redraw of the Gregorian month
// view, one switch between the views and the Jewish year as a PDF page, on
// the offscreen platform.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "engine/year_table.h"
#include "views/form1.h"
#include "views/print_pages.h"

namespace {

// A started window on 21 March 2000, in a program folder of its own.
struct StartedWindow {
    QTemporaryDir folder;
    std::unique_ptr<tovel::Form1> form;

    explicit StartedWindow(benchmark::State& state) {
        QFile::copy(QString(TOVEL_DATA_DIR) + "/RHDates.Tvl", folder.path() + "/RHDates.Tvl");
        tovel::Form1Options options;
        options.ProgramFolder = folder.path();
        options.Today = [] { return tovel::Date::FromYmd(2000, 3, 21); };
        options.ShowMessage = [](const QString&) {};
        form = std::make_unique<tovel::Form1>(options);
        if (!form->Form_Load()) state.SkipWithError("start-up failed");
    }
};

void BM_FillPicture(benchmark::State& state) {
    StartedWindow window(state);
    for (auto _ : state) window.form->FillPicture();
}

// A month change as the buttons make it: month setup from the year table, then the redraw.
void BM_MonthChange(benchmark::State& state) {
    StartedWindow window(state);
    int step = 1;
    for (auto _ : state) {
        auto& s = window.form->State();
        s.SelDate = s.SelDate + step * s.MonthDays;
        step = -step;
        window.form->FindGDate();
        window.form->FillPicture();
    }
}

// One press of ">" through the button: range test, month setup from the year
// table, redraw and chooser refill. Back to today (untimed) before the end of
// the year range.
void BM_NextMonthPress(benchmark::State& state) {
    StartedWindow window(state);
    auto* next = window.form->findChild<QPushButton*>("Command3");
    auto* today = window.form->findChild<QPushButton*>("Command4");
    for (auto _ : state) {
        next->click();
        if (window.form->State().JewYear >= 6500) {
            state.PauseTiming();
            today->click();
            state.ResumeTiming();
        }
    }
}

// One redraw of the Gregorian month view (grid, title, status lines, marker,
// week number).
void BM_FillGregorian(benchmark::State& state) {
    StartedWindow window(state);
    window.form->findChild<QAction*>("GregorianMnu")->trigger();
    for (auto _ : state) window.form->FillPicture();
}

// One switch between the views through the Calendar menu, each way in turn.
void BM_ViewSwitch(benchmark::State& state) {
    StartedWindow window(state);
    QAction* views[] = {window.form->findChild<QAction*>("GregorianMnu"),
                        window.form->findChild<QAction*>("JewishMnu")};
    int next = 0;
    for (auto _ : state) {
        views[next]->trigger();
        next = 1 - next;
    }
}

// The shown Jewish year on one A4 page as File > Export PDF... makes it: the
// year table read, the page laid out, painted and written as a PDF.
void BM_YearPagePdf(benchmark::State& state) {
    StartedWindow window(state);
    const tovel::CalendarState& s = window.form->State();
    const QStringList names{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (auto _ : state) {
        const tovel::CalendarPage page(tovel::PrintLayout::JewishYear, s,
                                       tovel::ReadYearTable(s.RHDatesFile), names);
        benchmark::DoNotOptimize(tovel::PagePdf(page, QPageSize::A4));
    }
}

}  // namespace

BENCHMARK(BM_FillPicture);
BENCHMARK(BM_MonthChange);
BENCHMARK(BM_NextMonthPress);
BENCHMARK(BM_FillGregorian);
BENCHMARK(BM_ViewSwitch);
BENCHMARK(BM_YearPagePdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
