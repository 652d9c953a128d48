#include "imaging/animationprobe.h"

#include "imaging/pictureloader.h"
#include "imaging/pngchunks.h"
#include "support/regularfile.h"

#include <QFile>
#include <QIODevice>

#include <array>
#include <cstring>

namespace mrv {

namespace {

/// Reads a device forwards through a buffer of its own: the walks below look at a few bytes
/// at a time, and a hostile file may hold millions of tiny blocks.
class Cursor
{
public:
    explicit Cursor(QIODevice &device) : m_device(device) {}

    bool Read(uchar *into, qsizetype count)
    {
        while (count > 0) {
            if (m_at == m_end && !fill())
                return false;
            const qsizetype n = std::min(count, m_end - m_at);
            std::memcpy(into, m_buffer.data() + m_at, size_t(n));
            m_at += n;
            into += n;
            count -= n;
        }
        return true;
    }

    int Byte()
    {
        uchar b = 0;
        return Read(&b, 1) ? b : -1;
    }

    bool Skip(qint64 count)
    {
        const qint64 buffered = m_end - m_at;
        if (count <= buffered) {
            m_at += qsizetype(count);
            return true;
        }
        const qint64 target = m_device.pos() + (count - buffered);
        m_at = m_end = 0;
        return !m_device.isSequential() && target <= m_device.size() && m_device.seek(target);
    }

private:
    bool fill()
    {
        const qint64 n = m_device.read(reinterpret_cast<char *>(m_buffer.data()), m_buffer.size());
        m_at = 0;
        m_end = n > 0 ? qsizetype(n) : 0;
        return m_end > 0;
    }

    QIODevice &m_device;
    std::array<uchar, 64 * 1024> m_buffer{};
    qsizetype m_at = 0;
    qsizetype m_end = 0;
};

quint32 le16(const uchar *p)
{
    return quint32(p[0]) | quint32(p[1]) << 8;
}
quint32 le24(const uchar *p)
{
    return le16(p) | quint32(p[2]) << 16;
}
quint32 le32(const uchar *p)
{
    return le24(p) | quint32(p[3]) << 24;
}

std::optional<AnimationInfo> probePng(Cursor &in)
{
    AnimationInfo info;
    uchar head[8];
    bool sized = false;
    // Only the chunks before the image data: an acTL after it does not count.
    while (in.Read(head, 8)) {
        const quint32 length = ReadBe32(head);
        const QByteArrayView type(reinterpret_cast<const char *>(head) + 4, 4);
        if (type == "IHDR" && length == 13) {
            uchar body[8];
            if (!in.Read(body, 8))
                break;
            info.size = QSize(int(std::min<quint32>(ReadBe32(body), 0x7fffffff)),
                              int(std::min<quint32>(ReadBe32(body + 4), 0x7fffffff)));
            sized = true;
            if (!in.Skip(5 + 4))
                break;
            continue;
        }
        if (!sized || type == "IDAT")
            break;
        if (type == "acTL" && length == 8) {
            uchar body[8];
            if (!in.Read(body, 8))
                break;
            info.frameCount = int(std::min<quint32>(ReadBe32(body), 0x7fffffff));
            info.plays = int(std::min<quint32>(ReadBe32(body + 4), 0x7fffffff));
            return info;
        }
        if (!in.Skip(qint64(length) + 4))
            break;
    }
    if (!sized)
        return std::nullopt;
    info.frameCount = 1;
    return info;
}

/// Skips a run of GIF data sub-blocks, up to and including the empty one that ends it.
bool skipSubBlocks(Cursor &in)
{
    for (;;) {
        const int length = in.Byte();
        if (length <= 0)
            return length == 0;
        if (!in.Skip(length))
            return false;
    }
}

std::optional<AnimationInfo> probeGif(Cursor &in)
{
    uchar screen[7];
    if (!in.Read(screen, 7))
        return std::nullopt;
    AnimationInfo info;
    info.size = QSize(int(le16(screen)), int(le16(screen + 2)));
    if ((screen[4] & 0x80) && !in.Skip(3 << ((screen[4] & 7) + 1)))
        return info;
    for (;;) {
        const int introducer = in.Byte();
        if (introducer == 0x21) {
            if (in.Byte() < 0 || !skipSubBlocks(in))
                break;
        } else if (introducer == 0x2c) {
            uchar descriptor[9];
            if (!in.Read(descriptor, 9))
                break;
            if ((descriptor[8] & 0x80) && !in.Skip(3 << ((descriptor[8] & 7) + 1)))
                break;
            // The code size, then the picture's data.
            if (in.Byte() < 0 || !skipSubBlocks(in))
                break;
            ++info.frameCount;
        } else {
            break; // the trailer, the end of the data or damage
        }
    }
    return info;
}

std::optional<AnimationInfo> probeWebP(Cursor &in)
{
    // The walk follows libwebp's demuxer rather than the chunk lengths alone: the demuxer reads
    // an ANMF's frame header and the picture chunks after it, then goes on from there, not
    // from where the ANMF's length ends. A frame tucked inside another's length is a frame it
    // decodes, so it must be a frame the count plans for; counting too many only refuses
    // earlier.
    AnimationInfo info;
    uchar head[8];
    bool animated = false;
    bool inFrame = false; // the picture chunks read last belong to a frame already counted
    while (in.Read(head, 8)) {
        const quint32 length = le32(head + 4);
        const QByteArrayView type(reinterpret_cast<const char *>(head), 4);
        qint64 left = qint64(length) + (length & 1);
        const bool picture = type == "ALPH" || type == "VP8 " || type == "VP8L";
        if (type == "VP8X" && length >= 10) {
            uchar body[10];
            if (!in.Read(body, 10))
                break;
            animated = body[0] & 0x02;
            info.size = QSize(int(le24(body + 4)) + 1, int(le24(body + 7)) + 1);
            left -= 10;
        } else if (type == "ANMF") {
            constexpr qint64 FrameHeaderBytes = 16;
            ++info.frameCount;
            inFrame = true;
            if (left < FrameHeaderBytes || !in.Skip(FrameHeaderBytes))
                break;
            continue;
        } else if (picture && !inFrame) {
            ++info.frameCount;
        }
        inFrame = picture;
        if (!in.Skip(left))
            break;
    }
    if (!animated)
        info.frameCount = 1;
    return info;
}

} // namespace

std::optional<AnimationInfo> ProbeAnimation(QIODevice &file)
{
    Cursor in(file);
    std::array<uchar, 12> head{};
    if (!in.Read(head.data(), 6))
        return std::nullopt;
    if (std::memcmp(head.data(), "GIF87a", 6) == 0 || std::memcmp(head.data(), "GIF89a", 6) == 0)
        return probeGif(in);
    if (!in.Read(head.data() + 6, 2))
        return std::nullopt;
    if (std::memcmp(head.data(), PngSignature.data(), PngSignature.size()) == 0)
        return probePng(in);
    if (!in.Read(head.data() + 8, 4))
        return std::nullopt;
    if (std::memcmp(head.data(), "RIFF", 4) == 0 && std::memcmp(head.data() + 8, "WEBP", 4) == 0)
        return probeWebP(in);
    return std::nullopt;
}

std::optional<AnimationInfo> ProbeAnimation(const QString &path)
{
    QFile file(path);
    if (!OpenRegularFile(file) || file.size() > MaxPictureFileBytes)
        return std::nullopt;
    return ProbeAnimation(file);
}

} // namespace mrv
