#include "frmMuxOpt.h"

#include "button_feedback.h"
#include "document_host.h"
#include "mux_drawing.h"
#include "mux_options.h"
#include "twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor kBackground{224, 224, 224};
const QColor kFrameText{0, 0, 192};
const QColor kOptionText{0, 0, 128};

// Only the enabled looks: a disabled option keeps the style's grey, so the
// sizes not offered show as such.
void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, colour);
        p.setColor(group, QPalette::Text, colour);
        p.setColor(group, QPalette::ButtonText, colour);
    }
    w->setPalette(p);
}

QRadioButton* makeOption(QGroupBox* frame, const char* name, const char* caption, QRect geometry) {
    auto* rb = new QRadioButton(caption, frame);
    rb->setObjectName(name);
    rb->setGeometry(geometry);
    setTextColour(rb, kOptionText);
    rb->setEnabled(false);
    return rb;
}

}  // namespace

frmMuxOpt::frmMuxOpt(QWidget* parent, QWidget* workForm, DocumentHost& host, FunctionView function)
    : QDialog(parent), workForm_(workForm), host_(host), function_(std::move(function)) {
    setObjectName("frmMuxOpt");
    setAttribute(Qt::WA_DeleteOnClose);
    // A caption only: no control box, no minimize or maximize, so it closes
    // through its buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle("Quendal");
    setFixedSize(twipsToPixels(5205), twipsToPixels(5220));
    setFont(QFont("Times New Roman", 12));
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);
    setAutoFillBackground(true);

    FrameCktOpt = new QGroupBox("                Select the Type of Mux", this);
    FrameCktOpt->setObjectName("FrameCktOpt");
    FrameCktOpt->setGeometry(twipsRect(360, 360, 4455, 3735));
    setTextColour(FrameCktOpt, kFrameText);

    rb64 = makeOption(FrameCktOpt, "rb64", " Using 64 : 1 Mux", twipsRect(1080, 600, 2295, 375));
    rb32 = makeOption(FrameCktOpt, "rb32", " Using 32 : 1 Mux", twipsRect(1080, 1080, 2175, 375));
    rb16 = makeOption(FrameCktOpt, "rb16", " Using 16 : 1 Mux", twipsRect(1080, 1560, 2295, 375));
    rb8 = makeOption(FrameCktOpt, "rb8", " Using  8 : 1 Mux", twipsRect(1080, 2040, 2055, 375));
    rb4 = makeOption(FrameCktOpt, "rb4", " Using  4 : 1 Mux", twipsRect(1080, 2520, 2175, 345));
    rb2 = makeOption(FrameCktOpt, "rb2", " Using  2 : 1 Mux", twipsRect(1080, 3000, 2295, 495));

    cmdOk = new QPushButton("&Ok", this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setGeometry(twipsRect(1080, 4440, 1215, 375));
    cmdOk->setDefault(true);

    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(twipsRect(2880, 4440, 1215, 375));

    // Smallest size first, as the options are numbered; then Ok, Cancel.
    setTabOrder(rb2, rb4);
    setTabOrder(rb4, rb8);
    setTabOrder(rb8, rb16);
    setTabOrder(rb16, rb32);
    setTabOrder(rb32, rb64);
    setTabOrder(rb64, cmdOk);
    setTabOrder(cmdOk, cmdCancel);

    feedback_ = new ButtonFeedback(this, {cmdOk, cmdCancel}, this);

    connect(cmdOk, &QPushButton::clicked, this, &frmMuxOpt::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMuxOpt::cmdCancel_Click);

    Form_Load();
}

QList<QPair<QRadioButton*, int>> frmMuxOpt::options() const {
    return {{rb64, 6}, {rb32, 5}, {rb16, 4}, {rb8, 3}, {rb4, 2}, {rb2, 1}};
}

void frmMuxOpt::Form_Load() {
    setWorkFormEnabled(false);
}

void frmMuxOpt::offerOptions(int n) {
    const MuxOptionSet offered = muxOptionsFor(n);
    for (const auto& [rb, k] : options()) {
        rb->setEnabled(offered.offers(k));
        if (offered.offers(k) && k == offered.presetK()) {
            rb->setChecked(true);
            // The preset takes the focus, so the arrow keys move from it and
            // Enter confirms it.
            rb->setFocus();
        }
    }
}

int frmMuxOpt::selectedK() const {
    int k = 0;
    for (const auto& [rb, value] : options())
        if (rb->isChecked()) k = value;
    return k;
}

void frmMuxOpt::setWorkFormEnabled(bool enabled) {
    if (workForm_) workForm_->setEnabled(enabled);
}

void frmMuxOpt::unload() {
    if (unloading_) return;
    unloading_ = true;
    close();
}

void frmMuxOpt::cmdOk_Click() {
    if (unloading_) return;
    setWorkFormEnabled(true);
    Canvas& canvas = host_.LoadNewDoc(1);
    drawMuxImplementation(canvas, function_, selectedK());
    unload();
}

void frmMuxOpt::cmdCancel_Click() {
    if (unloading_) return;
    unload();
    setWorkFormEnabled(true);
}

void frmMuxOpt::reject() {
    cmdCancel_Click();
}

void frmMuxOpt::closeEvent(QCloseEvent* event) {
    // Closed by the window system (or with its parent): the work form must
    // not stay disabled.
    if (!unloading_) {
        unloading_ = true;
        setWorkFormEnabled(true);
    }
    event->accept();
}
