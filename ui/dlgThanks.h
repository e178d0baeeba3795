#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quintrel {

/// The acknowledgement window shown once when the program closes normally. Fixed text
/// only; fixed size, modal, centred over its parent; OK or the close box closes it.
class dlgThanks : public QDialog {
    Q_OBJECT

  public:
    explicit dlgThanks(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* cmdOK = nullptr;

    /// Opens a fresh acknowledgement window modally over `parent` and destroys it when it
    /// closes.
    static void ShowModal(QWidget* parent);

  private:
    void cmdOK_Click();
};

}  // namespace quintrel
