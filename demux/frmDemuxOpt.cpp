#include "frmDemuxOpt.h"

#include "button_feedback.h"
#include "demux_drawing.h"
#include "document_host.h"
#include "twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor kBackground{224, 224, 224};
const QColor kFrameText{0, 0, 192};
const QColor kOptionText{0, 0, 128};

void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

}  // namespace

frmDemuxOpt::frmDemuxOpt(QWidget* parent, QWidget* workForm, DocumentHost& host,
                         FunctionView function)
    : QDialog(parent), workForm_(workForm), host_(host), function_(std::move(function)) {
    setObjectName("frmDemuxOpt");
    setAttribute(Qt::WA_DeleteOnClose);
    // Fixed border with a caption only: no control box, no minimize or
    // maximize, so it closes through its buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle("Quendal");
    setFixedSize(twipsToPixels(5175), twipsToPixels(3540));
    setFont(QFont("Times New Roman", 12));
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);
    setAutoFillBackground(true);

    FrameCktOpt = new QGroupBox("          Select Input Value for DEMUX", this);
    FrameCktOpt->setObjectName("FrameCktOpt");
    FrameCktOpt->setGeometry(twipsRect(360, 360, 4455, 2172));
    setTextColour(FrameCktOpt, kFrameText);

    rb0 = new QRadioButton(" Din  =  logic 0", FrameCktOpt);
    rb0->setObjectName("rb0");
    rb0->setGeometry(twipsRect(600, 480, 3255, 375));
    setTextColour(rb0, kOptionText);

    rb1 = new QRadioButton(" Din  = Logic 1", FrameCktOpt);
    rb1->setObjectName("rb1");
    rb1->setGeometry(twipsRect(600, 1200, 3255, 375));
    setTextColour(rb1, kOptionText);
    rb1->setChecked(true);

    cmdOk = new QPushButton("&Ok", this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setGeometry(twipsRect(840, 2880, 1215, 375));
    cmdOk->setDefault(true);

    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(twipsRect(3000, 2880, 1215, 375));

    setTabOrder(rb0, rb1);
    setTabOrder(rb1, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    // The selected option takes the focus, so confirming at once keeps Din 1.
    rb1->setFocus();

    feedback_ = new ButtonFeedback(this, {cmdOk, cmdCancel}, this);

    connect(cmdOk, &QPushButton::clicked, this, &frmDemuxOpt::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDemuxOpt::cmdCancel_Click);

    Form_Load();
}

void frmDemuxOpt::Form_Load() {
    setWorkFormEnabled(false);
}

void frmDemuxOpt::setWorkFormEnabled(bool enabled) {
    if (workForm_) workForm_->setEnabled(enabled);
}

void frmDemuxOpt::unload() {
    if (unloading_) return;
    unloading_ = true;
    close();
}

void frmDemuxOpt::cmdOk_Click() {
    if (unloading_) return;
    setWorkFormEnabled(true);
    Canvas& canvas = host_.LoadNewDoc(2);
    const int Din = rb0->isChecked() ? 0 : 1;
    drawDemux(canvas, function_, Din, function_.numVars, 4000, 700);
    unload();
}

void frmDemuxOpt::cmdCancel_Click() {
    if (unloading_) return;
    unload();
    setWorkFormEnabled(true);
}

void frmDemuxOpt::reject() {
    cmdCancel_Click();
}

void frmDemuxOpt::closeEvent(QCloseEvent* event) {
    // Closed by the window system (or with its parent): the work form must
    // not stay disabled.
    if (!unloading_) {
        unloading_ = true;
        setWorkFormEnabled(true);
    }
    event->accept();
}
