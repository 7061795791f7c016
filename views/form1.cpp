#include "views/form1.h"

#include "views/calendar_text.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusTipEvent>
#include <cstdio>

#include "app/calendar_lines.h"
#include "app/program_folder.h"
#include "engine/holiday_chooser.h"
#include "engine/holidays.h"
#include "engine/month_setup.h"
#include "input/grid.h"
#include "views/about_form.h"
#include "views/picture_box.h"

namespace tovel {

namespace {

constexpr int kClientWidth = 5040;  // twips
constexpr int kClientHeight = 5460;
constexpr int kMarkerWidth = 530;
constexpr int kMarkerHeight = 470;

const QColor kHeaderColour(0, 128, 0);

QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

QFont SansFont(double points, bool bold = false) {
    QFont font("MS Sans Serif");
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    // Labels show names from files (a location's): never as rich text.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QRect geometry,
                        bool bold) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    if (bold) button->setFont(SansFont(8.25, true));
    return button;
}

// A glyph sheet and its @2x version, from the resources.
GlyphSheet LoadSheet(const QString& name) { return GlyphSheet(":/views/" + name); }

// The background of the central widget; moves over it restore the reminder.
class Background : public QWidget {
public:
    explicit Background(Form1* form) : QWidget(form), form_(form) { setMouseTracking(true); }

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        // Moves that bubble up from a control (a label, the chooser, the header
        // frame) do not count: only the bare window background does.
        if (childAt(event->position().toPoint()) == nullptr) form_->Form_MouseMove();
        event->accept();
    }

private:
    Form1* form_;
};

}  // namespace

void ShowTovelMessage(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, "Tovel", text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // messages name files and show their text
    box.exec();
}

