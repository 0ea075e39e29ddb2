// The preferences dialog, used as a pilot uses it: pages opened from the
// menu, boxes ticked, buttons and the close box pressed, keys pressed while it
// waits for one; what it shows, what it commits and what reaches the file.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include "support/prefs_fixture.h"
#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "aircraft/models.h"
#include "common/keys.h"
#include "prefs/dialog.h"

namespace fs = std::filesystem;

namespace {

// Screen 1280 x 800: the dialogs sit 200 px left of the middle.
const int X = 440;
const int DescriptionTop = 400 + 210, PreferencesTop = 400 + 230;

std::string PrefsFile() { return xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt"; }

// The default file with its first three lines and a record replaced, ending
// in the stored index as files did before the chosen record was kept.
std::string PrefsText(const std::string& head, int record = -1, const std::string& values = "",
                      const std::string& index = "0")
{
    std::string text = DefaultPreferencesText();
    text = head + text.substr(text.find("30.000000"));
    if (record >= 0) {
        size_t start = text.find("30.000000");
        for (int i = 0; i < record; ++i)
            start = text.find('\n', start) + 1;
        text.replace(start, text.find('\n', start) - start, values);
    }
    return text.substr(0, text.size() - 6) + index + " \n";
}

struct Expected {
    int cls;
    int left, top, right, bottom;
    std::string text;
};

class Dialog : public PrefsTest {
protected:
    void SetUp() override
    {
        PrefsTest::SetUp();
        MenuItem = 0;
        QZTflightGovWidget = QZTkeyText = QZTclosedWidget = nullptr;
        defKey = 0;
        Ident = 0;
        FirstActReg = 0;
        INFOWindow = PARAMETERWindow = CAMWindow = nullptr;
        xphost::set_screen_size(1280, 800);
    }

    void TearDown() override
    {
        EXPECT_TRUE(xphost::stale_widget_calls().empty())
            << "widget calls on a destroyed widget: " << ::testing::PrintToString(xphost::stale_widget_calls());
        EXPECT_TRUE(xphost::faults().empty()) << ::testing::PrintToString(xphost::faults());
    }

    // A closed dialog is hidden at once and gone with the next frame.
    static bool Gone()
    {
        for (const auto& w : xphost::widgets())
            if (!w.parent && w.visible)
                return false;
        xphost::run_frame();
        return xphost::widgets().empty();
    }

    void StartWith(const std::string& text)
    {
        WriteWholeFile(PrefsFile(), text);
        Start();
    }

    static void Open(const char* item) { ASSERT_TRUE(xphost::select_menu_item("QZTgov", item)); }

    static XPWidgetID Root()
    {
        XPWidgetID root = nullptr;
        for (const auto& w : xphost::widgets())
            if (w.root) {
                EXPECT_EQ(root, nullptr) << "more than one dialog";
                root = w.id;
            }
        return root;
    }

    static void Press(const char* text)
    {
        const XPWidgetID button = xphost::find_widget(text, xpWidgetClass_Button);
        ASSERT_NE(button, nullptr) << text;
        EXPECT_TRUE(xphost::press_button(button)) << text;
    }

    static std::string Shown(XPWidgetID field)
    {
        const xphost::Widget* w = xphost::widget(field);
        return w ? w->descriptor : "<gone>";
    }

    static std::vector<std::string> Record()
    {
        return {Shown(orbindex_activeText), Shown(orb_latitudeText), Shown(orb_longitudeText),
                Shown(orb_elevationText), Shown(orb_headText), Shown(orb_pitchText), Shown(orb_speedText)};
    }

    static intptr_t State(XPWidgetID box) { return xphost::widget_property(box, xpProperty_ButtonState); }

    // Every child of the root in creation order, against the expected list.
    static void ExpectTree(const std::vector<Expected>& expected)
    {
        const auto all = xphost::widgets();
        ASSERT_EQ(all.size(), expected.size());
        for (size_t i = 0; i < all.size(); ++i) {
            SCOPED_TRACE(expected[i].text);
            const xphost::Widget& w = all[i];
            EXPECT_EQ(w.widget_class, expected[i].cls);
            EXPECT_EQ(w.left, expected[i].left);
            EXPECT_EQ(w.top, expected[i].top);
            EXPECT_EQ(w.right, expected[i].right);
            EXPECT_EQ(w.bottom, expected[i].bottom);
            EXPECT_EQ(w.descriptor, expected[i].text);
            EXPECT_TRUE(w.visible);
            EXPECT_EQ(w.root, i == 0);
            EXPECT_EQ(w.parent, i == 0 ? nullptr : all[0].id);
        }
    }
};

TEST_F(Dialog, DescriptionPageFromTheMenu)
{
    Start();
    Open("Description");
    EXPECT_EQ(MenuItem, 1);
    const int x = X, y = DescriptionTop, R = x + 400, B = y - 420;
    const int C = xpWidgetClass_Caption;
    ExpectTree({
        {xpWidgetClass_MainWindow, x, y, R, B, "ABOUT QZTgov"},
        {xpWidgetClass_SubWindow, x + 10, y - 20, R - 10, B + 10, ""},
        {C, x + 30, y - 25, R - 10, y - 40, "This PlugIn manages all QZTdesign planes:"},
        {C, x + 30, y - 48, R - 10, y - 76, "Recognition of QZTdesign planes by description string"},
        {C, x + 30, y - 66, R - 10, y - 94, "(So you can change QZT planes ICAO and tailnumber in PlaneMaker)"},
        {C, x + 30, y - 84, R - 10, y - 130, "Configurable QZT key, single key to handle all function."},
        {C, x + 30, y - 102, R - 10, y - 148, "( Default is F4 )"},
        {C, x + 30, y - 120, R - 10, y - 184, "Functions for ALL planes:"},
        {C, x + 30, y - 138, R - 10, y - 202, "Every QZT plane is set to a suitable payload when loaded."},
        {C, x + 30, y - 156, R - 10, y - 220, "( X-Plane uses a best guess as for general aviation )"},
        {C, x + 30, y - 174, R - 10, y - 256, " "},
        {C, x + 30, y - 192, R - 10, y - 310, " "},
        {C, x + 30, y - 210, R - 10, y - 310, " "},
        {C, x + 30, y - 228, R - 10, y - 328, " "},
    });
    const XPWidgetID root = Root();
    EXPECT_EQ(root, QZTflightGovWidget);
    EXPECT_EQ(xphost::widget_property(root, xpProperty_MainWindowHasCloseBoxes), 1);
    EXPECT_EQ(xphost::widget_property(xphost::widgets()[1].id, xpProperty_SubWindowType), xpSubWindowStyle_SubWindow);

    EXPECT_TRUE(xphost::press_close_box(root));
    EXPECT_TRUE(Gone());
    EXPECT_EQ(MenuItem, 0);
    EXPECT_EQ(QZTflightGovWidget, nullptr);
}

// Every widget of the settings page where it belongs, its fields and boxes
// showing the committed settings and the record the file last stored.
TEST_F(Dialog, SettingsPageShowsTheCommittedSettings)
{
    StartWith(PrefsText("120 \n65 \n0 1 1 0 1 2 \n", 3,
                        "12.500000 -45.250000 81234.500000 1 2 3 4 5 6 7 8.25 9 271.5 2.125", "3"));
    autoFlaps1 = 1;                                  // an edit not saved yet is not shown
    Open("Preferences");
    EXPECT_EQ(MenuItem, 2);
    const int x = X, y = PreferencesTop, R = x + 400, B = y - 460;
    const int F = xpWidgetClass_TextField, C = xpWidgetClass_Caption, Bt = xpWidgetClass_Button;
    ExpectTree({
        {xpWidgetClass_MainWindow, x, y, R, B, "PREFERENCES"},
        {xpWidgetClass_SubWindow, x + 10, y - 20, R - 10, B + 10, ""},
        {F, x + 200, y - 30, x + 265, y - 50, "A"},
        {F, x + 150, y - 120, x + 265, y - 140, "12.500000"},
        {F, x + 150, y - 138, x + 265, y - 158, "-45.250000"},
        {F, x + 150, y - 156, x + 265, y - 176, "81234.500000"},
        {F, x + 150, y - 174, x + 205, y - 194, "271.500000"},
        {F, x + 210, y - 174, x + 265, y - 194, "8.250000"},
        {F, x + 270, y - 174, x + 325, y - 194, "2.125000"},
        {F, x + 270, y - 138, x + 300, y - 158, "3"},
        {F, x + 170, y - 300, x + 282, y - 320, "HOVERING"},
        {F, x + 190, y - 318, x + 265, y - 338, "25000"},
        {C, x + 110, y - 30, R - 10, y - 45, "Current QZT key:"},
        {C, x + 14, y - 48, R - 10, y - 63, "     Show POH after loading a plane"},
        {C, x + 215, y - 48, R - 10, y - 63, "Click far right then toggle on/off"},
        {C, x + 14, y - 66, R - 10, y - 81, "  For metric panels, show dialed in"},
        {C, x + 215, y - 66, R - 10, y - 81, "AP altitude in feet also"},
        {C, x + 20, y - 78, R, y - 148, "Preferences for SKYHOIST-ORBITER:"},
        {C, x + 20, y - 197, R, y - 212, "Position, speed and attitude of the last 10 orbital releases are kept"},
        {C, x + 20, y - 210, R, y - 225, "(saved with Save and close). When the orbital vehicle is loaded, a brake"},
        {C, x + 20, y - 223, R, y - 238, "release brings it into the here selected position: the latest release,"},
        {C, x + 20, y - 236, R, y - 251, "or the one chosen with UP/DOWN; zero is the default location."},
        {C, x + 100, y - 120, R, y - 135, "Latitude:"},
        {C, x + 90, y - 138, R, y - 153, "Longitude:"},
        {C, x + 75, y - 156, R, y - 171, "Elevation (m):"},
        {C, x + 17, y - 174, R, y - 189, "Head/Pitch/Speed (km/s):"},
        {C, x + 20, y - 277, R - 10, y - 292, "Preferences for HALVIK:"},
        {C, x + 265, y - 318, R - 10, y - 333, "lbs fuel"},
        {C, x + 200, y - 336, R - 10, y - 351, "Actual load will vary on runway"},
        {C, x + 200, y - 349, R - 10, y - 364, "altitude and air temperature"},
        {Bt, x + 200, y - 48, x + 210, y - 68, ""},
        {Bt, x + 200, y - 66, x + 210, y - 86, ""},
        {Bt, x + 45, y - 300, x + 55, y - 320, " Auto Gear Up/Down"},
        {Bt, x + 45, y - 318, x + 55, y - 338, " Auto Flaps Up"},
        {Bt, x + 45, y - 336, x + 55, y - 356, " Auto RAM Engine"},
        {Bt, x + 270, y - 124, x + 325, y - 135, "UP"},
        {Bt, x + 270, y - 160, x + 325, y - 171, "DOWN"},
        {Bt, x + 270, y - 34, x + 370, y - 45, " Redefine QZT key"},
        {Bt, x + 286, y - 304, x + 386, y - 315, " Set Startup Load"},
        {Bt, x + 135, B + 85, x + 255, B + 65, " Default"},
        {Bt, x + 60, B + 60, x + 180, B + 40, " Discard"},
        {Bt, x + 210, B + 60, x + 330, B + 40, "  Save and close"},
    });
    EXPECT_EQ(xphost::widget_property(Root(), xpProperty_MainWindowHasCloseBoxes), 1);

    // The take-off field shows each mode's text whole, even at the basic
    // font's 6 pixels a character (the widget font is narrower).
    const xphost::Widget* modeField = xphost::widget(Halv_TO_modeText);
    ASSERT_NE(modeField, nullptr);
    for (int row = 0; row < HalvTakeOffRows && HalvTakeOff[row].mode != 99; ++row)
        EXPECT_LE(6 * static_cast<int>(std::strlen(HalvTakeOff[row].text)) + 3, modeField->right - modeField->left)
            << HalvTakeOff[row].text;

    // Fields are single-line entry fields the user cannot edit.
    for (XPWidgetID field : {QZTkeyText, orb_latitudeText, orb_speedText, orbindex_activeText, HalvFuelText}) {
        int exists = 0;
        EXPECT_EQ(XPGetWidgetProperty(field, xpProperty_Enabled, &exists), 0);
        EXPECT_EQ(exists, 1);
        EXPECT_EQ(xphost::widget_property(field, xpProperty_TextFieldType), xpTextEntryField);
    }
    const XPWidgetID boxes[] = {InfoCheckBox, FeetAltBox, GearUpDownCheckBox, FlapsUpCheckBox, EngineRamCheckBox};
    const int states[] = {0, 1, 1, 0, 1};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(xphost::widget_property(boxes[i], xpProperty_ButtonType), xpRadioButton);
        EXPECT_EQ(xphost::widget_property(boxes[i], xpProperty_ButtonBehavior), xpButtonBehaviorCheckBox);
        EXPECT_EQ(State(boxes[i]), states[i]);
    }
    for (XPWidgetID button : {OrbSelectUButton, OrbSelectDButton, DefineQZTkeyButton, SetLoadkeyButton,
                              DefaultButton, DiscardButton, SaveButton}) {
        EXPECT_EQ(xphost::widget_property(button, xpProperty_ButtonType), xpPushButton);
        EXPECT_EQ(xphost::widget_property(button, xpProperty_ButtonBehavior), xpButtonBehaviorPushButton);
    }
}

// The record browser wraps both ways: past 10 comes the default record 0.
TEST_F(Dialog, RecordBrowserWrapsAround)
{
    StartWith(PrefsText("120 \n115 \n1 0 0 0 0 0 \n", 10,
                        "-3.5 150.25 95000 0 0 0 0 0 0 0 11 0 45 1.5", "10"));
    Open("Preferences");
    const std::vector<std::string> record10 = {"10", "-3.500000", "150.250000", "95000.000000",
                                               "45.000000", "11.000000", "1.500000"};
    const std::vector<std::string> record0 = {"0", "30.000000", "0.000000", "100000.000000",
                                              "90.000000", "15.000000", "0.000000"};
    EXPECT_EQ(Record(), record10);
    Press("UP");
    EXPECT_EQ(Record(), record0);
    Press("DOWN");
    EXPECT_EQ(Record(), record10);
    Press("DOWN");
    EXPECT_EQ(Shown(orbindex_activeText), "9");
    for (int i = 0; i < 11; ++i)
        Press("UP");
    EXPECT_EQ(Shown(orbindex_activeText), "9");      // eleven records, each once
    EXPECT_EQ(INDEXtostore, 1);                      // browsing never moves where releases go
    EXPECT_EQ(ReadWholeFile(PrefsFile()).substr(ReadWholeFile(PrefsFile()).size() - 4), "10 \n");
}

// The record chosen with "UP" and "DOWN" is the one the next orbiter starts
// from; "  Save and close" keeps the choice over a restart, and leaves the
// index of the latest release, and so where the next release goes, alone.
TEST_F(Dialog, ChosenRecordIsSavedWithoutMovingTheIndex)
{
    StartWith(PrefsText("120 \n115 \n1 0 0 0 0 0 \n", 4,
                        "-3.5 150.25 95000 0 0 0 0 0 0 0 11 0 45 1.5", "5"));
    Open("Preferences");
    EXPECT_EQ(Shown(orbindex_activeText), "5");      // the latest release
    Press("DOWN");
    EXPECT_EQ(orbindex_active, 4);
    Press("  Save and close");
    const std::string saved = ReadWholeFile(PrefsFile());
    EXPECT_EQ(saved.substr(saved.size() - 6), "5 \n4 \n");

    ResetPreferenceGlobals();                        // the next start
    PreferencesLoad();
    EXPECT_EQ(orbindex_active, 4);
    EXPECT_EQ(INDEXtostore, 6);
    Open("Preferences");
    EXPECT_EQ(Record(), (std::vector<std::string>{"4", "-3.500000", "150.250000", "95000.000000", "45.000000",
                                                  "11.000000", "1.500000"}));
}

// A new key is captured into the working copy only; the close box keeps it
// there, and the next save makes it the key and writes it to the file.
TEST_F(Dialog, RedefineTheKeyThenCloseThenSave)
{
    Start();
    xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[7].descrip);   // the glider: the key folds its engine
    Open("Preferences");
    EXPECT_EQ(Shown(QZTkeyText), "F4");
    Press(" Redefine QZT key");
    EXPECT_EQ(Shown(QZTkeyText), "Press Key");
    EXPECT_EQ(defKey, 1);
    xphost::press_key('A', xplm_ShiftFlag);          // with a modifier: still waiting
    EXPECT_EQ(defKey, 1);
    xphost::press_key('A');
    EXPECT_EQ(defKey, 0);
    EXPECT_EQ(Shown(QZTkeyText), "A");
    EXPECT_EQ(QZTkey1, 'A');
    EXPECT_EQ(QZTkey, XPLM_VK_F4);

