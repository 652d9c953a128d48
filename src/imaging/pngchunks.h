#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

namespace mrv {

/// The eight bytes every PNG file starts with.
inline constexpr std::array<uchar, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

quint32 ReadBe32(const uchar *p);
void PutBe32(uchar *p, quint32 value);

/// One chunk of a PNG file; the views point into the file's bytes.
struct PngChunk
{
    QByteArrayView type; ///< four letters
    QByteArrayView body;

    bool Is(const char (&name)[5]) const { return type == QByteArrayView(name, 4); }
};

/// The chunks of a PNG file in order, up to and including IEND (or the end of the data). None
/// when the signature is missing or a chunk's length runs past the end. CRCs are not checked.
std::optional<std::vector<PngChunk>> ReadPngChunks(const QByteArray &file);

/// Appends one chunk with its length and CRC.
void AppendPngChunk(QByteArray &out, const char *type, const uchar *body, qsizetype length);
inline void AppendPngChunk(QByteArray &out, const char *type, QByteArrayView body)
{
    AppendPngChunk(out, type, reinterpret_cast<const uchar *>(body.data()), body.size());
}

} // namespace mrv
