#include "CLogo.h"

#include <filesystem>

#include "CPaintDC.h"
#include "Picture.h"
#include "PictureCache.h"

std::string CLogo::LogoPath() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return (folder / "logo" / "logo.jpg").string();
}

void CLogo::OnPaint(CPaintDC& dc) { DrawPicture(dc, LogoPath(), 0, 0); }

bool CLogo::DrawPicture(CPaintDC& dc, const std::string& path, int x, int y) {
    const std::shared_ptr<const Picture> picture = PictureCache::Get(path);
    if (!picture) return false;
    const Rect client = dc.GetClientRect();
    return dc.DrawPicture(*picture, x, y, client.Width(), client.Height());
}
