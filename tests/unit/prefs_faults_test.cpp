// Saves interrupted at every step and loads at every failure: afterwards the
// file is the old one or the new one, never a broken one, never replaced by
// the defaults while it exists, and the settings and releases in memory are
// intact.
//
// Failures are made where they happen for real wherever the kernel makes
// them: its file size limit cuts a write after N bytes (and, with its signal
// left on, kills the process right there, as a crash would); /dev/full is a
// full disk; a folder stands where the file should be; the handle limit leaves
// no handle to open. What the kernel does not do for root (refuse a folder
// without write permission or a file without read permission) or only by
// chance (a failing rename, flush or close) is answered here: the C library's
// calls are wrapped in this test program and fail with the error asked for,
// for the preferences file and its new copy only.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include "support/prefs_fixture.h"

namespace fs = std::filesystem;

namespace fault {
int openRead = 0;                    // errno for opening the file to read it
int openWrite = 0;                   // errno for creating the new copy
int sync = 0;                        // errno for flushing the new copy to disk
int close = 0;                       // errno for closing the new copy
int rename = 0;                      // errno for replacing the file
FILE* copy = nullptr;                // the new copy while it is open
std::vector<std::string> steps;      // "sync copy", "rename", "sync folder", in order
ino_t syncedFolder = 0;
}  // namespace fault