    const XPWidgetID first = Root();
    EXPECT_TRUE(xphost::press_close_box(first));
    EXPECT_TRUE(Gone());
    EXPECT_EQ(MenuItem, 0);
    EXPECT_EQ(QZTkey1, 'A');
    EXPECT_EQ(QZTkey, XPLM_VK_F4);
    EXPECT_EQ(ReadWholeFile(PrefsFile()), DefaultPreferencesText());
    xphost::clear_writes();
    xphost::press_key('A');                          // not the key yet
    EXPECT_TRUE(xphost::writes_to("sim/flightmodel/controls/swdirqst").empty());

    Open("Preferences");
    EXPECT_EQ(Shown(QZTkeyText), "F4");              // pages show what is committed
    Press("  Save and close");
    EXPECT_EQ(MenuItem, 0);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(QZTkey, 'A');
    EXPECT_EQ(ReadWholeFile(PrefsFile()).substr(0, 8), "120 \n65 ");
    EXPECT_TRUE(xphost::spoken_texts().empty());

    xphost::press_key(XPLM_VK_F4);
    EXPECT_TRUE(xphost::writes_to("sim/flightmodel/controls/swdirqst").empty());
    xphost::press_key('A');
    EXPECT_EQ(xphost::writes_to("sim/flightmodel/controls/swdirqst").size(), 1u);
}

