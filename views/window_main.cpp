// The window program, tovel-window. The program a user starts, tovel, hands
// over to it whenever there is something to show.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <ctime>

#include "app/program_folder.h"
#include "views/form1.h"

namespace {

// Ends the program right after the grid's first paint has gone to the
// screen, printing the moment (CLOCK_MONOTONIC, in milliseconds) on standard
// output, so that a benchmark can time start-up without the teardown.
class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("painted %.3f\n", double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6);
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

// SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C, a closed terminal)
// end the program at once in every state. A message box that is open is
// closed first. While start-up runs (whose messages are boxes of their own)
// the signal is only noted, and main() leaves as the state requires: without
// touching the settings after a damaged year table or in a pop-up run. Once
// the window is up it closes the normal way, so the settings are saved as on
// File > Exit. The handler only writes to a pipe; the event loop does the rest.
int signalPipe[2] = {-1, -1};
bool signalled = false;
bool windowUp = false;

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}

void CloseOnSignals(tovel::Form1& form) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &form);
    QObject::connect(notifier, &QSocketNotifier::activated, &form, [&form] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        signalled = true;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QDialog*>(widget); box && box->isVisible()) box->reject();
        if (windowUp) {
            form.EndBySignal();
            QCoreApplication::exit(0);
        }
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigset_t ours;
    sigemptyset(&ours);
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(sig, &action, nullptr);
        sigaddset(&ours, sig);
    }
    // A caller may have started us with them blocked; they are handled now.
    sigprocmask(SIG_UNBLOCK, &ours, nullptr);
}

bool EnvironmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

int main(int argc, char** argv) {
    const auto folder = tovel::ExecutableFolderOrSay();
    if (!folder) return 1;
    const std::string arguments = tovel::ArgumentText(argc, argv);
    QApplication app(argc, argv);
    // Known to the desktop, and to screen readers, as the program the user started.
    QApplication::setApplicationName("tovel");
    QGuiApplication::setDesktopFileName("org.tovel.Tovel");
    // The window's layout was made for these faces; these have the same metrics.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");

    tovel::Form1Options options;
    options.ProgramFolder = QString::fromStdString(*folder);
    options.Arguments = QString::fromLocal8Bit(arguments.c_str());
    const char* shot = std::getenv("TOVEL_SCREENSHOT");
    // An unattended run (TOVEL_UNATTENDED=1, or a screenshot) writes its
    // messages to standard output instead of waiting for someone to press OK.
    if (EnvironmentSet("TOVEL_UNATTENDED") || (shot && *shot))
        options.ShowMessage = [](const QString& text) {
            std::printf("Tovel: %s\n", text.toLocal8Bit().constData());
            std::fflush(stdout);
        };
    tovel::Form1 form(options);
    CloseOnSignals(form);
    const bool loaded = form.Form_Load();
    // A missing or damaged year table ends the program with status 1.
    if (signalled && loaded) form.EndBySignal();
    if (signalled || !loaded) return form.Failed() ? 1 : 0;
    windowUp = true;
    form.show();

    // TOVEL_SCREENSHOT=file.png: save a picture of the window once it is drawn,
    // then end without touching the settings (used where there is no display).
    if (shot && *shot) {
        QTimer::singleShot(500, &form, [&form, shot] {
            const bool ok = form.grab().save(QString::fromLocal8Bit(shot));
            std::printf("%s\n", ok ? shot : "screenshot failed");
            std::fflush(stdout);
            QApplication::exit(ok ? 0 : 1);
        });
    }
    // TOVEL_EXIT_AFTER_PAINT=1: end as soon as the window has been painted once,
    // without touching the settings (start-up benchmark).
    if (const char* bench = std::getenv("TOVEL_EXIT_AFTER_PAINT"); bench && *bench == '1')
        form.findChild<QWidget*>("Picture1")->installEventFilter(new FirstPaintExit(&form));
    return app.exec();
}
