#include "support/naturalorder.h"

#include <algorithm>

namespace mrv {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype digitRunEnd(QStringView text, qsizetype from)
{
    while (from < text.size() && isDigit(text[from]))
        ++from;
    return from;
}

// Digit runs of any length compare without conversion, so no run overflows: without their
// leading zeros, the longer run is the larger number, and runs of one length compare as text.
int compareNumbers(QStringView a, QStringView b)
{
    const auto significant = [](QStringView run) {
        qsizetype zeros = 0;
        while (zeros < run.size() && run[zeros] == u'0')
            ++zeros;
        return run.mid(zeros);
    };
    const QStringView x = significant(a);
    const QStringView y = significant(b);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

int compareIgnoringCase(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const qsizetype endA = digitRunEnd(a, i);
            const qsizetype endB = digitRunEnd(b, j);
            if (const int c = compareNumbers(a.sliced(i, endA - i), b.sliced(j, endB - j)))
                return c;
            i = endA;
            j = endB;
            continue;
        }
        const char32_t x = a[i].toCaseFolded().unicode();
        const char32_t y = b[j].toCaseFolded().unicode();
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    const bool aLeft = i < a.size();
    const bool bLeft = j < b.size();
    return aLeft == bLeft ? 0 : (aLeft ? 1 : -1);
}

} // namespace

int NaturalCompare(QStringView a, QStringView b)
{
    if (const int c = compareIgnoringCase(a, b))
        return c;
    const int plain = a.compare(b);
    return plain < 0 ? -1 : (plain > 0 ? 1 : 0);
}

void NaturalSort(QStringList &names)
{
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return NaturalLess(a, b); });
}

} // namespace mrv
