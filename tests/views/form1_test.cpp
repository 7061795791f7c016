// The main window on the offscreen platform, driven the way the program drives
// it: a program folder with the year table (and, per test, a settings file and
// sunset tables), a fixed "today", and the window's own start-up. Expected
// values come from the drawing and settings rules and from an independent
// reading of the year table (form1_calendar.h), not from the window's code.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMap>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include <sys/stat.h>

#include "form1_calendar.h"
#include "views/form1.h"
#include "views/picture_box.h"

using form1test::JewishMonth;
using form1test::YearTable;

namespace {

const QString kReminder = "The jewish day starts at sunset of the previous day";
const QColor kBlackInk(0, 0, 0);
const QColor kSaturdayInk(200, 0, 150);
const QColor kHolidayInk(0, 200, 50);
const QStringList kEnglishMonths = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
const QStringList kAbbreviations = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Grid geometry in twips.
constexpr int kCellWidth = 650, kCellHeight = 450, kGridLeft = 250, kGridTop = 150;
// The part of the canvas one cell owns, in pixels: the glyph and the number under it.
constexpr int kCellPixelsWide = 43, kCellPixelsHigh = 30;

int Px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

tovel::Date ToDate(const QDate& d) {
    return tovel::Date::FromYmd(d.year(), static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
}
QDate ToQDate(const tovel::Date& d) { return QDate(d.Year(), d.Month(), d.Day()); }

int ColumnOf(const QDate& d) { return d.dayOfWeek() % 7 + 1; }  // 1 = Sunday .. 7 = Saturday

const YearTable& Table() {
    static const YearTable table(QStringLiteral(TOVEL_DATA_DIR "/RHDates.Tvl"));
    return table;
}

// The first month in years first..last that satisfies `pred`.
template <typename Pred>
std::optional<JewishMonth> FindMonth(int first, int last, Pred pred) {
    for (const JewishMonth& m : Table().MonthsBetween(first, last))
        if (pred(m)) return m;
    return std::nullopt;
}

// ---- program folders ---------------------------------------------------------

class Folder {
public:
    explicit Folder(bool withTable = true) {
        if (withTable) QFile::copy(QStringLiteral(TOVEL_DATA_DIR "/RHDates.Tvl"), File("RHDates.Tvl"));
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
    // Every entry of the folder with its content; folders show as "<folder>".
    std::map<QString, QByteArray> Snapshot() const {
        std::map<QString, QByteArray> out;
        const QDir d(Path());
        for (const QFileInfo& info :
             d.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            out[info.fileName()] = info.isDir() ? QByteArray("<folder>") : Read(info.fileName());
        return out;
    }

private:
    QTemporaryDir dir_;
};

// A sunset time that differs between days and between tables.
struct SunTime {
    int Hour;    // 1..9, afternoon
    int Minute;  // 0..59
};
SunTime SunTimeFor(int month, int day, int shift) {
    return {1 + (month * 31 + day + shift) % 9, (month * 7 + day * 3 + shift * 11) % 60};
}
// The status line's time text: a blank, the 24-hour hour, the minutes as written.
QString SunTimeText(const QDate& d, int shift) {
    const SunTime t = SunTimeFor(d.month(), d.day(), shift);
    return QString(" %1:%2").arg(12 + t.Hour).arg(t.Minute, 2, 10, QChar('0'));
}
// A sunset table: the name line, then one line per day of the year, CR LF.
QByteArray SunTable(const QString& name, int shift) {
    QByteArray out = name.toLatin1() + "\r\n";
    for (QDate d(2000, 1, 1); d.year() == 2000; d = d.addDays(1)) {
        const SunTime t = SunTimeFor(d.month(), d.day(), shift);
        out += QString(" %1 %2  %3:%4\r\n")
                   .arg(kAbbreviations[d.month() - 1])
                   .arg(d.day(), 2)
                   .arg(t.Hour)
                   .arg(t.Minute, 2, 10, QChar('0'))
                   .toLatin1();
    }
    return out;
}

// The keys of one section of a settings file, and how often each occurs.
struct Section {
    bool Found = false;
    QMap<QString, QString> Values;
    QMap<QString, int> Count;
};
Section ReadSection(const QByteArray& content, const QString& name) {
    Section out;
    bool inside = false;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        const QString text = QString::fromLatin1(line).trimmed();
        if (text.startsWith('[')) {
            inside = text.mid(1, text.indexOf(']') - 1).trimmed().compare(name, Qt::CaseInsensitive) == 0;
            out.Found = out.Found || inside;
        } else if (inside && text.contains('=') && !text.startsWith(';')) {
            const QString key = text.section('=', 0, 0).trimmed();
            out.Values[key] = text.section('=', 1).trimmed();
            ++out.Count[key];
        }
    }
    return out;
}

// ---- starting the window -----------------------------------------------------

struct Run {
    std::unique_ptr<tovel::Form1> Form;
    std::shared_ptr<QStringList> Messages = std::make_shared<QStringList>();
    bool Loaded = false;

    template <typename T>
    T* Child(const char* name) const { return Form->findChild<T*>(QString::fromLatin1(name)); }
    QLabel* Label(const char* name) const { return Child<QLabel>(name); }
    QAction* Action(const char* name) const { return Child<QAction>(name); }
    tovel::PictureBox* Picture() const { return Child<tovel::PictureBox>("Picture1"); }
    QWidget* Marker() const { return Child<QWidget>("Shape1"); }
};

Run Start(const Folder& folder, const QDate& today, const QString& arguments = {}) {
    Run run;
    tovel::Form1Options options;
    options.ProgramFolder = folder.Path();
    options.Today = [today] { return ToDate(today); };
    options.ShowMessage = [messages = run.Messages](const QString& text) { messages->append(text); };
    options.Arguments = arguments;
    run.Form = std::make_unique<tovel::Form1>(options);
    run.Loaded = run.Form->Form_Load();
    return run;
}

// Shows `day` the way the window does after a change of the selected day.
bool Select(Run& run, const QDate& day) {
    run.Form->State().SelDate = ToDate(day);
    if (!run.Form->FindGDate()) return false;
    run.Form->FillPicture();
    return true;
}

// ---- the month grid as drawn ---------------------------------------------------

struct Sheets {
    QImage Black, Red, Green;
};
const Sheets& GlyphSheets() {
    static const Sheets sheets = [] {
        auto load = [](const char* name) {
            return QImage(QStringLiteral(TOVEL_VIEWS_DIR "/") + QLatin1String(name))
                .convertToFormat(QImage::Format_RGB32);
        };
        return Sheets{load("glyphs_black.png"), load("glyphs_red.png"), load("glyphs_green.png")};
    }();
    return sheets;
}

QFont NumberFont() {
    QFont font("Times New Roman");
    font.setPointSize(8);
    font.setItalic(true);
    return font;
}

struct CellPlace {
    int X, Y;  // top-left of the glyph, twips
};
CellPlace PlaceOf(int column, int row) {
    return {(column - 1) * kCellWidth + kGridLeft, (row - 1) * kCellHeight + kGridTop};
}

// What one day's cell must look like: the day's glyph in its ink at the cell's
// corner, and under it the Gregorian day as " N" in the number font, shifted
// right by 40 twips from Jewish day 10 on.
QImage ExpectedCell(int jewDay, int gregDay, const QColor& ink, const CellPlace& at) {
    QImage cell(kCellPixelsWide, kCellPixelsHigh, QImage::Format_RGB32);
    cell.fill(Qt::white);
    const QImage& sheet = ink == kHolidayInk ? GlyphSheets().Green
                          : ink == kSaturdayInk ? GlyphSheets().Red
                                                : GlyphSheets().Black;
    QPainter p(&cell);
    p.drawImage(QPoint(0, 0), sheet.copy((jewDay - 1) * 20, 0, 20, 20));
    const QFont font = NumberFont();
    p.setFont(font);
    p.setPen(ink);
    const int textX = jewDay >= 10 ? at.X + 40 : at.X;
    const int textY = at.Y + 250;
    p.drawText(QPoint(Px(textX) - Px(at.X), Px(textY) - Px(at.Y) + QFontMetrics(font).ascent()),
               " " + QString::number(gregDay));
    return cell;
}

QImage CellOnCanvas(const QImage& canvas, const CellPlace& at) {
    return canvas.copy(Px(at.X), Px(at.Y), kCellPixelsWide, kCellPixelsHigh);
}

QColor InkFor(bool holiday, const QDate& day) {
    if (holiday) return kHolidayInk;
    return ColumnOf(day) == 7 ? kSaturdayInk : kBlackInk;
}

// Leftmost column holding anything but white in rows [top, top + height) of
// `image`, or -1.
int LeftmostInk(const QImage& image, int left, int top, int width, int height) {
    for (int x = left; x < left + width; ++x)
        for (int y = top; y < top + height; ++y)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return x;
    return -1;
}

// The Gregorian line from the rule, with English month names.
QString SpanText(const QDate& first, const QDate& next) {
    const QString m1 = kEnglishMonths[first.month() - 1], m2 = kEnglishMonths[next.month() - 1];
    const QString y1 = QString::number(first.year()), y2 = QString::number(next.year());
    if (y1 != y2) return m1 + " " + y1 + " / " + m2 + " " + y2;
    if (m1 != m2) return m1 + " / " + m2 + " " + y1;
    return m1 + " " + y1;
}

QByteArray IniWith(const QByteArray& lines) { return "[Tovel]\r\n" + lines; }

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowAfterStartUp();
    void monthGridSweep_data();
    void monthGridSweep();
    void holidayDays_data();
    void holidayDays();
    void numberShiftFollowsJewishDay();
    void thirtyDaysFromSaturday();
    void gregorianLine_data();
    void gregorianLine();
    void markerPlace_data();
    void markerPlace();
    void statusLines_data();
    void statusLines();
    void mouseMovesRestoreReminder_data();
    void mouseMovesRestoreReminder();
    void weekdayHeader_data();
    void weekdayHeader();
    void firstRunWritesSettings();
    void handEditedValues_data();
    void handEditedValues();
    void foreignLinesSurviveSave();
    void readOnlyFolder();
    void settingsFileIsAFolder();
    void damagedSettingsFile_data();
    void damagedSettingsFile();
    void savedPosition_data();
    void savedPosition();
    void sunsetMenu_data();
    void sunsetMenu();
    void missingYearTable();
    void popupRuns_data();
    void popupRuns();
};

void Form1Test::initTestCase() {
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    QVERIFY2(Table().Ok(), "year table not readable");
    QVERIFY(!GlyphSheets().Black.isNull() && !GlyphSheets().Red.isNull() && !GlyphSheets().Green.isNull());
}

void Form1Test::init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
void Form1Test::cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

void Form1Test::windowAfterStartUp() {
    Folder folder;
    Run run = Start(folder, QDate(1999, 9, 11));
    QVERIFY(run.Loaded);
    QVERIFY(run.Messages->isEmpty());
    tovel::Form1& form = *run.Form;

    QCOMPARE(form.windowTitle(), QString("Tovel - Jewish Calendar"));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.size(), form.minimumSize());
    QCOMPARE(run.Label("Label1")->text(), QString(" Tishri  5760"));
    QCOMPARE(run.Label("Label9")->text(), kReminder);
    QCOMPARE(run.Label("Label10")->text(), QString("Rosh Hashanah"));
    QCOMPARE(run.Label("Label3")->text(), QString("Sun    Mon    Tue    Wed    Thu    Fri    Sat"));
    QVERIFY(run.Marker()->isVisibleTo(&form));

    const char* steps[] = {"Step1", "Step2", "Step5", "Step10", "Step20", "Step50"};
    for (const char* step : steps) {
        QVERIFY2(run.Action(step), step);
        QCOMPARE(run.Action(step)->isChecked(), QByteArray(step) == "Step1");
    }
    QVERIFY(run.Action("JewishMnu")->isChecked());
    QVERIFY(!run.Action("GregorianMnu")->isChecked());

    // Showing the window keeps its size and what was drawn.
    const QImage before = run.Picture()->Image().copy();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), form.minimumSize());
    QCOMPARE(run.Picture()->Image(), before);
}

