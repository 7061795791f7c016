// The main window on the offscreen platform, started as the program starts it, and the SunSet
// menu's "Add location..." and "Remove location...". 1 Tishri 5760 = Saturday 11 September 1999.

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/calendar_lines.h"
#include "app/popup.h"
#include "input/grid.h"
#include "machine_support.h"
#include "views/location_dialogs.h"
#include "window_support.h"

using namespace window_test;

const QColor kInks[] = {kBlack, kRed, kGreen};  // by tovel::Ink

namespace {

QImage CellOnCanvas(const QImage& canvas, QPoint at, int width, int height) {
    return canvas.copy(Px(at.x()), Px(at.y()), width, height).convertToFormat(QImage::Format_RGB32);
}
// The glyph of Jewish day `jewDay` as the committed sheet of `ink` holds it.
QImage SheetGlyph(int jewDay, tovel::Ink ink) {
    const QString sheet = QStringList{"black", "red", "green"}[int(ink)];
    const QImage all = QImage(TOVEL_VIEWS_DIR "/glyphs_" + sheet + ".png");
    return all.convertToFormat(QImage::Format_RGB32).copy((jewDay - 1) * 20, 0, 20, 20);
}
// The first dark column of the number under a glyph, or < 0 unless all its ink (tints too) is of
// the day's hue, and a coloured ink not grey alone.
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

// The SunSet menu's items.
QStringList Listed(const Run& run) {
    QStringList out;
    for (int i = 1; i <= 10; ++i)
        if (QAction* item = run.Action("Sun" + QString::number(i)); item->isVisible())
            out << item->text() + (item->isChecked() ? "*" : "");
    return out;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The grid (its layout: input/grid_test.cpp) on Yom Kippur 5760 with own corrections, then in
    // Heshvan: each glyph from its ink's sheet over its number in that ink, further right from 10.
    void grid() {
        Folder folder;
        folder.Write("Tovel.ini", IniWith("AddXJ=-40\r\nAddYJ=35\r\n"));
        Run run = Shown(folder, QDate(1999, 9, 20));
        QVERIFY(run.Loaded);
        // The marker at 860, 1075 twips, 530 x 470, then three rows up in Heshvan.
        for (const QRect& marker : {QRect(57, 72, 35, 31), QRect(57, 12, 35, 31)}) {
            for (const tovel::DayCell& cell : tovel::MonthCells(run.Form->State())) {
                const QPoint at(cell.X, cell.Y);
                QCOMPARE(CellOnCanvas(run.Canvas(), at, 20, 20), SheetGlyph(cell.Day, cell.Colour));
                const int start = NumberInkStart(run.Canvas(), at, kInks[int(cell.Colour)]);
                const QString day = QString("day %1: %2").arg(cell.Day).arg(start);
                QVERIFY2(start >= 0 && (cell.Day >= 10 ? start >= 5 : start <= 4), qPrintable(day));
            }
            QCOMPARE(run.Marker()->geometry(), marker);
            QVERIFY(run.Marker()->isVisible());
            Do(run, "Down, Down, Down");
        }
    }

    // A move (through the window, or to the widget in a drag) over the background, header or grid
    // shows the reminder, over a button its hint, over another control leaves status line 2.
    void mouseMoveSetsStatusLine2() {
        Folder folder;
        Run run = Shown(folder, QDate(1999, 9, 15));
        QVERIFY(run.Loaded);
        const QString hint = " Click to display ";
        const QList<std::pair<const char*, QString>> targets = {
            {"Client", kReminder},
            {"Label3", kReminder},
            {"Picture1", kReminder},
            {"Combo1", "hint"},
            {"Frame1", "hint"},
            {"Label10", "hint"},
            {"Command1", hint + "previous month"},
            {"Command3", hint + "next month"},
            {"Command4", hint + "current date"},
            {"Command5", hint + "previous year"},
            {"Command6", hint + "next year"}};
        for (const auto& [name, expected] : targets) {
            QWidget* target = run.Form->findChild<QWidget*>(name);
            const bool inCorner = QByteArray("ClientFrame1").contains(name);
            const QPoint at = inCorner ? QPoint(3, 3) : target->rect().center();
            QVERIFY(!target->childAt(at) && !target->childAt(at - QPoint(1, 1)));
            // The first move only gets the pointer onto the widget.
            const QPoint before = target->mapTo(run.Form.get(), at - QPoint(1, 1));
            QTest::mouseMove(run.Form->windowHandle(), before);
            run.Label("Label9")->setText("hint");
            QTest::mouseMove(run.Form->windowHandle(), target->mapTo(run.Form.get(), at));
            QCOMPARE(run.Label("Label9")->text(), expected);
            run.Label("Label9")->setText("hint");
            QMouseEvent drag(QEvent::MouseMove, QPointF(at), QPointF(target->mapToGlobal(at)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drag);
            QCOMPARE(run.Label("Label9")->text(), expected);
        }
    }

    // No settings, a damaged file or a folder in its place: the defaults (20, 20) before and after
    // the quiet save, made once by File > Exit or a close in the normal state only, no file left;
    // size and drawing kept when shown. A new file has eleven keys, whose place brings the window
    // back; one through a link updates its target (renamed there); a pipe put there is left alone.
    void settings_data() {
        Columns<QByteArray, int, Qt::WindowState, bool, int>(
            {"content", "addXJ", "state", "exitItem", "writes"});
        const QByteArray nul("[Tovel]\r\nAddXJ=-3\0009\r\n", 21), week = IniWith("AddWeek=3");
        const auto normal = Qt::WindowNoState, min = Qt::WindowMinimized, max = Qt::WindowMaximized;
        QTest::newRow("none, closed") << QByteArray("none") << -100 << normal << false << 1;
        QTest::newRow("NUL in a value, File > Exit") << nul << -3 << normal << true << 1;
        QTest::newRow("a folder in its place") << QByteArray() << -100 << normal << false << 0;
        QTest::newRow("minimised, closed") << week << -100 << min << false << 0;
        QTest::newRow("maximised, File > Exit") << week << -100 << max << true << 0;
        QTest::newRow("through a link") << QByteArray("link") << -70 << normal << false << 0;
        QTest::newRow("a pipe put in place") << QByteArray("pipe") << -100 << normal << false << 0;
    }
    void settings() {
        QFETCH(QByteArray, content);
        Folder folder, elsewhere;
        elsewhere.Write("real.ini", IniWith("AddXJ=-70\r\n"));
        if (content.isNull()) QVERIFY(QDir(folder.Path()).mkdir("Tovel.ini"));
        if (content == "link")
            QVERIFY(QFile::link(elsewhere.File("real.ini"), folder.File("Tovel.ini")));
        if (!QByteArray("nonelinkpipe").contains(content)) folder.Write("Tovel.ini", content);
        QPoint corner(20, 20);
        for (int pass = 0; pass < 2; ++pass) {
            Run run = Start(folder, QDate(2004, 3, 4));
            QVERIFY(run.Loaded);
            QTEST(int(run.Form->State().AddXJ), "addXJ");
            QCOMPARE(int(run.Form->State().AddYJ), 20);
            QCOMPARE(run.Form->pos(), corner);
            tovel::Form1& form = *run.Form;
            const QImage before = run.Canvas().copy();
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QCOMPARE(form.minimumSize(), form.maximumSize());
            QCOMPARE(form.size(), form.minimumSize());
            QCOMPARE(run.Canvas(), before);
            if (content == "none" && pass == 0) {
                form.move(130, 70);
                QTRY_COMPARE(form.pos(), QPoint(130, 70));
                corner = form.frameGeometry().topLeft();
                QVERIFY(!QFileInfo::exists(folder.File("Tovel.ini")));
            }
            QFETCH(Qt::WindowState, state);
            QFETCH(bool, exitItem);
            if (pass == 0) form.setWindowState(state);
            if (content == "pipe" && pass == 0)
                QCOMPARE(::mkfifo(folder.File("Tovel.ini").toLocal8Bit().constData(), 0600), 0);
            // Each save renames a new Tovel.ini into place: one event each, all of one size.
            const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
            const QByteArray path = folder.Path().toLocal8Bit();
            QVERIFY(inotify_add_watch(watch, path.constData(), IN_MOVED_TO) >= 0);
            QVERIFY(pass == 0 && exitItem ? (Do(run, "ProgExit"), true) : form.close());
            alignas(inotify_event) char events[4096];
            const auto n = ::read(watch, events, sizeof events);
            const auto* first = reinterpret_cast<inotify_event*>(events);
            ::close(watch);
            if (pass == 0)
                QTEST(n > 0 ? int(n / (sizeof(inotify_event) + first->len)) : 0, "writes");
            QCOMPARE(*run.Messages, QStringList());
            const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
            QCOMPARE(QDir(folder.Path()).entryList(all), (QStringList{"RHDates.Tvl", "Tovel.ini"}));
            if (content == "none") QCOMPARE(KeyLines(folder.Read("Tovel.ini")).size(), 11);
            if (content == "link") QCOMPARE(KeyLines(elsewhere.Read("real.ini")).size(), 11);
            QCOMPARE(QFileInfo(folder.File("Tovel.ini")).isSymLink(), content == "link");
        }
    }

    // The sunset menu lists the tables by file name, names as written (no access keys); a saved
    // location without a table checks nothing and is saved as 0 at the close. Status line 1 names
    // the location in force, as plain text like every message; other arguments than /L are ignored.
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
        const QStringList files = {"c_gamma.sun", "a_alpha.sun", "b_beta.sun"};
        const QStringList sorted = {"Alpha & Town", "Beta Ville", "<b>Gamma</b> City"};
        for (int i = 0; i < tables; ++i) folder.Write(files[i], SunTable(sorted[(i + 2) % 3], i));
        QFETCH(int, saved);
        folder.Write("Tovel.ini", IniWith("ActiveLocation=" + QByteArray::number(saved) + "\r\n"));
        const QDate kippur(1999, 9, 20);
        const auto snapshot = folder.Snapshot();
        Run run = Start(folder, kippur, "/X");
        QVERIFY(run.Loaded);
        QCOMPARE(*run.Messages, QStringList());
        for (int i = 1; i <= 11; ++i) {
            QAction* item = run.Action(QString("Sun%1").arg(i));
            QCOMPARE(item->isVisible(), tables == 0 ? i == 1 : i <= tables);
            if (i <= tables) QCOMPARE(item->iconText(), sorted[i - 1]);
            QVERIFY(QKeySequence::mnemonic(item->text()).isEmpty());
            QCOMPARE(item->isChecked(), i == active);
        }
        const int shifts[] = {1, 2, 0};  // of the table written under each sorted name
        QLabel* status = run.Label("Label10");
        QCOMPARE(status->text(), active == 0 ? QString("Yom Kippur")
                                             : "Yom Kippur - sun sets in " + sorted[active - 1] +
                                                   " at " + SunText(kippur, shifts[active - 1]));
        QCOMPARE(run.Label("Label9")->text(), kReminder);
        // Rich text would hide the tags and be narrower.
        QVERIFY(status->sizeHint().width() >=
                QFontMetrics(status->font()).horizontalAdvance(status->text()));
        Qt::TextFormat format = Qt::RichText;
        QTimer::singleShot(0, [&format] {
            QMessageBox* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            format = box ? box->textFormat() : format;
            if (box) box->accept();
        });
        tovel::ShowTovelMessage("<b>x</b>");
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(folder.Snapshot(), snapshot);
        QFETCH(int, click);
        if (click) Do(run, QString("Sun%1").arg(click));
        QVERIFY(run.Form->close());
        const QString location = "ActiveLocation=" + QString::number(click ? click : active);
        QVERIFY(KeyLines(folder.Read("Tovel.ini")).contains(location));
    }

    // The weekday header as designed, or from the system's names capitalised (CapitalizeDates=1
    // only), centred over the glyph columns, Hebrew ones (all starting "day") abbreviated to fit;
    // the title lines in the system's language in both views, capitalised likewise.
    void headerAndTitles_data() {
        Columns<QLocale, QByteArray, QString, QString, QString>(
            {"locale", "ini", "header", "months", "day"});
        const auto row = [](const char* name, QLocale locale, QByteArray ini, QString header,
                            QString months, QString day) {
            QTest::newRow(name) << locale << ini << header << months << day;
        };
        const QLocale en(QLocale::English, QLocale::UnitedStates), he(QLocale::Hebrew);
        const QLocale fr(QLocale::French, QLocale::France);
        const QByteArray caps = "CapitalizeDates=1", two = "CapitalizeDates=2";
        const QString us = "Sun    Mon    Tue    Wed    Thu    Fri    Sat";
        const QString en1 = "Sun     Mon    Tue     Wed    Thu     Fri    Sat     ";
        const QString fr1 = "Dim     Lun    Mar     Mer    Jeu     Ven    Sam     ";
        row("English", en, caps, en1, "December 2024 / January 2025", "10-December-2024");
        row("French", fr, caps, fr1, "Décembre 2024 / Janvier 2025", "10-décembre-2024");
        row("French, not 1", fr, two, us, "décembre 2024 / janvier 2025", "10-décembre-2024");
        row("Hebrew", he, caps, he.dayName(7, QLocale::ShortFormat), "", "");
    }
    void headerAndTitles() {
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, ini);
        QFETCH(QString, header);
        QFETCH(QString, months);
        QLocale::setDefault(locale);
        Folder folder;
        folder.Write("Tovel.ini", IniWith(ini));
        Run run = Start(folder, QDate(2024, 12, 10));  // 1 Tevet is 1 January
        QVERIFY(run.Loaded);
        QLabel* label = run.Label("Label3");
        QVERIFY(label->text().startsWith(header));
        QCOMPARE(run.Label("Label1")->text(), QString(" Kislev  5785"));
        // The centre of each column's glyphs, on the window, where the grid shows them.
        QList<double> glyphs(7);
        for (const tovel::DayCell& cell : tovel::MonthCells(run.Form->State()))
            glyphs[cell.Column - 1] = run.Grid()->mapTo(run.Form.get(), QPoint(Px(cell.X), 0)).x();
        if (months.isEmpty()) {  // Hebrew: two words a name; they differ and fit their columns
            QVERIFY(!label->text().startsWith(header + "    " + header));
            const QFontMetricsF metrics(static_cast<tovel::WeekdayLabel*>(label)->NameFont());
            QVERIFY(metrics.horizontalAdvance(header) <= glyphs[1] - glyphs[0] - 4);
            return;
        }
        const QImage image = label->grab().toImage();
        QList<double> centres;
        int start = -1, last = -10;
        for (int x = 0; x < image.width(); ++x) {
            bool ink = false;
            for (int y = 0; y < image.height(); ++y)
                ink |= image.pixelColor(x, y).lightness() < 128;
            if (!ink) continue;
            if (x - last > 6 && start >= 0) centres << (start + last) / 2.0;
            if (x - last > 6) start = x;
            last = x;
        }
        centres << (start + last) / 2.0;
        QCOMPARE(centres.size(), 7);
        QVERIFY(last < image.width() - 1);  // nothing cut off at the right
        for (int c = 0; c < 7; ++c) {
            const double name = label->mapTo(run.Form.get(), QPoint(0, 0)).x() + centres[c];
            QVERIFY2(std::abs(name - glyphs[c] - 10) <= 3, qPrintable(QString::number(name)));
        }
        // Buttons without a font of their own and the chooser use the window's.
        for (QWidget* w : {run.Form->findChild<QWidget*>("Command4"), (QWidget*)run.Chooser()}) {
            QCOMPARE(w->font().family(), QString("MS Sans Serif"));
            QCOMPARE(w->font().pointSizeF(), 8.25);
        }
        QCOMPARE(run.Label("Label2")->text(), months);
        Do(run, "GregorianMnu");
        QCOMPARE(run.Label("Label1")->text(), months.section(' ', 0, 0) + "  2024");
        QTEST(run.Label("Label10")->text(), "day");
        QCOMPARE(tovel::Capitalized("sAMEDI"), QString("Samedi"));
    }

