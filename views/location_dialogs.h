#pragma once
// The SunSet menu's dialogs: "Add location..." finds a town in the gazetteer
// as its name is typed (or takes a place typed by hand), and "Remove
// location..." picks one of the user's own tables.

#include <QDialog>
#include <functional>
#include <vector>

#include "sunset/gazetteer.h"
#include "sunset/user_tables.h"

class QLineEdit;
class QListWidget;

namespace tovel {

class AddLocationDialog : public QDialog {
    Q_OBJECT
public:
    // `add` is asked on OK; the dialog closes only when it returns true.
    AddLocationDialog(std::function<bool(const PlaceInput&)> add, QWidget* parent);

    void accept() override;

private:
    void Search(const QString& text);
    void Pick(int row);

    std::function<bool(const PlaceInput&)> add_;
    std::vector<Town> matches_;
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
    QLineEdit *name_ = nullptr, *latitude_ = nullptr, *longitude_ = nullptr, *zone_ = nullptr;
};

class RemoveLocationDialog : public QDialog {
    Q_OBJECT
public:
    // `names` are the menu captions of the user's own tables; `remove` is
    // asked on OK with the chosen one's place in `names`.
    RemoveLocationDialog(const QStringList& names, std::function<bool(int)> remove,
                         QWidget* parent);

    void accept() override;

private:
    std::function<bool(int)> remove_;
    QListWidget* list_ = nullptr;
};

}  // namespace tovel