// Closing the dialog while it still waits for a key ends the wait: the next
// key is the pilot's, and the key caption is gone with the dialog.
TEST_F(Dialog, ClosingEndsAKeyCaptureStillWaiting)
{
    Start();
    xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[7].descrip);
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        Open("Preferences");
        Press(" Redefine QZT key");
        if (way == 0)
            xphost::press_close_box(Root());
        else if (way == 1)
            Press(" Discard");
        else
            Open("Description");                     // the menu replaces the page
        EXPECT_EQ(defKey, 0);
        EXPECT_EQ(QZTkeyText, nullptr);
        xphost::clear_writes();
        xphost::press_key(XPLM_VK_F4);
        EXPECT_EQ(QZTkey1, XPLM_VK_F4);
        EXPECT_EQ(xphost::writes_to("sim/flightmodel/controls/swdirqst").size(), 1u);   // the key acted
        xphost::command_once("QZTgov/qzt_key");     // and so does its command again
        EXPECT_EQ(xphost::writes_to("sim/flightmodel/controls/swdirqst").size(), 2u);
        if (MenuItem)
            xphost::press_close_box(Root());
    }
}

// Ticks change the working copies only; abandoned by the close box they stay
// there, unseen by the next page, and the next save commits them.
TEST_F(Dialog, CheckBoxesEditTheWorkingCopies)
{
    Start();
    Open("Preferences");
    for (const char* text : {" Auto Gear Up/Down", " Auto Flaps Up", " Auto RAM Engine"})
        Press(text);
    EXPECT_TRUE(xphost::press_button(InfoCheckBox));
    EXPECT_TRUE(xphost::press_button(FeetAltBox));
    EXPECT_EQ(State(InfoCheckBox), 0);
    EXPECT_EQ(State(FeetAltBox), 1);
    EXPECT_EQ(showInitialInfo1 + showFeetAP1 * 2 + autoGear1 * 4 + autoFlaps1 * 8 + autoEngineRam1 * 16, 30);
    EXPECT_EQ(showInitialInfo + showFeetAP + autoGear + autoFlaps + autoEngineRam, 1);
    Press(" Auto Flaps Up");                         // and off again
    EXPECT_EQ(autoFlaps1, 0);

    xphost::press_close_box(Root());
    Open("Preferences");
    EXPECT_EQ(State(InfoCheckBox), 1);
    EXPECT_EQ(State(GearUpDownCheckBox), 0);
    EXPECT_EQ(showInitialInfo, 1);
    Press("  Save and close");
    EXPECT_EQ(showInitialInfo, 0);
    EXPECT_EQ(showFeetAP + autoGear + autoEngineRam, 3);
    EXPECT_EQ(autoFlaps, 0);
    EXPECT_EQ(ReadWholeFile(PrefsFile()).substr(0, 21), "120 \n115 \n0 1 1 0 1 0");
}

