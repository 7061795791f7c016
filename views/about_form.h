#pragma once
#include <QDialog>

namespace tovel {

// The About window: who made the program and how to start it for the holiday pop-up.
class AboutForm : public QDialog {
    Q_OBJECT
public:
    explicit AboutForm(QWidget* parent = nullptr);
    void OKBtn_Click();
};

}  // namespace tovel
