// prefs/prefs.cpp: the preferences file. It keeps the user's settings and the
// orbit release table as numbers in text, read token by token.
#include "prefs/prefs.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "XPLMUtilities.h"
#include "carrier/orbiter.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

int     qzt_vers = 120;
int     qzt_vers_pref = 0;
uint8_t QZTkey = 115, QZTkey1 = 115;
uint8_t showInitialInfo = 1, showInitialInfo1 = 1;
uint8_t showFeetAP = 0, showFeetAP1 = 0;
uint8_t autoGear = 0, autoGear1 = 0;
uint8_t autoFlaps = 0, autoFlaps1 = 0;
uint8_t autoEngineRam = 0, autoEngineRam1 = 0;
int     Halv_TO_mode = 0, Halv_TO_mode1 = 0;
int     orbindex_active = 0;
int     INDEXtostore = 0;    // 0 only until the file has been read: a new file stores 0
char    outputPath[OutputPathLen] = {};

#if IBM
static const char PrefsRelativePath[] = "Resources\\Plugins\\QZTgov_Preferences.txt";
#elif APL
static const char PrefsRelativePath[] = "Resources:Plugins:QZTgov_Preferences.txt";
#else
static const char PrefsRelativePath[] = "Resources/plugins/QZTgov_Preferences.txt";
#endif

static const char TempSuffix[] = ".tmp";
enum { DefaultQZTkey = 115, HostPathLen = 1024 };

#if APL
// The host gives an HFS path ("Disk:Users:me:X-Plane:"), which the C library
// cannot open. Every volume, the start-up disk too, is reachable below
// /Volumes, and a '/' inside an HFS name is a ':' in the POSIX one. A host
// already in POSIX form only needs the colons of our own relative part turned.
static bool ToPosixPath(const char* joined, size_t relativeStart, char* out, size_t outSize)
{
    static const char Volumes[] = "/Volumes/";
    const bool posix = joined[0] == '/';
    size_t n = 0;
    if (!posix) {
        if (sizeof Volumes > outSize)
            return false;
        std::memcpy(out, Volumes, sizeof Volumes - 1);
        n = sizeof Volumes - 1;
    }
    for (size_t i = 0; joined[i] != '\0'; ++i) {
        char c = joined[i];
        if (c == ':' && (!posix || i >= relativeStart))
            c = '/';
        else if (c == '/' && !posix)
            c = ':';
        if (n + 1 >= outSize)
            return false;
        out[n++] = c;
    }
    out[n] = '\0';
    return true;
}
#endif

// Fills outputPath, or leaves it empty when the full path does not fit: the
// file is then neither read nor written and the values stay in memory.
static bool BuildOutputPath()
{
    outputPath[0] = '\0';
    char systemPath[HostPathLen] = {};
    XPLMGetSystemPath(systemPath);
    systemPath[sizeof systemPath - 1] = '\0';

    char joined[HostPathLen + sizeof PrefsRelativePath];
    const int len = std::snprintf(joined, sizeof joined, "%s%s", systemPath, PrefsRelativePath);
    if (len < 0 || len >= static_cast<int>(sizeof joined))
        return false;
#if APL
    const size_t relativeStart = std::strlen(systemPath);
    if (!ToPosixPath(joined, relativeStart, outputPath, sizeof outputPath)) {
        outputPath[0] = '\0';
        return false;
    }
#else
    if (len >= static_cast<int>(sizeof outputPath))
        return false;
    std::memcpy(outputPath, joined, static_cast<size_t>(len) + 1);
#endif
    return true;
}

// A release is never stored into record 0, and never past record 10.
static void DeriveIndexToStore()
{
    INDEXtostore = (orbindex_active >= 0 && orbindex_active <= 9) ? orbindex_active + 1 : 1;
}

// Reads stop at the first value that is missing or not a number; that value
// and every later one keep what memory holds.
struct Reader {
    FILE* file;
    bool  ok;
};

static bool ReadInt(Reader& r, int& value)
{
    int v = 0;
    if (!r.ok || std::fscanf(r.file, "%d", &v) != 1) {
        r.ok = false;
        return false;
    }
    value = v;
    return true;
}

static bool ReadIntIn(Reader& r, int& value, int low, int high, int fallback)
{
    int v = 0;
    if (!ReadInt(r, v))
        return false;
    value = (v >= low && v <= high) ? v : fallback;
    return true;
}

static void ReadFlag(Reader& r, uint8_t& flag)
{
    int v = 0;
    if (ReadInt(r, v))
        flag = v != 0;
}

static void ReadDouble(Reader& r, double& value)
{
    double v = 0.0;
    if (!r.ok || std::fscanf(r.file, "%lf", &v) != 1) {
        r.ok = false;
        return;
    }
    value = std::isfinite(v) ? v : 0.0;
}

