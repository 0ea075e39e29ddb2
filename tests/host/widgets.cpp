// The stand-in widget library: messages go up the chain until handled, the
// newest callback is asked first, destruction takes the children along, and a
// user's clicks on standard widgets send what the real library sends.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "xphost.h"

namespace {

struct Seen {
    std::string who;
    int msg;
    XPWidgetID widget;
    intptr_t p1, p2;
};
std::vector<Seen> g_seen;
int g_handle = -1;                   // the message the "handler" callbacks accept
bool g_destroy_on_press = false;

int Log(const char* who, XPWidgetMessage msg, XPWidgetID w, intptr_t p1, intptr_t p2)
{
    g_seen.push_back({who, msg, w, p1, p2});
    return 0;
}

int Passes(XPWidgetMessage m, XPWidgetID w, intptr_t a, intptr_t b) { return Log("passes", m, w, a, b); }
int Older(XPWidgetMessage m, XPWidgetID w, intptr_t a, intptr_t b)
{
    Log("older", m, w, a, b);
    return m == g_handle;
}
int Newer(XPWidgetMessage m, XPWidgetID w, intptr_t a, intptr_t b)
{
    Log("newer", m, w, a, b);
    return m == g_handle;
}
int Dialog(XPWidgetMessage m, XPWidgetID w, intptr_t a, intptr_t b)
{
    Log("dialog", m, w, a, b);
    if (m == xpMsg_PushButtonPressed || m == xpMessage_CloseButtonPushed || m == xpMsg_ButtonStateChanged) {
        if (g_destroy_on_press)
            XPDestroyWidget(w, 1);
        return 1;
    }
    return 0;
}

std::vector<Seen> Of(int msg)
{
    std::vector<Seen> out;
    for (const auto& s : g_seen)
        if (s.msg == msg)
            out.push_back(s);
    return out;
}

class Widgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        xphost::reset();
        g_seen.clear();
        g_handle = -1;
        g_destroy_on_press = false;
        root = XPCreateWidget(100, 500, 500, 100, 1, "Root", 1, nullptr, xpWidgetClass_MainWindow);
        panel = XPCreateWidget(110, 480, 490, 110, 1, "", 0, root, xpWidgetClass_SubWindow);
        leaf = XPCreateCustomWidget(120, 470, 200, 450, 1, "leaf", 0, panel, Passes);
    }
    XPWidgetID root = nullptr, panel = nullptr, leaf = nullptr;
};

TEST_F(Widgets, UpChainStopsAtTheFirstHandler)
{
    const int msg = xpMsg_UserStart + 1;
    XPAddWidgetCallback(panel, Older);
    XPAddWidgetCallback(root, Newer);
    g_seen.clear();

    EXPECT_EQ(XPSendMessageToWidget(leaf, msg, xpMode_UpChain, 7, 8), 0);   // nobody handles it
    ASSERT_EQ(g_seen.size(), 3u);
    EXPECT_EQ(g_seen[0].who, "passes");
    EXPECT_EQ(g_seen[1].who, "older");
    EXPECT_EQ(g_seen[2].who, "newer");
    EXPECT_EQ(g_seen[2].widget, root);          // each callback is told which widget it serves
    EXPECT_EQ(g_seen[2].p1, 7);

    g_seen.clear();
    g_handle = msg;
    EXPECT_EQ(XPSendMessageToWidget(leaf, msg, xpMode_UpChain, 0, 0), 1);
    ASSERT_EQ(g_seen.size(), 2u);               // the panel took it; the root never saw it
    EXPECT_EQ(g_seen[1].widget, panel);

    g_seen.clear();
    EXPECT_EQ(XPSendMessageToWidget(leaf, msg, xpMode_Direct, 0, 0), 0);
    EXPECT_EQ(g_seen.size(), 1u);               // direct: the target only
}

