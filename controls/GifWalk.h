// The block structure of a GIF stream: its logical screen and the byte ranges of its frames,
// found without decoding any image and without reading past the data given. Needs no system
// header, so that it is also built, tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct GifFrame {
    // The frame's bytes: its graphic control extension (or its image descriptor) through the
    // end of the image descriptor's data, with any extension blocks between the two.
    size_t begin = 0;
    size_t end = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // Hundredths of a second; all ones when the frame has no graphic control extension.
    uint32_t delay = 0xFFFFFFFF;
    int disposal = 0;
};

struct GifStream {
    int width = 0;
    int height = 0;
    // Bytes of the global colour table; 0 when there is none.
    size_t globalTableSize = 0;
    // Red, green and blue of the background entry of the global colour table.
    std::optional<uint32_t> backgroundRgb;
    // The frames before the first block that is broken, unknown or cut off, or the trailer.
    std::vector<GifFrame> frames;
};

// Nothing when the data is not a GIF stream with a whole logical screen and colour table.
std::optional<GifStream> WalkGif(const uint8_t* data, size_t size);