static void ReadFloat(Reader& r, float& value)
{
    float v = 0.0f;
    if (!r.ok || std::fscanf(r.file, "%f", &v) != 1) {
        r.ok = false;
        return;
    }
    value = std::isfinite(v) ? v : 0.0f;
}

static void ReadFile(FILE* file)
{
    Reader r{file, true};

    ReadInt(r, qzt_vers_pref);
    // A file too short to name the key leaves the plug-in without one.
    int key = 0;
    ReadIntIn(r, key, 0, 255, DefaultQZTkey);
    ReadFlag(r, showInitialInfo);
    ReadFlag(r, showFeetAP);
    ReadFlag(r, autoGear);
    ReadFlag(r, autoFlaps);
    ReadFlag(r, autoEngineRam);
    ReadIntIn(r, Halv_TO_mode, 0, 3, 0);
    QZTkey = static_cast<uint8_t>(key);

    QZTkey1 = QZTkey;
    showInitialInfo1 = showInitialInfo;
    showFeetAP1 = showFeetAP;
    autoGear1 = autoGear;
    autoFlaps1 = autoFlaps;
    autoEngineRam1 = autoEngineRam;
    Halv_TO_mode1 = Halv_TO_mode;

    for (int i = 0; i < OrbRecords; ++i) {
        ReadDouble(r, orb_latitude[i]);
        ReadDouble(r, orb_longitude[i]);
        ReadDouble(r, orb_elevation[i]);
        ReadFloat(r, orb_local_vx[i]);
        ReadFloat(r, orb_local_vy[i]);
        ReadFloat(r, orb_local_vz[i]);
        for (int q = 0; q < 4; ++q)
            ReadFloat(r, orb_quaternion[i][q]);
        ReadFloat(r, orb_pitch[i]);
        ReadFloat(r, orb_roll[i]);
        ReadFloat(r, orb_head[i]);
        ReadFloat(r, orb_speed[i]);
    }

    ReadIntIn(r, orbindex_active, 0, OrbRecords - 1, 0);
}

void PreferencesLoad()
{
    if (!BuildOutputPath()) {
        DeriveIndexToStore();
        return;
    }
    FILE* file = std::fopen(outputPath, "r");
    if (!file) {
        // First start: write the defaults, then read them back like any file.
        PreferencesSave();
        file = std::fopen(outputPath, "r");
    }
    if (!file) {
        DeriveIndexToStore();
        return;
    }
    ReadFile(file);
    std::fclose(file);
    DeriveIndexToStore();
}

static bool WriteContents(FILE* f)
{
    bool ok = std::fprintf(f, "%d \n", qzt_vers) > 0;
    ok = ok && std::fprintf(f, "%d \n", static_cast<int>(QZTkey)) > 0;
    ok = ok && std::fprintf(f, "%d %d %d %d %d %d \n", showInitialInfo, showFeetAP, autoGear, autoFlaps,
                            autoEngineRam, Halv_TO_mode) > 0;
    for (int i = 0; ok && i < OrbRecords; ++i) {
        ok = std::fprintf(f, "%lf %lf %lf %f %f %f %f %f %f %f %f %f %f %f \n", orb_latitude[i],
                          orb_longitude[i], orb_elevation[i], orb_local_vx[i], orb_local_vy[i],
                          orb_local_vz[i], orb_quaternion[i][0], orb_quaternion[i][1], orb_quaternion[i][2],
                          orb_quaternion[i][3], orb_pitch[i], orb_roll[i], orb_head[i], orb_speed[i]) > 0;
    }
    ok = ok && std::fprintf(f, "%d \n", INDEXtostore) > 0;
    return ok && std::fflush(f) == 0;
}

static bool SyncToDisk(FILE* f)
{
#if defined(_WIN32)
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

static bool ReplaceFile(const char* from, const char* to)
{
#if defined(_WIN32)
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from, to) == 0;
#endif
}

// The new contents go to a file beside the old one, which is replaced in one
// step only once everything is on disk: a crash or a full disk mid-save
// leaves the previous file as it was.
bool PreferencesSave()
{
    if (outputPath[0] == '\0')
        return false;
    char tempPath[OutputPathLen + sizeof TempSuffix];
    std::snprintf(tempPath, sizeof tempPath, "%s%s", outputPath, TempSuffix);

    FILE* f = std::fopen(tempPath, "w");
    if (!f)
        return false;
    bool ok = WriteContents(f);
    ok = ok && SyncToDisk(f);
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || !ReplaceFile(tempPath, outputPath)) {
        std::remove(tempPath);
        return false;
    }
    return true;
}
