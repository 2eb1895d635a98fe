#include "app/frmSplash.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/artwork.h"
#include "app/credits.h"
#include "app/version.h"
#include "common/append_only_line_edit.h"
#include "common/button_feedback.h"
#include "common/prompts.h"
#include "common/session.h"
#include "common/twips.h"
#include "common/widget_style.h"

namespace quendal::app {

namespace {

const QColor kDarkBlue(0, 0, 128);
const QColor kGrey(224, 224, 224);
const QColor kText(0, 0, 192);

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, double points,
                  QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(common::timesFont(points));
    common::setColour(label, QPalette::WindowText, kText);
    label->setGeometry(geometry);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, int left) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(common::timesFont(9.75));
    button->setGeometry(common::twipsRect(left, 2520, 735, 255));
    return button;
}

}  // namespace

frmSplash::frmSplash(common::Prompts* prompts, std::int16_t& tick, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      ownPrompts_(prompts ? nullptr : std::make_unique<common::MessageBoxPrompts>(this)),
      prompts_(prompts ? *prompts : *ownPrompts_),
      tick_(tick) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Quendal"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(appIcon());
    createControls();
    Form_Load();
}

frmSplash::~frmSplash() = default;

void frmSplash::createControls() {
    setFixedSize(common::twipsToPixels(7800), common::twipsToPixels(4215));
    setAutoFillBackground(true);
    common::setColour(this, QPalette::Window, kDarkBlue);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    picSplash = new QWidget(this);
    picSplash->setObjectName(QStringLiteral("picSplash"));
    picSplash->setAutoFillBackground(true);
    common::setColour(picSplash, QPalette::Window, kGrey);
    picSplash->setGeometry(common::twipsRect(120, 120, 7575, 3975));

    lblProductName = makeLabel(picSplash, "lblProductName", QStringLiteral("Quendal"), 36,
                               common::twipsRect(360, 240, 6816, 828));
    imgLogo = new QLabel(picSplash);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(common::twipsRect(720, 1320, 4212, 792));
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(logoPicture(imgLogo->size() * 2));
    lblVersion = makeLabel(picSplash, "lblVersion", QStringLiteral("Version ") + versionText(),
                           14.25, common::twipsRect(5400, 1800, 1500, 312));
    Label1 = makeLabel(picSplash, "Label1", QStringLiteral("Enter Username  : "), 9.75,
                       common::twipsRect(360, 2520, 1452, 252));

    // Every character goes through the typing rules at the end of the text:
    // no caret moves, selection, Delete, pasting or dropping around them.
    txtUsername = new common::AppendOnlyLineEdit(picSplash);
    txtUsername->setObjectName(QStringLiteral("txtUsername"));
    txtUsername->setFont(common::timesFont(9.75));
    common::setColour(txtUsername, QPalette::Text, kText);
    common::setColour(txtUsername, QPalette::Base, Qt::white);
    txtUsername->setGeometry(common::twipsRect(1920, 2520, 2175, 285));
    connect(txtUsername, &common::AppendOnlyLineEdit::keyPress, this,
            &frmSplash::txtUsername_KeyPress);

    cmdOk = makeButton(picSplash, "cmdOk", QStringLiteral("&Ok"), 4440);
    cmdClear = makeButton(picSplash, "cmdClear", QStringLiteral("&Clear"), 5400);
    cmdExit = makeButton(picSplash, "cmdExit", QStringLiteral("E&xit"), 6360);
    Label3 = makeLabel(picSplash, "Label3", QStringLiteral("Designed by :"), 9.75,
                       common::twipsRect(360, 3600, 1452, 252));
    Label2 = makeLabel(picSplash, "Label2", kCreditNames[0], 9.75,
                       common::twipsRect(1920, 3600, 3732, 252));

    setTabOrder(txtUsername, cmdOk);
    setTabOrder(cmdOk, cmdClear);
    setTabOrder(cmdClear, cmdExit);
    txtUsername->setFocus();

    feedback_ = new common::ButtonFeedback(picSplash, {cmdOk, cmdClear, cmdExit}, this);

    connect(cmdOk, &QPushButton::clicked, this, &frmSplash::cmdOk_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmSplash::cmdClear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmSplash::cmdExit_Click);

    Timer1 = new QTimer(picSplash);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1500);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

void frmSplash::Form_Load() {
    txtUsername->clear();
    common::Session::current().UserName.clear();
    keyFilter_.reset();
    creditNames_ = kCreditNames;
}

void frmSplash::txtUsername_KeyPress(int& KeyAscii) {
    const UsernameKeyFilter::Result result = keyFilter_.keyPress(char32_t(KeyAscii));
    switch (result.action) {
        case UsernameKeyFilter::Action::Accept: KeyAscii = int(result.key); return;
        case UsernameKeyFilter::Action::Ok:
            KeyAscii = 0;
            cmdOk_Click();
            return;
        case UsernameKeyFilter::Action::Refuse:
            KeyAscii = 0;
            beep();
            return;
    }
}

void frmSplash::beep() {
    QApplication::beep();
    emit beeped();
}

void frmSplash::cmdOk_Click() {
    const QString name = txtUsername->text();
    common::Session::current().UserName = name.toStdString();
    if (name.isEmpty()) {
        prompts_.message(QStringLiteral("UserName cannot be Empty !"),
                         common::PromptIcon::Critical);
        return;
    }
    emit loginAccepted();
}

void frmSplash::cmdClear_Click() {
    txtUsername->clear();
    common::Session::current().UserName.clear();
    keyFilter_.reset();
    txtUsername->setFocus();
}

void frmSplash::cmdExit_Click() {
    close();
}

void frmSplash::Timer1_Timer() {
    tick_ = nextCreditTick(tick_);
    Label2->setText(creditNames_[creditIndex(tick_)]);
}

void frmSplash::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    event->accept();
    emit closed();
}

}  // namespace quendal::app
