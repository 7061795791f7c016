// The navigation of the Jewish view driven through the real controls on the
// offscreen platform: the buttons, the Year Steps menu, arrow keys and clicks on
// the grid, and the holiday chooser. Expected days are known calendar dates:
// 1 Tishri 5760 = Saturday 11 September 1999; 5784 (16 September 2023 to
// 2 October 2024) is a 383-day leap year with 1 Adar I = 10 February 2024 and
// 1 Adar II = 11 March 2024; 5785 (from 3 October 2024) is a 355-day common
// year with 1 Adar = 1 March 2025; Purim 5783 = 7 March 2023.

#include "views/window_support.h"

using namespace window_test;

namespace {

const QString kLower = "Tovel can not pass below jewish year 5563";
const QString kUpper = "Tovel can not pass jewish year 6550";

QDate ToQDate(tovel::Date d) { return QDate(d.Year(), d.Month(), d.Day()); }

QPushButton* Button(const Run& run, const QString& caption) {
    static const QMap<QString, QString> names = {
        {"<", "Command1"}, {">", "Command3"}, {"Today", "Command4"}, {"<<", "Command5"}, {">>", "Command6"}};
    return run.Form->findChild<QPushButton*>(names.value(caption));
}
QComboBox* Chooser(const Run& run) { return run.Form->findChild<QComboBox*>("Combo1"); }
tovel::PictureBox* Grid(const Run& run) { return run.Form->findChild<tovel::PictureBox*>("Picture1"); }
QDate Selected(const Run& run) { return ToQDate(run.Form->State().SelDate); }

// A started and shown window.
Run Shown(const Folder& folder, const QDate& today) {
    Run run = Start(folder, today);
    if (run.Loaded) {
        run.Form->show();
        if (!QTest::qWaitForWindowExposed(run.Form.get())) run.Loaded = false;
    }
    return run;
}

void Press(const Run& run, const QString& captions) {
    for (const QString& caption : captions.split(' ', Qt::SkipEmptyParts)) {
        QPushButton* button = Button(run, caption);
        QVERIFY2(button, qPrintable(caption));
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

// Picks `text` the way a user does: opens the list, walks down to the entry
// with the arrow keys and takes it with Enter.
void Pick(const Run& run, const QString& text) {
    QComboBox* combo = Chooser(run);
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex().row(), index);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
}

// The chooser shows no pick.
bool Cleared(const Run& run) { return Chooser(run)->currentIndex() == -1 && Chooser(run)->currentText().isEmpty(); }

// Everything a handler that does nothing must leave alone.
struct View {
    tovel::Date sel;
    int month, day;
    QString title, span, status1, status2, chooser;
    QRect marker;
    QImage canvas;
    bool operator==(const View&) const = default;
};
View Snapshot(const Run& run) {
    const tovel::CalendarState& s = run.Form->State();
    return {s.SelDate, s.JewMonthNo, s.JewDay, run.Label("Label1")->text(), run.Label("Label2")->text(),
            run.Label("Label10")->text(), run.Label("Label9")->text(), Chooser(run)->currentText(),
            run.Marker()->geometry(), run.Canvas().copy()};
}

// The window shows what a window started on `day` shows, but for the chooser.
void ShowsAsStartedOn(const Run& run, const QDate& day) {
    Folder folder;
    Run fresh = Start(folder, day);
    QVERIFY(fresh.Loaded);
    View expected = Snapshot(fresh), shown = Snapshot(run);
    expected.chooser = shown.chooser;
    QVERIFY2(shown == expected, qPrintable(day.toString()));
}

const QMap<QString, int> kSteps = {{"Step1", 1}, {"Step2", 2}, {"Step5", 5}, {"Step10", 10}, {"Step20", 20}, {"Step50", 50}};

}  // namespace

class Form1NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
        QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The five buttons, each row one sequence of presses after an optional
    // Year Steps choice. A move clears the chooser; a refused press moves
    // nothing and leaves it.
    void buttons_data() {
        Columns<QDate, QString, QString, QDate, QString, QStringList, bool>(
            {"start", "step", "presses", "end", "title", "messages", "moved"});
        const QStringList none;
        auto row = [&](const char* name, QDate start, const char* step, const char* presses, QDate end,
                       const char* title, QStringList messages = {}, bool moved = true) {
            QTest::newRow(name) << start << QString(step) << QString(presses) << end << QString(title) << messages
                                << moved;
        };
        // Month buttons keep the day number, cut to the neighbouring month's length.
        row("> Shevat 30 into Adar I", {2024, 2, 9}, "", ">", {2024, 3, 10}, " Adar I  5784");
        row("> Adar I 30 into Adar II, cut to 29", {2024, 3, 10}, "", ">", {2024, 4, 8}, " Adar II  5784");
        row("> Adar II 29 into Nisan", {2024, 4, 8}, "", ">", {2024, 5, 7}, " Nisan  5784");
        row("< Nisan 30 into Adar II, cut to 29", {2024, 5, 8}, "", "<", {2024, 4, 8}, " Adar II  5784");
        row("< Adar II 1 into Adar I", {2024, 3, 11}, "", "<", {2024, 2, 10}, " Adar I  5784");
        row("> Elul 29 into the next year", {2024, 10, 2}, "", ">", {2024, 10, 31}, " Tishri  5785");
        row("< Tishri 30 into the year before", {2024, 11, 1}, "", "<", {2024, 10, 2}, " Elul  5784");
        row("< Tishri 1 into Elul 1", {2024, 10, 3}, "", "<", {2024, 9, 4}, " Elul  5784");
        row("< twice from 2 Tishri 5563", {1802, 9, 28}, "", "< <", {1802, 8, 30}, " Elul  5562");
        row("> twice from 5 Elul 6550", {2790, 9, 6}, "", "> >", {2790, 10, 5}, " Tishri  6551");
        // Year buttons: the same Jewish month and day, YearStep years away.
        row("<< step 50 from 5600", {1839, 9, 23}, "Step50", "<<", {1839, 9, 23}, " Tishri  5600", {kLower}, false);
        row("<< step 50 from 5613", {1852, 9, 23}, "Step50", "<<", {1802, 10, 6}, " Tishri  5563");
        row(">> step 1 from 6550", {2790, 9, 6}, "", ">>", {2790, 9, 6}, " Elul  6550", {kUpper}, false);
        row(">> step 50 from 6501", {2741, 3, 1}, "Step50", ">>", {2741, 3, 1}, "", {kUpper}, false);
        row(">> common Purim to leap Purim", {2023, 3, 7}, "", ">>", {2024, 3, 24}, " Adar II  5784");
        row("<< leap Purim to common Purim", {2024, 3, 24}, "", "<<", {2023, 3, 7}, " Adar I  5783");
        row(">> step 10, Yom Kippur", {1999, 9, 20}, "Step10", ">>", {2009, 9, 28}, " Tishri  5770");
        row("<< step 2, Yom Kippur", {2009, 9, 28}, "Step2", "<<", {2007, 9, 22}, " Tishri  5768");
        row("Today after moving away", {2024, 2, 9}, "", "> > << Today", {2024, 2, 9}, " Shevat  5784");
    }
    void buttons() {
        QFETCH(QDate, start);
        QFETCH(QString, step);
        QFETCH(QString, title);
        QFETCH(bool, moved);
        Folder folder;
        Run run = Shown(folder, start);
        QVERIFY(run.Loaded);
        if (!step.isEmpty()) run.Action(step)->trigger();
        const View before = Snapshot(run);
        Chooser(run)->setCurrentIndex(3);  // shown as if picked, without a pick
        QFETCH(QString, presses);
        Press(run, presses);
        QTEST(Selected(run), "end");
        QTEST(*run.Messages, "messages");
        if (!title.isEmpty()) QCOMPARE(run.Label("Label1")->text(), title);
        if (moved) {
            QVERIFY(Cleared(run));
            ShowsAsStartedOn(run, Selected(run));
        } else {
            QCOMPARE(Chooser(run)->currentIndex(), 3);
            View after = Snapshot(run);
            after.chooser = before.chooser;
            QVERIFY(after == before);
        }
    }

