#pragma once

#include <QWidget>

#include <string>
#include <vector>

#include "drawing/function_view.h"
#include "workspace/function_entry.h"

class AppendOnlyLineEdit;
class ButtonFeedback;
class Clock;
class DocumentHost;
class MinimizerLauncher;
class Prompts;
class QColor;
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

    // The function as entered, and the form's names for parts of it.
    const FunctionEntry& entry() const { return entry_; }
    int noOfVar() const { return entry_.numVars(); }
    const std::vector<std::string>& varNames() const { return entry_.varNames(); }
    int varCount() const { return entry_.varCount(); }

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

    void chooseOption(FunctionEntry::Option option, const QColor& colour);
    void showTermMode(const QString& caption, const QColor& colour);
    void selectOption(FunctionEntry::Option option);
    void deselectOptions();
    void setTick(int index, bool ticked);
    void clearAllTicks();
    void showTexts();
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

    FunctionEntry entry_;
    bool minimumProven_ = true;  // the last Simplify's answer is a proven minimum
    bool fillingList = false;    // the form's own tick changes, which the tick handler ignores
};
