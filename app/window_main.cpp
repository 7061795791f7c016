// The windowed part of the program, kept in its own shared library so that a
// pop-up run with nothing to announce never loads the window toolkit.

#include <QApplication>
#include <QFont>
#include <QTimer>
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
    // TOVEL_EXIT_AFTER_PAINT=1: end as soon as the window has been painted once,
    // without touching the settings (start-up benchmark).
    if (const char* bench = std::getenv("TOVEL_EXIT_AFTER_PAINT"); bench && *bench == '1')
        form.findChild<QWidget*>("Picture1")->installEventFilter(new FirstPaintExit(&form));
    return app.exec();
}
