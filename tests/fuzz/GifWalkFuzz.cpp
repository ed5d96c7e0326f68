// libFuzzer target: the GIF block walk on any bytes must neither crash nor read outside them, and
// every frame it gives lies within them.
#include "GifWalk.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto stream = WalkGif(data, size);
    if (stream)
        for (const GifFrame& frame : stream->frames)
            if (frame.begin >= frame.end || frame.end > size)
                std::abort();
    return 0;
}
