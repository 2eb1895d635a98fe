#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>

#include "app/shell_seams.h"

namespace quendal::app {

class frmSplash;
class mdifrmMain;

// The program's course from window to window: the login form, then the main
// window with the work form, back to an empty login form on Logout; the
// program ends when a window closes any other way.
class Shell : public QObject {
    Q_OBJECT
public:
    explicit Shell(ShellSeams seams = {}, QObject* parent = nullptr);
    ~Shell() override;

    // Shows the login form.
    void start();

    frmSplash* loginForm() const;
    mdifrmMain* mainWindow() const;

signals:
    // No window of the program remains: the program ends.
    void finished();

private:
    void showLoginForm();
    void login();
    void logout();

    ShellSeams seams_;
    QPointer<frmSplash> splash_;
    QPointer<mdifrmMain> main_;
    // The credit rotation goes on across logins.
    std::int16_t creditTick_ = 0;
    // Set while one window replaces another, when a closing window does not
    // end the program.
    bool switching_ = false;
};

}  // namespace quendal::app
