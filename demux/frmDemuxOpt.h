#pragma once

#include "drawing/options_dialog.h"

namespace quendal::demux {

// The demultiplexer options dialog: asks for the value tied to the data
// input Din. A top-level window of its own; Ok accepts with Din, 0 or 1, and
// the caller draws.
class frmDemuxOpt : public drawing::OptionsDialog {
    Q_OBJECT
public:
    explicit frmDemuxOpt(QWidget* parent = nullptr);

    // The frame is named "FrameCktOpt", as in every options dialog.
    QGroupBox* FrameDemuxOpt;
    QRadioButton* rb0;
    QRadioButton* rb1;

    // Din: the value of the selected option.
    int selection() const;
};

}  // namespace quendal::demux
