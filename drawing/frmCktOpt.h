#pragma once

#include <QDialog>

class ButtonFeedback;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The circuit options dialog: the user picks the AND/OR/NOT, NAND-only or
// NOR-only circuit. It only reports the choice (circuitChosen on Ok,
// cancelled on Cancel, Esc or closing); the caller draws.
class frmCktOpt : public QDialog {
    Q_OBJECT
public:
    enum Style { Basic = 0, Nand = 1, Nor = 2 };

    explicit frmCktOpt(QWidget* parent = nullptr);

    // The selected option; Basic when none is (the focus selects rbBasic as
    // the dialog opens, so an untouched dialog means the basic circuit).
    Style selectedStyle() const;
    bool highlightOn() const;

    QGroupBox* FrameCktOpt;
    QRadioButton* rbBasic;
    QRadioButton* rbNand;
    QRadioButton* rbNor;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    ButtonFeedback* feedback;

signals:
    void circuitChosen(int style);
    void cancelled();

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool finished_ = false;
};