// Every month of a range of years: the cells as drawn, the empty cells, the
// title, the Gregorian line, the marker and status line 1.
void Form1Test::monthGridSweep_data() {
    QTest::addColumn<int>("year");
    for (int year : {Table().FirstYear(), 5760, 5761, 5762, 5764, 5765, 5772, 5779, 5787, 6000,
                     Table().LastYear() - 2})
        QTest::addRow("%d", year) << year;
}

void Form1Test::monthGridSweep() {
    QFETCH(int, year);
    const std::vector<JewishMonth> months = Table().Months(year);
    QVERIFY(months.size() == 12 || months.size() == 13);

    Folder folder;
    Run run = Start(folder, months.front().First);
    QVERIFY(run.Loaded);
    tovel::Form1& form = *run.Form;
    const tovel::CalendarState& s = form.State();

    for (std::size_t i = 0; i < months.size(); ++i) {
        const JewishMonth& m = months[i];
        const int selected = static_cast<int>(i * 7 + 3) % m.Days + 1;
        QVERIFY(Select(run, m.First.addDays(selected - 1)));
        const QString where = QString("%1 %2").arg(m.Name).arg(year);

        QCOMPARE(int(s.JewYear), year);
        QCOMPARE(int(s.MonthDays), m.Days);
        QCOMPARE(int(s.JewDay), selected);
        QCOMPARE(ToQDate(s.FirstDate), m.First);

        const QString title = run.Label("Label1")->text();
        if (m.Name == "Adar") {  // the single Adar: only the layout is checked
            QVERIFY2(title.startsWith(" Adar") && title.endsWith("  " + QString::number(year)),
                     qPrintable(title));
        } else {
            QCOMPARE(title, " " + m.Name + "  " + QString::number(year));
        }
        QCOMPARE(run.Label("Label2")->text(), SpanText(m.First, m.Next()));

        const QImage& canvas = run.Picture()->Image();
        const int firstColumn = ColumnOf(m.First);
        for (int day = 1; day <= m.Days; ++day) {
            const QDate date = m.First.addDays(day - 1);
            const int column = ColumnOf(date);
            const int row = (firstColumn - 1 + day - 1) / 7 + 1;
            const CellPlace at = PlaceOf(column, row);
            const QColor ink = InkFor(!s.DayText[static_cast<std::size_t>(day)].empty(), date);
            const QString cellName = QString("%1, day %2").arg(where).arg(day);
            // The bar across rows 16-17 of the glyph carries the ink.
            QVERIFY2(canvas.pixelColor(Px(at.X) + 10, Px(at.Y) + 16) == ink, qPrintable(cellName));
            QVERIFY2(CellOnCanvas(canvas, at) == ExpectedCell(day, date.day(), ink, at),
                     qPrintable(cellName));
        }
        // The cells before day 1 and after the last day stay blank.
        QImage blank(kCellPixelsWide, kCellPixelsHigh, QImage::Format_RGB32);
        blank.fill(Qt::white);
        for (int k = 0; k < 42; ++k) {
            if (k >= firstColumn - 1 && k < firstColumn - 1 + m.Days) continue;
            const CellPlace at = PlaceOf(k % 7 + 1, k / 7 + 1);
            QVERIFY2(CellOnCanvas(canvas, at) == blank, qPrintable(QString("%1, empty cell %2").arg(where).arg(k)));
        }

        // The marker around the selected day, default corrections.
        const int n = firstColumn + selected - 2;
        const QRect marker(Px((n % 7) * kCellWidth + kGridLeft - 100),
                           Px((n / 7) * kCellHeight + kGridTop - 10 + 20), Px(530), Px(470));
        QCOMPARE(run.Marker()->geometry(), marker);
        QVERIFY(run.Marker()->isVisibleTo(&form));

        QCOMPARE(run.Label("Label10")->text(),
                 QString::fromStdString(s.DayText[static_cast<std::size_t>(selected)]));
        QCOMPARE(run.Label("Label9")->text(), kReminder);
    }
    QVERIFY(run.Messages->isEmpty());
}