namespace {

bool PrefsPath(const char* path)
{
    const size_t n = std::strlen(outputPath);
    return path && n > 0 && std::strncmp(path, outputPath, n) == 0;
}

template <typename F>
F Real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" FILE* fopen(const char* path, const char* mode)
{
    static const auto real = Real<FILE* (*)(const char*, const char*)>("fopen");
    if (!PrefsPath(path))
        return real(path, mode);
    const bool reading = mode[0] == 'r';
    if (const int err = reading ? fault::openRead : fault::openWrite) {
        errno = err;
        return nullptr;
    }
    FILE* f = real(path, mode);
    if (!reading)
        fault::copy = f;
    return f;
}

extern "C" int fclose(FILE* f)
{
    static const auto real = Real<int (*)(FILE*)>("fclose");
    const bool copy = f && f == fault::copy;
    if (copy)
        fault::copy = nullptr;
    const int result = real(f);
    if (copy && fault::close) {
        errno = fault::close;
        return EOF;
    }
    return result;
}

extern "C" int fsync(int fd)
{
    static const auto real = Real<int (*)(int)>("fsync");
    struct stat st {};
    const bool folder = fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    fault::steps.push_back(folder ? "sync folder" : "sync copy");
    if (folder)
        fault::syncedFolder = st.st_ino;
    else if (fault::sync) {
        errno = fault::sync;
        return -1;
    }
    return real(fd);
}

extern "C" int rename(const char* from, const char* to) noexcept
{
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    if (PrefsPath(to)) {
        fault::steps.push_back("rename");
        if (fault::rename) {
            errno = fault::rename;
            return -1;
        }
    }
    return real(from, to);
}

namespace {

std::string PrefsFile() { return xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt"; }

// What the user had saved: a key of their own, a release in record 3,
// named as the last one filled.
void OldValues()
{
    QZTkey = 97;
    showFeetAP = 1;
    orb_latitude[3] = 28.573611;
    orb_longitude[3] = -80.649167;
    orb_elevation[3] = 91440.0;
    orb_local_vx[3] = 2101.5f;
    orb_quaternion[3][0] = 0.707107f;
    orbindex_last = orbindex_active = 3;
}

// This session's changes on top of the old file: another key and a release
// into record 4, the record this run fills.
void NewValues()
{
    QZTkey = 66;
    orb_latitude[4] = 12.25;
    orb_longitude[4] = 45.5;
    orb_elevation[4] = 93000.0;
    orb_local_vz[4] = -1999.75f;
    orbindex_last = orbindex_active = 4;
}

// A copy of everything a save writes, to show that a failed save leaves memory alone.
struct Memory {
    int key, feet, index;
    double lat[OrbRecords], lon[OrbRecords], elev[OrbRecords];
    float vz[OrbRecords], q0[OrbRecords];
};

Memory Snapshot()
{
    Memory m;
    std::memset(&m, 0, sizeof m);   // padding too, for the comparison below
    m.key = QZTkey;
    m.feet = showFeetAP;
    m.index = orbindex_last;
    for (int i = 0; i < OrbRecords; ++i) {
        m.lat[i] = orb_latitude[i];
        m.lon[i] = orb_longitude[i];
        m.elev[i] = orb_elevation[i];
        m.vz[i] = orb_local_vz[i];
        m.q0[i] = orb_quaternion[i][0];
    }
    return m;
}

bool Same(const Memory& a, const Memory& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class PrefsFaults : public PrefsTest {
protected:
    void SetUp() override
    {
        PrefsTest::SetUp();
        fault::openRead = fault::openWrite = fault::sync = fault::close = fault::rename = 0;
        fault::copy = nullptr;
        fault::steps.clear();
    }

    // Makes the old and the new text in a session of their own, then leaves
    // a fresh host whose folder holds the old file.
    void MakeTexts()
    {
        Start();
        OldValues();
        PreferencesSave();
        old_ = ReadWholeFile(PrefsFile());
        ResetPreferenceGlobals();
        PreferencesLoad();
        NewValues();
        PreferencesSave();
        new_ = ReadWholeFile(PrefsFile());
        ASSERT_NE(old_, new_);
        SetUp();
        WriteWholeFile(PrefsFile(), old_);
    }

    // Starts against the old file and makes this session's changes.
    void StartSession()
    {
        MakeTexts();
        Start();
        ASSERT_EQ(QZTkey, 97);
        ASSERT_EQ(INDEXtostore, 4);
        NewValues();
        memory_ = Snapshot();
    }

    void ExpectOldFileAndMemoryIntact()
    {
        EXPECT_EQ(ReadWholeFile(PrefsFile()), old_);
        EXPECT_FALSE(fs::exists(fs::symlink_status(PrefsFile() + ".tmp")));
        EXPECT_NE(PrefsFailure, nullptr);
        EXPECT_TRUE(Same(Snapshot(), memory_));
    }

    std::string old_, new_;
    Memory memory_{};
};

// The kernel cuts the new copy after N bytes, for every N: the save fails, says
// so, and the old file stays. A limit that holds the whole copy lets it through.
TEST_F(PrefsFaults, AWriteCutAfterAnyByteKeepsTheOldFile)
{
    StartSession();
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    for (size_t n = 0; n <= new_.size(); ++n) {
        SCOPED_TRACE(n);
        PrefsFailure = nullptr;
        rlimit cut = saved;
        cut.rlim_cur = n;
        setrlimit(RLIMIT_FSIZE, &cut);
        PreferencesSave();
        setrlimit(RLIMIT_FSIZE, &saved);
        if (n < new_.size()) {
            ExpectOldFileAndMemoryIntact();
        } else {
            EXPECT_EQ(ReadWholeFile(PrefsFile()), new_);
            EXPECT_EQ(PrefsFailure, nullptr);
        }
        if (HasFailure())
            break;
    }
    signal(SIGXFSZ, SIG_DFL);
}

// The process dies in the middle of the save, after any byte of the new copy:
// the file is the old one, or the new one once the copy was complete, and the
// next start reads one of the two whole.
TEST_F(PrefsFaults, ACrashAtAnyByteLeavesTheOldFileOrTheNew)
{
    StartSession();
    // A process per byte is slow on a loaded machine: every line's last bytes
    // and first byte, and every 11th byte between them (the cut in the same
    // process above covers every byte).
    std::vector<size_t> cuts;
    for (size_t n = 0; n <= new_.size(); ++n) {
        const bool lineEdge = (n < new_.size() && new_[n] == '\n') || (n > 0 && new_[n - 1] == '\n') ||
                              (n + 1 < new_.size() && new_[n + 1] == '\n');
        if (lineEdge || n % 11 == 0 || n == new_.size() || n + 1 == new_.size())
            cuts.push_back(n);
    }
    for (size_t n : cuts) {
        SCOPED_TRACE(n);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            rlimit none{0, 0};
            setrlimit(RLIMIT_CORE, &none);
            rlimit cut{};
            getrlimit(RLIMIT_FSIZE, &cut);
            cut.rlim_cur = n;
            setrlimit(RLIMIT_FSIZE, &cut);
            signal(SIGXFSZ, SIG_DFL);
            PreferencesSave();
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string text = ReadWholeFile(PrefsFile());
        if (n < new_.size()) {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
            EXPECT_EQ(text, old_);
        } else {
            EXPECT_TRUE(WIFEXITED(status));
            EXPECT_EQ(text, new_);
        }
        ResetPreferenceGlobals();
        PreferencesLoad();
        EXPECT_EQ(QZTkey, n < new_.size() ? 97 : 66);
        EXPECT_EQ(orb_latitude[3], 28.573611);
        EXPECT_EQ(orb_latitude[4], n < new_.size() ? 0.0 : 12.25);
        NewValues();
        INDEXtostore = 4;
        WriteWholeFile(PrefsFile(), old_);
        if (HasFailure())
            break;
    }
    // A copy left behind by a crash is no obstacle to the next save.
    PreferencesSave();
    EXPECT_EQ(ReadWholeFile(PrefsFile()), new_);
    EXPECT_FALSE(fs::exists(PrefsFile() + ".tmp"));
}

// Every other step of a save that can fail: the copy cannot be created (a
// read-only folder, no permission, a full disk), its flush, its close or the
// replacement fails. Each time the old file stays, the copy is gone and the
// values in memory are as they were; the next save that can succeed does.
TEST_F(PrefsFaults, EveryFailingStepOfASaveKeepsTheOldFile)
{
    StartSession();
    int* const steps[] = {&fault::openWrite, &fault::openWrite, &fault::sync, &fault::close,
                          &fault::rename, &fault::rename};
    const int errors[] = {EROFS, EACCES, EIO, EIO, EXDEV, EACCES};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        PrefsFailure = nullptr;
        *steps[i] = errors[i];
        PreferencesSave();
        *steps[i] = 0;
        ExpectOldFileAndMemoryIntact();
    }

    // A disk that is full from the first byte, for real.
    PrefsFailure = nullptr;
    fs::create_symlink("/dev/full", PrefsFile() + ".tmp");
    PreferencesSave();
    ExpectOldFileAndMemoryIntact();

    PrefsFailure = nullptr;
    PreferencesSave();
    EXPECT_EQ(ReadWholeFile(PrefsFile()), new_);
    EXPECT_EQ(PrefsFailure, nullptr);
}

// The rename is made durable too: the copy is on disk before it replaces the
// file, and the folder holding the file is flushed after it.
TEST_F(PrefsFaults, TheFolderIsFlushedAfterTheReplacement)
{
    StartSession();
    fault::steps.clear();
    PreferencesSave();
    EXPECT_EQ(fault::steps, (std::vector<std::string>{"sync copy", "rename", "sync folder"}));
    struct stat folder {};
    ASSERT_EQ(stat((xphost::system_path() + "Resources/plugins").c_str(), &folder), 0);
    EXPECT_EQ(fault::syncedFolder, folder.st_ino);
    EXPECT_EQ(PrefsFailure, nullptr);
}

// A file that exists but cannot be opened or read at start (no permission,
// locked, no handles left, a folder in its place) is never replaced by the
// defaults: the plug-in runs on what it has in memory and says so.
TEST_F(PrefsFaults, AStartThatCannotReadTheFileLeavesItAlone)
{
    MakeTexts();
    fault::openRead = EACCES;
    Start();
    fault::openRead = 0;
    EXPECT_EQ(ReadWholeFile(PrefsFile()), old_);
    EXPECT_NE(PrefsFailure, nullptr);
    EXPECT_EQ(QZTkey, 115);
    EXPECT_EQ(orb_latitude[0], 30.0);
    EXPECT_EQ(INDEXtostore, 1);

    // No handle left: the limit is set just below the next free one.
    SetUp();
    WriteWholeFile(PrefsFile(), old_);
    const int next = open("/dev/null", O_RDONLY);
    ASSERT_GE(next, 0);
    ::close(next);
    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit none = saved;
    none.rlim_cur = static_cast<rlim_t>(next);
    setrlimit(RLIMIT_NOFILE, &none);
    PreferencesLoad();
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(ReadWholeFile(PrefsFile()), old_);
    EXPECT_NE(PrefsFailure, nullptr);
    EXPECT_EQ(QZTkey, 115);

    // A folder where the file should be: opened, but it cannot be read. The key
    // in memory stays; it is not taken for a file too short to hold one.
    SetUp();
    fs::create_directory(PrefsFile());
    Start();
    EXPECT_TRUE(fs::is_directory(PrefsFile()));
    EXPECT_NE(PrefsFailure, nullptr);
    EXPECT_EQ(QZTkey, 115);
    EXPECT_EQ(INDEXtostore, 1);
    // A later save cannot replace a folder either, and leaves no copy behind.
    PreferencesSave();
    EXPECT_TRUE(fs::is_directory(PrefsFile()));
    EXPECT_FALSE(fs::exists(PrefsFile() + ".tmp"));
}

// A file cut after any byte is read as far as it goes and never rewritten;
// what it does not hold keeps its start-up value.
TEST_F(PrefsFaults, AFileCutAfterAnyByteIsReadAsFarAsItGoes)
{
    MakeTexts();
    for (size_t n = 0; n <= old_.size(); ++n) {
        SCOPED_TRACE(n);
        const std::string cut = old_.substr(0, n);
        ResetPreferenceGlobals();
        orb_latitude[0] = 30.0;
        WriteWholeFile(PrefsFile(), cut);
        PreferencesLoad();
        EXPECT_EQ(ReadWholeFile(PrefsFile()), cut);
        EXPECT_EQ(PrefsFailure, nullptr);
        EXPECT_TRUE(QZTkey == 97 || QZTkey == 9 || QZTkey == 0) << int(QZTkey);
        EXPECT_TRUE(orb_latitude[3] == 28.573611 || orb_latitude[3] == 0.0 || n < old_.find("28.573611") + 9);
        EXPECT_GE(INDEXtostore, 1);
        EXPECT_LE(INDEXtostore, 10);
        if (n == old_.size()) {
            EXPECT_EQ(INDEXtostore, 4);
        }
        if (HasFailure())
            break;
    }
}

}  // namespace
