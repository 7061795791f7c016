#pragma once
// Helpers of the window tests: a program folder of its own, sunset tables, and a started main
// window with a fixed "today" whose messages are recorded.

#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <memory>

#include "views/calendar_text.h"
#include "views/form1.h"
#include "views/picture_box.h"

namespace window_test {

const QString kReminder = "The jewish day starts at sunset of the previous day";
const QColor kBlack(0, 0, 0), kRed(200, 0, 150), kGreen(0, 200, 50);

inline int Px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }
inline QByteArray IniWith(const QByteArray& lines) { return "[Tovel]\r\n" + lines; }
template <typename... T>
inline void Columns(std::initializer_list<const char*> names) {
    auto name = names.begin();
    (QTest::addColumn<T>(*name++), ...);
}

class Folder {
public:
    explicit Folder(bool withTable = true) {
        if (withTable) QFile::copy(TOVEL_DATA_DIR "/RHDates.Tvl", File("RHDates.Tvl"));
    }
    QString Path() const { return dir_.path(); }
    QString File(const QString& name) const { return dir_.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile f(File(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    }
    QByteArray Read(const QString& name) const {
        QFile f(File(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QMap<QString, QByteArray> Snapshot() const {  // folders show as "<folder>"
        QMap<QString, QByteArray> out;
        const auto filter = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
        for (const QFileInfo& info : QDir(Path()).entryInfoList(filter))
            out[info.fileName()] = info.isDir() ? QByteArray("<folder>") : Read(info.fileName());
        return out;
    }

private:
    QTemporaryDir dir_;
};

// A sunset table (name line, then " Mon DD  H:MM" per day) whose afternoon times differ from day to
// day and between tables.
inline QTime SunTime(const QDate& d, int shift) {
    const int m = d.month(), day = d.day();
    return QTime(13 + (m * 31 + day + shift) % 9, (m * 7 + day * 3 + shift * 11) % 60);
}
inline QString SunText(const QDate& d, int shift) {
    return " " + SunTime(d, shift).toString("HH:mm");
}
inline QByteArray SunTable(const QString& name, int shift) {
    QByteArray out = name.toLatin1() + "\r\n";
    for (QDate d(2000, 1, 1); d.year() == 2000; d = d.addDays(1)) {
        const QString time = QLocale::c().toString(SunTime(d, shift).addSecs(-12 * 3600), "h:mm");
        out += QLocale::c().toString(d, " MMM ").toLatin1() +
               QByteArray::number(d.day()).rightJustified(2) + "  " + time.toLatin1() + "\r\n";
    }
    return out;
}
// One sunset table, "Home" (shift 0), in force from the start.
inline void Locate(const Folder& folder) {
    folder.Write("home.sun", SunTable("Home", 0));
    folder.Write("Tovel.ini", IniWith("ActiveLocation=1\r\n"));
}

// The "key=value" lines of a settings file.
inline QStringList KeyLines(const QByteArray& content) {
    return QString::fromLatin1(content)
        .split(QRegularExpression("\\s*\\n\\s*"))
        .filter(QRegularExpression("^[^;].*="));
}

struct Run {
    std::unique_ptr<tovel::Form1> Form;
    std::shared_ptr<QStringList> Messages = std::make_shared<QStringList>();
    bool Loaded = false;
    QLabel* Label(const char* name) const { return Form->findChild<QLabel*>(name); }
    QAction* Action(const QString& name) const { return Form->findChild<QAction*>(name); }
    tovel::PictureBox* Grid() const { return Form->findChild<tovel::PictureBox*>("Picture1"); }
    QComboBox* Chooser() const { return Form->findChild<QComboBox*>("Combo1"); }
    const QImage& Canvas() const { return Grid()->Image(); }
    QWidget* Marker() const { return Form->findChild<QWidget*>("Shape1"); }
};

// A started window on the program folder `folder`; `shown` also shows and activates it, the grid
// having the keyboard.
inline Run Start(const QString& folder, const QDate& today, const QString& arguments = {},
                 bool shown = false) {
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    Run run;
    const auto day = tovel::Date::FromYmd(today.year(), today.month(), today.day());
    run.Form = std::make_unique<tovel::Form1>(tovel::Form1Options{
        folder, [day] { return day; },
        [messages = run.Messages](const QString& text) { messages->append(text); }, arguments,
        [messages = run.Messages](const QString& text) {
            return messages->append("? " + text), true;
        }});
    run.Loaded = run.Form->Form_Load();
    if (!shown) return run;
    run.Form->show();
    run.Form->activateWindow();
    run.Loaded = run.Loaded && QTest::qWaitForWindowActive(run.Form.get());
    return run;
}
inline Run Start(const Folder& folder, const QDate& today, const QString& arguments = {},
                 bool shown = false) {
    return Start(folder.Path(), today, arguments, shown);
}
inline Run Shown(const Folder& folder, const QDate& today) {
    return Start(folder, today, {}, true);
}

// The open dialog `name` (a closed one may wait for its deletion), a control in it, its OK button.
inline QDialog* Shown(const Run& run, const char* name) {
    for (QDialog* d : run.Form->findChildren<QDialog*>(name))
        if (d->isVisible()) return d;
    return nullptr;
}
template <typename T>
T* In(QDialog* dialog, const char* name) {
    return dialog ? dialog->findChild<T*>(name) : nullptr;
}
inline void Ok(QDialog* dialog) {
    In<QDialogButtonBox>(dialog, "Buttons")->button(QDialogButtonBox::Ok)->click();
}

// Everything a step that does nothing must leave alone: SelDate, GregDate, month/day, marker, a
// checksum of the canvas, Label1, Label2, Label10, Label9.
inline QStringList Snapshot(const Run& run) {
    const tovel::CalendarState& s = run.Form->State();
    const QRect m = run.Marker()->geometry();
    const QImage& c = run.Canvas();
    QStringList out = {QString::number(s.SelDate.Serial()), QString::number(s.GregDate.Serial()),
                       QString::asprintf("%d/%d at %d,%d %dx%d, %zx", s.JewMonthNo, s.JewDay, m.x(),
                                         m.y(), m.width(), m.height(),
                                         size_t(qHash(QByteArrayView(c.bits(), c.sizeInBytes()))))};
    for (const char* label : {"Label1", "Label2", "Label10", "Label9"})
        out << run.Label(label)->text();
    return out;
}

// Works the controls as a user does, step by step (", " between steps): a button's caption, a menu
// item's name, "pick <entry>" (the chooser reached by Tab, opened and walked with the keys),
// "<left|right|middle> x y [Ctrl]" (a click on the grid at pixel x, y), or a key typed on the grid
// by its name ("Right", "Ctrl+Down"). Any other step fails the test.
inline void Do(const Run& run, const QString& steps) {
    static const QStringList captions = {"<", ">", "Today", "<<", ">>"},
                             mice = {"left", "right", "middle"};
    for (const QString& step : steps.split(", ", Qt::SkipEmptyParts)) {
        const QStringList w = step.split(' ');
        const QKeySequence keys(step);
        if (const int b = captions.indexOf(step); b >= 0) {
            const QString name = "Command" + QString::number("13456"[b] - '0');
            QTest::mouseClick(run.Form->findChild<QPushButton*>(name), Qt::LeftButton);
        } else if (QAction* item = run.Action(step)) {
            item->trigger();
        } else if (w[0] == "pick") {
            QAbstractItemView* list = run.Chooser()->view();
            run.Chooser()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(run.Chooser(), Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(list->isVisible());
            QTest::keyClick(list, Qt::Key_Home);
            const int entry = run.Chooser()->findText(step.mid(5));
            if (entry < 0) QTest::qFail(qPrintable("no entry: " + step), __FILE__, __LINE__);
            for (int i = entry; i > 0; --i) QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Return);
            QTRY_VERIFY(!list->isVisible());
        } else if (const int m = mice.indexOf(w[0]); m >= 0) {  // Qt's buttons: 1, 2, 4
            const auto modifier = w.value(3) == "Ctrl" ? Qt::ControlModifier : Qt::NoModifier;
            QTest::mouseClick(run.Grid(), Qt::MouseButton(1 << m), modifier,
                              {w[1].toInt(), w[2].toInt()});
        } else if (keys.count() == 1 && keys.toString() == step) {
            QTest::keyClick(run.Grid(), keys[0].key(), keys[0].keyboardModifiers());
        } else {
            return QTest::qFail(qPrintable("unknown step: " + step), __FILE__, __LINE__);
        }
    }
}

}  // namespace window_test
