#include "tests/workspace/work_form_support.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/session.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::workspace;

Canvas& RecordingHost::LoadNewDoc(DocumentKind kind) {
    opened.push_back(kind);
    canvases.push_back(std::make_unique<RecordingCanvas>());
    return *canvases.back();
}

WorkForm::WorkForm(const QString& minimizerProgram, int timeoutMs) {
    Session::current().UserName = "ADA";
    MinimizerLauncher* launcher = &scripted;
    if (!minimizerProgram.isEmpty()) {
        real = std::make_unique<ProcessMinimizerLauncher>(timeoutMs, minimizerProgram);
        launcher = real.get();
    }
    form = std::make_unique<frmSimplification>(host, prompts, clock, *launcher);
    form->show();
}

WorkForm::~WorkForm() {
    form.reset();
}

void WorkForm::chooseVariables(int n) {
    auto* combo = get<QComboBox>("cboVar");
    const int index = combo->findText(QString::number(n));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void WorkForm::click(const char* buttonName) {
    QPushButton* b = button(buttonName);
    ASSERT_TRUE(b->isEnabled()) << buttonName << " is disabled";
    QTest::mouseClick(b, Qt::LeftButton);
}

void WorkForm::choose(const char* optionName) {
    QRadioButton* rb = option(optionName);
    ASSERT_TRUE(rb->isEnabled()) << optionName << " is disabled";
    QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(6, rb->height() / 2));
}

void WorkForm::tick(int term, bool ticked) {
    ASSERT_TRUE(list()->isEnabled()) << "lstTerms is disabled";
    list()->setCurrentRow(term);
    list()->item(term)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void WorkForm::tickAll(const std::vector<int>& ticked) {
    for (int t : ticked) tick(t);
}

bool WorkForm::isTicked(int term) const {
    return list()->item(term)->checkState() == Qt::Checked;
}

void WorkForm::type(const char* keys) {
    QTest::keyClicks(box("txtEquation"), QString::fromLatin1(keys));
}

void WorkForm::key(Qt::Key k) {
    QTest::keyClick(box("txtEquation"), k);
}

std::vector<std::string> WorkForm::texts() const {
    return {text("txtEquation"), text("txtIpPosEquation"), text("txtMinEquation"),
            text("txtPosEquation")};
}

QString writeScript(const QString& path, const std::string& body) {
    writeBytes(path, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(
        path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return path;
}

std::string fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

void writeBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("write");
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

namespace {

class Evaluator {
public:
    Evaluator(const std::string& text, const std::vector<std::string>& names, int numVars, int t)
        : s_(text), names_(names), numVars_(numVars), t_(t) {}

    bool run() {
        const bool v = sum();
        if (i_ != s_.size()) fail();
        return v;
    }

private:
    [[noreturn]] void fail() const {
        throw std::invalid_argument("cannot evaluate \"" + s_ + "\" at " + std::to_string(i_));
    }
    bool sum() {
        bool v = product();
        while (i_ < s_.size() && s_[i_] == '+') {
            ++i_;
            v = product() || v;
        }
        return v;
    }
    bool product() {
        bool v = factor();
        while (i_ < s_.size() && s_[i_] != '+' && s_[i_] != ')') v = factor() && v;
        return v;
    }
    bool factor() {
        bool v = atom();
        while (i_ < s_.size() && s_[i_] == '\'') {
            v = !v;
            ++i_;
        }
        return v;
    }
    bool atom() {
        if (i_ >= s_.size()) fail();
        const char c = s_[i_++];
        if (c == '(') {
            const bool v = sum();
            if (i_ >= s_.size() || s_[i_] != ')') fail();
            ++i_;
            return v;
        }
        if (c == '0' || c == '1') return c == '1';
        for (int k = 0; k < numVars_; ++k) {
            if (names_[static_cast<std::size_t>(k)] == std::string(1, c)) {
                return ((t_ >> (numVars_ - 1 - k)) & 1) != 0;
            }
        }
        --i_;
        fail();
    }

    std::string s_;
    const std::vector<std::string>& names_;
    int numVars_;
    int t_;
    std::size_t i_ = 0;
};

}  // namespace

bool evaluate(const std::string& expression, const std::vector<std::string>& varNames, int numVars,
              int t) {
    std::string text = expression.substr(0, expression.find(" + d ("));
    return Evaluator(text, varNames, numVars, t).run();
}
