// The Gregorian month view driven through the real controls on the offscreen
// platform: its grid, the buttons, keys and clicks in it, the switch between
// the views and the setting that keeps the view. Known dates: 1 January 2000
// and 1 July 2017 are Saturdays, 1 February 2015 is a Sunday and
// 1 January 2015 a Thursday; 5 May 2002 lies in week 19.

#include "window_support.h"

using namespace window_test;

namespace {

QDate ToQDate(tovel::Date d) { return QDate(d.Year(), d.Month(), d.Day()); }
tovel::Date FromQDate(const QDate& d) { return tovel::Date::FromYmd(d.year(), unsigned(d.month()), unsigned(d.day())); }

QComboBox* Chooser(const Run& run) { return run.Form->findChild<QComboBox*>("Combo1"); }
tovel::PictureBox* Grid(const Run& run) { return run.Form->findChild<tovel::PictureBox*>("Picture1"); }
QMenu* Menu(const Run& run, const char* name) { return run.Form->findChild<QMenu*>(name); }
QDate Greg(const Run& run) { return ToQDate(run.Form->State().GregDate); }

void Press(const Run& run, const QString& captions) {
    static const QMap<QString, QString> names = {
        {"<", "Command1"}, {">", "Command3"}, {"Today", "Command4"}, {"<<", "Command5"}, {">>", "Command6"}};
    for (const QString& caption : captions.split(' ', Qt::SkipEmptyParts)) {
        auto* button = run.Form->findChild<QPushButton*>(names.value(caption));
        QVERIFY2(button, qPrintable(caption));
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

// A window started on `today` in the view the settings say, and shown.
Run Shown(const Folder& folder, const QDate& today, const QByteArray& ini = IniWith("Gregorian=1\r\n")) {
    if (!ini.isEmpty()) folder.Write("Tovel.ini", ini);
    Run run = Start(folder, today);
    if (run.Loaded) {
        run.Form->show();
        if (!QTest::qWaitForWindowExposed(run.Form.get())) run.Loaded = false;
    }
    return run;
}

// What the drawing of one grid cell holds: where its ink lies, and whether it
// has full red-violet, full black, or ink of neither hue (tints between an ink
// and white keep its hue).
struct CellInk {
    QRect box;
    bool red = false, black = false, foreign = false;
};
CellInk InkOfCell(const QImage& canvas, int column, int row) {
    const QPoint at = CellTwips(column, row);
    CellInk ink;
    for (int y = Px(at.y()); y < Px(at.y() + 450); ++y)
        for (int x = Px(at.x()); x < Px(at.x() + 650) && x < canvas.width() - 1; ++x) {
            const QColor c = canvas.pixelColor(x, y);
            if (c == Qt::white) continue;
            ink.box |= QRect(x, y, 1, 1);
            if (c == kRed) ink.red = true;
            else if (c == kBlack) ink.black = true;
            else if (!(c.red() == c.green() && c.green() == c.blue()) &&
                     !(c.red() >= c.blue() && c.blue() >= c.green()))
                ink.foreign = true;
        }
    return ink;
}

// Everything a handler that does nothing must leave alone.
struct View {
    tovel::Date greg, sel;
    QString title, week, status1, status2;
    QRect marker;
    QImage canvas;
    bool operator==(const View&) const = default;
};
View Snapshot(const Run& run) {
    return {run.Form->State().GregDate, run.Form->State().SelDate, run.Label("Label1")->text(),
            run.Label("Label2")->text(), run.Label("Label10")->text(), run.Label("Label9")->text(),
            run.Marker()->geometry(), run.Canvas().copy()};
}

// The window shows what a window started on `day` in the Gregorian view shows.
void ShowsAsStartedOn(const Run& run, const QDate& day) {
    Folder folder;
    folder.Write("Tovel.ini", IniWith("Gregorian=1\r\n"));
    Run fresh = Start(folder, day);
    QVERIFY(fresh.Loaded);
    View expected = Snapshot(fresh), shown = Snapshot(run);
    expected.sel = shown.sel;
    QVERIFY2(shown == expected, qPrintable(day.toString()));
}

}  // namespace

class Form1GregorianTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
        QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Which cells hold a number and in which ink: the Saturday column
    // red-violet, every other column black, empty cells blank.
    void grid_data() {
        Columns<QDate, QString, QString, QString>({"day", "title", "days", "blank"});
        // "column,row" lists (1-based); a number's ink starts at its cell's text position.
        QTest::newRow("31 days from a Saturday: six rows") << QDate(2000, 1, 15) << "January  2000"
            << "7,1 1,2 6,2 7,2 1,6 2,6 7,5" << "1,1 6,1 3,6 7,6";
        QTest::newRow("July 2017, also six rows") << QDate(2017, 7, 4) << "July  2017" << "7,1 1,6 2,6"
                                                  << "6,1 3,6";
        QTest::newRow("28 days from a Sunday: four rows") << QDate(2015, 2, 20) << "February  2015"
            << "1,1 7,1 1,4 7,4" << "1,5 4,5 7,5 1,6";
    }
    void grid() {
        QFETCH(QDate, day);
        QFETCH(QString, days);
        QFETCH(QString, blank);
        Folder folder;
        Run run = Shown(folder, day);
        QVERIFY(run.Loaded);
        QTEST(run.Label("Label1")->text(), "title");
        for (const QString& cell : days.split(' ')) {
            const int column = cell.section(',', 0, 0).toInt(), row = cell.section(',', 1, 1).toInt();
            const CellInk ink = InkOfCell(run.Canvas(), column, row);
            QVERIFY2(!ink.box.isEmpty() && !ink.foreign, qPrintable(cell));
            QVERIFY2(column == 7 ? ink.red && !ink.black : ink.black && !ink.red, qPrintable(cell));
            // The text starts at the cell's corner; a blank comes before the digits.
            const QPoint corner(Px(CellTwips(column, row).x()), Px(CellTwips(column, row).y()));
            QVERIFY2(ink.box.left() - corner.x() >= 2 && ink.box.left() - corner.x() <= 12, qPrintable(cell));
            QVERIFY2(ink.box.top() - corner.y() >= 0 && ink.box.top() - corner.y() <= 10, qPrintable(cell));
        }
        for (const QString& cell : blank.split(' ')) {
            const int column = cell.section(',', 0, 0).toInt(), row = cell.section(',', 1, 1).toInt();
            QVERIFY2(InkOfCell(run.Canvas(), column, row).box.isEmpty(), qPrintable(cell));
        }
    }

    // Day 31 of January 2000 stands at x 900, y 2400 twips: ink within a
    // number's height of that corner, and the 16 pt italic face is taller
    // than the Jewish view's 8 pt numbers.
    void dayThirtyOne() {
        Folder folder;
        Run run = Shown(folder, QDate(2000, 1, 31));
        QVERIFY(run.Loaded);
        const CellInk ink = InkOfCell(run.Canvas(), 2, 6);
        QVERIFY(ink.box.intersects(QRect(Px(900), Px(2400), 40, 25)));
        QVERIFY2(ink.box.height() >= 10, "16 pt digits");
        QCOMPARE(run.Marker()->geometry(), QRect(Px(900), Px(2390), Px(530), Px(470)));
        QCOMPARE(run.Label("Label10")->text(), QString("31-January-2000"));
        QCOMPARE(run.Label("Label2")->text(), QString("Week  6"));
        QCOMPARE(run.Label("Label9")->text(), QString());
    }

    // The buttons in the Gregorian view: month and year steps keep the day,
    // lowered where the month is too short, and the year buttons move one year
    // whatever the Year Steps menu says. At the ends of the years 1 to 9999
    // nothing changes.
    void buttons_data() {
        Columns<QDate, QString, QDate, QString, QDate, QString, QString>(
            {"today", "step", "from", "presses", "end", "status", "title"});
        const QDate none;
        QTest::newRow("> from 31 January 2001, twice") << QDate(2001, 1, 31) << "" << none << "> >"
                                                       << QDate(2001, 3, 28) << "28-March-2001" << "March  2001";
        QTest::newRow("> from 31 January 2004, twice") << QDate(2004, 1, 31) << "" << none << "> >"
                                                       << QDate(2004, 3, 29) << "29-March-2004" << "March  2004";
        QTest::newRow("<< from 29 February") << QDate(2004, 2, 29) << "" << none << "<<" << QDate(2003, 2, 28)
                                             << "28-February-2003" << "February  2003";
        QTest::newRow(">> from 29 February") << QDate(2004, 2, 29) << "" << none << ">>" << QDate(2005, 2, 28)
                                             << "28-February-2005" << "February  2005";
        QTest::newRow("< from January") << QDate(2000, 1, 15) << "" << none << "<" << QDate(1999, 12, 15)
                                        << "15-December-1999" << "December  1999";
        QTest::newRow("> from December") << QDate(1999, 12, 31) << "" << none << ">" << QDate(2000, 1, 31)
                                         << "31-January-2000" << "January  2000";
        QTest::newRow("Year Steps 10 ignored") << QDate(2000, 1, 15) << "Step10" << none << ">> >> <<"
                                               << QDate(2001, 1, 15) << "15-January-2001" << "January  2001";
        QTest::newRow("Today after moves") << QDate(2000, 1, 31) << "" << none << "> > >> Today" << QDate(2000, 1, 31)
                                           << "31-January-2000" << "January  2000";
        QTest::newRow("> in December 9999") << QDate(2000, 1, 1) << "" << QDate(9999, 12, 31) << ">" << none << "" << "";
        QTest::newRow(">> in 9999") << QDate(2000, 1, 1) << "" << QDate(9999, 1, 31) << ">>" << none << "" << "";
        QTest::newRow("< in January of year 1") << QDate(2000, 1, 1) << "" << QDate(1, 1, 1) << "<" << none << "" << "";
        QTest::newRow("<< in year 1") << QDate(2000, 1, 1) << "" << QDate(1, 12, 1) << "<<" << none << "" << "";
    }
    void buttons() {
        QFETCH(QDate, today);
        QFETCH(QString, step);
        QFETCH(QDate, from);
        QFETCH(QString, presses);
        QFETCH(QDate, end);
        Folder folder;
        // A Year Steps choice can only be made in the Jewish view.
        Run run = Shown(folder, today, step.isEmpty() ? IniWith("Gregorian=1\r\n") : QByteArray());
        QVERIFY(run.Loaded);
        if (!step.isEmpty()) {
            run.Action(step)->trigger();
            run.Action("GregorianMnu")->trigger();
        }
        if (from.isValid()) {
            run.Form->State().GregDate = FromQDate(from);
            run.Form->FillPicture();
        }
        const View before = Snapshot(run);
        Press(run, presses);
        if (!end.isValid()) {
            QVERIFY(Snapshot(run) == before);
            return;
        }
        QCOMPARE(Greg(run), end);
        QCOMPARE(int(run.Form->State().GregDay), end.day());
        QTEST(run.Label("Label1")->text(), "title");
        QTEST(run.Label("Label10")->text(), "status");
        QCOMPARE(run.Form->State().SelDate, before.sel);
        QVERIFY(run.Messages->isEmpty());
        ShowsAsStartedOn(run, end);
    }

    // Arrow keys redraw the month of the new day; modifiers do not matter,
    // other keys do nothing, and the years 1 to 9999 are not left.
    void arrowKeys_data() {
        Columns<QDate, int, int, QDate, QString, QString>({"day", "key", "modifiers", "end", "status", "week"});
        const int none = Qt::NoModifier;
        QTest::newRow("Right on 31 January") << QDate(2000, 1, 31) << int(Qt::Key_Right) << none << QDate(2000, 2, 1)
                                             << "01-February-2000" << "Week  6";
        QTest::newRow("Down to 5 May 2002") << QDate(2002, 4, 28) << int(Qt::Key_Down) << none << QDate(2002, 5, 5)
                                            << "05-May-2002" << "Week  19";
        QTest::newRow("Shift+Right to 31 December 2002") << QDate(2002, 12, 30) << int(Qt::Key_Right)
                                                         << int(Qt::ShiftModifier) << QDate(2002, 12, 31)
                                                         << "31-December-2002" << "Week  53";
        QTest::newRow("Ctrl+Left to 31 December 2000") << QDate(2001, 1, 1) << int(Qt::Key_Left)
                                                       << int(Qt::ControlModifier) << QDate(2000, 12, 31)
                                                       << "31-December-2000" << "Week  54";
        QTest::newRow("Alt+Up to 1 January 2000") << QDate(2000, 1, 8) << int(Qt::Key_Up) << int(Qt::AltModifier)
                                                  << QDate(2000, 1, 1) << "01-January-2000" << "Week  1";
        QTest::newRow("letter") << QDate(2000, 1, 8) << int(Qt::Key_G) << none << QDate() << "" << "";
        QTest::newRow("Right on 31 December 9999") << QDate(9999, 12, 31) << int(Qt::Key_Right) << none << QDate()
                                                   << "" << "";
        QTest::newRow("Up in the first week of year 1") << QDate(1, 1, 6) << int(Qt::Key_Up) << none << QDate() << ""
                                                        << "";
    }
    void arrowKeys() {
        QFETCH(QDate, day);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QDate, end);
        Folder folder;
        Run run = Shown(folder, QDate(2000, 6, 1));
        QVERIFY(run.Loaded);
        run.Form->State().GregDate = FromQDate(day);
        run.Form->FillPicture();
        run.Label("Label9")->setText("hint");
        const View before = Snapshot(run);
        QTest::keyClick(Grid(run), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (!end.isValid()) {
            QVERIFY(Snapshot(run) == before);
            return;
        }
        QCOMPARE(Greg(run), end);
        QTEST(run.Label("Label10")->text(), "status");
        QTEST(run.Label("Label2")->text(), "week");
        QCOMPARE(run.Label("Label9")->text(), QString());
        QCOMPARE(run.Form->State().SelDate, before.sel);
        ShowsAsStartedOn(run, end);
    }

    // Clicks select the day under the pointer with the abbreviated month name
    // and the week, without a redraw; empty cells and clicks off the grid
    // change nothing. A later move starts from the clicked day.
    void clicks_data() {
        Columns<QDate, QByteArray, int, QPoint, QDate, QString, QString, QPoint, QString, QDate, QString>(
            {"today", "ini", "button", "pixel", "day", "status", "week", "marker", "then", "after", "afterStatus"});
        const QByteArray plain = IniWith("Gregorian=1\r\n");
        const QByteArray own = IniWith("Gregorian=1\r\nAddXG=30\r\nAddYG=-20\r\nAddWeek=-1\r\n");
        const QDate feb(2015, 2, 10), none;
        // Pixel (235, 79) is X 3525, Y 1185 twips: column 5, row 2.
        QTest::newRow("Friday 20th, then Right") << feb << plain << int(Qt::LeftButton) << QPoint(235, 79)
            << QDate(2015, 2, 20) << "20-Feb-2015" << "Week  8" << QPoint(3500, 1040) << "Right"
            << QDate(2015, 2, 21) << "21-February-2015";
        QTest::newRow("own corrections") << feb << own << int(Qt::LeftButton) << QPoint(235, 79) << QDate(2015, 2, 20)
            << "20-Feb-2015" << "Week  7" << QPoint(3530, 1020) << "" << none << "";
        QTest::newRow("right button, X = 100 twips") << feb << plain << int(Qt::RightButton) << QPoint(7, 20)
            << QDate(2015, 2, 1) << "01-Feb-2015" << "Week  6" << QPoint(250, 140) << "" << none << "";
        QTest::newRow("31 January, then >") << QDate(2015, 1, 10) << plain << int(Qt::MiddleButton) << QPoint(279, 139)
            << QDate(2015, 1, 31) << "31-Jan-2015" << "Week  5" << QPoint(4150, 1940) << ">" << QDate(2015, 2, 28)
            << "28-February-2015";
        QTest::newRow("empty cell after the 28th") << feb << plain << int(Qt::LeftButton) << QPoint(20, 139) << none
                                                   << "" << "" << QPoint() << "" << none << "";
        QTest::newRow("right of column 7") << feb << plain << int(Qt::LeftButton) << QPoint(316, 20) << none << ""
                                           << "" << QPoint() << "" << none << "";
        QTest::newRow("empty cell before the 1st") << QDate(2000, 1, 5) << plain << int(Qt::LeftButton)
                                                   << QPoint(20, 20) << none << "" << "" << QPoint() << "" << none << "";
    }
    void clicks() {
        QFETCH(QDate, today);
        QFETCH(QByteArray, ini);
        QFETCH(int, button);
        QFETCH(QPoint, pixel);
        QFETCH(QDate, day);
        QFETCH(QPoint, marker);
        QFETCH(QString, then);
        Folder folder;
        Run run = Shown(folder, today, ini);
        QVERIFY(run.Loaded);
        run.Label("Label9")->setText("hint");
        const View before = Snapshot(run);
        QTest::mouseClick(Grid(run), Qt::MouseButton(button), Qt::NoModifier, pixel);
        if (!day.isValid()) {
            QVERIFY(Snapshot(run) == before);
            return;
        }
        const View after = Snapshot(run);
        QCOMPARE(Greg(run), day);
        QCOMPARE(int(run.Form->State().GregDay), day.day());
        QTEST(after.status1, "status");
        QTEST(after.week, "week");
        QCOMPARE(after.marker, QRect(Px(marker.x()), Px(marker.y()), Px(530), Px(470)));
        QVERIFY(run.Marker()->isVisible());
        QCOMPARE(after.canvas, before.canvas);
        QCOMPARE(after.title, before.title);
        QCOMPARE(after.status2, QString("hint"));
        QCOMPARE(after.sel, before.sel);
        if (then.isEmpty()) return;
        if (then == "Right") QTest::keyClick(Grid(run), Qt::Key_Right);
        else Press(run, then);
        QTEST(Greg(run), "after");
        QTEST(run.Label("Label10")->text(), "afterStatus");
    }

    // The Calendar menu: the view already shown is not drawn again; the
    // Gregorian view disables the chooser and the SunSet and Year Steps menus;
    // the way back draws the Jewish month of SelDate exactly as before.
    void viewSwitch() {
        Folder folder;
        Run run = Shown(folder, QDate(1999, 9, 15), QByteArray());
        QVERIFY(run.Loaded);
        QAction* jewish = run.Action("JewishMnu");
        QAction* gregorian = run.Action("GregorianMnu");
        auto enabled = [&](bool on) {
            return Chooser(run)->isEnabled() == on && Menu(run, "Sunset")->menuAction()->isEnabled() == on &&
                   Menu(run, "Steps")->menuAction()->isEnabled() == on;
        };
        const View jewishView = Snapshot(run);
        QVERIFY(jewish->isChecked() && !gregorian->isChecked() && enabled(true));

        run.Label("Label9")->setText("hint");
        jewish->trigger();  // already shown
        QCOMPARE(run.Label("Label9")->text(), QString("hint"));
        QVERIFY(jewish->isChecked() && !gregorian->isChecked());
        run.Label("Label9")->setText(kReminder);

        gregorian->trigger();
        QVERIFY(!jewish->isChecked() && gregorian->isChecked() && enabled(false));
        QCOMPARE(run.Label("Label1")->text(), QString("September  1999"));
        QCOMPARE(run.Label("Label10")->text(), QString("15-September-1999"));
        QCOMPARE(run.Label("Label2")->text(), QString("Week  38"));
        QCOMPARE(run.Label("Label9")->text(), QString());
        QVERIFY(InkOfCell(run.Canvas(), 4, 3).black);  // Wednesday the 15th

        run.Label("Label9")->setText("hint");
        gregorian->trigger();  // already shown
        QCOMPARE(run.Label("Label9")->text(), QString("hint"));
        QVERIFY(!jewish->isChecked() && gregorian->isChecked() && enabled(false));

        Press(run, "> >>");  // moves GregDate only
        QCOMPARE(Greg(run), QDate(2000, 10, 15));
        jewish->trigger();
        QVERIFY(jewish->isChecked() && !gregorian->isChecked() && enabled(true));
        View expected = jewishView;
        expected.greg = tovel::Date::FromYmd(2000, 10, 15);
        QVERIFY(Snapshot(run) == expected);
        // Back again: the Gregorian month of its own selection.
        gregorian->trigger();
        QCOMPARE(run.Label("Label1")->text(), QString("October  2000"));
    }

    // The view survives a restart through the key "Gregorian": 1 is the
    // Gregorian view, any other value the Jewish view, saved as 0.
    void viewSurvivesRestart_data() {
        Columns<QByteArray, QString, bool, QString>({"value", "choose", "shownAtStart", "saved"});
        QTest::newRow("no key") << QByteArray() << "" << false << "Gregorian=0";
        QTest::newRow("1") << QByteArray("1") << "" << true << "Gregorian=1";
        QTest::newRow("1.4 rounds to 1") << QByteArray(" 1.4") << "" << true << "Gregorian=1";
        QTest::newRow("2") << QByteArray("2") << "" << false << "Gregorian=0";
        QTest::newRow("-1") << QByteArray("-1") << "" << false << "Gregorian=0";
        QTest::newRow("0, switched to Gregorian") << QByteArray("0") << "GregorianMnu" << false << "Gregorian=1";
        QTest::newRow("1, switched to Jewish") << QByteArray("1") << "JewishMnu" << true << "Gregorian=0";
    }
    void viewSurvivesRestart() {
        QFETCH(QByteArray, value);
        QFETCH(QString, choose);
        QFETCH(bool, shownAtStart);
        QFETCH(QString, saved);
        Folder folder;
        const QDate today(2002, 5, 5);
        const QString gregorianTitle = "May  2002", jewishTitle = " Iyyar  5762";
        for (int pass = 0; pass < 2; ++pass) {
            Run run = Shown(folder, today, pass == 0 && !value.isNull() ? IniWith("Gregorian=" + value + "\r\n") : QByteArray());
            QVERIFY(run.Loaded);
            const bool gregorian = pass == 0 ? shownAtStart : saved == "Gregorian=1";
            QCOMPARE(run.Label("Label1")->text(), gregorian ? gregorianTitle : jewishTitle);
            QCOMPARE(run.Action("GregorianMnu")->isChecked(), gregorian);
            QCOMPARE(run.Action("JewishMnu")->isChecked(), !gregorian);
            QCOMPARE(Chooser(run)->isEnabled(), !gregorian);
            QCOMPARE(Menu(run, "Steps")->menuAction()->isEnabled(), !gregorian);
            if (pass == 0 && !choose.isEmpty()) run.Action(choose)->trigger();
            QVERIFY(run.Form->close());
            QVERIFY(KeyLines(folder.Read("Tovel.ini"), "Tovel").contains(saved));
        }
    }

    // The title takes the standalone month name of the system's language;
    // CapitalizeDates 1 capitalises the title only.
    void localeTitle_data() {
        Columns<QLocale, int, QString, QString>({"locale", "capitalize", "title", "status"});
        const QLocale en(QLocale::English, QLocale::UnitedStates), fr(QLocale::French, QLocale::France);
        QTest::newRow("English") << en << 0 << "May  2002" << "05-May-2002";
        QTest::newRow("English capitalised") << en << 1 << "May  2002" << "05-May-2002";
        QTest::newRow("French") << fr << 0 << "mai  2002" << "05-mai-2002";
        QTest::newRow("French capitalised") << fr << 1 << "Mai  2002" << "05-mai-2002";
    }
    void localeTitle() {
        QFETCH(QLocale, locale);
        QFETCH(int, capitalize);
        if (locale.language() == QLocale::French && locale.standaloneMonthName(5) != "mai")
            QSKIP("French month names are not available to this Qt");
        QLocale::setDefault(locale);
        Folder folder;
        Run run = Shown(folder, QDate(2002, 5, 5),
                        IniWith("Gregorian=1\r\nCapitalizeDates=" + QByteArray::number(capitalize) + "\r\n"));
        QVERIFY(run.Loaded);
        QTEST(run.Label("Label1")->text(), "title");
        QTEST(run.Label("Label10")->text(), "status");
        QCOMPARE(run.Label("Label2")->text(), QString("Week  19"));
    }
};

QTEST_MAIN(Form1GregorianTest)
#include "form1_gregorian_test.moc"