    // A damaged year table ends the program with one message and no save at the close (a missing
    // one: program_test.cpp); a day outside the table's years opens its nearest month.
    void yearTableProblems() {
        const QByteArray damaged = "5763 07-Sep-2002\r\n5764 27-Sep-2003\r\n5766 04-Oct-2005\r\n";
        const QString nearest = " does not reach 01-Jan-2900; showing the nearest month it covers";
        for (const bool later : {false, true}) {
            Folder folder(later);
            if (!later) folder.Write("RHDates.Tvl", damaged);
            folder.Write("Tovel.ini", IniWith("AddXJ=-90\r\n"));
            const auto snapshot = folder.Snapshot();
            Run run = Start(folder, later ? QDate(2900, 1, 1) : QDate(2004, 3, 4));
            QCOMPARE(run.Loaded, later);
            const QString message = later ? nearest : " is damaged: it cannot describe 04-Mar-2004";
            QCOMPARE(*run.Messages, QStringList{folder.File("RHDates.Tvl") + message});
            QCOMPARE(run.Label("Label1")->text(), later ? " Elul  6551" : "");
            if (later) continue;
            run.Form->close();
            QCOMPARE(run.Messages->size(), 1);
            QCOMPARE(folder.Snapshot(), snapshot);
        }
    }