// From mode 0 (the file's default) the first press selects HEAVY JATO; the
// presses then cycle 1, 2, 3 in the working copy.
TEST_F(Dialog, SetStartupLoadFromModeZero)
{
    Start();
    Open("Preferences");
    EXPECT_EQ(Shown(Halv_TO_modeText), "Halvik Gov loaded!");
    EXPECT_EQ(Shown(HalvFuelText), "0");
    Press(" Set Startup Load");
    EXPECT_EQ(Shown(Halv_TO_modeText), "HEAVY JATO");
    EXPECT_EQ(Shown(HalvFuelText), "65000");
    EXPECT_EQ(Halv_TO_mode1, 1);
    EXPECT_EQ(Halv_TO_mode, 0);
    Press(" Set Startup Load");
    Press(" Set Startup Load");
    EXPECT_EQ(Shown(Halv_TO_modeText), "DEFAULT");
    EXPECT_EQ(Shown(HalvFuelText), "32500");
    Press(" Set Startup Load");
    EXPECT_EQ(Halv_TO_mode1, 1);
    Press("  Save and close");
    EXPECT_EQ(Halv_TO_mode, 1);
    EXPECT_EQ(ReadWholeFile(PrefsFile()).substr(10, 13), "1 0 0 0 0 1 \n");
}

