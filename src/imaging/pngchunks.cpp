#include "imaging/pngchunks.h"

#include <libdeflate.h>

#include <cstring>

namespace mrv {

quint32 ReadBe32(const uchar *p)
{
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3];
}

void PutBe32(uchar *p, quint32 value)
{
    p[0] = uchar(value >> 24);
    p[1] = uchar(value >> 16);
    p[2] = uchar(value >> 8);
    p[3] = uchar(value);
}

std::optional<std::vector<PngChunk>> ReadPngChunks(const QByteArray &file)
{
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const qsizetype size = file.size();
    if (size < qsizetype(PngSignature.size())
        || std::memcmp(bytes, PngSignature.data(), PngSignature.size()) != 0)
        return std::nullopt;
    std::vector<PngChunk> chunks;
    qsizetype pos = PngSignature.size();
    while (pos + 12 <= size) {
        const quint32 length = ReadBe32(bytes + pos);
        if (length > quint32(size - pos - 12))
            return std::nullopt;
        const PngChunk chunk{QByteArrayView(file.constData() + pos + 4, 4),
                             QByteArrayView(file.constData() + pos + 8, qsizetype(length))};
        chunks.push_back(chunk);
        pos += 12 + qsizetype(length);
        if (chunk.Is("IEND"))
            break;
    }
    return chunks;
}

void AppendPngChunk(QByteArray &out, const char *type, const uchar *body, qsizetype length)
{
    const qsizetype start = out.size();
    out.resize(start + 12 + length);
    auto *p = reinterpret_cast<uchar *>(out.data()) + start;
    PutBe32(p, quint32(length));
    std::memcpy(p + 4, type, 4);
    if (length)
        std::memcpy(p + 8, body, size_t(length));
    PutBe32(p + 8 + length, libdeflate_crc32(0, p + 4, size_t(length) + 4));
}

} // namespace mrv