    // Options > Announce holidays at login shows the entry it finds in $XDG_CONFIG_HOME/autostart
    // at start and when the menu opens, and writes or removes it. An installed program's entry runs
    // it through <prefix>/bin; a folder in the entry's place is reported and stays. Its hint goes
    // to status line 2 like a button's.
    void loginItem_data() {
        Columns<bool, QByteArray, bool>({"installed", "found", "checked"});
        const QByteArray entry = "[Desktop Entry]\nType=Application\nName=T\nExec=tovel /L\n";
        QTest::newRow("none") << false << QByteArray() << false;
        QTest::newRow("found, installed") << true << entry << true;
        QTest::newRow("hidden") << false << entry + "Hidden=true\n" << false;
        QTest::newRow("disabled") << true << entry + "X-GNOME-Autostart-enabled=false\n" << false;
        QTest::newRow("a folder") << false << QByteArray("<folder>") << false;
    }
    void loginItem() {
        QFETCH(bool, installed);
        QFETCH(QByteArray, found);
        QFETCH(bool, checked);
        const bool folder = found == "<folder>";
        Folder prefix(false), config(false);
        const QString data = installed ? "share/tovel" : "lib/tovel";
        for (const QString& sub : QStringList{"lib/tovel", "bin", data})
            QDir(prefix.Path()).mkpath(sub);
        QFile::copy(TOVEL_DATA_DIR "/RHDates.Tvl", prefix.File(data + "/RHDates.Tvl"));
        prefix.Write("lib/tovel/tovel", "");
        QFile::link("../lib/tovel/tovel", prefix.File("bin/tovel"));
        qputenv("XDG_CONFIG_HOME", config.Path().toLocal8Bit());
        const QString entry = "autostart/org.tovel.Tovel-login.desktop";
        QDir(config.Path()).mkpath(folder ? entry : "autostart");
        if (!found.isNull() && !folder) config.Write(entry, found);
        const Run run = Start(prefix.File("lib/tovel"), QDate(1999, 9, 15));
        QVERIFY2(run.Loaded, qPrintable(run.Messages->join('\n')));
        QAction* item = run.Action("LoginMnu");
        QCOMPARE(item->isChecked(), checked);
        item->trigger();
        QCOMPARE(item->isChecked(), !checked && !folder);
        const QString program = prefix.File(installed ? "bin/tovel" : "lib/tovel/tovel");
        QCOMPARE(config.Read(entry).contains("\nExec=" + program.toUtf8() + " /L\n"),
                 item->isChecked());
        QCOMPARE(run.Messages->size(), folder ? 1 : 0);
        // Changed by someone else: the menu shows it when it opens.
        checked ? config.Write(entry, "[Desktop Entry]\nExec=x\n")
                : void(QFile::remove(config.File(entry)));
        QMetaObject::invokeMethod(run.Form->findChild<QMenu*>("OptionsMnu"), "aboutToShow");
        QCOMPARE(item->isChecked(), checked && !folder);
        qunsetenv("XDG_CONFIG_HOME");
        item->showStatusText(run.Form.get());
        QCOMPARE(run.Label("Label9")->text(),
                 " Click to announce the day's holiday each time you log in");
    }