    // A Year Steps choice moves the check mark and nothing else: no redraw,
    // the chooser keeps its text.
    void yearSteps_data() {
        QTest::addColumn<QString>("item");
        for (const char* item : {"Step2", "Step5", "Step10", "Step20", "Step50", "Step1"})
            QTest::newRow(qPrintable(item)) << item;
    }
    void yearSteps() {
        QFETCH(QString, item);
        Folder folder;
        Run run = Shown(folder, QDate(2024, 3, 24));
        QVERIFY(run.Loaded);
        run.Action("Step20")->trigger();
        Chooser(run)->setCurrentIndex(7);
        const View before = Snapshot(run);
        run.Action(item)->trigger();
        QVERIFY(Snapshot(run) == before);
        for (auto it = kSteps.begin(); it != kSteps.end(); ++it)
            QCOMPARE(run.Action(it.key())->isChecked(), it.key() == item);
        QCOMPARE(int(run.Form->State().YearStep), kSteps.value(item));
    }

    // Each button's hint, with the blank in front, when the pointer moves over it.
    void hints_data() {
        Columns<QString, QString>({"caption", "hint"});
        QTest::newRow("<") << "<" << " Click to display previous month";
        QTest::newRow(">") << ">" << " Click to display next month";
        QTest::newRow("Today") << "Today" << " Click to display current date";
        QTest::newRow("<<") << "<<" << " Click to display previous year";
        QTest::newRow(">>") << ">>" << " Click to display next year";
    }
    void hints() {
        QFETCH(QString, caption);
        Folder folder;
        Run run = Shown(folder, QDate(1999, 9, 15));
        QVERIFY(run.Loaded);
        QPushButton* button = Button(run, caption);
        const QPoint at = button->mapTo(run.Form.get(), button->rect().center());
        QTest::mouseMove(run.Form->windowHandle(), at - QPoint(2, 0));
        run.Label("Label9")->setText("");
        QTest::mouseMove(run.Form->windowHandle(), at);
        QTEST(run.Label("Label9")->text(), "hint");
        // Off the button onto the bare window: the reminder again.
        QTest::mouseMove(run.Form->windowHandle(), QPoint(3, run.Form->height() - 3));
        QCOMPARE(run.Label("Label9")->text(), kReminder);
    }

