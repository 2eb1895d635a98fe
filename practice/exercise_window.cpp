#include "practice/exercise_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "explain/check_answer_window.h"
#include "explain/check_page.h"
#include "explain/explain_subject.h"
#include "explain/karnaugh_map.h"
#include "logic/expression_text.h"
#include "practice/judging.h"

namespace quendal::practice {

namespace {

const char* levelName(int level) {
    switch (level) {
        case 1: return "essential primes settle it";
        case 2: return "needs dominance";
        default: return "cyclic";
    }
}

}  // namespace

ExerciseWindow::ExerciseWindow(Exercise exercise,
                               std::shared_ptr<const qm::Explanation> explanation,
                               PracticeRecord record, Hooks hooks, QWidget* parent)
    : QWidget(parent),
      exercise_(std::move(exercise)),
      explanation_(std::move(explanation)),
      letters_(
          logic::kDefaultLetters.substr(0, static_cast<std::size_t>(exercise_.function.width))),
      record_(std::move(record)),
      hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("ExerciseWindow"));
    started_.start();
    record_.code = exercise_.code;
    const logic::Function& f = exercise_.function;
    auto* title = new QLabel(QStringLiteral("Exercise %1: level %2 (%3), %4 variables")
                                 .arg(QString::fromStdString(exercise_.code))
                                 .arg(exercise_.request.level)
                                 .arg(QLatin1String(levelName(exercise_.request.level)))
                                 .arg(f.width),
                             this);
    title->setObjectName(QStringLiteral("lblExercise"));
    title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto box = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setReadOnly(true);
        edit->setPlaceholderText(QStringLiteral("hidden until Reveal"));
        return edit;
    };
    txtMinSop = box("txtMinSop");
    txtMinPos = box("txtMinPos");
    // The check window in practice form: hints for a typed answer, never the minimum.
    check_ = new explain::CheckAnswerWindow(
        explanation_, letters_, {}, this,
        [e = explanation_, letters = letters_](const std::string& answer) {
            return practiceCheckText(answer, *e, letters);
        });
    connect(check_, &explain::CheckAnswerWindow::checked, this,
            [this](const QString& answer, const QString& verdict) {
                // Long answers are cut in the record, which is for reading.
                noteCheck(answer.left(200).toStdString(), verdict.toStdString());
            });
    lblHint = new QLabel(this);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setWordWrap(true);
    lblHint->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    QPushButton* cmdHint = button("cmdHint", QStringLiteral("&Hint"));
    QPushButton* cmdReveal = button("cmdReveal", QStringLiteral("&Reveal"));
    buttons->addStretch(1);
    QPushButton* cmdTruthTable = button("cmdTruthTable", QStringLiteral("&Truth Table"));
    QPushButton* cmdKarnaughMap = button("cmdKarnaughMap", QStringLiteral("&Karnaugh Map"));
    QPushButton* cmdSteps = button("cmdSteps", QStringLiteral("&Steps"));
    cmdKarnaughMap->setEnabled(f.width <= explain::kMaxKarnaughWidth);

    auto* grid = new QGridLayout(this);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Minimum SOP:"), this), 2, 0);
    grid->addWidget(txtMinSop, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Minimum POS:"), this), 3, 0);
    grid->addWidget(txtMinPos, 3, 1, 1, 2);
    grid->addWidget(check_, 4, 0, 1, 3);
    grid->addLayout(buttons, 5, 0, 1, 3);
    grid->addWidget(lblHint, 6, 0, 1, 3);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(1, 1);

    connect(cmdHint, &QPushButton::clicked, this, &ExerciseWindow::cmdHint_Click);
    connect(cmdReveal, &QPushButton::clicked, this, &ExerciseWindow::cmdReveal_Click);
    auto open = [this](View view) {
        return [this, view] {
            if (hooks_.openView) hooks_.openView(*this, view);
        };
    };
    connect(cmdTruthTable, &QPushButton::clicked, this, open(View::TruthTable));
    connect(cmdKarnaughMap, &QPushButton::clicked, this, open(View::KarnaughMap));
    connect(cmdSteps, &QPushButton::clicked, this, open(View::Steps));
    setWindowTitle(QStringLiteral("Exercise ") + QString::fromStdString(exercise_.code));
    resize(640, 400);
}

ExerciseWindow::~ExerciseWindow() {
    // A window closed with the program still gets its row; there is no one left to tell.
    try {
        if (!finished_) {
            hooks_.message = {};
            finish();
        }
    } catch (...) {
    }
}

void ExerciseWindow::noteCheck(const std::string& what, const std::string& verdict) {
    record_.checks.push_back(what + ": " + verdict);
}

void ExerciseWindow::cmdCheck_Click() {
    check_->cmdCheck_Click();
}

void ExerciseWindow::cmdHint_Click() {
    const std::vector<std::string> hints = stepHints(*explanation_, letters_);
    const std::size_t next = static_cast<std::size_t>(record_.hints);
    std::string text;
    if (next < hints.size()) {
        ++record_.hints;
        text = "Hint " + std::to_string(next + 1) + " of " + std::to_string(hints.size()) + ": " +
               hints[next];
    } else {
        text = "That was the last step. Reveal shows the minimum.";
    }
    lastHint_ = text;
    lblHint->setText(QString::fromStdString(text));
}

void ExerciseWindow::cmdReveal_Click() {
    ++record_.reveals;
    const int width = exercise_.function.width;
    const std::string y = explain::outputName(letters_) + " = ";
    txtMinSop->setText(
        QString::fromStdString(y + logic::sopText(explanation_->covers.front(), width, letters_)));
    txtMinPos->setText(QString::fromStdString(
        explanation_->pos ? y + logic::posText(*explanation_->pos, width, letters_)
                          : std::string("not found in time")));
    lblHint->setText(QStringLiteral("Revealed. The views open in full from now on."));
}

bool ExerciseWindow::finish() {
    if (finished_) return true;
    finished_ = true;
    record_.seconds = static_cast<int>(started_.elapsed() / 1000);
    try {
        appendPracticeRecord(hooks_.recordPath, record_);
    } catch (const std::exception& error) {
        if (hooks_.message) hooks_.message(QString::fromStdString(error.what()));
        return false;
    }
    return true;
}

void ExerciseWindow::closeEvent(QCloseEvent* event) {
    finish();
    event->accept();
}

void ExerciseWindow::drawPage(drawing::Canvas& canvas) const {
    explain::CheckPage page;
    page.checked = !record_.checks.empty();
    if (page.checked) {
        page.answer =
            check_->findChild<QLineEdit*>(QStringLiteral("txtAnswer"))->text().toStdString();
        page.verdict =
            check_->findChild<QLabel*>(QStringLiteral("lblVerdict"))->text().toStdString();
    }
    if (revealed())
        page.minimum = txtMinSop->text().toStdString() + "\n" + txtMinPos->text().toStdString();
    explain::drawCheckPage(canvas, *explanation_, letters_, page);
}

}  // namespace quendal::practice
