#include "workspace/frmSimplification.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "common/append_only_line_edit.h"
#include "common/button_feedback.h"
#include "drawing/circuit_command.h"
#include "common/clock.h"
#include "demux/demux_command.h"
#include "workspace/expression_texts.h"
#include "workspace/minimizer_exchange.h"
#include "common/minimizer_launcher.h"
#include "mux/mux_command.h"
#include "common/prompts.h"
#include "common/session.h"
#include "workspace/simplification_log.h"
#include "workspace/term_list.h"
#include "common/twips.h"
#include "common/widget_style.h"

namespace {

const char* const kInFile = "in.txt";
const char* const kOutFile = "out.txt";
const char* const kLogFile = "log.txt";

const QColor kFormGrey(224, 224, 224);
const QColor kPurple(128, 0, 128);
const QColor kMinRed(192, 0, 0);
const QColor kMaxBlue(0, 0, 192);
const QColor kDontCareGreen(0, 128, 0);
const QColor kNavy(0, 0, 128);

QColor windowText() {
    return QApplication::palette().color(QPalette::WindowText);
}

template <typename W>
W* make(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(twipsRect(left, top, width, height));
    return w;
}

QString question(const char* what) {
    return QString::fromLatin1(what) + QStringLiteral("\nDo you still want to continue ?");
}

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

Codes termCodes(const TermList& list, int noOfVar) {
    Codes codes;
    for (int t : termNumbers(list)) codes.push_back(toBinary(t, noOfVar));
    return codes;
}

}  // namespace

frmSimplification::frmSimplification(DocumentHost& host, Prompts& prompts, const Clock& clock,
                                     MinimizerLauncher& launcher, QWidget* parent)
    : QWidget(parent), host_(host), prompts_(prompts), clock_(clock), launcher_(launcher) {
    setObjectName(QStringLiteral("frmSimplification"));
    createControls();
    connectHandlers();
    Form_Load();
}

frmSimplification::~frmSimplification() = default;

