// host/utilities.cpp: speech, the debug log, the system folder, key names,
// command buttons, the camera and the local coordinate system.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "XPLMCamera.h"
#include "XPLMGraphics.h"
#include "XPLMPlugin.h"
#include "XPLMUtilities.h"
#include "internal.h"

namespace xphost {
namespace {

constexpr double kEarthRadius = 6378137.0;
constexpr double kDeg = M_PI / 180.0;

// Removes the last temporary system folder when the process ends.
struct TempFolder {
    std::string path;
    void drop()
    {
        if (!path.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
            path.clear();
        }
    }
    ~TempFolder() { drop(); }
};

struct Utilities {
    std::vector<Speech> speech;
    std::vector<std::string> debug;
    std::vector<Command> commands;
    std::string system_path;
    std::string legacy_system_path;      // "" = the system path's legacy form
    std::set<std::string> features_missing;
    std::set<std::string> features_enabled;
    double ref_lat = 0, ref_lon = 0;
    // camera
    XPLMCameraControl_f camera_cb = nullptr;
    void* camera_ref = nullptr;
    int camera_duration = 0;
    XPLMCameraPosition_t camera{};       // the position the controller last gave
    bool view_change = false;            // a view was asked for; it takes effect with the next frame
};

Utilities& util()
{
    static Utilities* u = new Utilities;
    return *u;
}

TempFolder& temp_folder()
{
    static TempFolder t;
    return t;
}

}  // namespace

namespace detail {

void reset_utilities()
{
    Utilities& u = util();
    u.speech.clear();
    u.debug.clear();
    u.commands.clear();
    u.ref_lat = u.ref_lon = 0;
    u.camera_cb = nullptr;
    u.camera_ref = nullptr;
    u.camera_duration = 0;
    u.camera = XPLMCameraPosition_t{};
    u.camera.zoom = 1.0f;
    u.view_change = false;
    u.legacy_system_path.clear();
    u.features_missing.clear();
    u.features_enabled.clear();

    TempFolder& t = temp_folder();
    t.drop();
    t.path = make_temp_folder();
    if (!t.path.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(t.path + "/Resources/plugins", ec);
        u.system_path = t.path + (IBM ? "\\" : "/");
    } else {
        u.system_path = "/tmp/";
    }
}

void drop_plugin_features() { util().features_enabled.clear(); }

void drop_plugin_camera()
{
    Utilities& u = util();
    if (u.camera_cb)
        record_fault("the camera was left controlled");
    u.camera_cb = nullptr;
    u.camera_ref = nullptr;
    u.camera_duration = 0;
}

// The simulator leaves the structure undefined on entry: every field the
// controller does not write is not a number here.
void camera_frame()
{
    Utilities& u = util();
    if (!u.camera_cb || !detail::plugin_receives())
        return;                             // a disabled plug-in's camera holds its last position
    const float nan = std::nanf("");
    XPLMCameraPosition_t pos{nan, nan, nan, nan, nan, nan, nan};
    const XPLMCameraControl_f cb = u.camera_cb;
    if (detail::call_plugin(CallbackKind::Drawing, cb, &pos, 0, u.camera_ref)) {
        const float fields[] = {pos.x, pos.y, pos.z, pos.pitch, pos.heading, pos.roll, pos.zoom};
        bool defined = true;
        for (float f : fields)
            defined = defined && std::isfinite(f);
        if (defined)
            u.camera = pos;
        else
            record_fault("the camera controller gave a position with a field it did not set");
    } else if (u.camera_cb == cb) {
        // A controller that answers 0 gives the camera back.
        u.camera_cb = nullptr;
        u.camera_ref = nullptr;
        u.camera_duration = 0;
    }
}

// A view asked for through a view button or command takes effect at the start
// of the next frame, and ends a camera held until the view changes.
void view_frame()
{
    Utilities& u = util();
    if (!u.view_change)
        return;
    u.view_change = false;
    if (u.camera_duration == xplm_ControlCameraUntilViewChanges)
        user_changes_view();
}

void request_view_change() { util().view_change = true; }

void* next_id()
{
    static uintptr_t counter = 0x1000;
    counter += 0x10;
    return reinterpret_cast<void*>(counter);
}

}  // namespace detail

// ---------------------------------------------------------------- camera

void run_camera() { detail::camera_frame(); }

bool camera_controlled() { return util().camera_cb != nullptr; }
int camera_duration() { return util().camera_duration; }
void set_camera(const XPLMCameraPosition_t& position) { util().camera = position; }
XPLMCameraPosition_t camera() { return util().camera; }

void user_changes_view()
{
    Utilities& u = util();
    const XPLMCameraControl_f cb = u.camera_cb;
    void* ref = u.camera_ref;
    u.camera_cb = nullptr;
    u.camera_ref = nullptr;
    u.camera_duration = 0;
    if (cb && detail::plugin_receives())
        detail::call_plugin(CallbackKind::Other, cb, static_cast<XPLMCameraPosition_t*>(nullptr), 1, ref);
}

// ---------------------------------------------------------------- logs

const std::vector<Command>& commands() { return util().commands; }
const std::vector<Speech>& speech() { return util().speech; }

std::vector<std::string> spoken_texts()
{
    std::vector<std::string> out;
    for (const auto& s : util().speech)
        out.push_back(s.text);
    return out;
}

const std::vector<std::string>& debug_log() { return util().debug; }

// ---------------------------------------------------------------- paths, coordinates, keys

std::string system_path() { return util().system_path; }
void set_system_path(const std::string& path) { util().system_path = path; }
void set_legacy_system_path(const std::string& path) { util().legacy_system_path = path; }

void set_feature_available(const std::string& feature, bool available)
{
    Utilities& u = util();
    if (available) {
        u.features_missing.erase(feature);
    } else {
        u.features_missing.insert(feature);
        u.features_enabled.erase(feature);
    }
}

bool feature_enabled(const std::string& feature) { return util().features_enabled.count(feature) != 0; }

void set_local_reference(double latitude, double longitude)
{
    util().ref_lat = latitude;
    util().ref_lon = longitude;
}

std::string key_name(int virtualKey)
{
    const char* name = XPLMGetVirtualKeyDescription(static_cast<char>(virtualKey));
    return name ? name : "";
}

}  // namespace xphost

