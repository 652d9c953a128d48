#pragma once

#include "widgets/optionfield.h"

namespace mrv {

/// The animated picture's WebP quality: "无损" (lossless, `chkLossless`) or a quality from 0
/// to 100 (`spnQuality`), which a lone number box cannot show as one value.
std::unique_ptr<OptionField> MakeWebPQualityField(const ExportOptionSpec &spec, QWidget *parent);

/// The Android zip's pictures: PNG unless "存为 JPEG，质量" (`chkJpeg`) is ticked, then JPEG of
/// the quality from 0 to 100 beside it (`spnJpegQuality`).
std::unique_ptr<OptionField> MakeJpegQualityField(const ExportOptionSpec &spec, QWidget *parent);

} // namespace mrv
