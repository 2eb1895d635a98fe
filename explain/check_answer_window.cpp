#include "explain/check_answer_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "explain/check_page.h"
#include "explain/explain_subject.h"
#include "minimizer/answer_check.h"

namespace quendal::explain {

CheckAnswerWindow::CheckAnswerWindow(std::shared_ptr<const qm::Explanation> explanation,
                                     std::string letters, Fuller fuller, QWidget* parent,
                                     PracticeCheck practice)
    : QWidget(parent),
      explanation_(std::move(explanation)),
      fuller_(std::move(fuller)),
      practice_(std::move(practice)),
      letters_(std::move(letters)) {
    setObjectName(QStringLiteral("CheckAnswerWindow"));
    auto* prompt = new QLabel(
        QString::fromStdString("Type " + functionName(letters_) +
                               " as a sum of products or a product of sums (letters, ', + and "
                               "parentheses), then press Check:"),
        this);
    prompt->setObjectName(QStringLiteral("lblPrompt"));
    prompt->setWordWrap(true);
    // The function stays in view while the student works on it.
    const logic::Function& f = explanation_->function;
    auto* function =
        new QLabel(QString::fromStdString(functionName(letters_) + ":   1-rows: " + rowList(f.on) +
                                          "   Don't-cares: " + rowList(f.dc)),
                   this);
    function->setObjectName(QStringLiteral("lblFunction"));
    function->setWordWrap(true);
    function->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txtAnswer = new QLineEdit(this);
    txtAnswer->setObjectName(QStringLiteral("txtAnswer"));
    // One more than an answer may have, so that a longer paste, which the box cuts, is known.
    txtAnswer->setMaxLength(kMaxAnswerLength + 1);
    cmdCheck = new QPushButton(QStringLiteral("&Check"), this);
    cmdCheck->setObjectName(QStringLiteral("cmdCheck"));
    cmdCheck->setDefault(true);
    lblVerdict = new QLabel(this);
    lblVerdict->setObjectName(QStringLiteral("lblVerdict"));
    lblVerdict->setWordWrap(true);
    lblVerdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdShow = new QPushButton(QStringLiteral("&Show"), this);
    cmdShow->setObjectName(QStringLiteral("cmdShow"));
    cmdShow->setToolTip(QStringLiteral("Show a minimum sum of products and product of sums"));
    lblMinimum = new QLabel(this);
    lblMinimum->setObjectName(QStringLiteral("lblMinimum"));
    lblMinimum->setWordWrap(true);
    lblMinimum->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout(this);
    grid->addWidget(function, 0, 0, 1, 2);
    grid->addWidget(prompt, 1, 0, 1, 2);
    grid->addWidget(txtAnswer, 2, 0);
    grid->addWidget(cmdCheck, 2, 1);
    grid->addWidget(lblVerdict, 3, 0, 1, 2);
    grid->addWidget(cmdShow, 4, 1);
    grid->addWidget(lblMinimum, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(0, 1);

    connect(cmdCheck, &QPushButton::clicked, this, &CheckAnswerWindow::cmdCheck_Click);
    connect(txtAnswer, &QLineEdit::returnPressed, this, &CheckAnswerWindow::cmdCheck_Click);
    connect(cmdShow, &QPushButton::clicked, this, &CheckAnswerWindow::cmdShow_Click);
    cmdShow->setVisible(!practice_);
    resize(520, 240);
}

const qm::Explanation& CheckAnswerWindow::everything() {
    if (explanation_->scope != qm::ExplainScope::Everything && fuller_) {
        if (auto whole = fuller_()) explanation_ = std::move(whole);
        fuller_ = {};
    }
    return *explanation_;
}

void CheckAnswerWindow::cmdCheck_Click() {
    const std::string answer = txtAnswer->text().toStdString();
    if (txtAnswer->text().size() > kMaxAnswerLength) {
        lblVerdict->setText(QStringLiteral("The answer is longer than %1 characters, the most "
                                           "this box holds, so it was cut: shorten it.")
                                .arg(kMaxAnswerLength));
        page_.checked = true;
        page_.answer = answer;
        page_.verdict = lblVerdict->text().toStdString();
        emit checked(txtAnswer->text(), lblVerdict->text());
        return;
    }
    try {
        if (practice_) {
            lblVerdict->setText(QString::fromStdString(practice_(answer)));
            page_.checked = true;
            page_.answer = answer;
            page_.verdict = lblVerdict->text().toStdString();
            emit checked(txtAnswer->text(), lblVerdict->text());
            return;
        }
        qm::AnswerVerdict verdict = qm::checkAnswer(answer, *explanation_, letters_);
        // A product of sums is measured against the minimum product of sums, which is worked
        // out only when an answer needs it.
        const bool sopMinimal = verdict.form == qm::AnswerVerdict::Form::Sop && verdict.minimal;
        if (verdict.equivalent && !sopMinimal &&
            explanation_->scope != qm::ExplainScope::Everything &&
            logic::parseExpression(answer, explanation_->function.width, letters_).asPos)
            verdict = qm::checkAnswer(answer, everything(), letters_);
        lblVerdict->setText(QString::fromStdString(
            qm::verdictText(verdict, explanation_->function.width, letters_)));
    } catch (const logic::SyntaxError& error) {
        lblVerdict->setText(QString::fromStdString(error.what()));
        // Put the cursor where reading stopped, so the student sees the place.
        txtAnswer->setFocus();
        txtAnswer->setCursorPosition(error.position() - 1);
        if (error.position() <= static_cast<int>(answer.size()))
            txtAnswer->setSelection(error.position() - 1, 1);
    }
    page_.checked = true;
    page_.answer = answer;
    page_.verdict = lblVerdict->text().toStdString();
    emit checked(txtAnswer->text(), lblVerdict->text());
}

void CheckAnswerWindow::cmdShow_Click() {
    if (practice_) return;
    const qm::Explanation& e = everything();
    const int width = e.function.width;
    // The function's name, never one of its variable letters.
    const std::string y = outputName(letters_) + " = ";
    std::string text =
        "A minimum sum of products: " + y + logic::sopText(e.covers.front(), width, letters_);
    if (e.pos)
        text += "\nA minimum product of sums: " + y + logic::posText(*e.pos, width, letters_);
    lblMinimum->setText(QString::fromStdString(text));
    page_.minimum = text;
}

void CheckAnswerWindow::drawPage(drawing::Canvas& canvas) const {
    drawCheckPage(canvas, *explanation_, letters_, page_);
}

}  // namespace quendal::explain
