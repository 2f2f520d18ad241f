#include "tests/codec/CodecTestFiles.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const fs::path& TempFolder() {
    static const fs::path folder = [] {
        std::error_code ec;
        fs::path dir = fs::temp_directory_path(ec) / ("iromaki-codec-" + std::to_string(getpid()));
        fs::create_directories(dir, ec);
        return dir;
    }();
    return folder;
}

void RemoveTempFolder() {
    std::error_code ignored;
    fs::remove_all(TempFolder(), ignored);
}

} // namespace

std::string TempPath(const std::string& name) {
    // One folder per process, removed at exit. The clean-up is registered after
    // the folder's path is complete, so it runs before the path is destroyed.
    static const bool cleanup = (TempFolder(), std::atexit(RemoveTempFolder) == 0);
    (void)cleanup;
    return (TempFolder() / name).string();
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::vector<std::string> FilesBeside(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path(), ec))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string SampleFolder() {
    const char* dir = std::getenv("IROMAKI_CODEC_SAMPLES");
    if (!dir || !*dir) return {};
    std::string folder = dir;
#ifdef _WIN32
    if (folder[0] == '/') folder = "Z:" + folder; // Wine maps the Linux root to Z:
#endif
    return FileExists(folder + "/stamp") ? folder : std::string();
}

std::string SamplePath(const std::string& name) {
    return SampleFolder() + "/" + name;
}

namespace {

// The next number of a PNM header, skipping white space and comments.
bool NextNumber(const std::vector<uint8_t>& b, size_t& pos, long& value) {
    while (pos < b.size() && (std::isspace(b[pos]) || b[pos] == '#')) {
        if (b[pos] == '#')
            while (pos < b.size() && b[pos] != '\n')
                ++pos;
        else
            ++pos;
    }
    if (pos >= b.size() || !std::isdigit(b[pos])) return false;
    value = 0;
    while (pos < b.size() && std::isdigit(b[pos]) && value < 1000000)
        value = value * 10 + (b[pos++] - '0');
    return true;
}

} // namespace

bool ReadPnm(const std::string& path, CImage& image) {
    std::vector<uint8_t> b = ReadBytes(path);
    if (b.size() < 2 || b[0] != 'P' || (b[1] != '5' && b[1] != '6')) return false;
    const int channels = b[1] == '6' ? 3 : 1;
    size_t pos = 2;
    long w = 0, h = 0, maxval = 0;
    if (!NextNumber(b, pos, w) || !NextNumber(b, pos, h) || !NextNumber(b, pos, maxval) ||
        maxval != 255)
        return false;
    ++pos; // the single white-space byte before the samples
    if (b.size() < pos + size_t(w) * size_t(h) * channels || !image.Create(int32_t(w), int32_t(h)))
        return false;
    for (long row = 0; row < h; ++row)
        for (long x = 0; x < w; ++x) {
            const uint8_t* p = &b[pos + (size_t(row) * w + x) * channels];
            const int32_t y = int32_t(h - 1 - row);
            image.SetR(int32_t(x), y, p[0]);
            image.SetG(int32_t(x), y, p[channels == 3 ? 1 : 0]);
            image.SetB(int32_t(x), y, p[channels == 3 ? 2 : 0]);
        }
    return true;
}

CImage SmoothPicture(int32_t w, int32_t h) {
    CImage image;
    image.Create(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            image.SetR(x, y, 40 + 170 * x / (w > 1 ? w - 1 : 1));
            image.SetG(x, y, 30 + 190 * y / (h > 1 ? h - 1 : 1));
            image.SetB(x, y, (x < w / 2) == (y < h / 2) ? 200 : 60);
        }
    return image;
}

ChannelError CompareChannels(const CImage& a, const CImage& b) {
    ChannelError e;
    long long sum = 0, count = 0;
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x) {
            const int d[3] = {a.GetR(x, y) - b.GetR(x, y), a.GetG(x, y) - b.GetG(x, y),
                              a.GetB(x, y) - b.GetB(x, y)};
            for (int c : d) {
                c = c < 0 ? -c : c;
                e.max = c > e.max ? c : e.max;
                sum += c;
                ++count;
            }
        }
    e.mean = count ? double(sum) / double(count) : 0;
    return e;
}
