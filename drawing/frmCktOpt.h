#pragma once

#include "drawing/options_dialog.h"
#include "drawing/universal_circuits.h"

namespace quendal::drawing {

// The circuit options dialog: the user picks the AND/OR/NOT, NAND-only or
// NOR-only circuit. Ok accepts with the selected circuit; the caller draws.
class frmCktOpt : public OptionsDialog {
    Q_OBJECT
public:
    explicit frmCktOpt(QWidget* parent = nullptr);

    // The selected circuit; the basic one when no option is selected (the
    // focus selects rbBasic as the dialog opens, so an untouched dialog means
    // the basic circuit).
    CircuitKind selection() const;

    QGroupBox* FrameCktOpt;
    QRadioButton* rbBasic;
    QRadioButton* rbNand;
    QRadioButton* rbNor;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quendal::drawing
