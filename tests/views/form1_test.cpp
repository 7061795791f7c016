// The main window on the offscreen platform, started as the program starts it.
// 1 Tishri 5760 = Saturday 11 September 1999 (30 days).

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/popup.h"
#include "app/calendar_lines.h"
#include "input/grid.h"
#include "window_support.h"

using namespace window_test;

namespace {

QImage CellOnCanvas(const QImage& canvas, QPoint at, int width, int height) {
    return canvas.copy(Px(at.x()), Px(at.y()), width, height).convertToFormat(QImage::Format_RGB32);
}
// The glyph of Jewish day `jewDay` as the committed sheet of `ink` holds it.
QImage SheetGlyph(int jewDay, const QColor& ink) {
    const char* sheet = ink == kGreen ? "/glyphs_green.png" : ink == kRed ? "/glyphs_red.png" : "/glyphs_black.png";
    return QImage(TOVEL_VIEWS_DIR + QString(sheet)).convertToFormat(QImage::Format_RGB32).copy((jewDay - 1) * 20, 0, 20, 20);
}
// The first dark column of the number under a glyph, or < 0 unless all its ink
// (tints too) is of the day's hue, and a coloured ink not grey alone.
int NumberInkStart(const QImage& canvas, QPoint at, const QColor& ink) {
    const QImage box = CellOnCanvas(canvas, at + QPoint(0, 300), 43, 10);
    int first = -1;
    bool hue = ink == kBlack;
    for (int x = 0; x < box.width(); ++x)
        for (int y = 0; y < box.height(); ++y) {
            const QColor c = box.pixelColor(x, y);
            if (c == Qt::white) continue;
            if (255 - std::min({c.red(), c.green(), c.blue()}) > 100 && first < 0) first = x;
            hue = hue || std::abs(c.red() - c.green()) > 60;
            if (ink == kGreen ? !(c.green() >= c.red() && c.green() >= c.blue())
                : ink == kRed ? !(c.red() >= c.green() && c.blue() >= c.green())
                              : !(c.red() == c.green() && c.green() == c.blue()))
                return -2;
        }
    return hue ? first : -3;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The grid as the month layout places it (the layout itself:
    // input/grid_test.cpp), on Yom Kippur 5760 with own corrections and after
    // a move into Heshvan: each day's glyph from its ink's sheet over its number
    // in that ink, 40 twips further right from day 10 on, and the marker.
    void grid() {
        Folder folder;
        folder.Write("Tovel.ini", IniWith("AddXJ=-40\r\nAddYJ=35\r\n"));
        Run run = Shown(folder, QDate(1999, 9, 20));
        QVERIFY(run.Loaded);
        const struct { const char* steps; QDate day; QPoint marker; } stages[] = {
            {"", {1999, 9, 20}, {860, 1075}}, {"Down, Down, Down", {1999, 10, 11}, {860, 175}}};
        for (const auto& stage : stages) {
            Do(run, stage.steps);
            QCOMPARE(ToQDate(run.Form->State().SelDate), stage.day);
            for (const tovel::DayCell& cell : tovel::MonthCells(run.Form->State())) {
                const QColor ink = cell.Colour == tovel::Ink::Green ? kGreen : cell.Colour == tovel::Ink::Red ? kRed : kBlack;
                const QString day = QString("day %1").arg(cell.Day);
                QVERIFY2(CellOnCanvas(run.Canvas(), {cell.X, cell.Y}, 20, 20) == SheetGlyph(cell.Day, ink), qPrintable(day));
                const int start = NumberInkStart(run.Canvas(), {cell.X, cell.Y}, ink);
                QVERIFY2(start >= 0 && (cell.Day >= 10 ? start >= 5 : start <= 4), qPrintable(day));
            }
            QCOMPARE(run.Marker()->geometry(), QRect(Px(stage.marker.x()), Px(stage.marker.y()), Px(530), Px(470)));
            QVERIFY(run.Marker()->isVisible());
        }
    }

    // The title lines in the system's language, in both views; CapitalizeDates=1,
    // not another value, capitalises the month names and the weekday header.
    void titleLinesInFrench() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        for (const bool capitalize : {true, false}) {
            Folder folder;
            folder.Write("Tovel.ini", IniWith(capitalize ? "CapitalizeDates=1\r\n" : "CapitalizeDates=2\r\n"));
            Run run = Start(folder, QDate(2024, 12, 10));  // 1 Tevet is 1 January
            QVERIFY(run.Loaded);
            QCOMPARE(run.Label("Label1")->text(), QString(" Kislev  5785"));
            QCOMPARE(run.Label("Label2")->text(),
                     QString(capitalize ? "Décembre 2024 / Janvier 2025" : "décembre 2024 / janvier 2025"));
            QCOMPARE(run.Label("Label3")->text(), QString(capitalize ? "Dim     Lun    Mar     Mer    Jeu     Ven    Sam     "
                                                                     : "Sun    Mon    Tue    Wed    Thu    Fri    Sat"));
            Do(run, "GregorianMnu");
            QCOMPARE(run.Label("Label1")->text(), QString(capitalize ? "Décembre  2024" : "décembre  2024"));
            QCOMPARE(run.Label("Label10")->text(), QString("10-décembre-2024"));
        }
        QCOMPARE(tovel::Capitalized("sAMEDI"), QString("Samedi"));
    }

    // A move over the bare background, the weekday header or the grid puts the
    // reminder back, one over a button shows its hint (as its accessible
    // description: atspi_check.py), one over another control leaves status
    // line 2 alone: through the window, and straight to the widget during a drag.
    void mouseMoveSetsStatusLine2() {
        Folder folder;
        Run run = Shown(folder, QDate(1999, 9, 15));
        QVERIFY(run.Loaded);
        const QString hint = " Click to display ";
        const QList<std::pair<const char*, QString>> targets = {
            {"Client", kReminder}, {"Label3", kReminder}, {"Picture1", kReminder}, {"Combo1", "hint"},
            {"Frame1", "hint"}, {"Label10", "hint"}, {"Command1", hint + "previous month"},
            {"Command3", hint + "next month"}, {"Command4", hint + "current date"},
            {"Command5", hint + "previous year"}, {"Command6", hint + "next year"}};
        for (const auto& [name, expected] : targets) {
            QWidget* target = run.Form->findChild<QWidget*>(name);
            const QPoint at = QByteArray("ClientFrame1").contains(name) ? QPoint(3, 3) : target->rect().center();
            QVERIFY(!target->childAt(at) && !target->childAt(at - QPoint(1, 1)));
            // The first move only gets the pointer onto the widget.
            QTest::mouseMove(run.Form->windowHandle(), target->mapTo(run.Form.get(), at - QPoint(1, 1)));
            run.Label("Label9")->setText("hint");
            QTest::mouseMove(run.Form->windowHandle(), target->mapTo(run.Form.get(), at));
            QCOMPARE(run.Label("Label9")->text(), expected);
            run.Label("Label9")->setText("hint");
            QMouseEvent drag(QEvent::MouseMove, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drag);
            QCOMPARE(run.Label("Label9")->text(), expected);
        }
    }

    // No settings file: the default place, the fixed size and drawing kept when
    // shown; at the close the ten keys, whose place brings the window back there.
    void firstRunWritesSettings() {
        Folder folder;
        Run run = Start(folder, QDate(2010, 5, 5));
        QVERIFY(run.Loaded);
        tovel::Form1& form = *run.Form;
        QCOMPARE(form.pos(), QPoint(20, 20));
        const QImage before = run.Canvas().copy();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.minimumSize() == form.maximumSize() && form.size() == form.minimumSize());
        QCOMPARE(run.Canvas(), before);
        form.move(130, 70);
        QTRY_COMPARE(form.pos(), QPoint(130, 70));
        const QPoint corner = form.frameGeometry().topLeft();
        QVERIFY(!QFileInfo::exists(folder.File("Tovel.ini")));
        QVERIFY(form.close());
        const QStringList saved = KeyLines(folder.Read("Tovel.ini"));  // the values: settings_test.cpp
        QVERIFY(saved.size() == 11 && saved.contains("FormTop=" + QString::number(corner.y() * 15)) &&
                saved.contains("FormLeft=" + QString::number(corner.x() * 15)));
        QVERIFY(run.Messages->isEmpty());
        QCOMPARE(Start(folder, QDate(2010, 5, 5)).Form->pos(), corner);
    }