// Known holiday days: the status line when the day is selected and the ink of
// its cell (a holiday is green even on a Saturday).
void Form1Test::holidayDays_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<int>("jewDay");
    QTest::addColumn<QString>("text");
    QTest::newRow("Rosh Hashanah 1") << QDate(1999, 9, 11) << 1 << "Rosh Hashanah";
    QTest::newRow("Rosh Hashanah 2") << QDate(1999, 9, 12) << 2 << "Rosh Hashanah";
    QTest::newRow("Tishri 3") << QDate(1999, 9, 13) << 3 << "";
    QTest::newRow("Yom Kippur") << QDate(1999, 9, 20) << 10 << "Yom Kippur";
    QTest::newRow("Hanukkah on a Saturday") << QDate(1999, 12, 4) << 25 << "Hanukkah (8 days)";
    QTest::newRow("Kislev 24, Friday") << QDate(1999, 12, 3) << 24 << "";
    QTest::newRow("Esther fast moved to 11 Adar") << QDate(2004, 3, 4) << 11 << "Ta 'anit Esther";
    QTest::newRow("13 Adar a plain Saturday") << QDate(2004, 3, 6) << 13 << "";
    QTest::newRow("Purim") << QDate(2004, 3, 7) << 14 << "Purim";
    QTest::newRow("9 Av a plain Saturday") << QDate(2012, 7, 28) << 9 << "";
    QTest::newRow("Tisha B'Av moved to 10 Av") << QDate(2012, 7, 29) << 10 << "Tisha B 'Av";
}

void Form1Test::holidayDays() {
    QFETCH(QDate, day);
    QFETCH(int, jewDay);
    QFETCH(QString, text);
    const auto month = Table().MonthOf(day);
    QVERIFY(month);
    QCOMPARE(static_cast<int>(month->First.daysTo(day)) + 1, jewDay);

    Folder folder;
    Run run = Start(folder, day);
    QVERIFY(run.Loaded);
    QCOMPARE(run.Label("Label10")->text(), text);
    QCOMPARE(QString::fromStdString(run.Form->State().DayText[static_cast<std::size_t>(jewDay)]), text);

    const int row = (ColumnOf(month->First) - 1 + jewDay - 1) / 7 + 1;
    const CellPlace at = PlaceOf(ColumnOf(day), row);
    const QColor ink = InkFor(!text.isEmpty(), day);
    QCOMPARE(run.Picture()->Image().pixelColor(Px(at.X) + 10, Px(at.Y) + 16), ink);
    QVERIFY(CellOnCanvas(run.Picture()->Image(), at) == ExpectedCell(jewDay, day.day(), ink, at));
}

