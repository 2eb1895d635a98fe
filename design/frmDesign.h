#pragma once

#include <QByteArray>
#include <QFutureWatcher>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "design/design.h"
#include "design/design_drawing.h"
#include "design/design_minimum.h"

class QCloseEvent;
class QComboBox;
class QLabel;
class QMenu;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableWidget;
class QTextBrowser;

namespace quendal::common {
class FileDialogs;
class Prompts;
}  // namespace quendal::common

namespace quendal::drawing {
class DocumentHost;
}

namespace quendal::design {

// Writes a whole file or reports why not (a sentence); the main window passes its replacing
// writer, so that a design file is replaced as safely as a drawing.
using FileWriter = std::function<std::optional<QString>(const QString& path, const QByteArray&)>;

struct DesignSeams {
    common::Prompts& prompts;
    common::FileDialogs& fileDialogs;
    FileWriter writeFile;
    // Opens the document windows the Draw menu draws in; without one the
    // menu is off.
    drawing::DocumentHost* host = nullptr;
};

// File > New Design...: a truth table of 1 to 8 inputs and 1 to 8 outputs, with presets, the
// shared minimum beside each output's own, and designs saved and opened as PLA files.
class frmDesign : public QMainWindow {
    Q_OBJECT
public:
    explicit frmDesign(DesignSeams seams, QWidget* parent = nullptr);
    ~frmDesign() override;

    const Design& design() const { return design_; }
    void setDesign(const Design& design, const QString& preset = {});
    void loadPreset(const QString& key);

    // Minimize: runs on a worker thread; the result shows when it is done.
    void minimize();
    bool minimizing() const;
    // Waits for a running minimization and shows its result (tests, closing).
    void waitForResult();
    const std::optional<DesignMinimum>& result() const { return result_; }
    QString resultText() const;

    // File commands; false when cancelled or refused (with a message).
    bool saveAs();
    bool save();
    bool open();
    bool openFile(const QString& path);
    const QString& fileName() const { return fileName_; }
    // The table was changed since it was opened or saved; closing asks
    // whether to save it.
    bool modified() const { return modified_; }

    // Draw: the shared minimum as a circuit in a new document window; false
    // (with a message) when there is no minimum to draw.
    bool draw(DrawingStyle style);

    // Pastes text into the grid at the current cell, as Ctrl+V does.
    void pasteText(const QString& text);

signals:
    void minimized();

private:
    void buildWindow();
    bool saveTo(const QString& path);
    void showDesign();
    void cellEdited(int row, int column);
    void namesEdited(bool inputs);
    void sizeChanged();
    void designChanged();
    void closeEvent(QCloseEvent* event) override;
    void showResult();
    void cancelRunning();
    bool eventFilter(QObject* watched, QEvent* event) override;

    DesignSeams seams_;
    Design design_;
    QString preset_;
    QString fileName_;
    std::optional<DesignMinimum> result_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    QFutureWatcher<DesignMinimum>* watcher_ = nullptr;
    bool filling_ = false;
    bool modified_ = false;  // the table differs from its file (or is new and edited)

    QSpinBox* spnInputs = nullptr;
    QSpinBox* spnOutputs = nullptr;
    QLineEdit* txtInputNames = nullptr;
    QLineEdit* txtOutputNames = nullptr;
    QComboBox* cboPreset = nullptr;
    QTableWidget* grdTable = nullptr;
    QSplitter* split_ = nullptr;
    QPushButton* cmdMinimize = nullptr;
    QMenu* mnuDraw = nullptr;
    QLabel* lblStatus = nullptr;
    QTextBrowser* txtResult = nullptr;
};

}  // namespace quendal::design
