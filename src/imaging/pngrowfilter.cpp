#include "imaging/pngrowfilter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mrv {

namespace {

// Each function undoes its filter from byte `from` on; the bytes before it are done already.
// The whole-pixel versions handle the pixels that fit and leave the rest to these.

void subFrom(uchar *row, qsizetype from, qsizetype length, int bpp)
{
    for (qsizetype i = std::max<qsizetype>(from, bpp); i < length; ++i)
        row[i] = uchar(row[i] + row[i - bpp]);
}

void averageFrom(uchar *row, const uchar *prev, qsizetype from, qsizetype length, int bpp)
{
    for (qsizetype i = from; i < length; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0;
        const int up = prev ? prev[i] : 0;
        row[i] = uchar(row[i] + ((left + up) >> 1));
    }
}

/// The Paeth predictor without branches: the choice depends on the data and would mispredict.
inline int paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    const int bc = pb <= pc ? b : c;
    return pa <= pb && pa <= pc ? a : bc;
}

void paethFrom(uchar *row, const uchar *prev, qsizetype from, qsizetype length, int bpp)
{
    for (qsizetype i = from; i < length; ++i)
        row[i] = uchar(row[i] + (i >= bpp ? paeth(row[i - bpp], prev[i], prev[i - bpp]) : prev[i]));
}

#if defined(__SSE2__)

// One pixel of 3 or 4 bytes in the low lanes of a vector register, the other lanes zero. The
// three bytes are put together in a register: copied through memory as two smaller writes and
// one larger read, they would stall the processor on every pixel.
template <int Bpp> __m128i loadPixel(const uchar *p)
{
    if constexpr (Bpp == 4) {
        quint32 v;
        std::memcpy(&v, p, 4);
        return _mm_cvtsi32_si128(int(v));
    } else {
        return _mm_cvtsi32_si128(p[0] | (p[1] << 8) | (p[2] << 16));
    }
}

template <int Bpp> void storePixel(uchar *p, __m128i v)
{
    const auto bits = quint32(_mm_cvtsi128_si32(v));
    if constexpr (Bpp == 4) {
        std::memcpy(p, &bits, 4);
    } else {
        p[0] = uchar(bits);
        p[1] = uchar(bits >> 8);
        p[2] = uchar(bits >> 16);
    }
}

/// Whole pixels at a time: every byte of a pixel depends only on the pixel to its left, so
/// the bytes of one pixel are added side by side. Returns the first byte not done.
template <int Bpp> qsizetype subPixels(uchar *row, qsizetype length)
{
    __m128i left = _mm_setzero_si128();
    qsizetype i = 0;
    for (; i + Bpp <= length; i += Bpp) {
        left = _mm_add_epi8(loadPixel<Bpp>(row + i), left);
        storePixel<Bpp>(row + i, left);
    }
    return i;
}

template <int Bpp> qsizetype averagePixels(uchar *row, const uchar *prev, qsizetype length)
{
    // pavgb rounds up; the floor PNG wants is one less where the two sums are odd.
    const __m128i one = _mm_set1_epi8(1);
    __m128i left = _mm_setzero_si128();
    qsizetype i = 0;
    for (; i + Bpp <= length; i += Bpp) {
        const __m128i up = loadPixel<Bpp>(prev + i);
        const __m128i odd = _mm_and_si128(_mm_xor_si128(left, up), one);
        const __m128i average = _mm_sub_epi8(_mm_avg_epu8(left, up), odd);
        left = _mm_add_epi8(loadPixel<Bpp>(row + i), average);
        storePixel<Bpp>(row + i, left);
    }
    return i;
}

inline __m128i abs16(__m128i v)
{
    return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v));
}

inline __m128i select(__m128i mask, __m128i yes, __m128i no)
{
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

/// Paeth's prediction in 16-bit lanes from the left (a), upper (b) and upper-left (c) bytes,
/// where a + b - 2c cannot overflow: the three distances and the choice are compares and
/// masks, with no branch. p = a + b - c; pa = |p - a| = |b - c| is known before a is.
inline __m128i paethPredict(__m128i a, __m128i b, __m128i c)
{
    const __m128i towardsA = _mm_sub_epi16(b, c);
    const __m128i towardsB = _mm_sub_epi16(a, c);
    const __m128i pa = abs16(towardsA);
    const __m128i pb = abs16(towardsB);
    const __m128i pc = abs16(_mm_add_epi16(towardsA, towardsB));
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i bOrC = select(_mm_cmpgt_epi16(pb, pc), c, b);
    return select(notA, bOrC, a);
}

/// Paeth over whole pixels, each in the low 16-bit lanes.
template <int Bpp> qsizetype paethPixels(uchar *row, const uchar *prev, qsizetype length)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i a = zero; // left
    __m128i c = zero; // upper left
    qsizetype i = 0;
    for (; i + Bpp <= length; i += Bpp) {
        const __m128i b = _mm_unpacklo_epi8(loadPixel<Bpp>(prev + i), zero);
        const __m128i x = _mm_unpacklo_epi8(loadPixel<Bpp>(row + i), zero);
        // Wraps within the low byte; the high byte stays 0.
        a = _mm_add_epi8(x, paethPredict(a, b, c));
        storePixel<Bpp>(row + i, _mm_packus_epi16(a, a));
        c = b;
    }
    return i;
}

