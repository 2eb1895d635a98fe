#include "common/button_feedback.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace quendal::common;

namespace {

struct Form {
    QWidget window;
    QWidget* background = new QWidget(&window);
    QPushButton* a = new QPushButton("A", background);
    QPushButton* b = new QPushButton("B", background);
    QLineEdit* text = new QLineEdit(background);
    ButtonFeedback feedback{background, {a, b}};

    Form() {
        window.resize(300, 200);
        background->setGeometry(0, 0, 300, 200);
        a->setGeometry(10, 10, 80, 30);
        b->setGeometry(100, 10, 80, 30);
        text->setGeometry(10, 100, 100, 25);
        window.show();
    }
};

}  // namespace

TEST(ButtonFeedback, ButtonsStartNormalAndLightOnFocusAndPointer) {
    Form f;
    EXPECT_EQ(ButtonFeedback::background(f.a), ButtonFeedback::normal);
    EXPECT_FALSE(f.feedback.highlightOn());
    QTest::mouseMove(f.a);
    EXPECT_EQ(ButtonFeedback::background(f.a), ButtonFeedback::lit);
    EXPECT_TRUE(f.feedback.highlightOn());
}

TEST(ButtonFeedback, LightingOneLeavesTheOtherLitUntilReset) {
    Form f;
    f.feedback.light(f.a);
    f.feedback.light(f.b);
    EXPECT_EQ(ButtonFeedback::background(f.a), ButtonFeedback::lit);
    EXPECT_EQ(ButtonFeedback::background(f.b), ButtonFeedback::lit);
    // Over a text box nothing changes; over the bare background both go back.
    QTest::mouseMove(f.text);
    EXPECT_EQ(ButtonFeedback::background(f.a), ButtonFeedback::lit);
    QTest::mouseMove(f.background, QPoint(250, 150));
    EXPECT_EQ(ButtonFeedback::background(f.a), ButtonFeedback::normal);
    EXPECT_EQ(ButtonFeedback::background(f.b), ButtonFeedback::normal);
    EXPECT_FALSE(f.feedback.highlightOn());
}

TEST(ButtonFeedback, LostFocusClearsFlagSoTheNextBackgroundMoveLeavesOthersLit) {
    Form f;
    f.feedback.light(f.a);
    f.feedback.light(f.b);
    f.feedback.unlight(f.a);
    EXPECT_FALSE(f.feedback.highlightOn());
    f.feedback.reset();
    EXPECT_EQ(ButtonFeedback::background(f.a), ButtonFeedback::normal);
    EXPECT_EQ(ButtonFeedback::background(f.b), ButtonFeedback::lit);
}

TEST(ButtonFeedback, FocusMovesLightFromOneButtonToTheNext) {
    Form f;
    f.window.activateWindow();
    f.a->setFocus();
    QApplication::processEvents();
    if (!f.a->hasFocus()) GTEST_SKIP() << "platform gives no focus offscreen";
    EXPECT_EQ(ButtonFeedback::background(f.a), ButtonFeedback::lit);
    f.b->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ButtonFeedback::background(f.a), ButtonFeedback::normal);
    EXPECT_EQ(ButtonFeedback::background(f.b), ButtonFeedback::lit);
}
