// tests/chaos/prefs_file.h: the preferences file as the README documents it:
// its exact form, the file a first start creates, the QZT key a start reads
// from any file, and the damage a user, a crash or a disk can do to it.
#pragma once
#include <string>
#include "chaos/random.h"

// The file a first start writes.
std::string DefaultPrefsText();

// True when the text is in the form the plug-in writes; otherwise says why.
bool DocumentedForm(const std::string& text, std::string* why);

// The QZT key a start takes from a file with this text: 0 when the file is too
// short or damaged to name one, F4 (115) for a code outside 0 to 255.
int KeyAsRead(const std::string& text);

// A file in the documented form with random values (keys, flags, records of
// any finite size); *key is its QZT key.
std::string RandomPrefsFile(Random& rnd, int* key);

// The text changed as a careless edit, a cut write or a failing disk would.
std::string Truncated(Random& rnd, const std::string& text);
std::string Mutated(Random& rnd, const std::string& text);
std::string Garbage(Random& rnd);
std::string HostileNumbers(Random& rnd);
std::string Oversized(Random& rnd, const std::string& text);

// What lies at a path: nothing, a file with its bytes, a folder.
struct PathState {
    enum Kind { Missing, File, Folder, Other } kind = Missing;
    std::string bytes;
    bool operator==(const PathState& o) const { return kind == o.kind && bytes == o.bytes; }
};
PathState Observe(const std::string& path);
// A cheap fingerprint (type, inode, size, modification time) to see whether a
// path changed without reading it.
std::string Fingerprint(const std::string& path);
