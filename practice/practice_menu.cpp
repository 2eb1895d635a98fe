#include "practice/practice_menu.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>

#include <chrono>
#include <cstdio>

#include "common/file_dialogs.h"
#include "common/session.h"
#include "explain/karnaugh_map.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "minimizer/exchange.h"
#include "practice/practice_map.h"
#include "practice/worksheet.h"

namespace quendal::practice {

namespace {

// The choices of New Exercise... and Worksheet...: variables, don't-cares, level, and for a
// worksheet how many and what room to work in.
struct Choices {
    ExerciseRequest request;
    int count = 10;
    bool blankMaps = true;
};

bool askChoices(QWidget* parent, const QString& title, bool worksheet, Choices& choices) {
    QDialog dialog(parent);
    dialog.setObjectName(worksheet ? QStringLiteral("dlgWorksheet")
                                   : QStringLiteral("dlgNewExercise"));
    dialog.setWindowTitle(title);
    auto* form = new QFormLayout(&dialog);
    auto* spnVariables = new QSpinBox(&dialog);
    spnVariables->setObjectName(QStringLiteral("spnVariables"));
    spnVariables->setRange(ExerciseRequest::kMinWidth, ExerciseRequest::kMaxWidth);
    spnVariables->setValue(choices.request.width);
    auto* chkDontCares = new QCheckBox(QStringLiteral("With &don't-cares"), &dialog);
    chkDontCares->setObjectName(QStringLiteral("chkDontCares"));
    chkDontCares->setChecked(choices.request.dontCares);
    auto* cboLevel = new QComboBox(&dialog);
    cboLevel->setObjectName(QStringLiteral("cboLevel"));
    cboLevel->addItems({QStringLiteral("1: essential primes settle it"),
                        QStringLiteral("2: needs dominance"), QStringLiteral("3: cyclic")});
    cboLevel->setCurrentIndex(choices.request.level - 1);
    form->addRow(QStringLiteral("&Variables:"), spnVariables);
    form->addRow(QString(), chkDontCares);
    form->addRow(QStringLiteral("&Level:"), cboLevel);
    QSpinBox* spnCount = nullptr;
    QComboBox* cboRoom = nullptr;
    if (worksheet) {
        spnCount = new QSpinBox(&dialog);
        spnCount->setObjectName(QStringLiteral("spnCount"));
        spnCount->setRange(1, WorksheetOptions::kMaxExercises);
        spnCount->setValue(choices.count);
        cboRoom = new QComboBox(&dialog);
        cboRoom->setObjectName(QStringLiteral("cboRoom"));
        cboRoom->addItems(
            {QStringLiteral("Blank Karnaugh maps"), QStringLiteral("Blank combining tables")});
        form->addRow(QStringLiteral("&Exercises:"), spnCount);
        form->addRow(QStringLiteral("&Room to work:"), cboRoom);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    choices.request.width = spnVariables->value();
    choices.request.dontCares = chkDontCares->isChecked();
    choices.request.level = cboLevel->currentIndex() + 1;
    if (worksheet) {
        choices.count = spnCount->value();
        choices.blankMaps = cboRoom->currentIndex() == 0;
    }
    return true;
}

std::string dateTimeText(const common::Clock* clock) {
    const common::LocalDateTime t = clock ? clock->now() : common::SystemClock().now();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return text;
}

}  // namespace

PracticeMenu::PracticeMenu(QMenuBar* bar, QAction* before, QMdiArea* area, Hooks hooks,
                           QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)), area_(area) {
    mnuPractice = new QMenu(QStringLiteral("P&ractice"), bar);
    mnuPractice->setObjectName(QStringLiteral("mnuPractice"));
    bar->insertMenu(before, mnuPractice);
    auto add = [this](const char* name, const QString& text, void (PracticeMenu::*slot)()) {
        QAction* action = mnuPractice->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
    };
    add("mnuPracticeNew", QStringLiteral("&New Exercise..."), &PracticeMenu::mnuPracticeNew_Click);
    add("mnuPracticeOpenCode", QStringLiteral("&Open Exercise Code..."),
        &PracticeMenu::mnuPracticeOpenCode_Click);
    mnuPractice->addSeparator();
    add("mnuPracticeWorksheet", QStringLiteral("&Worksheet..."),
        &PracticeMenu::mnuPracticeWorksheet_Click);
}

void PracticeMenu::tell(const QString& text) const {
    if (hooks_.message) hooks_.message(text);
}

ExerciseWindow* PracticeMenu::startExercise(const ExerciseRequest& request) {
    Exercise exercise;
    std::shared_ptr<const qm::Explanation> explanation;
    try {
        exercise = generateExercise(request);
        explanation = std::make_shared<const qm::Explanation>(qm::explain(
            exercise.function,
            std::chrono::steady_clock::now() + std::chrono::seconds(qm::kTimeLimitSeconds)));
    } catch (const std::exception& error) {
        tell(QString::fromStdString(error.what()));
        return nullptr;
    }
    PracticeRecord record;
    record.userName = common::Session::current().UserName;
    record.dateTime = dateTimeText(hooks_.clock);
    ExerciseWindow::Hooks windowHooks;
    windowHooks.openView = [this](ExerciseWindow& e, ExerciseWindow::View view) {
        openView(e, view);
    };
    windowHooks.recordPath = hooks_.recordPath;
    windowHooks.message = hooks_.message;
    auto* form = new ExerciseWindow(std::move(exercise), std::move(explanation), std::move(record),
                                    std::move(windowHooks));
    QMdiSubWindow* window = area_->addSubWindow(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    area_->setActiveSubWindow(window);
    form->findChild<QWidget*>(QStringLiteral("txtAnswer"))->setFocus();
    return form;
}

ExerciseWindow* PracticeMenu::openCode(const QString& code) {
    try {
        return startExercise(parseExerciseCode(code.toStdString()));
    } catch (const ExerciseError& error) {
        tell(QString::fromStdString(error.what()));
        return nullptr;
    }
}

void PracticeMenu::openView(ExerciseWindow& exercise, ExerciseWindow::View view) {
    const auto e = exercise.explanation();
    const std::string letters = exercise.letters();
    const bool practice = !exercise.revealed();
    const QString prefix = practice ? QStringLiteral("Practice ") : QString();
    const QString number = QStringLiteral(" %1").arg(++viewCount_);
    switch (view) {
        case ExerciseWindow::View::TruthTable: {
            drawing::Canvas& canvas =
                hooks_.openDocument(prefix + QStringLiteral("Truth Table") + number, nullptr);
            explain::drawTruthTable(canvas, *e, letters, practice);
            break;
        }
        case ExerciseWindow::View::KarnaughMap: {
            if (!practice) {
                drawing::Canvas& canvas =
                    hooks_.openDocument(QStringLiteral("Karnaugh Map") + number, nullptr);
                explain::drawKarnaughMap(canvas, *e, letters, explain::LoopForm::Sop);
                break;
            }
            QPointer<ExerciseWindow> owner(&exercise);
            auto* form = new PracticeMapWindow(
                e, letters, [owner](const std::string& loops, const std::string& verdict) {
                    if (owner) owner->noteCheck("loops " + loops, verdict);
                });
            form->setWindowTitle(QStringLiteral("Practice Map") + number);
            QMdiSubWindow* window = area_->addSubWindow(form);
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->show();
            area_->setActiveSubWindow(window);
            break;
        }
        case ExerciseWindow::View::Steps: {
            QPushButton* next = nullptr;
            if (practice) {
                next = new QPushButton(QStringLiteral("&Next Step"));
                next->setObjectName(QStringLiteral("cmdNextStep"));
            }
            drawing::Canvas& canvas =
                hooks_.openDocument(prefix + QStringLiteral("Steps") + number, next);
            if (!next) {
                explain::drawSteps(canvas, *e, letters);
                break;
            }
            explain::drawSteps(canvas, *e, letters, 1);
            connect(next, &QPushButton::clicked, next,
                    [canvas = &canvas, e, letters, next, shown = 1]() mutable {
                        shown = std::min(shown + 1, explain::kStepsParts);
                        canvas->cls();
                        explain::drawSteps(*canvas, *e, letters, shown);
                        next->setEnabled(shown < explain::kStepsParts);
                    });
            break;
        }
    }
}

void PracticeMenu::mnuPracticeNew_Click() {
    static Choices last;
    Choices choices = last;
    if (!askChoices(area_, QStringLiteral("New Exercise"), false, choices)) return;
    last = choices;
    choices.request.seed = QRandomGenerator::global()->bounded(ExerciseRequest::kSeedLimit);
    startExercise(choices.request);
}

void PracticeMenu::mnuPracticeOpenCode_Click() {
    bool ok = false;
    const QString code = QInputDialog::getText(
        area_, QStringLiteral("Open Exercise Code"),
        QStringLiteral("Exercise code (such as L2-4V-D-8K3Q):"), QLineEdit::Normal, QString(), &ok);
    if (ok) openCode(code);
}

void PracticeMenu::mnuPracticeWorksheet_Click() {
    static Choices last;
    Choices choices = last;
    if (!askChoices(area_, QStringLiteral("Worksheet"), true, choices)) return;
    last = choices;
    if (!levelPossible(choices.request.level, choices.request.width, choices.request.dontCares)) {
        tell(
            QStringLiteral("No function of %1 variables %2 don't-cares has level %3.")
                .arg(choices.request.width)
                .arg(choices.request.dontCares ? QStringLiteral("with") : QStringLiteral("without"))
                .arg(choices.request.level));
        return;
    }
    if (!hooks_.fileDialogs) return;
    QString path =
        hooks_.fileDialogs->saveFileName(area_, QString(), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    const QString key = path.left(path.size() - 4) + QStringLiteral("-answers.pdf");
    try {
        const auto first = QRandomGenerator::global()->bounded(ExerciseRequest::kSeedLimit);
        const auto exercises =
            worksheetExercises(choices.count, choices.request.level, choices.request.width,
                               choices.request.dontCares, first);
        WorksheetOptions options;
        options.blankMaps = choices.blankMaps;
        writeWorksheetPdf(path.toStdString(), exercises, options);
        writeAnswerKeyPdf(key.toStdString(), exercises, options);
    } catch (const std::exception& error) {
        tell(QString::fromStdString(error.what()));
    }
}

}  // namespace quendal::practice
