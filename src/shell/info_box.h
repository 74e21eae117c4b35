#pragma once

#include <QDialog>

class QPushButton;

// "Programminfo": what this program is and which version.
class TInfoBox : public QDialog {
    Q_OBJECT
  public:
    explicit TInfoBox(QWidget* parent = nullptr);

    QPushButton* OKBtn = nullptr;

  protected:
    // Opens in the middle of the screen, wherever the main window stands.
    void showEvent(QShowEvent* event) override;
};