    // File > Exit and a closed window write Tovel.ini once, in the normal
    // window state only: minimised or maximised the window writes nothing.
    void savedOnceInTheNormalStateOnly_data() {
        Columns<Qt::WindowState, bool, int>({"state", "exitItem", "writes"});
        QTest::newRow("File > Exit") << Qt::WindowNoState << true << 1;
        QTest::newRow("closed") << Qt::WindowNoState << false << 1;
        QTest::newRow("minimised, closed") << Qt::WindowMinimized << false << 0;
        QTest::newRow("maximised, File > Exit") << Qt::WindowMaximized << true << 0;
    }
    void savedOnceInTheNormalStateOnly() {
        QFETCH(Qt::WindowState, state);
        Folder folder;
        folder.Write("Tovel.ini", IniWith("AddWeek=3\r\n"));
        Run run = Shown(folder, QDate(2010, 5, 5));
        QVERIFY(run.Loaded);
        run.Form->setWindowState(state);
        // Every file written or renamed into place in the folder.
        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(inotify_add_watch(watch, folder.Path().toLocal8Bit().constData(), IN_CLOSE_WRITE | IN_MOVED_TO) >= 0);
        QFETCH(bool, exitItem);
        if (exitItem) Do(run, "ProgExit");
        else QVERIFY(run.Form->close());
        int writes = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;)
            for (char* p = buffer; p < buffer + n; p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
                writes += QByteArray(reinterpret_cast<inotify_event*>(p)->name) == "Tovel.ini";
        ::close(watch);
        QTEST(writes, "writes");
        QVERIFY(KeyLines(folder.Read("Tovel.ini")).contains("AddWeek=3"));
    }

