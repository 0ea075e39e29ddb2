// sim/dialog.cpp
#include "dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "XPLMGraphics.h"
#include "XPStandardWidgets.h"
#include "xphost.h"

namespace sim {

namespace {

constexpr double kPlaceTolerance = 5.0;    // m: six decimals of a degree are 0.1 m
constexpr double kSpeedTolerance = 0.01;   // m/s

XPWidgetID dialog_root()
{
    for (const auto& w : xphost::widgets())
        if (w.root)
            return w.id;
    return nullptr;
}

bool open_page(Runner& r, const char* item, const char* title, Outcome& out)
{
    if (!xphost::select_menu_item("QZTgov", item)) {
        out.missing.push_back(std::string("the plug-in's menu has no \"") + item + "\" item");
        return false;
    }
    r.run_for(0.5);
    const XPWidgetID root = dialog_root();
    if (!root || xphost::widget(root)->descriptor != title) {
        out.missing.push_back(std::string("\"") + item + "\" opened no \"" + title + "\" dialog");
        return false;
    }
    r.timeline.event(std::string("pilot: QZTgov menu, ") + item + ": the " + title + " dialog opens");
    return true;
}

// What the page shows in the field whose top left corner lies (dx, dy) from
// the dialog's: the pilot reads the page as it is laid out.
std::string field_at(XPWidgetID root, int dx, int dy)
{
    const xphost::Widget* r = xphost::widget(root);
    for (const auto& w : xphost::widgets())
        if (r && w.widget_class == xpWidgetClass_TextField && w.left == r->left + dx && w.top == r->top - dy)
            return w.descriptor;
    return "";
}

std::string file_line(const std::string& path, int index)
{
    std::ifstream in(path);
    std::string line;
    for (int i = 0; std::getline(in, line); ++i)
        if (i == index)
            return line;
    return "";
}

}  // namespace

void attitude_angles(const float q[4], double* heading, double* pitch, double* roll)
{
    const double q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
    const double n = q0 * q0 + q1 * q1 + q2 * q2 + q3 * q3;
    const double d = 180.0 / M_PI;
    const double h = std::atan2(2.0 * (q0 * q3 + q1 * q2), n - 2.0 * (q2 * q2 + q3 * q3)) * d;
    *heading = h < 0.0 ? h + 360.0 : h;
    *pitch = std::asin(std::max(-1.0, std::min(1.0, 2.0 * (q0 * q2 - q3 * q1) / (n > 0 ? n : 1.0)))) * d;
    *roll = std::atan2(2.0 * (q0 * q1 + q2 * q3), n - 2.0 * (q1 * q1 + q2 * q2)) * d;
}

void save_release_through_dialog(Runner& r, int record, Outcome& out, bool about)
{
    Timeline& tl = r.timeline;
    if (about && open_page(r, "Description", "ABOUT QZTgov", out)) {
        r.moment("about");
        xphost::press_close_box(dialog_root());
        r.run_for(0.5);
        if (!xphost::widgets().empty())
            out.missing.push_back("the close box left the ABOUT QZTgov page open");
    }
    if (!open_page(r, "Preferences", "PREFERENCES", out))
        return;
    // The page opens on the record the carrier just filled, the one the next
    // orbiter starts from, with the heading, pitch and speed of the release.
    const XPWidgetID root = dialog_root();
    const std::string wanted = std::to_string(record);
    if (field_at(root, 270, 138) == wanted) {
        tl.event("the page shows record " + wanted + ": latitude " + field_at(root, 150, 120) + ", longitude "
                 + field_at(root, 150, 138) + ", elevation " + field_at(root, 150, 156) + " m, heading "
                 + field_at(root, 150, 174) + ", pitch " + field_at(root, 210, 174) + ", "
                 + field_at(root, 270, 174) + " km/s");
        double heading = 0, pitch = 0, roll = 0;
        attitude_angles(r.bridge.release_q(), &heading, &pitch, &roll);
        const double speed = std::sqrt(std::pow(r.bridge.release_vx(), 2) + std::pow(r.bridge.release_vy(), 2)
                                       + std::pow(r.bridge.release_vz(), 2)) / 1000.0;
        const double shownHeading = std::atof(field_at(root, 150, 174).c_str());
        const double shownPitch = std::atof(field_at(root, 210, 174).c_str());
        const double shownSpeed = std::atof(field_at(root, 270, 174).c_str());
        const double headingOff = std::fabs(std::remainder(shownHeading - heading, 360.0));
        if (!r.bridge.release_seen() || headingOff > 0.01 || std::fabs(shownPitch - pitch) > 0.01
            || std::fabs(shownSpeed - speed) > 1e-5) {
            char buf[240];
            std::snprintf(buf, sizeof buf, "record %d on the page is not the release's heading %.3f, pitch %.3f and "
                          "%.6f km/s", record, heading, pitch, speed);
            out.missing.push_back(buf);
        }
    } else {
        out.missing.push_back("the preferences page opened on record " + field_at(root, 270, 138)
                              + ", not on release record " + wanted + " that the carrier just filled");
    }
    r.moment("preferences");
    const XPWidgetID save = xphost::find_widget("  Save and close", xpWidgetClass_Button);
    if (!save || !xphost::press_button(save)) {
        out.missing.push_back("the preferences page has no \"  Save and close\" button to press");
        return;
    }
    tl.event("pilot: \"Save and close\"");
    r.run_for(0.5);
    if (!xphost::widgets().empty())
        out.missing.push_back("the preferences dialog stayed open after \"Save and close\"");

    // Records 0 to 10 follow the three lines of settings.
    const std::string line = file_line(r.prefs_file(), 3 + record);
    std::istringstream values(line);
    std::vector<double> v;
    for (double d; values >> d;)
        v.push_back(d);
    if (v.size() != 14) {
        out.missing.push_back("the preferences file holds no release record " + std::to_string(record));
        return;
    }
    tl.line("                                          record " + std::to_string(record) + " in the file: " + line);
    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(v[0], v[1], v[2], &x, &y, &z);
    const double off = std::sqrt(std::pow(x - r.bridge.release_x(), 2) + std::pow(y - r.bridge.release_y(), 2)
                                 + std::pow(z - r.bridge.release_z(), 2));
    const double dv = std::sqrt(std::pow(v[3] - r.bridge.release_vx(), 2) + std::pow(v[4] - r.bridge.release_vy(), 2)
                                + std::pow(v[5] - r.bridge.release_vz(), 2));
    char buf[200];
    std::snprintf(buf, sizeof buf, "the saved record is %.2f m and %.3f m/s from the carrier at the release", off, dv);
    tl.line("                                          " + std::string(buf));
    if (!r.bridge.release_seen() || off > kPlaceTolerance || dv > kSpeedTolerance)
        out.missing.push_back("the saved release record " + std::to_string(record)
                              + " is not where and how fast the carrier released the orbiter (" + buf + ")");
}

void choose_record_through_dialog(Runner& r, int record, Outcome& out)
{
    if (!open_page(r, "Preferences", "PREFERENCES", out))
        return;
    const XPWidgetID root = dialog_root();
    const XPWidgetID down = xphost::find_widget("DOWN", xpWidgetClass_Button);
    const std::string wanted = std::to_string(record);
    int presses = 0;
    for (; down && presses < 11 && field_at(root, 270, 138) != wanted; ++presses)
        xphost::press_button(down);
    if (field_at(root, 270, 138) != wanted) {
        out.missing.push_back("\"DOWN\" never brought record " + wanted + " onto the preferences page");
        return;
    }
    r.timeline.event("pilot: \"DOWN\" " + std::to_string(presses) + " time(s) to record " + wanted + ": latitude "
                     + field_at(root, 150, 120) + ", longitude " + field_at(root, 150, 138) + ", heading "
                     + field_at(root, 150, 174) + ", " + field_at(root, 270, 174) + " km/s");
    const XPWidgetID save = xphost::find_widget("  Save and close", xpWidgetClass_Button);
    if (!save || !xphost::press_button(save)) {
        out.missing.push_back("the preferences page has no \"  Save and close\" button to press");
        return;
    }
    r.timeline.event("pilot: \"Save and close\"");
    r.run_for(0.5);
    // The file still names the latest release; its last line keeps the choice.
    const std::string index = file_line(r.prefs_file(), 14), chosen = file_line(r.prefs_file(), 15);
    r.timeline.line("                                          the file's index line: " + index
                    + " (the latest release), its last line: " + chosen + " (the chosen record)");
    if (chosen != wanted + " ")
        out.missing.push_back("the preferences file does not keep record " + wanted + " as the chosen one");
}

}  // namespace sim
