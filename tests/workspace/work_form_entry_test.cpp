#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <set>

#include "common/twips.h"
#include "tests/workspace/work_form_support.h"

using namespace quendal::common;
using namespace quendal::workspace;

namespace {

struct ControlCase {
    const char* name;
    const char* caption;  // empty where the control has none
    int left, top, width, height;
};

class Controls : public testing::TestWithParam<ControlCase> {};

TEST_P(Controls, NamedPlacedAndCaptioned) {
    WorkForm w;
    const ControlCase& c = GetParam();
    auto* control = w.get<QWidget>(c.name);
    ASSERT_NE(control, nullptr) << c.name;
    const QRect given = twipsRect(c.left, c.top, c.width, c.height);
    const std::string name = c.name;
    if (name.ends_with("Equation")) {
        // The expression rows widen their labels to the caption and keep the
        // boxes' right edges; everything else stays where it was given.
        EXPECT_EQ(control->y(), given.y());
        EXPECT_EQ(control->height(), given.height());
        if (name.starts_with("lbl")) {
            EXPECT_EQ(control->x(), given.x());
            EXPECT_GE(control->width(), given.width());
        } else {
            EXPECT_EQ(control->geometry().right(), given.right());
        }
    } else {
        EXPECT_EQ(control->geometry(), given);
    }
    if (*c.caption == '\0') return;
    QString caption;
    if (auto* label = qobject_cast<QLabel*>(control)) caption = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) caption = button->text();
    EXPECT_EQ(caption.toStdString(), c.caption);
}

TEST(WorkFormLayout, ExpressionCaptionsAreNotCutOffAndDoNotRunIntoTheirBoxes) {
    WorkForm w;
    // Max Terms mode gives the equation its longer caption; both modes must fit.
    for (bool maxTerms : {false, true}) {
        if (maxTerms) w.choose("rbMaxTerms");
        for (const char* row :
             {"Equation", "IpPosEquation", "MinEquation", "PosEquation", "TruePosEquation"}) {
            auto* label = w.get<QLabel>((std::string("lbl") + row).c_str());
            auto* box = w.get<QLineEdit>((std::string("txt") + row).c_str());
            EXPECT_GE(label->width(), label->sizeHint().width()) << row;
            EXPECT_LT(label->geometry().right(), box->x()) << row;
            EXPECT_EQ(box->x(), w.box("txtEquation")->x()) << row;
        }
    }
}

