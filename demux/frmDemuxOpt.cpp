#include "frmDemuxOpt.h"

#include "twips.h"
#include "widget_style.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor kFrameText{0, 0, 192};
const QColor kOptionText{0, 0, 128};

}  // namespace

frmDemuxOpt::frmDemuxOpt(QWidget* parent) : OptionsDialog(parent, "frmDemuxOpt", 5175, 3540) {
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

    createButtons(twipsRect(840, 2880, 1215, 375), twipsRect(3000, 2880, 1215, 375));

    setTabOrder(rb0, rb1);
    setTabOrder(rb1, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    // The selected option takes the focus, so confirming at once keeps Din 1.
    rb1->setFocus();
}

int frmDemuxOpt::selectedOption() const {
    return rb0->isChecked() ? 0 : 1;
}