// ---------------------------------------------------------------- plug-in side

using namespace xphost;

void XPLMSpeakString(const char* inString)
{
    XPHOST_API(XPLMSpeakString, text(inString));
    if (inString)
        util().speech.push_back(Speech{now(), inString});
}

void XPLMDebugString(const char* inString)
{
    XPHOST_API(XPLMDebugString, text(inString));
    if (inString)
        util().debug.push_back(inString);
}

namespace {

constexpr int kSystemPathMax = 1024;
const char* const kNativePaths = "XPLM_USE_NATIVE_PATHS";

bool known_feature(const char* feature)
{
    static const char* const kFeatures[] = {kNativePaths, "XPLM_USE_NATIVE_WIDGET_WINDOWS", "XPLM_WANTS_REFLECTIONS",
                                            "XPLM_WANTS_DATAREF_NOTIFICATIONS"};
    return feature && std::any_of(std::begin(kFeatures), std::end(kFeatures),
                                  [&](const char* f) { return std::strcmp(f, feature) == 0; })
        && !util().features_missing.count(feature);
}

}  // namespace

// The path with its NUL, as far as 1024 bytes reach: the simulator's own
// paths fit, and a plug-in's buffer must take that much. One of 1024
// characters or more fills the buffer without a NUL.
void XPLMGetSystemPath(char* outSystemPath)
{
    XPHOST_API(XPLMGetSystemPath, out(outSystemPath, kSystemPathMax));
    if (!outSystemPath)
        return;
    const Utilities& u = util();
    const std::string path = u.features_enabled.count(kNativePaths) ? detail::native_path_form(u.system_path)
                           : u.legacy_system_path.empty()           ? detail::legacy_path_form(u.system_path)
                                                                    : u.legacy_system_path;
    std::memcpy(outSystemPath, path.c_str(), std::min(path.size() + 1, static_cast<size_t>(kSystemPathMax)));
}

