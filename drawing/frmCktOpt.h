#pragma once

#include "drawing/options_dialog.h"

// The circuit options dialog: the user picks the AND/OR/NOT, NAND-only or
// NOR-only circuit. Ok reports the selected Style (chosen); the caller draws.
class frmCktOpt : public OptionsDialog {
    Q_OBJECT
public:
    enum Style { Basic = 0, Nand = 1, Nor = 2 };

    explicit frmCktOpt(QWidget* parent = nullptr);

    // The selected option; Basic when none is (the focus selects rbBasic as
    // the dialog opens, so an untouched dialog means the basic circuit).
    Style selectedStyle() const;

    QRadioButton* rbBasic;
    QRadioButton* rbNand;
    QRadioButton* rbNor;

protected:
    int selectedOption() const override { return selectedStyle(); }
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
