#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <fstream>

#include "CVelmoraDlg.h"
#include "Picture.h"
#include "PictureCache.h"
#include "UiTestEnv.h"

namespace {

namespace fs = std::filesystem;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;

class LogoTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_login = std::make_unique<CVelmoraDlg>();
        m_login->Create(nullptr);
        m_login->ShowWindow(SW_SHOW);
    }
    void TearDown() override {
        m_login->DestroyWindow();
        m_login.reset();
        UiTest::TearDown();
    }

    fs::path LogoFile() const { return WorkDir() / "logo" / "logo.jpg"; }

    // Replaces the logo file (a new file under the name, as an installer would).
    void WriteLogo(const QByteArray& bytes) const {
        const fs::path temp = WorkDir() / "logo" / "next.tmp";
        std::ofstream(temp, std::ios::binary).write(bytes.constData(), bytes.size());
        fs::rename(temp, LogoFile());
    }

    static QByteArray Encode(const QImage& image, const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    }

    // Two halves, red on the left, blue on the right, of a shape unlike the banner's.
    static QImage HalvesPicture() {
        QImage image(20, 40, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, x < 10 ? kRed : kBlue);
        }
        return image;
    }

    QImage GrabBanner() {
        QWidget* banner = m_login->DlgItemWidget(1064);
        banner->repaint();
        return banner->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static bool Near(QRgb actual, QRgb expected) {
        const QColor a(actual);
        const QColor e(expected);
        return std::abs(a.red() - e.red()) < 40 && std::abs(a.green() - e.green()) < 40 &&
               std::abs(a.blue() - e.blue()) < 40;
    }

    static bool HasPictureColours(const QImage& image) {
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4) {
                if (Near(image.pixel(x, y), kRed) || Near(image.pixel(x, y), kBlue)) return true;
            }
        }
        return false;
    }

    std::unique_ptr<CVelmoraDlg> m_login;
};

TEST_F(LogoTest, PictureOfAnotherShapeIsStretchedOverTheWholeBanner) {
    WriteLogo(Encode(HalvesPicture(), "PNG"));
    const QImage banner = GrabBanner();
    ASSERT_FALSE(banner.isNull());
    const int w = banner.width();
    const int h = banner.height();
    ASSERT_GT(w, 100);
    // Near the middle the smooth stretch blends the halves.
    const int margin = w / 8;
    const QPoint redCorners[] = {{1, 1}, {1, h - 2}, {w / 2 - margin, 1}, {w / 2 - margin, h - 2}};
    const QPoint blueCorners[] = {{w - 2, 1}, {w - 2, h - 2}, {w / 2 + margin, 1}, {w / 2 + margin, h - 2}};
    for (const QPoint& p : redCorners) EXPECT_TRUE(Near(banner.pixel(p), kRed)) << p.x() << "," << p.y();
    for (const QPoint& p : blueCorners) EXPECT_TRUE(Near(banner.pixel(p), kBlue)) << p.x() << "," << p.y();
}

TEST_F(LogoTest, BadFilesDrawNothing) {
    const QByteArray jpeg = Encode(HalvesPicture(), "JPEG");
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"garbage", QByteArray("this is no picture at all, just text")},
        {"truncated jpeg", jpeg.left(jpeg.size() / 2)},
        {"empty", QByteArray()},
    };
    for (const auto& c : cases) {
        WriteLogo(c.bytes);
        PromptDriver prompts;
        EXPECT_FALSE(HasPictureColours(GrabBanner())) << c.what;
        EXPECT_TRUE(prompts.Seen().empty()) << c.what;
    }
    fs::remove(LogoFile());
    EXPECT_FALSE(HasPictureColours(GrabBanner()));
}

TEST_F(LogoTest, ReplacedFileShowsAtTheNextRepaintAndARemovedOneGoes) {
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(kRed);
    QImage blue(8, 8, QImage::Format_RGB32);
    blue.fill(kBlue);
    WriteLogo(Encode(red, "BMP"));
    EXPECT_TRUE(Near(GrabBanner().pixel(5, 5), kRed));
    WriteLogo(Encode(blue, "PNG"));
    EXPECT_TRUE(Near(GrabBanner().pixel(5, 5), kBlue));
    fs::remove(LogoFile());
    EXPECT_FALSE(HasPictureColours(GrabBanner()));
}

TEST_F(LogoTest, RepaintOfAnUnchangedBannerDecodesNothing) {
    WriteLogo(Encode(HalvesPicture(), "PNG"));
    GrabBanner();
    const long long decodes = PictureCache::DecodeCount();
    GrabBanner();
    GrabBanner();
    EXPECT_EQ(PictureCache::DecodeCount(), decodes);
    WriteLogo(Encode(HalvesPicture().mirrored(true, false), "PNG"));
    GrabBanner();
    EXPECT_EQ(PictureCache::DecodeCount(), decodes + 1);
}

// Headers that declare enormous pictures are refused before any pixel memory is taken.
TEST_F(LogoTest, HugeDeclaredSizesAreRefused) {
    QByteArray png = Encode(HalvesPicture(), "PNG");
    // IHDR width and height sit at bytes 16..23 of a PNG file.
    const unsigned char huge[8] = {0x00, 0x01, 0x86, 0xA0, 0x00, 0x01, 0x86, 0xA0};  // 100000 x 100000
    png.replace(16, 8, reinterpret_cast<const char*>(huge), 8);
    EXPECT_EQ(Picture::Decode(std::string_view(png.constData(), png.size())), nullptr);

    QByteArray bmp = Encode(HalvesPicture(), "BMP");
    const unsigned char wide[4] = {0x00, 0x00, 0x01, 0x00};  // 65536 pixels wide, little-endian
    bmp.replace(18, 4, reinterpret_cast<const char*>(wide), 4);
    bmp.replace(22, 4, reinterpret_cast<const char*>(wide), 4);
    EXPECT_EQ(Picture::Decode(std::string_view(bmp.constData(), bmp.size())), nullptr);
}

}  // namespace