// " Default" sets settings and copies at once and leaves the file alone, so
// a restart brings the saved values back.
TEST_F(Dialog, DefaultDoesNotWriteTheFile)
{
    const std::string saved = PrefsText("120 \n65 \n0 1 0 0 0 2 \n");
    StartWith(saved);
    Open("Preferences");
    Press(" Default");
    EXPECT_EQ(MenuItem, 0);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(QZTkey, XPLM_VK_F4);
    EXPECT_EQ(QZTkey1, XPLM_VK_F4);
    const int settings[] = {showInitialInfo, showFeetAP, autoGear, autoFlaps, autoEngineRam, Halv_TO_mode};
    const int copies[] = {showInitialInfo1, showFeetAP1, autoGear1, autoFlaps1, autoEngineRam1, Halv_TO_mode1};
    const int expected[] = {1, 0, 1, 1, 1, 3};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(settings[i], expected[i]) << i;
        EXPECT_EQ(copies[i], expected[i]) << i;
    }
    EXPECT_EQ(ReadWholeFile(PrefsFile()), saved);

    ResetPreferenceGlobals();                        // the next start
    PreferencesLoad();
    EXPECT_EQ(QZTkey, 'A');
    EXPECT_EQ(Halv_TO_mode, 2);
    EXPECT_EQ(autoGear, 0);
}