// Day 9 printed at the cell's x, day 10 at x + 40 twips, whatever the width of
// the Gregorian number: here day 9 is the 30th or 31st and day 10 the 1st.
void Form1Test::numberShiftFollowsJewishDay() {
    const auto month = FindMonth(5760, 5790, [](const JewishMonth& m) {
        return m.First.addDays(8).day() >= 30 && m.First.addDays(9).day() == 1;
    });
    QVERIFY(month);
    Folder folder;
    Run run = Start(folder, month->First);
    QVERIFY(run.Loaded);
    const QImage& canvas = run.Picture()->Image();

    // Where the ink of " N" starts when printed at pixel 0.
    auto inkStart = [](int number) {
        QImage scratch(60, 20, QImage::Format_RGB32);
        scratch.fill(Qt::white);
        QPainter p(&scratch);
        p.setFont(NumberFont());
        p.setPen(Qt::black);
        p.drawText(QPoint(0, QFontMetrics(NumberFont()).ascent()), " " + QString::number(number));
        p.end();
        return LeftmostInk(scratch, 0, 0, 60, 20);
    };

    for (int day : {9, 10}) {
        const QDate date = month->First.addDays(day - 1);
        const int row = (ColumnOf(month->First) - 1 + day - 1) / 7 + 1;
        const CellPlace at = PlaceOf(ColumnOf(date), row);
        // The rows under the glyph, across the cell.
        const int left = LeftmostInk(canvas, Px(at.X), Px(at.Y) + 20, kCellPixelsWide, 10);
        QVERIFY(left >= 0);
        const int shift = day >= 10 ? Px(at.X + 40) - Px(at.X) : 0;
        QCOMPARE(left - Px(at.X), shift + inkStart(date.day()));
    }
}

// A 30-day month starting on a Saturday needs a sixth row for day 30 alone.
void Form1Test::thirtyDaysFromSaturday() {
    const auto month = FindMonth(5760, 5800, [](const JewishMonth& m) {
        return m.Days == 30 && ColumnOf(m.First) == 7;
    });
    QVERIFY(month);
    Folder folder;
    Run run = Start(folder, month->First.addDays(29));
    QVERIFY(run.Loaded);
    QCOMPARE(int(run.Form->State().JewDay), 30);
    const QImage& canvas = run.Picture()->Image();

    const QDate last = month->First.addDays(29);
    QCOMPARE(ColumnOf(last), 1);
    const CellPlace at = PlaceOf(1, 6);
    QVERIFY(CellOnCanvas(canvas, at) == ExpectedCell(30, last.day(), InkFor(false, last), at));
    QImage blank(kCellPixelsWide, kCellPixelsHigh, QImage::Format_RGB32);
    blank.fill(Qt::white);
    for (int column = 2; column <= 7; ++column)
        QVERIFY(CellOnCanvas(canvas, PlaceOf(column, 6)) == blank);
    QCOMPARE(run.Marker()->geometry(), QRect(Px(150), Px(2410), Px(530), Px(470)));
}

void Form1Test::gregorianLine_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("french");
    QTest::addColumn<int>("capitalize");
    QTest::addColumn<QString>("expected");

    const auto october = FindMonth(5760, 5900, [](const JewishMonth& m) {
        return m.Days == 30 && m.First.month() == 10 && m.First.day() == 2;
    });
    const auto december = FindMonth(5787, 5900, [](const JewishMonth& m) {
        return m.First.month() == 12 && m.Next().month() == 1;
    });
    const auto within = FindMonth(5760, 5900, [](const JewishMonth& m) {
        return m.Days == 29 && m.First.day() == 1 && m.First.daysInMonth() == 31;
    });
    QVERIFY(october && december && within);
    QCOMPARE(october->Next(), QDate(october->First.year(), 11, 1));

    const QString y = QString::number(october->First.year());
    QTest::newRow("2 to 31 October") << october->First.addDays(5) << false << 0
                                     << "October / November " + y;
    QTest::newRow("December into January")
        << december->First << false << 0
        << QString("December %1 / January %2").arg(december->First.year()).arg(december->First.year() + 1);
    QTest::newRow("whole month inside one")
        << within->First.addDays(28) << false << 0
        << kEnglishMonths[within->First.month() - 1] + " " + QString::number(within->First.year());
    QTest::newRow("capitalised, English") << october->First << false << 1 << "October / November " + y;
    // Heshvan 5762 runs from 18 October 2001 into November.
    QTest::newRow("French as written") << QDate(2001, 11, 1) << true << 0 << "octobre / novembre 2001";
    QTest::newRow("French capitalised") << QDate(2001, 11, 1) << true << 1 << "Octobre / Novembre 2001";
}

void Form1Test::gregorianLine() {
    QFETCH(QDate, day);
    QFETCH(bool, french);
    QFETCH(int, capitalize);
    QFETCH(QString, expected);
    if (french) QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    Folder folder;
    folder.Write("Tovel.ini", IniWith("CapitalizeDates=" + QByteArray::number(capitalize) + "\r\n"));
    Run run = Start(folder, day);
    QVERIFY(run.Loaded);
    QCOMPARE(run.Label("Label2")->text(), expected);
}

