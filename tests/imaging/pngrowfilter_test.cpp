// The PNG row filters against the format's plain definition, and whole files written the way
// other tools write them (every row Paeth, or each filter in turn) through the fast reader.
#include "imaging/pngcodec.h"
#include "imaging/pngrowfilter.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace mrv {
namespace {

using Row = std::vector<uchar>;

/// What a PNG filter predicts for a byte from its left (a), upper (b) and upper-left (c)
/// neighbours, written as the format describes it.
int Predict(int filter, int a, int b, int c)
{
    switch (filter) {
    case 1:
        return a;
    case 2:
        return b;
    case 3:
        return (a + b) / 2;
    case 4: {
        const int p = a + b - c;
        const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        if (pa <= pb && pa <= pc)
            return a;
        return pb <= pc ? b : c;
    }
    default:
        return 0;
    }
}

/// Filters (direction +1) or unfilters (-1) a row byte by byte; prev is the raw row above.
Row Reference(int direction, int filter, const Row &row, const Row *prev, int bpp)
{
    Row raw = row; // unfiltered bytes, known so far (unfiltering) or all along (filtering)
    Row out = row;
    for (size_t i = 0; i < row.size(); ++i) {
        const bool hasLeft = i >= size_t(bpp);
        const int a = hasLeft ? raw[i - bpp] : 0;
        const int b = prev ? (*prev)[i] : 0;
        const int c = prev && hasLeft ? (*prev)[i - bpp] : 0;
        const int predicted = Predict(filter, a, b, c);
        if (direction > 0) {
            out[i] = uchar(row[i] - predicted);
        } else {
            out[i] = uchar(row[i] + predicted);
            raw[i] = out[i];
        }
    }
    return out;
}

Row RandomRow(std::mt19937 &random, size_t length, bool edgeValues)
{
    // Values at the edges of the byte range make the Paeth distances tie and the sums wrap.
    static constexpr uchar Edges[] = {0, 1, 2, 127, 128, 129, 254, 255};
    Row row(length);
    for (uchar &v : row)
        v = edgeValues ? Edges[random() % std::size(Edges)] : uchar(random());
    return row;
}

TEST(PngRowFilter, EveryFilterAndPixelSizeMatchesThePlainDefinition)
{
    std::mt19937 random(20240611);
    for (int filter = 0; filter <= 4; ++filter)
        for (int bpp = 1; bpp <= 8; ++bpp)
            for (int pixels : {1, 2, 3, 5, 16, 31, 200})
                for (bool edgeValues : {false, true})
                    for (bool firstRow : {false, true}) {
                        const size_t length = size_t(pixels) * size_t(bpp);
                        const Row above = RandomRow(random, length, edgeValues);
                        const Row filtered = RandomRow(random, length, edgeValues);
                        const Row *prev = firstRow ? nullptr : &above;
                        Row row = filtered;
                        ASSERT_TRUE(UnfilterPngRow(filter, row.data(),
                                                   prev ? prev->data() : nullptr, qsizetype(length),
                                                   bpp));
                        ASSERT_EQ(row, Reference(-1, filter, filtered, prev, bpp))
                            << "filter " << filter << ", " << bpp << " bytes per pixel, " << pixels
                            << " pixels" << (edgeValues ? ", edge values" : "")
                            << (firstRow ? ", first row" : "");
                    }

    Row row(8, 1);
    EXPECT_FALSE(UnfilterPngRow(5, row.data(), nullptr, 8, 4));
}

TEST(PngRowFilter, RowsUndoneTogetherMatchThePlainDefinition)
{
    // Every filter for the first two rows of four, the last two Paeth or Sub: runs of four,
    // two and one Paeth rows, broken anywhere.
    std::mt19937 random(20261208);
    for (int filter0 = 0; filter0 <= 4; ++filter0)
        for (int filter1 = 0; filter1 <= 4; ++filter1)
            for (int tail : {4, 1})
                for (int bpp = 1; bpp <= 8; ++bpp)
                    for (int pixels : {1, 2, 3, 17, 200})
                        for (bool firstRows : {false, true}) {
                            const size_t length = size_t(pixels) * size_t(bpp);
                            const bool edges = pixels % 2 == 1;
                            const Row above = RandomRow(random, length, edges);
                            const int filters[4] = {filter0, filter1, tail, 4};
                            std::vector<Row> rows, expected;
                            const Row *over = firstRows ? nullptr : &above;
                            for (const int filter : filters) {
                                rows.push_back(RandomRow(random, length, edges));
                                expected.push_back(Reference(-1, filter, rows.back(), over, bpp));
                                over = &expected.back();
                            }
                            uchar *lines[4] = {rows[0].data(), rows[1].data(), rows[2].data(),
                                               rows[3].data()};
                            ASSERT_TRUE(UnfilterPngRows(filters, lines, 4,
                                                        firstRows ? nullptr : above.data(),
                                                        qsizetype(length), bpp));
                            ASSERT_EQ(rows, expected)
                                << "filters " << filter0 << filter1 << tail << "4, " << bpp
                                << " bytes per pixel, " << pixels << " pixels"
                                << (firstRows ? ", first rows" : "");
                        }
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes += char(v);
    return bytes;
}

QByteArray BigEndian(quint32 v)
{
    return Bytes({int(v >> 24), int(v >> 16), int(v >> 8), int(v)});
}

QByteArray Chunk(const char *type, const QByteArray &body)
{
    const QByteArray typed = QByteArray(type, 4) + body;
    return BigEndian(quint32(body.size())) + typed +
           BigEndian(quint32(
               crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size()))));
}

