// File > Print..., Export PDF... and Export holidays..., driven as a user drives them, and the
// printed pages read back by poppler-utils (pdftotext, pdftoppm, pdfinfo).

#include "views/print_dialogs.h"
#include "views/print_pages.h"
#include "window_support.h"

#include <QPrintDialog>
#include <QPrinter>

#include "engine/year_table.h"

using namespace window_test;
using tovel::PrintLayout;

namespace {

const QString kNoPoppler = "poppler-utils missing: skipped";

bool HavePoppler() {
    for (const char* tool : {"pdftotext", "pdftoppm", "pdfinfo"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) return false;
    return true;
}
QString Output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
QImage PageImage(const QString& pdf, int dpi) {
    Output("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, pdf});
    return QImage(pdf + ".png").convertToFormat(QImage::Format_RGB32);
}
// The days from `first` to `last` whose status line shows a holiday, as the Jewish view shows
// them: "Thu 26 Dec 2024" and the text. The view is left on `first`'s month.
QList<QPair<QString, QString>> StatusLineHolidays(const Run& run, QDate first, QDate last) {
    QList<QPair<QString, QString>> out;
    tovel::CalendarState& s = run.Form->State();
    for (QDate d = last; d >= first; d = d.addDays(-1)) {
        s.SelDate = tovel::Date::FromYmd(d.year(), d.month(), d.day());
        run.Form->FindGDate();
        run.Form->FillPicture();
        if (const QString text = run.Label("Label10")->text(); !text.isEmpty())
            out.prepend({QLocale().toString(d, "ddd d MMM yyyy"), text});
    }
    return out;
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The File menu: access keys apart, each new item's hint in the status line, and each opens
    // its dialog, which has an accessible name; Print... offers the preview and the print dialog,
    // which prints the page (to a PDF file here, the machine having no printer).
    void menuItemsOpenTheirDialogs() {
        Folder folder;
        Run run = Start(folder, QDate(2024, 12, 20));
        QString keys;
        for (QAction* a : run.Form->findChild<QMenu*>("File")->actions())
            if (const int amp = a->text().indexOf('&'); amp >= 0)
                keys += a->text()[amp + 1].toLower();
        QCOMPARE(QSet<QChar>(keys.begin(), keys.end()).size(), keys.size());
        const struct {
            const char* item;
            const char* dialog;
        } items[] = {{"PrintItem", "Print"},
                     {"ExportPdfItem", "ExportPdf"},
                     {"ExportHolidaysItem", "ExportHolidays"}};
        for (const auto& i : items) {
            QAction* action = run.Action(i.item);
            QVERIFY(action->text().contains('&'));
            action->showStatusText(run.Form.get());
            QVERIFY(action->statusTip().startsWith("Click to "));
            QCOMPARE(run.Label("Label9")->text(), " " + action->statusTip());
            const QLabel* hint = run.Label("Label9");
            QVERIFY(QFontMetrics(hint->font()).horizontalAdvance(hint->text()) < hint->width());
            action->trigger();
            QDialog* dialog = Shown(run, i.dialog);
            QVERIFY2(dialog, i.dialog);
            QVERIFY(!dialog->accessibleName().isEmpty());
            for (QWidget* w : dialog->findChildren<QWidget*>(
                     QRegularExpression("^(This|File|Paper|FirstYear|LastYear)")))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (QByteArray(i.dialog) != "Print") {
                dialog->reject();
                continue;
            }
            for (const char* button : {"Preview", "PrintButton"}) {
                if (!Shown(run, "Print")) action->trigger();
                In<QPushButton>(Shown(run, "Print"), button)->click();
                QDialog* next =
                    Shown(run, QByteArray(button) == "Preview" ? "PrintPreview" : "PrintDialog");
                QVERIFY2(next && !Shown(run, "Print"), button);
                auto* print = qobject_cast<QPrintDialog*>(next);
                if (!print) {
                    next->reject();
                    continue;
                }
                auto* printers = print->findChild<QComboBox*>("printers");
                printers->setCurrentIndex(printers->findText("Print to File (PDF)"));
                print->findChild<QLineEdit*>("filename")->setText(folder.File("printed.pdf"));
                print->accept();
                QVERIFY(folder.Read("printed.pdf").startsWith("%PDF"));
                if (HavePoppler())  // the shown month, printed through the printer's page
                    QVERIFY(
                        Output("pdftotext", {folder.File("printed.pdf"), "-"}).contains("Kislev"));
            }
        }
        QVERIFY(run.Messages->isEmpty());
    }

    // A page saved through Export PDF...: one page of the paper chosen, the titles and every
    // holiday of the period with its day in its text, and nothing in the margins.
    void pdfPages_data() {
        Columns<QDate, bool, QString, bool, QString, QDate, QDate, QStringList>(
            {"today", "gregorian", "steps", "year", "paper", "first", "last", "titles"});
        QTest::newRow("Kislev 5785, A4")
            << QDate(2024, 12, 20) << false << "" << false << "A4" << QDate(2024, 12, 2)
            << QDate(2024, 12, 31) << QStringList{"Kislev 5785", "December 2024 / January 2025"};
        QTest::newRow("October 2024 in the Gregorian view, Letter")
            << QDate(2024, 10, 20) << true << "" << false << "US Letter" << QDate(2024, 10, 1)
            << QDate(2024, 10, 31) << QStringList{"October 2024", "Week 43"};
        QTest::newRow("the leap year 5784, 13 months, Letter")
            << QDate(2024, 3, 21) << false << "" << true << "US Letter" << QDate(2023, 9, 16)
            << QDate(2024, 10, 2)
            << QStringList{"Jewish year 5784", "Adar I 5784", "Adar II 5784", "Elul 5784"};
        QTest::newRow("the Gregorian view prints the year of its selected day, A4")
            << QDate(2024, 9, 20) << true << "Down, Down" << true << "A4" << QDate(2024, 10, 3)
            << QDate(2025, 9, 22) << QStringList{"Jewish year 5785", "Tishri 5785"};
    }
    void pdfPages() {
        QFETCH(QDate, today);
        QFETCH(bool, gregorian);
        QFETCH(QString, steps);
        QFETCH(bool, year);
        QFETCH(QString, paper);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(QStringList, titles);
        if (!HavePoppler()) QSKIP(qPrintable(kNoPoppler));
        Folder folder;
        Run run = Start(folder, today);
        const auto holidays = StatusLineHolidays(run, first, last);
        QVERIFY(!holidays.isEmpty());
        Do(run, "Today");
        if (gregorian) Do(run, "GregorianMnu, " + steps);
        folder.Write("page.pdf", "an older file");  // replaced after a question
        run.Action("ExportPdfItem")->trigger();
        QDialog* dialog = Shown(run, "ExportPdf");
        In<QRadioButton>(dialog, year ? "ThisYear" : "ThisMonth")->setChecked(true);
        In<QComboBox>(dialog, "Paper")->setCurrentText(paper);
        In<QLineEdit>(dialog, "File")->setText(folder.File("page.pdf"));
        Ok(dialog);
        QCOMPARE(*run.Messages,
                 QStringList("? " + folder.File("page.pdf") + " exists. Replace it?"));

        const QString info = Output("pdfinfo", {folder.File("page.pdf")});
        QVERIFY2(info.contains(QRegularExpression("Pages: +1\n")), qPrintable(info));
        QVERIFY(info.contains(paper == "A4" ? "595 x 842 pts (A4)" : "612 x 792 pts (letter)"));
        const QString text = Output("pdftotext", {"-layout", folder.File("page.pdf"), "-"});
        const QString words = text.simplified();
        for (const QString& title : titles) QVERIFY2(words.contains(title), qPrintable(title));
        for (const auto& [day, holiday] : holidays) {
            const QString pattern =
                QRegularExpression::escape(day) + "[^\n]*" + QRegularExpression::escape(holiday);
            QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(day + " " + holiday));
        }
        // Nothing within 14 mm of the paper's edges (the margins are 15 mm).
        const QImage page = PageImage(folder.File("page.pdf"), 50);
        const int margin = 14 * 50 * 10 / 254;
        QVERIFY(page.width() > 400);
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (x < margin || y < margin || x >= page.width() - margin ||
                    y >= page.height() - margin)
                    QVERIFY2(page.pixel(x, y) == qRgb(255, 255, 255),
                             qPrintable(QString("ink at %1,%2").arg(x).arg(y)));
    }

    // The numerals of a month page and of a year page, as the page's image shows them at 150
    // dots per inch, match the numerals drawn at that size in their squares, and do not match the
    // numeral of another day.
    void numeralsInTheirSquares() {
        if (!HavePoppler()) QSKIP(qPrintable(kNoPoppler));
        Folder folder;
        Run run = Start(folder, QDate(2024, 12, 20));
        const tovel::YearTable table =
            tovel::ReadYearTable(folder.File("RHDates.Tvl").toStdString());
        for (const PrintLayout layout : {PrintLayout::Month, PrintLayout::JewishYear}) {
            const tovel::CalendarPage page(layout, run.Form->State(), table, {});
            std::vector<tovel::PaintedGlyph> glyphs;
            folder.Write("n.pdf", tovel::PagePdf(page, QPageSize::A4, &glyphs));
            const double dpi = 150, k = dpi / 72;
            const QImage image = PageImage(folder.File("n.pdf"), static_cast<int>(dpi));
            QCOMPARE(glyphs.size(), std::size_t{layout == PrintLayout::Month ? 30u : 355u});
            std::map<tovel::Ink, int> seen;
            for (std::size_t i = 0; i < glyphs.size(); i += 4) {
                const tovel::PaintedGlyph& g = glyphs[i];
                ++seen[g.Colour];
                const QRectF square(g.Cell.x() * k, g.Cell.y() * k, g.Cell.width() * k,
                                    g.Cell.height() * k);
                // The letters and the bar: the Gregorian number may begin under the bar.
                const QRect area =
                    QRectF(square.x(), square.y(), square.width(), square.height() * 0.9)
                        .toAlignedRect();
                auto differs = [&](int day) {
                    QImage drawn(area.size(), QImage::Format_RGB32);
                    drawn.fill(Qt::white);
                    QPainter p(&drawn);
                    p.translate(-area.topLeft());
                    tovel::PaintNumeral(p, day, g.Colour, square);
                    p.end();
                    // Differences against the ink drawn: 0 for the same picture.
                    double sum = 0, ink = 0;
                    for (int y = area.top(); y <= area.bottom(); ++y)
                        for (int x = area.left(); x <= area.right(); ++x) {
                            const QRgb a = image.pixel(x, y);
                            const QRgb b = drawn.pixel(x - area.left(), y - area.top());
                            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                                   std::abs(qBlue(a) - qBlue(b));
                            ink += 765 - qRed(b) - qGreen(b) - qBlue(b);
                        }
                    return sum / ink;
                };
                const double own = differs(g.Day), other = differs((g.Day + 14) % 30 + 1);
                QVERIFY2(
                    own < 0.25 && other > 3 * own,
                    qPrintable(QString("day %1: %2 against %3").arg(g.Day).arg(own).arg(other)));
            }
            QCOMPARE(seen.size(),
                     std::size_t{3});  // black, Saturday and holiday numerals among them
        }
    }

    // Export holidays...: this year and the next by default, written whole; a file that cannot be
    // written gets a message naming it and leaves nothing behind.
    void exportHolidays() {
        Folder folder;
        Locate(folder);  // a location: the events say when the sun sets
        Run run = Start(folder, QDate(2024, 12, 20));
        run.Action("ExportHolidaysItem")->trigger();
        QDialog* dialog = Shown(run, "ExportHolidays");
        QCOMPARE(In<QSpinBox>(dialog, "FirstYear")->value(), 5785);
        QCOMPARE(In<QSpinBox>(dialog, "LastYear")->value(), 5786);
        QCOMPARE(In<QSpinBox>(dialog, "FirstYear")->minimum(), 5562);
        QCOMPARE(In<QSpinBox>(dialog, "LastYear")->maximum(), 6551);
        QVERIFY(In<QLineEdit>(dialog, "File")->text().endsWith("/jewish-holidays-5785-5786.ics"));
        const QString missing = folder.File("no such folder/h.ics");
        In<QLineEdit>(dialog, "File")->setText(missing);
        Ok(dialog);
        QCOMPARE(run.Messages->size(), 1);
        QVERIFY2(run.Messages->first().startsWith(missing + ": "),
                 qPrintable(run.Messages->first()));
        QVERIFY(dialog->isVisible());
        const auto before = folder.Snapshot();
        In<QLineEdit>(dialog, "File")->setText(folder.File("h.ics"));
        In<QSpinBox>(dialog, "LastYear")->setValue(5785);
        Ok(dialog);
        QCOMPARE(run.Messages->size(), 1);
        QCOMPARE(folder.Snapshot().size(), before.size() + 1);
        const QString ics = QString::fromUtf8(folder.Read("h.ics")).replace("\r\n ", "");
        QVERIFY(ics.startsWith("BEGIN:VCALENDAR\r\n") && ics.endsWith("END:VCALENDAR\r\n"));
        QCOMPARE(ics.count("BEGIN:VEVENT"), 17);
        const QString purim = ics.mid(ics.indexOf("SUMMARY:Purim"));
        QVERIFY2(purim.contains("\\nBegins at sunset on Thursday 13 March 2025: the sun sets in "
                                "Home at " +
                                SunText(QDate(2025, 3, 13), 0).trimmed()),
                 qPrintable(purim.left(200)));
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