    // A damaged settings file, or a folder in its place, before and after the
    // quiet save, which leaves no other file behind. (A saved place read back:
    // firstRunWritesSettings.)
    void settingsAsRead_data() {
        Columns<QByteArray, int>({"content", "addXJ"});
        static const char kNul[] = "[Tovel]\r\nAddXJ=-3\0" "9\r\n";
        QTest::newRow("NUL inside a value") << QByteArray(kNul, sizeof kNul - 1) << -3;
        QTest::newRow("a folder in its place") << QByteArray() << -100;
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
            QCOMPARE(int(run.Form->State().AddYJ), 20);
            QCOMPARE(run.Form->pos(), QPoint(20, 20));
            QVERIFY(run.Form->close());
            QVERIFY(run.Messages->isEmpty());
            QCOMPARE(QDir(folder.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     (QStringList{"RHDates.Tvl", "Tovel.ini"}));
        }
    }

    // The sunset menu lists the tables by file name, each name as written (an
    // ampersand is no access key); a saved location without a table checks
    // nothing and is saved as 0, at the close only. Status line 1 names the
    // location in force, as plain text like every message; an argument other
    // than the pop-up switch is ignored.
    void sunsetMenu_data() {
        // saved: ActiveLocation in the file; click: the item chosen before the close (0: none)
        Columns<int, int, int, int>({"tables", "saved", "active", "click"});
        QTest::newRow("three tables, third active") << 3 << 3 << 3 << 0;
        QTest::newRow("no tables, first saved") << 0 << 1 << 0 << 0;
        QTest::newRow("three tables, none saved, second chosen") << 3 << 0 << 0 << 2;
    }
    void sunsetMenu() {
        QFETCH(int, tables);
        QFETCH(int, active);
        Folder folder;
        // Written out of order; the menu follows the file names.
        const QStringList files = {"c_gamma.sun", "a_alpha.sun", "b_beta.sun"}, names = {"<b>Gamma</b> City", "Alpha & Town", "Beta Ville"};
        for (int i = 0; i < tables; ++i) folder.Write(files[i], SunTable(names[i], i));
        QFETCH(int, saved);
        folder.Write("Tovel.ini", IniWith("ActiveLocation=" + QByteArray::number(saved) + "\r\n"));
        const QDate kippur(1999, 9, 20);
        const auto snapshot = folder.Snapshot();
        Run run = Start(folder, kippur, "/X");
        QVERIFY(run.Loaded && run.Messages->isEmpty());
        const QStringList sorted = {"Alpha & Town", "Beta Ville", "<b>Gamma</b> City"};
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
        QCOMPARE(run.Label("Label9")->text(), kReminder);
        // Rich text would hide the tags and be narrower.
        QVERIFY(run.Label("Label10")->sizeHint().width() >= run.Label("Label10")->fontMetrics().horizontalAdvance(run.Label("Label10")->text()));
        Qt::TextFormat format = Qt::RichText;
        QTimer::singleShot(0, [&format] {
            QMessageBox* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            format = box ? box->textFormat() : format;
            if (box) box->accept();
        });
        tovel::ShowTovelMessage("<b>x</b>");
        QCOMPARE(format, Qt::PlainText);
        QVERIFY(folder.Snapshot() == snapshot);
        QFETCH(int, click);
        if (click) Do(run, QString("Sun%1").arg(click));
        QVERIFY(run.Form->close());
        QVERIFY(KeyLines(folder.Read("Tovel.ini")).contains("ActiveLocation=" + QString::number(click ? click : active)));
    }

