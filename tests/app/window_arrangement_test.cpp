#include <gtest/gtest.h>

#include <QSet>

#include "app/window_arrangement.h"
#include "tests/app/main_window_support.h"

using namespace quendal::drawing;
using namespace quendal::app;

namespace {

// The rectangles cover the area exactly, without overlapping.
void expectExactCover(const std::vector<QRect>& rects, QRect area) {
    long long sum = 0;
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_TRUE(area.contains(rects[i])) << i;
        sum += qint64(rects[i].width()) * rects[i].height();
        for (size_t j = i + 1; j < rects.size(); ++j) {
            EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " and " << j;
        }
    }
    EXPECT_EQ(sum, qint64(area.width()) * area.height());
}

class Tiles : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(Tiles, CoverTheAreaWithoutOverlapInBothDirections) {
    const QRect area(0, 0, 1001, 757);
    for (Tiling t : {Tiling::Horizontal, Tiling::Vertical}) {
        const auto rects = tileRects(area, GetParam(), t);
        ASSERT_EQ(int(rects.size()), GetParam());
        expectExactCover(rects, area);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, Tiles, ::testing::Values(1, 2, 3, 4, 5, 7, 10, 17));

TEST(TileRects, HorizontalStacksWideBandsVerticalPutsColumnsSideBySide) {
    const QRect area(10, 20, 900, 600);
    EXPECT_EQ(tileRects(area, 3, Tiling::Horizontal),
              (std::vector<QRect>{QRect(10, 20, 900, 200), QRect(10, 220, 900, 200),
                                  QRect(10, 420, 900, 200)}));
    EXPECT_EQ(tileRects(area, 3, Tiling::Vertical),
              (std::vector<QRect>{QRect(10, 20, 300, 600), QRect(310, 20, 300, 600),
                                  QRect(610, 20, 300, 600)}));
    // Five bands become two columns of two and three.
    const auto five = tileRects(area, 5, Tiling::Horizontal);
    EXPECT_EQ(five[0], QRect(10, 20, 450, 300));
    EXPECT_EQ(five[4], QRect(460, 420, 450, 200));
    EXPECT_TRUE(tileRects(area, 0, Tiling::Vertical).empty());
}

TEST(IconPositions, LineUpFromTheBottomLeftAndWrapUpwards) {
    const QRect area(0, 0, 400, 300);
    const std::vector<QSize> icons(5, QSize(160, 30));
    EXPECT_EQ(iconPositions(area, icons),
              (std::vector<QPoint>{QPoint(0, 270), QPoint(160, 270), QPoint(0, 240),
                                   QPoint(160, 240), QPoint(0, 210)}));
}

TEST_F(MainWindowTest, TilingRestoresTheMaximizedWorkFormAndSeparatesEveryWindow) {
    main->resize(1000, 800);
    main->show();
    main->LoadNewDoc(DocumentKind::Circuit);
    main->LoadNewDoc(DocumentKind::Mux);
    main->LoadNewDoc(DocumentKind::Demux);
    for (Arrangement arrangement : {Arrangement::TileHorizontal, Arrangement::TileVertical}) {
        main->Arrange(arrangement);
        QList<QRect> frames;
        for (QMdiSubWindow* w : windows()) {
            EXPECT_FALSE(w->isMaximized());
            frames << w->geometry();
        }
        ASSERT_EQ(frames.size(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(area()->viewport()->rect().contains(frames[i]));
            for (int j = i + 1; j < 4; ++j) EXPECT_FALSE(frames[i].intersects(frames[j]));
        }
    }
    // Two columns of two: horizontal bands are wider than tall here.
    main->Arrange(Arrangement::TileHorizontal);
    EXPECT_GT(windows()[0]->width(), windows()[0]->height());
}

TEST_F(MainWindowTest, CascadeAndArrangeIcons) {
    main->resize(1000, 800);
    main->show();
    main->LoadNewDoc(DocumentKind::Circuit);
    main->LoadNewDoc(DocumentKind::Mux);
    main->Arrange(Arrangement::Cascade);
    for (QMdiSubWindow* w : windows()) EXPECT_FALSE(w->isMaximized());
    EXPECT_NE(windows()[1]->pos(), windows()[2]->pos());

    windows()[1]->showMinimized();
    windows()[2]->showMinimized();
    windows()[1]->move(300, 10);
    main->Arrange(Arrangement::ArrangeIcons);
    const int bottom = area()->viewport()->height();
    EXPECT_EQ(windows()[1]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows()[1]->x(), 0);
    EXPECT_EQ(windows()[2]->x(), windows()[1]->width());
    EXPECT_FALSE(windows()[0]->isMinimized());
}
