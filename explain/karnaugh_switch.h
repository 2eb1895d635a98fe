#pragma once

#include <QWidget>

#include "explain/karnaugh_map.h"

class QRadioButton;

namespace quendal::explain {

// The switch above a Karnaugh map between the loops of the minimum sum of products (around the
// ones) and those of the minimum product of sums (around the zeros).
class KarnaughSwitch : public QWidget {
    Q_OBJECT
public:
    explicit KarnaughSwitch(QWidget* parent = nullptr);

    LoopForm form() const;
    // Selects a form as a click on its button does.
    void setForm(LoopForm form);

signals:
    void formChanged(LoopForm form);

public slots:
    void optSop_Click();
    void optPos_Click();

private:
    QRadioButton* optSop = nullptr;
    QRadioButton* optPos = nullptr;
    LoopForm form_ = LoopForm::Sop;
};

}  // namespace quendal::explain
