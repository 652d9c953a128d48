#include "export/pngrowfilter.h"

#include <cstdlib>
#include <cstring>

namespace mrv {

namespace {

/// The Paeth predictor, written without branches: the choice is data-dependent and
/// mispredicts otherwise.
inline int paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    const int bc = pb <= pc ? b : c;
    return pa <= pb && pa <= pc ? a : bc;
}

} // namespace

bool UnfilterPngRow(int filter, uchar *row, const uchar *prev, qsizetype length, int bpp)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        if (bpp == 4) {
            // Four bytes at a time, each byte added without carrying into the next.
            quint32 left = 0;
            for (qsizetype i = 0; i + 4 <= length; i += 4) {
                quint32 v;
                std::memcpy(&v, row + i, 4);
                v = ((v & 0x7f7f7f7fu) + (left & 0x7f7f7f7fu)) ^ ((v ^ left) & 0x80808080u);
                std::memcpy(row + i, &v, 4);
                left = v;
            }
            return true;
        }
        for (qsizetype i = bpp; i < length; ++i)
            row[i] = uchar(row[i] + row[i - bpp]);
        return true;
    case 2:
        if (prev)
            for (qsizetype i = 0; i < length; ++i)
                row[i] = uchar(row[i] + prev[i]);
        return true;
    case 3:
        for (qsizetype i = 0; i < length; ++i) {
            const int left = i >= bpp ? row[i - bpp] : 0;
            const int up = prev ? prev[i] : 0;
            row[i] = uchar(row[i] + ((left + up) >> 1));
        }
        return true;
    case 4:
        if (!prev) { // with nothing above, Paeth is Sub
            for (qsizetype i = bpp; i < length; ++i)
                row[i] = uchar(row[i] + row[i - bpp]);
            return true;
        }
        for (qsizetype i = 0; i < bpp && i < length; ++i)
            row[i] = uchar(row[i] + prev[i]);
        for (qsizetype i = bpp; i < length; ++i)
            row[i] = uchar(row[i] + paeth(row[i - bpp], prev[i], prev[i - bpp]));
        return true;
    default:
        return false;
    }
}

} // namespace mrv