// " Discard" takes every working copy back to its setting and closes.
TEST_F(Dialog, DiscardDropsTheEdits)
{
    StartWith(PrefsText("120 \n65 \n0 1 0 0 0 2 \n"));
    Open("Preferences");
    Press(" Redefine QZT key");
    xphost::press_key('B');
    Press(" Auto RAM Engine");
    Press(" Set Startup Load");
    EXPECT_TRUE(xphost::press_button(FeetAltBox));
    ASSERT_EQ(QZTkey1, 'B');
    Press(" Discard");
    EXPECT_EQ(MenuItem, 0);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(QZTkey1, 'A');
    EXPECT_EQ(autoEngineRam1, 0);
    EXPECT_EQ(Halv_TO_mode1, 2);
    EXPECT_EQ(showFeetAP1, 1);
    EXPECT_EQ(QZTkey, 'A');
    EXPECT_EQ(ReadWholeFile(PrefsFile()), PrefsText("120 \n65 \n0 1 0 0 0 2 \n"));
}

// One dialog at a time: a menu selection while a page is open replaces it,
// its own page too.
TEST_F(Dialog, MenuSelectionReplacesTheOpenPage)
{
    Start();
    Open("Description");
    const XPWidgetID about = Root();
    const auto aboutWidgets = xphost::widgets();
    Open("Preferences");
    EXPECT_EQ(MenuItem, 2);
    for (const auto& w : aboutWidgets)
        EXPECT_FALSE(xphost::widget_exists(w.id));
    EXPECT_NE(Root(), about);
    EXPECT_EQ(xphost::widget(Root())->descriptor, "PREFERENCES");
    EXPECT_EQ(xphost::widgets().size(), 42u);

    Press("DOWN");
    const XPWidgetID prefs = Root();
    Open("Preferences");                             // rebuilt, showing the record last chosen
    EXPECT_FALSE(xphost::widget_exists(prefs));
    EXPECT_EQ(xphost::widgets().size(), 42u);
    EXPECT_EQ(Shown(orbindex_activeText), "10");

    Open("Description");
    EXPECT_EQ(MenuItem, 1);
    EXPECT_EQ(xphost::widgets().size(), 14u);
    EXPECT_EQ(OrbSelectUButton, nullptr);            // no handle outlives its page
    EXPECT_EQ(SaveButton, nullptr);
}