    // A pop-up run shows no window and announces today's holiday only with an active location (the
    // quick path's rule: settings_test.cpp; the program's own run: program_test.cpp).
    void popup() {
        for (const bool located : {true, false}) {
            Folder folder;
            if (located) Locate(folder);
            const Run run = Start(folder, QDate(2021, 9, 16), "/L");  // Yom Kippur 5782
            QVERIFY(!run.Loaded);
            QCOMPARE(*run.Messages, located ? QStringList{"Today is Yom Kippur"} : QStringList());
        }
    }

    // A town found by its first letters, picked, made and made active; a table added before the
    // active one in the menu keeps that one active after a restart; a user's table removed, a
    // shipped one never offered.
    void addPickRestartRemove() {
        if (const auto why = tovel::test::WhyNotZoneRules("Europe/London", 2026, {329, 1025});
            !why.empty())
            QSKIP(why.c_str());
        Folder folder;
        Locate(folder);  // home.sun, active
        QFile::copy(TOVEL_DATA_DIR "/Jerusalem.sun", folder.File("Jerusalem.sun"));
        {
            Run run = Start(folder, QDate(2026, 6, 21));
            run.Action("AddLocationItem")->trigger();
            QDialog* dialog = Shown(run, "AddLocation");
            QTest::keyClicks(In<QLineEdit>(dialog, "Search"), "edINB");
            QListWidget* matches = In<QListWidget>(dialog, "Matches");
            QVERIFY(matches && matches->count() > 0);
            QCOMPARE(matches->item(0)->text(), QString("Edinburgh, Scotland, United Kingdom"));
            matches->setCurrentRow(0);
            QCOMPARE(In<QLineEdit>(dialog, "Zone")->text(), QString("Europe/London"));
            Ok(dialog);
            const QByteArray table = folder.Read("Edinburgh.sun");
            QVERIFY(table.startsWith("Edinburgh\r\n Jan  1  3:") &&
                    table.endsWith("\r\nZone Europe/London 2026\r\n"));
            QCOMPARE(Listed(run), QStringList({"Edinburgh*", "Jerusalem", "Home"}));
            QVERIFY2(run.Label("Label10")->text().startsWith("Sun sets in Edinburgh at  22:0"),
                     qPrintable(run.Label("Label10")->text()));  // 22:03 BST
            run.Action("Sun3")->trigger();  // Home again, now third in the menu
            QVERIFY(run.Form->close());
            QVERIFY(run.Messages->isEmpty());
        }
        folder.Write("Aachen.sun",
                     SunTable("Aachen", 3));  // sorts first: the third item is now Jerusalem
        Run run = Start(folder, QDate(2026, 6, 21));
        QCOMPARE(Listed(run), QStringList({"Aachen", "Edinburgh", "Jerusalem", "Home*"}));
        run.Action("RemoveLocationItem")->trigger();
        QDialog* dialog = Shown(run, "RemoveLocation");
        QListWidget* tables = In<QListWidget>(dialog, "Tables");
        QVERIFY(tables);
        QCOMPARE(tables->count(), 3);  // not Jerusalem, shipped
        QCOMPARE(tables->item(1)->text(), QString("Edinburgh"));
        tables->setCurrentRow(1);
        Ok(dialog);
        QVERIFY(!QFile::exists(folder.File("Edinburgh.sun")));
        QCOMPARE(*run.Messages, QStringList("? Remove the location Edinburgh? Its table " +
                                            folder.File("Edinburgh.sun") + " is deleted."));
        QCOMPARE(Listed(run), QStringList({"Aachen", "Jerusalem", "Home*"}));
    }

