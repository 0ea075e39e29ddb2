// prefs/prefs.cpp: the preferences file. It keeps the user's settings and the
// orbit release table as numbers in text, read token by token.
#include "prefs/prefs.h"
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "XPLMUtilities.h"
#include "carrier/orbiter.h"
#include "frame/log.h"
#include "frame/plugin.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#include <cwchar>
#else
#include <fcntl.h>
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
int     orbindex_last = 0;
int     INDEXtostore = 0;    // 0 only until the file has been read: a new file stores 0
char    outputPath[OutputPathLen] = {};
const char* PrefsFailure = nullptr;

// The folder's real name is "plugins"; older versions asked for "Plugins" on
// Windows and the Mac, which on a case-sensitive volume is another folder, so
// a file there is still read (and the next save goes to the real one).
static const char PrefsFolder[] = "Resources/plugins/";
static const char OldPrefsFolder[] = "Resources/Plugins/";
static const char PrefsName[] = "QZTgov_Preferences.txt";
static const char TempSuffix[] = ".tmp";
enum { DefaultQZTkey = 115 };
static_assert(HostPathLen - 1 + sizeof PrefsFolder + sizeof PrefsName <= OutputPathLen,
              "every folder the host can give fits");

// Every failure goes to the simulator's log with the system's reason; the
// last one is also kept for whoever looks (the tests do).
static void ReportPrefsFailure(const char* what, const char* path = outputPath, int error = errno)
{
    PrefsFailure = what;
    if (error != 0)
        LogLine("%s (%s: %s)", what, path, std::strerror(error));
    else
        LogLine("%s (%s)", what, path);
}

// The folder and the file's place below it in the host's form: without native
// paths Windows separates with backslashes.
static bool JoinPath(const char* folder)
{
    const int len = std::snprintf(outputPath, sizeof outputPath, "%s%s%s", folder, PrefsFolder, PrefsName);
    if (len < 0 || static_cast<size_t>(len) >= sizeof outputPath)
        return false;
#if IBM
    if (!NativePaths)
        for (char* c = outputPath + std::strlen(folder); *c != '\0'; ++c)
            if (*c == '/')
                *c = '\\';
#endif
    return true;
}

// Fills outputPath, or leaves it empty when the host's folder cannot be used:
// the file is then neither read nor written and the values stay in memory.
static bool BuildOutputPath()
{
    outputPath[0] = '\0';
    char systemPath[HostPathLen] = {};
    XPLMGetSystemPath(systemPath);
    // A folder that filled the whole buffer may have been cut short.
    if (systemPath[HostPathLen - 1] != '\0') {
        systemPath[HostPathLen - 1] = '\0';
        ReportPrefsFailure("the simulator's folder fills the whole 1024-byte path buffer; the preferences file is "
                           "neither read nor saved, running on the defaults", systemPath, 0);
        return false;
    }
#if APL
    // A colon path ("Disk:Users:...") is none the C library can open.
    if (!NativePaths) {
        ReportPrefsFailure("the simulator gives no native paths; the preferences file is neither read nor saved, "
                           "running on the defaults", systemPath, 0);
        return false;
    }
#endif
    if (!JoinPath(systemPath)) {
        outputPath[0] = '\0';
        return false;
    }
    return true;
}

#if defined(_WIN32)
// The C library's narrow file functions read a name in the ANSI code page; the
// host's native paths are UTF-8, so files are reached by their UTF-16 names. A
// long name (past MAX_PATH less a folder's 12) only opens with the \\?\ prefix,
// which takes backslashes alone.
constexpr int WidePathLen = OutputPathLen + sizeof TempSuffix + 8;