    // Each name of the weekday header, as designed and capitalised from the
    // system's names, stands centred over its column of glyphs inside the
    // label; Hebrew names, whose first three letters are all "day", come
    // abbreviated. Buttons without a font of their own and the chooser use the window's.
    void headerOverColumns_data() {
        Columns<QLocale::Language, QLocale::Country, QByteArray, QString>({"language", "country", "ini", "first"});
        QTest::newRow("designed") << QLocale::English << QLocale::UnitedStates << QByteArray() << "Sun";
        QTest::newRow("English") << QLocale::English << QLocale::UnitedStates << QByteArray("CapitalizeDates=1") << "Sun";
        QTest::newRow("French") << QLocale::French << QLocale::France << QByteArray("CapitalizeDates=1") << "Dim";
        QTest::newRow("Hebrew") << QLocale::Hebrew << QLocale::Israel << QByteArray("CapitalizeDates=1")
                                << QLocale(QLocale::Hebrew).dayName(7, QLocale::ShortFormat);
    }
    void headerOverColumns() {
        QFETCH(QLocale::Language, language);
        QFETCH(QLocale::Country, country);
        QFETCH(QByteArray, ini);
        QFETCH(QString, first);
        QLocale::setDefault(QLocale(language, country));
        Folder folder;
        folder.Write("Tovel.ini", IniWith(ini));
        Run run = Start(folder, QDate(1999, 9, 15));
        QVERIFY(run.Loaded);
        QLabel* header = run.Label("Label3");
        QVERIFY(header->text().startsWith(first));
        if (language == QLocale::Hebrew) {  // two words a name: the names differ and fit their columns
            QVERIFY(!header->text().startsWith(first + "    " + first));
            const QFontMetricsF metrics(static_cast<tovel::WeekdayLabel*>(header)->NameFont());
            QVERIFY(metrics.horizontalAdvance(first) <= Px(650) - 4);
            return;
        }
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
        QVERIFY(last < image.width() - 1);  // nothing cut off at the right
        for (int c = 0; c < 7; ++c) {
            const double glyph = run.Grid()->mapTo(run.Form.get(), QPoint(Px(250 + 650 * c) + 10, 0)).x();
            const double name = header->mapTo(run.Form.get(), QPoint(0, 0)).x() + centres[c];
            QVERIFY2(std::abs(name - glyph) <= 3, qPrintable(QString("column %1: %2 against %3").arg(c + 1).arg(name).arg(glyph)));
        }
        for (QWidget* w : {run.Form->findChild<QWidget*>("Command4"), static_cast<QWidget*>(run.Chooser())})
            QVERIFY(w->font().family() == "MS Sans Serif" && w->font().pointSizeF() == 8.25);
    }

