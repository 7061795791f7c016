// The window on a screen of device pixel ratio 2, and what a screen reader
// learns of it. 1 Tishri 5787 = Saturday 12 September 2026; 25 Kislev 5787 =
// Saturday 5 December 2026.

#include "views/calendar_text.h"
#include "window_support.h"

using namespace window_test;

namespace {

// Aligned 2 x 2 blocks of the canvas that are not one colour: none at all
// when the canvas is a 1x drawing doubled.
int FineBlocks(const QImage& canvas) {
    const QImage c = canvas.convertToFormat(QImage::Format_RGB32);
    int fine = 0;
    for (int y = 0; y + 1 < c.height(); y += 2)
        for (int x = 0; x + 1 < c.width(); x += 2) {
            const QRgb p = c.pixel(x, y);
            fine += c.pixel(x + 1, y) != p || c.pixel(x, y + 1) != p || c.pixel(x + 1, y + 1) != p;
        }
    return fine;
}

}  // namespace

class Form1DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Every day glyph on the canvas is the @2x sheet's cell pixel for pixel,
    // the numbers are drawn at the finer resolution too, and the window keeps
    // its size in twips.
    void sharpAtRatioTwo() {
        Folder folder;
        Run run = Shown(folder, QDate(2026, 12, 6));
        QVERIFY(run.Loaded);
        QCOMPARE(run.Grid()->devicePixelRatioF(), 2.0);
        QCOMPARE(run.Grid()->geometry(), QRect(Px(120), Px(1200), Px(4816), Px(3015)));
        const QImage& canvas = run.Canvas();
        QCOMPARE(canvas.size(), run.Grid()->size() * 2);

        const char* sheets[] = {"/glyphs_black@2x.png", "/glyphs_red@2x.png", "/glyphs_green@2x.png"};
        int seen[3] = {};
        for (const tovel::DayCell& cell : tovel::MonthCells(run.Form->State())) {
            const int ink = int(cell.Colour == tovel::Ink::Green) * 2 + int(cell.Colour == tovel::Ink::Red);
            ++seen[ink];
            const QImage want = QImage(TOVEL_VIEWS_DIR + QString(sheets[ink])).convertToFormat(QImage::Format_RGB32);
            QVERIFY2(canvas.copy(2 * Px(cell.X), 2 * Px(cell.Y), 40, 32).convertToFormat(QImage::Format_RGB32) ==
                         want.copy((cell.Day - 1) * 40, 0, 40, 32),  // down to the bar
                     qPrintable(QString("day %1").arg(cell.Day)));
        }
        QVERIFY(seen[0] && seen[1] && seen[2]);  // all three sheets used
        // The Gregorian numbers under the glyphs: one grid row's band below the bars.
        QVERIFY(FineBlocks(canvas.copy(0, 2 * Px(150 + 300), canvas.width(), 2 * 10)) > 50);

        Do(run, "GregorianMnu");
        QCOMPARE(run.Canvas().size(), run.Grid()->size() * 2);
        QVERIFY(FineBlocks(run.Canvas()) > 200);
    }

    // Moved to a screen of another device pixel ratio, the grid is drawn again
    // at that screen's resolution.
    void redrawnOnAnotherScreen() {
        Folder folder;
        Run run = Shown(folder, QDate(2026, 12, 6));
        QVERIFY(run.Loaded);
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        QCOMPARE(run.Canvas().devicePixelRatio(), 2.0);
        run.Form->windowHandle()->setScreen(screens[1]);
        run.Form->move(screens[1]->geometry().topLeft() + QPoint(20, 20));
        QTRY_COMPARE(run.Grid()->devicePixelRatioF(), 3.0);
        run.Grid()->repaint();
        QCOMPARE(run.Canvas().devicePixelRatio(), 3.0);
        QCOMPARE(run.Canvas().size(), run.Grid()->size() * 3);
    }

    // The grid's accessible name and value are the selected day in words, and
    // follow the selection (a button and its announcement over AT-SPI: atspi_check.py).
    void gridSpeaksTheSelectedDay() {
        Folder folder;
        Run run = Shown(folder, QDate(2026, 12, 5));
        QVERIFY(run.Loaded);
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(run.Grid());
        QVERIFY(grid && grid->role() == QAccessible::Graphic && !grid->text(QAccessible::Description).isEmpty());
        const struct { QString steps, name; } moves[] = {
            {"", "25 Kislev 5787, Saturday 5 December 2026, Hanukkah (8 days)"},
            {"Up, Up, Up, Up", "27 Heshvan 5787, Saturday 7 November 2026"},  // over the month's start
            {"Today", "25 Kislev 5787, Saturday 5 December 2026, Hanukkah (8 days)"},
            {"GregorianMnu", "Saturday 5 December 2026, week %1"},  // the week the view shows
        };
        for (const auto& m : moves) {
            Do(run, m.steps);
            const QString week = run.Label("Label2")->text().section(' ', -1);
            const QString name = m.name.contains("%1") ? m.name.arg(week) : m.name;
            QCOMPARE(grid->text(QAccessible::Name), name);
            QCOMPARE(grid->text(QAccessible::Value), name);
        }
    }
};

int main(int argc, char** argv) {
    // Two screens side by side, the second of device pixel ratio 1.5, all
    // scaled by 2.
    QTemporaryDir dir;
    QFile config(dir.filePath("screens.json"));
    if (!config.open(QIODevice::WriteOnly)) return 1;
    config.write(R"({"screens": [
        {"name": "one", "x": 0, "y": 0, "width": 1000, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "two", "x": 1000, "y": 0, "width": 1000, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.5}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    Form1DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "form1_desktop_test.moc"
