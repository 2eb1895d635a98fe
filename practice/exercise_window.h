#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "drawing/page_source.h"
#include "minimizer/explanation.h"
#include "practice/exercise.h"
#include "practice/practice_record.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quendal::explain {
class CheckAnswerWindow;
}

namespace quendal::practice {

// One exercise: the function and nothing of its minimum until Reveal. The student types an
// answer and checks it in the check window's practice form (hints, never the minimum), asks
// for the next step as a hint, and opens the truth table, the Karnaugh map (to draw loops on)
// and the Steps page in practice form. When the window goes, a row of practice.csv records what
// was done.
class ExerciseWindow : public QWidget, public drawing::PageSource {
    Q_OBJECT
public:
    enum class View { TruthTable, KarnaughMap, Steps };
    struct Hooks {
        // Opens a practice view of the exercise (full once revealed).
        std::function<void(ExerciseWindow& exercise, View view)> openView;
        // Where the record goes, and who to tell when it cannot be written.
        std::string recordPath = kPracticeFile;
        std::function<void(const QString& message)> message;
    };

    ExerciseWindow(Exercise exercise, std::shared_ptr<const qm::Explanation> explanation,
                   PracticeRecord record, Hooks hooks, QWidget* parent = nullptr);
    ~ExerciseWindow() override;

    const Exercise& exercise() const { return exercise_; }
    const std::shared_ptr<const qm::Explanation>& explanation() const { return explanation_; }
    const std::string& letters() const { return letters_; }
    bool revealed() const { return record_.reveals > 0; }
    const PracticeRecord& record() const { return record_; }
    // A check made elsewhere (the loops on the map), for the record.
    void noteCheck(const std::string& what, const std::string& verdict);
    // Writes the record now (once); false when it could not be (the user was told).
    bool finish();

    void drawPage(drawing::Canvas& canvas) const override;

public slots:
    void cmdCheck_Click();
    void cmdHint_Click();
    void cmdReveal_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Exercise exercise_;
    std::shared_ptr<const qm::Explanation> explanation_;
    std::string letters_;
    PracticeRecord record_;
    Hooks hooks_;
    QElapsedTimer started_;
    bool finished_ = false;
    std::string lastHint_;
    QLineEdit* txtMinSop = nullptr;
    QLineEdit* txtMinPos = nullptr;
    explain::CheckAnswerWindow* check_ = nullptr;
    QLabel* lblHint = nullptr;
};

}  // namespace quendal::practice