void Form1Test::markerPlace_data() {
    QTest::addColumn<int>("firstColumn");  // weekday of day 1
    QTest::addColumn<int>("days");         // 0: any length
    QTest::addColumn<int>("jewDay");
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QPoint>("twips");  // marker's top-left

    const QByteArray zero = IniWith("AddXJ=0\r\nAddYJ=0\r\n");
    QTest::newRow("Sunday start, day 1") << 1 << 0 << 1 << QByteArray() << QPoint(150, 160);
    QTest::newRow("Saturday start, day 1") << 7 << 0 << 1 << QByteArray() << QPoint(4050, 160);
    QTest::newRow("Saturday start, day 30") << 7 << 30 << 30 << QByteArray() << QPoint(150, 2410);
    QTest::newRow("Sunday start, day 1, no correction") << 1 << 0 << 1 << zero << QPoint(250, 140);
    QTest::newRow("Saturday start, day 30, no correction") << 7 << 30 << 30 << zero << QPoint(250, 2390);
    // Wednesday start: day 17 is the 20th cell, row 3, column 6.
    QTest::newRow("Wednesday start, day 17, no correction") << 4 << 0 << 17 << zero << QPoint(3500, 1040);
    QTest::newRow("Wednesday start, day 17") << 4 << 0 << 17 << QByteArray() << QPoint(3400, 1060);
    // Monday start: day 29 is the 30th cell, row 5, column 2.
    QTest::newRow("Monday start, day 29, own correction")
        << 2 << 0 << 29 << IniWith("AddXJ=-40\r\nAddYJ=35\r\n") << QPoint(1 * 650 + 250 - 40, 4 * 450 + 140 + 35);
}

void Form1Test::markerPlace() {
    QFETCH(int, firstColumn);
    QFETCH(int, days);
    QFETCH(int, jewDay);
    QFETCH(QByteArray, ini);
    QFETCH(QPoint, twips);
    const auto month = FindMonth(5760, 5800, [&](const JewishMonth& m) {
        return ColumnOf(m.First) == firstColumn && (days == 0 || m.Days == days) && m.Days >= jewDay;
    });
    QVERIFY(month);
    Folder folder;
    if (!ini.isEmpty()) folder.Write("Tovel.ini", ini);
    Run run = Start(folder, month->First.addDays(jewDay - 1));
    QVERIFY(run.Loaded);
    QCOMPARE(run.Marker()->geometry(), QRect(Px(twips.x()), Px(twips.y()), Px(530), Px(470)));
    QVERIFY(run.Marker()->isVisibleTo(run.Form.get()));
}

// Status line 1 with and without an active location: three tables, the second active.
void Form1Test::statusLines_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("located");
    QTest::addColumn<QString>("expected");
    const QDate yomKippur(1999, 9, 20), plain(1999, 9, 15), early(2004, 3, 5), purim(2004, 3, 7);
    QTest::newRow("holiday, no location") << yomKippur << false << "Yom Kippur";
    QTest::newRow("ordinary day, no location") << plain << false << "";
    QTest::newRow("holiday, located")
        << yomKippur << true << "Yom Kippur - sun sets in Beta Ville at " + SunTimeText(yomKippur, 2);
    QTest::newRow("ordinary day, located") << plain << true << "Sun sets in Beta Ville at " + SunTimeText(plain, 2);
    QTest::newRow("one-digit day, located") << early << true << "Sun sets in Beta Ville at " + SunTimeText(early, 2);
    QTest::newRow("Purim, located") << purim << true << "Purim - sun sets in Beta Ville at " + SunTimeText(purim, 2);
}

void Form1Test::statusLines() {
    QFETCH(QDate, day);
    QFETCH(bool, located);
    QFETCH(QString, expected);
    Folder folder;
    if (located) {
        folder.Write("c_gamma.sun", SunTable("Gamma City", 3));
        folder.Write("a_alpha.sun", SunTable("Alpha Town", 1));
        folder.Write("b_beta.sun", SunTable("Beta Ville", 2));
        folder.Write("Tovel.ini", IniWith("ActiveLocation=2\r\n"));
    }
    Run run = Start(folder, day);
    QVERIFY(run.Loaded);
    QCOMPARE(run.Label("Label10")->text(), expected);
    QCOMPARE(run.Label("Label9")->text(), kReminder);
    QVERIFY(run.Messages->isEmpty());
}

void Form1Test::mouseMovesRestoreReminder_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<bool>("restores");
    QTest::newRow("window background") << "Client" << true;
    QTest::newRow("weekday header") << "Label3" << true;
    QTest::newRow("grid") << "Picture1" << true;
    for (const char* name : {"Combo1", "Frame1", "Label1", "Label2", "Label10", "Command1", "Command3",
                             "Command4", "Command5", "Command6"})
        QTest::newRow(name) << name << false;
}

void Form1Test::mouseMovesRestoreReminder() {
    QFETCH(QString, widget);
    QFETCH(bool, restores);
    Folder folder;
    Run run = Start(folder, QDate(1999, 9, 15));
    QVERIFY(run.Loaded);
    run.Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(run.Form.get()));

    QWidget* target = run.Form->findChild<QWidget*>(widget);
    QVERIFY(target);
    // A point on the widget itself, not on one of its children.
    QPoint at = target->rect().center();
    if (widget == "Client" || widget == "Frame1") at = QPoint(3, 3);
    QVERIFY(!target->childAt(at));
    QVERIFY(!target->childAt(at - QPoint(1, 1)));
    QLabel* status = run.Label("Label9");

    // Through the window, as the pointer moves: the window finds the widget
    // under the point. The first move only gets the pointer onto the widget.
    QWindow* window = run.Form->windowHandle();
    QVERIFY(window);
    const QPoint inWindow = target->mapTo(run.Form.get(), at);
    QTest::mouseMove(window, inWindow - QPoint(1, 1));
    status->setText("hint");
    QTest::mouseMove(window, inWindow);
    QCOMPARE(status->text(), restores ? kReminder : QString("hint"));

    // Straight to the widget, also with a button held (a drag): a control that
    // does not take the move passes it on to the window background.
    for (const Qt::MouseButtons buttons : {Qt::MouseButtons(Qt::NoButton), Qt::MouseButtons(Qt::LeftButton)}) {
        status->setText("hint");
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QCOMPARE(status->text(), restores ? kReminder : QString("hint"));
    }
}

void Form1Test::weekdayHeader_data() {
    QTest::addColumn<bool>("french");
    QTest::addColumn<int>("capitalize");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English, as built") << false << 0 << "Sun    Mon    Tue    Wed    Thu    Fri    Sat";
    QTest::newRow("English, capitalised") << false << 1
                                          << "Sun     Mon    Tue     Wed    Thu     Fri    Sat     ";
    QTest::newRow("French, capitalised") << true << 1 << "Dim     Lun    Mar     Mer    Jeu     Ven    Sam     ";
    QTest::newRow("other value") << false << 2 << "Sun    Mon    Tue    Wed    Thu    Fri    Sat";
}

