#pragma once

#include "drawing/options_dialog.h"

// The demultiplexer options dialog: asks for the value tied to the data
// input Din. A top-level window of its own; Ok reports Din, 0 or 1
// (chosen), and the caller draws.
class frmDemuxOpt : public OptionsDialog {
    Q_OBJECT
public:
    explicit frmDemuxOpt(QWidget* parent = nullptr);

    QRadioButton* rb0;
    QRadioButton* rb1;

protected:
    int selectedOption() const override;
};
