#include "mux/frmMuxOpt.h"

#include "common/twips.h"
#include "mux/mux_options.h"

#include <QPushButton>
#include <QRadioButton>

namespace quendal::mux {

frmMuxOpt::frmMuxOpt(QWidget* parent) : drawing::OptionsDialog(parent, "frmMuxOpt", 5205, 5220) {
    FrameMuxOpt = createFrame("                Select the Type of Mux",
                              common::twipsRect(360, 360, 4455, 3735));
    rb64 = createOption("rb64", " Using 64 : 1 Mux", common::twipsRect(1080, 600, 2295, 375));
    rb32 = createOption("rb32", " Using 32 : 1 Mux", common::twipsRect(1080, 1080, 2175, 375));
    rb16 = createOption("rb16", " Using 16 : 1 Mux", common::twipsRect(1080, 1560, 2295, 375));
    rb8 = createOption("rb8", " Using  8 : 1 Mux", common::twipsRect(1080, 2040, 2055, 375));
    rb4 = createOption("rb4", " Using  4 : 1 Mux", common::twipsRect(1080, 2520, 2175, 345));
    rb2 = createOption("rb2", " Using  2 : 1 Mux", common::twipsRect(1080, 3000, 2295, 495));
    // Disabled until offerOptions offers them.
    for (const auto& option : options()) option.first->setEnabled(false);

    createButtons(common::twipsRect(1080, 4440, 1215, 375),
                  common::twipsRect(2880, 4440, 1215, 375));

    // Smallest size first, as the options are numbered; then Ok, Cancel.
    setTabOrder(rb2, rb4);
    setTabOrder(rb4, rb8);
    setTabOrder(rb8, rb16);
    setTabOrder(rb16, rb32);
    setTabOrder(rb32, rb64);
    setTabOrder(rb64, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
}

QList<QPair<QRadioButton*, int>> frmMuxOpt::options() const {
    return {{rb64, 6}, {rb32, 5}, {rb16, 4}, {rb8, 3}, {rb4, 2}, {rb2, 1}};
}

void frmMuxOpt::offerOptions(int numVars) {
    const MuxOptionSet offered = muxOptionsFor(numVars);
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

}  // namespace quendal::mux
