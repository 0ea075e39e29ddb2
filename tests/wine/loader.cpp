// The Windows plug-in file loaded for real: this program runs on Windows (here
// under wine) beside the stand-in host's XPLM_64.dll and XPWidgets_64.dll,
// opens QZTgov.xpl with LoadLibrary as the simulator does and flies a short
// scenario: start, the carrier's first seconds, the Korva's Windows payload,
// the preferences file saved through the Windows path, and a second start of
// a freshly loaded file that reads a stored release back from it; on the way,
// its log lines, the figures it publishes and announces to a dataref browser,
// and its commands. The simulator's folder lies below a user's folder whose
// name is not all ASCII ("C:\Users\Jürgen\", and letters outside the ANSI
// code page), then in one deeper than MAX_PATH.
//
// Usage: qzt-wine-loader <QZTgov.xpl as a Windows path>
// Prints one line per check and "N passed, N failed"; exit status 0 only when
// every check passed.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "XPLMGraphics.h"
#include "XPLMPlugin.h"
#include "xphost.h"

namespace {

int passed = 0, failed = 0;

bool Check(bool ok, const std::string& what)
{
    std::printf("%s  %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    (ok ? passed : failed)++;
    return ok;
}

std::string Fixed(double v, int decimals = 3)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// Files by their UTF-16 names, as Windows names them.
std::string ReadBinary(const std::wstring& path)
{
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return "<missing>";
    std::string text;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        text.append(buf, n);
    std::fclose(f);
    return text;
}

void WriteBinary(const std::wstring& path, const std::string& text)
{
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// What a first start writes, in the C library's text mode: on Windows every
// line ends in CR LF.
std::string DefaultPreferencesText()
{
    std::string text = "120 \r\n115 \r\n1 0 0 0 0 0 \r\n";
    text += "30.000000 0.000000 100000.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 "
            "0.000000 15.000000 0.000000 90.000000 0.000000 \r\n";
    for (int i = 1; i < 11; ++i) {
        for (int v = 0; v < 14; ++v)
            text += "0.000000 ";
        text += "\r\n";
    }
    text += "0 \r\n0 \r\n";
    return text;
}

// A user's folder beside this program: "Jürgen Пилот" (the Cyrillic letters
// are in no Western ANSI code page).
const wchar_t* const UserFolder = L"J\u00fcrgen \u041f\u0438\u043b\u043e\u0442";

// A folder and everything in it, by long-path names: it may be deeper than MAX_PATH.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + L"\\" + name);
            else
                DeleteFileW((L"\\\\?\\" + folder + L"\\" + name).c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}

// The simulator's folder for this run, below `below` (relative to this
// program's folder), new each run, with a space in its name as many real
// installations have.
std::wstring MakeSimulatorFolder(const std::wstring& below)
{
    wchar_t exe[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe, n);
    dir.erase(dir.find_last_of(L'\\') + 1);
    RemoveTree(dir + UserFolder);
    const std::wstring folder = dir + below + L"X-Plane 12\\";
    // One level at a time, each by its long-path name: the deep folder is longer than MAX_PATH.
    const std::wstring plugins = folder + L"Resources\\plugins\\";
    for (size_t at = dir.size(); (at = plugins.find(L'\\', at + 1)) != std::wstring::npos;)
        CreateDirectoryW((L"\\\\?\\" + plugins.substr(0, at)).c_str(), nullptr);
    return folder;
}

const char* const DataRefEditor = "xplanesdk.examples.DataRefEditor";

bool StartPlugin(const std::string& file, const std::wstring& folder, bool withBrowser = false)
{
    xphost::reset();
    xphost::set_system_path(Utf8(folder));
    if (withBrowser)
        xphost::load_other_plugin(DataRefEditor);
    std::string error;
    const bool loaded = xphost::load_plugin(file, &error);
    if (!Check(loaded, "LoadLibrary opens " + file + (error.empty() ? "" : ": " + error)))
        return false;
    if (!Check(xphost::start() == 1, "XPluginStart returns 1"))
        return false;
    Check(xphost::feature_enabled("XPLM_USE_NATIVE_PATHS"), "the plug-in asked for native paths (UTF-8)");
    Check(xphost::plugin_name() == "QZTgov" && xphost::plugin_signature() == "morvaln.flight.gov",
          "name and signature: \"" + xphost::plugin_name() + "\", \"" + xphost::plugin_signature() + "\"");
    return Check(xphost::enable() == 1, "XPluginEnable returns 1");
}

void CheckNoTypeMismatch()
{
    std::string list;
    for (const auto& m : xphost::type_mismatches())
        list += " " + m.call + "(" + m.path + ")";
    Check(list.empty(), "every variable access used the simulator's type" + list);
}

double LastWrite(const char* path)
{
    const auto w = xphost::writes_to(path);
    return w.empty() || w.back().values.empty() ? NAN : w.back().values[0];
}

// A plug-in imports the widget functions from XPWidgets_64.dll; here they are
// forwarders to the one host in XPLM_64.dll.
void CheckWidgetForwarders()
{
    const HMODULE widgets = LoadLibraryA("XPWidgets_64.dll");
    const HMODULE xplm = GetModuleHandleA("XPLM_64.dll");
    for (const char* name : {"XPCreateWidget", "XPSendMessageToWidget", "XPGetWidgetProperty"}) {
        const FARPROC viaWidgets = widgets ? GetProcAddress(widgets, name) : nullptr;
        const FARPROC inHost = xplm ? GetProcAddress(xplm, name) : nullptr;
        Check(viaWidgets && viaWidgets == inHost, std::string("XPWidgets_64.dll's ") + name + " is the host's");
    }
    if (widgets)
        FreeLibrary(widgets);
}

int Run(const std::string& file)
{
    CheckWidgetForwarders();
    const std::wstring folder = MakeSimulatorFolder(std::wstring(UserFolder) + L"\\");
    const std::wstring prefs = folder + L"Resources\\plugins\\QZTgov_Preferences.txt";

    // First start: no preferences file yet, so the plug-in saves its defaults.
    std::printf("-- first start in %s\n", Utf8(folder).c_str());
    if (!StartPlugin(file, folder, true))
        return 1;
    Check(xphost::debug_log().size() == 1 && xphost::debug_log()[0] == "QZTgov: version 1.20 for Windows starting\n",
          "the log's only line names the version and Windows");
    const std::string saved = ReadBinary(prefs);
    Check(saved == DefaultPreferencesText(), "the preferences file was saved with the defaults at " + Utf8(prefs));
    Check(!Exists(prefs + L".tmp"), "no temporary file is left beside it");

    // The carrier's first seconds: its loop, the first action and the panel.
    std::printf("-- the Skyhoist carrier, 6 s at 50 frames a second\n");
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    xphost::advance(6.0);
    Check(xphost::frame_count() == 300, "300 frames ran (" + std::to_string(xphost::frame_count()) + ")");
    int loopCalls = 0;
    for (const auto& loop : xphost::flight_loops())
        if (loop.active)
            loopCalls = std::max(loopCalls, loop.calls);
    Check(loopCalls >= 15, "the carrier's loop runs every 0.1 s from 4 s on (" + std::to_string(loopCalls) + " calls)");
    Check(xphost::writes_to("sim/cockpit/electrical/nav_lights_on").size() == 1,
          "the first action ran once, 5 s after the load (navigation lights)");
    int panel = 0, windowText = 0;
    for (const auto& op : xphost::display_list()) {
        panel += op.source.rfind("phase", 0) == 0;
        windowText += op.source.rfind("window", 0) == 0 && op.kind == xphost::DrawOp::String;
    }
    Check(panel > 0, "the system page is drawn on the panel (" + std::to_string(panel) + " items)");
    Check(windowText > 0, "the handbook is open while the brake is set (" + std::to_string(windowText) + " lines)");
    CheckNoTypeMismatch();

    const XPLMDataRef slot = XPLMFindDataRef("QZTgov/slot");
    Check(slot && XPLMGetDatai(slot) == 37, "QZTgov/slot reads the carrier's slot 37");
    XPLMSetDatai(slot, 5);
    Check(XPLMGetDatai(slot) == 37, "and refuses a write");
    const auto names = xphost::published_datarefs();
    const auto told = xphost::messages_to(XPLMFindPluginBySignature(DataRefEditor));
    Check(names.size() == 11 && told.size() == names.size(),
          "DataRef Editor heard of each of the " + std::to_string(names.size()) + " published names once ("
              + std::to_string(told.size()) + " messages)");

    // The Windows build's own payload for the Korva light twin.
    std::printf("-- the Korva K-2\n");
    xphost::load_aircraft("QZT Korva K-2 light twin");
    xphost::advance(6.0);
    const double payload = LastWrite("sim/flightmodel/weight/m_fixed");
    Check(payload == 150.0, "the first action loads the Windows payload of 150 kg (" + Fixed(payload, 1) + ")");
    const bool pressed = xphost::command_once("QZTgov/qzt_key") && xphost::command_runs().back().passed_on;
    xphost::run_frame();                             // the view changes, the camera is taken
    Check(pressed && xphost::camera_controlled(),
          "the command QZTgov/qzt_key starts the K-2's camera and is passed on");
    xphost::disable();
    xphost::stop();
    Check(xphost::published_datarefs().empty() && !XPLMFindDataRef("QZTgov/slot"), "the published names are gone at stop");
    Check(xphost::command_handlers("QZTgov/qzt_key").empty(), "the command's handler is gone at stop");

    // A release stored in record 1, as a carrier's flight and a save leave it:
    // the record, and the index and the chosen record naming it.
    std::string text = ReadBinary(prefs);
    size_t line = 0;
    for (int k = 0; k < 4 && line != std::string::npos; ++k)
        line = text.find("\r\n", line) + 2;                  // the start of record 1
    const size_t end = text.find("\r\n", line);
    const bool edited = line != std::string::npos && end != std::string::npos;
    if (edited)
        text.replace(line, end - line,
                     "12.500000 -45.250000 95000.000000 1200.000000 50.000000 -7000.000000 "
                     "0.100000 0.200000 0.300000 0.900000 20.000000 0.000000 95.000000 7.100000 ");
    const std::string tail = "0 \r\n0 \r\n";
    const bool named = text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    if (named)
        text.replace(text.size() - tail.size(), tail.size(), "1 \r\n1 \r\n");
    Check(edited && named, "record 1 of the saved file can be edited");
    WriteBinary(prefs, text);

    // Second start: the file is freed and loaded anew, and reads the file back.
    std::printf("-- the file loaded again; the Ascender orbiter at its first brake release\n");
    if (!StartPlugin(file, folder))
        return 1;
    Check(ReadBinary(prefs) == text, "a start with an existing file leaves it as it is");
    Check(xphost::debug_log().size() == 1, "and the log says nothing of the file");
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::load_aircraft("QZT Ascender orbiter");
    xphost::advance(1.0);
    xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
    xphost::advance(5.0);
    const auto x = xphost::writes_to("sim/flightmodel/position/local_x");
    if (Check(!x.empty(), "the orbiter is placed after the brake release")) {
        double lat = 0, lon = 0, elev = 0;
        XPLMLocalToWorld(xphost::get_d("sim/flightmodel/position/local_x"),
                         xphost::get_d("sim/flightmodel/position/local_y"),
                         xphost::get_d("sim/flightmodel/position/local_z"), &lat, &lon, &elev);
        Check(std::fabs(lat - 12.5) < 1e-6 && std::fabs(lon + 45.25) < 1e-6 && std::fabs(elev - 95000.0) < 1e-3,
              "at the stored release: " + Fixed(lat, 6) + ", " + Fixed(lon, 6) + ", " + Fixed(elev, 1) + " m");
        const double vx = LastWrite("sim/flightmodel/position/local_vx");
        const double vz = LastWrite("sim/flightmodel/position/local_vz");
        Check(vx == 1200.0 && vz == -7000.0, "with the stored velocity (" + Fixed(vx, 1) + ", " + Fixed(vz, 1) + ")");
    }
    CheckNoTypeMismatch();
    xphost::disable();
    xphost::stop();

    // A folder deeper than MAX_PATH: the file only opens with the long-path prefix.
    std::wstring deep = std::wstring(UserFolder) + L"\\";
    for (int k = 0; k < 4; ++k)
        deep += std::wstring(60, static_cast<wchar_t>(L'a' + k)) + L"\\";
    const std::wstring deepFolder = MakeSimulatorFolder(deep);
    const std::wstring deepPrefs = deepFolder + L"Resources\\plugins\\QZTgov_Preferences.txt";
    std::printf("-- a start %zu characters deep\n", deepPrefs.size());
    if (StartPlugin(file, deepFolder)) {
        Check(deepPrefs.size() > MAX_PATH && ReadBinary(L"\\\\?\\" + deepPrefs) == DefaultPreferencesText(),
              "the defaults are saved " + std::to_string(deepPrefs.size()) + " characters deep");
        xphost::disable();
        xphost::stop();
    }
    xphost::reset();                                         // frees the file
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qzt-wine-loader <QZTgov.xpl>\n");
        return 2;
    }
    Run(argv[1]);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
