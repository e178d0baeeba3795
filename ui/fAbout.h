#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quintrel {

/// The About window: program icon, name, version and what the program does. Fixed size,
/// modal, centred over its parent; OK, Enter and Esc close it.
class fAbout : public QDialog {
    Q_OBJECT

  public:
    explicit fAbout(QWidget* parent = nullptr);

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;

    /// "Version 1.3.0": the version numbers of this build.
    static QString VersionLine();

    /// Opens a fresh About window modally over `parent` and destroys it when it closes.
    static void ShowModal(QWidget* parent);

  private:
    void Form_Load();
    void cmdOK_Click();
};

}  // namespace quintrel
