#pragma once

#include "function_view.h"

#include <QDialog>
#include <QPointer>

class ButtonFeedback;
class DocumentHost;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The demultiplexer options dialog: asks for the value tied to the data
// input Din. A modeless top-level window that keeps the work form disabled
// while it is open and deletes itself when it closes.
class frmDemuxOpt : public QDialog {
    Q_OBJECT
public:
    frmDemuxOpt(QWidget* parent, QWidget* workForm, DocumentHost& host, FunctionView function);

    QGroupBox* FrameCktOpt;
    QRadioButton* rb0;
    QRadioButton* rb1;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    ButtonFeedback& feedback() { return *feedback_; }

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

    QPointer<QWidget> workForm_;
    DocumentHost& host_;
    // A copy: the dialog may outlive the caller's description.
    FunctionView function_;
    ButtonFeedback* feedback_ = nullptr;
    bool unloading_ = false;
};
