// The Gregorian month view through the real controls on the offscreen platform. 1 January 2000 is a
// Saturday, 1 January 2015 a Thursday; weeks run from Sunday, week 1 holding 1 January.

#include "window_support.h"

using namespace window_test;

namespace {

// Where the ink in one grid cell (650 x 450 twips from X 250, Y 150) lies, and whether it has full
// red-violet or black.
struct CellInk {
    QRect box;
    bool red = false, black = false;
};
CellInk InkOfCell(const QImage& canvas, int column, int row) {
    const int left = Px(250 + 650 * (column - 1)), top = Px(150 + 450 * (row - 1));
    CellInk ink;
    for (int y = top; y < top + Px(450); ++y)
        for (int x = left; x < left + Px(650) && x < canvas.width() - 1; ++x)
            if (const QColor c = canvas.pixelColor(x, y); c != Qt::white) {
                ink.box |= QRect(x, y, 1, 1);
                ink.red = ink.red || c == kRed;
                ink.black = ink.black || c == kBlack;
            }
    return ink;
}

// A window started on `today` in the Gregorian view.
Run Gregorian(const Folder& folder, const QDate& today) {
    folder.Write("Tovel.ini", IniWith("Gregorian=1\r\n"));
    return Shown(folder, today);
}

// How many of the chooser, the SunSet menu and the Year Steps menu are enabled.
int JewishControlsEnabled(const Run& run) {
    return run.Chooser()->isEnabled() + run.Form->findChild<QMenu*>("Sunset")->isEnabled() +
           run.Form->findChild<QMenu*>("Steps")->isEnabled();
}

}  // namespace