// A save that cannot write the file still puts the settings into effect for
// this run, leaves the old file whole and tells the pilot.
TEST_F(Dialog, SaveThatCannotWriteTheFile)
{
    Start();
    const std::string before = ReadWholeFile(PrefsFile());
    xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[7].descrip);
    fs::create_directory(PrefsFile() + ".tmp");      // the new copy cannot be created
    Open("Preferences");
    Press(" Redefine QZT key");
    xphost::press_key('Z');
    Press(" Auto Gear Up/Down");
    Press("  Save and close");
    EXPECT_EQ(MenuItem, 0);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(QZTkey, 'Z');
    EXPECT_EQ(autoGear, 1);
    EXPECT_EQ(ReadWholeFile(PrefsFile()), before);
    EXPECT_EQ(xphost::spoken_texts(), (std::vector<std::string>{"QZTgov: preferences could not be saved"}));
    xphost::clear_writes();
    xphost::press_key('Z');
    EXPECT_EQ(xphost::writes_to("sim/flightmodel/controls/swdirqst").size(), 1u);

    // Once the obstacle is gone the next save writes, and says nothing.
    fs::remove(PrefsFile() + ".tmp");
    Open("Preferences");
    Press("  Save and close");
    EXPECT_EQ(ReadWholeFile(PrefsFile()).substr(0, 22), "120 \n90 \n1 0 1 0 0 0 \n");
    EXPECT_EQ(xphost::spoken_texts().size(), 1u);
}

// The record shown and the take-off mode index their tables only once they
// are inside them, whatever the file or anything else left in them.
TEST_F(Dialog, RecordAndModeOutsideTheirTables)
{
    StartWith(PrefsText("120 \n115 \n1 0 0 0 0 7 \n", -1, "", "99"));
    Open("Preferences");
    EXPECT_EQ(Shown(orbindex_activeText), "0");
    EXPECT_EQ(Shown(orb_latitudeText), "30.000000");
    EXPECT_EQ(Shown(Halv_TO_modeText), "Halvik Gov loaded!");
    xphost::press_close_box(Root());

    for (int bad : {-1, 11, 1000000, -2147483647}) {
        SCOPED_TRACE(bad);
        orbindex_active = bad;
        Halv_TO_mode = bad;
        Halv_TO_mode1 = bad;
        Open("Preferences");
        EXPECT_EQ(Shown(orbindex_activeText), "0");
        EXPECT_EQ(Shown(orb_elevationText), "100000.000000");
        EXPECT_EQ(Shown(Halv_TO_modeText), "Halvik Gov loaded!");
        EXPECT_EQ(Shown(HalvFuelText), "0");
        Press(" Set Startup Load");
        EXPECT_EQ(Halv_TO_mode1, 1);
        EXPECT_EQ(Shown(Halv_TO_modeText), "HEAVY JATO");
        xphost::press_close_box(Root());
    }
    for (int bad : {-1, 11}) {
        orbindex_active = bad;
        Open("Preferences");
        orbindex_active = bad;                       // changed behind the page's back
        Press("UP");
        EXPECT_EQ(Shown(orbindex_activeText), "0");
        orbindex_active = bad;
        Press("DOWN");
        EXPECT_EQ(Shown(orbindex_activeText), "10");
        xphost::press_close_box(Root());
    }
}

}  // namespace
