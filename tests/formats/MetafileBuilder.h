// Placeable metafiles assembled from the documented record layout: a 22-byte
// placeable header (key, handle, bounding box, units per inch, reserved,
// checksum), the 18-byte standard header, the records and the end record.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class MetafileBuilder {
  public:
    // A record of the function with 16-bit parameter words.
    MetafileBuilder& Record(uint16_t function, std::initializer_list<int> words) {
        return Record(function, std::vector<int>(words));
    }
    MetafileBuilder& Record(uint16_t function, const std::vector<int>& words) {
        const uint32_t size = 3 + uint32_t(words.size());
        Put32(size);
        Put16(function);
        for (int w : words)
            Put16(uint16_t(w));
        maxRecord_ = size > maxRecord_ ? size : maxRecord_;
        for (uint16_t creator : {0x00F7, 0x0142, 0x01F9, 0x02FA, 0x02FB, 0x02FC, 0x06FF})
            if (function == creator) ++objects_; // sizes the player's object table
        return *this;
    }
    MetafileBuilder& Window(int x, int y, int w, int h) {
        Record(0x020B, {y, x});
        return Record(0x020C, {h, w});
    }
    // A COLORREF as the two words a record holds.
    static int Low(uint32_t rgb) { return int(((rgb >> 16) & 0xFF) | (rgb & 0xFF00)); }
    static int High(uint32_t rgb) { return int(rgb & 0xFF); }
    MetafileBuilder& SolidPen(int width, uint32_t rgb) {
        return Record(0x02FA, {0, width, 0, Low(rgb), High(rgb)});
    }
    MetafileBuilder& NullPen() { return Record(0x02FA, {5, 0, 0, 0, 0}); }
    MetafileBuilder& SolidBrush(uint32_t rgb) {
        return Record(0x02FC, {0, Low(rgb), High(rgb), 0});
    }
    MetafileBuilder& Select(int index) { return Record(0x012D, {index}); }

    // The whole file; the bounding box does not change the picture.
    std::vector<uint8_t> Build(int boxRight = 1000, int boxBottom = 1000,
                               bool withEnd = true) const {
        std::vector<uint8_t> file;
        auto put16 = [&](uint32_t v) {
            file.push_back(uint8_t(v));
            file.push_back(uint8_t(v >> 8));
        };
        auto put32 = [&](uint32_t v) {
            put16(v & 0xFFFF);
            put16(v >> 16);
        };
        put32(0x9AC6CDD7);
        put16(0);
        for (int v : {0, 0, boxRight, boxBottom})
            put16(uint16_t(v));
        put16(1440);
        put32(0);
        uint16_t checksum = 0;
        for (size_t i = 0; i < 20; i += 2)
            checksum ^= uint16_t(file[i] | file[i + 1] << 8);
        put16(checksum);
        const uint32_t words = 9 + uint32_t(body_.size() / 2) + (withEnd ? 3 : 0);
        for (uint32_t v : {1u, 9u, 0x300u})
            put16(v);
        put32(words);
        put16(objects_);
        put32(maxRecord_);
        put16(0);
        file.insert(file.end(), body_.begin(), body_.end());
        if (withEnd)
            for (uint16_t v : {3, 0, 0})
                put16(v);
        return file;
    }

  private:
    void Put16(uint16_t v) {
        body_.push_back(uint8_t(v));
        body_.push_back(uint8_t(v >> 8));
    }
    void Put32(uint32_t v) {
        Put16(uint16_t(v));
        Put16(uint16_t(v >> 16));
    }
    std::vector<uint8_t> body_;
    uint32_t maxRecord_ = 3;
    uint16_t objects_ = 0;
};

// Small files that ask for much drawing: each is a few megabytes at most and
// must still render within a couple of seconds.
struct HostileMetafile {
    std::string name;
    std::vector<uint8_t> bytes;
};

inline std::vector<HostileMetafile> HostileMetafiles() {
    std::vector<HostileMetafile> files;
    constexpr int kMillion = 1000000;
    {
        MetafileBuilder m; // palettes, each taking an object slot
        for (int i = 0; i < kMillion; ++i)
            m.Record(0x00F7, {});
        files.push_back({"1 M object-creating records", m.Build()});
    }
    {
        MetafileBuilder m; // lines across the canvas with a pen as wide as it
        m.Window(0, 0, 10, 10).SolidPen(10, 0x00FF00).Select(0);
        for (int i = 0; i < kMillion; ++i)
            m.Record(0x0213, {i % 2 ? 0 : 10, i % 2 ? 0 : 10});
        files.push_back({"1 M wide LineTo", m.Build()});
    }
    {
        MetafileBuilder m;
        m.Window(0, 0, 10, 10).SolidPen(1, 0x00FF00).SolidBrush(0x0000FF).Select(0).Select(1);
        for (int i = 0; i < kMillion; ++i)
            m.Record(0x041B, {10, 10, 0, 0});
        files.push_back({"1 M full-canvas rectangles", m.Build()});
    }
    {
        MetafileBuilder m; // every edge crosses every row
        m.Window(0, 0, 32000, 2);
        std::vector<int> zigzag(1 + 2 * 32000);
        zigzag[0] = 32000;
        for (int i = 0; i < 32000; ++i) {
            zigzag[size_t(1 + 2 * i)] = i;
            zigzag[size_t(2 + 2 * i)] = (i % 2) * 2;
        }
        for (int i = 0; i < 100; ++i)
            m.Record(0x0324, zigzag);
        files.push_back({"100 zig-zag polygons of 32,000 points", m.Build()});
    }
    return files;
}
