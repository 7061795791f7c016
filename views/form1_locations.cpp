// The SunSet menu: one item per sunset table, those beside the program first,
// then an installed program's user's own.

#include <QAction>
#include <QLabel>
#include <filesystem>

#include "app/popup.h"
#include "views/form1.h"
#include "views/zone_offset.h"

namespace tovel {

namespace {
std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}
}  // namespace

void Form1::SunIni() {
    const Locations found = FindLocations(tableFolders_, s_.ActiveLocation, s_.ActiveLocationFile);
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

std::optional<SunsetTime> Form1::LookupSunsetFor(Date day) const {
    if (!HasActiveLocation(s_)) return std::nullopt;
    // A table with a zone line is moved to the day's year by the zone's rules.
    return LookupSunset(s_.SunFile, day, ZoneOffset);
}

}  // namespace tovel