static bool ToWide(const char* path, wchar_t (&out)[WidePathLen])
{
    constexpr int Prefix = 6;   // room for the prefix
    const UINT codePage = NativePaths ? CP_UTF8 : CP_ACP;
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, path, -1, out + Prefix, WidePathLen - Prefix);
    if (n <= 0) {
        errno = GetLastError() == ERROR_INSUFFICIENT_BUFFER ? ENAMETOOLONG : EILSEQ;
        return false;
    }
    wchar_t* name = out + Prefix;
    for (wchar_t* c = name; *c != L'\0'; ++c)
        if (*c == L'/')
            *c = L'\\';
    const int len = n - 1;
    const bool drive = len >= 3 && name[1] == L':' && name[2] == L'\\';
    const bool share = len >= 2 && name[0] == L'\\' && name[1] == L'\\' && (len < 3 || name[2] != L'?');
    if (len >= MAX_PATH - 12 && drive) {
        name -= 4;
        std::memcpy(name, L"\\\\?\\", 4 * sizeof(wchar_t));
    } else if (len >= MAX_PATH - 12 && share) {
        name -= 6;
        std::memcpy(name, L"\\\\?\\UNC", 7 * sizeof(wchar_t));   // \\server\share: \\?\UNC\server\share
    }
    std::memmove(out, name, (std::wcslen(name) + 1) * sizeof(wchar_t));
    return true;
}

static FILE* OpenFile(const char* path, const wchar_t* mode)
{
    wchar_t wide[WidePathLen];
    return ToWide(path, wide) ? _wfopen(wide, mode) : nullptr;
}

static void RemoveFile(const char* path)
{
    wchar_t wide[WidePathLen];
    if (ToWide(path, wide))
        _wremove(wide);
}

