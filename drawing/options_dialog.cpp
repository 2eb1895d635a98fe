#include "drawing/options_dialog.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <exception>

#include "common/button_feedback.h"
#include "common/prompts.h"
#include "common/twips.h"
#include "common/widget_style.h"

namespace {

const QColor kFormGrey(224, 224, 224);
const QColor kFrameText(0, 0, 192);
const QColor kOptionText(0, 0, 128);

}  // namespace

OptionsDialog::OptionsDialog(QWidget* parent, const char* name, int widthTwips, int heightTwips)
    // A caption only: no control box, no minimize or maximize, so the dialog
    // closes through its buttons.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QLatin1String(name));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quendal"));
    setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    setFont(timesFont(12));
    setColour(this, QPalette::Window, kFormGrey);
    setAutoFillBackground(true);
}

void OptionsDialog::createFrame(const char* caption, const QRect& geometry) {
    FrameCktOpt = new QGroupBox(QString::fromUtf8(caption), this);
    FrameCktOpt->setObjectName(QStringLiteral("FrameCktOpt"));
    FrameCktOpt->setGeometry(geometry);
    setTextColour(FrameCktOpt, kFrameText);
}

QRadioButton* OptionsDialog::createOption(const char* name, const char* caption,
                                          const QRect& geometry) {
    auto* rb = new QRadioButton(QString::fromUtf8(caption), FrameCktOpt);
    rb->setObjectName(QLatin1String(name));
    rb->setGeometry(geometry);
    setTextColour(rb, kOptionText);
    return rb;
}

void OptionsDialog::createButtons(const QRect& okGeometry, const QRect& cancelGeometry) {
    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(okGeometry);
    cmdOk->setDefault(true);

    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(cancelGeometry);

    feedback_ = new ButtonFeedback(this, {cmdOk, cmdCancel}, this);

    connect(cmdOk, &QPushButton::clicked, this, &OptionsDialog::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &OptionsDialog::cmdCancel_Click);
}

bool OptionsDialog::highlightOn() const {
    return feedback_->highlightOn();
}

void OptionsDialog::cmdOk_Click() {
    if (finished_) return;
    finished_ = true;
    emit chosen(selectedOption());
    close();
}

void OptionsDialog::cmdCancel_Click() {
    if (finished_) return;
    finished_ = true;
    close();
    emit cancelled();
}

void OptionsDialog::reject() {
    cmdCancel_Click();
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    // Closed other than by a button (the window manager, the parent closing):
    // the same as Cancel, so the work form does not stay disabled.
    if (!finished_) {
        finished_ = true;
        emit cancelled();
    }
    event->accept();
}

void showOptionsDialog(OptionsDialog* dialog, QWidget* workForm,
                       std::function<void(int)> onChosen) {
    QPointer<QWidget> form(workForm);
    if (form) form->setEnabled(false);
    QPointer<QWidget> owner(dialog->parentWidget());
    QObject::connect(dialog, &OptionsDialog::chosen, dialog,
                     [form, owner, onChosen = std::move(onChosen)](int option) {
                         if (form) form->setEnabled(true);
                         try {
                             onChosen(option);
                         } catch (const std::exception& e) {
                             // Only an exhausted memory (a huge picture) gets
                             // here; say so rather than end the program.
                             MessageBoxPrompts(owner.data())
                                 .message(QStringLiteral("The drawing could not be made: %1")
                                              .arg(QString::fromLocal8Bit(e.what())),
                                          PromptIcon::Critical);
                         }
                     });
    QObject::connect(dialog, &OptionsDialog::cancelled, dialog, [form] {
        if (form) form->setEnabled(true);
    });
    dialog->show();
}
