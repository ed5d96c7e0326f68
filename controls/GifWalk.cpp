#include "GifWalk.h"

#include <cstring>

namespace {

constexpr size_t kScreenEnd = 13;

uint16_t Word(const uint8_t* at) {
    return uint16_t(at[0] | at[1] << 8);
}

size_t ColourTableSize(uint8_t flags) {
    return flags & 0x80 ? 3u << ((flags & 7) + 1) : 0;
}

enum class Block { Application, Comment, GraphicControl, PlainText, Image, Trailer, Unknown };

class Walker {
public:
    Walker(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // The frame that starts at or after `offset`, leaving `offset` behind it.
    std::optional<GifFrame> NextFrame(size_t& offset) const {
        GifFrame frame;
        bool started = false;
        for (;;) {
            const Block kind = Kind(offset);
            if (kind == Block::Unknown || kind == Block::Trailer)
                return std::nullopt;
            const std::optional<size_t> length = Length(kind, offset);
            if (!length)
                return std::nullopt;
            if (kind == Block::GraphicControl && !started) {
                frame.begin = offset;
                frame.delay = Word(m_data + offset + 4);
                frame.disposal = (m_data[offset + 3] >> 2) & 7;
                started = true;
            } else if (kind == Block::Image) {
                if (!started)
                    frame.begin = offset;
                frame.left = Word(m_data + offset + 1);
                frame.top = Word(m_data + offset + 3);
                frame.width = Word(m_data + offset + 5);
                frame.height = Word(m_data + offset + 7);
                offset += *length;
                frame.end = offset;
                return frame;
            }
            offset += *length;
        }
    }

private:
    bool Has(size_t offset, size_t count) const {
        return offset <= m_size && count <= m_size - offset;
    }

    Block Kind(size_t offset) const {
        if (!Has(offset, 1))
            return Block::Unknown;
        if (m_data[offset] == 0x2C)
            return Block::Image;
        if (m_data[offset] == 0x3B)
            return Block::Trailer;
        if (m_data[offset] != 0x21 || !Has(offset, 2))
            return Block::Unknown;
        switch (m_data[offset + 1]) {
        case 0xFF:
            return Block::Application;
        case 0xFE:
            return Block::Comment;
        case 0xF9:
            return Block::GraphicControl;
        case 0x01:
            return Block::PlainText;
        default:
            return Block::Unknown;
        }
    }

    // The data sub-blocks at `offset` with their terminator, or nothing when they are cut off.
    std::optional<size_t> SubBlocks(size_t offset) const {
        size_t length = 0;
        for (;;) {
            if (!Has(offset + length, 1))
                return std::nullopt;
            const size_t count = m_data[offset + length];
            length += count + 1;
            if (count == 0)
                return length;
        }
    }

    // The whole block's length when all of it lies within the data.
    std::optional<size_t> Length(Block kind, size_t offset) const {
        size_t head = 0;
        switch (kind) {
        case Block::Application:
            head = 14;
            break;
        case Block::Comment:
            head = 2;
            break;
        case Block::GraphicControl:
            return Has(offset, 8) ? std::optional<size_t>(8) : std::nullopt;
        case Block::PlainText:
            head = 15;
            break;
        case Block::Image:
            if (!Has(offset, 10))
                return std::nullopt;
            head = 11 + ColourTableSize(m_data[offset + 9]);
            break;
        default:
            return std::nullopt;
        }
        if (!Has(offset, head))
            return std::nullopt;
        const std::optional<size_t> data = SubBlocks(offset + head);
        return data ? std::optional<size_t>(head + *data) : std::nullopt;
    }

    const uint8_t* m_data;
    size_t m_size;
};

} // namespace

std::optional<GifStream> WalkGif(const uint8_t* data, size_t size) {
    if (!data || size < kScreenEnd || std::memcmp(data, "GIF", 3) != 0)
        return std::nullopt;
    GifStream stream;
    stream.width = Word(data + 6);
    stream.height = Word(data + 8);
    stream.globalTableSize = ColourTableSize(data[10]);
    if (stream.globalTableSize > size - kScreenEnd)
        return std::nullopt;
    const size_t background = 3 * size_t(data[11]);
    if (background + 3 <= stream.globalTableSize) {
        const uint8_t* entry = data + kScreenEnd + background;
        stream.backgroundRgb = uint32_t(entry[0] | entry[1] << 8 | entry[2] << 16);
    }
    const Walker walker(data, size);
    size_t offset = kScreenEnd + stream.globalTableSize;
    while (const std::optional<GifFrame> frame = walker.NextFrame(offset))
        stream.frames.push_back(*frame);
    return stream;
}
