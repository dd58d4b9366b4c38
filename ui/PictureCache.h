#pragma once

#include <memory>
#include <string>

class Picture;

// Decoded pictures by file path. A file is decoded again only when it changed
// (another file under the name, another size or modification time), so a repaint
// of an unchanged banner costs no decoding, while a replaced or removed file
// shows at the next repaint.
class PictureCache {
public:
    static constexpr long long kMaxFileBytes = 32LL * 1024 * 1024;

    // nullptr when the file is missing, unreadable, too large or no picture.
    static std::shared_ptr<const Picture> Get(const std::string& path);
    // How many times a file has been decoded, for tests and benchmarks.
    static long long DecodeCount();
};
