// Both month views driven through the real controls on the offscreen platform (where each move
// lands over the whole table: input/grid_test.cpp). 5784 is a leap year: 1 Adar I = 10 February
// 2024, 1 Adar II = 11 March 2024. 1 January 2000 is a Saturday, 1 January 2015 a Thursday; weeks
// run from Sunday, week 1 holding 1 January.

#include "views/window_support.h"

using namespace window_test;

namespace {

const QString kLower = "Tovel can not pass below jewish year 5563";
const QString kUpper = "Tovel can not pass jewish year 6550";
enum Setup { Plain, Located, Gregorian };

// Where the ink in one Gregorian grid cell (650 x 450 twips from X 250, Y 150) lies, and whether
// it has full red-violet or black.
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

// How many of the chooser, the SunSet menu and the Year Steps menu are enabled.
int JewishControlsEnabled(const Run& run) {
    return run.Chooser()->isEnabled() + run.Form->findChild<QMenu*>("Sunset")->isEnabled() +
           run.Form->findChild<QMenu*>("Steps")->isEnabled();
}

}  // namespace

class Form1NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // A window started on `start` (with a sunset table in force, or in the Gregorian view) shows a
    // hint and a chooser entry, then takes the steps (see window_support.h). A row without an end
    // day must leave the view as it was. Jewish clicks are at grid pixels: (62, 48) is X 930,
    // Y 720 twips, row 1 of column 1. In the Gregorian view the year buttons move one year whatever
    // Year Steps says; a click shows the abbreviated month name and keeps the hint.
    void navigate_data() {
        Columns<int, QDate, QString, QDate, QString, QString, QString, QStringList>(
            {"setup", "start", "steps", "end", "title", "status", "week", "messages"});
        auto row = [](const char* name, Setup setup, QDate start, const char* steps, QDate end,
                      const char* title = "", QString status = "*", const char* week = "",
                      QStringList messages = {}) {
            QTest::newRow(name) << int(setup) << start << QString(steps) << end << QString(title)
                                << status << QString(week) << messages;
        };
        const QDate none;
        const char *tishri = " Tishri  5760", *home = "Sun sets in Home at ";
        const QString kippur = "Yom Kippur - sun sets in Home at " + SunText({1999, 9, 20}, 0);
        // Month buttons stop at the table's ends.
        row("< from 1 Adar II", Plain, {2024, 3, 11}, "<", {2024, 2, 10}, " Adar I  5784");
        row("<, < from 2 Tishri 5563", Plain, {1802, 9, 28}, "<, <", {1802, 8, 30}, " Elul  5562");
        row(">, > from 5 Elul 6550", Plain, {2790, 9, 6}, ">, >", {2790, 10, 5}, " Tishri  6551");
        // Year buttons: YearStep years away, judged by the year reached.
        row("<< by 50 from 5600", Plain, {1839, 9, 23}, "Step50, <<", none, "", "*", "", {kLower});
        row(">> from 6550", Plain, {2790, 9, 6}, ">>", none, "", "*", "", {kUpper});
        row(">> from 6549", Plain, {2788, 9, 24}, ">>", {2789, 9, 12}, " Tishri  6550");
        row("<< by 50 from 5613", Plain, {1852, 9, 14}, "Step50, <<", {1802, 9, 27},
            " Tishri  5563");
        row("steps 10, 2", Plain, {1999, 9, 20}, "Step10, >>, Step2, <<", {2007, 9, 22},
            " Tishri  5768");
        row("steps 20, 5, 1", Plain, {1999, 9, 20}, "Step20, >>, Step5, <<, Step1, >>",
            {2015, 9, 23}, " Tishri  5776");
        row("Year Steps only", Plain, {2024, 3, 24}, "Step20, Step5", none);
        row("Today after moves", Plain, {2024, 2, 9}, ">, >, <<, Today", {2024, 2, 9},
            " Shevat  5784");
        // Arrow keys whatever the modifiers, across month ends; other keys do nothing.
        row("arrows", Plain, {2023, 11, 9}, "Down, Ctrl+Up, Shift+Right, Alt+Down, Ctrl+Shift+Left",
            {2023, 11, 16}, " Kislev  5784");
        row("other keys", Plain, {2023, 11, 9}, "A, PgUp, Home, Return", none);
        row("29 Elul 6551, the table's last day", Plain, {2791, 9, 20}, "Right, Down", none);
        // Clicks select the day under the pointer (Tishri 5760).
        row("Monday, located", Located, {1999, 9, 15}, "right 62 48", {1999, 9, 13}, tishri,
            home + SunText({1999, 9, 13}, 0));
        row("Yom Kippur", Plain, {1999, 9, 15}, "left 62 78", {1999, 9, 20}, tishri, "Yom Kippur");
        row("Yom Kippur, located", Located, {1999, 9, 15}, "middle 62 78 Ctrl", {1999, 9, 20},
            tishri, kippur);
        row("empty cells, off the grid", Located, {1999, 9, 15},
            "left 20 20, left 100 191, left 316 48, left 20 192", none);
        // Chooser picks; a pick keeps its text in the chooser.
        row("20 Tishri, Yom Kippur: back", Plain, {1999, 9, 29}, "pick Yom Kippur", {1999, 9, 20},
            tishri);
        row("Adar I, Purim", Plain, {2024, 2, 14}, "pick Purim", {2024, 3, 24}, " Adar II  5784");
        row("6551: refused", Plain, {2790, 9, 6}, ">, pick Shavuot", {2790, 10, 5}, " Tishri  6551",
            "*", "", {kUpper});
        // The Gregorian view; pixel (235, 79) is X 3525, Y 1185 twips: column 5, row 2.
        row("Year Steps 10 ignored", Gregorian, {2000, 1, 15},
            "JewishMnu, Step10, GregorianMnu, >>, >>, <<", {2001, 1, 15}, "January  2001",
            "15-January-2001", "Week  3");
        row("Gregorian Today after moves", Gregorian, {2000, 1, 31}, ">, >, >>, Today",
            {2000, 1, 31}, "January  2000", "31-January-2000", "Week  6");
        row("Right on 31 January", Gregorian, {2000, 1, 31}, "Right", {2000, 2, 1},
            "February  2000", "01-February-2000", "Week  6");
        row("click on Friday 20th", Gregorian, {2015, 2, 10}, "left 235 79", {2015, 2, 20},
            "February  2015", "20-Feb-2015", "Week  8");
        row("click on 31 January, then >", Gregorian, {2015, 1, 10}, "middle 279 139, >",
            {2015, 2, 28}, "February  2015", "28-February-2015", "Week  9");
        row("a letter, clicks on an empty cell and right of column 7", Gregorian, {2015, 2, 10},
            "G, left 20 139, left 316 20", none);
    }
    void navigate() {
        QFETCH(int, setup);
        QFETCH(QString, steps);
        QFETCH(QDate, end);
        QFETCH(QString, status);
        Folder folder;
        if (setup == Located) Locate(folder);
        if (setup == Gregorian) folder.Write("Tovel.ini", IniWith("Gregorian=1\r\n"));
        QFETCH(QDate, start);
        Run run = Shown(folder, start);
        QVERIFY(run.Loaded);
        run.Chooser()->setCurrentIndex(3);  // shown as if picked
        run.Label("Label9")->setText("hint");
        const QStringList before = Snapshot(run);
        const QString shown = run.Chooser()->currentText(), last = steps.section(", ", -1);
        Do(run, steps);
        QTEST(*run.Messages, "messages");
        // A move or a click empties the chooser of the Jewish view; a pick stays shown.
        const bool clicked = steps.contains(QRegularExpression("(left|right|middle) \\d"));
        const bool emptied = setup != Gregorian && (end.isValid() || clicked);
        QCOMPARE(run.Chooser()->currentText(), last.startsWith("pick ") ? last.mid(5)
                                               : emptied                ? QString()
                                                                        : shown);
        // The grid keeps the keyboard; the Year Steps item checked is the step in force.
        QCOMPARE(QApplication::focusWidget(), run.Grid());
        for (const int step : {1, 2, 5, 10, 20, 50}) {
            const bool inForce = step == run.Form->State().YearStep;
            QCOMPARE(run.Action("Step" + QString::number(step))->isChecked(), inForce);
        }
        if (!end.isValid()) QCOMPARE(Snapshot(run), before);
        if (!end.isValid()) return;
        const tovel::CalendarState& s = run.Form->State();
        QTEST(run.Label("Label1")->text(), "title");
        if (status != "*") QCOMPARE(run.Label("Label10")->text(), status);
        if (setup == Gregorian) {
            QCOMPARE(ToQDate(s.GregDate), end);
            QCOMPARE(int(s.GregDay), end.day());
            QTEST(run.Label("Label2")->text(), "week");
            QCOMPARE(run.Label("Label9")->text(), last.contains(' ') ? "hint" : QString());
            QCOMPARE(QString::number(s.SelDate.Serial()), before[0]);
        } else {
            QCOMPARE(ToQDate(s.SelDate), end);
            QCOMPARE(run.Label("Label9")->text(), kReminder);
            QVERIFY(run.Marker()->isVisible());
        }
        // The marker frames the selected day where a redraw puts it.
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
            if (item == gregorian && !again) {  // Saturdays red-violet, other days black
                QCOMPARE(run.Label("Label1")->text(), QString("September  1999"));
                for (const auto& [column, row] : {std::pair{7, 3}, {1, 2}, {7, 4}, {4, 5}}) {
                    const CellInk ink = InkOfCell(run.Canvas(), column, row);
                    QCOMPARE(std::pair(ink.red, ink.black), std::pair(column == 7, column != 7));
                }
                // Wednesday the 15th in 16 pt italic, framed by the marker.
                const CellInk ink = InkOfCell(run.Canvas(), 4, 3);
                QVERIFY(ink.box.intersects(QRect(Px(2200), Px(1050), 40, 25)));
                QVERIFY(ink.box.height() >= 10);
                QCOMPARE(run.Marker()->geometry(), QRect(Px(2200), Px(1040), Px(530), Px(470)));
                Do(run, ">, >>");  // moves GregDate only
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

QTEST_MAIN(Form1NavigationTest)
#include "form1_navigation_test.moc"
