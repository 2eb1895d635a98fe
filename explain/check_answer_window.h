#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "drawing/page_source.h"
#include "explain/check_page.h"
#include "minimizer/explanation.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quendal::explain {

// "Check my answer": the student types a sum of products or a product of sums of the function
// and presses Check; the window says whether it is equivalent (or a row where it differs) and
// whether it is minimal, and shows a minimum only when asked (Show). It prints and exports as a
// page holding the same.
class CheckAnswerWindow : public QWidget, public drawing::PageSource {
    Q_OBJECT
public:
    // The longest answer the box takes (a line edit's usual limit); a longer paste is refused
    // with a word rather than cut silently.
    static constexpr int kMaxAnswerLength = 32767;
    using Fuller = std::function<std::shared_ptr<const qm::Explanation>()>;
    // In practice an answer gets this verdict (hints that never show the minimum; it may throw
    // logic::SyntaxError) and there is no Show.
    using PracticeCheck = std::function<std::string(const std::string& answer)>;
    // `explanation` may hold only the minimum sum of products; `fuller` gives the whole
    // explanation when an answer or Show needs the product of sums.
    CheckAnswerWindow(std::shared_ptr<const qm::Explanation> explanation, std::string letters,
                      Fuller fuller = {}, QWidget* parent = nullptr, PracticeCheck practice = {});

    void drawPage(drawing::Canvas& canvas) const override;

signals:
    // An answer was checked, with what the window said of it.
    void checked(const QString& answer, const QString& verdict);

public slots:
    void cmdCheck_Click();
    void cmdShow_Click();

private:
    // The whole explanation, once something needs more than the minimum sum of products.
    const qm::Explanation& everything();

    std::shared_ptr<const qm::Explanation> explanation_;
    Fuller fuller_;
    PracticeCheck practice_;
    std::string letters_;
    CheckPage page_;
    QLineEdit* txtAnswer = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdShow = nullptr;
    QLabel* lblVerdict = nullptr;
    QLabel* lblMinimum = nullptr;
};

}  // namespace quendal::explain
