#include "app/layout.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace scribbit {
namespace {

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.form.Form_Load(u"");  // first run: both bars shown, word wrap off
        app.toolBar.SetHeight(ToolBarHeight);
    }
    static constexpr std::int32_t ToolBarHeight = 390;
    AppFixture app;
};

TEST_F(LayoutTest, TheEditViewFillsTheRoomBetweenTheShownBars) {
    struct Case {
        bool statusBar, toolBar;
        Bounds expected;
    } cases[] = {
        {true, true, {0, 390, 5880, 7000 - 690 - 255 - 390}},
        {false, true, {0, 390, 5880, 7000 - 690 - 390}},
        {true, false, {0, 0, 5880, 7000 - 690 - 255}},
        {false, false, {0, 0, 5880, 7000 - 690}},
    };
    for (const Case& c : cases) {
        app.menus.SetChecked(menu::FormStatusBar, c.statusBar);
        app.menus.SetChecked(menu::FormToolBar, c.toolBar);
        app.frame.Place(Bounds{100, 100, 6000, 7000});
        app.form.Form_Resize();
        EXPECT_EQ(app.txtNoReturn.Placement(), c.expected) << c.statusBar << c.toolBar;
    }
}

TEST_F(LayoutTest, OnlyTheActiveEditorMoves) {
    app.txtReturn.Move(Bounds{1, 2, 3, 4});
    app.frame.Place(Bounds{0, 0, 6000, 7000});
    app.form.Form_Resize();
    EXPECT_EQ(app.txtReturn.Placement(), (Bounds{1, 2, 3, 4}));
    app.menus.SetChecked(menu::FormWordWrap, true);
    app.form.Form_Resize();
    EXPECT_EQ(app.txtReturn.Placement(), (Bounds{0, 390, 5880, 7000 - 690 - 255 - 390}));
}

TEST_F(LayoutTest, AWindowTooLowSnapsBackToTheBarsAndFrame) {
    app.frame.Place(Bounds{0, 0, 6000, 1000});
    app.form.Form_Resize();
    // The new height raises a resize of its own, which lays the window out.
    EXPECT_EQ(app.frame.GetBounds(), (Bounds{0, 0, 6000, 690 + 255 + 390}));
    EXPECT_EQ(app.txtNoReturn.Placement(), (Bounds{0, 390, 5880, 0}));

    app.menus.SetChecked(menu::FormToolBar, false);
    app.frame.Place(Bounds{0, 0, 6000, 900});
    app.form.Form_Resize();
    EXPECT_EQ(app.frame.GetBounds().height, 690 + 255);
}

TEST_F(LayoutTest, AWindowExactlyAtTheMinimumIsNotResized) {
    app.frame.Place(Bounds{0, 0, 6000, 690 + 255 + 390});
    const int before = app.frame.setBoundsCalls;
    app.form.Form_Resize();
    EXPECT_EQ(app.frame.setBoundsCalls, before);
    EXPECT_EQ(app.txtNoReturn.Placement().height, 0);
}

TEST_F(LayoutTest, UsesTheMeasuredFrameAndBarSizes) {
    app.frame.SetMetrics(FrameMetrics{900, 180});
    app.status.SetHeight(330);
    app.toolBar.SetHeight(420);
    app.frame.Place(Bounds{0, 0, 8000, 9000});
    app.form.Form_Resize();
    EXPECT_EQ(app.txtNoReturn.Placement(), (Bounds{0, 420, 8000 - 180, 9000 - 900 - 330 - 420}));
    app.frame.Place(Bounds{0, 0, 8000, 100});
    app.form.Form_Resize();
    EXPECT_EQ(app.frame.GetBounds().height, 900 + 330 + 420);
}

TEST_F(LayoutTest, NothingMovesWhileMinimised) {
    const Bounds before = app.txtNoReturn.Placement();
    app.frame.Place(Bounds{-32000, -32000, 2400, 300});
    app.frame.SetMinimized(true);
    const int calls = app.frame.setBoundsCalls;
    app.form.Form_Resize();
    EXPECT_EQ(app.frame.setBoundsCalls, calls);
    EXPECT_EQ(app.txtNoReturn.Placement(), before);
}

TEST_F(LayoutTest, ANarrowWindowGivesTheEditViewNoWidth) {
    app.frame.Place(Bounds{0, 0, 60, 7000});
    app.form.Form_Resize();
    EXPECT_EQ(app.txtNoReturn.Placement().width, 0);
}

TEST_F(LayoutTest, ActivationRemembersThePlacementAndLaysOut) {
    app.frame.Place(Bounds{10, 20, 6000, 7000});
    app.form.Form_Activate();
    EXPECT_EQ(app.Context().LastActiveBounds, (Bounds{10, 20, 6000, 7000}));
    EXPECT_EQ(app.txtNoReturn.Placement(), (Bounds{0, 390, 5880, 7000 - 690 - 255 - 390}));
}

}  // namespace
}  // namespace scribbit