// The boxes keep the texts the log and the drawings hold; their captions say that two of them are
// complements of sums of products.
TEST(WorkFormLayout, ComplementedTextsAreCaptionedAsSuchInEitherMode) {
    WorkForm w;
    auto* equation = w.get<QLabel>("lblEquation");
    auto* pos = w.get<QLabel>("lblPosEquation");
    EXPECT_EQ(pos->text(), "Minimized Equation (POS)'");
    EXPECT_TRUE(pos->toolTip().contains("minimum sum of products complemented twice"));
    EXPECT_TRUE(pos->toolTip().contains("Minimum POS"));
    EXPECT_TRUE(w.box("txtTruePosEquation")->isReadOnly());
    EXPECT_EQ(w.box("txtTruePosEquation")->font(), w.box("txtPosEquation")->font());
    EXPECT_EQ(w.box("txtTruePosEquation")->palette(), w.box("txtPosEquation")->palette());

    EXPECT_EQ(equation->text(), "Boolean &Expression (SOP)");
    EXPECT_TRUE(equation->toolTip().isEmpty());
    w.choose("rbMaxTerms");
    EXPECT_EQ(equation->text(), "Boolean Expression (SOP)'");
    EXPECT_TRUE(equation->toolTip().contains("complemented"));
    // A new number of variables opens Min Terms again, and the caption and its key come back.
    w.chooseVariables(3);
    w.choose("rbMinTerms");
    EXPECT_EQ(equation->text(), "Boolean &Expression (SOP)");
    EXPECT_TRUE(equation->toolTip().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    WorkForm, Controls,
    testing::Values(
        ControlCase{"picMain", "", 0, 0, 11892, 6612},
        ControlCase{"lblVar", "No of Variables", 360, 240, 1572, 252},
        ControlCase{"cboVar", "", 2040, 240, 975, 324},
        ControlCase{"rbMinTerms", "M&in Terms", 360, 840, 1455, 255},
        ControlCase{"rbMaxTerms", "M&ax Terms", 360, 1440, 1455, 285},
        ControlCase{"rbDontCare", "D&on't Care", 360, 2040, 1455, 285},
        ControlCase{"lstTerms", "", 2040, 840, 4335, 1335},
        ControlCase{"lblTerms", "Min / Max", 6480, 840, 1212, 252},
        ControlCase{"txtTerms", "", 6480, 1080, 2772, 492},
        ControlCase{"lblDontCare", "Don't Care", 6480, 1680, 1092, 252},
        ControlCase{"txtDontCare", "", 6480, 1920, 2772, 492},
        ControlCase{"lblEquation", "Boolean &Expression (SOP)", 360, 2640, 2532, 372},
        ControlCase{"txtEquation", "", 2880, 2640, 6372, 375},
        ControlCase{"lblIpPosEquation", "Boolean Expression (POS)", 360, 3240, 2532, 372},
        ControlCase{"txtIpPosEquation", "", 2880, 3240, 6372, 375},
        ControlCase{"lblMinEquation", "Minimized Equation (SOP)", 360, 3840, 2532, 372},
        ControlCase{"txtMinEquation", "", 2880, 3840, 6372, 375},
        ControlCase{"lblPosEquation", "Minimized Equation (POS)'", 360, 4440, 2532, 372},
        ControlCase{"txtPosEquation", "", 2880, 4440, 6372, 375},
        ControlCase{"cmdSimplify", "&Simplify", 360, 5040, 1215, 372},
        ControlCase{"cmdClear", "&Clear", 1680, 5040, 1215, 372},
        ControlCase{"cmdCircuit", "Ci&rcuit", 3000, 5040, 1215, 372},
        ControlCase{"cmdMux", "&Mux", 4320, 5040, 1215, 375},
        ControlCase{"cmdDemux", "&Demux", 5640, 5040, 1215, 375},
        ControlCase{"cmdLogout", "&Logout", 6960, 5040, 1092, 375},
        ControlCase{"cmdExit", "E&xit", 8160, 5040, 1092, 375},
        ControlCase{"lblTruePosEquation", "Minimum POS", 360, 5520, 2532, 372},
        ControlCase{"txtTruePosEquation", "", 2880, 5520, 6372, 375}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WorkFormLook, FontsAndColours) {
    WorkForm w;
    EXPECT_EQ(w.get<QLabel>("lblVar")->font().family(), "Times New Roman");
    EXPECT_DOUBLE_EQ(w.button("cmdSimplify")->font().pointSizeF(), 12.0);
    EXPECT_DOUBLE_EQ(w.box("txtEquation")->font().pointSizeF(), 9.75);
    EXPECT_EQ(w.get<QWidget>("picMain")->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(w.option("rbMinTerms")->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    EXPECT_EQ(w.box("txtEquation")->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(w.box("txtDontCare")->palette().color(QPalette::Text), QColor(0, 128, 0));
    w.choose("rbMaxTerms");
    auto* lblTerms = w.get<QLabel>("lblTerms");
    EXPECT_EQ(lblTerms->text(), "Max Terms");
    EXPECT_EQ(lblTerms->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_EQ(w.list()->palette().color(QPalette::Text), QColor(0, 0, 192));
}

struct SizeCase {
    int variables;
    int entries;
};

class ListEntries : public testing::TestWithParam<SizeCase> {};

TEST_P(ListEntries, OneEntryPerTermNumberAndClearKeepsTheCount) {
    WorkForm w;
    if (GetParam().variables != 4) w.chooseVariables(GetParam().variables);
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(w.list()->count(), GetParam().entries);
        EXPECT_EQ(w.list()->item(0)->text(), "0");
        EXPECT_EQ(w.list()->item(GetParam().entries - 1)->text().toInt(), GetParam().entries - 1);
        EXPECT_EQ(w.form->entry().rowCount(), GetParam().entries);
        w.click("cmdClear");
    }
}

INSTANTIATE_TEST_SUITE_P(Variables, ListEntries,
                         testing::Values(SizeCase{4, 16}, SizeCase{1, 2}, SizeCase{8, 256}));

TEST(FunctionEntry, StartStateAndAfterEveryReset) {
    WorkForm w;
    for (int pass = 0; pass < 2; ++pass) {
        for (const char* rb : {"rbMinTerms", "rbMaxTerms", "rbDontCare"}) {
            EXPECT_FALSE(w.option(rb)->isChecked()) << rb;
        }
        EXPECT_TRUE(w.option("rbMinTerms")->isEnabled());
        EXPECT_TRUE(w.option("rbMaxTerms")->isEnabled());
        EXPECT_FALSE(w.list()->isEnabled());
        for (const char* b : {"cmdSimplify", "cmdCircuit", "cmdMux", "cmdDemux"}) {
            EXPECT_FALSE(w.button(b)->isEnabled()) << b;
        }
        for (const char* b : {"cmdClear", "cmdLogout", "cmdExit"}) {
            EXPECT_TRUE(w.button(b)->isEnabled()) << b;
        }
        EXPECT_EQ(w.get<QComboBox>("cboVar")->currentText(), "4");
        w.choose("rbMinTerms");
        w.tickAll({1, 2});
        w.click("cmdClear");
        EXPECT_EQ(w.text("txtTerms"), "");
        EXPECT_FALSE(w.isTicked(1));
    }
}

TEST(FunctionEntry, TicksShownInNumericOrder) {
    WorkForm w;
    w.choose("rbMinTerms");
    EXPECT_FALSE(w.option("rbMaxTerms")->isEnabled());
    w.tickAll({12, 3, 5});
    EXPECT_EQ(w.text("txtTerms"), "3,5,12");
    EXPECT_TRUE(w.button("cmdSimplify")->isEnabled());
    w.click("cmdClear");
    w.choose("rbMinTerms");
    w.tickAll({9, 10});
    EXPECT_EQ(w.text("txtTerms"), "9,10");
    w.choose("rbDontCare");
    w.tickAll({15, 0});
    EXPECT_EQ(w.text("txtDontCare"), "0,15");
    EXPECT_EQ(w.form->entry().dontCares(), (std::set<int>{0, 15}));
}

TEST(FunctionEntry, UntickingTheOnlyMinTermDisablesSimplify) {
    WorkForm w;
    w.choose("rbMinTerms");
    w.tick(7);
    w.tick(7, false);
    EXPECT_TRUE(w.prompts.shown.empty());
    EXPECT_EQ(w.text("txtTerms"), "");
    EXPECT_FALSE(w.button("cmdSimplify")->isEnabled());
}

// An untick that asks: the mode chosen for the terms, the ticks, the option
// selected when unticking, what is asked, and the state after Yes and No.
struct UntickCase {
    const char* name;
    const char* termMode;  // rbMinTerms or rbMaxTerms
    int term;
    int dontCare;
    const char* selected;  // option selected when unticking
    int untick;
    const char* question;  // empty: none asked
    const char* selectedAfterYes;
    const char* termsAfterYes;
    const char* dontCaresAfterYes;
};

class Untick : public testing::TestWithParam<std::tuple<UntickCase, bool>> {};

TEST_P(Untick, AsksWhenTheOptionIsNotTheEntrysList) {
    const auto& [c, yes] = GetParam();
    WorkForm w;
    w.choose(c.termMode);
    w.tick(c.term);
    w.choose("rbDontCare");
    w.tick(c.dontCare);
    if (std::string(c.selected) != "rbDontCare") w.choose(c.selected);
    w.prompts.replies.push_back(yes ? PromptReply::Yes : PromptReply::No);

    w.tick(c.untick, false);

    if (*c.question == '\0') {
        EXPECT_TRUE(w.prompts.shown.empty());
    } else {
        ASSERT_EQ(w.prompts.shown.size(), 1u);
        const Prompt& p = w.prompts.shown[0];
        EXPECT_EQ(p.text.toStdString(),
                  std::string(c.question) + "\nDo you still want to continue ?");
        EXPECT_EQ(p.title, "Quendal");
        EXPECT_EQ(p.buttons, PromptButtons::YesNo);
        EXPECT_EQ(p.icon, PromptIcon::Question);
        EXPECT_EQ(p.defaultReply, PromptReply::No);
    }
    const bool removed = yes || *c.question == '\0';
    if (removed) {
        EXPECT_FALSE(w.isTicked(c.untick));
        EXPECT_TRUE(w.option(c.selectedAfterYes)->isChecked());
        EXPECT_EQ(w.text("txtTerms"), c.termsAfterYes);
        EXPECT_EQ(w.text("txtDontCare"), c.dontCaresAfterYes);
    } else {
        EXPECT_TRUE(w.isTicked(c.untick));
        EXPECT_TRUE(w.option(c.selected)->isChecked());
        EXPECT_EQ(w.text("txtTerms"), std::to_string(c.term));
        EXPECT_EQ(w.text("txtDontCare"), std::to_string(c.dontCare));
        EXPECT_EQ(w.form->entry().terms(), (std::set<int>{c.term}));
        EXPECT_EQ(w.form->entry().dontCares(), (std::set<int>{c.dontCare}));
    }
    EXPECT_EQ(w.button("cmdSimplify")->isEnabled(), std::string(c.termsAfterYes) != "" || !removed);
}

INSTANTIATE_TEST_SUITE_P(
    Questions, Untick,
    testing::Combine(
        testing::Values(UntickCase{"MinTermInDontCareMode", "rbMinTerms", 1, 2, "rbDontCare", 1,
                                   "You've Unchecked a MinTerm !", "rbMinTerms", "", "2"},
                        UntickCase{"MaxTermInDontCareMode", "rbMaxTerms", 1, 2, "rbDontCare", 1,
                                   "You've Unchecked a MaxTerm !", "rbMaxTerms", "", "2"},
                        UntickCase{"DontCareInMinTermMode", "rbMinTerms", 1, 2, "rbMinTerms", 2,
                                   "You've Unchecked a DontCare Term !", "rbDontCare", "1", ""},
                        UntickCase{"DontCareInMaxTermMode", "rbMaxTerms", 1, 2, "rbMaxTerms", 2,
                                   "You've Unchecked a DontCare Term !", "rbDontCare", "1", ""},
                        UntickCase{"DontCareInDontCareMode", "rbMinTerms", 1, 2, "rbDontCare", 2,
                                   "", "rbDontCare", "1", ""},
                        UntickCase{"MinTermInMinTermMode", "rbMinTerms", 1, 2, "rbMinTerms", 1, "",
                                   "rbMinTerms", "", "2"}),
        testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_Yes" : "_No");
    });

TEST(FunctionEntry, MaxTermsMakeTheEquationReadOnlyForTheFormsLife) {
    WorkForm w;
    EXPECT_FALSE(w.box("txtEquation")->isReadOnly());
    w.choose("rbMaxTerms");
    EXPECT_TRUE(w.box("txtEquation")->isReadOnly());
    w.click("cmdClear");
    EXPECT_TRUE(w.box("txtEquation")->isReadOnly());
    w.type("A");
    EXPECT_EQ(w.text("txtEquation"), "");

    WorkForm fresh;
    EXPECT_FALSE(fresh.box("txtEquation")->isReadOnly());
}

TEST(FunctionEntry, ChoosingAnOptionEmptiesTheExpressionTexts) {
    WorkForm w;
    w.type("AB");
    w.choose("rbDontCare");
    EXPECT_EQ(w.texts(), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_TRUE(w.list()->isEnabled());
}

TEST(ClosingCommands, LogoutAndExitAfterTheQuestion) {
    WorkForm w;
    QSignalSpy logout(w.form.get(), &frmSimplification::logoutRequested);
    QSignalSpy exit(w.form.get(), &frmSimplification::exitRequested);
    w.click("cmdLogout");
    EXPECT_EQ(logout.count(), 1);
    EXPECT_TRUE(w.prompts.shown.empty());

    w.prompts.replies = {PromptReply::No};
    w.click("cmdExit");
    EXPECT_EQ(exit.count(), 0);
    ASSERT_EQ(w.prompts.shown.size(), 1u);
    EXPECT_EQ(w.prompts.shown[0].text, "Are you sure you want to Exit ?");
    EXPECT_EQ(w.prompts.shown[0].defaultReply, PromptReply::Yes);
    EXPECT_EQ(w.prompts.shown[0].buttons, PromptButtons::YesNo);

    w.prompts.replies = {PromptReply::Yes};
    w.click("cmdExit");
    EXPECT_EQ(exit.count(), 1);
}

}  // namespace
