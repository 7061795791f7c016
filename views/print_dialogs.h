#pragma once
// The File menu's dialogs: the layout to print or save as PDF ("This month",
// "This Jewish year"), and the Jewish years whose holidays are exported.

#include <QDialog>
#include <QPageSize>
#include <functional>

#include "engine/year_holidays.h"
#include "views/print_pages.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tovel {

// A file name typed or picked; Confirmed when the file dialog already asked
// whether an existing file may be replaced.
struct ChosenFile {
    QString Path;
    bool Confirmed = false;
};

// A line for the file name with a "Browse..." button beside it.
class FileField : public QWidget {
    Q_OBJECT
public:
    FileField(const QString& title, const QString& filter, const QString& suffix, QWidget* parent);
    ChosenFile File() const;
    // Shows `path` unless the user typed or picked a name of their own.
    void Suggest(const QString& path);

private:
    QLineEdit* edit_ = nullptr;
    QString suggested_, picked_;
};

class PrintChoiceDialog : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { Print, Pdf };
    struct Choice {
        PrintLayout Layout = PrintLayout::Month;
        QPageSize::PageSizeId Paper = QPageSize::A4;
        ChosenFile File;  // Pdf only
        bool Preview = false;
    };
    // `go` runs on "Print...", "Preview..." or OK; the dialog closes when it
    // returns true. `defaultFile` suggests a PDF's name for each layout.
    PrintChoiceDialog(Purpose purpose, std::function<QString(PrintLayout)> defaultFile,
                      std::function<bool(const Choice&)> go, QWidget* parent);

private:
    Choice Chosen() const;
    void Go(bool preview);

    std::function<QString(PrintLayout)> defaultFile_;
    std::function<bool(const Choice&)> go_;
    QRadioButton* year_ = nullptr;
    QComboBox* paper_ = nullptr;
    FileField* file_ = nullptr;
};

class ExportHolidaysDialog : public QDialog {
    Q_OBJECT
public:
    // Years within `range`, from `thisYear` and the next; `folder` holds the
    // suggested file. `go` runs on OK; the dialog closes when it returns true.
    ExportHolidaysDialog(YearRange range, int thisYear, const QString& folder,
                         std::function<bool(int first, int last, const ChosenFile&)> go,
                         QWidget* parent);

    void accept() override;

private:
    void SuggestFile();

    std::function<bool(int, int, const ChosenFile&)> go_;
    QString folder_;
    QSpinBox *first_ = nullptr, *last_ = nullptr;
    FileField* file_ = nullptr;
};

}  // namespace tovel
