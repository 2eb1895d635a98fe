#include "design/frmDesign.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <chrono>

#include "common/file_dialogs.h"
#include "common/prompts.h"
#include "drawing/document_host.h"
#include "minimizer/exchange.h"

namespace quendal::design {

namespace {

// A design file is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
const QString kFilter = QStringLiteral("PLA files (*.pla);;All files (*)");

QString joined(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) list << QString::fromStdString(name);
    return list.join(QLatin1Char(' '));
}

}  // namespace

frmDesign::frmDesign(DesignSeams seams, QWidget* parent)
    : QMainWindow(parent), seams_(std::move(seams)) {
    setObjectName(QStringLiteral("frmDesign"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildWindow();
    design_ = resized(Design{}, 3, 2);
    showDesign();
}

frmDesign::~frmDesign() {
    // No work outlives the window: it is called off and waited for.
    cancelRunning();
    if (watcher_ != nullptr) watcher_->waitForFinished();
}

void frmDesign::buildWindow() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuDesignFile"));
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, [this] { open(); });
    file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] { save(); });
    file->addAction(QStringLiteral("Save &As..."), this, [this] { saveAs(); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), this, [this] { close(); });
    mnuDraw = menuBar()->addMenu(QStringLiteral("&Draw"));
    mnuDraw->setObjectName(QStringLiteral("mnuDesignDraw"));
    for (DrawingStyle style : {DrawingStyle::AndOr, DrawingStyle::NandNand, DrawingStyle::NorNor})
        mnuDraw->addAction(QString::fromLatin1(drawingStyleTitle(style)), this,
                           [this, style] { draw(style); });
    mnuDraw->setEnabled(false);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* sizes = new QHBoxLayout;
    const auto spin = [&](const char* name, const QString& label) {
        auto* box = new QSpinBox(central);
        box->setObjectName(QLatin1String(name));
        box->setRange(1, kMaxInputs);
        sizes->addWidget(new QLabel(label, central));
        sizes->addWidget(box);
        return box;
    };
    spnInputs = spin("spnInputs", QStringLiteral("Inputs:"));
    spnOutputs = spin("spnOutputs", QStringLiteral("Outputs:"));
    sizes->addWidget(new QLabel(QStringLiteral("Preset:"), central));
    cboPreset = new QComboBox(central);
    cboPreset->setObjectName(QStringLiteral("cboPreset"));
    cboPreset->addItem(QStringLiteral("(none)"));
    for (const Preset& preset : presets())
        cboPreset->addItem(QString::fromStdString(preset.title),
                           QString::fromStdString(preset.key));
    sizes->addWidget(cboPreset);
    sizes->addStretch();
    layout->addLayout(sizes);

    auto* names = new QHBoxLayout;
    txtInputNames = new QLineEdit(central);
    txtInputNames->setObjectName(QStringLiteral("txtInputNames"));
    txtOutputNames = new QLineEdit(central);
    txtOutputNames->setObjectName(QStringLiteral("txtOutputNames"));
    names->addWidget(new QLabel(QStringLiteral("Input names:"), central));
    names->addWidget(txtInputNames);
    names->addWidget(new QLabel(QStringLiteral("Output names:"), central));
    names->addWidget(txtOutputNames);
    layout->addLayout(names);

    auto* split = new QSplitter(Qt::Horizontal, central);
    grdTable = new QTableWidget(split);
    grdTable->setObjectName(QStringLiteral("grdTable"));
    grdTable->installEventFilter(this);
    txtResult = new QTextBrowser(split);
    txtResult->setObjectName(QStringLiteral("txtResult"));
    split->setStretchFactor(1, 1);
    split_ = split;
    layout->addWidget(split, 1);

    auto* buttons = new QHBoxLayout;
    cmdMinimize = new QPushButton(QStringLiteral("&Minimize"), central);
    cmdMinimize->setObjectName(QStringLiteral("cmdMinimize"));
    lblStatus = new QLabel(central);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    buttons->addWidget(cmdMinimize);
    buttons->addWidget(lblStatus, 1);
    layout->addLayout(buttons);
    setCentralWidget(central);
    setWindowTitle(QStringLiteral("Design"));
    resize(900, 560);

    connect(spnInputs, &QSpinBox::valueChanged, this, [this] { sizeChanged(); });
    connect(spnOutputs, &QSpinBox::valueChanged, this, [this] { sizeChanged(); });
    connect(txtInputNames, &QLineEdit::editingFinished, this, [this] { namesEdited(true); });
    connect(txtOutputNames, &QLineEdit::editingFinished, this, [this] { namesEdited(false); });
    connect(cboPreset, &QComboBox::activated, this, [this](int index) {
        if (index > 0) loadPreset(cboPreset->itemData(index).toString());
    });
    connect(grdTable, &QTableWidget::cellChanged, this,
            [this](int row, int column) { cellEdited(row, column); });
    connect(cmdMinimize, &QPushButton::clicked, this, [this] { minimize(); });
}

