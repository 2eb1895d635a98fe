#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "minimizer/explanation.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quendal::explain {

// "Check my answer": the student types a sum of products or a product of sums of the function
// and presses Check; the window says whether it is equivalent (or a row where it differs) and
// whether it is minimal, and shows a minimum only when asked (Show).
class frmCheck : public QWidget {
    Q_OBJECT
public:
    frmCheck(std::shared_ptr<const qm::Explanation> explanation, std::string letters,
             QWidget* parent = nullptr);

public slots:
    void cmdCheck_Click();
    void cmdShow_Click();

private:
    std::shared_ptr<const qm::Explanation> explanation_;
    std::string letters_;
    QLineEdit* txtAnswer = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdShow = nullptr;
    QLabel* lblVerdict = nullptr;
    QLabel* lblMinimum = nullptr;
};

}  // namespace quendal::explain
