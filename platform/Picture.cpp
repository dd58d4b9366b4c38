#include "Picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

namespace {

// The JPEG decoder fills a cut-off file with grey and calls it a success; a
// picture whose end-of-image marker is missing is a truncated one.
bool IsTruncatedJpeg(std::string_view bytes) {
    constexpr std::string_view kStart("\xFF\xD8", 2);
    constexpr std::string_view kEnd("\xFF\xD9", 2);
    constexpr size_t kTrailerAllowance = 1024;
    if (!bytes.starts_with(kStart)) return false;
    const size_t end = bytes.rfind(kEnd);
    return end == std::string_view::npos || bytes.size() - end > kTrailerAllowance;
}

}  // namespace

Picture::Picture(std::unique_ptr<QImage> image) : m_image(std::move(image)) {}

Picture::~Picture() = default;

int Picture::Width() const { return m_image->width(); }

int Picture::Height() const { return m_image->height(); }

std::shared_ptr<const Picture> Picture::Decode(std::string_view bytes) {
    if (bytes.empty() || IsTruncatedJpeg(bytes)) return nullptr;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kMaxDecodeMegabytes);
    const QSize declared = reader.size();
    if (declared.isValid() &&
        static_cast<long long>(declared.width()) * declared.height() * 4 >
            static_cast<long long>(kMaxDecodeMegabytes) * 1024 * 1024) {
        return nullptr;
    }
    auto image = std::make_unique<QImage>();
    if (!reader.read(image.get()) || image->isNull()) return nullptr;
    return std::shared_ptr<const Picture>(new Picture(std::move(image)));
}