/// Two Paeth rows at once, the lower one a pixel behind the upper: each pixel of the lower row
/// needs the upper row's pixel above it and the one before, both done a step earlier. The two
/// rows share the 16-bit lanes of one register (upper row low, lower row high), so each step of
/// Paeth's chain from pixel to pixel does two pixels. length is a whole number of pixels.
template <int Bpp> void paethPairPixels(uchar *row0, uchar *row1, const uchar *prev,
                                        qsizetype length)
{
    const __m128i zero = _mm_setzero_si128();
    const qsizetype pixels = length / Bpp;
    __m128i done = zero;  // row0's pixel p - 1 and row1's pixel p - 2, unfiltered
    __m128i above = zero; // what was above them: prev's pixel p - 1 and row0's pixel p - 2
    for (qsizetype p = 0; p <= pixels; ++p) {
        const bool upper = p < pixels, lower = p > 0;
        const __m128i upperLeft = above;
        above = _mm_unpacklo_epi64(
            _mm_unpacklo_epi8(upper ? loadPixel<Bpp>(prev + p * Bpp) : zero, zero), done);
        const __m128i filtered = _mm_unpacklo_epi64(
            _mm_unpacklo_epi8(upper ? loadPixel<Bpp>(row0 + p * Bpp) : zero, zero),
            _mm_unpacklo_epi8(lower ? loadPixel<Bpp>(row1 + (p - 1) * Bpp) : zero, zero));
        done = _mm_add_epi8(filtered, paethPredict(done, above, upperLeft));
        const __m128i bytes = _mm_packus_epi16(done, done);
        if (upper)
            storePixel<Bpp>(row0 + p * Bpp, bytes);
        // Before row1's first pixel its lanes stay zero: nothing filtered, nothing predicted.
        if (lower)
            storePixel<Bpp>(row1 + (p - 1) * Bpp, _mm_srli_si128(bytes, 4));
    }
}

/// Four Paeth rows at once: rows 0 and 1 as above, rows 2 and 3 likewise in a second register,
/// two and three pixels behind row 0. The two registers' chains do not wait for each other
/// within a step, so the processor runs them side by side.
template <int Bpp> void paethQuadPixels(uchar *const *rows, const uchar *prev, qsizetype length)
{
    const __m128i zero = _mm_setzero_si128();
    const qsizetype pixels = length / Bpp;
    auto load = [&](const uchar *row, qsizetype p) {
        return p >= 0 && p < pixels ? _mm_unpacklo_epi8(loadPixel<Bpp>(row + p * Bpp), zero)
                                    : zero;
    };
    auto store = [&](uchar *row, qsizetype p, __m128i pixel) {
        if (p >= 0 && p < pixels)
            storePixel<Bpp>(row + p * Bpp, pixel);
    };
    __m128i doneA = zero, aboveA = zero; // rows 0 and 1, as in paethPairPixels
    __m128i doneB = zero, aboveB = zero; // rows 2 and 3
    for (qsizetype p = 0; p < pixels + 3; ++p) {
        const __m128i upperLeftA = aboveA, upperLeftB = aboveB;
        aboveA = _mm_unpacklo_epi64(load(prev, p), doneA);
        // Row 1's pixel p - 2 over row 2's pixel p - 2, row 2's pixel p - 3 over row 3's.
        aboveB = _mm_castpd_si128(
            _mm_shuffle_pd(_mm_castsi128_pd(doneA), _mm_castsi128_pd(doneB), 1));
        doneA = _mm_add_epi8(_mm_unpacklo_epi64(load(rows[0], p), load(rows[1], p - 1)),
                             paethPredict(doneA, aboveA, upperLeftA));
        doneB = _mm_add_epi8(_mm_unpacklo_epi64(load(rows[2], p - 2), load(rows[3], p - 3)),
                             paethPredict(doneB, aboveB, upperLeftB));
        const __m128i bytesA = _mm_packus_epi16(doneA, doneA);
        const __m128i bytesB = _mm_packus_epi16(doneB, doneB);
        store(rows[0], p, bytesA);
        store(rows[1], p - 1, _mm_srli_si128(bytesA, 4));
        store(rows[2], p - 2, bytesB);
        store(rows[3], p - 3, _mm_srli_si128(bytesB, 4));
    }
}