const char* XPLMGetDirectorySeparator(void)
{
    XPHOST_API(XPLMGetDirectorySeparator);
    return IBM && !util().features_enabled.count(kNativePaths) ? "\\" : "/";
}

int XPLMHasFeature(const char* inFeature)
{
    XPHOST_API(XPLMHasFeature, text(inFeature));
    return known_feature(inFeature) ? 1 : 0;
}

int XPLMIsFeatureEnabled(const char* inFeature)
{
    XPHOST_API(XPLMIsFeatureEnabled, text(inFeature));
    return inFeature && util().features_enabled.count(inFeature) ? 1 : 0;
}

void XPLMEnableFeature(const char* inFeature, int inEnable)
{
    XPHOST_API(XPLMEnableFeature, text(inFeature), inEnable);
    if (!known_feature(inFeature))
        return;
    if (inEnable)
        util().features_enabled.insert(inFeature);
    else
        util().features_enabled.erase(inFeature);
}

const char* XPLMGetVirtualKeyDescription(char inVirtualKey)
{
    XPHOST_API(XPLMGetVirtualKeyDescription, inVirtualKey);
    // Sparse: the codes the host names.
    static const struct { unsigned char code; const char* name; } kNames[] = {
        {0x08, "BACK"}, {0x09, "TAB"}, {0x0C, "CLEAR"}, {0x0D, "RETURN"}, {0x1B, "ESCAPE"}, {0x20, "SPACE"},
        {0x21, "PRIOR"}, {0x22, "NEXT"}, {0x23, "END"}, {0x24, "HOME"}, {0x25, "LEFT"}, {0x26, "UP"},
        {0x27, "RIGHT"}, {0x28, "DOWN"}, {0x2D, "INSERT"}, {0x2E, "DELETE"}, {0x30, "0"}, {0x31, "1"},
        {0x32, "2"}, {0x33, "3"}, {0x34, "4"}, {0x35, "5"}, {0x36, "6"}, {0x37, "7"},
        {0x38, "8"}, {0x39, "9"}, {0x41, "A"}, {0x42, "B"}, {0x43, "C"}, {0x44, "D"},
        {0x45, "E"}, {0x46, "F"}, {0x47, "G"}, {0x48, "H"}, {0x49, "I"}, {0x4A, "J"},
        {0x4B, "K"}, {0x4C, "L"}, {0x4D, "M"}, {0x4E, "N"}, {0x4F, "O"}, {0x50, "P"},
        {0x51, "Q"}, {0x52, "R"}, {0x53, "S"}, {0x54, "T"}, {0x55, "U"}, {0x56, "V"},
        {0x57, "W"}, {0x58, "X"}, {0x59, "Y"}, {0x5A, "Z"}, {0x60, "NUMPAD0"}, {0x61, "NUMPAD1"},
        {0x62, "NUMPAD2"}, {0x63, "NUMPAD3"}, {0x64, "NUMPAD4"}, {0x65, "NUMPAD5"}, {0x66, "NUMPAD6"}, {0x67, "NUMPAD7"},
        {0x68, "NUMPAD8"}, {0x69, "NUMPAD9"}, {0x6A, "MULTIPLY"}, {0x6B, "ADD"}, {0x6D, "SUBTRACT"}, {0x6E, "DECIMAL"},
        {0x6F, "DIVIDE"}, {0x70, "F1"}, {0x71, "F2"}, {0x72, "F3"}, {0x73, "F4"}, {0x74, "F5"},
        {0x75, "F6"}, {0x76, "F7"}, {0x77, "F8"}, {0x78, "F9"}, {0x79, "F10"}, {0x7A, "F11"},
        {0x7B, "F12"}, {0x7C, "F13"}, {0x7D, "F14"}, {0x7E, "F15"}, {0x7F, "F16"}, {0x80, "F17"},
        {0x81, "F18"}, {0x82, "F19"}, {0x83, "F20"}, {0x84, "F21"}, {0x85, "F22"}, {0x86, "F23"},
        {0x87, "F24"}, {0xB0, "EQUAL"}, {0xB1, "MINUS"}, {0xBB, "ENTER"}, {0xBC, "NUMPAD_ENT"},
    };
    const unsigned char code = static_cast<unsigned char>(inVirtualKey);
    for (const auto& k : kNames)
        if (k.code == code)
            return k.name;
    return "";                           // never NULL: callers copy it straight into text
}

