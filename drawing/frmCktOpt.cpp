#include "frmCktOpt.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "button_feedback.h"
#include "twips.h"

namespace {

const QColor kGrey(224, 224, 224);
const QColor kBlue(0, 0, 192);
const QColor kNavy(0, 0, 128);

void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

}  // namespace

frmCktOpt::frmCktOpt(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("frmCktOpt");
    setWindowTitle("Quendal");
    setFixedSize(twipsToPixels(5190), twipsToPixels(3750));
    setFont(QFont("Times New Roman", 12));
    QPalette p = palette();
    p.setColor(QPalette::Window, kGrey);
    setPalette(p);
    setAutoFillBackground(true);

    FrameCktOpt = new QGroupBox("        Select the Type of Circuit", this);
    FrameCktOpt->setObjectName("FrameCktOpt");
    FrameCktOpt->setGeometry(twipsRect(360, 360, 4455, 2295));
    setTextColour(FrameCktOpt, kBlue);

    auto option = [this](const char* name, const char* caption, QRect geometry) {
        auto* rb = new QRadioButton(caption, FrameCktOpt);
        rb->setObjectName(name);
        rb->setGeometry(geometry);
        setTextColour(rb, kNavy);
        rb->installEventFilter(this);
        return rb;
    };
    rbBasic = option("rbBasic", " Using Basic Gates", twipsRect(600, 480, 2295, 375));
    rbNand = option("rbNand", " Using Universal NAND Gate", twipsRect(600, 1080, 3255, 255));
    rbNor = option("rbNor", " Using Universal NOR Gate", twipsRect(600, 1560, 3255, 375));

    cmdOk = new QPushButton("&Ok", this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setGeometry(twipsRect(1080, 3000, 1215, 375));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(twipsRect(2880, 3000, 1215, 375));

    setTabOrder(rbBasic, rbNand);
    setTabOrder(rbNand, rbNor);
    setTabOrder(rbNor, cmdOk);
    setTabOrder(cmdOk, cmdCancel);

    feedback = new ButtonFeedback(this, {cmdOk, cmdCancel}, this);

    connect(cmdOk, &QPushButton::clicked, this, &frmCktOpt::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCktOpt::cmdCancel_Click);
}

frmCktOpt::Style frmCktOpt::selectedStyle() const {
    if (rbNand->isChecked()) return Nand;
    if (rbNor->isChecked()) return Nor;
    return Basic;
}

bool frmCktOpt::highlightOn() const {
    return feedback->highlightOn();
}

void frmCktOpt::cmdOk_Click() {
    if (finished_) return;
    finished_ = true;
    emit circuitChosen(selectedStyle());
    close();
}

void frmCktOpt::cmdCancel_Click() {
    if (finished_) return;
    finished_ = true;
    close();
    emit cancelled();
}

// Esc (and any other rejection) is Cancel.
void frmCktOpt::reject() {
    cmdCancel_Click();
}

void frmCktOpt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // rbBasic is first in the tab order, so it takes the focus as the dialog
    // opens, and an option that takes the focus is the selected one. Select it
    // here as well, since an inactive window gets no focus event.
    rbBasic->setFocus(Qt::TabFocusReason);
    if (!rbNand->isChecked() && !rbNor->isChecked()) rbBasic->setChecked(true);
}

void frmCktOpt::closeEvent(QCloseEvent* event) {
    // Closed other than by a button (the window manager, the parent closing):
    // the same as Cancel, so the work form is enabled again.
    if (!finished_) {
        finished_ = true;
        emit cancelled();
    }
    event->accept();
}

bool frmCktOpt::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* rb = qobject_cast<QRadioButton*>(watched)) rb->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}
