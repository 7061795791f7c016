// Start-up, the holiday pop-up, the About window and shutdown.

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLocale>

#include "app/calendar_lines.h"
#include "app/popup.h"
#include "app/program_folder.h"
#include "engine/month_setup.h"
#include "input/grid.h"
#include "views/about_form.h"
#include "views/calendar_text.h"
#include "views/form1.h"

namespace tovel {

bool Form1::Form_Load() {
    if (!ReadIni()) return false;

    s_.PopupMode = IsPopupSwitch(options_.Arguments.toStdString());
    if (s_.PopupMode) s_.GregView = 0;

    if (s_.CapitalizeDates == 1) {
        const QStringList names = HeaderDayNames();
        std::vector<std::string> parts;
        for (const QString& name : names) parts.push_back(name.toStdString());
        Label3->SetNames(names, QString::fromStdString(WeekdayHeader(parts)));
    }

    s_.SelDate = options_.Today();
    s_.GregDate = s_.SelDate;
    if (!FindGDate()) {
        // Today is outside the table's years (open on the nearest month it
        // covers), or the table is damaged (end without touching the settings).
        // A pop-up run shows no month: it has nothing to say about the nearest.
        const YearTableFallback fallback = FallbackForDay(s_.RHDatesFile, s_.SelDate);
        failed_ = !fallback.Nearest;
        if (failed_ || !s_.PopupMode) Message(QString::fromStdString(fallback.Problem));
        if (failed_ || s_.PopupMode) {
            s_.IniFile.clear();
            return false;
        }
        s_.SelDate = *fallback.Nearest;
        FindGDate();
    }
    FillPicture();
    // A pop-up run announces today's holiday, if there is one, and ends.
    if (s_.PopupMode) {
        if (const auto message = PopupMessage(s_)) Message(QString::fromStdString(*message));
        return false;
    }
    ShowLoginState();
    return true;
}

bool Form1::WindowStateIsNormal() const {
    return !(isMinimized() || isMaximized() || isFullScreen());
}

void Form1::ProgExit_Click() {
    close();  // closeEvent saves the settings, once
    QApplication::quit();
}

void Form1::Form_Unload() {
    if (WindowStateIsNormal()) SaveIni();
}

void Form1::EndBySignal() {
    endingBySignal_ = true;
    close();
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    if (about_) about_->hide();
    event->accept();
}

void Form1::About_Click() {
    // Made when first asked for, not at start-up.
    if (!about_) about_ = new AboutForm(this);
    about_->exec();
}

}  // namespace tovel
