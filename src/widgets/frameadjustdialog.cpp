#include "widgets/frameadjustdialog.h"

#include "support/tr.h"
#include "widgets/dialogbuttons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace mrv {

namespace {

// The preview shows the animation area this many times its size in the project.
constexpr double PreviewZoom = 1.5;

/// Grey squares: where the frame is transparent.
void DrawChecks(QPainter &painter, const QRect &box)
{
    constexpr int Side = 8;
    for (int y = box.top(); y < box.bottom(); y += Side)
        for (int x = box.left(); x < box.right(); x += Side)
            painter.fillRect(QRect(x, y, Side, Side).intersected(box),
                             ((x - box.left()) / Side + (y - box.top()) / Side) % 2
                                 ? QColor(204, 204, 204)
                                 : QColor(255, 255, 255));
}

} // namespace

FrameAdjustDialog::FrameAdjustDialog(const FrameAdjustRequest &request, QWidget *parent)
    : QDialog(parent), m_request(request), m_preview(new QLabel(this))
{
    setObjectName(QStringLiteral("frmAdjustFrames"));
    setWindowTitle(request.title);
    // A large picture is turned at the size the preview shows it: the colours are the same
    // and each change redraws at once.
    const QSize area(int(std::ceil(request.area.width() * PreviewZoom)),
                     int(std::ceil(request.area.height() * PreviewZoom)));
    const QSize most = area * 2;
    if (request.picture.width() > most.width() || request.picture.height() > most.height()) {
        m_source = request.picture.scaled(most, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_sourceScale = double(request.picture.width()) / std::max(m_source.width(), 1);
    } else {
        m_source = request.picture;
    }
    m_preview->setObjectName(QStringLiteral("picAdjustPreview"));
    m_preview->setFixedSize(area);

    auto *form = new QFormLayout(this);
    form->addRow(m_preview);
    const FrameAdjust &proposed = request.proposed;
    m_hue = AddRow(QStringLiteral("numHue"), Tr::tr("色相（度）："), -int(MaxHueTurn),
                   int(MaxHueTurn), int(std::lround(proposed.colour.hueDegrees)));
    m_saturation = AddRow(QStringLiteral("numSaturation"), Tr::tr("饱和度（%）："), 0,
                          int(MaxModulatePercent), int(std::lround(proposed.colour.saturation)));
    m_brightness = AddRow(QStringLiteral("numBrightness"), Tr::tr("亮度（%）："), 0,
                          int(MaxModulatePercent), int(std::lround(proposed.colour.brightness)));
    m_scale = AddRow(QStringLiteral("numScale"), Tr::tr("缩放（%）："), int(MinScalePercent),
                     int(MaxScalePercent), int(std::lround(proposed.scalePercent)));
    form->addRow(MakeOkCancelButtons(*this));
    UpdatePreview();
}

QSpinBox *FrameAdjustDialog::AddRow(const QString &name, const QString &caption, int low, int high,
                                    int value)
{
    auto *box = new QSpinBox(this);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setValue(value);
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(name + QStringLiteral("Slider"));
    slider->setRange(low, high);
    slider->setValue(value);
    slider->setMinimumWidth(200);
    connect(slider, &QSlider::valueChanged, box, &QSpinBox::setValue);
    connect(box, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    connect(box, &QSpinBox::valueChanged, this, &FrameAdjustDialog::UpdatePreview);
    auto *row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(box);
    static_cast<QFormLayout *>(layout())->addRow(caption, row);
    return box;
}

FrameAdjust FrameAdjustDialog::Values() const
{
    FrameAdjust values;
    values.colour = {double(m_hue->value()), double(m_saturation->value()),
                     double(m_brightness->value())};
    values.scalePercent = m_scale->value();
    return values;
}

void FrameAdjustDialog::UpdatePreview()
{
    if (!m_scale)
        return; // still building the rows
    const FrameAdjust values = Values();
    // Colours on the picture as read; the size through where the picture is drawn, so a
    // preview of a large picture at 400% takes no more memory than the box.
    const QImage coloured = AdjustColours(m_source, values.colour);
    const QSize before = m_request.picture.size();
    const QSize after = ScaledSize(before, values.scalePercent);
    const QPoint at = CentreKeepingOffset(m_request.offset, before, after);
    m_shown = QImage(m_preview->size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&m_shown);
    DrawChecks(painter, m_shown.rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(PreviewZoom, PreviewZoom);
    painter.drawImage(QRectF(at, QSizeF(after)), coloured);
    painter.end();
    m_preview->setPixmap(QPixmap::fromImage(m_shown));
}

} // namespace mrv