void Form1Test::weekdayHeader() {
    QFETCH(bool, french);
    QFETCH(int, capitalize);
    QFETCH(QString, expected);
    if (french) QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    Folder folder;
    folder.Write("Tovel.ini", IniWith("CapitalizeDates=" + QByteArray::number(capitalize) + "\r\n"));
    Run run = Start(folder, QDate(2001, 11, 1));
    QVERIFY(run.Loaded);
    QCOMPARE(run.Label("Label3")->text(), expected);
}

void Form1Test::firstRunWritesSettings() {
    Folder folder;
    Run run = Start(folder, QDate(2010, 5, 5));
    QVERIFY(run.Loaded);
    const tovel::CalendarState& s = run.Form->State();
    QCOMPARE(run.Form->pos(), QPoint(20, 20));
    QCOMPARE(int(s.AddXJ), -100);
    QCOMPARE(int(s.AddYJ), 20);
    QCOMPARE(int(s.AddXG), 0);
    QCOMPARE(int(s.AddYG), 0);
    QCOMPARE(int(s.AddWeek), 0);
    QCOMPARE(int(s.CapitalizeDates), 0);
    QCOMPARE(int(s.ActiveLocation), 0);
    QVERIFY(!QFileInfo::exists(folder.File("Tovel.ini")));

    run.Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(run.Form.get()));
    run.Form->move(130, 70);
    QTRY_COMPARE(run.Form->pos(), QPoint(130, 70));
    const QPoint corner = run.Form->frameGeometry().topLeft();
    QVERIFY(run.Form->close());

    const Section saved = ReadSection(folder.Read("Tovel.ini"), "Tovel");
    QVERIFY(saved.Found);
    const QMap<QString, QString> expected = {
        {"FormTop", QString::number(corner.y() * 15)},
        {"FormLeft", QString::number(corner.x() * 15)},
        {"ActiveLocation", "0"},
        {"Gregorian", "0"},
        {"CapitalizeDates", "0"},
        {"AddXJ", "-100"},
        {"AddYJ", "20"},
        {"AddXG", "0"},
        {"AddYG", "0"},
        {"AddWeek", "0"},
    };
    QCOMPARE(saved.Values, expected);
    for (auto it = saved.Count.cbegin(); it != saved.Count.cend(); ++it) QCOMPARE(it.value(), 1);
    QVERIFY(run.Messages->isEmpty());

    // The saved file brings the window back where it was.
    Run again = Start(folder, QDate(2010, 5, 5));
    QVERIFY(again.Loaded);
    QCOMPARE(again.Form->pos(), corner);
}

void Form1Test::handEditedValues_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<int>("addXJ");
    QTest::addColumn<int>("addYJ");
    QTest::addColumn<int>("addXG");
    QTest::addColumn<int>("addWeek");
    QTest::newRow("blanks around") << QByteArray("AddXJ= -150 \r\n") << -150 << 20 << 0 << 0;
    QTest::newRow("half to even, down") << QByteArray("AddYJ=2.5\r\n") << -100 << 2 << 0 << 0;
    QTest::newRow("half to even, up") << QByteArray("AddYJ=3.5\r\n") << -100 << 4 << 0 << 0;
    QTest::newRow("trailing letters") << QByteArray("AddXJ=12abc\r\nAddXG=7 px\r\n") << 12 << 20 << 7 << 0;
    QTest::newRow("letters only") << QByteArray("AddXJ=abc\r\nAddYJ=x1\r\n") << 0 << 0 << 0 << 0;
    QTest::newRow("too large") << QByteArray("AddXJ=99999\r\nAddYJ=99999\r\nAddXG=99999\r\n") << -100 << 20 << 0 << 0;
    QTest::newRow("too small") << QByteArray("AddXJ=-99999\r\nAddYJ=-40000\r\n") << -100 << 20 << 0 << 0;
    QTest::newRow("lower-case keys") << QByteArray("addxj=-60\r\nADDYJ=5\r\n") << -60 << 5 << 0 << 0;
    QTest::newRow("empty value") << QByteArray("AddXJ=\r\nAddWeek=1\r\n") << 0 << 20 << 0 << 1;
    QTest::newRow("bare LF lines") << QByteArray("AddXJ=-70\nAddYJ=30\n") << -70 << 30 << 0 << 0;
}

void Form1Test::handEditedValues() {
    QFETCH(QByteArray, lines);
    QFETCH(int, addXJ);
    QFETCH(int, addYJ);
    QFETCH(int, addXG);
    QFETCH(int, addWeek);
    Folder folder;
    folder.Write("Tovel.ini", IniWith(lines));
    // 25 Kislev 5760 (4 December 1999): Kislev began on a Wednesday, so day 25
    // is the 28th cell: row 4, column 7.
    Run run = Start(folder, QDate(1999, 12, 4));
    QVERIFY(run.Loaded);
    const tovel::CalendarState& s = run.Form->State();
    QCOMPARE(int(s.AddXJ), addXJ);
    QCOMPARE(int(s.AddYJ), addYJ);
    QCOMPARE(int(s.AddXG), addXG);
    QCOMPARE(int(s.AddWeek), addWeek);
    QCOMPARE(Table().MonthOf(QDate(1999, 12, 4))->First, QDate(1999, 11, 10));
    QCOMPARE(ColumnOf(QDate(1999, 11, 10)), 4);
    QCOMPARE(run.Marker()->geometry(),
             QRect(Px(6 * 650 + 250 + addXJ), Px(3 * 450 + 140 + addYJ), Px(530), Px(470)));
}

