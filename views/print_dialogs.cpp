#include "views/print_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace tovel {

namespace {
void Name(QWidget* w, const char* name, const QString& accessible) {
    w->setObjectName(name);
    w->setAccessibleName(accessible);
}
}  // namespace

FileField::FileField(const QString& title, const QString& filter, const QString& suffix,
                     QWidget* parent)
    : QWidget(parent) {
    edit_ = new QLineEdit(this);
    Name(edit_, "File", "File name");
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 40);
    auto* browse = new QPushButton("&Browse...", this);
    Name(browse, "Browse", "Browse for the file");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit_);
    row->addWidget(browse);
    connect(browse, &QPushButton::clicked, this, [this, title, filter, suffix] {
        QString path = QFileDialog::getSaveFileName(this, title, edit_->text(), filter);
        if (path.isEmpty()) return;
        if (!path.contains('.')) path += suffix;
        picked_ = path;
        edit_->setText(path);
    });
}

ChosenFile FileField::File() const {
    const QString path = edit_->text().trimmed();
    return {path, !path.isEmpty() && path == picked_};
}

void FileField::Suggest(const QString& path) {
    if (edit_->text() != suggested_) return;
    suggested_ = path;
    edit_->setText(path);
}

PrintChoiceDialog::PrintChoiceDialog(Purpose purpose,
                                     std::function<QString(PrintLayout)> defaultFile,
                                     std::function<bool(const Choice&)> go, QWidget* parent)
    : QDialog(parent), defaultFile_(std::move(defaultFile)), go_(std::move(go)) {
    const bool pdf = purpose == Purpose::Pdf;
    Name(this, pdf ? "ExportPdf" : "Print", pdf ? "Export PDF" : "Print");
    setWindowTitle(pdf ? "Export PDF" : "Print");
    auto* month = new QRadioButton("This &month", this);
    Name(month, "ThisMonth", "This month");
    month->setChecked(true);
    year_ = new QRadioButton("This &Jewish year", this);
    Name(year_, "ThisYear", "This Jewish year");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Layout:", this));
    layout->addWidget(month);
    layout->addWidget(year_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->setObjectName("Buttons");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (pdf) {
        auto* form = new QFormLayout;
        paper_ = new QComboBox(this);
        Name(paper_, "Paper", "Paper");
        paper_->addItem("A4", QPageSize::A4);
        paper_->addItem("US Letter", QPageSize::Letter);
        if (QLocale().measurementSystem() == QLocale::ImperialUSSystem) paper_->setCurrentIndex(1);
        form->addRow("&Paper:", paper_);
        file_ = new FileField("Export PDF", "PDF files (*.pdf)", ".pdf", this);
        form->addRow("&File:", file_);
        layout->addLayout(form);
        buttons->addButton(QDialogButtonBox::Ok);
        connect(buttons, &QDialogButtonBox::accepted, this, [this] { Go(false); });
        auto suggest = [this] { file_->Suggest(defaultFile_(Chosen().Layout)); };
        connect(year_, &QRadioButton::toggled, this, suggest);
        suggest();
    } else {
        QPushButton* preview = buttons->addButton("Pre&view...", QDialogButtonBox::ActionRole);
        Name(preview, "Preview", "Preview");
        QPushButton* print = buttons->addButton("&Print...", QDialogButtonBox::AcceptRole);
        Name(print, "PrintButton", "Print");
        print->setDefault(true);
        connect(preview, &QPushButton::clicked, this, [this] { Go(true); });
        connect(print, &QPushButton::clicked, this, [this] { Go(false); });
    }
    layout->addWidget(buttons);
}

PrintChoiceDialog::Choice PrintChoiceDialog::Chosen() const {
    Choice c;
    c.Layout = year_->isChecked() ? PrintLayout::JewishYear : PrintLayout::Month;
    if (paper_) c.Paper = static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt());
    if (file_) c.File = file_->File();
    return c;
}

void PrintChoiceDialog::Go(bool preview) {
    Choice c = Chosen();
    c.Preview = preview;
    if (go_(c)) QDialog::accept();
}

ExportHolidaysDialog::ExportHolidaysDialog(YearRange range, int thisYear, const QString& folder,
                                           std::function<bool(int, int, const ChosenFile&)> go,
                                           QWidget* parent)
    : QDialog(parent), go_(std::move(go)), folder_(folder) {
    Name(this, "ExportHolidays", "Export holidays");
    setWindowTitle("Export holidays");
    first_ = new QSpinBox(this);
    Name(first_, "FirstYear", "From the Jewish year");
    last_ = new QSpinBox(this);
    Name(last_, "LastYear", "To the Jewish year");
    for (QSpinBox* box : {first_, last_}) box->setRange(range.First, range.Last);
    first_->setValue(std::clamp(thisYear, range.First, range.Last));
    last_->setValue(std::clamp(thisYear + 1, range.First, range.Last));
    file_ = new FileField("Export holidays", "iCalendar files (*.ics)", ".ics", this);
    auto* form = new QFormLayout;
    form->addRow("From the Jewish &year:", first_);
    form->addRow("&To the Jewish year:", last_);
    form->addRow("&File:", file_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("Buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("The holidays of these years, for any calendar program:", this));
    layout->addLayout(form);
    layout->addWidget(buttons);
    // The range runs forward: each end keeps the other on its side.
    connect(first_, &QSpinBox::valueChanged, this, [this](int v) {
        if (last_->value() < v) last_->setValue(v);
        SuggestFile();
    });
    connect(last_, &QSpinBox::valueChanged, this, [this](int v) {
        if (first_->value() > v) first_->setValue(v);
        SuggestFile();
    });
    SuggestFile();
}

void ExportHolidaysDialog::SuggestFile() {
    const int a = first_->value(), b = last_->value();
    file_->Suggest(folder_ + (a == b ? QString("/jewish-holidays-%1.ics").arg(a)
                                     : QString("/jewish-holidays-%1-%2.ics").arg(a).arg(b)));
}

void ExportHolidaysDialog::accept() {
    if (go_(first_->value(), last_->value(), file_->File())) QDialog::accept();
}

}  // namespace tovel
