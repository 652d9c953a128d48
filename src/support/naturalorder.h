#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace mrv {

/// Compares two names as people count: runs of the digits 0-9 compare as numbers of any
/// length ("f2" < "f10"), the rest without regard to letter case ("f10" < "F11"); names equal
/// that way ("f01", "f1", "F1") fall back to the plain text comparison, so the order is total.
/// Negative, zero or positive as a is before, equal to or after b.
int NaturalCompare(QStringView a, QStringView b);

/// True when a comes before b in natural order.
inline bool NaturalLess(QStringView a, QStringView b)
{
    return NaturalCompare(a, b) < 0;
}

/// Sorts the names into natural order.
void NaturalSort(QStringList &names);

} // namespace mrv
