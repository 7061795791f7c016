#include "views/about_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "views/picture_box.h"

namespace tovel {

namespace {
QLabel* CentredLabel(QWidget* parent, const char* name, const QString& text, int top, int height,
                     double points, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font("Times New Roman");
    font.setPointSizeF(points);
    font.setBold(bold);
    label->setFont(font);
    label->setGeometry(TwipsToPixels(120), TwipsToPixels(top), TwipsToPixels(5295),
                       TwipsToPixels(height));
    return label;
}
}  // namespace

AboutForm::AboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutForm");
    setWindowTitle("Tovel - About Jewish Calendar");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(TwipsToPixels(5535), TwipsToPixels(3120));

    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(QPixmap(":/views/tovel.png"));
    icon->setGeometry(TwipsToPixels(240), TwipsToPixels(180), 32, 32);

    CentredLabel(this, "Label1", "Tovel", 120, 480, 18, true);
    CentredLabel(this, "Label2", "A Jewish calendar for the Linux desktop", 650, 300, 10);
    CentredLabel(this, "Label3", "Written by the Tovel developers", 950, 300, 10);
    CentredLabel(this, "Label4", QString("Version %1").arg(TOVEL_VERSION), 1250, 300, 10);
    CentredLabel(this, "Label5", "Questions and reports: open an issue in the Tovel project", 1550,
                 300, 10);
    CentredLabel(this, "Label6", "Type \"tovel /L\"  for Jewish holidays popup only", 2100, 375,
                 10);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setGeometry(TwipsToPixels(3360), TwipsToPixels(2600), TwipsToPixels(975),
                    TwipsToPixels(300));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutForm::OKBtn_Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void AboutForm::OKBtn_Click() { hide(); }

}  // namespace tovel