// A save changes only the program's own keys.
void Form1Test::foreignLinesSurviveSave() {
    Folder folder;
    const QByteArray before =
        "; settings kept by hand\r\n"
        "[Other]\r\n"
        "AddXJ=5\r\n"
        "Colour=blue\r\n"
        "\r\n"
        "[Tovel]\r\n"
        "# note\r\n"
        "CapitalizeDates=1\r\n"
        "AddWeek=1\r\n"
        "Gregorian=1\r\n"
        "Extra=keep me\r\n"
        "\r\n"
        "[Last]\r\n"
        "x=y\r\n";
    folder.Write("Tovel.ini", before);
    Run run = Start(folder, QDate(2012, 7, 29));
    QVERIFY(run.Loaded);
    QVERIFY(run.Action("JewishMnu")->isChecked());
    QVERIFY(run.Form->close());

    const QByteArray after = folder.Read("Tovel.ini");
    const Section tovelKeys = ReadSection(after, "Tovel");
    QCOMPARE(tovelKeys.Values.value("CapitalizeDates"), QString("1"));
    QCOMPARE(tovelKeys.Values.value("AddWeek"), QString("1"));
    QCOMPARE(tovelKeys.Values.value("Gregorian"), QString("1"));
    QCOMPARE(tovelKeys.Values.value("Extra"), QString("keep me"));
    QCOMPARE(tovelKeys.Values.size(), 11);

    const Section other = ReadSection(after, "Other");
    QCOMPARE(other.Values, (QMap<QString, QString>{{"AddXJ", "5"}, {"Colour", "blue"}}));
    QCOMPARE(ReadSection(after, "Last").Values, (QMap<QString, QString>{{"x", "y"}}));
    // Every line that was there before is still there, in the same order.
    qsizetype from = 0;
    for (const QByteArray& line : before.split('\n')) {
        if (line.isEmpty()) continue;
        const qsizetype found = after.indexOf(line + '\n', from);
        QVERIFY2(found >= 0, line.constData());
        from = found + line.size();
    }
}

void Form1Test::readOnlyFolder() {
    Folder folder;
    const QByteArray before = IniWith("AddXJ=-80\r\nFormTop=600\r\nFormLeft=900\r\n");
    folder.Write("Tovel.ini", before);
    QVERIFY(::chmod(QFile::encodeName(folder.Path()).constData(), 0555) == 0);
    struct Restore {
        QString path;
        ~Restore() { ::chmod(QFile::encodeName(path).constData(), 0755); }
    } restore{folder.Path()};
    {
        QFile probe(folder.File("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("file permissions do not stop this user from writing");
        }
    }
    const auto snapshot = folder.Snapshot();
    Run run = Start(folder, QDate(2012, 7, 29));
    QVERIFY(run.Loaded);
    QCOMPARE(int(run.Form->State().AddXJ), -80);
    run.Form->move(300, 200);
    QVERIFY(run.Form->close());
    QVERIFY(run.Messages->isEmpty());
    QVERIFY(folder.Snapshot() == snapshot);
}

// A settings "file" that cannot be read or replaced: defaults, a quiet save,
// nothing left behind. Works for any user, root included.
void Form1Test::settingsFileIsAFolder() {
    Folder folder;
    QVERIFY(QDir(folder.Path()).mkdir("Tovel.ini"));
    const auto snapshot = folder.Snapshot();
    Run run = Start(folder, QDate(2012, 7, 29));
    QVERIFY(run.Loaded);
    QCOMPARE(int(run.Form->State().AddXJ), -100);
    QCOMPARE(run.Form->pos(), QPoint(20, 20));
    QVERIFY(run.Form->close());
    QVERIFY(run.Messages->isEmpty());
    QVERIFY(folder.Snapshot() == snapshot);
    QVERIFY(QDir(folder.File("Tovel.ini")).isEmpty());
}

void Form1Test::damagedSettingsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("addXJ");
    QTest::addColumn<int>("addYJ");

    QByteArray junk(4096, '\0');
    QRandomGenerator random(20240501);
    for (char& c : junk) c = static_cast<char>(random.bounded(256));
    junk.replace('=', '-');  // no key line can come out of it
    QTest::newRow("binary junk") << junk << -100 << 20;
    QTest::newRow("junk after the section") << "[Tovel]\r\n" + junk << -100 << 20;
    QTest::newRow("empty file") << QByteArray() << -100 << 20;
    QTest::newRow("cut in the header") << QByteArray("[Tov") << -100 << 20;
    QTest::newRow("cut after a value") << QByteArray("[Tovel]\r\nAddYJ=7\r\nAddXJ=-1") << -1 << 7;
    QTest::newRow("cut after the equals sign") << QByteArray("[Tovel]\r\nAddYJ=") << -100 << 0;
    static const char kNul[] = "[Tovel]\r\nAddXJ=-3\0" "9\r\n";
    QTest::newRow("NUL inside a value") << QByteArray(kNul, sizeof kNul - 1) << -3 << 20;
    QTest::newRow("carriage returns only") << QByteArray(300, '\r') << -100 << 20;
    QTest::newRow("very long value") << "[Tovel]\r\nAddXJ=" + QByteArray(5000, '7') + "\r\n" << -100 << 20;
}

void Form1Test::damagedSettingsFile() {
    QFETCH(QByteArray, content);
    QFETCH(int, addXJ);
    QFETCH(int, addYJ);
    Folder folder;
    folder.Write("Tovel.ini", content);
    Run run = Start(folder, QDate(2004, 3, 4));
    QVERIFY(run.Loaded);
    QCOMPARE(int(run.Form->State().AddXJ), addXJ);
    QCOMPARE(int(run.Form->State().AddYJ), addYJ);
    QVERIFY(run.Marker()->isVisibleTo(run.Form.get()));
    QVERIFY(run.Form->close());
    QVERIFY(run.Messages->isEmpty());

    // What the save made of it reads back to the same values.
    Run again = Start(folder, QDate(2004, 3, 4));
    QVERIFY(again.Loaded);
    QCOMPARE(int(again.Form->State().AddXJ), addXJ);
    QCOMPARE(int(again.Form->State().AddYJ), addYJ);
}

