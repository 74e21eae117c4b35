#pragma once

#include <QDialog>

class QPushButton;

namespace qvt {

// "Programminfo": what this program is and which version.
class InfoBox : public QDialog {
    Q_OBJECT
  public:
    explicit InfoBox(QWidget* parent = nullptr);

  protected:
    // Opens in the middle of the screen, wherever the main window stands.
    void showEvent(QShowEvent* event) override;

  private:
    QPushButton* okButton_ = nullptr;
};

}  // namespace qvt
