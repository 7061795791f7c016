// The settings file Tovel.ini (beside the program, or in the user's
// configuration folder for an installed program, whose site defaults count
// until the user's own file exists): read once at start-up, written once at
// shutdown.

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <filesystem>

#include "app/autostart.h"
#include "app/file_writer.h"
#include "app/ini_file.h"
#include "app/program_files.h"
#include "app/window_position.h"
#include "engine/read_file.h"
#include "engine/year_table.h"
#include "state/twips.h"
#include "views/form1.h"

namespace tovel {

bool Form1::ReadIni() {
    files_ = ProgramFilesFor(folder_.toStdString());
    const QString table = QString::fromStdString(files_.DataFolder) + "/" + kYearTableName;
    if (!QFileInfo(table).isFile()) {
        Message(table + " not found, application quiting !!");
        failed_ = true;
        return false;
    }
    s_.YearStep = 1;
    for (QAction* step : {Step1, Step2, Step5, Step10, Step20, Step50})
        step->setChecked(step == Step1);

    s_.RHDatesFile = table.toStdString();
    s_.IniFile = files_.Settings;
    std::string content;
    const FileRead read = ReadSettingsText(files_, content);
    iniReadable_ = read == FileRead::Ok || read == FileRead::Missing;
    PlaceWindow(ReadSettings(content, s_));

    GregorianMnu->setChecked(s_.GregView == 1);
    JewishMnu->setChecked(s_.GregView != 1);
    EnableJewishControls(s_.GregView != 1);

    SunIni();
    LoadCombo();
    return true;
}

void Form1::PlaceWindow(WindowPlace place) {
    std::vector<PixelRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        screens.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    const PixelPoint corner = WindowCorner(place.Top, place.Left, width(), height(), screens);
    move(corner.X, corner.Y);
}

void Form1::SaveIni() {
    // Start-up never got as far as the settings, or they could not be read.
    if (s_.IniFile.empty() || !iniReadable_) return;
    const QPoint corner = frameGeometry().topLeft();
    const auto keys =
        SettingsToSave(s_, {double(PixelsToTwips(corner.y())), double(PixelsToTwips(corner.x()))});

    // Lines the program does not own are kept; a file that cannot be read now
    // (replaced by a folder or a FIFO) is not replaced, nor is a read-only one.
    // A file that could not be written is left as it was, and the user is told.
    std::string old;
    const FileRead read = ReadDataFile(s_.IniFile, old);
    if (read != FileRead::Ok && read != FileRead::Missing) return;
    if (const auto text = UpdateProfileText(old, kProfileSection, keys)) {
        // The user's configuration folder may not exist yet.
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(s_.IniFile).parent_path(), ec);
        const FileWriteResult written = ReplaceFile(s_.IniFile, *text);
        if (!written.Ok() && !written.ReadOnly)
            Message("The settings were not saved: " + QString::fromStdString(written.Problem));
    }
}

void Form1::ShowLoginState() {
    const auto path = AutostartPath(UserFoldersForMe());
    LoginMnu->setEnabled(path.has_value());
    LoginMnu->setChecked(path && AutostartEnabled(*path));
}

void Form1::LoginMnu_Click() {
    // The item has its new check mark already: the state asked for.
    if (const auto path = AutostartPath(UserFoldersForMe())) {
        const std::string program = ProgramToStart(folder_.toStdString(), files_.Installed);
        const std::string problem = SetAutostart(*path, program, LoginMnu->isChecked());
        if (!problem.empty()) Message(QString::fromStdString(problem));
    }
    ShowLoginState();
}

}  // namespace tovel
