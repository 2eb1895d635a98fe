#include "demux/frmDemuxOpt.h"

#include "common/twips.h"

#include <QPushButton>
#include <QRadioButton>

namespace quendal::demux {

frmDemuxOpt::frmDemuxOpt(QWidget* parent)
    : drawing::OptionsDialog(parent, "frmDemuxOpt", 5175, 3540) {
    FrameDemuxOpt = createFrame("          Select Input Value for DEMUX",
                                common::twipsRect(360, 360, 4455, 2172));
    rb0 = createOption("rb0", " Din  =  logic 0", common::twipsRect(600, 480, 3255, 375));
    rb1 = createOption("rb1", " Din  = Logic 1", common::twipsRect(600, 1200, 3255, 375));
    rb1->setChecked(true);

    createButtons(common::twipsRect(840, 2880, 1215, 375),
                  common::twipsRect(3000, 2880, 1215, 375));

    setTabOrder(rb0, rb1);
    setTabOrder(rb1, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    // The selected option takes the focus, so confirming at once keeps Din 1.
    rb1->setFocus();
}

int frmDemuxOpt::selection() const {
    return rb0->isChecked() ? 0 : 1;
}

}  // namespace quendal::demux
