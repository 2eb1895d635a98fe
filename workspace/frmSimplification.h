#pragma once

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "drawing/function_view.h"
#include "workspace/function_entry.h"

class QColor;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace quendal::common {
class AppendOnlyLineEdit;
class ButtonFeedback;
class Clock;
class MinimizerLauncher;
class Prompts;
}  // namespace quendal::common
namespace quendal::drawing {
class DocumentHost;
}

namespace quendal::workspace {

// The work form: the user states a Boolean function (ticked terms or a typed
// sum of products), simplifies it through the minimizer and starts the
// drawings from the result.
class frmSimplification : public QWidget {
    Q_OBJECT
public:
    frmSimplification(drawing::DocumentHost& host, common::Prompts& prompts,
                      const common::Clock& clock, common::MinimizerLauncher& launcher,
                      QWidget* parent = nullptr);
    ~frmSimplification() override;

    // What Simplify last minimized, as the drawings need it; the header date
    // and time are those of the call.
    drawing::FunctionView currentFunction() const;

    // The function as entered, and the form's names for parts of it.
    const FunctionEntry& entry() const { return entry_; }
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
    // The minimum product of sums of `of`, worked out away from the form (none: not found in
    // time). Shown only while the form still shows the result of that very function.
    void showMinimumPos(const drawing::FunctionView& of, const std::optional<std::string>& pos);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void fitExpressionLabels();
    void connectHandlers();

    void chooseOption(FunctionEntry::Option option, const QColor& colour);
    void showTermMode(const QString& caption, const QColor& colour);
    void showEquationCaption();
    void selectOption(FunctionEntry::Option option);
    void deselectOptions();
    void setTick(int index, bool ticked);
    void clearAllTicks();
    void showTexts();
    void enableDrawingCommands(bool enabled);
    void showTermLists();

    drawing::DocumentHost& host_;
    common::Prompts& prompts_;
    const common::Clock& clock_;
    common::MinimizerLauncher& launcher_;

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
    common::AppendOnlyLineEdit* txtEquation = nullptr;
    QLabel* lblIpPosEquation = nullptr;
    QLineEdit* txtIpPosEquation = nullptr;
    QLabel* lblMinEquation = nullptr;
    QLineEdit* txtMinEquation = nullptr;
    QLabel* lblPosEquation = nullptr;
    QLineEdit* txtPosEquation = nullptr;
    QLabel* lblTruePosEquation = nullptr;
    QLineEdit* txtTruePosEquation = nullptr;
    QPushButton* cmdSimplify = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdCircuit = nullptr;
    QPushButton* cmdMux = nullptr;
    QPushButton* cmdDemux = nullptr;
    QPushButton* cmdLogout = nullptr;
    QPushButton* cmdExit = nullptr;
    common::ButtonFeedback* feedback_ = nullptr;

    FunctionEntry entry_;
    bool minimumProven_ = true;  // the last Simplify's answer is a proven minimum
    bool resultShown_ = false;   // the boxes show the answer of minimized(), nothing changed since
    bool fillingList = false;    // the form's own tick changes, which the tick handler ignores
};

}  // namespace quendal::workspace
