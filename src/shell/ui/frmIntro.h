#pragma once
// The intro window: what the program is for, "&Proceed" and "&Cancel". Its unload opens
// the main window when the user chose to proceed and ends the program otherwise.
#include <QDialog>
#include <QStringList>

#include <array>

class QLabel;
class QPushButton;

namespace folio {

class frmIntro : public QDialog {
    Q_OBJECT
public:
    frmIntro();

    bool ProceedChosen = false;
    // Files named on the command line: they open once the main window is there.
    QStringList FilesToOpen;

    QLabel* Label1 = nullptr;
    std::array<QLabel*, 17> Label2{};
    QPushButton* cmdProceed = nullptr;
    QPushButton* cmdCancel = nullptr;

    void Form_Load();
    void cmdProceed_Click();
    void cmdCancel_Click();
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Esc

private:
    bool m_unloaded = false;
};

}  // namespace folio
