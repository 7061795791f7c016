// The SunSet menu: one item per sunset table, the shipped ones first (beside
// the program, or in an installed program's data folder), then the user's own.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <algorithm>
#include <filesystem>

#include "app/file_writer.h"
#include "app/popup.h"
#include "app/program_files.h"
#include "views/form1.h"
#include "views/location_dialogs.h"
#include "views/zone_offset.h"

namespace tovel {

namespace {
std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}
}  // namespace

void Form1::SunIni() {
    const Locations found =
        FindLocations(files_.TableFolders, s_.ActiveLocation, s_.ActiveLocationFile);
    // Run again after a table was added or removed: start from an empty menu.
    for (std::size_t i = 1; i < Sun.size(); ++i) {
        Sun[i]->setChecked(false);
        Sun[i]->setVisible(i == 1);
        s_.SunFiles[i].clear();
    }
    Sun[1]->setText("Sun1");
    for (std::size_t i = 0; i < found.Files.size(); ++i) {
        QAction* item = Sun[i + 1];
        // A location name is shown as written, ampersands included.
        item->setText(QString::fromStdString(found.Names[i]).replace("&", "&&"));
        item->setVisible(true);
        s_.SunFiles[i + 1] = found.Files[i];
    }
    s_.ActiveLocation = static_cast<std::int16_t>(found.ActiveLocation);
    if (HasActiveLocation(s_)) {
        Sun[static_cast<std::size_t>(s_.ActiveLocation)]->setChecked(true);
        s_.SunFile = s_.SunFiles[static_cast<std::size_t>(s_.ActiveLocation)];
    } else {
        s_.SunFile.clear();
    }
    s_.ActiveLocationFile = FileNameOf(s_.SunFile);
}

void Form1::Sun_Click(int Index) {
    // The state says which location is active; the check marks follow it.
    for (int i = 1; i <= 11; ++i) Sun[static_cast<std::size_t>(i)]->setChecked(false);
    const bool listed = Index >= 1 && Index <= kMaxLocations &&
                        !s_.SunFiles[static_cast<std::size_t>(Index)].empty();
    if (!listed) {
        s_.ActiveLocation = 0;
        s_.SunFile.clear();
        s_.ActiveLocationFile.clear();
        return;
    }
    const std::string& file = s_.SunFiles[static_cast<std::size_t>(Index)];
    Sun[static_cast<std::size_t>(Index)]->setChecked(true);
    s_.SunFile = file;
    s_.ActiveLocation = static_cast<std::int16_t>(Index);
    s_.ActiveLocationFile = FileNameOf(file);
    Label10->setText("");
}

namespace {
int ListedLocations(const CalendarState& s) {
    int n = 0;
    for (int i = 1; i <= kMaxLocations; ++i) n += !s.SunFiles[static_cast<std::size_t>(i)].empty();
    return n;
}
}  // namespace

void Form1::AddLocation_Click() {
    if (ListedLocations(s_) >= kMaxLocations) {
        Message(
            "The SunSet menu lists ten locations, as many as it can hold. Remove one with "
            "\"Remove location...\" before adding another.");
        return;
    }
    auto* dialog =
        new AddLocationDialog([this](const PlaceInput& p) { return AddLocation(p); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

bool Form1::AddLocation(const PlaceInput& place) {
    // An installed program started without any home has no folder for the user's tables.
    const std::string& folder = files_.UserTableFolder;
    if (folder.empty()) {
        Message("There is no folder for your own tables: HOME is not set.");
        return false;
    }
    const int year = std::clamp(options_.Today().Year(), kFirstSunTableYear, kLastSunTableYear);
    const UserTable table = MakeUserTable(place, year, ZoneOffset, folder);
    if (!table.Ok()) {
        Message(QString::fromStdString(table.Error));
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    // Written as every table and the settings are: synced before it counts.
    if (const FileWriteResult written = ReplaceFile(table.Path, table.Text); !written.Ok()) {
        Message(QString::fromStdString(written.Problem));
        return false;
    }
    // The new table becomes the active location, wherever it sorts in the menu.
    s_.ActiveLocationFile = FileNameOf(table.Path);
    SunIni();
    if (s_.GregView != 1) SetFrame();
    return true;
}

void Form1::RemoveLocation_Click() {
    std::vector<int> own;
    QStringList names;
    for (int i = 1; i <= kMaxLocations; ++i) {
        const std::string& path = s_.SunFiles[static_cast<std::size_t>(i)];
        if (path.empty() || !IsUserTable(path, files_.UserTableFolder, files_.DataFolder)) continue;
        own.push_back(i);
        names << Sun[static_cast<std::size_t>(i)]->text().replace("&&", "&");
    }
    if (own.empty()) {
        Message(
            "There is no location of your own to remove; the tables that come with Tovel "
            "stay.");
        return;
    }
    auto* dialog = new RemoveLocationDialog(
        names, [this, own](int k) { return RemoveLocation(own[static_cast<std::size_t>(k)]); },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

bool Form1::RemoveLocation(int Index) {
    const std::string path = s_.SunFiles[static_cast<std::size_t>(Index)];
    const QString name = Sun[static_cast<std::size_t>(Index)]->text().replace("&&", "&");
    const QString question = "Remove the location " + name + "? Its table " +
                             QString::fromStdString(path) + " is deleted.";
    const bool yes = options_.Confirm
                         ? options_.Confirm(question)
                         : QMessageBox::question(this, "Tovel", question) == QMessageBox::Yes;
    if (!yes) return false;
    if (!QFile::remove(QString::fromStdString(path))) {
        Message("Cannot remove " + QString::fromStdString(path));
        return false;
    }
    if (path == s_.SunFile) {  // no location is active any more
        s_.ActiveLocation = 0;
        s_.ActiveLocationFile.clear();
    }
    SunIni();
    if (s_.GregView != 1) SetFrame();
    return true;
}

std::optional<SunsetTime> Form1::LookupSunsetFor(Date day) const {
    if (!HasActiveLocation(s_)) return std::nullopt;
    // A table with a zone line is moved to the day's year by the zone's rules.
    return LookupSunset(s_.SunFile, day, ZoneOffset);
}

}  // namespace tovel