/// A PNG of the given colour type written with zlib, row y filtered by filterOf(y).
template <typename FilterOf>
QByteArray ForeignPng(int width, int height, int colourType, const std::vector<Row> &rows,
                      FilterOf filterOf)
{
    static constexpr int ChannelsOf[] = {1, 0, 3, 1, 2, 0, 4};
    const int bpp = ChannelsOf[colourType];
    QByteArray data;
    for (int y = 0; y < height; ++y) {
        const int filter = filterOf(y);
        const Row filtered =
            Reference(+1, filter, rows[size_t(y)], y ? &rows[size_t(y - 1)] : nullptr, bpp);
        data += char(filter);
        data +=
            QByteArray(reinterpret_cast<const char *>(filtered.data()), qsizetype(filtered.size()));
    }
    QByteArray compressed(qsizetype(compressBound(uLong(data.size()))), '\0');
    uLongf compressedSize = uLongf(compressed.size());
    compress2(reinterpret_cast<Bytef *>(compressed.data()), &compressedSize,
              reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()), 6);
    compressed.resize(qsizetype(compressedSize));

    const QByteArray header =
        BigEndian(quint32(width)) + BigEndian(quint32(height)) + Bytes({8, colourType, 0, 0, 0});
    QByteArray file = QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header);
    if (colourType == 3) {
        QByteArray palette, alpha;
        for (int i = 0; i < 256; ++i) {
            palette += Bytes({i, 255 - i, i * 7});
            alpha += char(i % 3 ? 255 : i);
        }
        file += Chunk("PLTE", palette) + Chunk("tRNS", alpha);
    }
    return file + Chunk("IDAT", compressed) + Chunk("IEND", {});
}

TEST(PngRowFilter, FilesFilteredByOtherToolsDecodeLikeQtReadsThem)
{
    constexpr int Width = 37, Height = 23;
    std::mt19937 random(7);
    for (int colourType : {6, 2, 0, 4, 3}) {
        static constexpr int ChannelsOf[] = {1, 0, 3, 1, 2, 0, 4};
        const size_t rowBytes = size_t(Width) * size_t(ChannelsOf[colourType]);
        // Smooth ramps with noise on top: the filters predict part of it, not all.
        std::vector<Row> rows;
        for (int y = 0; y < Height; ++y) {
            Row row(rowBytes);
            for (size_t i = 0; i < rowBytes; ++i)
                row[i] = uchar(int(i) * 3 + y * 5 + int(random() % 9));
            rows.push_back(row);
        }
        const QByteArray allPaeth =
            ForeignPng(Width, Height, colourType, rows, [](int) { return 4; });
        const QByteArray eachFilter =
            ForeignPng(Width, Height, colourType, rows, [](int y) { return y % 5; });
        // Runs of Paeth rows of every length up to six, broken anywhere across the reader's
        // steps of four rows.
        const QByteArray paethRuns = ForeignPng(Width, Height, colourType, rows,
                                                [](int y) { return y % 7 == 6 ? 1 : 4; });
        for (const QByteArray &file : {allPaeth, eachFilter, paethRuns}) {
            const QImage fast = DecodePngFast(file);
            ASSERT_FALSE(fast.isNull()) << "colour type " << colourType;
            QImage reference;
            ASSERT_TRUE(reference.loadFromData(file, "PNG")) << "colour type " << colourType;
            reference.convertTo(fast.format());
            EXPECT_EQ(fast, reference) << "colour type " << colourType;
        }
    }
}

} // namespace
} // namespace mrv
