#include "drawing/options_dialog.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <exception>

#include "common/button_feedback.h"
#include "common/prompts.h"
#include "common/twips.h"
#include "common/widget_style.h"

namespace quendal::drawing {

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
    setFixedSize(common::twipsToPixels(widthTwips), common::twipsToPixels(heightTwips));
    setFont(common::timesFont(12));
    common::setColour(this, QPalette::Window, kFormGrey);
    setAutoFillBackground(true);
}

QGroupBox* OptionsDialog::createFrame(const char* caption, const QRect& geometry) {
    frame_ = new QGroupBox(QString::fromUtf8(caption), this);
    frame_->setObjectName(QStringLiteral("FrameCktOpt"));
    frame_->setGeometry(geometry);
    common::setTextColour(frame_, kFrameText);
    return frame_;
}

QRadioButton* OptionsDialog::createOption(const char* name, const char* caption,
                                          const QRect& geometry) {
    auto* rb = new QRadioButton(QString::fromUtf8(caption), frame_);
    rb->setObjectName(QLatin1String(name));
    rb->setGeometry(geometry);
    common::setTextColour(rb, kOptionText);
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

    feedback_ = new common::ButtonFeedback(this, {cmdOk, cmdCancel}, this);

    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool OptionsDialog::highlightOn() const {
    return feedback_->highlightOn();
}

void openOptionsDialog(OptionsDialog* dialog, QWidget* workForm, common::Prompts& prompts,
                       std::function<void()> onAccepted) {
    QPointer<QWidget> form(workForm);
    if (form) form->setEnabled(false);
    // QDialog reports every accept or reject, also a second one that arrives
    // while the dialog closes; only the first may draw.
    QObject::connect(
        dialog, &QDialog::finished, dialog,
        [form, &prompts, onAccepted = std::move(onAccepted)](int result) {
            if (form) form->setEnabled(true);
            if (result != QDialog::Accepted) return;
            try {
                onAccepted();
            } catch (const std::exception& e) {
                prompts.message(QStringLiteral("The drawing could not be made: %1")
                                    .arg(QString::fromLocal8Bit(e.what())),
                                common::PromptIcon::Critical);
            }
        },
        Qt::SingleShotConnection);
    dialog->show();
}

}  // namespace quendal::drawing
