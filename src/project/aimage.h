#pragma once

#include <QString>

namespace mrv {

/// One picture placed on the screen: its path (relative to the project folder or absolute)
/// and the offset of its top-left corner in screen pixels.
struct aImage
{
    QString aURL;
    qint16 aX = 0;
    qint16 aY = 0;

    bool operator==(const aImage &) const = default;
};

} // namespace mrv