    // Arrow keys on the grid, with and without Shift, Ctrl and Alt; other keys
    // do nothing, not even clear the chooser.
    void arrowKeys_data() {
        Columns<QDate, int, int, QDate, QString>({"start", "key", "modifiers", "end", "title"});
        const int none = Qt::NoModifier;
        QTest::newRow("Left on day 1") << QDate(2024, 11, 2) << int(Qt::Key_Left) << none << QDate(2024, 11, 1)
                                       << " Tishri  5785";
        QTest::newRow("Down on day 25 of 29") << QDate(2023, 11, 9) << int(Qt::Key_Down) << none
                                              << QDate(2023, 11, 16) << " Kislev  5784";
        QTest::newRow("Shift+Right") << QDate(2023, 11, 9) << int(Qt::Key_Right) << int(Qt::ShiftModifier)
                                     << QDate(2023, 11, 10) << " Heshvan  5784";
        QTest::newRow("Ctrl+Up") << QDate(2023, 11, 16) << int(Qt::Key_Up) << int(Qt::ControlModifier)
                                 << QDate(2023, 11, 9) << " Heshvan  5784";
        QTest::newRow("Alt+Down") << QDate(2023, 11, 9) << int(Qt::Key_Down) << int(Qt::AltModifier)
                                  << QDate(2023, 11, 16) << " Kislev  5784";
        QTest::newRow("Shift+Ctrl+Left") << QDate(2024, 11, 2) << int(Qt::Key_Left)
                                         << int(Qt::ShiftModifier | Qt::ControlModifier) << QDate(2024, 11, 1)
                                         << " Tishri  5785";
        for (const auto& [name, key] : {std::pair{"A", Qt::Key_A}, {"Page Up", Qt::Key_PageUp},
                                        {"Home", Qt::Key_Home}, {"Enter", Qt::Key_Return}})
            QTest::newRow(name) << QDate(2023, 11, 9) << int(key) << none << QDate() << "";
    }
    void arrowKeys() {
        QFETCH(QDate, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QDate, end);
        Folder folder;
        Run run = Shown(folder, start);
        QVERIFY(run.Loaded);
        Chooser(run)->setCurrentIndex(5);
        const View before = Snapshot(run);
        QTest::keyClick(Grid(run), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (!end.isValid()) {
            QVERIFY(Snapshot(run) == before);
            return;
        }
        QCOMPARE(Selected(run), end);
        QTEST(run.Label("Label1")->text(), "title");
        QVERIFY(Cleared(run));
        QVERIFY(run.Messages->isEmpty());
        ShowsAsStartedOn(run, end);
    }

    // Past the last month the year table can set up, the keys stop without a
    // word and leave the view as it was.
    void arrowKeysStopAtTheTableEnd() {
        Folder folder;
        Run run = Shown(folder, QDate(2790, 9, 6));  // Elul 6550
        QVERIFY(run.Loaded);
        QDate last;
        for (int i = 0; i < 2000 && Selected(run) != last; ++i) {
            last = Selected(run);
            QTest::keyClick(Grid(run), Qt::Key_Right);
        }
        QCOMPARE(Selected(run), last);
        // Within the table's last years: 1 Tishri 6553 = 10 September 2792.
        QVERIFY2(last > QDate(2790, 10, 1) && last < QDate(2792, 9, 10), qPrintable(last.toString()));
        const View before = Snapshot(run);
        QTest::keyClick(Grid(run), Qt::Key_Down);
        QTest::keyClick(Grid(run), Qt::Key_Right);
        QVERIFY(Snapshot(run) == before);
        QVERIFY(run.Messages->isEmpty());
        // The way back works.
        QTest::keyClick(Grid(run), Qt::Key_Up);
        QCOMPARE(Selected(run), last.addDays(-7));
    }

    // Clicks on the grid of Tishri 5760 (day 1 on Saturday, 30 days): any button
    // and modifier selects the day under the pointer without a redraw; empty
    // cells and clicks off the grid select nothing. Every click clears the chooser.
    void clicks_data() {
        Columns<int, int, QPoint, bool, QDate, int, QString, QPoint>(
            {"button", "modifiers", "pixel", "located", "day", "jewDay", "status", "marker"});
        const int left = Qt::LeftButton, none = Qt::NoModifier;
        const QDate monday(1999, 9, 13), sunday(1999, 9, 19), kippur(1999, 9, 20), last(1999, 10, 10);
        // Row 1, column 1 at pixel (62, 48) is X 930, Y 720 twips.
        QTest::newRow("Monday") << left << none << QPoint(62, 48) << false << monday << 3 << "" << QPoint(800, 610);
        QTest::newRow("Monday, located") << left << none << QPoint(62, 48) << true << monday << 3
                                         << "Sun sets in Home at " + SunText(monday, 0) << QPoint(800, 610);
        QTest::newRow("Yom Kippur") << left << none << QPoint(62, 78) << false << kippur << 10 << "Yom Kippur"
                                    << QPoint(800, 1060);
        QTest::newRow("Yom Kippur, located") << left << none << QPoint(62, 78) << true << kippur << 10
                                             << "Yom Kippur - sun sets in Home at " + SunText(kippur, 0)
                                             << QPoint(800, 1060);
        QTest::newRow("X = 100 twips, margin of column 0") << left << none << QPoint(7, 78) << false << sunday << 9
                                                           << "" << QPoint(150, 1060);
        QTest::newRow("right button") << int(Qt::RightButton) << none << QPoint(62, 78) << false << kippur << 10
                                      << "Yom Kippur" << QPoint(800, 1060);
        QTest::newRow("middle button, Ctrl") << int(Qt::MiddleButton) << int(Qt::ControlModifier) << QPoint(62, 78)
                                             << false << kippur << 10 << "Yom Kippur" << QPoint(800, 1060);
        QTest::newRow("day 30, last twips of column 0") << left << none << QPoint(55, 191) << false << last << 30
                                                        << "" << QPoint(150, 2410);
        QTest::newRow("empty cell before day 1") << left << none << QPoint(20, 20) << false << QDate() << 0 << ""
                                                 << QPoint();
        QTest::newRow("empty cell after day 30") << left << none << QPoint(100, 191) << true << QDate() << 0 << ""
                                                 << QPoint();
        QTest::newRow("right of column 7") << left << none << QPoint(316, 48) << false << QDate() << 0 << ""
                                           << QPoint();
        QTest::newRow("below row 6") << left << none << QPoint(20, 192) << false << QDate() << 0 << "" << QPoint();
    }
    void clicks() {
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(QPoint, pixel);
        QFETCH(bool, located);
        QFETCH(QDate, day);
        QFETCH(QPoint, marker);
        Folder folder;
        if (located) {
            folder.Write("home.sun", SunTable("Home", 0));
            folder.Write("Tovel.ini", IniWith("ActiveLocation=1\r\n"));
        }
        Run run = Shown(folder, QDate(1999, 9, 15));  // 5 Tishri 5760
        QVERIFY(run.Loaded);
        run.Label("Label9")->setText("hint");
        Chooser(run)->setCurrentIndex(2);
        View before = Snapshot(run);
        QTest::mouseClick(Grid(run), Qt::MouseButton(button), Qt::KeyboardModifiers(modifiers), pixel);
        QVERIFY(Cleared(run));
        View after = Snapshot(run);
        QCOMPARE(after.canvas, before.canvas);
        QCOMPARE(after.title, before.title);
        if (!day.isValid()) {
            after.chooser = before.chooser;
            QVERIFY(after == before);
            return;
        }
        QCOMPARE(Selected(run), day);
        QTEST(int(run.Form->State().JewDay), "jewDay");
        QTEST(run.Label("Label10")->text(), "status");
        QCOMPARE(run.Label("Label9")->text(), kReminder);
        QCOMPARE(run.Marker()->geometry(), QRect(Px(marker.x()), Px(marker.y()), Px(530), Px(470)));
        QVERIFY(run.Marker()->isVisible());
        // The next redraw frames the same day.
        run.Form->FillPicture();
        QCOMPARE(run.Marker()->geometry().topLeft(), QPoint(Px(marker.x()), Px(marker.y())));
    }

    // The chooser's edge cases through the list, as a user picks. A pick keeps
    // its text in the chooser; a refused pick moves nothing.
    void chooser_data() {
        Columns<QDate, QString, QString, QDate, QString, QStringList>(
            {"start", "presses", "pick", "end", "title", "messages"});
        const QStringList none;
        QTest::newRow("20 Tishri, Yom Kippur: back") << QDate(1999, 9, 29) << "" << "Yom Kippur" << QDate(1999, 9, 20)
                                                     << " Tishri  5760" << none;
        QTest::newRow("1 Heshvan, Rosh Hashanah: next year")
            << QDate(1999, 10, 11) << "" << "Rosh Hashanah" << QDate(2000, 9, 30) << " Tishri  5761" << none;
        QTest::newRow("20 Kislev, Hanukkah: 5 on") << QDate(1999, 11, 29) << "" << "Hanukkah" << QDate(1999, 12, 4)
                                                   << " Kislev  5760" << none;
        QTest::newRow("28 Kislev, Hanukkah: 3 back") << QDate(1999, 12, 7) << "" << "Hanukkah" << QDate(1999, 12, 4)
                                                     << " Kislev  5760" << none;
        QTest::newRow("1 Shevat 5760, Purim: 73 days on") << QDate(2000, 1, 8) << "" << "Purim" << QDate(2000, 3, 21)
                                                          << " Adar II  5760" << none;
        QTest::newRow("Tamuz, Pesach: next year") << QDate(2024, 7, 7) << "" << "Pesach" << QDate(2025, 4, 13)
                                                  << " Nisan  5785" << none;
        QTest::newRow("Tisha B 'Av 5772 on a Saturday") << QDate(2012, 7, 20) << "" << "Tisha B 'Av"
                                                        << QDate(2012, 7, 29) << " Av  5772" << none;
        QTest::newRow("Adar I, Purim: Adar II") << QDate(2024, 2, 14) << "" << "Purim" << QDate(2024, 3, 24)
                                                << " Adar II  5784" << none;
        QTest::newRow("20 Adar II, Purim: back") << QDate(2024, 3, 30) << "" << "Purim" << QDate(2024, 3, 24)
                                                 << " Adar II  5784" << none;
        QTest::newRow("6550, Rosh Hashanah into 6551") << QDate(2790, 9, 6) << "" << "Rosh Hashanah"
                                                       << QDate(2790, 10, 1) << " Tishri  6551" << none;
        QTest::newRow("6551: refused") << QDate(2790, 9, 6) << ">" << "Shavuot" << QDate(2790, 10, 5)
                                       << " Tishri  6551" << QStringList{kUpper};
    }
    void chooser() {
        QFETCH(QDate, start);
        QFETCH(QString, presses);
        QFETCH(QString, pick);
        QFETCH(QStringList, messages);
        Folder folder;
        Run run = Shown(folder, start);
        QVERIFY(run.Loaded);
        Press(run, presses);
        const View before = Snapshot(run);
        Pick(run, pick);
        QTEST(Selected(run), "end");
        QTEST(run.Label("Label1")->text(), "title");
        QCOMPARE(*run.Messages, messages);
        QCOMPARE(Chooser(run)->currentText(), pick);
        ShowsAsStartedOn(run, Selected(run));
        if (!messages.isEmpty()) {
            View after = Snapshot(run);
            after.chooser = before.chooser;
            QVERIFY(after == before);
        }
        // A refill by a later move clears the pick and picks nothing itself.
        const QDate picked = Selected(run);
        QTest::keyClick(Grid(run), Qt::Key_Right);
        QCOMPARE(Selected(run), picked.addDays(1));
        QVERIFY(Cleared(run));
    }

    // The grid keeps the keyboard after a button click, a menu choice and a
    // chooser pick, so an arrow key right after them moves the day.
    void gridKeepsTheFocus_data() {
        QTest::addColumn<QString>("action");
        for (const char* action : {">", "<<", "Today", "menu", "pick", "keyboard pick"}) QTest::newRow(action) << action;
    }
    void gridKeepsTheFocus() {
        QFETCH(QString, action);
        Folder folder;
        Run run = Shown(folder, QDate(1999, 11, 29));  // 20 Kislev 5760
        QVERIFY(run.Loaded);
        run.Form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(run.Form.get()));
        QTRY_COMPARE(QApplication::focusWidget(), Grid(run));
        if (action == "menu") {
            run.Action("Step5")->trigger();
        } else if (action == "pick") {
            Pick(run, "Hanukkah");
        } else if (action == "keyboard pick") {
            // Tab to the chooser, then the Down key picks the first entry.
            Chooser(run)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(Chooser(run), Qt::Key_Down);
            QCOMPARE(Chooser(run)->currentText(), QString("Rosh Hashanah"));
        } else {
            Press(run, action);
        }
        QCOMPARE(QApplication::focusWidget(), Grid(run));
        const QDate before = Selected(run);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(Selected(run), before.addDays(1));
    }

