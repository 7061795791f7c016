#pragma once
// The main window. Its member functions are spread over the files of views/
// by subsystem: drawing (form1.cpp), the Gregorian view, navigation,
// locations, settings, start-up and shutdown (form1_*.cpp). Each asks the
// core to decide and then changes controls.

#include <QMainWindow>
#include <QPageSize>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/calendar_lines.h"
#include "app/program_files.h"
#include "app/settings.h"
#include "input/grid.h"
#include "state/calendar_state.h"
#include "state/date.h"
#include "sunset/sunset_table.h"
#include "sunset/user_tables.h"
#include "views/picture_box.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace tovel {

class AboutForm;
struct ChosenFile;
enum class PrintLayout;

struct Form1Options {
    QString ProgramFolder;                            // default: the executable's folder
    std::function<Date()> Today;                      // default: the system date
    std::function<void(const QString&)> ShowMessage;  // default: a modal box titled "Tovel"
    QString Arguments;                                // the command-line argument text
    std::function<bool(const QString&)> Confirm;      // default: a Yes/No box titled "Tovel"
};

// A modal message box titled "Tovel" with a single OK button and no icon.
void ShowTovelMessage(const QString& text, QWidget* parent = nullptr);

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Form1Options options = {}, QWidget* parent = nullptr);
    ~Form1() override;

    CalendarState& State() { return s_; }
    const CalendarState& State() const { return s_; }

    // Start-up, run before the window is shown. False when the program must end
    // without showing it (no year table, or a pop-up run).
    bool Form_Load();
    // True when start-up ended on a missing or damaged year table.
    bool Failed() const { return failed_; }
    // SIGTERM, SIGINT or SIGHUP while the window is up: closes it as the user
    // would, but what the program has to say then goes to standard error.
    void EndBySignal();
    void ProgExit_Click();
    void Form_Unload();
    void About_Click();

    // Settings file.
    bool ReadIni();
    void SaveIni();
    // Options > Announce holidays at login: writes or removes the user's autostart entry;
    // its check mark shows the entry found there, at start and whenever the menu opens.
    void LoginMnu_Click();
    void ShowLoginState();

    // The shown month.
    bool FindGDate();
    void FillPicture();
    void SetFrame();
    void BuildGLabel();
    void LoadCombo();

    // Locations.
    void SunIni();
    void Sun_Click(int Index);
    // "Add location..." and "Remove location..." open their dialogs
    // (window-modal; found as children named "AddLocation", "RemoveLocation").
    void AddLocation_Click();
    void RemoveLocation_Click();
    // What the dialogs' OK does: false, after a message, when nothing changed.
    bool AddLocation(const PlaceInput& place);
    bool RemoveLocation(int Index);
    // The active location's name and sunset time for a civil day; nothing when
    // no location is active or its table has no line for the day.
    std::optional<SunsetTime> LookupSunsetFor(Date day) const;

    // Printing and exports (form1_print.cpp): File > Print..., Export PDF...
    // and Export holidays... open their dialogs (window-modal; found as
    // children named "Print", "ExportPdf", "ExportHolidays").
    void Print_Click();
    void ExportPdf_Click();
    void ExportHolidays_Click();
    // What the dialogs do; false, after a message, when nothing was done.
    // Printing opens the print dialog ("PrintDialog") or the preview
    // ("PrintPreview") on the page of the shown month or Jewish year.
    bool PrintCalendar(PrintLayout layout, bool preview);
    bool ExportPdf(PrintLayout layout, QPageSize::PageSizeId paper, const ChosenFile& file);
    bool ExportHolidays(int first, int last, const ChosenFile& file);

    // Navigation: the buttons, their hints, the Year Steps menu, the keys and
    // clicks on the grid, and the holiday chooser (form1_navigation.cpp).
    void Command1_Click();  // "<"
    void Command3_Click();  // ">"
    void Command4_Click();  // "Today"
    void Command5_Click();  // "<<"
    void Command6_Click();  // ">>"
    void Command1_MouseMove();
    void Command3_MouseMove();
    void Command4_MouseMove();
    void Command5_MouseMove();
    void Command6_MouseMove();
    void Step1_Click();
    void Step2_Click();
    void Step5_Click();
    void Step10_Click();
    void Step20_Click();
    void Step50_Click();
    // KeyCode is the toolkit's key code; Shift and Button as PictureBox reports
    // them; X and Y in twips inside the grid.
    void Picture1_KeyDown(int KeyCode, int Shift);
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Combo1_Click();

    // The Gregorian view (views/form1_gregorian.cpp).
    void FillGregorian();
    void GregorianMnu_Click();
    void JewishMnu_Click();
    void SetFrameGreg();
    // X and Y in twips inside the grid; Button and Shift do not matter.
    void DrawGregBox(int Button, int Shift, float X, float Y);
    void SetWeek();

    // Each puts the reminder back into status line 2.
    void Form_MouseMove();
    void Label3_MouseMove();
    void Picture1_MouseMove();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    // Print..., Export PDF... and Export holidays..., before Exit in the File menu.
    void BuildPrintMenu();
    // Writes an exported file whole or not at all; false after a message.
    bool WriteExport(const ChosenFile& file, std::string_view content);
    // Connects the buttons, the Year Steps items, the grid and the chooser to
    // their handlers.
    void WireNavigation();
    // Selects `day` in the Jewish view and shows its month, clearing the
    // chooser. When the year table cannot set up that month, nothing changes
    // and the result is false.
    bool MoveSelection(Date day, bool clearChooser = true);
    void MoveYears(int years);
    void SetYearStep(int step, QAction* item);
    // Puts the selection marker at `place` (twips in the grid) and shows it.
    void PlaceMarker(MarkerPlace place);
    // Gives the grid the selected day in words as its accessible name and
    // value, and tells a screen reader when they change.
    void AnnounceSelection();
    // Connects the Calendar menu's two views to their handlers.
    void WireViews();
    // The chooser and the SunSet and Year Steps menus serve the Jewish view only.
    void EnableJewishControls(bool enabled);
    // The Gregorian view's month and year buttons: `months` away, keeping GregDay.
    void MoveGregorianMonths(int months);
    void Message(const QString& text);
    bool WindowStateIsNormal() const;
    void PlaceWindow(WindowPlace place);
    // Status line 2 as the shown view wants it.
    QString ReminderLine() const;

    Form1Options options_;
    QString folder_;
    // Where the data, the settings and the tables are, decided at start-up.
    ProgramFiles files_;
    CalendarState s_;
    // False when Tovel.ini exists but could not be read (a folder, a FIFO, no
    // permission): it is then never replaced.
    bool iniReadable_ = true;
    bool failed_ = false;
    bool endingBySignal_ = false;

    // Controls, named as the rest of the program refers to them.
    QComboBox* Combo1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    WeekdayLabel* Label3 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    PictureBox* Picture1 = nullptr;
    MarkerShape* Shape1 = nullptr;
    GlyphSheet BlackClip, RedClip, GreenClip;

    QMenu* FileMenu = nullptr;
    QAction* ProgExit = nullptr;
    QAction *PrintItem = nullptr, *ExportPdfItem = nullptr, *ExportHolidaysItem = nullptr;
    QMenu* CalendarMnu = nullptr;
    QAction* JewishMnu = nullptr;
    QAction* GregorianMnu = nullptr;
    QMenu* Sunset = nullptr;
    std::array<QAction*, 12> Sun{};  // 1..11
    QAction* AddLocationItem = nullptr;
    QAction* RemoveLocationItem = nullptr;
    QMenu* Steps = nullptr;
    QAction *Step1 = nullptr, *Step2 = nullptr, *Step5 = nullptr, *Step10 = nullptr,
            *Step20 = nullptr, *Step50 = nullptr;
    QMenu* OptionsMnu = nullptr;
    QAction* LoginMnu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* AboutItem = nullptr;

    AboutForm* about_ = nullptr;
};

}  // namespace tovel
