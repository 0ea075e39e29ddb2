// The stand-in host's drawing pass: phase order, before and after callbacks,
// windows last and only when shown, and numbers as the host prints them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "xphost.h"

namespace {

float g_white[3] = {1, 1, 1};

int DrawPhase(XPLMDrawingPhase phase, int before, void*)
{
    std::string text = std::to_string(phase) + (before ? " before" : " after");
    XPLMDrawString(g_white, phase, before, text.data(), nullptr, xplmFont_Basic);
    return 1;
}

void DrawWindow(XPLMWindowID, void* ref)
{
    XPLMDrawString(g_white, 0, 0, static_cast<char*>(ref), nullptr, xplmFont_Basic);
    XPLMDrawString(nullptr, 0, 0, static_cast<char*>(ref), nullptr, xplmFont_Basic);   // ignored
    XPLMDrawString(g_white, 0, 0, nullptr, nullptr, xplmFont_Basic);                   // ignored
    XPLMDrawNumber(g_white, 5, 6, -2.25, 3, 1, 1, xplmFont_Basic);
}

TEST(Drawing, PhasesInOrderBeforeThenAfterThenShownWindows)
{
    xphost::reset();
    char shown[] = "shown", hidden[] = "hidden";
    XPLMCreateWindow(0, 100, 100, 0, 1, DrawWindow, nullptr, nullptr, shown);
    XPLMCreateWindow(0, 100, 100, 0, 0, DrawWindow, nullptr, nullptr, hidden);
    XPLMRegisterDrawCallback(DrawPhase, xplm_Phase_Window, 0, nullptr);
    XPLMRegisterDrawCallback(DrawPhase, xplm_Phase_Panel, 0, nullptr);
    XPLMRegisterDrawCallback(DrawPhase, xplm_Phase_Panel, 1, nullptr);
    EXPECT_EQ(XPLMRegisterDrawCallback(DrawPhase, 41, 0, nullptr), 0);   // no such phase

    EXPECT_TRUE(xphost::display_list().empty());   // nothing drawn before the first frame
    xphost::run_frame();
    std::vector<std::string> texts;
    for (const auto& op : xphost::display_list())
        texts.push_back(op.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"40 before", "40 after", "50 after", "shown", "-2.2"}));
    EXPECT_EQ(xphost::display_list()[0].source, "phase 40");
    EXPECT_EQ(xphost::display_list()[3].source, "window 1");
    ASSERT_EQ(xphost::draws_at(5, 6).size(), 1u);
    EXPECT_EQ(xphost::draws_at(5, 6)[0].value, -2.25);

    EXPECT_EQ(XPLMUnregisterDrawCallback(DrawPhase, xplm_Phase_Panel, 1, nullptr), 1);
    EXPECT_EQ(XPLMUnregisterDrawCallback(DrawPhase, xplm_Phase_Panel, 1, nullptr), 0);
    xphost::draw_now();
    EXPECT_TRUE(xphost::find_text("40 before").empty());
    EXPECT_EQ(xphost::find_text("40 after").size(), 1u);
}

TEST(Drawing, NumbersAreDrawnAsMeasuredInEitherPadding)
{
    // No '+' even with the sign flag, rounded, never cut short.
    EXPECT_EQ(xphost::format_number(12.5, 4, 1, 1), "12.5");
    EXPECT_EQ(xphost::format_number(-3.14159, 2, 2, 0), "-3.14");
    EXPECT_EQ(xphost::format_number(12345.0, 3, 0, 1), "12345");
    EXPECT_EQ(xphost::format_number(-0.04, 1, 1, 1), "0.0");   // the sign of what is shown
    EXPECT_EQ(xphost::format_number(0.96, 1, 1, 0), "1.0");

    xphost::set_number_style(xphost::NumberStyle::ZeroPadded);
    EXPECT_EQ(xphost::format_number(12.5, 4, 1, 1), "0012.5");
    EXPECT_EQ(xphost::format_number(-3.14159, 2, 2, 1), "-03.14");
    EXPECT_EQ(xphost::format_number(12345.0, 3, 0, 1), "12345");
    xphost::reset();
    EXPECT_EQ(xphost::number_style(), xphost::NumberStyle::Plain);   // a fresh host draws plainly
}

}  // namespace
