#include "explain/karnaugh_switch.h"

#include <QHBoxLayout>
#include <QRadioButton>

namespace quendal::explain {

KarnaughSwitch::KarnaughSwitch(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ctlKarnaughSwitch"));
    optSop = new QRadioButton(QStringLiteral("Loops around the &1s (SOP)"), this);
    optSop->setObjectName(QStringLiteral("optSop"));
    optSop->setChecked(true);
    optPos = new QRadioButton(QStringLiteral("Loops around the &0s (POS)"), this);
    optPos->setObjectName(QStringLiteral("optPos"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(optSop);
    row->addWidget(optPos);
    row->addStretch(1);
    connect(optSop, &QRadioButton::clicked, this, &KarnaughSwitch::optSop_Click);
    connect(optPos, &QRadioButton::clicked, this, &KarnaughSwitch::optPos_Click);
    setAutoFillBackground(true);
}

LoopForm KarnaughSwitch::form() const {
    return form_;
}

void KarnaughSwitch::setForm(LoopForm form) {
    (form == LoopForm::Pos ? optPos : optSop)->setChecked(true);
    form == LoopForm::Pos ? optPos_Click() : optSop_Click();
}

void KarnaughSwitch::optSop_Click() {
    if (form_ == LoopForm::Sop) return;
    form_ = LoopForm::Sop;
    emit formChanged(form_);
}

void KarnaughSwitch::optPos_Click() {
    if (form_ == LoopForm::Pos) return;
    form_ = LoopForm::Pos;
    emit formChanged(form_);
}

}  // namespace quendal::explain
