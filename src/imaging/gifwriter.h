#pragma once

#include "imaging/gifpalette.h"
#include "support/result.h"

extern "C" {
#include <gif_lib.h>
}

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// The giflib plumbing the still and the animated GIF writers share.

namespace mrv {

struct GifMapDeleter
{
    void operator()(ColorMapObject *p) const { GifFreeMapObject(p); }
};
using GifMap = std::unique_ptr<ColorMapObject, GifMapDeleter>;

/// The palette as a GIF colour table, padded with black to a power of two; null when giflib
/// cannot make one.
GifMap MakeGifMap(const std::vector<IndexedPicture::Colour> &palette);

/// "图片编码失败（GIF）：" and what went wrong.
Result<QByteArray> GifFailure(const QString &what);

/// A GIF89a file written by giflib into memory: the screen descriptor (with the global colour
/// table, when given), then whatever `body` puts in; false from it fails with giflib's reason.
Result<QByteArray> WriteGifFile(QSize screen, const ColorMapObject *globalMap,
                                const std::function<bool(GifFileType *gif)> &body);

/// Puts an image of `rect` with the rows of `indices` (width pixels each) and, when given, its
/// own colour table.
bool PutGifImage(GifFileType *gif, const QRect &rect, const std::vector<uchar> &indices,
                 const ColorMapObject *localMap);

} // namespace mrv
