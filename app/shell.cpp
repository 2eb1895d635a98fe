#include "app/shell.h"

#include <QScreen>

#include "app/frmSplash.h"
#include "app/mdifrmMain.h"

namespace quendal::app {

Shell::Shell(ShellSeams seams, QObject* parent) : QObject(parent), seams_(seams) {}

Shell::~Shell() {
    switching_ = true;  // tearing down is not the user ending the program
    delete main_;
    delete splash_;
}

frmSplash* Shell::loginForm() const {
    return splash_;
}

mdifrmMain* Shell::mainWindow() const {
    return main_;
}

void Shell::start() {
    showLoginForm();
}

void Shell::showLoginForm() {
    auto* splash = new frmSplash(seams_.prompts, creditTick_);
    splash_ = splash;
    connect(splash, &frmSplash::loginAccepted, this, &Shell::login);
    connect(splash, &frmSplash::closed, this, [this] {
        if (!switching_) emit finished();
    });
    splash->show();
    splash->activateWindow();
}

void Shell::login() {
    // The main window appears before the login form goes, so the program is
    // never without a window in between.
    auto* main = new mdifrmMain(seams_);
    main->setAttribute(Qt::WA_DeleteOnClose);
    main_ = main;
    connect(main, &mdifrmMain::logoutRequested, this, &Shell::logout);
    connect(main, &mdifrmMain::closed, this, [this] {
        if (!switching_) emit finished();
    });
    // Without a window manager "maximized" means nothing: start at the size
    // of the screen anyway.
    if (QScreen* screen = main->screen()) main->setGeometry(screen->availableGeometry());
    main->showMaximized();
    switching_ = true;
    if (splash_) splash_->close();
    switching_ = false;
}

void Shell::logout() {
    switching_ = true;
    showLoginForm();
    // Every document window and the work form go with the main window,
    // unsaved drawings included, without a question.
    if (main_) main_->close();
    switching_ = false;
}

}  // namespace quendal::app
