#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

#include "app/username_key_filter.h"

class QLabel;
class QPushButton;
class QTimer;

namespace quendal::common {
class ButtonFeedback;
class Prompts;
class AppendOnlyLineEdit;
}  // namespace quendal::common

namespace quendal::app {

// The login form: asks for a user name (no password), shows the product
// name, version, logo and a rotating credit line.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    // `prompts` null: message boxes over this form. `tick` is the credit
    // counter, which outlives the form.
    frmSplash(common::Prompts* prompts, std::int16_t& tick, QWidget* parent = nullptr);
    ~frmSplash() override;

    char prevChar() const { return keyFilter_.prevChar; }

signals:
    // Ok with a name: the name is the session's user name now.
    void loginAccepted();
    // A typed key was refused.
    void beeped();
    // The form closed (Exit, or the window was closed).
    void closed();

public slots:
    void Form_Load();
    void cmdOk_Click();
    void cmdClear_Click();
    void cmdExit_Click();
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    // Runs the typing rules on one typed character: it may be changed to a
    // capital, or refused (0).
    void txtUsername_KeyPress(int& KeyAscii);
    void beep();

    std::unique_ptr<common::Prompts> ownPrompts_;
    common::Prompts& prompts_;
    std::int16_t& tick_;
    UsernameKeyFilter keyFilter_;
    std::array<QString, 5> creditNames_;

    QWidget* picSplash = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label1 = nullptr;
    common::AppendOnlyLineEdit* txtUsername = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;
    common::ButtonFeedback* feedback_ = nullptr;
};

}  // namespace quendal::app
