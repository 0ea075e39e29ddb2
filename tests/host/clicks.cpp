// The stand-in host's mouse routing: the topmost visible window under the
// pointer takes the click, drag and release follow the window that took the
// press, and clicks nobody takes go to the host.
#include <gtest/gtest.h>

#include <vector>

#include "XPLMDisplay.h"
#include "xphost.h"

namespace {

struct Event {
    int x, y, status;
};

struct Win {
    int answer = 1;                  // what the mouse function returns
    std::vector<Event> events;
    bool destroy_on_down = false;
    XPLMWindowID id = nullptr;
};

int Mouse(XPLMWindowID id, int x, int y, XPLMMouseStatus status, void* ref)
{
    auto* w = static_cast<Win*>(ref);
    w->events.push_back({x, y, status});
    if (w->destroy_on_down && status == xplm_MouseDown)
        XPLMDestroyWindow(id);
    return w->answer;
}

void Draw(XPLMWindowID, void*) {}
void Key(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}

XPLMWindowID Make(Win& w, int l, int t, int r, int b, int visible = 1)
{
    w.id = XPLMCreateWindow(l, t, r, b, visible, Draw, Key, Mouse, &w);
    return w.id;
}

class Clicks : public ::testing::Test {
protected:
    void SetUp() override { xphost::reset(); }
};

TEST_F(Clicks, TopmostWindowUnderThePointerTakesIt)
{
    Win below, above;
    Make(below, 0, 200, 200, 0);
    Make(above, 100, 300, 300, 100);
    EXPECT_TRUE(xphost::click(150, 150));          // in both: the later window is on top
    EXPECT_TRUE(below.events.empty());
    ASSERT_EQ(above.events.size(), 2u);
    EXPECT_EQ(above.events[0].status, xplm_MouseDown);
    EXPECT_EQ(above.events[1].status, xplm_MouseUp);

    EXPECT_TRUE(xphost::click(50, 50));            // only in the lower one
    EXPECT_EQ(below.events.size(), 2u);
    EXPECT_TRUE(xphost::click(200, 0));            // edges belong to the window
    EXPECT_EQ(below.events.size(), 4u);
}

TEST_F(Clicks, OutsideEveryWindowTheHostGetsIt)
{
    Win w;
    Make(w, 0, 100, 100, 0);
    EXPECT_FALSE(xphost::click(500, 500));
    EXPECT_FALSE(xphost::mouse_drag(50, 50));      // the host took the press
    EXPECT_FALSE(xphost::mouse_up(50, 50));
    EXPECT_TRUE(w.events.empty());
    int x = 0, y = 0;
    XPLMGetMouseLocation(&x, &y);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 50);
}

TEST_F(Clicks, HiddenWindowsAndWindowsThatDeclinePassTheClickOn)
{
    Win below, declines, hidden;
    Make(below, 0, 100, 100, 0);
    Make(declines, 0, 100, 100, 0);
    declines.answer = 0;
    Make(hidden, 0, 100, 100, 0, 0);
    EXPECT_TRUE(xphost::click(10, 10));
    EXPECT_TRUE(hidden.events.empty());
    ASSERT_EQ(declines.events.size(), 1u);         // asked for the press only
    EXPECT_EQ(below.events.size(), 2u);

    below.answer = 0;
    EXPECT_FALSE(xphost::click(10, 10));           // nobody takes it: the host's
}

TEST_F(Clicks, DragAndReleaseFollowTheWindowThatTookThePress)
{
    Win a, b;
    Make(a, 0, 100, 100, 0);
    Make(b, 200, 100, 300, 0);
    EXPECT_TRUE(xphost::mouse_down(50, 50));
    EXPECT_TRUE(xphost::mouse_drag(250, 50));      // over b, still a's
    EXPECT_TRUE(xphost::mouse_up(400, 400));       // outside both, still a's
    ASSERT_EQ(a.events.size(), 3u);
    EXPECT_EQ(a.events[1].status, xplm_MouseDrag);
    EXPECT_EQ(a.events[1].x, 250);
    EXPECT_EQ(a.events[2].status, xplm_MouseUp);
    EXPECT_TRUE(b.events.empty());
    EXPECT_FALSE(xphost::mouse_drag(50, 50));      // released: nothing captured
}

TEST_F(Clicks, WindowDestroyedByItsOwnPressGetsNothingMore)
{
    Win w;
    w.destroy_on_down = true;
    Make(w, 0, 100, 100, 0);
    EXPECT_TRUE(xphost::mouse_down(10, 10));
    EXPECT_FALSE(xphost::window_exists(w.id));
    EXPECT_FALSE(xphost::mouse_drag(20, 20));
    EXPECT_FALSE(xphost::mouse_up(20, 20));
    EXPECT_EQ(w.events.size(), 1u);
    EXPECT_EQ(xphost::windows_destroyed(), 1);
}

TEST_F(Clicks, GeometryAndVisibilityChangesApplyToTheNextClick)
{
    Win w;
    Make(w, 0, 100, 100, 0);
    XPLMSetWindowGeometry(w.id, 500, 600, 600, 500);
    EXPECT_FALSE(xphost::click(50, 50));
    EXPECT_TRUE(xphost::click(550, 550));
    XPLMSetWindowIsVisible(w.id, 0);
    EXPECT_FALSE(xphost::click(550, 550));
}

}  // namespace
