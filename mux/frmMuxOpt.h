#pragma once

#include "function_view.h"

#include <QDialog>
#include <QPointer>

class ButtonFeedback;
class DocumentHost;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The multiplexer options dialog: offers the multiplexer sizes that suit the
// function's number of variables and draws the chosen implementation into a
// new "Mux" document. A modeless window that keeps the work form disabled
// while it is open and deletes itself when it closes.
class frmMuxOpt : public QDialog {
    Q_OBJECT
public:
    frmMuxOpt(QWidget* parent, QWidget* workForm, DocumentHost& host, FunctionView function);

    QGroupBox* FrameCktOpt;
    QRadioButton* rb64;
    QRadioButton* rb32;
    QRadioButton* rb16;
    QRadioButton* rb8;
    QRadioButton* rb4;
    QRadioButton* rb2;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    ButtonFeedback& feedback() { return *feedback_; }

    // Enables the sizes offered for n variables and selects the largest.
    void offerOptions(int n);
    // Select lines of the selected size: the last selected option in the
    // order 64, 32, 16, 8, 4, 2 decides; 0 when none is selected.
    int selectedK() const;

    void cmdOk_Click();
    void cmdCancel_Click();

public slots:
    // Esc and any other way of closing count as Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void setWorkFormEnabled(bool enabled);
    void unload();
    // The option buttons with their k, largest size first.
    QList<QPair<QRadioButton*, int>> options() const;

    QPointer<QWidget> workForm_;
    DocumentHost& host_;
    // A copy: the dialog may outlive the caller's description.
    FunctionView function_;
    ButtonFeedback* feedback_ = nullptr;
    bool unloading_ = false;
};