static bool ReplaceFile(const char* from, const char* to)
{
    static wchar_t wideFrom[WidePathLen], wideTo[WidePathLen];
    if (!ToWide(from, wideFrom) || !ToWide(to, wideTo))
        return false;
    if (MoveFileExW(wideFrom, wideTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    // The C library's words for the reasons a move fails most often.
    const DWORD error = GetLastError();
    errno = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? EACCES
          : error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL  ? ENOSPC
                                                                         : EIO;
    return false;
}
#define QZT_MODE(m) L##m
#else
static FILE* OpenFile(const char* path, const char* mode) { return std::fopen(path, mode); }
static void RemoveFile(const char* path) { std::remove(path); }
static bool ReplaceFile(const char* from, const char* to) { return std::rename(from, to) == 0; }
#define QZT_MODE(m) m
#endif

// A release is never stored into record 0, and never past record 10.
static void DeriveIndexToStore()
{
    INDEXtostore = (orbindex_last >= 0 && orbindex_last <= 9) ? orbindex_last + 1 : 1;
}

// The whole file is read into memory before any value is taken, so a file
// that cannot be read changes nothing. Any file this plug-in writes fits: even
// with every value near its type's limit in fixed notation (a double takes
// 317 characters) it stays below 17 KB.
enum { PrefsTextMax = 65536, TokenMax = 400 };
static char PrefsText[PrefsTextMax];

// Reading stops at the first value that is missing or not a number; that value
// and every later one keep what memory holds.
struct Reader {
    const char* text;
    size_t      len;
    size_t      pos;
    bool        cut;     // the file goes on past the buffer
    bool        ok;
};

// The separators fscanf skips, without the locale and without isspace's
// undefined behaviour on a negative char.
static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The next blank-separated word as a C string. A word that may have been cut
// at the buffer's end, is longer than any number we write or holds a NUL is
// not a number.
static bool NextToken(Reader& r, char (&token)[TokenMax + 1])
{
    if (!r.ok)
        return false;
    while (r.pos < r.len && IsBlank(r.text[r.pos]))
        ++r.pos;
    const size_t start = r.pos;
    while (r.pos < r.len && !IsBlank(r.text[r.pos]))
        ++r.pos;
    const size_t n = r.pos - start;
    if (n == 0 || n > TokenMax || (r.cut && r.pos == r.len) || std::memchr(r.text + start, '\0', n)) {
        r.ok = false;
        return false;
    }
    std::memcpy(token, r.text + start, n);
    token[n] = '\0';
    return true;
}

// A decimal integer that fills the whole word. A number beyond int is read
// (so reading goes on) but reported as out of range: it is never narrowed.
enum { IntMissing, IntOutOfRange, IntRead };

static int ReadInt(Reader& r, int& value)
{
    char token[TokenMax + 1];
    if (!NextToken(r, token))
        return IntMissing;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(token, &end, 10);
    if (end == token || *end != '\0') {
        r.ok = false;
        return IntMissing;
    }
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return IntOutOfRange;
    value = static_cast<int>(v);
    return IntRead;
}

static bool ReadIntIn(Reader& r, int& value, int low, int high, int fallback)
{
    int v = 0;
    const int got = ReadInt(r, v);
    if (got == IntMissing)
        return false;
    value = (got == IntRead && v >= low && v <= high) ? v : fallback;
    return true;
}

// Any non-zero number is on, one beyond int too.
static void ReadFlag(Reader& r, uint8_t& flag)
{
    int v = 0;
    const int got = ReadInt(r, v);
    if (got != IntMissing)
        flag = got == IntOutOfRange || v != 0;
}

// strtod and strtof define what an overflow gives (an infinity), which then
// becomes 0 like any number that is not finite.
static void ReadDouble(Reader& r, double& value)
{
    char token[TokenMax + 1];
    if (!NextToken(r, token))
        return;
    char* end = nullptr;
    const double v = std::strtod(token, &end);
    if (end == token || *end != '\0') {
        r.ok = false;
        return;
    }
    value = std::isfinite(v) ? v : 0.0;
}

static void ReadFloat(Reader& r, float& value)
{
    char token[TokenMax + 1];
    if (!NextToken(r, token))
        return;
    char* end = nullptr;
    const float v = std::strtof(token, &end);
    if (end == token || *end != '\0') {
        r.ok = false;
        return;
    }
    value = std::isfinite(v) ? v : 0.0f;
}

void ResetWorkingCopies()
{
    QZTkey1 = QZTkey;
    showInitialInfo1 = showInitialInfo;
    showFeetAP1 = showFeetAP;
    autoGear1 = autoGear;
    autoFlaps1 = autoFlaps;
    autoEngineRam1 = autoEngineRam;
    Halv_TO_mode1 = Halv_TO_mode;
}

static void ReadValues(Reader& r)
{
    int version = 0;
    if (ReadInt(r, version) == IntRead)
        qzt_vers_pref = version;
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
    ResetWorkingCopies();

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

    ReadIntIn(r, orbindex_last, 0, OrbRecords - 1, 0);
    // The record chosen in the dialog follows the index; files written before
    // the choice was kept end here, and their orbiter starts from the latest release.
    orbindex_active = orbindex_last;
    ReadIntIn(r, orbindex_active, 0, OrbRecords - 1, orbindex_last);
}

// False when the file could not be read; memory is then left as it was.
static bool ReadFile(FILE* file)
{
    const size_t len = std::fread(PrefsText, 1, sizeof PrefsText, file);
    if (std::ferror(file))
        return false;
    const bool cut = len == sizeof PrefsText && std::fgetc(file) != EOF;
    if (std::ferror(file))
        return false;
    Reader r{PrefsText, len, 0, cut, true};
    ReadValues(r);
    return true;
}

// outputPath with the folder's old spelling, its separators as they are.
static void OldSpellingPath(char (&out)[OutputPathLen])
{
    const size_t len = std::strlen(outputPath);
    const size_t relative = len - (sizeof PrefsFolder - 1) - (sizeof PrefsName - 1);
    std::memcpy(out, outputPath, len + 1);
    for (size_t i = 0; i < sizeof OldPrefsFolder - 1; ++i)
        if (OldPrefsFolder[i] != '/')
            out[relative + i] = OldPrefsFolder[i];
}

void PreferencesLoad()
{
    if (!BuildOutputPath()) {
        DeriveIndexToStore();
        return;
    }
    static char oldPath[OutputPathLen];
    const char* path = outputPath;
    FILE* file = OpenFile(path, QZT_MODE("r"));
    if (!file && errno == ENOENT) {
        OldSpellingPath(oldPath);
        path = oldPath;
        file = OpenFile(path, QZT_MODE("r"));
    }
    // Only a file that does not exist is a first start: one that exists but
    // cannot be opened now (no permission, locked, no handles left) holds the
    // user's key and releases and must never be replaced by the defaults.
    if (!file && errno == ENOENT) {
        PreferencesSave();
        path = outputPath;
        file = OpenFile(path, QZT_MODE("r"));
    }
    if (!file) {
        ReportPrefsFailure("cannot open the preferences file; running on the values in memory, the file is left alone",
                           path);
        DeriveIndexToStore();
        return;
    }
    if (!ReadFile(file))
        ReportPrefsFailure("cannot read the preferences file; running on the values in memory, the file is left alone",
                           path);
    std::fclose(file);
    DeriveIndexToStore();
}

// A value that is not finite (a release stored from a host that gave NaN)
// goes into the file as 0, which is what reading it back would make of it.
static double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

static bool WriteContents(FILE* f)
{
    bool ok = std::fprintf(f, "%d \n", qzt_vers) > 0;
    ok = ok && std::fprintf(f, "%d \n", static_cast<int>(QZTkey)) > 0;
    ok = ok && std::fprintf(f, "%d %d %d %d %d %d \n", showInitialInfo, showFeetAP, autoGear, autoFlaps,
                            autoEngineRam, Halv_TO_mode) > 0;
    for (int i = 0; ok && i < OrbRecords; ++i) {
        ok = std::fprintf(f, "%lf %lf %lf %f %f %f %f %f %f %f %f %f %f %f \n", Finite(orb_latitude[i]),
                          Finite(orb_longitude[i]), Finite(orb_elevation[i]), Finite(orb_local_vx[i]),
                          Finite(orb_local_vy[i]), Finite(orb_local_vz[i]), Finite(orb_quaternion[i][0]),
                          Finite(orb_quaternion[i][1]), Finite(orb_quaternion[i][2]), Finite(orb_quaternion[i][3]),
                          Finite(orb_pitch[i]), Finite(orb_roll[i]), Finite(orb_head[i]), Finite(orb_speed[i])) > 0;
    }
    // The index names the latest release, so a save without one keeps it and
    // no record is skipped; the choice is only ever a record of the table.
    const int chosen = (orbindex_active >= 0 && orbindex_active < OrbRecords) ? orbindex_active : orbindex_last;
    ok = ok && std::fprintf(f, "%d \n", orbindex_last) > 0;
    ok = ok && std::fprintf(f, "%d \n", chosen) > 0;
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

// The rename lives in the folder's own entries: until they are on disk a power
// loss can bring back the old file, or on some file systems none at all.
// (On Windows the write-through move has flushed them already.)
static bool SyncFolderOf(const char* path)
{
#if defined(_WIN32)
    (void)path;
    return true;
#else
    char folder[OutputPathLen];
    const char* slash = std::strrchr(path, '/');
    size_t n = slash ? static_cast<size_t>(slash - path) : 0;
    if (slash && n == 0)
        n = 1;   // the root folder
    if (!slash)
        folder[n++] = '.';
    else
        std::memcpy(folder, path, n);
    folder[n] = '\0';
    const int fd = open(folder, O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
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

    FILE* f = OpenFile(tempPath, QZT_MODE("w"));
    if (!f) {
        ReportPrefsFailure("cannot create the preferences file's new copy; the file is left as it was", tempPath);
        return false;
    }
    bool ok = WriteContents(f);
    ok = ok && SyncToDisk(f);
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        ReportPrefsFailure("cannot write the preferences file's new copy; the file is left as it was", tempPath);
        RemoveFile(tempPath);
        return false;
    }
    if (!ReplaceFile(tempPath, outputPath)) {
        ReportPrefsFailure("cannot replace the preferences file with its new copy; the file is left as it was");
        RemoveFile(tempPath);
        return false;
    }
    // The new contents are in place; only their way to the disk is unconfirmed.
    if (!SyncFolderOf(outputPath))
        ReportPrefsFailure("the preferences file was saved, but its folder could not be flushed to disk");
    return true;
}