void frmSimplification::createControls() {
    const QRect area = twipsRect(0, 0, 11892, 6012);
    setMinimumSize(area.size());
    resize(area.size());

    picMain = make<QWidget>(this, "picMain", 0, 0, 11892, 6012);
    picMain->setAutoFillBackground(true);
    setBackgroundColour(picMain, kFormGrey);

    const QFont captionFont = timesFont(12);
    const QFont boxFont = timesFont(9.75);

    auto label = [&](const char* name, const char* caption, const QColor& colour, int left, int top,
                     int width, int height) {
        auto* l = make<QLabel>(picMain, name, left, top, width, height);
        l->setText(QString::fromLatin1(caption));
        l->setFont(captionFont);
        setTextColour(l, colour);
        return l;
    };
    auto filledBox = [&](const char* name, const QColor& colour, const QColor& background, int left,
                         int top, int width, int height) {
        auto* t = make<QLineEdit>(picMain, name, left, top, width, height);
        t->setReadOnly(true);  // only the form writes these
        t->setFont(boxFont);
        setTextColour(t, colour);
        setBackgroundColour(t, background);
        return t;
    };
    auto option = [&](const char* name, const char* caption, const QColor& colour, int left,
                      int top, int width, int height) {
        auto* rb = make<QRadioButton>(picMain, name, left, top, width, height);
        rb->setText(QString::fromLatin1(caption));
        rb->setFont(captionFont);
        setTextColour(rb, colour);
        return rb;
    };
    auto button = [&](const char* name, const char* caption, int left, int top, int width,
                      int height) {
        auto* b = make<QPushButton>(picMain, name, left, top, width, height);
        b->setText(QString::fromLatin1(caption));
        b->setFont(captionFont);
        return b;
    };

    lblVar = label("lblVar", "No of Variables", kPurple, 360, 240, 1572, 252);
    cboVar = make<QComboBox>(picMain, "cboVar", 2040, 240, 975, 324);
    cboVar->setEditable(false);
    for (int n = 1; n <= 8; ++n) cboVar->addItem(QString::number(n));
    cboVar->setFont(boxFont);
    setTextColour(cboVar, kPurple);

    rbMinTerms = option("rbMinTerms", "M&in Terms", kMinRed, 360, 840, 1455, 255);
    rbMaxTerms = option("rbMaxTerms", "M&ax Terms", kMaxBlue, 360, 1440, 1455, 285);
    rbDontCare = option("rbDontCare", "D&on't Care", kDontCareGreen, 360, 2040, 1455, 285);

    lstTerms = make<QListWidget>(picMain, "lstTerms", 2040, 840, 4335, 1335);
    lstTerms->setFont(boxFont);
    lstTerms->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstTerms->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundColour(lstTerms, kFormGrey);

    lblTerms = label("lblTerms", "Min / Max", kPurple, 6480, 840, 1212, 252);
    txtTerms = filledBox("txtTerms", kPurple, kFormGrey, 6480, 1080, 2772, 492);
    lblDontCare = label("lblDontCare", "Don't Care", kDontCareGreen, 6480, 1680, 1092, 252);
    txtDontCare = filledBox("txtDontCare", kDontCareGreen, kFormGrey, 6480, 1920, 2772, 492);

    lblEquation = label("lblEquation", "Boolean &Expression (SOP)", kNavy, 360, 2640, 2532, 372);
    txtEquation = make<AppendOnlyLineEdit>(picMain, "txtEquation", 2880, 2640, 6372, 375);
    txtEquation->setFont(boxFont);
    setTextColour(txtEquation, kNavy);
    setBackgroundColour(txtEquation, Qt::white);
    lblEquation->setBuddy(txtEquation);
    lblIpPosEquation =
        label("lblIpPosEquation", "Boolean Expression (POS)", kNavy, 360, 3240, 2532, 372);
    txtIpPosEquation = filledBox("txtIpPosEquation", kNavy, Qt::white, 2880, 3240, 6372, 375);
    lblMinEquation =
        label("lblMinEquation", "Minimized Equation (SOP)", kNavy, 360, 3840, 2532, 372);
    txtMinEquation = filledBox("txtMinEquation", kNavy, Qt::white, 2880, 3840, 6372, 375);
    lblPosEquation =
        label("lblPosEquation", "Minimized Equation (POS)", kNavy, 360, 4440, 2532, 372);
    txtPosEquation = filledBox("txtPosEquation", kNavy, Qt::white, 2880, 4440, 6372, 375);

    fitExpressionLabels();

    cmdSimplify = button("cmdSimplify", "&Simplify", 360, 5040, 1215, 372);
    cmdClear = button("cmdClear", "&Clear", 1680, 5040, 1215, 372);
    cmdCircuit = button("cmdCircuit", "Ci&rcuit", 3000, 5040, 1215, 372);
    cmdMux = button("cmdMux", "&Mux", 4320, 5040, 1215, 375);
    cmdDemux = button("cmdDemux", "&Demux", 5640, 5040, 1215, 375);
    cmdLogout = button("cmdLogout", "&Logout", 6960, 5040, 1092, 375);
    cmdExit = button("cmdExit", "E&xit", 8160, 5040, 1092, 375);

    feedback_ = new ButtonFeedback(
        picMain, {cmdSimplify, cmdClear, cmdCircuit, cmdMux, cmdDemux, cmdLogout, cmdExit}, this);
}

// The expression labels were laid out for a font a few pixels narrower than
// the one found here; rather than cut their captions off, widen them and move
// the text boxes' left edges right, keeping the boxes' right edges in place.
void frmSimplification::fitExpressionLabels() {
    const std::pair<QLabel*, QLineEdit*> rows[] = {{lblEquation, txtEquation},
                                                   {lblIpPosEquation, txtIpPosEquation},
                                                   {lblMinEquation, txtMinEquation},
                                                   {lblPosEquation, txtPosEquation}};
    int needed = 0;
    for (const auto& [label, box] : rows) needed = std::max(needed, label->sizeHint().width());
    for (const auto& [label, box] : rows) {
        const int gap = box->x() - label->geometry().right();
        const int overflow = needed - label->width();
        if (overflow <= 0) continue;
        label->resize(needed, label->height());
        QRect g = box->geometry();
        g.setLeft(label->geometry().right() + std::max(gap, 2));
        box->setGeometry(g);
    }
}

