// The block walk over GIF files made by other programs: icons shipped in a Debian package, frames
// written by an image library, and a stream with a plain-text extension; every cut of each.
#include "GifWalk.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadGif(const std::string& name) {
    std::ifstream file(std::string(VX_TEST_DATA) + "/gif/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint32_t> Delays(const GifStream& stream) {
    std::vector<uint32_t> delays;
    for (const GifFrame& frame : stream.frames)
        delays.push_back(frame.delay);
    return delays;
}

const char* const kFiles[] = {"folder.gif",     "idle_16.gif",
                              "idle_48.gif",    "python.gif",
                              "tk.gif",         "animated-local-tables.gif",
                              "plain-text.gif", "interlaced-many.gif"};

} // namespace

TEST(GifWalk, AStillIconIsOneFrameCoveringItsScreenUpToTheTrailer) {
    for (const char* name : {"folder.gif", "idle_16.gif", "idle_48.gif", "python.gif", "tk.gif"}) {
        const std::vector<uint8_t> data = ReadGif(name);
        ASSERT_FALSE(data.empty()) << name;
        const auto stream = WalkGif(data.data(), data.size());
        ASSERT_TRUE(stream) << name;
        ASSERT_EQ(stream->frames.size(), 1u) << name;
        EXPECT_EQ(stream->frames[0].width, stream->width) << name;
        EXPECT_EQ(stream->frames[0].end, data.size() - 1) << name << ": all but the trailer";
    }
}

TEST(GifWalk, AnimationsGiveEachFrameItsDelayAndDisposalAndSkipOtherExtensions) {
    const std::vector<uint8_t> local = ReadGif("animated-local-tables.gif");
    const auto animated = WalkGif(local.data(), local.size());
    ASSERT_TRUE(animated);
    EXPECT_EQ(Delays(*animated), (std::vector<uint32_t>{0, 3, 50}));
    EXPECT_EQ(animated->frames[1].disposal, 2);
    EXPECT_EQ(local[animated->frames[0].begin + 1], 0xF9) << "the comment is not in the frame";
    for (size_t i = 1; i < animated->frames.size(); ++i)
        EXPECT_EQ(animated->frames[i].begin, animated->frames[i - 1].end);

    const std::vector<uint8_t> many = ReadGif("interlaced-many.gif");
    EXPECT_EQ(Delays(*WalkGif(many.data(), many.size())), std::vector<uint32_t>(8, 4));

    const std::vector<uint8_t> text = ReadGif("plain-text.gif");
    const auto withText = WalkGif(text.data(), text.size());
    ASSERT_TRUE(withText);
    ASSERT_EQ(withText->frames.size(), 2u);
    EXPECT_EQ(withText->frames[0].delay, 7u);
    EXPECT_EQ(withText->frames[0].disposal, 1);
    EXPECT_EQ(withText->frames[0].left, 1);
    EXPECT_EQ(withText->frames[0].top, 2);
    EXPECT_EQ(withText->frames[0].end - withText->frames[0].begin, 8u + 20u + 15u)
        << "the plain text between control and image belongs to the frame";
}

TEST(GifWalk, ACutStreamKeepsTheWholeFramesBeforeTheCutAndReadsNothingBeyond) {
    for (const char* name : kFiles) {
        const std::vector<uint8_t> data = ReadGif(name);
        const auto whole = WalkGif(data.data(), data.size());
        ASSERT_TRUE(whole) << name;
        for (size_t size = 0; size < data.size(); ++size) {
            const std::vector<uint8_t> cut(data.begin(), data.begin() + long(size));
            const auto part = WalkGif(cut.data(), cut.size());
            if (!part)
                continue;
            size_t complete = 0;
            while (complete < whole->frames.size() && whole->frames[complete].end <= size)
                ++complete;
            EXPECT_EQ(part->frames.size(), complete) << name << " cut at " << size;
        }
    }
}

TEST(GifWalk, DataThatIsNoGifOrLacksItsColourTableIsRefused) {
    const uint8_t notGif[16] = {'P', 'N', 'G'};
    EXPECT_FALSE(WalkGif(notGif, sizeof notGif));
    EXPECT_FALSE(WalkGif(nullptr, 0));
    const std::vector<uint8_t> data = ReadGif("idle_48.gif");
    EXPECT_FALSE(WalkGif(data.data(), 20)) << "the global colour table is cut off";
}
