// libFuzzer target: arbitrary bytes as the preferences file, and the plug-in
// started against it through the stand-in host, as the simulator starts it.
// Afterwards every setting and index must be in its range, every release value
// finite, the file untouched (reading never writes), and a save of what was
// read must write the file in its documented form, which reads back the same.
// Any sanitizer report or broken rule aborts the run with the input saved.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "xphost.h"
#include "support/linked_plugin.h"
#include "support/prefs_globals.h"
#include "carrier/orbiter.h"
#include "frame/plugin.h"
#include "prefs/prefs.h"

// The fuzzer measures the reader, not the disk: the saves' flushes to disk
// are answered at once. Everything else is the C library's own.
extern "C" int fsync(int) { return 0; }

namespace {

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "prefs_fuzz: %s\n", what);
        std::abort();
    }
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Flag(uint8_t v) { return v == 0 || v == 1; }

void CheckValues()
{
    Require(QZTkey1 == QZTkey, "key and its working copy differ");
    Require(Flag(showInitialInfo) && Flag(showFeetAP) && Flag(autoGear) && Flag(autoFlaps) && Flag(autoEngineRam),
            "a flag is neither 0 nor 1");
    Require(showInitialInfo1 == showInitialInfo && showFeetAP1 == showFeetAP && autoGear1 == autoGear &&
                autoFlaps1 == autoFlaps && autoEngineRam1 == autoEngineRam,
            "a flag and its working copy differ");
    Require(Halv_TO_mode >= 0 && Halv_TO_mode <= 3 && Halv_TO_mode1 == Halv_TO_mode, "take-off load out of range");
    Require(orbindex_last >= 0 && orbindex_last <= 10, "stored record out of range");
    Require(orbindex_active >= 0 && orbindex_active <= 10, "chosen record out of range");
    Require(INDEXtostore >= 1 && INDEXtostore <= 10, "INDEXtostore out of range");
    Require(INDEXtostore == (orbindex_last <= 9 ? orbindex_last + 1 : 1), "INDEXtostore not the next record");
    for (int i = 0; i < OrbRecords; ++i) {
        const double v[] = {orb_latitude[i], orb_longitude[i], orb_elevation[i], orb_local_vx[i], orb_local_vy[i],
                            orb_local_vz[i], orb_quaternion[i][0], orb_quaternion[i][1], orb_quaternion[i][2],
                            orb_quaternion[i][3], orb_pitch[i], orb_roll[i], orb_head[i], orb_speed[i]};
        for (double x : v)
            Require(std::isfinite(x), "a release value is not finite");
    }
}

bool IsInt(const std::string& t)
{
    size_t i = t[0] == '-' ? 1 : 0;
    if (i == t.size())
        return false;
    for (; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9')
            return false;
    return true;
}

bool IsFixed(const std::string& t)
{
    const size_t dot = t.find('.');
    return dot != std::string::npos && dot > 0 && IsInt(t.substr(0, dot)) && t.size() - dot - 1 == 6 &&
           IsInt(t.substr(dot + 1)) && t[dot + 1] != '-';
}

// 16 lines: three of integers, eleven records of fourteen fixed decimals, the
// index and the chosen record.
void CheckWrittenForm(const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    std::string line;
    Require(!text.empty() && text.back() == '\n', "saved file does not end in a line feed");
    while (std::getline(in, line)) {
        std::vector<std::string> words;
        std::istringstream w(line);
        for (std::string t; w >> t;)
            words.push_back(t);
        lines.push_back(words);
    }
    Require(lines.size() == 16, "saved file does not have 16 lines");
    const size_t counts[] = {1, 1, 6};
    for (int l = 0; l < 3; ++l) {
        Require(lines[l].size() == counts[l], "saved settings line has the wrong count");
        for (const auto& t : lines[l])
            Require(IsInt(t), "saved setting is not an integer");
    }
    for (int l = 3; l < 14; ++l) {
        Require(lines[l].size() == 14, "saved record does not have 14 values");
        for (const auto& t : lines[l])
            Require(IsFixed(t), "saved record value is not in fixed notation with six decimals");
    }
    Require(lines[14].size() == 1 && IsInt(lines[14][0]), "saved index line is not one integer");
    Require(lines[15].size() == 1 && IsInt(lines[15][0]), "saved chosen record is not one integer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    xphost::reset();
    ResetPreferenceGlobals();
    xphost::attach(LinkedPlugin());

    const std::string path = xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt";
    const std::string input(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(path, std::ios::binary);
        out << input;
    }
    Require(xphost::start() == 1, "start failed");
    CheckValues();
    Require(PrefsFailure == nullptr, "a readable file was reported as a failure");
    Require(ReadAll(path) == input, "reading the file changed it");

    // What was read, saved and read again: the documented form, the same values.
    const int key = QZTkey, index = orbindex_last, chosen = orbindex_active;
    PreferencesSave();
    Require(PrefsFailure == nullptr, "the save failed");
    const std::string saved = ReadAll(path);
    CheckWrittenForm(saved);
    PreferencesLoad();
    CheckValues();
    Require(QZTkey == key, "the key changed over a save and a load");
    Require(orbindex_last == index && INDEXtostore == (index <= 9 ? index + 1 : 1),
            "the stored index did not come back as saved");
    Require(orbindex_active == chosen, "the chosen record did not come back as saved");
    xphost::stop();
    return 0;
}
