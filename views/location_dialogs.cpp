#include "views/location_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "views/zone_offset.h"

namespace tovel {

namespace {
// Matches shown for one prefix: enough to find a town by its first letters.
constexpr std::size_t kShownMatches = 50;

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName("Buttons");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QLineEdit* Field(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}
}  // namespace

AddLocationDialog::AddLocationDialog(std::function<bool(const PlaceInput&)> add, QWidget* parent)
    : QDialog(parent), add_(std::move(add)) {
    setObjectName("AddLocation");
    setWindowTitle("Add location");
    PreloadTowns();
    search_ = Field(this, "Search");
    search_->setPlaceholderText("Start of the town's name");
    list_ = new QListWidget(this);
    list_->setObjectName("Matches");
    name_ = Field(this, "PlaceName");
    latitude_ = Field(this, "Latitude");
    longitude_ = Field(this, "Longitude");
    zone_ = Field(this, "Zone");
    zone_->setText(QString::fromStdString(SystemZone()));

    auto* form = new QFormLayout;
    form->addRow("&Name:", name_);
    form->addRow("&Latitude (north +):", latitude_);
    form->addRow("L&ongitude (east +):", longitude_);
    form->addRow("&Zone (IANA):", zone_);
    auto* layout = new QVBoxLayout(this);
    auto* find = new QLabel("&Find a town:", this);
    find->setBuddy(search_);
    layout->addWidget(find);
    layout->addWidget(search_);
    layout->addWidget(list_);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));

    connect(search_, &QLineEdit::textChanged, this, &AddLocationDialog::Search);
    connect(list_, &QListWidget::currentRowChanged, this, &AddLocationDialog::Pick);
}

void AddLocationDialog::Search(const QString& text) {
    matches_ = FindTowns(text.trimmed().toStdString(), kShownMatches);
    list_->clear();
    for (const Town& town : matches_) {
        QString line = QString::fromStdString(town.Name);
        for (const std::string* part : {&town.Region, &town.Country})
            if (!part->empty() && *part != town.Name) line += ", " + QString::fromStdString(*part);
        list_->addItem(line);
    }
}

void AddLocationDialog::Pick(int row) {
    if (row < 0 || row >= static_cast<int>(matches_.size())) return;
    const Town& town = matches_[static_cast<std::size_t>(row)];
    name_->setText(QString::fromStdString(town.Name));
    latitude_->setText(QString::number(town.Latitude, 'f', 4));
    longitude_->setText(QString::number(town.Longitude, 'f', 4));
    zone_->setText(QString::fromStdString(town.Zone));
}

void AddLocationDialog::accept() {
    const PlaceInput place{
        name_->text().trimmed().toStdString(), latitude_->text().trimmed().toStdString(),
        longitude_->text().trimmed().toStdString(), zone_->text().trimmed().toStdString()};
    if (add_(place)) QDialog::accept();
}

RemoveLocationDialog::RemoveLocationDialog(const QStringList& names,
                                           std::function<bool(int)> remove, QWidget* parent)
    : QDialog(parent), remove_(std::move(remove)) {
    setObjectName("RemoveLocation");
    setWindowTitle("Remove location");
    list_ = new QListWidget(this);
    list_->setObjectName("Tables");
    list_->addItems(names);
    list_->setCurrentRow(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Your own locations:", this));
    layout->addWidget(list_);
    layout->addWidget(OkCancel(this));
}

void RemoveLocationDialog::accept() {
    if (list_->currentRow() >= 0 && remove_(list_->currentRow())) QDialog::accept();
}

}  // namespace tovel