    // A missing or damaged year table ends the program with one message, the
    // settings untouched; a day outside the table's years opens its nearest month.
    void yearTableProblems_data() {
        Columns<QByteArray, QDate, QString, QString>({"table", "today", "message", "title"});
        const QString missing = "/RHDates.Tvl not found, application quiting !!";
        QTest::newRow("missing") << QByteArray("none") << QDate(2004, 3, 4) << missing << "";
        QTest::newRow("damaged") << QByteArray("5763 07-Sep-2002\r\n5764 27-Sep-2003\r\n5766 04-Oct-2005\r\n") << QDate(2004, 3, 4)
                                 << "/RHDates.Tvl is damaged: it cannot describe 04-Mar-2004" << "";
        QTest::newRow("after its years") << QByteArray() << QDate(2900, 1, 1)
                                         << "/RHDates.Tvl does not reach 01-Jan-2900; showing the nearest month it covers"
                                         << " Elul  6551";
    }
    void yearTableProblems() {
        QFETCH(QByteArray, table);
        Folder folder(table.isEmpty());
        if (table != "none" && !table.isEmpty()) folder.Write("RHDates.Tvl", table);
        folder.Write("Tovel.ini", IniWith("AddXJ=-90\r\n"));
        const auto snapshot = folder.Snapshot();
        QFETCH(QDate, today);
        Run run = Start(folder, today);
        QCOMPARE(run.Loaded, table.isEmpty());
        QFETCH(QString, message);
        QCOMPARE(*run.Messages, QStringList{folder.Path() + message});
        QTEST(run.Label("Label1")->text(), "title");
        if (!run.Loaded) {
            run.Form->close();
            QCOMPARE(run.Messages->size(), 1);
            QVERIFY(folder.Snapshot() == snapshot);
        }
    }

    // A save through a symbolic link updates the link's target and keeps the
    // link; a named pipe put in the file's place while the program runs is
    // neither read nor replaced. (One there from the start: program_test.cpp.)
    void saveThroughLinkOrPipe() {
        Folder folder, elsewhere;
        elsewhere.Write("real.ini", IniWith("AddXJ=-70\r\n"));
        QVERIFY(QFile::link(elsewhere.File("real.ini"), folder.File("Tovel.ini")));
        Run run = Start(folder, QDate(2004, 3, 4));
        QCOMPARE(int(run.Form->State().AddXJ), -70);
        run.Form->State().AddWeek = 3;
        QVERIFY(run.Form->close());
        QVERIFY(QFileInfo(folder.File("Tovel.ini")).isSymLink());
        QVERIFY(KeyLines(elsewhere.Read("real.ini")).contains("AddWeek=3"));

        Folder piped;
        piped.Write("Tovel.ini", IniWith(""));
        Run second = Start(piped, QDate(2004, 3, 4));
        QVERIFY(QFile::remove(piped.File("Tovel.ini")));
        QCOMPARE(::mkfifo(piped.File("Tovel.ini").toLocal8Bit().constData(), 0600), 0);
        QVERIFY(second.Form->close());
        QVERIFY(!QFileInfo(piped.File("Tovel.ini")).isFile() && second.Messages->isEmpty());
    }

    // A pop-up run of the window and the quick path that runs before any
    // window agree on every day of two years, holidays and fasts included.
    void popupRuleAgreesWithQuickPath() {
        Folder folder;
        Locate(folder);
        int holidays = 0;
        for (QDate day(2020, 9, 1); day < QDate(2022, 9, 1); day = day.addDays(1)) {
            const Run run = Start(folder, day, "/L");
            QVERIFY(!run.Loaded);
            const tovel::Date d = tovel::Date::FromYmd(day.year(), unsigned(day.month()), unsigned(day.day()));
            const std::string path = folder.Path().toStdString();
            const bool quick = tovel::DecidePopup(path, tovel::ProgramFilesFor(path), d) == tovel::PopupOutcome::NeedsWindow;
            QCOMPARE(!run.Messages->isEmpty(), quick);
            holidays += quick;
        }
        QVERIFY(holidays > 2 * 15);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