void frmSimplification::connectHandlers() {
    connect(cboVar, &QComboBox::activated, this, [this] { cboVar_Click(); });
    // toggled also fires when the form selects an option itself, which must
    // run the option's handler just as a click does.
    connect(rbMinTerms, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbMinTerms_Click();
    });
    connect(rbMaxTerms, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbMaxTerms_Click();
    });
    connect(rbDontCare, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rbDontCare_Click();
    });
    connect(lstTerms, &QListWidget::itemChanged, this, &frmSimplification::lstTerms_ItemCheck);
    connect(txtEquation, &AppendOnlyLineEdit::keyPress, this,
            &frmSimplification::txtEquation_KeyPress);
    connect(txtEquation, &AppendOnlyLineEdit::lostFocus, this,
            &frmSimplification::txtEquation_LostFocus);
    connect(cmdSimplify, &QPushButton::clicked, this, &frmSimplification::cmdSimplify_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmSimplification::cmdClear_Click);
    connect(cmdCircuit, &QPushButton::clicked, this, &frmSimplification::cmdCircuit_Click);
    connect(cmdMux, &QPushButton::clicked, this, &frmSimplification::cmdMux_Click);
    connect(cmdDemux, &QPushButton::clicked, this, &frmSimplification::cmdDemux_Click);
    connect(cmdLogout, &QPushButton::clicked, this, &frmSimplification::cmdLogout_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmSimplification::cmdExit_Click);
}

void frmSimplification::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    picMain->resize(event->size());
}

// ---- Function entry ------------------------------------------------------

void frmSimplification::Form_Load() {
    cboVar->setCurrentIndex(cboVar->findText(QStringLiteral("4")));
    cboVar_Change();
}

void frmSimplification::cboVar_Click() {
    cboVar_Change();
}

void frmSimplification::cmdClear_Click() {
    cboVar_Change();
}

