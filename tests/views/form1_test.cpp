// The main window on the offscreen platform, started the way the program starts
// it: a program folder with the year table (and per test a settings file and
// sunset tables) and a fixed "today". Expectations come from known dates: 1 Tishri
// 5760 = Saturday 11 September 1999 (30 days), 1 Kislev 5760 = Wednesday 10 November.

#include <sys/stat.h>

#include "app/popup.h"
#include "window_support.h"

using namespace window_test;

namespace {

constexpr int kCellWide = 43, kCellHigh = 30;  // pixels one cell owns: glyph and number

// The glyph of Jewish day `jewDay` as the committed sheet of `ink` holds it.
QImage SheetGlyph(int jewDay, const QColor& ink) {
    const char* sheet = ink == kGreen ? "/glyphs_green.png" : ink == kRed ? "/glyphs_red.png" : "/glyphs_black.png";
    return QImage(TOVEL_VIEWS_DIR + QString(sheet)).convertToFormat(QImage::Format_RGB32).copy((jewDay - 1) * 20, 0, 20, 20);
}
QImage CellOnCanvas(const QImage& canvas, QPoint at, int width = kCellWide, int height = kCellHigh) {
    return canvas.copy(Px(at.x()), Px(at.y()), width, height).convertToFormat(QImage::Format_RGB32);
}
// The Gregorian number under a glyph: ink of the day's colour (and its
// anti-aliased tints), nothing of another hue, a coloured ink not grey alone,
// and starting further right from day 10 on, where the numeral has two letters.
int NumberInkStart(const QImage& canvas, QPoint at, const QColor& ink) {
    const QImage box = CellOnCanvas(canvas, at + QPoint(0, 300), kCellWide, 10);
    int first = -1;
    bool hue = ink == kBlack;
    for (int x = 0; x < box.width(); ++x)
        for (int y = 0; y < box.height(); ++y) {
            const QColor c = box.pixelColor(x, y);
            if (c == Qt::white) continue;
            const int depth = 255 - std::min({c.red(), c.green(), c.blue()});
            if (depth > 100 && first < 0) first = x;
            hue = hue || std::abs(c.red() - c.green()) > 60;
            // Tints between ink and white keep the ink's hue ordering.
            if (ink == kGreen && !(c.green() >= c.red() && c.green() >= c.blue())) return -2;
            if (ink == kRed && !(c.red() >= c.green() && c.blue() >= c.green())) return -2;
            if (ink == kBlack && !(c.red() == c.green() && c.green() == c.blue())) return -2;
        }
    return hue ? first : -3;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseTestFonts(); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The selected day's cell as drawn (ink, glyph, number at the cell's x up
    // to Jewish day 9 and at x + 40 from day 10) and the marker around it, with
    // the default, zero and own corrections.
    void selectedDay_data() {
        Columns<QDate, int, QColor, QByteArray, QPoint>({"day", "jewDay", "ink", "ini", "marker"});
        const QByteArray none, zero = IniWith("AddXJ=0\r\nAddYJ=0\r\n"), own = IniWith("AddXJ=-40\r\nAddYJ=35\r\n");
        QTest::newRow("Rosh Hashanah on a Saturday") << QDate(1999, 9, 11) << 1 << kGreen << none << QPoint(4050, 160);
        QTest::newRow("Yom Kippur, Monday, day 10") << QDate(1999, 9, 20) << 10 << kGreen << none << QPoint(800, 1060);
        QTest::newRow("day 30 alone in row 6") << QDate(1999, 10, 10) << 30 << kBlack << none << QPoint(150, 2410);
        QTest::newRow("last day, no correction") << QDate(1999, 10, 10) << 30 << kBlack << zero << QPoint(250, 2390);
        QTest::newRow("Kislev 24, Friday") << QDate(1999, 12, 3) << 24 << kBlack << own << QPoint(3460, 1525);
    }
    void selectedDay() {
        QFETCH(QDate, day);
        QFETCH(int, jewDay);
        QFETCH(QColor, ink);
        QFETCH(QByteArray, ini);
        QFETCH(QPoint, marker);
        Folder folder;
        if (!ini.isEmpty()) folder.Write("Tovel.ini", ini);
        Run run = Start(folder, day);
        QVERIFY(run.Loaded);
        const QPoint at = CellTwips(ColumnOf(day), (ColumnOf(day.addDays(1 - jewDay)) + jewDay - 2) / 7 + 1);
        QCOMPARE(CellOnCanvas(run.Canvas(), at, 20, 20), SheetGlyph(jewDay, ink));
        const int start = NumberInkStart(run.Canvas(), at, ink);
        QVERIFY2(start >= 0, "the number is drawn in the day's colour");
        QVERIFY(jewDay >= 10 ? start >= 5 : start <= 4);  // 40 twips further right from day 10
        QCOMPARE(run.Marker()->geometry(), QRect(Px(marker.x()), Px(marker.y()), Px(530), Px(470)));
        QVERIFY(run.Marker()->isVisibleTo(run.Form.get()));
    }

    // From a six-row month to the next one every cell is drawn again: the days
    // as they must look, everything else blank.
    void redrawClearsTheGrid() {
        Folder folder;
        Run run = Start(folder, QDate(1999, 10, 10));  // 30 Tishri
        QVERIFY(run.Loaded);
        tovel::CalendarState& s = run.Form->State();
        s.SelDate = tovel::Date::FromYmd(1999, 10, 11);  // 1 Heshvan, a Monday: cell k holds day k
        QVERIFY(run.Form->FindGDate());
        run.Form->FillPicture();
        QImage blank(kCellWide, kCellHigh, QImage::Format_RGB32);
        blank.fill(Qt::white);
        for (int k = 0; k < 42; ++k) {
            const QPoint at = CellTwips(k % 7 + 1, k / 7 + 1);
            const QDate date = QDate(1999, 10, 10).addDays(k);
            const QColor ink = !s.DayText[std::size_t(k)].empty() ? kGreen : ColumnOf(date) == 7 ? kRed : kBlack;
            const QString cell = QString("cell %1").arg(k);
            if (k < 1 || k > s.MonthDays) {
                QVERIFY2(CellOnCanvas(run.Canvas(), at) == blank, qPrintable(cell));
            } else {
                QVERIFY2(CellOnCanvas(run.Canvas(), at, 20, 20) == SheetGlyph(k, ink), qPrintable(cell));
                QVERIFY2(NumberInkStart(run.Canvas(), at, ink) >= 0, qPrintable(cell));
            }
        }
    }

    // Title and Gregorian line; with CapitalizeDates=1 also the weekday header.
    void titleLines_data() {
        Columns<QDate, QLocale, int, QString, QString>({"day", "locale", "capitalize", "title", "span"});
        const QLocale en(QLocale::English, QLocale::UnitedStates), fr(QLocale::French, QLocale::France);
        const QDate tishri(1999, 10, 10), tevet(2000, 1, 7), heshvan(2001, 11, 1);
        QTest::newRow("30 days from a Saturday") << tishri << en << 0 << " Tishri  5760" << "September / October 1999";
        QTest::newRow("December into January") << tevet << en << 0 << " Tevet  5760" << "December 1999 / January 2000";
        QTest::newRow("French") << heshvan << fr << 0 << " Heshvan  5762" << "octobre / novembre 2001";
        QTest::newRow("French capitalised") << heshvan << fr << 1 << " Heshvan  5762" << "Octobre / Novembre 2001";
        QTest::newRow("French, other value") << heshvan << fr << 2 << " Heshvan  5762" << "octobre / novembre 2001";
    }
    void titleLines() {
        QFETCH(QDate, day);
        QFETCH(QLocale, locale);
        QFETCH(int, capitalize);
        QLocale::setDefault(locale);
        Folder folder;
        folder.Write("Tovel.ini", IniWith("CapitalizeDates=" + QByteArray::number(capitalize) + "\r\n"));
        Run run = Start(folder, day);
        QVERIFY(run.Loaded);
        QTEST(run.Label("Label1")->text(), "title");
        QTEST(run.Label("Label2")->text(), "span");
        // Only the French rows capitalise.
        QCOMPARE(run.Label("Label3")->text(),
                 capitalize == 1 ? "Dim     Lun    Mar     Mer    Jeu     Ven    Sam     " : kHeader);
    }

    // A move over the bare background, the weekday header or the grid puts the
    // reminder back; a move over any other control leaves status line 2 alone.
    void mouseMoveRestoresReminder_data() {
        Columns<QString, bool>({"widget", "restores"});
        for (const char* name : {"Client", "Label3", "Picture1"}) QTest::newRow(name) << name << true;
        for (const char* name : {"Combo1", "Frame1", "Label10"})
            QTest::newRow(name) << name << false;
    }
    void mouseMoveRestoresReminder() {
        QFETCH(QString, widget);
        QFETCH(bool, restores);
        Folder folder;
        Run run = Shown(folder, QDate(1999, 9, 15));
        QVERIFY(run.Loaded);
        QWidget* target = run.Form->findChild<QWidget*>(widget);
        QVERIFY(target);
        const QPoint at = widget == "Client" || widget == "Frame1" ? QPoint(3, 3) : target->rect().center();
        QVERIFY(!target->childAt(at) && !target->childAt(at - QPoint(1, 1)));
        QLabel* status = run.Label("Label9");
        const QString expected = restores ? kReminder : QString("hint");
        // Through the window: the first move only gets the pointer onto the widget.
        const QPoint inWindow = target->mapTo(run.Form.get(), at);
        QTest::mouseMove(run.Form->windowHandle(), inWindow - QPoint(1, 1));
        status->setText("hint");
        QTest::mouseMove(run.Form->windowHandle(), inWindow);
        QCOMPARE(status->text(), expected);
        // Straight to the widget during a drag: a control that does not take
        // the move passes it on to the background.
        status->setText("hint");
        QMouseEvent drag(QEvent::MouseMove, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drag);
        QCOMPARE(status->text(), expected);
    }

    // Status line 1 with and without a holiday and a location; an argument
    // other than the pop-up switch is ignored. None of these runs closes the
    // window, so nothing is saved. (Pop-up runs: tests/app/program_test.cpp.)
    void startUpRuns_data() {
        Columns<QString, QDate, bool, bool, QString, QStringList>(
            {"arguments", "day", "located", "loaded", "status", "messages"});
        const QDate kippur(1999, 9, 20), plain(1999, 9, 15);
        const QString kippurHome = "Yom Kippur - sun sets in Home at " + SunText(kippur, 0),
                      plainHome = "Sun sets in Home at " + SunText(plain, 0);
        const QStringList quiet;
        QTest::newRow("holiday") << "" << kippur << false << true << "Yom Kippur" << quiet;
        QTest::newRow("ordinary day") << "" << plain << false << true << "" << quiet;
        QTest::newRow("holiday, located") << "" << kippur << true << true << kippurHome << quiet;
        QTest::newRow("ordinary day, located") << "" << plain << true << true << plainHome << quiet;
        QTest::newRow("/X") << "/X" << kippur << true << true << kippurHome << quiet;
    }
    void startUpRuns() {
        QFETCH(QString, arguments);
        QFETCH(QDate, day);
        QFETCH(bool, located);
        Folder folder;
        if (located) Locate(folder);
        const auto snapshot = folder.Snapshot();
        {
            Run run = Start(folder, day, arguments);
            QTEST(run.Loaded, "loaded");
            QTEST(*run.Messages, "messages");
            QTEST(run.Label("Label10")->text(), "status");
            QCOMPARE(run.Label("Label9")->text(), kReminder);
        }
        QVERIFY(folder.Snapshot() == snapshot);
    }

    // No settings file: the default place, the fixed size kept and the drawing
    // untouched when shown, and at the end all ten keys written once each,
    // which bring the window back where it was.
    void firstRunWritesSettings() {
        Folder folder;
        Run run = Start(folder, QDate(2010, 5, 5));
        QVERIFY(run.Loaded);
        tovel::Form1& form = *run.Form;
        QCOMPARE(form.pos(), QPoint(20, 20));
        QVERIFY(!QFileInfo::exists(folder.File("Tovel.ini")));
        const QImage before = run.Canvas().copy();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.size(), form.minimumSize());
        QCOMPARE(run.Canvas(), before);
        form.move(130, 70);
        QTRY_COMPARE(form.pos(), QPoint(130, 70));
        const QPoint corner = form.frameGeometry().topLeft();
        QVERIFY(form.close());

        QStringList saved = KeyLines(folder.Read("Tovel.ini"), "Tovel"), expected = {
            "FormTop=" + QString::number(corner.y() * 15), "FormLeft=" + QString::number(corner.x() * 15),
            "ActiveLocation=0", "Gregorian=0", "CapitalizeDates=0", "AddXJ=-100", "AddYJ=20", "AddXG=0", "AddYG=0",
            "AddWeek=0"};
        saved.sort();
        expected.sort();
        QCOMPARE(saved, expected);
        QVERIFY(run.Messages->isEmpty());
        QCOMPARE(Start(folder, QDate(2010, 5, 5)).Form->pos(), corner);
    }