TEST_F(Widgets, NewestCallbackFirstAndCreateOnAdding)
{
    const int msg = xpMsg_UserStart + 2;
    XPAddWidgetCallback(leaf, Older);
    XPAddWidgetCallback(leaf, Newer);
    ASSERT_EQ(Of(xpMsg_Create).size(), 3u);     // the custom widget's own, then one per added callback
    EXPECT_EQ(Of(xpMsg_Create)[1].who, "older");
    EXPECT_EQ(Of(xpMsg_Create)[1].p1, 1);       // added as a subclass

    g_seen.clear();
    g_handle = msg;
    EXPECT_EQ(XPSendMessageToWidget(leaf, msg, xpMode_Direct, 0, 0), 1);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].who, "newer");

    g_seen.clear();
    EXPECT_EQ(XPSendMessageToWidget(leaf, msg, xpMode_DirectAllCallbacks, 0, 0), 1);
    EXPECT_EQ(g_seen.size(), 3u);               // every callback, handled or not

    g_seen.clear();
    g_handle = -1;
    EXPECT_EQ(XPSendMessageToWidget(leaf, msg, xpMode_Once, 0, 0), 0);
    EXPECT_EQ(g_seen.size(), 1u);
}

TEST_F(Widgets, DestroyingAWidgetTakesItsChildrenAlong)
{
    XPAddWidgetCallback(root, Newer);
    XPAddWidgetCallback(panel, Older);
    g_seen.clear();
    XPDestroyWidget(root, 1);
    EXPECT_FALSE(xphost::widget_exists(root));
    EXPECT_FALSE(xphost::widget_exists(panel));
    EXPECT_FALSE(xphost::widget_exists(leaf));
    EXPECT_TRUE(xphost::widgets().empty());
    const auto destroyed = Of(xpMsg_Destroy);
    ASSERT_EQ(destroyed.size(), 3u);            // children first
    EXPECT_EQ(destroyed[0].widget, leaf);
    EXPECT_EQ(destroyed[1].widget, panel);
    EXPECT_EQ(destroyed[2].widget, root);
    EXPECT_EQ(destroyed[2].p1, 0);              // the widget asked for is not a recursive victim
    EXPECT_EQ(destroyed[0].p1, 1);
}

TEST_F(Widgets, DestroyingWithoutChildrenOrphansThem)
{
    XPDestroyWidget(panel, 0);
    EXPECT_TRUE(xphost::widget_exists(leaf));
    EXPECT_EQ(XPGetParentWidget(leaf), nullptr);
    EXPECT_EQ(XPCountChildWidgets(root), 0);
    EXPECT_EQ(XPFindRootWidget(leaf), nullptr);
    EXPECT_EQ(XPIsWidgetVisible(leaf), 0);      // not in a rooted tree any more
}

TEST_F(Widgets, VisibilityFollowsTheParents)
{
    EXPECT_EQ(XPIsWidgetVisible(leaf), 1);
    XPHideWidget(panel);
    EXPECT_EQ(XPIsWidgetVisible(leaf), 0);
    EXPECT_FALSE(xphost::press_button(leaf));   // a user cannot click what is hidden
    XPShowWidget(panel);
    EXPECT_EQ(XPFindRootWidget(leaf), root);
}

TEST_F(Widgets, PushButtonReportsItselfToTheWindow)
{
    XPWidgetID button = XPCreateWidget(300, 200, 380, 180, 1, " Save", 0, root, xpWidgetClass_Button);
    XPSetWidgetProperty(button, xpProperty_ButtonType, xpPushButton);
    XPSetWidgetProperty(button, xpProperty_ButtonBehavior, xpButtonBehaviorPushButton);
    XPAddWidgetCallback(root, Dialog);
    g_seen.clear();
    EXPECT_TRUE(xphost::press_button(button));
    const auto pressed = Of(xpMsg_PushButtonPressed);
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0].widget, root);
    EXPECT_EQ(reinterpret_cast<XPWidgetID>(pressed[0].p1), button);
    EXPECT_EQ(xphost::find_widget(" Save", xpWidgetClass_Button), button);
}