Form1::Form1(Form1Options options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
    folder_ = options_.ProgramFolder.isEmpty()
                  ? QString::fromStdString(ExecutableFolderPath().value_or(""))
                  : options_.ProgramFolder;
    if (!options_.Today) options_.Today = [] { return tovel::Today(); };
    setObjectName("Form1");
    setWindowTitle("Tovel - Jewish Calendar");
    setWindowIcon(QIcon(":/views/tovel.png"));
    // Controls without a font of their own ("Today", the chooser) use this one.
    setFont(SansFont(8.25));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    BuildControls();
    BuildMenus();
    WireNavigation();
    WireViews();
    // Fixed size: the client area plus the menu bar.
    setFixedSize(TwipsToPixels(kClientWidth),
                 TwipsToPixels(kClientHeight) + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::BuildControls() {
    auto* client = new Background(this);
    client->setObjectName("Client");
    client->setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    setCentralWidget(client);

    Combo1 = new QComboBox(client);
    Combo1->setObjectName("Combo1");
    Combo1->setGeometry(TwipsRect(3240, 4320, 1695, 315));
    Combo1->installEventFilter(this);  // see eventFilter: no picks by the wheel
    Command6 = MakeButton(client, "Command6", ">>", TwipsRect(2640, 4320, 495, 255), true);
    Command5 = MakeButton(client, "Command5", "<<", TwipsRect(2040, 4320, 495, 255), true);
    Command4 = MakeButton(client, "Command4", "Today", TwipsRect(1320, 4320, 615, 255), false);
    Command3 = MakeButton(client, "Command3", ">", TwipsRect(720, 4320, 495, 255), true);
    Command1 = MakeButton(client, "Command1", "<", TwipsRect(120, 4320, 495, 255), true);

    Frame1 = new QFrame(client);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    Frame1->setGeometry(TwipsRect(120, 720, 4815, 375));
    // A fixed-pitch face puts every weekday name of the header centred over its
    // grid column (a name and four blanks step exactly one column).
    QFont headerFont("Liberation Mono");
    headerFont.setPointSizeF(9);
    headerFont.setBold(true);
    headerFont.setLetterSpacing(QFont::AbsoluteSpacing, -1);
    Label3 = new WeekdayLabel(Frame1);
    Label3->setObjectName("Label3");
    Label3->setGeometry(TwipsRect(120, 120, 4500, 255));
    Label3->setFont(headerFont);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->SetNames({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
                     "Sun    Mon    Tue    Wed    Thu    Fri    Sat");
    QPalette headerPalette = Label3->palette();
    headerPalette.setColor(QPalette::WindowText, kHeaderColour);
    Label3->setPalette(headerPalette);
    Label3->setMouseTracking(true);
    Label3->installEventFilter(this);

    Picture1 = new PictureBox(client);
    Picture1->setObjectName("Picture1");
    Picture1->setGeometry(TwipsRect(120, 1200, 4816, 3015));
    // The header's names stand over the grid's columns.
    QList<double> centres;
    const int headerLeft = Frame1->x() + Label3->x();
    for (int column = 1; column <= kGridColumns; ++column)
        centres << Picture1->x() + TwipsToPixels(ColumnCentre(s_, column)) - headerLeft;
    Label3->SetColumnCentres(centres);
    Picture1->setAccessibleDescription("The arrow keys move the selected day");
    connect(Picture1, &PictureBox::MouseMoved, this, &Form1::Picture1_MouseMove);
    Shape1 = new MarkerShape(Picture1);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(TwipsRect(600, 360, kMarkerWidth, kMarkerHeight));

    auto* line9 = new LineControl(client, 1360, 360, 3560, 360, QPalette::WindowText);
    line9->setObjectName("Line9");

    QFont statusFont("Times New Roman");
    statusFont.setPointSizeF(9.75);
    Label10 = MakeLabel(client, "Label10", TwipsRect(240, 4725, 4455, 255), statusFont);
    Label9 = MakeLabel(client, "Label9", TwipsRect(240, 5010, 4455, 255), SansFont(9.75));

    // Two sunken boxes: dark top and left edges, light bottom and right edges.
    const struct {
        const char* name;
        int x1, y1, x2, y2;
        QPalette::ColorRole role;
    } lines[] = {
        {"Line8", 120, 4680, 4920, 4680, QPalette::Dark},
        {"Line7", 120, 4680, 120, 5330, QPalette::Dark},
        {"Line6", 120, 5325, 4920, 5325, QPalette::Light},
        {"Line5", 4920, 4680, 4920, 5330, QPalette::Light},
        {"Line4", 4920, 50, 4920, 700, QPalette::Light},
        {"Line3", 120, 700, 4920, 700, QPalette::Light},
        {"Line2", 120, 50, 120, 700, QPalette::Dark},
        {"Line1", 120, 50, 4920, 50, QPalette::Dark},
    };
    for (const auto& l : lines)
        (new LineControl(client, l.x1, l.y1, l.x2, l.y2, l.role))->setObjectName(l.name);

    Label2 = MakeLabel(client, "Label2", TwipsRect(240, 395, 4455, 255), SansFont(9.75, true));
    QFont titleFont = SansFont(12, true);
    titleFont.setUnderline(true);
    Label1 = MakeLabel(client, "Label1", TwipsRect(240, 100, 4455, 255), titleFont);

    BlackClip = LoadSheet("glyphs_black");
    RedClip = LoadSheet("glyphs_red");
    GreenClip = LoadSheet("glyphs_green");
    connect(Picture1, &PictureBox::RatioChanged, this, &Form1::FillPicture);

    // Tab order: the grid first, then the buttons left to right, then the chooser.
    QWidget::setTabOrder(Picture1, Command1);
    QWidget::setTabOrder(Command1, Command3);
    QWidget::setTabOrder(Command3, Command4);
    QWidget::setTabOrder(Command4, Command5);
    QWidget::setTabOrder(Command5, Command6);
    QWidget::setTabOrder(Command6, Combo1);
    Picture1->setFocus();
}

void Form1::BuildMenus() {
    auto item = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    FileMenu = menuBar()->addMenu("&File");
    FileMenu->setObjectName("File");
    ProgExit = item(FileMenu, "ProgExit", "&Exit");
    connect(ProgExit, &QAction::triggered, this, &Form1::ProgExit_Click);
    BuildPrintMenu();

    CalendarMnu = menuBar()->addMenu("&Calendar");
    CalendarMnu->setObjectName("CalendarMnu");
    JewishMnu = item(CalendarMnu, "JewishMnu", "&Jewish");
    GregorianMnu = item(CalendarMnu, "GregorianMnu", "&Gregorian");
    JewishMnu->setCheckable(true);
    GregorianMnu->setCheckable(true);

    Sunset = menuBar()->addMenu("&SunSet");
    Sunset->setObjectName("Sunset");
    for (int i = 1; i <= 11; ++i) {
        const QByteArray name = "Sun" + QByteArray::number(i);
        Sun[static_cast<std::size_t>(i)] = item(Sunset, name.constData(), name.constData());
        Sun[static_cast<std::size_t>(i)]->setCheckable(true);
        Sun[static_cast<std::size_t>(i)]->setVisible(i == 1);
        connect(Sun[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { Sun_Click(i); });
    }
    Sunset->addSeparator();
    AddLocationItem = item(Sunset, "AddLocationItem", "&Add location...");
    RemoveLocationItem = item(Sunset, "RemoveLocationItem", "&Remove location...");
    connect(AddLocationItem, &QAction::triggered, this, &Form1::AddLocation_Click);
    connect(RemoveLocationItem, &QAction::triggered, this, &Form1::RemoveLocation_Click);

    Steps = menuBar()->addMenu("&Year Steps");
    Steps->setObjectName("Steps");
    Step1 = item(Steps, "Step1", "&1");
    Step2 = item(Steps, "Step2", "&2");
    Step5 = item(Steps, "Step5", "&5");
    Step10 = item(Steps, "Step10", "10");
    Step20 = item(Steps, "Step20", "20");
    Step50 = item(Steps, "Step50", "50");
    // Plain checkable items, not an exclusive group, so they show check marks.
    for (QAction* step : {Step1, Step2, Step5, Step10, Step20, Step50}) step->setCheckable(true);

    OptionsMnu = menuBar()->addMenu("&Options");
    OptionsMnu->setObjectName("OptionsMnu");
    LoginMnu = item(OptionsMnu, "LoginMnu", "&Announce holidays at login");
    LoginMnu->setCheckable(true);
    LoginMnu->setStatusTip("Click to announce the day's holiday each time you log in");
    connect(LoginMnu, &QAction::triggered, this, &Form1::LoginMnu_Click);
    connect(OptionsMnu, &QMenu::aboutToShow, this, &Form1::ShowLoginState);

    HelpMenu = menuBar()->addMenu("&Help");
    HelpMenu->setObjectName("Help");
    AboutItem = item(HelpMenu, "About", "&About");
    connect(AboutItem, &QAction::triggered, this, &Form1::About_Click);
}

void Form1::Message(const QString& text) {
    if (endingBySignal_)
        std::fprintf(stderr, "Tovel: %s\n", text.toLocal8Bit().constData());
    else if (options_.ShowMessage)
        options_.ShowMessage(text);
    else
        ShowTovelMessage(text, isVisible() ? this : nullptr);
}

bool Form1::FindGDate() {
    return tovel::FindGDate(s_,
                            [this](const std::string& m) { Message(QString::fromStdString(m)); });
}

void Form1::FillPicture() {
    if (s_.GregView == 1) {
        FillGregorian();
        return;
    }
    Shape1->hide();
    QFont font = Picture1->DrawFont();
    font.setFamily("Times New Roman");
    font.setUnderline(false);
    font.setPointSize(8);
    font.setItalic(true);
    Picture1->SetDrawFont(font);
    Picture1->Cls();

    for (const DayCell& cell : MonthCells(s_)) {
        const QRect glyph((cell.Day - 1) * kGlyphCellPixels, 0, kGlyphCellPixels, kGlyphCellPixels);
        const GlyphSheet& sheet = cell.Colour == Ink::Green ? GreenClip
                                  : cell.Colour == Ink::Red ? RedClip
                                                            : BlackClip;
        Picture1->PaintPicture(sheet.For(Picture1->Ratio()), glyph, cell.X, cell.Y);
        Picture1->SetForeColor(InkColour(cell.Colour));
        Picture1->SetCurrentXY(cell.TextX, cell.TextY);
        Picture1->Print(QString::fromStdString(cell.Text));
    }
    Label1->setText(QString::fromStdString(TitleLine(s_)));
    BuildGLabel();
    SetFrame();
}

void Form1::BuildGLabel() {
    const bool capitalize = s_.CapitalizeDates == 1;
    Label2->setText(QString::fromStdString(
        GregorianSpan(StandaloneMonthName(s_.FirstDate, capitalize).toStdString(),
                      YearText(s_.FirstDate).toStdString(),
                      StandaloneMonthName(s_.NextMonthDate, capitalize).toStdString(),
                      YearText(s_.NextMonthDate).toStdString())));
}

QString Form1::ReminderLine() const {
    const std::string_view line = StatusLine2(s_.GregView);
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

void Form1::PlaceMarker(MarkerPlace place) {
    Shape1->move(TwipsToPixels(place.Left), TwipsToPixels(place.Top));
    Shape1->show();
}

void Form1::SetFrame() {
    PlaceMarker(MarkerPosition(s_));

    const std::string& holiday = SelectedDayText(s_);
    Label10->setText(QString::fromStdString(
        StatusLine1(holiday, LookupSunsetFor(s_.FirstDate + s_.JewDay - 1))));
    Label9->setText(ReminderLine());
    AnnounceSelection();
}

void Form1::AnnounceSelection() {
    const QString text = SelectionText(s_);
    if (Picture1->accessibleName() == text) return;
    Picture1->setAccessibleName(text);  // tells a screen reader the name changed
    QAccessibleValueChangeEvent changed(Picture1, text);
    QAccessible::updateAccessibility(&changed);
}

void Form1::LoadCombo() {
    Combo1->clear();
    for (const HolidayRow& entry : ChooserEntries())
        Combo1->addItem(QString::fromUtf8(entry.ChooserText.data(),
                                          static_cast<qsizetype>(entry.ChooserText.size())));
    Combo1->setCurrentIndex(-1);
}

void Form1::Form_MouseMove() { Label9->setText(ReminderLine()); }
void Form1::Label3_MouseMove() { Label9->setText(ReminderLine()); }
void Form1::Picture1_MouseMove() { Label9->setText(ReminderLine()); }

bool Form1::event(QEvent* event) {
    // A menu item's hint goes to status line 2, as a button's does; "" puts the reminder back.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        Label9->setText(tip.isEmpty() ? ReminderLine() : " " + tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3 && event->type() == QEvent::MouseMove) {
        Label3_MouseMove();
        return true;
    }
    // A wheel turned over the closed chooser would pick a holiday and move the
    // selection; only a choice from the open list does that.
    if (watched == Combo1 && event->type() == QEvent::Wheel) return true;
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tovel