    // With a year table that cannot describe the new month, every control
    // leaves the view exactly as it was.
    void damagedYearTable_data() {
        QTest::addColumn<QString>("action");
        for (const char* action : {"<", ">", "<<", ">>", "Today", "Right", "Hanukkah", "Step10"})
            QTest::newRow(action) << action;
    }
    void damagedYearTable() {
        QFETCH(QString, action);
        Folder folder;
        Run run = Shown(folder, QDate(1999, 11, 29));
        QVERIFY(run.Loaded);
        Press(run, ">");  // away from today
        Chooser(run)->setCurrentIndex(4);
        const View before = Snapshot(run);
        folder.Write("RHDates.Tvl", "5760 xx-Sep-1999\r\n5761 30-Sep-2000\r\n");
        if (action == "Right") QTest::keyClick(Grid(run), Qt::Key_Right);
        else if (action == "Hanukkah") Pick(run, action);
        else if (action == "Step10") run.Action(action)->trigger();
        else Press(run, action);
        View after = Snapshot(run);
        if (action == "Hanukkah") after.chooser = before.chooser;
        QVERIFY(after == before);
        QVERIFY(run.Messages->isEmpty());
    }
};

QTEST_MAIN(Form1NavigationTest)
#include "form1_navigation_test.moc"
