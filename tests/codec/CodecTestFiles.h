// Files for the JPEG and metafile tests: a private temporary folder, whole-file
// helpers, the samples written by other encoders, and a PNM reader for their
// reference decodings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Image.h"

// A path in this test program's own temporary folder.
std::string TempPath(const std::string& name);

std::vector<uint8_t> ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::string& path);
// Names of the files in the folder of path (to find stray temporaries).
std::vector<std::string> FilesBeside(const std::string& path);

// The folder of samples from other encoders, or empty when the build had no
// cjpeg, djpeg and convert to write them.
std::string SampleFolder();
std::string SamplePath(const std::string& name);

// A binary PGM (P5) or PPM (P6) of 8-bit samples as an image (row 0 at the
// bottom); false when the file is not one.
bool ReadPnm(const std::string& path, CImage& image);

// A w x h picture with smooth gradients and a few hard edges, which a JPEG
// round trip keeps close.
CImage SmoothPicture(int32_t w, int32_t h);

// The largest difference of any channel, and the mean absolute difference.
struct ChannelError {
    int max = 0;
    double mean = 0;
};
ChannelError CompareChannels(const CImage& a, const CImage& b);
