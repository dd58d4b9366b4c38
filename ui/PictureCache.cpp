#include "PictureCache.h"

#include <sys/stat.h>

#include <fstream>
#include <map>

#include "Picture.h"

namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct Entry {
    FileIdentity identity;
    std::shared_ptr<const Picture> picture;
};

std::map<std::string, Entry>& Entries() {
    static std::map<std::string, Entry> entries;
    return entries;
}

long long g_decodes = 0;

bool Identify(const std::string& path, FileIdentity& identity) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    identity = {st.st_dev, st.st_ino, st.st_size,
                static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
    return true;
}

std::shared_ptr<const Picture> DecodeFile(const std::string& path, off_t size) {
    if (size <= 0 || size > PictureCache::kMaxFileBytes) return nullptr;
    std::ifstream file(path, std::ios::binary);
    if (!file) return nullptr;
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!file.read(bytes.data(), size)) return nullptr;
    ++g_decodes;
    return Picture::Decode(bytes);
}

}  // namespace

std::shared_ptr<const Picture> PictureCache::Get(const std::string& path) {
    auto& entries = Entries();
    FileIdentity identity;
    if (!Identify(path, identity)) {
        entries.erase(path);
        return nullptr;
    }
    const auto it = entries.find(path);
    if (it != entries.end() && it->second.identity == identity) return it->second.picture;
    Entry entry{identity, DecodeFile(path, identity.size)};
    auto picture = entry.picture;
    entries[path] = std::move(entry);
    return picture;
}

long long PictureCache::DecodeCount() { return g_decodes; }
