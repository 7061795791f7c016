// The windowed part of the program, kept in its own shared library so that a
// pop-up run with nothing to announce never loads the window toolkit.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "views/form1.h"

namespace {

// Ends the event loop right after the grid's first paint.
class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, [] { QApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

// SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C, a closed terminal)
// close the window the normal way, so the settings are saved as on File > Exit.
// The handler only writes to a pipe; the event loop does the closing.
int signalPipe[2] = {-1, -1};

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
        form.close();
        QApplication::quit();
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

extern "C" __attribute__((visibility("default"))) int TovelWindowMain(int argc, char** argv,
                                                                      const char* folder,
                                                                      const char* arguments) {
    QApplication app(argc, argv);
    // The window's layout was made for these faces; these have the same metrics.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");

    tovel::Form1Options options;
    options.ProgramFolder = QString::fromUtf8(folder);
    options.Arguments = QString::fromLocal8Bit(arguments);
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
    if (!form.Form_Load()) return 0;
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