void frmDesign::setDesign(const Design& design, const QString& preset) {
    design_ = design;
    preset_ = preset;
    showDesign();
    designChanged();
}

void frmDesign::loadPreset(const QString& key) {
    setDesign(presetDesign(key.toStdString()), key);
}

void frmDesign::showDesign() {
    filling_ = true;
    spnInputs->setValue(design_.inputs());
    spnOutputs->setValue(design_.outputs());
    txtInputNames->setText(joined(design_.inputNames));
    txtOutputNames->setText(joined(design_.outputNames));
    int presetIndex = 0;
    for (int i = 1; i < cboPreset->count(); ++i) {
        if (cboPreset->itemData(i).toString() == preset_) presetIndex = i;
    }
    cboPreset->setCurrentIndex(presetIndex);

    const int inputs = design_.inputs();
    grdTable->clear();
    grdTable->setRowCount(static_cast<int>(design_.rows.size()));
    grdTable->setColumnCount(inputs + design_.outputs());
    QStringList headers;
    for (const std::string& name : design_.inputNames) headers << QString::fromStdString(name);
    for (const std::string& name : design_.outputNames) headers << QString::fromStdString(name);
    grdTable->setHorizontalHeaderLabels(headers);
    const QColor inputShade = palette().color(QPalette::AlternateBase);
    for (int r = 0; r < grdTable->rowCount(); ++r) {
        grdTable->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(r)));
        for (int i = 0; i < inputs; ++i) {
            auto* item = new QTableWidgetItem(QString::number((r >> (inputs - 1 - i)) & 1));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setBackground(inputShade);
            item->setTextAlignment(Qt::AlignCenter);
            grdTable->setItem(r, i, item);
        }
        for (int j = 0; j < design_.outputs(); ++j) {
            auto* item = new QTableWidgetItem(QString(QChar::fromLatin1(design_.rows[r][j])));
            item->setTextAlignment(Qt::AlignCenter);
            grdTable->setItem(r, inputs + j, item);
        }
    }
    grdTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The grid as wide as its columns (up to half the window), the result beside it.
    grdTable->resizeColumnsToContents();
    int tableWidth = grdTable->verticalHeader()->sizeHint().width() + 2 * grdTable->frameWidth() +
                     grdTable->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grdTable->columnCount(); ++c) tableWidth += grdTable->columnWidth(c);
    const int total = std::max(split_->width(), width());
    split_->setSizes({std::min(tableWidth, total / 2), total - std::min(tableWidth, total / 2)});
    filling_ = false;
}

void frmDesign::cellEdited(int row, int column) {
    if (filling_) return;
    const int j = column - design_.inputs();
    if (j < 0) return;
    QTableWidgetItem* item = grdTable->item(row, column);
    const std::optional<char> cell = cellOf(item->text().toStdString());
    if (!cell) {
        const QString typed = item->text().left(12);
        filling_ = true;
        item->setText(QString(QChar::fromLatin1(design_.rows[row][j])));
        filling_ = false;
        seams_.prompts.message(
            QStringLiteral("Row %1, output %2: \"%3\" is not 1, 0 or x (x is a don't-care).")
                .arg(row)
                .arg(QString::fromStdString(design_.outputNames[j]), typed),
            common::PromptIcon::Exclamation);
        return;
    }
    filling_ = true;
    item->setText(QString(QChar::fromLatin1(*cell)));
    filling_ = false;
    if (design_.rows[row][j] == *cell) return;
    design_.rows[row][j] = *cell;
    preset_.clear();
    designChanged();
}

