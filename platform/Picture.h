#pragma once

#include <memory>
#include <string_view>

class QImage;

// A decoded picture. Decoding accepts every format the toolkit reads, whatever
// the file name says, and refuses pictures whose pixels would exceed a bound, so
// that a hostile file cannot take the process's memory.
class Picture {
public:
    static constexpr int kMaxDecodeMegabytes = 64;

    // nullptr when the bytes are no picture, are truncated or too large.
    static std::shared_ptr<const Picture> Decode(std::string_view bytes);

    ~Picture();
    int Width() const;
    int Height() const;
    const QImage& Image() const { return *m_image; }

private:
    explicit Picture(std::unique_ptr<QImage> image);
    std::unique_ptr<QImage> m_image;
};
