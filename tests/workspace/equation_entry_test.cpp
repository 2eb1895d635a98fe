#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/workspace/work_form_support.h"

namespace {

TEST(EquationEntry, TypedKeysAreFiltered) {
    WorkForm w;
    w.type("ab'+c");
    EXPECT_EQ(w.text("txtEquation"), "AB'+C");
    EXPECT_EQ(w.form->varNames(), (std::vector<std::string>{"A", "B", "C", ""}));
    EXPECT_EQ(w.form->varCount(), 3);
    w.type("=");
    EXPECT_EQ(w.text("txtEquation"), "AB'+C+");
    w.type("+'");
    EXPECT_EQ(w.text("txtEquation"), "AB'+C+");
}

TEST(EquationEntry, TwoVariablesAllowTwoLetters) {
    WorkForm w;
    w.chooseVariables(2);
    w.type("ABC");
    EXPECT_EQ(w.text("txtEquation"), "AB");
}

TEST(EquationEntry, TypingEndsTermEntry) {
    WorkForm w;
    w.choose("rbMinTerms");
    w.tickAll({1, 2});
    w.choose("rbDontCare");
    w.tick(3);
    w.type("A");
    EXPECT_FALSE(w.isTicked(1));
    EXPECT_FALSE(w.isTicked(3));
    EXPECT_EQ(w.text("txtTerms"), "");
    EXPECT_EQ(w.text("txtDontCare"), "");
    EXPECT_FALSE(w.option("rbDontCare")->isChecked());
    EXPECT_FALSE(w.list()->isEnabled());
    EXPECT_TRUE(w.button("cmdSimplify")->isEnabled());
    // Ticking again starts from empty lists.
    w.choose("rbMinTerms");
    w.tick(5);
    EXPECT_EQ(w.text("txtTerms"), "5");
}

TEST(EquationEntry, TypingAfterSimplifyingTicksStartsFromAnEmptyBox) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes("-1\r\n");
    w.chooseVariables(2);
    w.choose("rbMinTerms");
    w.tickAll({1, 3});
    w.choose("rbDontCare");
    w.tick(2);
    w.click("cmdSimplify");
    ASSERT_EQ(w.text("txtEquation"), "A'B+AB + d (AB')");
    w.type("a+b");
    EXPECT_EQ(w.text("txtEquation"), "A+B");
    w.key(Qt::Key_Return);
    EXPECT_EQ(fileBytes(w.dir.file("in.txt")), "1-\r\n-1");
}

TEST(EquationEntry, EvenARefusedKeyEndsTermEntry) {
    WorkForm w;
    w.choose("rbMinTerms");
    w.tick(1);
    w.type("+");
    EXPECT_FALSE(w.isTicked(1));
    EXPECT_EQ(w.text("txtEquation"), "");
}

TEST(EquationEntry, BackspaceOnOneCharacterResetsTheForm) {
    WorkForm w;
    w.chooseVariables(3);
    w.type("AB");
    w.key(Qt::Key_Backspace);
    EXPECT_EQ(w.text("txtEquation"), "A");
    EXPECT_EQ(w.form->varCount(), 2);
    w.key(Qt::Key_Backspace);
    EXPECT_EQ(w.text("txtEquation"), "");
    EXPECT_EQ(w.form->varCount(), 0);
    EXPECT_EQ(w.list()->count(), 8);  // the number of variables is kept
    EXPECT_FALSE(w.button("cmdSimplify")->isEnabled());
}

TEST(EquationEntry, EnterDropsTheTrailingPlusAndSimplifies) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes("11\r\n");
    w.type("AB+");
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.scripted.runs, 1);
    EXPECT_EQ(w.scripted.inputs.value(0), "11");
    EXPECT_EQ(w.texts(), (std::vector<std::string>{"AB", "(A'+B')'", "AB", "(A'+B')'"}));
    EXPECT_TRUE(w.button("cmdCircuit")->isEnabled());
}

TEST(EquationEntry, LosingTheFocusDropsOneTrailingPlus) {
    WorkForm w;
    w.type("A+");
    w.form->txtEquation_LostFocus();
    EXPECT_EQ(w.text("txtEquation"), "A");
    w.form->txtEquation_LostFocus();
    EXPECT_EQ(w.text("txtEquation"), "A");
}

// The box is an append-only line: whatever the caret, selection or editing
// keys try, text only grows at its end through the key rules.
TEST(EquationEntry, BoxIsAppendOnly) {
    WorkForm w;
    QLineEdit* box = w.box("txtEquation");
    w.type("AB'+C");

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
    w.type("D");
    EXPECT_EQ(w.text("txtEquation"), "AB'+CD");

    for (auto [key, modifiers] : std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
             {Qt::Key_Delete, {}},
             {Qt::Key_A, Qt::ControlModifier},
             {Qt::Key_X, Qt::ControlModifier},
             {Qt::Key_Z, Qt::ControlModifier},
             {Qt::Key_Y, Qt::ControlModifier},
             {Qt::Key_Home, Qt::ShiftModifier},
             {Qt::Key_Backspace, Qt::ControlModifier}}) {
        if (key == Qt::Key_Backspace) continue;  // Backspace is a rule of its own
        QTest::keyClick(box, key, modifiers);
        EXPECT_EQ(w.text("txtEquation"), "AB'+CD") << key;
    }
    EXPECT_FALSE(box->hasSelectedText());
    EXPECT_EQ(box->cursorPosition(), box->text().size());

    QApplication::clipboard()->setText("E+F");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.text("txtEquation"), "AB'+CD");

    QInputMethodEvent composed;
    composed.setCommitString("XY");
    QApplication::sendEvent(box, &composed);
    EXPECT_EQ(w.text("txtEquation"), "AB'+CD");
    EXPECT_FALSE(box->acceptDrops());

    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(w.text("txtEquation"), "AB'+C");
}

TEST(EquationEntry, ReadOnlyBoxStillRunsTheHandler) {
    WorkForm w;
    w.choose("rbMaxTerms");
    w.tick(3);
    w.type("A");
    EXPECT_EQ(w.text("txtEquation"), "");
    EXPECT_FALSE(w.isTicked(3));
}

}  // namespace
