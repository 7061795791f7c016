// The navigation of the main window: the month, year and Today buttons with
// their hints, the Year Steps menu, the arrow keys and clicks on the grid, and
// the holiday chooser.

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "app/calendar_lines.h"
#include "engine/holiday_chooser.h"
#include "engine/holidays.h"
#include "engine/year_table.h"
#include "input/grid.h"
#include "input/navigation.h"
#include "views/form1.h"
#include "views/picture_box.h"

namespace tovel {

namespace {

// Runs `hint` whenever the pointer moves over the watched button. The move is
// not consumed, so the button sees it as before.
class HintFilter : public QObject {
public:
    HintFilter(QWidget* button, std::function<void()> hint)
        : QObject(button), hint_(std::move(hint)) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) hint_();
        return false;
    }

private:
    std::function<void()> hint_;
};

// Days an arrow key moves the selection; nothing for any other key.
std::optional<int> ArrowStep(int KeyCode) {
    switch (KeyCode) {
        case Qt::Key_Left:
            return -1;
        case Qt::Key_Up:
            return -7;
        case Qt::Key_Right:
            return 1;
        case Qt::Key_Down:
            return 7;
        default:
            return std::nullopt;
    }
}

}  // namespace

void Form1::WireNavigation() {
    const struct {
        QPushButton* button;
        void (Form1::*click)();
        void (Form1::*hint)();
        const char* description;  // also the hint, after a blank
    } buttons[] = {
        {Command1, &Form1::Command1_Click, &Form1::Command1_MouseMove,
         "Click to display previous month"},
        {Command3, &Form1::Command3_Click, &Form1::Command3_MouseMove,
         "Click to display next month"},
        {Command4, &Form1::Command4_Click, &Form1::Command4_MouseMove,
         "Click to display current date"},
        {Command5, &Form1::Command5_Click, &Form1::Command5_MouseMove,
         "Click to display previous year"},
        {Command6, &Form1::Command6_Click, &Form1::Command6_MouseMove,
         "Click to display next year"},
    };
    for (const auto& b : buttons) {
        b.button->setAccessibleDescription(b.description);
        // Reached by Tab but never focused by a click: the grid keeps the
        // keyboard, so a click on ">" can be followed by an arrow key.
        b.button->setFocusPolicy(Qt::TabFocus);
        connect(b.button, &QPushButton::clicked, this, b.click);
        new HintFilter(b.button, [this, hint = b.hint] { (this->*hint)(); });
    }
    connect(Step1, &QAction::triggered, this, &Form1::Step1_Click);
    connect(Step2, &QAction::triggered, this, &Form1::Step2_Click);
    connect(Step5, &QAction::triggered, this, &Form1::Step5_Click);
    connect(Step10, &QAction::triggered, this, &Form1::Step10_Click);
    connect(Step20, &QAction::triggered, this, &Form1::Step20_Click);
    connect(Step50, &QAction::triggered, this, &Form1::Step50_Click);

    connect(Picture1, &PictureBox::KeyDown, this, &Form1::Picture1_KeyDown);
    connect(Picture1, &PictureBox::MouseDown, this, &Form1::Picture1_MouseDown);

    Combo1->setFocusPolicy(Qt::TabFocus);
    // Only a user's pick: LoadCombo's refill changes the current index too,
    // and that must never move the selection.
    connect(Combo1, &QComboBox::activated, this, &Form1::Combo1_Click);
}

bool Form1::MoveSelection(Date day, bool clearChooser) {
    const Date before = s_.SelDate;
    s_.SelDate = day;
    if (!FindGDate()) {
        s_.SelDate = before;
        return false;
    }
    FillPicture();
    if (clearChooser) LoadCombo();
    return true;
}

void Form1::MoveGregorianMonths(int months) {
    const auto move = GregMonthMoveTarget(s_, months);
    if (!move) return;
    s_.GregDate = move->GregDate;
    s_.GregDay = static_cast<std::int16_t>(move->GregDay);
    FillGregorian();
}

void Form1::Command1_Click() {
    if (s_.GregView == 1) return MoveGregorianMonths(-1);
    if (!MonthMoveAllowed(s_, -1)) return;
    if (const auto target = MonthMoveTarget(s_, -1)) MoveSelection(*target);
}

