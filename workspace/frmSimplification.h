#pragma once

#include <QWidget>

#include <string>
#include <vector>

#include "workspace/equation_key_filter.h"
#include "drawing/function_view.h"

class AppendOnlyLineEdit;
class ButtonFeedback;
class Clock;
class DocumentHost;
class MinimizerLauncher;
class Prompts;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

// The work form: the user states a Boolean function (ticked terms or a typed
// sum of products), simplifies it through the minimizer and starts the
// drawings from the result.
class frmSimplification : public QWidget {
    Q_OBJECT
public:
    frmSimplification(DocumentHost& host, Prompts& prompts, const Clock& clock,
                      MinimizerLauncher& launcher, QWidget* parent = nullptr);
    ~frmSimplification() override;

    // What Simplify last minimized, as the drawings need it; the header date
    // and time are those of the call.
    FunctionView currentFunction() const;

    // Read-only views of the form's state, for the drawings' callers and tests.
    int noOfVar() const { return noOfVar_; }
    int noOfTerms() const { return noOfTerms_; }
    const std::vector<std::string>& terms() const { return terms_; }
    const std::vector<std::string>& dontCares() const { return dontCares_; }
    const std::vector<std::string>& varNames() const { return keyFilter_.varNames(); }
    int varCount() const { return keyFilter_.varCount(); }
    const EquationKeyFilter& keyFilter() const { return keyFilter_; }

signals:
    // Logout: the main window closes everything and shows the login form.
    void logoutRequested();
    // Exit, confirmed by the user: the main window closes and the program ends.
    void exitRequested();
    // The drawing commands became available (after a successful Simplify) or not.
    void drawingCommandsEnabled(bool enabled);

public slots:
    void Form_Load();
    void cboVar_Change();
    void cboVar_Click();
    void cmdClear_Click();
    void rbMinTerms_Click();
    void rbMaxTerms_Click();
    void rbDontCare_Click();
    void lstTerms_ItemCheck(QListWidgetItem* item);
    void txtEquation_KeyPress(int& KeyAscii);
    void txtEquation_LostFocus();
    void cmdSimplify_Click();
    void cmdCircuit_Click();
    void cmdMux_Click();
    void cmdDemux_Click();
    void cmdLogout_Click();
    void cmdExit_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void fitExpressionLabels();
    void connectHandlers();

    // Steps of the Simplify command; each throws on failure.
    bool anyTermChecked() const;
    void writeTermsFile();
    void writeEquationFile();
    void runMinimizer();
    void readMinimizerOutput();
    void log();

    bool maxTermMode() const;
    bool enabledHere(const QWidget* control) const;
    FunctionView minimizedFunction(bool termsPath) const;
    void selectOption(QRadioButton* option);
    void deselectOptions();
    void setTick(int index, bool ticked);
    void clearAllTicks();
    void emptyExpressionTexts();
    void enableDrawingCommands(bool enabled);
    void showTermLists();

    DocumentHost& host_;
    Prompts& prompts_;
    const Clock& clock_;
    MinimizerLauncher& launcher_;

    // Controls, named as the form names them.
    QWidget* picMain = nullptr;
    QLabel* lblVar = nullptr;
    QComboBox* cboVar = nullptr;
    QRadioButton* rbMinTerms = nullptr;
    QRadioButton* rbMaxTerms = nullptr;
    QRadioButton* rbDontCare = nullptr;
    QListWidget* lstTerms = nullptr;
    QLabel* lblTerms = nullptr;
    QLineEdit* txtTerms = nullptr;
    QLabel* lblDontCare = nullptr;
    QLineEdit* txtDontCare = nullptr;
    QLabel* lblEquation = nullptr;
    AppendOnlyLineEdit* txtEquation = nullptr;
    QLabel* lblIpPosEquation = nullptr;
    QLineEdit* txtIpPosEquation = nullptr;
    QLabel* lblMinEquation = nullptr;
    QLineEdit* txtMinEquation = nullptr;
    QLabel* lblPosEquation = nullptr;
    QLineEdit* txtPosEquation = nullptr;
    QPushButton* cmdSimplify = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdCircuit = nullptr;
    QPushButton* cmdMux = nullptr;
    QPushButton* cmdDemux = nullptr;
    QPushButton* cmdLogout = nullptr;
    QPushButton* cmdExit = nullptr;
    ButtonFeedback* feedback_ = nullptr;

    // The function being entered.
    int noOfVar_ = 4;
    int noOfTerms_ = 16;
    std::vector<std::string> terms_;
    std::vector<std::string> dontCares_;
    std::vector<bool> ticks_;  // the tick of each entry as the handler last saw it
    bool fillingList = false;
    // txtEquation shows the text Simplify made from the term lists, not typing.
    bool equationFromTerms_ = false;
    EquationKeyFilter keyFilter_;  // varNames, varCount, lastChar, primeCount

    // The Simplify run in progress.
    bool nothingToMinimize = false;
    std::vector<std::string> minCodes;
    std::vector<std::string> dcCodes;
    std::string equation;
    std::vector<std::string> productCodes;
    std::vector<std::string> implicants;

    // What the last completed Simplify minimized.
    FunctionView minimized_;
};
