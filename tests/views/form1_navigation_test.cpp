// The navigation of the Jewish view through the real controls on the offscreen platform (where each
// move lands over the whole table: navigation_test.cpp). 5784 is a leap year: 1 Adar I = 10
// February 2024, 1 Adar II = 11 March 2024.

#include "views/window_support.h"

using namespace window_test;

namespace {

const QString kLower = "Tovel can not pass below jewish year 5563";
const QString kUpper = "Tovel can not pass jewish year 6550";
const int kSteps[] = {1, 2, 5, 10, 20, 50};

}  // namespace

class Form1NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // A window started on `start` (with a sunset table in force when `located`) shows a hint and a
    // chooser entry, then takes the steps. A row without an end day must leave the view as it was.
    // Clicks are at grid pixels: (62, 48) is X 930, Y 720 twips, row 1 of column 1.
    void navigate_data() {
        Columns<QDate, QString, QDate, QString, QString, QStringList, bool>(
            {"start", "steps", "end", "title", "status", "messages", "located"});
        auto row = [](const char* name, QDate start, const char* steps, QDate end,
                      const char* title = "", const char* status = "*", QStringList messages = {},
                      bool located = false) {
            QTest::newRow(name) << start << QString(steps) << end << QString(title)
                                << QString(status) << messages << located;
        };
        const QDate none;
        const char *tishri = " Tishri  5760", *home = "Sun sets in Home at ";
        const QString kippur = "Yom Kippur - sun sets in Home at " + SunText({1999, 9, 20}, 0);
        // clang-format off
        // Month buttons stop at the table's ends.
        row("< from 1 Adar II", {2024, 3, 11}, "<", {2024, 2, 10}, " Adar I  5784");
        row("< twice from 2 Tishri 5563", {1802, 9, 28}, "<, <", {1802, 8, 30}, " Elul  5562");
        row("> twice from 5 Elul 6550", {2790, 9, 6}, ">, >", {2790, 10, 5}, " Tishri  6551");
        // Year buttons: YearStep years away.
        row("<< step 50 from 5600", {1839, 9, 23}, "Step50, <<", none, "", "*", {kLower});
        row(">> from 6550", {2790, 9, 6}, ">>", none, "", "*", {kUpper});
        row("steps 10, 2", {1999, 9, 20}, "Step10, >>, Step2, <<", {2007, 9, 22}, " Tishri  5768");
        row("steps 20, 5, 1", {1999, 9, 20}, "Step20, >>, Step5, <<, Step1, >>", {2015, 9, 23},
            " Tishri  5776");
        row("Year Steps only", {2024, 3, 24}, "Step20, Step5", none);
        row("Today after moves", {2024, 2, 9}, ">, >, <<, Today", {2024, 2, 9}, " Shevat  5784");
        // Arrow keys whatever the modifiers, across month ends; other keys do nothing.
        row("arrows", {2023, 11, 9}, "Down, Ctrl+Up, Shift+Right, Alt+Down, Ctrl+Shift+Left",
            {2023, 11, 16}, " Kislev  5784");
        row("other keys", {2023, 11, 9}, "A, PgUp, Home, Return", none);
        row("29 Elul 6551, the table's last day", {2791, 9, 20}, "Right, Down", none);
        // Clicks select the day under the pointer (Tishri 5760).
        row("Monday, located", {1999, 9, 15}, "right 62 48", {1999, 9, 13}, tishri,
            qPrintable(home + SunText({1999, 9, 13}, 0)), {}, true);
        row("Yom Kippur", {1999, 9, 15}, "left 62 78", {1999, 9, 20}, tishri, "Yom Kippur");
        row("Yom Kippur, located", {1999, 9, 15}, "middle 62 78 Ctrl", {1999, 9, 20}, tishri,
            qPrintable(kippur), {}, true);
        row("empty cells, off the grid", {1999, 9, 15},
            "left 20 20, left 100 191, left 316 48, left 20 192", none, "", "*", {}, true);
        // Chooser picks; a pick keeps its text in the chooser.
        row("20 Tishri, Yom Kippur: back", {1999, 9, 29}, "pick Yom Kippur", {1999, 9, 20}, tishri);
        row("Adar I, Purim", {2024, 2, 14}, "pick Purim", {2024, 3, 24}, " Adar II  5784");
        row("6551: refused", {2790, 9, 6}, ">, pick Shavuot", {2790, 10, 5}, " Tishri  6551", "*",
            {kUpper});
        // clang-format on
    }
    void navigate() {
        QFETCH(QString, steps);
        QFETCH(QDate, end);
        QFETCH(QString, status);
        QFETCH(bool, located);
        Folder folder;
        if (located) Locate(folder);
        QFETCH(QDate, start);
        Run run = Shown(folder, start);
        QVERIFY(run.Loaded);
        run.Chooser()->setCurrentIndex(3);  // shown as if picked
        run.Label("Label9")->setText("hint");
        const QStringList before = Snapshot(run);
        const QString shown = run.Chooser()->currentText(), last = steps.section(", ", -1);
        Do(run, steps);
        QTEST(*run.Messages, "messages");
        // A move or a click empties the chooser; a pick stays shown.
        const bool clicked = steps.contains(QRegularExpression("(left|right|middle) \\d"));
        QCOMPARE(run.Chooser()->currentText(), last.startsWith("pick ")   ? last.mid(5)
                                               : end.isValid() || clicked ? QString()
                                                                          : shown);
        // The grid keeps the keyboard; the Year Steps item checked is the step in force.
        QCOMPARE(QApplication::focusWidget(), run.Grid());
        for (const int step : kSteps) {
            const bool inForce = step == run.Form->State().YearStep;
            QCOMPARE(run.Action("Step" + QString::number(step))->isChecked(), inForce);
        }
        if (!end.isValid()) QCOMPARE(Snapshot(run), before);
        if (!end.isValid()) return;
        QCOMPARE(ToQDate(run.Form->State().SelDate), end);
        QTEST(run.Label("Label1")->text(), "title");
        if (status != "*") QCOMPARE(run.Label("Label10")->text(), status);
        QCOMPARE(run.Label("Label9")->text(), kReminder);
        // The marker frames the selected day where a redraw puts it.
        const QRect marker = run.Marker()->geometry();
        run.Form->FillPicture();
        QCOMPARE(run.Marker()->geometry(), marker);
        QVERIFY(run.Marker()->isVisible());
    }
};

QTEST_MAIN(Form1NavigationTest)
#include "form1_navigation_test.moc"