void frmDesign::namesEdited(bool inputs) {
    if (filling_) return;
    QLineEdit* edit = inputs ? txtInputNames : txtOutputNames;
    std::vector<std::string>& current = inputs ? design_.inputNames : design_.outputNames;
    const QStringList words = edit->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<std::string> names;
    for (const QString& word : words) names.push_back(word.toStdString());
    if (names == current) return;
    QString problem;
    if (names.size() != current.size()) {
        problem = QStringLiteral("%1 names are needed, one for each %2, separated by spaces.")
                      .arg(current.size())
                      .arg(inputs ? QStringLiteral("input") : QStringLiteral("output"));
    } else {
        for (std::size_t i = 0; i < names.size() && problem.isEmpty(); ++i) {
            if (auto reason = nameProblem(names, i))
                problem = QStringLiteral("The name ") + QString::fromStdString(*reason) + '.';
        }
    }
    if (!problem.isEmpty()) {
        filling_ = true;
        edit->setText(joined(current));
        filling_ = false;
        seams_.prompts.message(problem, common::PromptIcon::Exclamation);
        return;
    }
    current = names;
    showDesign();
    designChanged();
}

void frmDesign::sizeChanged() {
    if (filling_) return;
    design_ = resized(design_, spnInputs->value(), spnOutputs->value());
    preset_.clear();
    showDesign();
    designChanged();
}

void frmDesign::designChanged() {
    // A result shown is for the table it was made from, never another.
    cancelRunning();
    result_.reset();
    txtResult->clear();
    lblStatus->clear();
    mnuDraw->setEnabled(false);
    modified_ = true;
}

void frmDesign::closeEvent(QCloseEvent* event) {
    // No: the changes are dropped. Yes: saved, and the window stays open when
    // the save is cancelled or fails, so nothing is lost unasked.
    if (modified_ &&
        seams_.prompts.ask(QStringLiteral("Save the changes to the design before closing?"),
                           common::PromptReply::Yes) &&
        !save()) {
        event->ignore();
        return;
    }
    event->accept();
}

void frmDesign::cancelRunning() {
    if (cancel_) cancel_->store(true);
    if (watcher_ != nullptr) {
        watcher_->disconnect(this);
        watcher_->waitForFinished();
        watcher_->deleteLater();
        watcher_ = nullptr;
    }
    cmdMinimize->setEnabled(true);
}

void frmDesign::minimize() {
    cancelRunning();
    result_.reset();
    txtResult->clear();
    mnuDraw->setEnabled(false);
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(qm::kTimeLimitSeconds);
    watcher_ = new QFutureWatcher<DesignMinimum>(this);
    connect(watcher_, &QFutureWatcherBase::finished, this, [this] {
        result_ = watcher_->result();
        watcher_->deleteLater();
        watcher_ = nullptr;
        cmdMinimize->setEnabled(true);
        showResult();
        emit minimized();
    });
    cmdMinimize->setEnabled(false);
    lblStatus->setText(QStringLiteral("Minimizing..."));
    watcher_->setFuture(QtConcurrent::run([design = design_, deadline, cancel = cancel_] {
        return minimizeDesign(design, deadline, cancel.get());
    }));
}

bool frmDesign::minimizing() const {
    return watcher_ != nullptr;
}

void frmDesign::waitForResult() {
    if (watcher_ == nullptr) return;
    watcher_->waitForFinished();
    QApplication::processEvents();
    if (watcher_ != nullptr) {  // the finished signal not yet delivered
        result_ = watcher_->result();
        watcher_->disconnect(this);
        watcher_->deleteLater();
        watcher_ = nullptr;
        cmdMinimize->setEnabled(true);
        showResult();
    }
}

