#include <QApplication>
#include <QFont>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/popup.h"
#include "app/program_folder.h"
#include "views/form1.h"

int main(int argc, char** argv) {
    const std::string arguments = tovel::ArgumentText(argc, argv);
    const std::string folder = tovel::ExecutableFolderPath();
    // Most days a pop-up run has nothing to announce: end before any window
    // machinery starts.
    if (tovel::IsPopupSwitch(arguments) &&
        tovel::DecidePopup(folder, tovel::Today()) == tovel::PopupOutcome::Quiet)
        return 0;

    QApplication app(argc, argv);
    // The window's layout was made for these faces; these have the same metrics.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");

    tovel::Form1Options options;
    options.ProgramFolder = QString::fromStdString(folder);
    options.Arguments = QString::fromStdString(arguments);
    tovel::Form1 form(options);
    if (!form.Form_Load()) return 0;
    form.show();

    // TOVEL_SCREENSHOT=file.png: save a picture of the window once it is drawn,
    // then end without touching the settings (used where there is no display).
    if (const char* shot = std::getenv("TOVEL_SCREENSHOT"); shot && *shot) {
        QTimer::singleShot(500, &form, [&form, shot] {
            const bool ok = form.grab().save(QString::fromLocal8Bit(shot));
            std::printf("%s\n", ok ? shot : "screenshot failed");
            std::fflush(stdout);
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
