// The settings file Tovel.ini beside the program: read once at start-up,
// written once at shutdown.

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "app/ini_file.h"
#include "app/settings_values.h"
#include "app/window_position.h"
#include "views/form1.h"
#include "views/picture_box.h"

namespace tovel {

std::string Form1::ReturnIni(const std::string& VarVal, const std::string& IniVal) const {
    return ReturnIniValue(s_.IniFile, VarVal, IniVal);
}

bool Form1::ReadIni() {
    if (!QFileInfo::exists(folder_ + "/RHDates.Tvl")) {
        Message(folder_ + "/RHDates.Tvl not found, application quiting !!");
        return false;
    }
    s_.YearStep = 1;
    for (QAction* step : {Step1, Step2, Step5, Step10, Step20, Step50}) step->setChecked(step == Step1);

    s_.RHDatesFile = (folder_ + "/RHDates.Tvl").toStdString();
    s_.IniFile = (folder_ + "/Tovel.ini").toStdString();

    const double top = ToSettingSingle(ReturnIni("FormTop", "300"));
    const double left = ToSettingSingle(ReturnIni("FormLeft", "300"));
    PlaceWindow(top, left);
    s_.ActiveLocation = ToSettingInt(ReturnIni("ActiveLocation", "0"), 0);
    gregorianSetting_ = ToSettingInt(ReturnIni("Gregorian", "0"), 0);
    s_.CapitalizeDates = ToSettingInt(ReturnIni("CapitalizeDates", "0"), 0);
    s_.AddXJ = ToSettingInt(ReturnIni("AddXJ", "-100"), -100);
    s_.AddYJ = ToSettingInt(ReturnIni("AddYJ", "20"), 20);
    s_.AddXG = ToSettingInt(ReturnIni("AddXG", "0"), 0);
    s_.AddYG = ToSettingInt(ReturnIni("AddYG", "0"), 0);
    s_.AddWeek = ToSettingInt(ReturnIni("AddWeek", "0"), 0);

    // Only the Jewish view can be shown so far: whatever the file says, its
    // menus are set up, and the file's value is written back unchanged.
    s_.GregView = 0;
    GregorianMnu->setChecked(false);
    JewishMnu->setChecked(true);
    Combo1->setEnabled(true);
    Sunset->setEnabled(true);
    Steps->setEnabled(true);

    s_.CellWidth = 650;
    s_.CellHeight = 450;
    s_.GridLeft = 250;
    s_.GridTop = 150;

    SunIni();
    LoadCombo();
    loaded_ = true;
    return true;
}

void Form1::PlaceWindow(double topTwips, double leftTwips) {
    std::vector<PixelRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        screens.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    const PixelPoint corner = WindowCorner(topTwips, leftTwips, width(), height(), screens);
    move(corner.X, corner.Y);
}

void Form1::SaveIni() {
    if (s_.IniFile.empty()) return;  // start-up never got as far as the settings
    const QPoint corner = frameGeometry().topLeft();
    std::vector<std::pair<std::string, std::string>> keys;
    keys.emplace_back("FormTop", std::to_string(corner.y() * 15));
    keys.emplace_back("FormLeft", std::to_string(corner.x() * 15));
    if (!s_.PopupMode) keys.emplace_back("Gregorian", std::to_string(gregorianSetting_));
    keys.emplace_back("AddXJ", std::to_string(s_.AddXJ));
    keys.emplace_back("AddYJ", std::to_string(s_.AddYJ));
    keys.emplace_back("AddXG", std::to_string(s_.AddXG));
    keys.emplace_back("AddYG", std::to_string(s_.AddYG));
    keys.emplace_back("AddWeek", std::to_string(s_.AddWeek));
    keys.emplace_back("CapitalizeDates", std::to_string(s_.CapitalizeDates));
    int checked = 0;
    for (int i = 1; i <= kMaxLocations && checked == 0; ++i)
        if (Sun[static_cast<std::size_t>(i)]->isChecked()) checked = i;
    keys.emplace_back("ActiveLocation", std::to_string(checked));
    // One replacement of the whole file; a failure (read-only folder) is silent
    // and leaves the old file as it was.
    WriteProfileStrings(s_.IniFile, kProfileSection, keys);
}

}  // namespace tovel