#endif

void unfilterUp(uchar *row, const uchar *prev, qsizetype length)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    // No byte depends on its neighbours: sixteen at a time.
    for (; i + 16 <= length; i += 16) {
        const __m128i sum =
            _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(row + i)),
                         _mm_loadu_si128(reinterpret_cast<const __m128i *>(prev + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(row + i), sum);
    }
#endif
    for (; i < length; ++i)
        row[i] = uchar(row[i] + prev[i]);
}

void unfilterSub(uchar *row, qsizetype length, int bpp)
{
#if defined(__SSE2__)
    if (bpp == 4)
        return subFrom(row, subPixels<4>(row, length), length, bpp);
    if (bpp == 3)
        return subFrom(row, subPixels<3>(row, length), length, bpp);
#else
    if (bpp == 4) {
        // Four bytes at a time, each byte added without carrying into the next.
        quint32 left = 0;
        qsizetype i = 0;
        for (; i + 4 <= length; i += 4) {
            quint32 v;
            std::memcpy(&v, row + i, 4);
            v = ((v & 0x7f7f7f7fu) + (left & 0x7f7f7f7fu)) ^ ((v ^ left) & 0x80808080u);
            std::memcpy(row + i, &v, 4);
            left = v;
        }
        return subFrom(row, i, length, bpp);
    }
#endif
    subFrom(row, 0, length, bpp);
}

void unfilterAverage(uchar *row, const uchar *prev, qsizetype length, int bpp)
{
#if defined(__SSE2__)
    if (prev && bpp == 4)
        return averageFrom(row, prev, averagePixels<4>(row, prev, length), length, bpp);
    if (prev && bpp == 3)
        return averageFrom(row, prev, averagePixels<3>(row, prev, length), length, bpp);
#endif
    averageFrom(row, prev, 0, length, bpp);
}

void unfilterPaeth(uchar *row, const uchar *prev, qsizetype length, int bpp)
{
    if (!prev) // with nothing above, Paeth is Sub
        return unfilterSub(row, length, bpp);
#if defined(__SSE2__)
    if (bpp == 4)
        return paethFrom(row, prev, paethPixels<4>(row, prev, length), length, bpp);
    if (bpp == 3)
        return paethFrom(row, prev, paethPixels<3>(row, prev, length), length, bpp);
#endif
    paethFrom(row, prev, 0, length, bpp);
}

} // namespace

bool UnfilterPngRows(const int *filters, uchar *const *rows, int count, const uchar *prev,
                     qsizetype length, int bpp)
{
    for (int r = 0; r < count;) {
        const uchar *above = r == 0 ? prev : rows[r - 1];
#if defined(__SSE2__)
        auto paethRun = [&](int n) {
            return count - r >= n && above && (bpp == 3 || bpp == 4) &&
                   std::all_of(filters + r, filters + r + n, [](int f) { return f == 4; });
        };
        if (paethRun(4)) {
            bpp == 4 ? paethQuadPixels<4>(rows + r, above, length)
                     : paethQuadPixels<3>(rows + r, above, length);
            r += 4;
            continue;
        }
        if (paethRun(2)) {
            bpp == 4 ? paethPairPixels<4>(rows[r], rows[r + 1], above, length)
                     : paethPairPixels<3>(rows[r], rows[r + 1], above, length);
            r += 2;
            continue;
        }
#endif
        if (!UnfilterPngRow(filters[r], rows[r], above, length, bpp))
            return false;
        ++r;
    }
    return true;
}

bool UnfilterPngRow(int filter, uchar *row, const uchar *prev, qsizetype length, int bpp)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        unfilterSub(row, length, bpp);
        return true;
    case 2:
        if (prev)
            unfilterUp(row, prev, length);
        return true;
    case 3:
        unfilterAverage(row, prev, length, bpp);
        return true;
    case 4:
        unfilterPaeth(row, prev, length, bpp);
        return true;
    default:
        return false;
    }
}

} // namespace mrv
