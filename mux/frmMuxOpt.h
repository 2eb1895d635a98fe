#pragma once

#include "drawing/options_dialog.h"

#include <QList>
#include <QPair>

namespace quendal::mux {

// The multiplexer options dialog: offers the multiplexer sizes that suit the
// function's number of variables. Ok accepts with the select lines k of the
// selected size; the caller draws.
class frmMuxOpt : public drawing::OptionsDialog {
    Q_OBJECT
public:
    explicit frmMuxOpt(QWidget* parent = nullptr);

    // The frame is named "FrameCktOpt", as in every options dialog.
    QGroupBox* FrameMuxOpt;
    QRadioButton* rb64;
    QRadioButton* rb32;
    QRadioButton* rb16;
    QRadioButton* rb8;
    QRadioButton* rb4;
    QRadioButton* rb2;

    // Enables the sizes offered for numVars variables and selects the largest.
    void offerOptions(int numVars);
    // Select lines of the selected size: the last selected option in the
    // order 64, 32, 16, 8, 4, 2 decides; 0 when none is selected.
    int selectedK() const;
    int selection() const { return selectedK(); }

private:
    // The option buttons with their k, largest size first.
    QList<QPair<QRadioButton*, int>> options() const;
};

}  // namespace quendal::mux