    // Places the maker refuses keep the dialog open with its message, and write nothing.
    void refusedPlaces() {
        if (const auto why = tovel::test::WhyNotZoneRules("Europe/Oslo", 2026, {329, 1025});
            !why.empty())
            QSKIP(why.c_str());
        Folder folder;
        Locate(folder);
        Run run = Start(folder, QDate(2026, 1, 5));
        const auto before = folder.Snapshot();
        run.Action("AddLocationItem")->trigger();
        QDialog* dialog = Shown(run, "AddLocation");
        const char* fields[] = {"PlaceName", "Latitude", "Longitude", "Zone"};
        const QString polar = "no table for Tromso: on Jan 1 2026 the sun does not rise";
        const QStringList rows[] = {
            // the fields, then the message
            {"X", "91", "0", "UTC", "the latitude '91' is not a decimal number"},
            {"Tromso", "69.6492", "18.9553", "Europe/Oslo", polar},
            {"X", "1", "2", "Mars/Olympus", "unknown time zone 'Mars/Olympus'"},
            {"", "1", "2", "UTC", "the location name is empty"},
        };
        for (const QStringList& row : rows) {
            for (int i = 0; i < 4; ++i) In<QLineEdit>(dialog, fields[i])->setText(row[i]);
            Ok(dialog);
            QCOMPARE(run.Messages->size(), 1);
            const QString said = run.Messages->takeFirst();
            QVERIFY2(said.contains(row[4]), qPrintable(said));
            QVERIFY(dialog->isVisible());
            QCOMPARE(folder.Snapshot(), before);
        }
    }

    // With ten tables listed "Add location..." says so and opens nothing.
    void tenLocationsRefused() {
        Folder folder;
        for (int i = 0; i < 10; ++i) folder.Write(QString("t%1.sun").arg(i), SunTable("Town", i));
        Run run = Start(folder, QDate(2026, 1, 5));
        run.Action("AddLocationItem")->trigger();
        QVERIFY(!Shown(run, "AddLocation"));
        QCOMPARE(run.Messages->size(), 1);
        QVERIFY(run.Messages->first().startsWith("The SunSet menu lists ten locations"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
