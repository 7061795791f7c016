// The File menu's printing and exports: the shown month or Jewish year on
// paper or as a PDF, and the holidays of a range of years as an iCalendar
// file for other calendar programs.

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

#include "app/file_writer.h"
#include "app/holiday_calendar.h"
#include "app/popup.h"
#include "engine/year_holidays.h"
#include "engine/year_table.h"
#include "sunset/sunset_table.h"
#include "views/form1.h"
#include "views/print_dialogs.h"
#include "views/print_pages.h"

namespace tovel {

namespace {
// An exported file is not read back by Tovel: only the disk limits it.
constexpr std::size_t kMaxExportBytes = std::size_t{1} << 30;

void PrintPage(const CalendarPage& page, QPrinter* printer) {
    QPainter p(printer);
    const QRect paint = printer->pageLayout().paintRectPixels(printer->resolution());
    page.Paint(p, QRectF(0, 0, paint.width(), paint.height()));
}
}  // namespace

void Form1::BuildPrintMenu() {
    const struct {
        QAction** item;
        const char* name;
        const char* caption;
        const char* hint;
        void (Form1::*click)();
    } items[] = {
        {&PrintItem, "PrintItem", "&Print...", "Click to print this month or this year",
         &Form1::Print_Click},
        {&ExportPdfItem, "ExportPdfItem", "Export P&DF...",
         "Click to save this month or year as PDF", &Form1::ExportPdf_Click},
        {&ExportHolidaysItem, "ExportHolidaysItem", "Export &holidays...",
         "Click to export holidays to other calendars", &Form1::ExportHolidays_Click},
    };
    for (const auto& i : items) {
        *i.item = new QAction(i.caption, this);
        (*i.item)->setObjectName(i.name);
        (*i.item)->setStatusTip(i.hint);
        FileMenu->insertAction(ProgExit, *i.item);
        connect(*i.item, &QAction::triggered, this, i.click);
    }
    FileMenu->insertSeparator(ProgExit);
}

void Form1::Print_Click() {
    auto* dialog = new PrintChoiceDialog(
        PrintChoiceDialog::Purpose::Print, {},
        [this](const PrintChoiceDialog::Choice& c) { return PrintCalendar(c.Layout, c.Preview); },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void Form1::ExportPdf_Click() {
    auto table = std::make_shared<const YearTable>(ReadYearTable(s_.RHDatesFile));
    auto defaultFile = [this, table](PrintLayout layout) {
        const CalendarPage page(layout, s_, *table, Label3->Names());
        return QDir::home().filePath(page.Title() + ".pdf");
    };
    auto* dialog = new PrintChoiceDialog(
        PrintChoiceDialog::Purpose::Pdf, defaultFile,
        [this](const PrintChoiceDialog::Choice& c) { return ExportPdf(c.Layout, c.Paper, c.File); },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void Form1::ExportHolidays_Click() {
    const YearTable table = ReadYearTable(s_.RHDatesFile);
    const auto range = ExportableYears(table);
    if (!range) {
        Message(QString::fromStdString(s_.RHDatesFile) + " describes no year");
        return;
    }
    const int thisYear = table.YearOf(options_.Today()).value_or(s_.JewYear);
    auto* dialog = new ExportHolidaysDialog(
        *range, thisYear, QDir::homePath(),
        [this](int first, int last, const ChosenFile& file) {
            return ExportHolidays(first, last, file);
        },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

bool Form1::PrintCalendar(PrintLayout layout, bool preview) {
    auto page = std::make_shared<const CalendarPage>(layout, s_, ReadYearTable(s_.RHDatesFile),
                                                     Label3->Names());
    if (!page->Problem().isEmpty()) {
        Message(page->Problem());
        return false;
    }
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(page->Title());
    printer->setPageOrientation(QPageLayout::Portrait);
    QDialog* dialog = nullptr;
    if (preview) {
        auto* previewDialog = new QPrintPreviewDialog(printer.get(), this);
        connect(previewDialog, &QPrintPreviewDialog::paintRequested, this,
                [page](QPrinter* p) { PrintPage(*page, p); });
        dialog = previewDialog;
        dialog->setObjectName("PrintPreview");
        dialog->setAccessibleName("Print preview");
    } else {
        dialog = new QPrintDialog(printer.get(), this);
        connect(dialog, &QDialog::finished, this, [page, printer](int result) {
            if (result == QDialog::Accepted) PrintPage(*page, printer.get());
        });
        dialog->setObjectName("PrintDialog");
        dialog->setAccessibleName("Print");
    }
    // The printer lives as long as its dialog.
    connect(dialog, &QObject::destroyed, this, [printer] {});
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return true;
}

bool Form1::ExportPdf(PrintLayout layout, QPageSize::PageSizeId paper, const ChosenFile& file) {
    const CalendarPage page(layout, s_, ReadYearTable(s_.RHDatesFile), Label3->Names());
    if (!page.Problem().isEmpty()) {
        Message(page.Problem());
        return false;
    }
    const QByteArray pdf = PagePdf(page, paper);
    return WriteExport(file,
                       std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

bool Form1::ExportHolidays(int first, int last, const ChosenFile& file) {
    const YearTable table = ReadYearTable(s_.RHDatesFile);
    const auto range = ExportableYears(table);
    if (!range || first > last || first < range->First || last > range->Last) {
        Message(QString("The year table %1 describes the Jewish years %2 to %3 only")
                    .arg(QString::fromStdString(s_.RHDatesFile))
                    .arg(range ? range->First : 0)
                    .arg(range ? range->Last : 0));
        return false;
    }
    SunsetLookup sunset;
    if (HasActiveLocation(s_)) sunset = [this](Date day) { return LookupSunsetFor(day); };
    return WriteExport(file, HolidayCalendar(table, first, last,
                                             UtcStamp(QDateTime::currentSecsSinceEpoch()), sunset));
}

bool Form1::WriteExport(const ChosenFile& file, std::string_view content) {
    if (file.Path.isEmpty()) {
        Message("Give the file a name");
        return false;
    }
    if (!file.Confirmed && QFileInfo::exists(file.Path)) {
        const QString question = file.Path + " exists. Replace it?";
        const bool yes = options_.Confirm
                             ? options_.Confirm(question)
                             : QMessageBox::question(this, "Tovel", question) == QMessageBox::Yes;
        if (!yes) return false;
    }
    FileWriteOptions options;
    options.MaxBytes = kMaxExportBytes;
    const FileWriteResult written = ReplaceFile(file.Path.toStdString(), content, options);
    if (!written.Ok()) {
        Message(QString::fromStdString(written.Problem));
        return false;
    }
    return true;
}

}  // namespace tovel