    // A settings file edited by hand, damaged, or a folder in its place, before
    // and after the save; a position that would leave the window on no screen
    // gives the default. The save is quiet and leaves no other file behind.
    void settingsAsRead_data() {
        Columns<QByteArray, int, int, QPoint>({"content", "addXJ", "addYJ", "pos"});
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int width = tovel::Form1().width();
        auto at = [](int top, int left) {
            return IniWith("FormTop=" + QByteArray::number(top * 15) + "\r\nFormLeft=" + QByteArray::number(left * 15));
        };
        static const char kNul[] = "[Tovel]\r\nAddXJ=-3\0" "9\r\n";
        const QPoint home(20, 20);
        QTest::newRow("NUL inside a value") << QByteArray(kNul, sizeof kNul - 1) << -3 << 20 << home;
        QTest::newRow("a folder in its place") << QByteArray() << -100 << 20 << home;
        QTest::newRow("on the screen") << at(screen.top() + 40, screen.left() + 60) << -100 << 20
                                       << screen.topLeft() + QPoint(60, 40);
        QTest::newRow("just past the right edge") << at(20, screen.right() + 1) << -100 << 20 << home;
        QTest::newRow("a corner still on the left")
            << at(20, screen.left() - width + 5) << -100 << 20 << QPoint(screen.left() - width + 5, 20);
    }
    void settingsAsRead() {
        QFETCH(QByteArray, content);
        Folder folder;
        if (content.isNull()) QVERIFY(QDir(folder.Path()).mkdir("Tovel.ini"));
        else folder.Write("Tovel.ini", content);
        for (int pass = 0; pass < 2; ++pass) {
            Run run = Start(folder, QDate(2004, 3, 4));
            QVERIFY(run.Loaded);
            QTEST(int(run.Form->State().AddXJ), "addXJ");
            QTEST(int(run.Form->State().AddYJ), "addYJ");
            QTEST(run.Form->pos(), "pos");
            QVERIFY(run.Form->close());
            QVERIFY(run.Messages->isEmpty());
            QCOMPARE(QDir(folder.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     (QStringList{"RHDates.Tvl", "Tovel.ini"}));
        }
    }

    // The sunset menu lists the tables by file name, each name as written (an
    // ampersand is no access key); a saved location without a table checks
    // nothing and is saved as 0.
    void sunsetMenu_data() {
        Columns<int, int, int>({"tables", "saved", "active"});  // saved: ActiveLocation in the file
        QTest::newRow("three tables, first active") << 3 << 1 << 1;
        QTest::newRow("three tables, third active") << 3 << 3 << 3;
        QTest::newRow("three tables, seventh saved") << 3 << 7 << 0;
        QTest::newRow("no tables, first saved") << 0 << 1 << 0;
    }
    void sunsetMenu() {
        QFETCH(int, tables);
        QFETCH(int, saved);
        QFETCH(int, active);
        Folder folder;
        // Written out of order; the menu follows the file names.
        const QStringList files = {"c_gamma.sun", "a_alpha.sun", "b_beta.sun"},
                          names = {"Gamma City", "Alpha & Town", "Beta Ville"};
        for (int i = 0; i < tables; ++i) folder.Write(files[i], SunTable(names[i], i));
        folder.Write("Tovel.ini", IniWith("ActiveLocation=" + QByteArray::number(saved) + "\r\n"));
        const QDate kippur(1999, 9, 20);
        Run run = Start(folder, kippur);
        QVERIFY(run.Loaded);
        const QStringList sorted = {"Alpha & Town", "Beta Ville", "Gamma City"};
        for (int i = 1; i <= 11; ++i) {
            QAction* item = run.Action(QString("Sun%1").arg(i));
            QCOMPARE(item->isVisible(), tables == 0 ? i == 1 : i <= tables);
            if (i <= tables) QCOMPARE(item->iconText(), sorted[i - 1]);
            QVERIFY(QKeySequence::mnemonic(item->text()).isEmpty());
            QCOMPARE(item->isChecked(), i == active);
        }
        const int shifts[] = {1, 2, 0};  // of the table written under each sorted name
        QCOMPARE(run.Label("Label10")->text(), active == 0 ? QString("Yom Kippur")
                 : "Yom Kippur - sun sets in " + sorted[active - 1] + " at " + SunText(kippur, shifts[active - 1]));
        QVERIFY(run.Form->close());
        QVERIFY(KeyLines(folder.Read("Tovel.ini"), "Tovel").contains("ActiveLocation=" + QString::number(active)));
    }

    // Each name of the weekday header stands centred over its column of glyphs.
    void headerOverColumns() {
        Folder folder;
        Run run = Start(folder, QDate(1999, 9, 15));
        QVERIFY(run.Loaded);
        QLabel* header = run.Label("Label3");
        const QImage image = header->grab().toImage();
        QList<double> centres;
        int start = -1, last = -10;
        for (int x = 0; x < image.width(); ++x) {
            bool ink = false;
            for (int y = 0; y < image.height(); ++y) ink = ink || image.pixelColor(x, y).lightness() < 128;
            if (!ink) continue;
            if (x - last > 6 && start >= 0) centres << (start + last) / 2.0;
            if (x - last > 6) start = x;
            last = x;
        }
        centres << (start + last) / 2.0;
        QCOMPARE(centres.size(), 7);
        QWidget* grid = run.Form->findChild<QWidget*>("Picture1");
        for (int c = 0; c < 7; ++c) {
            const double glyphCentre = grid->mapTo(run.Form.get(), QPoint(Px(250 + 650 * c) + 10, 0)).x();
            const double nameCentre = header->mapTo(run.Form.get(), QPoint(0, 0)).x() + centres[c];
            QVERIFY2(std::abs(nameCentre - glyphCentre) <= 3, qPrintable(QString("column %1: %2 against %3").arg(c + 1).arg(nameCentre).arg(glyphCentre)));
        }
        // The buttons without a font of their own and the chooser use the window's font.
        for (const char* name : {"Command4", "Combo1"}) {
            const QFont font = run.Form->findChild<QWidget*>(name)->font();
            QCOMPARE(font.family(), QString("MS Sans Serif"));
            QCOMPARE(font.pointSizeF(), 8.25);
        }
    }

    // A year table that cannot be used: missing (or a folder in its place) and
    // damaged tables end the program with one message and leave the settings
    // alone; a day merely outside the table's years opens its nearest month.
    void yearTableProblems_data() {
        Columns<QByteArray, QDate, bool, QString, QString>({"table", "today", "loaded", "message", "title"});
        QTest::newRow("missing") << QByteArray("none") << QDate(2004, 3, 4) << false
                                 << "/RHDates.Tvl not found, application quiting !!" << "";
        QTest::newRow("a folder") << QByteArray("folder") << QDate(2004, 3, 4) << false
                                  << "/RHDates.Tvl not found, application quiting !!" << "";
        QTest::newRow("damaged") << QByteArray("5763 07-Sep-2002\r\n5764 27-Sep-2003\r\n5766 04-Oct-2005\r\n")
                                 << QDate(2004, 3, 4) << false << "/RHDates.Tvl is damaged: it cannot describe 04-Mar-2004" << "";
        QTest::newRow("after its years") << QByteArray() << QDate(2900, 1, 1) << true
                                         << "/RHDates.Tvl does not reach 01-Jan-2900; showing the nearest month it covers"
                                         << " Elul  6551";
        QTest::newRow("before its years") << QByteArray() << QDate(1700, 6, 1) << true
                                          << "/RHDates.Tvl does not reach 01-Jun-1700; showing the nearest month it covers"
                                          << " Tishri  5562";
    }
    void yearTableProblems() {
        QFETCH(QByteArray, table);
        QFETCH(QDate, today);
        QFETCH(bool, loaded);
        Folder folder(table.isEmpty());
        if (table == "folder") QVERIFY(QDir(folder.Path()).mkdir("RHDates.Tvl"));
        else if (table != "none" && !table.isEmpty()) folder.Write("RHDates.Tvl", table);
        folder.Write("Tovel.ini", IniWith("AddXJ=-90\r\n"));
        const auto snapshot = folder.Snapshot();
        Run run = Start(folder, today);
        QCOMPARE(run.Loaded, loaded);
        QFETCH(QString, message);
        QCOMPARE(*run.Messages, QStringList{folder.Path() + message});
        QTEST(run.Label("Label1")->text(), "title");
        if (!loaded) {
            run.Form->close();
            QCOMPARE(run.Messages->size(), 1);
            QVERIFY(folder.Snapshot() == snapshot);
        }
    }

    // A save through a symbolic link updates the link's target and keeps the
    // link; a named pipe in the file's place is neither read nor replaced.
    void saveThroughLinkOrPipe() {
        Folder folder, elsewhere;
        elsewhere.Write("real.ini", IniWith("AddXJ=-70\r\n"));
        QVERIFY(QFile::link(elsewhere.File("real.ini"), folder.File("Tovel.ini")));
        Run run = Start(folder, QDate(2004, 3, 4));
        QCOMPARE(int(run.Form->State().AddXJ), -70);
        run.Form->State().AddWeek = 3;
        QVERIFY(run.Form->close());
        QVERIFY(QFileInfo(folder.File("Tovel.ini")).isSymLink());
        QVERIFY(KeyLines(elsewhere.Read("real.ini"), "Tovel").contains("AddWeek=3"));

        // Replaced by a pipe while the program runs, and there from the start.
        Folder piped;
        piped.Write("Tovel.ini", IniWith(""));
        Run second = Start(piped, QDate(2004, 3, 4));
        QVERIFY(QFile::remove(piped.File("Tovel.ini")));
        QCOMPARE(::mkfifo(piped.File("Tovel.ini").toLocal8Bit().constData(), 0600), 0);
        QVERIFY(second.Form->close());
        QCOMPARE(QFileInfo(piped.File("Tovel.ini")).isFile(), false);
        second = Start(piped, QDate(2004, 3, 4));
        QVERIFY(second.Loaded);
        QVERIFY(second.Form->close());
        QCOMPARE(QFileInfo(piped.File("Tovel.ini")).isFile(), false);
        QVERIFY(second.Messages->isEmpty());
    }

    // The window's pop-up decision and the quick path that runs before any
    // window agree on every day of several years, holidays and fasts included.
    void popupRuleAgreesWithQuickPath() {
        Folder folder;
        Locate(folder);
        Run run = Start(folder, QDate(2020, 9, 1));
        QVERIFY(run.Loaded);
        tovel::CalendarState& s = run.Form->State();
        s.PopupMode = true;
        int holidays = 0;
        for (QDate day(2020, 9, 1); day < QDate(2024, 9, 1); day = day.addDays(1)) {
            const tovel::Date d = tovel::Date::FromYmd(day.year(), unsigned(day.month()), unsigned(day.day()));
            run.Messages->clear();
            s.SelDate = d;
            QVERIFY(run.Form->FindGDate());
            run.Form->FillPicture();
            const bool quick = tovel::DecidePopup(folder.Path().toStdString(), tovel::ProgramFilesFor(folder.Path().toStdString()), d) == tovel::PopupOutcome::NeedsWindow;
            QVERIFY2(quick == !run.Messages->isEmpty(), qPrintable(day.toString()));
            holidays += quick;
        }
        QVERIFY(holidays > 4 * 15);
    }

};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
