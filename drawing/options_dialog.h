#pragma once

#include <QDialog>

#include <functional>

class ButtonFeedback;
class QGroupBox;
class QPushButton;
class QRadioButton;

// What the options dialogs of the Circuit, Mux and Demux commands share: a
// fixed-size light grey form captioned "Quendal" without control box, its
// texts in Times New Roman 12 pt, the Ok and Cancel buttons with their
// feedback, and an end that comes once: Ok reports the selected option
// (chosen), Cancel, Esc or closing the window report cancelled. The dialog
// only reports; the command that opened it draws. Each command creates a
// fresh dialog, which deletes itself when it closes.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    QGroupBox* FrameCktOpt = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

    ButtonFeedback& feedback() const { return *feedback_; }
    bool highlightOn() const;

signals:
    void chosen(int option);
    void cancelled();

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    // Esc and any other rejection are Cancel.
    void reject() override;

protected:
    // name is the objectName; the client area is given in twips.
    OptionsDialog(QWidget* parent, const char* name, int widthTwips, int heightTwips);

    // FrameCktOpt, the frame that holds the options, with its caption in blue.
    void createFrame(const char* caption, const QRect& geometry);
    // An option button in the frame, its text in navy. The colour covers the
    // enabled looks only, so an option not offered shows as disabled.
    QRadioButton* createOption(const char* name, const char* caption, const QRect& geometry);

    // cmdOk (the default button, so Enter is Ok) and cmdCancel at the given
    // geometries, with the feedback that lights them and resets over the form.
    // Called after the subclass has made its own controls, so that the
    // buttons follow them among the form's children.
    void createButtons(const QRect& okGeometry, const QRect& cancelGeometry);

    // The option that Ok reports.
    virtual int selectedOption() const = 0;

    void closeEvent(QCloseEvent* event) override;

private:
    ButtonFeedback* feedback_ = nullptr;
    bool finished_ = false;
};

// Shows the dialog, modeless, with workForm disabled while it is open, so it
// behaves as modal towards the work form only. Ok enables workForm, then runs
// onChosen with the selected option; Cancel, Esc or closing the dialog only
// enable workForm.
void showOptionsDialog(OptionsDialog* dialog, QWidget* workForm, std::function<void(int)> onChosen);