TEST_F(Widgets, CheckBoxTogglesOnClicksOnly)
{
    XPWidgetID box = XPCreateWidget(300, 200, 310, 180, 1, "", 0, panel, xpWidgetClass_Button);
    XPSetWidgetProperty(box, xpProperty_ButtonType, xpRadioButton);
    XPSetWidgetProperty(box, xpProperty_ButtonBehavior, xpButtonBehaviorCheckBox);
    XPSetWidgetProperty(box, xpProperty_ButtonState, 1);
    XPAddWidgetCallback(root, Dialog);
    EXPECT_TRUE(Of(xpMsg_ButtonStateChanged).empty());   // set from code: no message

    EXPECT_TRUE(xphost::press_button(box));
    EXPECT_EQ(xphost::widget_property(box, xpProperty_ButtonState), 0);
    EXPECT_TRUE(xphost::press_button(box));
    EXPECT_EQ(XPGetWidgetProperty(box, xpProperty_ButtonState, nullptr), 1);
    const auto changed = Of(xpMsg_ButtonStateChanged);
    ASSERT_EQ(changed.size(), 2u);              // up through the panel to the window
    EXPECT_EQ(reinterpret_cast<XPWidgetID>(changed[0].p1), box);
    EXPECT_EQ(changed[0].p2, 0);
    EXPECT_EQ(changed[1].p2, 1);
}

TEST_F(Widgets, CloseBoxOnlyWhenTheWindowHasOneAndNothingClosesByItself)
{
    XPAddWidgetCallback(root, Dialog);
    EXPECT_FALSE(xphost::press_close_box(root));
    XPSetWidgetProperty(root, xpProperty_MainWindowHasCloseBoxes, 1);
    EXPECT_TRUE(xphost::press_close_box(root));
    ASSERT_EQ(Of(xpMessage_CloseButtonPushed).size(), 1u);
    EXPECT_EQ(reinterpret_cast<XPWidgetID>(Of(xpMessage_CloseButtonPushed)[0].p1), root);
    EXPECT_TRUE(xphost::widget_exists(root));
}

TEST_F(Widgets, HandlerMayDestroyTheDialogWhileAButtonIsPressed)
{
    XPWidgetID button = XPCreateWidget(300, 200, 380, 180, 1, " Discard", 0, root, xpWidgetClass_Button);
    XPAddWidgetCallback(root, Dialog);
    g_destroy_on_press = true;
    EXPECT_TRUE(xphost::press_button(button));
    EXPECT_FALSE(xphost::widget_exists(button));
    EXPECT_FALSE(xphost::widget_exists(root));
}

// A destroyed widget's handle dangles in the real library: every call that
// names one is ignored and recorded; a null handle or a live one is not.
TEST_F(Widgets, CallsOnADestroyedWidgetAreRecorded)
{
    XPSetWidgetDescriptor(leaf, "still here");
    XPGetWidgetDescriptor(nullptr, nullptr, 0);
    EXPECT_TRUE(xphost::stale_widget_calls().empty());
    XPDestroyWidget(root, 1);
    XPSetWidgetDescriptor(leaf, "gone");
    XPSetWidgetProperty(panel, xpProperty_Enabled, 0);
    XPDestroyWidget(root, 1);
    EXPECT_EQ(XPSendMessageToWidget(leaf, xpMsg_UserStart, xpMode_Direct, 0, 0), 0);
    EXPECT_EQ(xphost::stale_widget_calls(),
              (std::vector<std::string>{"XPSetWidgetDescriptor", "XPSetWidgetProperty", "XPDestroyWidget",
                                        "XPSendMessageToWidget"}));
    xphost::reset();
    EXPECT_TRUE(xphost::stale_widget_calls().empty());
}

TEST_F(Widgets, DescriptorCopiesLikeStrncpy)
{
    char buf[8];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(XPGetWidgetDescriptor(root, nullptr, 0), 4);
    EXPECT_EQ(XPGetWidgetDescriptor(root, buf, 3), 4);
    EXPECT_EQ(std::string(buf, 4), "Roox");      // truncated copies are not terminated
    EXPECT_EQ(XPGetWidgetDescriptor(root, buf, sizeof buf), 4);
    EXPECT_STREQ(buf, "Root");
}

}  // namespace