class Form1GregorianTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // January 2000, 31 days from a Saturday: six rows, Saturdays red-violet and the other days
    // black, day 31 in 16 pt italic at X 900, Y 2400 twips.
    void month() {
        Folder folder;
        Run run = Gregorian(folder, QDate(2000, 1, 31));
        QVERIFY(run.Loaded);
        QCOMPARE(run.Label("Label9")->text(), QString());
        for (const auto& [column, row] :
             {std::pair{7, 1}, {1, 2}, {6, 2}, {7, 5}, {1, 6}, {2, 6}}) {
            const CellInk ink = InkOfCell(run.Canvas(), column, row);
            QCOMPARE(ink.red, column == 7);
            QCOMPARE(ink.black, column != 7);
        }
        const CellInk ink = InkOfCell(run.Canvas(), 2, 6);
        QVERIFY(ink.box.intersects(QRect(Px(900), Px(2400), 40, 25)));
        QVERIFY(ink.box.height() >= 10);  // 16 pt digits
        QCOMPARE(run.Marker()->geometry(), QRect(Px(900), Px(2390), Px(530), Px(470)));
    }

    // Steps (see window_support.h): the year buttons move one year whatever Year Steps says; a
    // click shows the abbreviated month name and keeps the hint, a redraw clears it. A row without
    // an end day changes nothing.
    void navigate_data() {
        Columns<QDate, QString, QDate, QString, QString>(
            {"today", "steps", "end", "status", "week"});
        auto row = [](const char* name, QDate today, const char* steps, QDate end,
                      const char* status = "", const char* week = "") {
            QTest::newRow(name) << today << QString(steps) << end << QString(status)
                                << QString(week);
        };
        // clang-format off
        row("Year Steps 10 ignored", {2000, 1, 15}, "JewishMnu, Step10, GregorianMnu, >>, >>, <<",
            {2001, 1, 15}, "15-January-2001", "Week  3");
        row("Today after moves", {2000, 1, 31}, ">, >, >>, Today", {2000, 1, 31}, "31-January-2000",
            "Week  6");
        row("Right on 31 January", {2000, 1, 31}, "Right", {2000, 2, 1}, "01-February-2000",
            "Week  6");
        // Pixel (235, 79) is X 3525, Y 1185 twips: column 5, row 2.
        row("click on Friday 20th", {2015, 2, 10}, "left 235 79", {2015, 2, 20}, "20-Feb-2015",
            "Week  8");
        row("click on 31 January, then >", {2015, 1, 10}, "middle 279 139, >", {2015, 2, 28},
            "28-February-2015", "Week  9");
        row("a letter, clicks on an empty cell and right of column 7", {2015, 2, 10},
            "G, left 20 139, left 316 20", {});
        // clang-format on
    }
    void navigate() {
        QFETCH(QDate, today);
        QFETCH(QString, steps);
        QFETCH(QDate, end);
        Folder folder;
        Run run = Gregorian(folder, today);
        QVERIFY(run.Loaded);
        run.Label("Label9")->setText("hint");
        const QStringList before = Snapshot(run);
        Do(run, steps);
        if (!end.isValid()) QCOMPARE(Snapshot(run), before);
        if (!end.isValid()) return;
        QCOMPARE(ToQDate(run.Form->State().GregDate), end);
        QCOMPARE(int(run.Form->State().GregDay), end.day());
        QTEST(run.Label("Label10")->text(), "status");
        QTEST(run.Label("Label2")->text(), "week");
        const bool click = steps.section(", ", -1).contains(' ');
        QCOMPARE(run.Label("Label9")->text(), click ? QString("hint") : QString());
        QCOMPARE(QString::number(run.Form->State().SelDate.Serial()), before[0]);
        QCOMPARE(*run.Messages, QStringList());
        // The marker frames the day where a redraw puts it.
        const QRect marker = run.Marker()->geometry();
        run.Form->FillPicture();
        QCOMPARE(run.Marker()->geometry(), marker);
    }

    // The Calendar menu: the view already shown is not drawn again; the Gregorian view disables the
    // chooser and the SunSet and Year Steps menus; the way back draws the Jewish month of SelDate
    // exactly as before. The key "Gregorian" keeps the view over a restart: 1 is the Gregorian
    // view, any other value the Jewish view, saved as 0.
    void viewSwitch() {
        Folder folder;
        folder.Write("Tovel.ini", IniWith("Gregorian=2\r\n"));
        Run run = Shown(folder, QDate(1999, 9, 15));
        QVERIFY(run.Loaded);
        QAction* jewish = run.Action("JewishMnu");
        QAction* gregorian = run.Action("GregorianMnu");
        QStringList expected = Snapshot(run);
        for (QAction* item : {jewish, gregorian, gregorian, jewish}) {
            const bool again = item->isChecked();
            run.Label("Label9")->setText("hint");
            item->trigger();
            QCOMPARE(jewish->isChecked(), item == jewish);
            QCOMPARE(gregorian->isChecked(), item == gregorian);
            QCOMPARE(JewishControlsEnabled(run), item == jewish ? 3 : 0);
            if (again) QCOMPARE(run.Label("Label9")->text(), QString("hint"));
            if (item == gregorian && !again) {
                QCOMPARE(run.Label("Label1")->text(), QString("September  1999"));
                QVERIFY(InkOfCell(run.Canvas(), 4, 3).black);  // Wednesday the 15th
                Do(run, ">, >>");                              // moves GregDate only
            }
        }
        expected[1] = QString::number(tovel::Date::FromYmd(2000, 10, 15).Serial());
        QCOMPARE(Snapshot(run), expected);
        for (const bool back : {false, true}) {  // to the Gregorian view, then back
            Do(run, back ? "JewishMnu" : "GregorianMnu");
            QVERIFY(run.Form->close());
            QVERIFY(
                KeyLines(folder.Read("Tovel.ini")).contains(back ? "Gregorian=0" : "Gregorian=1"));
            run = Shown(folder, QDate(2002, 5, 5));
            QCOMPARE(run.Label("Label1")->text(),
                     back ? QString(" Iyyar  5762") : QString("May  2002"));
            QCOMPARE(run.Action("GregorianMnu")->isChecked(), !back);
            QCOMPARE(JewishControlsEnabled(run), back ? 3 : 0);
        }
    }
};

QTEST_MAIN(Form1GregorianTest)
#include "form1_gregorian_test.moc"