void Form1Test::savedPosition_data() {
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<bool>("kept");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // The window's size does not depend on the settings.
    const QSize size = tovel::Form1().size();
    auto twips = [](int pixels) { return QString::number(pixels * 15); };

    QTest::newRow("inside") << twips(screen.top() + 40) << twips(screen.left() + 60) << true;
    QTest::newRow("far above") << "-900000" << "300" << false;
    QTest::newRow("far below") << "9000000" << "300" << false;
    QTest::newRow("far left") << "300" << "-900000" << false;
    QTest::newRow("far right") << "300" << "9000000" << false;
    QTest::newRow("just past the right edge") << "300" << twips(screen.right() + 1) << false;
    QTest::newRow("just past the bottom edge") << twips(screen.bottom() + 1) << "300" << false;
    QTest::newRow("just above the top edge") << twips(screen.top() - size.height()) << "300" << false;
    QTest::newRow("a corner still on the right") << "300" << twips(screen.right() - 5) << true;
    QTest::newRow("a corner still on the left") << "300" << twips(screen.left() - size.width() + 5) << true;
    QTest::newRow("no number") << "top" << "left" << true;  // both read as 0
}

void Form1Test::savedPosition() {
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(bool, kept);
    Folder folder;
    folder.Write("Tovel.ini", IniWith("FormTop=" + top.toLatin1() + "\r\nFormLeft=" + left.toLatin1() + "\r\n"));
    Run run = Start(folder, QDate(2004, 3, 4));
    QVERIFY(run.Loaded);
    const auto pixels = [](const QString& twips) {
        return static_cast<int>(std::lround(QLocale::c().toDouble(twips) / 15.0));
    };
    const QPoint expected = !kept ? QPoint(20, 20)
                            : top == "top" ? QPoint(0, 0)
                                           : QPoint(pixels(left), pixels(top));
    QCOMPARE(run.Form->pos(), expected);
}

void Form1Test::sunsetMenu_data() {
    QTest::addColumn<int>("tables");
    QTest::addColumn<int>("saved");      // ActiveLocation in the settings file
    QTest::addColumn<int>("active");     // the item checked, 0 for none
    QTest::newRow("three tables, none active") << 3 << 0 << 0;
    QTest::newRow("three tables, second active") << 3 << 2 << 2;
    QTest::newRow("three tables, third active") << 3 << 3 << 3;
    QTest::newRow("three tables, seventh saved") << 3 << 7 << 0;
    QTest::newRow("no tables, first saved") << 0 << 1 << 0;
    QTest::newRow("no tables") << 0 << 0 << 0;
}

void Form1Test::sunsetMenu() {
    QFETCH(int, tables);
    QFETCH(int, saved);
    QFETCH(int, active);
    Folder folder;
    // Written out of order; the menu follows the file names.
    const QStringList files = {"c_gamma.sun", "a_alpha.sun", "b_beta.sun"};
    const QStringList names = {"Gamma City", "Alpha Town", "Beta Ville"};
    for (int i = 0; i < tables; ++i) folder.Write(files[i], SunTable(names[i], i));
    folder.Write("Tovel.ini", IniWith("ActiveLocation=" + QByteArray::number(saved) + "\r\n"));
    const QDate yomKippur(1999, 9, 20);
    Run run = Start(folder, yomKippur);
    QVERIFY(run.Loaded);

    const QStringList sorted = {"Alpha Town", "Beta Ville", "Gamma City"};
    for (int i = 1; i <= 11; ++i) {
        QAction* item = run.Action(qPrintable(QString("Sun%1").arg(i)));
        QVERIFY(item);
        const bool shown = tables == 0 ? i == 1 : i <= tables;
        QCOMPARE(item->isVisible(), shown);
        if (tables > 0 && i <= tables) QCOMPARE(item->text(), sorted[i - 1]);
        QCOMPARE(item->isChecked(), i == active);
    }
    QCOMPARE(int(run.Form->State().ActiveLocation), active);
    // Shift of the table written for each sorted name: a=1, b=2, c=0.
    const int shifts[] = {1, 2, 0};
    QCOMPARE(run.Label("Label10")->text(),
             active == 0 ? QString("Yom Kippur")
                         : "Yom Kippur - sun sets in " + sorted[active - 1] + " at " +
                               SunTimeText(yomKippur, shifts[active - 1]));

    QVERIFY(run.Form->close());
    QCOMPARE(ReadSection(folder.Read("Tovel.ini"), "Tovel").Values.value("ActiveLocation"),
             QString::number(active));
}

void Form1Test::missingYearTable() {
    Folder folder(false);
    Run run = Start(folder, QDate(2004, 3, 4));
    QVERIFY(!run.Loaded);
    QCOMPARE(*run.Messages, QStringList{folder.Path() + "/RHDates.Tvl not found, application quiting !!"});
    run.Form->close();
    QCOMPARE(run.Messages->size(), 1);
    QVERIFY(folder.Snapshot().empty());
}

void Form1Test::popupRuns_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("located");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QStringList>("messages");
    const QDate yomKippur(1999, 9, 20), plain(1999, 9, 15);
    const QStringList told{"Today is Yom Kippur"};
    QTest::newRow("/L on a holiday") << "/L" << yomKippur << true << false << told;
    QTest::newRow("/l on a holiday") << "/l" << yomKippur << true << false << told;
    QTest::newRow("/l on an ordinary day") << "/l" << plain << true << false << QStringList();
    QTest::newRow("/L without a location") << "/L" << yomKippur << false << false << QStringList();
    QTest::newRow("-L") << "-L" << yomKippur << true << true << QStringList();
    QTest::newRow("/X") << "/X" << yomKippur << true << true << QStringList();
    QTest::newRow("no arguments") << "" << yomKippur << true << true << QStringList();
}

void Form1Test::popupRuns() {
    QFETCH(QString, arguments);
    QFETCH(QDate, day);
    QFETCH(bool, located);
    QFETCH(bool, loaded);
    QFETCH(QStringList, messages);
    Folder folder;
    if (located) {
        folder.Write("home.sun", SunTable("Home", 0));
        folder.Write("Tovel.ini", IniWith("ActiveLocation=1\r\n"));
    }
    const auto snapshot = folder.Snapshot();
    {
        Run run = Start(folder, day, arguments);
        QCOMPARE(run.Loaded, loaded);
        QCOMPARE(*run.Messages, messages);
    }
    QVERIFY(folder.Snapshot() == snapshot);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