void Form1::Command3_Click() {
    if (s_.GregView == 1) return MoveGregorianMonths(1);
    if (!MonthMoveAllowed(s_, 1)) return;
    if (const auto target = MonthMoveTarget(s_, 1)) MoveSelection(*target);
}

void Form1::Command4_Click() {
    if (s_.GregView == 1) {
        s_.GregDate = options_.Today();
        s_.GregDay = static_cast<std::int16_t>(s_.GregDate.Day());
        FillGregorian();
        return;
    }
    MoveSelection(options_.Today());
}

// In the Gregorian view the year buttons move one year, whatever the step.
void Form1::Command5_Click() {
    if (s_.GregView == 1) return MoveGregorianMonths(-12);
    MoveYears(-s_.YearStep);
}

void Form1::Command6_Click() {
    if (s_.GregView == 1) return MoveGregorianMonths(12);
    MoveYears(s_.YearStep);
}

void Form1::MoveYears(int years) {
    if (const auto refusal = YearMoveRefusal(s_, years)) {
        Message(QString::fromUtf8(refusal->data(), static_cast<qsizetype>(refusal->size())));
        return;
    }
    if (const auto target = YearMoveTarget(s_, years, ReadYearTable(s_.RHDatesFile)))
        MoveSelection(*target);
}

// A button's hint is its accessible description after a blank.
void Form1::Command1_MouseMove() { Label9->setText(" " + Command1->accessibleDescription()); }
void Form1::Command3_MouseMove() { Label9->setText(" " + Command3->accessibleDescription()); }
void Form1::Command4_MouseMove() { Label9->setText(" " + Command4->accessibleDescription()); }
void Form1::Command5_MouseMove() { Label9->setText(" " + Command5->accessibleDescription()); }
void Form1::Command6_MouseMove() { Label9->setText(" " + Command6->accessibleDescription()); }

void Form1::SetYearStep(int step, QAction* item) {
    s_.YearStep = static_cast<std::int16_t>(step);
    for (QAction* other : {Step1, Step2, Step5, Step10, Step20, Step50})
        other->setChecked(other == item);
    // Sets the month up again from the year table, which may tell "Unknown
    // year type" once more; the view is not redrawn.
    FindGDate();
}

void Form1::Step1_Click() { SetYearStep(1, Step1); }
void Form1::Step2_Click() { SetYearStep(2, Step2); }
void Form1::Step5_Click() { SetYearStep(5, Step5); }
void Form1::Step10_Click() { SetYearStep(10, Step10); }
void Form1::Step20_Click() { SetYearStep(20, Step20); }
void Form1::Step50_Click() { SetYearStep(50, Step50); }

void Form1::Picture1_KeyDown(int KeyCode, int) {
    const auto step = ArrowStep(KeyCode);
    if (!step) return;
    if (s_.GregView == 1) {
        // The Gregorian view stops at the ends of the years 1 to 9999.
        if (const auto day = GregStepTarget(s_, *step)) {
            s_.GregDate = *day;
            FillGregorian();
        }
        return;
    }
    // Beyond the year table's years the month cannot be set up: the key is
    // then ignored.
    MoveSelection(s_.SelDate + *step);
}

void Form1::Picture1_MouseDown(int Button, int Shift, float X, float Y) {
    if (s_.GregView == 1) return DrawGregBox(Button, Shift, X, Y);
    if (const auto day = JewishDayAt(s_, X, Y)) {
        s_.JewDay = static_cast<std::int16_t>(*day);
        s_.SelDate = s_.FirstDate + (s_.JewDay - 1);
        SetFrame();  // the marker and both status lines, without a redraw
    }
    LoadCombo();
}

void Form1::Combo1_Click() {
    const HolidayPick pick =
        PickHoliday(s_, Combo1->currentText().toStdString(),
                    [this](const std::string& m) { Message(QString::fromStdString(m)); });
    if (pick.Refused)
        Message(kUpperLimitMessage);
    else
        MoveSelection(pick.SelDate, false);  // the pick stays shown in the chooser
    Picture1->setFocus();
}

}  // namespace tovel
