#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <memory>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/minimizer_launcher.h"
#include "drawing/document_host.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/scripted_minimizer_launcher.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_workdir.h"
#include "workspace/frmSimplification.h"

// A host that keeps the documents' canvases.
class RecordingHost : public quendal::drawing::DocumentHost {
public:
    quendal::drawing::Canvas& LoadNewDoc(quendal::drawing::DocumentKind kind) override;
    std::vector<quendal::drawing::DocumentKind> opened;
    std::vector<std::unique_ptr<quendal::drawing::RecordingCanvas>> canvases;
};

// The work form in a fresh working directory, with every seam scripted.
class WorkForm {
public:
    // An empty program scripts the minimizer; otherwise the real one runs.
    explicit WorkForm(const QString& minimizerProgram = {}, int timeoutMs = 10000);
    ~WorkForm();

    template <typename W>
    W* get(const char* name) const {
        return form->findChild<W*>(QString::fromLatin1(name));
    }
    QLineEdit* box(const char* name) const { return get<QLineEdit>(name); }
    QPushButton* button(const char* name) const { return get<QPushButton>(name); }
    QRadioButton* option(const char* name) const { return get<QRadioButton>(name); }
    QListWidget* list() const { return get<QListWidget>("lstTerms"); }
    std::string text(const char* name) const { return box(name)->text().toStdString(); }

    void chooseVariables(int n);
    void click(const char* buttonName);
    void choose(const char* optionName);  // a user's click on the option
    void tick(int term, bool ticked = true);
    void tickAll(const std::vector<int>& ticked);
    bool isTicked(int term) const;
    void type(const char* keys);  // into txtEquation
    void key(Qt::Key key);        // into txtEquation

    // The four expression texts, in their order on the form.
    std::vector<std::string> texts() const;

    TempWorkdir dir;
    ScriptedPrompts prompts;
    FixedClock clock{quendal::common::LocalDateTime{2024, 3, 5, 0, 7, 0}};
    ScriptedMinimizerLauncher scripted;
    std::unique_ptr<quendal::common::ProcessMinimizerLauncher> real;
    RecordingHost host;
    std::unique_ptr<quendal::workspace::frmSimplification> form;
};

// Writes an executable shell script; returns its path.
QString writeScript(const QString& path, const std::string& body);

// Reads a file's bytes; an empty text for a missing file.
std::string fileBytes(const QString& path);
void writeBytes(const QString& path, const std::string& bytes);

// The value of an expression text on one row of the truth table (term
// number t over the letters varNames, first letter most significant).
// Accepts letters, "'", "+", juxtaposition, parentheses and the constants;
// a don't-care suffix " + d (...)" is ignored.
bool evaluate(const std::string& expression, const std::vector<std::string>& varNames, int numVars,
              int t);