void frmDesign::showResult() {
    if (!result_) return;
    mnuDraw->setEnabled(seams_.host != nullptr);
    txtResult->setHtml(QString::fromStdString(resultHtml(design_, *result_)));
    const GateCount gates = sharedGates(result_->shared, design_.inputs());
    lblStatus->setText(
        QStringLiteral("%1 products, %2 gate inputs%3")
            .arg(gates.andGates)
            .arg(gates.gateInputs)
            .arg(result_->shared.proven ? QString() : QStringLiteral(" (not proven minimal)")));
}

QString frmDesign::resultText() const {
    return txtResult->toPlainText();
}

bool frmDesign::saveAs() {
    const QString folder = fileName_.isEmpty() ? QString() : QFileInfo(fileName_).absolutePath();
    QString path = seams_.fileDialogs.saveFileName(this, folder, kFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pla");
    return saveTo(path);
}

bool frmDesign::save() {
    return fileName_.isEmpty() ? saveAs() : saveTo(fileName_);
}

bool frmDesign::saveTo(const QString& path) {
    const std::string text = logic::formatPla(designPla(design_, preset_.toStdString()));
    if (const auto reason = seams_.writeFile(path, QByteArray::fromStdString(text))) {
        seams_.prompts.message(
            QStringLiteral("Cannot save %1: %2").arg(QFileInfo(path).fileName(), *reason),
            common::PromptIcon::Critical);
        return false;
    }
    // Only a file written becomes the design's file.
    fileName_ = path;
    modified_ = false;
    setWindowTitle(QStringLiteral("Design - ") + QFileInfo(fileName_).fileName());
    return true;
}

bool frmDesign::open() {
    const QString folder = fileName_.isEmpty() ? QString() : QFileInfo(fileName_).absolutePath();
    const QString path = seams_.fileDialogs.openFileName(this, folder, kFilter);
    return !path.isEmpty() && openFile(path);
}

bool frmDesign::openFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [&](const QString& reason) {
        seams_.prompts.message(QStringLiteral("Cannot open %1: %2").arg(name, reason),
                               common::PromptIcon::Critical);
        return false;
    };
    const QFileInfo info(path);
    // Only regular files: a pipe or a device could block or never end.
    if (!info.exists()) return refuse(QStringLiteral("no such file."));
    if (!info.isFile()) return refuse(QStringLiteral("it is not a regular file."));
    if (info.size() > kMaxFileBytes) return refuse(QStringLiteral("it is too large for a design."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString() + '.');
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes)
        return refuse(QStringLiteral("it is too large for a design."));
    DesignRead read;
    try {
        read = designOfPla(logic::parsePla(bytes.toStdString()));
    } catch (const logic::PlaError& error) {
        return refuse(QString::fromStdString(error.what()) + '.');
    }
    if (!read.design) return refuse(QString::fromStdString(read.problem) + '.');
    fileName_ = path;
    setDesign(*read.design, QString::fromStdString(read.preset));
    modified_ = false;
    setWindowTitle(QStringLiteral("Design - ") + name);
    return true;
}

bool frmDesign::draw(DrawingStyle style) {
    if (seams_.host == nullptr) return false;
    if (!result_) {
        seams_.prompts.message(QStringLiteral("Minimize the design first, then draw it."),
                               common::PromptIcon::Exclamation);
        return false;
    }
    drawDesign(seams_.host->LoadNewDoc(drawing::DocumentKind::Circuit), design_, result_->shared,
               style);
    return true;
}

void frmDesign::pasteText(const QString& text) {
    const int row = std::max(0, grdTable->currentRow());
    const int column = std::max(0, grdTable->currentColumn() - design_.inputs());
    const PasteResult result = pasted(design_, text.toStdString(), row, column);
    if (!result.design) {
        seams_.prompts.message(
            QStringLiteral("Nothing was pasted: ") + QString::fromStdString(result.problem) + '.',
            common::PromptIcon::Exclamation);
        return;
    }
    design_ = *result.design;
    preset_.clear();
    showDesign();
    designChanged();
}

bool frmDesign::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grdTable && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        pasteText(QApplication::clipboard()->text());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace quendal::design
