#pragma once

#include "drawing/options_dialog.h"

#include <QList>
#include <QPair>

// The multiplexer options dialog: offers the multiplexer sizes that suit the
// function's number of variables. Ok reports the select lines k of the
// selected size (chosen); the caller draws.
class frmMuxOpt : public OptionsDialog {
    Q_OBJECT
public:
    explicit frmMuxOpt(QWidget* parent = nullptr);

    QRadioButton* rb64;
    QRadioButton* rb32;
    QRadioButton* rb16;
    QRadioButton* rb8;
    QRadioButton* rb4;
    QRadioButton* rb2;

    // Enables the sizes offered for n variables and selects the largest.
    void offerOptions(int n);
    // Select lines of the selected size: the last selected option in the
    // order 64, 32, 16, 8, 4, 2 decides; 0 when none is selected.
    int selectedK() const;

protected:
    int selectedOption() const override { return selectedK(); }

private:
    // The option buttons with their k, largest size first.
    QList<QPair<QRadioButton*, int>> options() const;
};
