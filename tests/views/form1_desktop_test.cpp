// The window on screens of device pixel ratio 2 and 3, and what a screen reader learns of it. 25
// Kislev 5787 = Saturday 5 December 2026.

#include "window_support.h"

using namespace window_test;

namespace {

// Aligned 2 x 2 blocks of the canvas that are not one colour: none at all when the canvas is a 1x
// drawing doubled.
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

    // At ratio 2 every day glyph on the canvas is the @2x sheet's cell pixel for pixel, the numbers
    // are drawn finer too, and the window keeps its size in twips. The grid's accessible name and
    // value are the selected day in words and follow the selection (over AT-SPI: atspi_check.py).
    // Moved to a screen of another ratio, the grid is drawn again at that resolution.
    void sharpAndSpoken() {
        Folder folder;
        Run run = Shown(folder, QDate(2026, 12, 5));
        QVERIFY(run.Loaded);
        QCOMPARE(run.Grid()->devicePixelRatioF(), 2.0);
        QCOMPARE(run.Grid()->geometry(), QRect(Px(120), Px(1200), Px(4816), Px(3015)));
        const QImage& canvas = run.Canvas();
        QCOMPARE(canvas.size(), run.Grid()->size() * 2);
        const char* sheets[] = {"black", "red", "green"};
        int seen = 0;  // a bit for each ink
        const auto rgb = QImage::Format_RGB32;
        for (const tovel::DayCell& cell : tovel::MonthCells(run.Form->State())) {
            seen |= 1 << int(cell.Colour);
            const QImage sheet(TOVEL_VIEWS_DIR "/glyphs_" + QString(sheets[int(cell.Colour)]) +
                               "@2x.png");
            const QImage glyph = canvas.copy(2 * Px(cell.X), 2 * Px(cell.Y), 40, 32);  // to the bar
            QCOMPARE(glyph.convertToFormat(rgb),
                     sheet.convertToFormat(rgb).copy((cell.Day - 1) * 40, 0, 40, 32));
        }
        QCOMPARE(seen, 7);
        // The Gregorian numbers under the glyphs: one grid row's band below the bars.
        QVERIFY(FineBlocks(canvas.copy(0, 2 * Px(150 + 300), canvas.width(), 2 * 10)) > 50);

        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(run.Grid());
        QVERIFY(grid);
        QCOMPARE(grid->role(), QAccessible::Graphic);
        QVERIFY(!grid->text(QAccessible::Description).isEmpty());
        const QString hanukkah = "25 Kislev 5787, Saturday 5 December 2026, Hanukkah (8 days)";
        // clang-format off
        const struct { QString steps, name; } moves[] = {
            {"", hanukkah},
            {"Up, Up, Up, Up", "27 Heshvan 5787, Saturday 7 November 2026"},  // month's start
            {"Today", hanukkah},
            {"GregorianMnu", "Saturday 5 December 2026, week 49"},  // 2026 starts on a Thursday
        };  // clang-format on
        for (const auto& m : moves) {
            Do(run, m.steps);
            QCOMPARE(grid->text(QAccessible::Name), m.name);
            QCOMPARE(grid->text(QAccessible::Value), m.name);
        }
        QCOMPARE(run.Canvas().size(), run.Grid()->size() * 2);
        QVERIFY(FineBlocks(run.Canvas()) > 200);

        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        run.Form->windowHandle()->setScreen(screens[1]);
        run.Form->move(screens[1]->geometry().topLeft() + QPoint(20, 20));
        QTRY_COMPARE(run.Grid()->devicePixelRatioF(), 3.0);
        run.Grid()->repaint();
        QCOMPARE(run.Canvas().devicePixelRatio(), 3.0);
        QCOMPARE(run.Canvas().size(), run.Grid()->size() * 3);
    }
};

int main(int argc, char** argv) {
    // Two screens side by side, the second of device pixel ratio 1.5, all scaled by 2.
    QTemporaryDir dir;
    QFile config(dir.filePath("screens.json"));
    if (!config.open(QIODevice::WriteOnly)) return 1;
    const char* size = R"("width": 1000, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96)";
    config.write(QString(R"({"screens": [{"name": "one", "x": 0, "y": 0, %1, "dpr": 1},
        {"name": "two", "x": 1000, "y": 0, %1, "dpr": 1.5}]})")
                     .arg(size)
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    Form1DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "form1_desktop_test.moc"