void frmSimplification::cboVar_Change() {
    terms_.clear();
    dontCares_.clear();
    cmdSimplify->setEnabled(false);
    enableDrawingCommands(false);

    fillingList = true;
    lstTerms->clear();
    noOfVar_ = std::clamp(cboVar->currentText().toInt(), 1, 8);
    keyFilter_.reset(noOfVar_);
    noOfTerms_ = 1 << noOfVar_;
    QStringList entries;
    entries.reserve(noOfTerms_);
    for (int t = 0; t < noOfTerms_; ++t) entries.append(QString::number(t));
    lstTerms->addItems(entries);
    for (int t = 0; t < noOfTerms_; ++t) {
        QListWidgetItem* item = lstTerms->item(t);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    ticks_.assign(static_cast<std::size_t>(noOfTerms_), false);
    fillingList = false;

    rbMaxTerms->setEnabled(true);
    rbMinTerms->setEnabled(true);
    deselectOptions();
    lstTerms->setEnabled(false);

    lblTerms->setText(QStringLiteral("Min / Max"));
    setTextColour(lblTerms, kPurple);
    setTextColour(lstTerms, windowText());
    setTextColour(txtTerms, windowText());

    emptyExpressionTexts();
    txtTerms->clear();
    txtDontCare->clear();
}

void frmSimplification::rbMinTerms_Click() {
    emptyExpressionTexts();
    lstTerms->setEnabled(true);
    setTextColour(lstTerms, kMinRed);
    rbMaxTerms->setEnabled(false);
    lblTerms->setText(QStringLiteral("Min Terms"));
    setTextColour(lblTerms, kMinRed);
    setTextColour(txtTerms, kMinRed);
}

void frmSimplification::rbMaxTerms_Click() {
    emptyExpressionTexts();
    lstTerms->setEnabled(true);
    setTextColour(lstTerms, kMaxBlue);
    rbMinTerms->setEnabled(false);
    lblTerms->setText(QStringLiteral("Max Terms"));
    setTextColour(lblTerms, kMaxBlue);
    setTextColour(txtTerms, kMaxBlue);
    // For the rest of this form's life: a typed equation is a sum of
    // products, which max-term entry does not fit.
    txtEquation->setReadOnly(true);
}

void frmSimplification::rbDontCare_Click() {
    emptyExpressionTexts();
    lstTerms->setEnabled(true);
    setTextColour(lstTerms, kDontCareGreen);
}

void frmSimplification::lstTerms_ItemCheck(QListWidgetItem* item) {
    if (fillingList) return;
    const int index = lstTerms->row(item);
    if (index < 0 || index >= static_cast<int>(ticks_.size())) return;
    const bool ticked = item->checkState() == Qt::Checked;
    // itemChanged also reports changes other than the tick.
    if (ticks_[static_cast<std::size_t>(index)] == ticked) return;
    ticks_[static_cast<std::size_t>(index)] = ticked;
    const std::string e = item->text().toStdString();

    emptyExpressionTexts();
    enableDrawingCommands(false);

    if (ticked) {
        if (rbDontCare->isChecked()) {
            dontCares_.push_back(e);
            if (dontCares_.size() > 1) dontCares_ = SortArray(dontCares_, 1);
        } else {
            terms_.push_back(e);
            cmdSimplify->setEnabled(true);
            if (terms_.size() > 1) terms_ = SortArray(terms_, 1);
        }
        showTermLists();
        return;
    }

    bool answer = true;
    const auto inTerms = std::find(terms_.begin(), terms_.end(), e);
    if (inTerms != terms_.end()) {
        if (!enabledHere(rbMaxTerms) && !rbMinTerms->isChecked()) {
            answer = prompts_.ask(question("You've Unchecked a MinTerm !"), PromptReply::No);
        } else if (enabledHere(rbMaxTerms) && !enabledHere(rbMinTerms) &&
                   !rbMaxTerms->isChecked()) {
            answer = prompts_.ask(question("You've Unchecked a MaxTerm !"), PromptReply::No);
        }
        if (answer) {
            selectOption(enabledHere(rbMinTerms) ? rbMinTerms : rbMaxTerms);
            terms_.erase(std::find(terms_.begin(), terms_.end(), e));
            if (terms_.empty()) cmdSimplify->setEnabled(false);
        }
    } else {
        if (!rbDontCare->isChecked()) {
            answer = prompts_.ask(question("You've Unchecked a DontCare Term !"), PromptReply::No);
        }
        if (answer) {
            selectOption(rbDontCare);
            const auto inDontCares = std::find(dontCares_.begin(), dontCares_.end(), e);
            if (inDontCares != dontCares_.end()) dontCares_.erase(inDontCares);
        }
    }
    if (answer) {
        showTermLists();
    } else {
        setTick(index, true);
    }
}

// ---- Equation entry ------------------------------------------------------

void frmSimplification::txtEquation_KeyPress(int& KeyAscii) {
    // Any key in the box switches from ticked terms to a typed equation.
    clearAllTicks();
    deselectOptions();
    txtTerms->clear();
    txtDontCare->clear();
    terms_.clear();
    dontCares_.clear();
    lstTerms->setEnabled(false);
    cmdSimplify->setEnabled(true);
    enableDrawingCommands(false);
    // The text made from the term lists (with its " + d (...)" part) is no
    // start for a typed equation: typing begins in an empty box.
    if (equationFromTerms_) {
        equationFromTerms_ = false;
        txtEquation->clear();
    }

    const EquationKeyFilter::Hooks hooks{[this] { cmdClear_Click(); },
                                         [this] { txtEquation_LostFocus(); },
                                         [this] { cmdSimplify_Click(); }};
    KeyAscii = keyFilter_.keyPress(text(txtEquation), KeyAscii, hooks);
}

void frmSimplification::txtEquation_LostFocus() {
    const QString equationText = txtEquation->text();
    if (equationText.endsWith(u'+')) txtEquation->setText(equationText.chopped(1));
}

// ---- Simplify --------------------------------------------------------------

void frmSimplification::cmdSimplify_Click() {
    txtMinEquation->clear();
    nothingToMinimize = false;
    try {
        const bool termsPath = anyTermChecked();
        if (termsPath) {
            writeTermsFile();
        } else {
            // A trailing "+" is removed when the box loses the focus; a
            // Simplify that reaches the box without that still reads the sum.
            txtEquation_LostFocus();
            writeEquationFile();
            if (equation.empty()) return;
        }
        if (!nothingToMinimize) {
            runMinimizer();
            readMinimizerOutput();
        }
        log();
        minimized_ = minimizedFunction(termsPath);
        enableDrawingCommands(true);
    } catch (const std::exception& failure) {
        prompts_.message(QString::fromStdString(failure.what()) +
                         QStringLiteral("\nTry Again !!!"));
    }
}

bool frmSimplification::anyTermChecked() const {
    for (int t = 0; t < lstTerms->count(); ++t) {
        if (lstTerms->item(t)->checkState() == Qt::Checked) return true;
    }
    return false;
}

void frmSimplification::writeTermsFile() {
    keyFilter_.useAllLetters();
    const bool maxMode = maxTermMode();
    // Only don't-care terms ticked: a function without minterms.
    const bool onlyDontCares = terms_.empty();

    minCodes.clear();
    if (maxMode && !onlyDontCares) {
        for (int t = 0; t < noOfTerms_; ++t) {
            if (!ticks_[static_cast<std::size_t>(t)]) minCodes.push_back(toBinary(t, noOfVar_));
        }
    } else if (!maxMode) {
        minCodes = termCodes(terms_, noOfVar_);
    }
    nothingToMinimize = minCodes.empty();
    dcCodes = termCodes(dontCares_, noOfVar_);

    if (!nothingToMinimize) writeFileAtomically(kInFile, inFileText(minCodes, dcCodes));

    const ExpressionPair input =
        buildInputExpressions(onlyDontCares ? Codes{} : termCodes(terms_, noOfVar_), dcCodes,
                              maxMode && !onlyDontCares, keyFilter_.varNames());
    txtEquation->setText(QString::fromStdString(input.sop));
    equationFromTerms_ = true;
    txtIpPosEquation->setText(QString::fromStdString(input.pos));
    if (nothingToMinimize) {
        txtMinEquation->setText(QStringLiteral("0"));
        txtPosEquation->setText(QStringLiteral("0"));
    }
}

void frmSimplification::writeEquationFile() {
    equation = text(txtEquation);
    if (equation.empty()) {
        prompts_.message(QStringLiteral("Expression cannot be Empty!"));
        return;
    }
    keyFilter_.sortVarNames();
    productCodes = ::productCodes(equation, keyFilter_.varNames(), keyFilter_.varCount());
    writeFileAtomically(kInFile, inFileText(productCodes, {}));
    txtIpPosEquation->setText(
        QString::fromStdString(equationPosText(equation, productCodes, keyFilter_.varNames())));
}

void frmSimplification::runMinimizer() {
    // A stale answer must never pass for this run's.
    std::error_code ec;
    if (std::filesystem::is_directory(kOutFile, ec)) {
        throw std::runtime_error(std::string("Cannot replace ") + kOutFile + ": it is a folder.");
    }
    std::filesystem::remove(kOutFile, ec);
    if (ec) {
        throw std::runtime_error(std::string("Cannot remove the old ") + kOutFile + ": " +
                                 ec.message() + ".");
    }
    launcher_.run(QString::fromLatin1(kInFile), QString::fromLatin1(kOutFile));
}

void frmSimplification::readMinimizerOutput() {
    implicants = readOutFile(kOutFile, keyFilter_.varCount());
    const ExpressionPair minimized = minimizedTexts(implicants, keyFilter_.varNames());
    txtMinEquation->setText(QString::fromStdString(minimized.sop));
    txtPosEquation->setText(QString::fromStdString(minimized.pos));
}

void frmSimplification::log() {
    const LocalDateTime now = clock_.now();
    const LogRecord record{
        Session::current().UserName, headerDate(now),      headerTime(now),     text(txtEquation),
        text(txtIpPosEquation),      text(txtMinEquation), text(txtPosEquation)};
    appendToLog(kLogFile, logRecordText(record));
}

FunctionView frmSimplification::minimizedFunction(bool termsPath) const {
    FunctionView f;
    f.sopText = text(txtEquation);
    f.ipPosText = text(txtIpPosEquation);
    f.minSopText = text(txtMinEquation);
    f.minPosText = text(txtPosEquation);
    f.varNames = keyFilter_.varNames();
    if (termsPath) {
        f.numVars = noOfVar_;
        f.terms = termNumbers(terms_);
        f.minTermMode = !maxTermMode() || terms_.empty();
        f.dontCares = termNumbers(dontCares_);
        f.termsText = text(txtTerms);
        f.dontCareText = text(txtDontCare);
    } else {
        f.numVars = keyFilter_.varCount();
        f.terms = coveredMinterms(productCodes, keyFilter_.varCount());
        f.minTermMode = true;
        TermList shown;
        for (int t : f.terms) shown.push_back(std::to_string(t));
        f.termsText = joinTerms(shown);
    }
    return f;
}

FunctionView frmSimplification::currentFunction() const {
    FunctionView f = minimized_;
    const LocalDateTime now = clock_.now();
    f.userName = Session::current().UserName;
    f.dateText = headerDate(now);
    f.timeText = headerTime(now);
    return f;
}

// ---- Drawing and closing commands ----------------------------------------

void frmSimplification::cmdCircuit_Click() {
    runCircuitCommand(window(), this, host_, currentFunction());
}

void frmSimplification::cmdMux_Click() {
    runMuxCommand(window(), this, host_, currentFunction());
}

void frmSimplification::cmdDemux_Click() {
    runDemuxCommand(window(), this, host_, prompts_, currentFunction());
}

void frmSimplification::cmdLogout_Click() {
    emit logoutRequested();
}

void frmSimplification::cmdExit_Click() {
    if (prompts_.ask(QStringLiteral("Are you sure you want to Exit ?"), PromptReply::Yes)) {
        emit exitRequested();
    }
}

// ---- Helpers ---------------------------------------------------------------

bool frmSimplification::maxTermMode() const {
    return !enabledHere(rbMinTerms);
}

bool frmSimplification::enabledHere(const QWidget* control) const {
    // Whether the form enabled it, even while the whole form is disabled.
    return control->isEnabledTo(const_cast<frmSimplification*>(this));
}

void frmSimplification::selectOption(QRadioButton* option) {
    if (option->isChecked()) {
        if (option == rbMinTerms) rbMinTerms_Click();
        if (option == rbMaxTerms) rbMaxTerms_Click();
        if (option == rbDontCare) rbDontCare_Click();
    } else {
        option->setChecked(true);
    }
}

void frmSimplification::deselectOptions() {
    for (QRadioButton* option : {rbMinTerms, rbMaxTerms, rbDontCare}) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void frmSimplification::setTick(int index, bool ticked) {
    fillingList = true;
    lstTerms->item(index)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    ticks_[static_cast<std::size_t>(index)] = ticked;
    fillingList = false;
}

void frmSimplification::clearAllTicks() {
    fillingList = true;
    for (int t = 0; t < lstTerms->count(); ++t) {
        if (ticks_[static_cast<std::size_t>(t)]) {
            lstTerms->item(t)->setCheckState(Qt::Unchecked);
            ticks_[static_cast<std::size_t>(t)] = false;
        }
    }
    fillingList = false;
}

void frmSimplification::emptyExpressionTexts() {
    txtEquation->clear();
    equationFromTerms_ = false;
    txtIpPosEquation->clear();
    txtMinEquation->clear();
    txtPosEquation->clear();
}

void frmSimplification::enableDrawingCommands(bool enabled) {
    cmdCircuit->setEnabled(enabled);
    cmdMux->setEnabled(enabled);
    cmdDemux->setEnabled(enabled);
    emit drawingCommandsEnabled(enabled);
}

void frmSimplification::showTermLists() {
    txtTerms->setText(QString::fromStdString(joinTerms(terms_)));
    txtDontCare->setText(QString::fromStdString(joinTerms(dontCares_)));
}
