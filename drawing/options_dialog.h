#pragma once

#include <QDialog>

#include <functional>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace quendal::common {
class ButtonFeedback;
class Prompts;
}  // namespace quendal::common

namespace quendal::drawing {

// What the options dialogs of the Circuit, Mux and Demux commands share: a
// fixed-size light grey form captioned "Quendal" without control box, its
// texts in Times New Roman 12 pt, a frame of options, and the Ok and Cancel
// buttons with their feedback. Ok accepts; Cancel, Esc and closing the
// window reject. The dialog only reports; the command that opened it draws.
// Each command creates a fresh dialog, which deletes itself when it ends.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

    common::ButtonFeedback& feedback() const { return *feedback_; }
    bool highlightOn() const;

public slots:
    void cmdOk_Click() { accept(); }
    void cmdCancel_Click() { reject(); }

protected:
    // name is the objectName; the client area is given in twips.
    OptionsDialog(QWidget* parent, const char* name, int widthTwips, int heightTwips);

    // The frame that holds the options, its caption in blue. Every options
    // dialog names it "FrameCktOpt", as the forms are specified.
    QGroupBox* createFrame(const char* caption, const QRect& geometry);
    // An option button in the frame, its text in navy. The colour covers the
    // enabled looks only, so an option not offered shows as disabled.
    QRadioButton* createOption(const char* name, const char* caption, const QRect& geometry);

    // cmdOk (the default button, so Enter is Ok) and cmdCancel at the given
    // geometries, with the feedback that lights them and resets over the form.
    // Called after the subclass has made its own controls, so that the
    // buttons follow them among the form's children.
    void createButtons(const QRect& okGeometry, const QRect& cancelGeometry);

private:
    QGroupBox* frame_ = nullptr;
    common::ButtonFeedback* feedback_ = nullptr;
};

// Shows the dialog, modeless, with workForm disabled while it is open, so it
// behaves as modal towards the work form only. The dialog's first end counts:
// accepted, it enables workForm, then runs onAccepted; rejected, it only
// enables workForm. A drawing that fails (only an exhausted memory, for a
// huge picture) is reported through prompts rather than ending the program.
void openOptionsDialog(OptionsDialog* dialog, QWidget* workForm, common::Prompts& prompts,
                       std::function<void()> onAccepted);

// The same with the dialog's typed selection: onChosen(dialog->selection()).
template <class Dialog, class OnChosen>
void showOptionsDialog(Dialog* dialog, QWidget* workForm, common::Prompts& prompts,
                       OnChosen onChosen) {
    openOptionsDialog(dialog, workForm, prompts,
                      [dialog, onChosen = std::move(onChosen)] { onChosen(dialog->selection()); });
}

}  // namespace quendal::drawing
