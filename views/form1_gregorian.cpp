// The Gregorian month view: its drawing, the selection marker and week
// number, and the Calendar menu's switch between the two views.

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMenu>

#include "app/calendar_lines.h"
#include "input/grid.h"
#include "input/navigation.h"
#include "views/calendar_text.h"
#include "views/form1.h"
#include "views/picture_box.h"

namespace tovel {

namespace {

// "mmmm  yyyy": the month standing on its own, two blanks, the year.
QString GregorianTitle(Date d, bool capitalize) {
    return StandaloneMonthName(d, capitalize) + "  " + YearText(d);
}

}  // namespace

void Form1::WireViews() {
    connect(JewishMnu, &QAction::triggered, this, &Form1::JewishMnu_Click);
    connect(GregorianMnu, &QAction::triggered, this, &Form1::GregorianMnu_Click);
}

void Form1::EnableJewishControls(bool enabled) {
    Combo1->setEnabled(enabled);
    Sunset->setEnabled(enabled);
    Steps->setEnabled(enabled);
}

void Form1::FillGregorian() {
    Shape1->hide();
    s_.GregDay = static_cast<std::int16_t>(s_.GregDate.Day());
    QFont font = Picture1->DrawFont();
    font.setFamily("Times New Roman");
    font.setUnderline(false);
    font.setPointSize(16);
    font.setItalic(true);
    Picture1->SetDrawFont(font);
    Picture1->Cls();
    for (const GregCell& cell : GregMonthCells(s_)) {
        Picture1->SetCurrentXY(cell.X, cell.Y);
        Picture1->SetForeColor(InkColour(cell.Saturday ? Ink::Red : Ink::Black));
        Picture1->Print(QString::fromStdString(cell.Text));
    }
    // After a day number a month name takes the form the language wants there.
    Label10->setText(QLocale().toString(ToQDate(s_.GregDate), "dd-MMMM-yyyy"));
    Label9->setText("");
    Label2->setText("");
    Label1->setText(GregorianTitle(s_.GregDate, s_.CapitalizeDates == 1));
    SetFrameGreg();
}

void Form1::SetFrameGreg() {
    PlaceMarker(GregMarkerPosition(s_));
    SetWeek();
    AnnounceSelection();
}

void Form1::DrawGregBox(int, int, float X, float Y) {
    const auto day = GregDateAt(s_, X, Y);
    if (!day) return;
    s_.GregDate = *day;
    s_.GregDay = static_cast<std::int16_t>(day->Day());
    Label10->setText(QLocale().toString(ToQDate(s_.GregDate), "dd-MMM-yyyy"));
    SetFrameGreg();  // the marker and the week, without a redraw
}

void Form1::SetWeek() { Label2->setText(QString::fromStdString(WeekLabel(s_))); }

void Form1::GregorianMnu_Click() {
    // A click toggles the item's check mark before this runs: the view in
    // force decides, and the marks are set again either way.
    GregorianMnu->setChecked(true);
    if (s_.GregView == 1) return;
    JewishMnu->setChecked(false);
    s_.GregView = 1;
    EnableJewishControls(false);
    FillPicture();
}

void Form1::JewishMnu_Click() {
    JewishMnu->setChecked(true);
    if (s_.GregView != 1) return;
    GregorianMnu->setChecked(false);
    s_.GregView = 0;
    FillPicture();
    EnableJewishControls(true);
}

}  // namespace tovel
