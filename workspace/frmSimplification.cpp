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

#include "common/append_only_line_edit.h"
#include "common/button_feedback.h"
#include "common/clock.h"
#include "common/closing_question.h"
#include "common/minimizer_launcher.h"
#include "common/prompts.h"
#include "common/session.h"
#include "common/twips.h"
#include "common/widget_style.h"
#include "demux/demux_command.h"
#include "drawing/circuit_command.h"
#include "drawing/document_host.h"
#include "mux/mux_command.h"
#include "workspace/minimizer_run.h"
#include "workspace/simplification_log.h"

namespace quendal::workspace {

namespace {

const QColor kFormGrey(224, 224, 224);
const QColor kPurple(128, 0, 128);
const QColor kMinRed(192, 0, 0);
const QColor kMaxBlue(0, 0, 192);
const QColor kDontCareGreen(0, 128, 0);
const QColor kNavy(0, 0, 128);

// The two boxes whose texts are complements of sums of products keep those texts (the log, the
// drawings' headers and the files hold them), so their captions say what they are.
const QString kEquationCaption = QStringLiteral("Boolean &Expression (SOP)");
const QString kComplementedEquationCaption = QStringLiteral("Boolean Expression (SOP)'");
const QString kComplementedEquationTip = QStringLiteral(
    "The sum of products of the max-terms, complemented: the function itself, "
    "not a sum of products of it. Its product of sums is the box below.");
const QString kPosEquationCaption = QStringLiteral("Minimized Equation (POS)'");
const QString kPosEquationTip = QStringLiteral(
    "The minimum sum of products complemented twice: the same function, not a minimum product "
    "of sums. The minimum product of sums is in the Minimum POS box.");
const QString kPosNotFoundTip =
    QStringLiteral("The minimum product of sums was not found in time.");

QColor windowText() {
    return QApplication::palette().color(QPalette::WindowText);
}

template <typename W>
W* make(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(common::twipsRect(left, top, width, height));
    return w;
}

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

}  // namespace

frmSimplification::frmSimplification(drawing::DocumentHost& host, common::Prompts& prompts,
                                     const common::Clock& clock,
                                     common::MinimizerLauncher& launcher, QWidget* parent)
    : QWidget(parent), host_(host), prompts_(prompts), clock_(clock), launcher_(launcher) {
    setObjectName(QStringLiteral("frmSimplification"));
    createControls();
    connectHandlers();
    Form_Load();
}

frmSimplification::~frmSimplification() = default;

void frmSimplification::createControls() {
    // 600 twips taller than the buttons' form, for the row of the minimum product of sums.
    const QRect area = common::twipsRect(0, 0, 11892, 6612);
    setMinimumSize(area.size());
    resize(area.size());

    picMain = make<QWidget>(this, "picMain", 0, 0, 11892, 6612);
    picMain->setAutoFillBackground(true);
    common::setBackgroundColour(picMain, kFormGrey);

    const QFont captionFont = common::timesFont(12);
    const QFont boxFont = common::timesFont(9.75);

    auto label = [&](const char* name, const QString& caption, const QColor& colour, int left,
                     int top, int width, int height) {
        auto* l = make<QLabel>(picMain, name, left, top, width, height);
        l->setText(caption);
        l->setFont(captionFont);
        common::setTextColour(l, colour);
        return l;
    };
    auto filledBox = [&](const char* name, const QColor& colour, const QColor& background, int left,
                         int top, int width, int height) {
        auto* t = make<QLineEdit>(picMain, name, left, top, width, height);
        t->setReadOnly(true);  // only the form writes these
        t->setFont(boxFont);
        common::setTextColour(t, colour);
        common::setBackgroundColour(t, background);
        return t;
    };
    auto option = [&](const char* name, const char* caption, const QColor& colour, int left,
                      int top, int width, int height) {
        auto* rb = make<QRadioButton>(picMain, name, left, top, width, height);
        rb->setText(QString::fromLatin1(caption));
        rb->setFont(captionFont);
        common::setTextColour(rb, colour);
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
    common::setTextColour(cboVar, kPurple);

    rbMinTerms = option("rbMinTerms", "M&in Terms", kMinRed, 360, 840, 1455, 255);
    rbMaxTerms = option("rbMaxTerms", "M&ax Terms", kMaxBlue, 360, 1440, 1455, 285);
    rbDontCare = option("rbDontCare", "D&on't Care", kDontCareGreen, 360, 2040, 1455, 285);

    lstTerms = make<QListWidget>(picMain, "lstTerms", 2040, 840, 4335, 1335);
    lstTerms->setFont(boxFont);
    lstTerms->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstTerms->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    common::setBackgroundColour(lstTerms, kFormGrey);

    lblTerms = label("lblTerms", "Min / Max", kPurple, 6480, 840, 1212, 252);
    txtTerms = filledBox("txtTerms", kPurple, kFormGrey, 6480, 1080, 2772, 492);
    lblDontCare = label("lblDontCare", "Don't Care", kDontCareGreen, 6480, 1680, 1092, 252);
    txtDontCare = filledBox("txtDontCare", kDontCareGreen, kFormGrey, 6480, 1920, 2772, 492);

    lblEquation = label("lblEquation", kEquationCaption, kNavy, 360, 2640, 2532, 372);
    txtEquation = make<common::AppendOnlyLineEdit>(picMain, "txtEquation", 2880, 2640, 6372, 375);
    txtEquation->setFont(boxFont);
    common::setTextColour(txtEquation, kNavy);
    common::setBackgroundColour(txtEquation, Qt::white);
    lblEquation->setBuddy(txtEquation);
    lblIpPosEquation =
        label("lblIpPosEquation", "Boolean Expression (POS)", kNavy, 360, 3240, 2532, 372);
    txtIpPosEquation = filledBox("txtIpPosEquation", kNavy, Qt::white, 2880, 3240, 6372, 375);
    lblMinEquation =
        label("lblMinEquation", "Minimized Equation (SOP)", kNavy, 360, 3840, 2532, 372);
    txtMinEquation = filledBox("txtMinEquation", kNavy, Qt::white, 2880, 3840, 6372, 375);
    lblPosEquation = label("lblPosEquation", kPosEquationCaption, kNavy, 360, 4440, 2532, 372);
    lblPosEquation->setToolTip(kPosEquationTip);
    txtPosEquation = filledBox("txtPosEquation", kNavy, Qt::white, 2880, 4440, 6372, 375);
    txtPosEquation->setToolTip(kPosEquationTip);

    cmdSimplify = button("cmdSimplify", "&Simplify", 360, 5040, 1215, 372);
    cmdClear = button("cmdClear", "&Clear", 1680, 5040, 1215, 372);
    cmdCircuit = button("cmdCircuit", "Ci&rcuit", 3000, 5040, 1215, 372);
    cmdMux = button("cmdMux", "&Mux", 4320, 5040, 1215, 375);
    cmdDemux = button("cmdDemux", "&Demux", 5640, 5040, 1215, 375);
    cmdLogout = button("cmdLogout", "&Logout", 6960, 5040, 1092, 375);
    cmdExit = button("cmdExit", "E&xit", 8160, 5040, 1092, 375);

    lblTruePosEquation = label("lblTruePosEquation", "Minimum POS", kNavy, 360, 5520, 2532, 372);
    txtTruePosEquation = filledBox("txtTruePosEquation", kNavy, Qt::white, 2880, 5520, 6372, 375);

    fitExpressionLabels();

    feedback_ = new common::ButtonFeedback(
        picMain, {cmdSimplify, cmdClear, cmdCircuit, cmdMux, cmdDemux, cmdLogout, cmdExit}, this);
}

// The expression labels were laid out for a font a few pixels narrower than
// the one found here; rather than cut their captions off, widen them and move
// the text boxes' left edges right, keeping the boxes' right edges in place.
void frmSimplification::fitExpressionLabels() {
    const std::pair<QLabel*, QLineEdit*> rows[] = {{lblEquation, txtEquation},
                                                   {lblIpPosEquation, txtIpPosEquation},
                                                   {lblMinEquation, txtMinEquation},
                                                   {lblPosEquation, txtPosEquation},
                                                   {lblTruePosEquation, txtTruePosEquation}};
    int needed = 0;
    for (const auto& [label, box] : rows) needed = std::max(needed, label->sizeHint().width());
    // The equation's caption in Max Terms mode must fit as well.
    for (const QString& caption : {kComplementedEquationCaption, kEquationCaption}) {
        lblEquation->setText(caption);
        needed = std::max(needed, lblEquation->sizeHint().width());
    }
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
    connect(txtEquation, &common::AppendOnlyLineEdit::keyPress, this,
            &frmSimplification::txtEquation_KeyPress);
    // The model keeps the equation as the box shows it, typed or not.
    connect(txtEquation, &QLineEdit::textChanged, this,
            [this](const QString& equation) { entry_.setEquationText(equation.toStdString()); });
    connect(txtEquation, &common::AppendOnlyLineEdit::lostFocus, this,
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
    entry_.reset(std::clamp(cboVar->currentText().toInt(), 1, 8));
    cmdSimplify->setEnabled(entry_.canSimplify());
    enableDrawingCommands(false);

    fillingList = true;
    lstTerms->clear();
    QStringList entries;
    entries.reserve(entry_.rowCount());
    for (int t = 0; t < entry_.rowCount(); ++t) entries.append(QString::number(t));
    lstTerms->addItems(entries);
    for (int t = 0; t < entry_.rowCount(); ++t) {
        QListWidgetItem* item = lstTerms->item(t);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    fillingList = false;

    rbMaxTerms->setEnabled(entry_.maxTermsOpen());
    rbMinTerms->setEnabled(entry_.minTermsOpen());
    deselectOptions();
    lstTerms->setEnabled(false);

    lblTerms->setText(QStringLiteral("Min / Max"));
    common::setTextColour(lblTerms, kPurple);
    common::setTextColour(lstTerms, windowText());
    common::setTextColour(txtTerms, windowText());

    showTexts();
    showTermLists();
}

void frmSimplification::rbMinTerms_Click() {
    chooseOption(FunctionEntry::Option::MinTerms, kMinRed);
    showTermMode(QStringLiteral("Min Terms"), kMinRed);
}

void frmSimplification::rbMaxTerms_Click() {
    chooseOption(FunctionEntry::Option::MaxTerms, kMaxBlue);
    showTermMode(QStringLiteral("Max Terms"), kMaxBlue);
    txtEquation->setReadOnly(entry_.equationLocked());
}

void frmSimplification::rbDontCare_Click() {
    chooseOption(FunctionEntry::Option::DontCare, kDontCareGreen);
}

void frmSimplification::chooseOption(FunctionEntry::Option option, const QColor& colour) {
    entry_.choose(option);
    showTexts();
    lstTerms->setEnabled(true);
    common::setTextColour(lstTerms, colour);
}

void frmSimplification::showTermMode(const QString& caption, const QColor& colour) {
    rbMinTerms->setEnabled(entry_.minTermsOpen());
    rbMaxTerms->setEnabled(entry_.maxTermsOpen());
    lblTerms->setText(caption);
    common::setTextColour(lblTerms, colour);
    common::setTextColour(txtTerms, colour);
}

void frmSimplification::lstTerms_ItemCheck(QListWidgetItem* item) {
    if (fillingList) return;
    const int row = lstTerms->row(item);
    if (row < 0 || row >= entry_.rowCount()) return;
    const bool ticked = item->checkState() == Qt::Checked;
    // itemChanged also reports changes other than the tick.
    if (entry_.isTicked(row) == ticked) return;

    const std::optional<std::string> question = entry_.changeTick(row, ticked);
    showTexts();
    enableDrawingCommands(false);
    if (ticked) {
        cmdSimplify->setEnabled(entry_.canSimplify());
        showTermLists();
        return;
    }
    if (question && !prompts_.ask(QString::fromStdString(*question), common::PromptReply::No)) {
        setTick(row, true);
        return;
    }
    selectOption(entry_.confirmUntick(row));
    cmdSimplify->setEnabled(entry_.canSimplify());
    showTermLists();
}

// ---- Equation entry ------------------------------------------------------

void frmSimplification::txtEquation_KeyPress(int& KeyAscii) {
    // Any key in the box switches from ticked terms to a typed equation.
    const bool emptyFirst = entry_.startTyping();
    clearAllTicks();
    deselectOptions();
    showTermLists();
    lstTerms->setEnabled(false);
    cmdSimplify->setEnabled(entry_.canSimplify());
    enableDrawingCommands(false);
    if (emptyFirst) txtEquation->clear();

    const EquationKeyFilter::Hooks hooks{[this] { cmdClear_Click(); },
                                         [this] { txtEquation_LostFocus(); },
                                         [this] { cmdSimplify_Click(); }};
    KeyAscii = entry_.keyFilter().keyPress(text(txtEquation), KeyAscii, hooks);
}

void frmSimplification::txtEquation_LostFocus() {
    const std::string before = entry_.texts().sop;
    entry_.dropTrailingPlus();
    if (entry_.texts().sop != before)
        txtEquation->setText(QString::fromStdString(before).chopped(1));
}

// ---- Simplify --------------------------------------------------------------

void frmSimplification::cmdSimplify_Click() {
    try {
        const std::optional<FunctionEntry::Input> input = entry_.prepareSimplify();
        showTexts();
        if (!input) {
            prompts_.message(QStringLiteral("Expression cannot be Empty!"));
            return;
        }
        QString notProven;
        if (!input->nothingToMinimize) {
            const MinimizerAnswer answer =
                exchangeWithMinimizer(input->inText, input->columns, launcher_);
            entry_.takeAnswer(answer.implicants);
            showTexts();
            notProven = answer.notProven;
        }
        const common::LocalDateTime now = clock_.now();
        appendToLog(kLogFile, logRecordText(entry_.logRecord(common::Session::current().UserName,
                                                             common::headerDate(now),
                                                             common::headerTime(now))));
        entry_.completeSimplify();
        minimumProven_ = notProven.isEmpty();
        enableDrawingCommands(true);
        // Shown after the answer, which stands: a correct cover, only perhaps
        // not the smallest, and the user should know before drawing it.
        if (!notProven.isEmpty())
            prompts_.message(notProvenMessage(notProven), common::PromptIcon::Information);
    } catch (const std::exception& failure) {
        showTexts();  // as far as the run filled them
        prompts_.message(QString::fromStdString(failure.what()) +
                         QStringLiteral("\nTry Again !!!"));
    }
}

drawing::FunctionView frmSimplification::currentFunction() const {
    drawing::FunctionView f = entry_.minimized();
    f.minimumProven = minimumProven_;
    const common::LocalDateTime now = clock_.now();
    f.userName = common::Session::current().UserName;
    f.dateText = common::headerDate(now);
    f.timeText = common::headerTime(now);
    return f;
}

// ---- Drawing and closing commands ----------------------------------------

void frmSimplification::cmdCircuit_Click() {
    drawing::runCircuitCommand({window(), this, host_, prompts_}, currentFunction());
}

void frmSimplification::cmdMux_Click() {
    mux::runMuxCommand({window(), this, host_, prompts_}, currentFunction());
}

void frmSimplification::cmdDemux_Click() {
    demux::runDemuxCommand({window(), this, host_, prompts_}, currentFunction());
}

void frmSimplification::cmdLogout_Click() {
    if (common::confirmClosing(prompts_, common::ClosingCommand::Logout,
                               host_.unsavedDocumentCount())) {
        emit logoutRequested();
    }
}

void frmSimplification::cmdExit_Click() {
    if (common::confirmClosing(prompts_, common::ClosingCommand::Exit,
                               host_.unsavedDocumentCount())) {
        emit exitRequested();
    }
}

// ---- Helpers ---------------------------------------------------------------

void frmSimplification::selectOption(FunctionEntry::Option option) {
    QRadioButton* button = option == FunctionEntry::Option::MinTerms   ? rbMinTerms
                           : option == FunctionEntry::Option::MaxTerms ? rbMaxTerms
                                                                       : rbDontCare;
    if (!button->isChecked()) {
        button->setChecked(true);  // runs its handler through toggled
    } else if (button == rbMinTerms) {
        rbMinTerms_Click();
    } else if (button == rbMaxTerms) {
        rbMaxTerms_Click();
    } else {
        rbDontCare_Click();
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
    fillingList = false;
}

void frmSimplification::clearAllTicks() {
    fillingList = true;
    for (int t = 0; t < lstTerms->count(); ++t) {
        QListWidgetItem* item = lstTerms->item(t);
        if (item->checkState() != Qt::Unchecked) item->setCheckState(Qt::Unchecked);
    }
    fillingList = false;
}

void frmSimplification::showTexts() {
    const FunctionEntry::Texts& texts = entry_.texts();
    txtEquation->setText(QString::fromStdString(texts.sop));
    txtIpPosEquation->setText(QString::fromStdString(texts.ipPos));
    txtMinEquation->setText(QString::fromStdString(texts.minSop));
    txtPosEquation->setText(QString::fromStdString(texts.minPos));
    showEquationCaption();
    // The minimum product of sums comes later, and only for the answer these texts end in.
    resultShown_ = false;
    txtTruePosEquation->clear();
    txtTruePosEquation->setToolTip({});
}

// In Max Terms mode the equation box holds the complement of the max-terms' sum of products.
void frmSimplification::showEquationCaption() {
    const bool complemented = entry_.mode() == FunctionEntry::Mode::MaxTerms;
    lblEquation->setText(complemented ? kComplementedEquationCaption : kEquationCaption);
    lblEquation->setToolTip(complemented ? kComplementedEquationTip : QString());
    txtEquation->setToolTip(complemented ? kComplementedEquationTip : QString());
}

void frmSimplification::showMinimumPos(const drawing::FunctionView& of,
                                       const std::optional<std::string>& pos) {
    const drawing::FunctionView& shown = entry_.minimized();
    if (!resultShown_ || of.function.width != shown.function.width ||
        of.function.on.words != shown.function.on.words ||
        of.function.dc.words != shown.function.dc.words || of.letters != shown.letters ||
        of.minSopText != shown.minSopText)
        return;
    txtTruePosEquation->setText(pos ? QString::fromStdString(*pos) : QString());
    txtTruePosEquation->setToolTip(pos ? QString() : kPosNotFoundTip);
}

void frmSimplification::enableDrawingCommands(bool enabled) {
    resultShown_ = enabled;
    if (!enabled) {
        txtTruePosEquation->clear();
        txtTruePosEquation->setToolTip({});
    }
    cmdCircuit->setEnabled(enabled);
    cmdMux->setEnabled(enabled);
    cmdDemux->setEnabled(enabled);
    emit drawingCommandsEnabled(enabled);
}

void frmSimplification::showTermLists() {
    txtTerms->setText(QString::fromStdString(entry_.termsText()));
    txtDontCare->setText(QString::fromStdString(entry_.dontCareText()));
}

}  // namespace quendal::workspace