// The buttons of the simulator's views, forward with HUD to spot.
constexpr int kFirstViewButton = 38, kLastViewButton = 46;

void XPLMCommandButtonPress(XPLMCommandButtonID inButton)
{
    XPHOST_API(XPLMCommandButtonPress, inButton);
    util().commands.push_back(Command{now(), inButton, true});
    if (inButton >= kFirstViewButton && inButton <= kLastViewButton)
        detail::request_view_change();
}

void XPLMCommandButtonRelease(XPLMCommandButtonID inButton)
{
    XPHOST_API(XPLMCommandButtonRelease, inButton);
    util().commands.push_back(Command{now(), inButton, false});
}

// Equirectangular around the reference point: east is +x, south is +z, and
// east-west distances shrink with the cosine of the reference latitude.
void XPLMWorldToLocal(double inLatitude, double inLongitude, double inAltitude, double* outX, double* outY,
                      double* outZ)
{
    XPHOST_API(XPLMWorldToLocal, inLatitude, inLongitude, inAltitude, out(outX, 1), out(outY, 1), out(outZ, 1));
    const Utilities& u = util();
    const double k = std::cos(u.ref_lat * kDeg);
    if (outX) *outX = kEarthRadius * k * (inLongitude - u.ref_lon) * kDeg;
    if (outY) *outY = inAltitude;
    if (outZ) *outZ = -kEarthRadius * (inLatitude - u.ref_lat) * kDeg;
}

void XPLMLocalToWorld(double inX, double inY, double inZ, double* outLatitude, double* outLongitude,
                      double* outAltitude)
{
    XPHOST_API(XPLMLocalToWorld, inX, inY, inZ, out(outLatitude, 1), out(outLongitude, 1), out(outAltitude, 1));
    const Utilities& u = util();
    double k = std::cos(u.ref_lat * kDeg);
    if (std::fabs(k) < 1e-9)
        k = 1e-9;                        // a reference on a pole: keep the inverse finite
    if (outLatitude) *outLatitude = u.ref_lat - inZ / kEarthRadius / kDeg;
    if (outLongitude) *outLongitude = u.ref_lon + inX / (kEarthRadius * k) / kDeg;
    if (outAltitude) *outAltitude = inY;
}

void XPLMControlCamera(XPLMCameraControlDuration inHowLong, XPLMCameraControl_f inControlFunc, void* inRefcon)
{
    XPHOST_API(XPLMControlCamera, inHowLong, inControlFunc, inRefcon);
    if (!inControlFunc)
        return;
    util().camera_cb = inControlFunc;
    util().camera_ref = inRefcon;
    util().camera_duration = inHowLong;
}

void XPLMDontControlCamera(void)
{
    XPHOST_API(XPLMDontControlCamera);
    util().camera_cb = nullptr;
    util().camera_ref = nullptr;
    util().camera_duration = 0;
}

int XPLMIsCameraBeingControlled(XPLMCameraControlDuration* outCameraControlDuration)
{
    XPHOST_API(XPLMIsCameraBeingControlled, out(outCameraControlDuration, 1));
    if (outCameraControlDuration)
        *outCameraControlDuration = util().camera_duration;
    return util().camera_cb ? 1 : 0;
}
