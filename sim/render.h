// sim/render.h: pictures of what the plug-in drew in the last frame.
#pragma once

#include <string>

namespace sim {

// Draws the host's last display list (panel page and windows) and the
// plug-in's widgets into a PNG of the screen's size, with a caption strip on top. False with a reason when
// the file cannot be written or pictures were not built in.
bool write_picture(const std::string& path, const std::string& caption, std::string* error);
bool pictures_available();

// A fingerprint of what a picture shows (the caption, the display list, the
// widgets), independent of the fonts that draw it: the same flight by the
// same build gives the same one on any machine.
class Digest {
public:
    void add(const void* data, size_t size);
    void add(const std::string& s) { add(s.data(), s.size()); add("\0", 1); }
    void add(double v);
    std::string hex() const;
private:
    unsigned long long h_ = 1469598103934665603ull;
};
std::string drawn_digest(const std::string& caption);

}  // namespace sim
