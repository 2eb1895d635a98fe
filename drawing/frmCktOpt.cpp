#include "drawing/frmCktOpt.h"

#include <QEvent>
#include <QPushButton>
#include <QRadioButton>

#include "common/twips.h"

namespace quendal::drawing {

frmCktOpt::frmCktOpt(QWidget* parent) : OptionsDialog(parent, "frmCktOpt", 5190, 3750) {
    FrameCktOpt =
        createFrame("        Select the Type of Circuit", common::twipsRect(360, 360, 4455, 2295));
    // The dialog watches the options' focus: the option that takes it is selected.
    auto option = [this](const char* name, const char* caption, QRect geometry) {
        QRadioButton* rb = createOption(name, caption, geometry);
        rb->installEventFilter(this);
        return rb;
    };
    rbBasic = option("rbBasic", " Using Basic Gates", common::twipsRect(600, 480, 2295, 375));
    rbNand =
        option("rbNand", " Using Universal NAND Gate", common::twipsRect(600, 1080, 3255, 255));
    rbNor = option("rbNor", " Using Universal NOR Gate", common::twipsRect(600, 1560, 3255, 375));

    createButtons(common::twipsRect(1080, 3000, 1215, 375),
                  common::twipsRect(2880, 3000, 1215, 375));

    setTabOrder(rbBasic, rbNand);
    setTabOrder(rbNand, rbNor);
    setTabOrder(rbNor, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
}

CircuitKind frmCktOpt::selection() const {
    if (rbNand->isChecked()) return CircuitKind::Nand;
    if (rbNor->isChecked()) return CircuitKind::Nor;
    return CircuitKind::Basic;
}

void frmCktOpt::showEvent(QShowEvent* event) {
    OptionsDialog::showEvent(event);
    // rbBasic is first in the tab order, so it takes the focus as the dialog
    // opens, and an option that takes the focus is the selected one. Select it
    // here as well, since an inactive window gets no focus event.
    rbBasic->setFocus(Qt::TabFocusReason);
    if (!rbNand->isChecked() && !rbNor->isChecked()) rbBasic->setChecked(true);
}

bool frmCktOpt::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* rb = qobject_cast<QRadioButton*>(watched)) rb->setChecked(true);
    }
    return OptionsDialog::eventFilter(watched, event);
}

}  // namespace quendal::drawing
