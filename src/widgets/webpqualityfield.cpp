#include "widgets/webpqualityfield.h"

#include "imaging/webpanimation.h"
#include "support/tr.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QWidget>

namespace mrv {

namespace {

/// The quality proposed once lossless is cleared: libwebp's own default.
constexpr int LossyDefault = 75;

class WebPQualityField final : public OptionField
{
public:
    WebPQualityField(const ExportOptionSpec &spec, QWidget *parent)
        : OptionField(spec), m_frame(new QWidget(parent)),
          m_lossless(new QCheckBox(Tr::tr("无损"), m_frame)),
          m_quality(new QSpinBox(m_frame))
    {
        m_frame->setObjectName(OptionObjectName(QStringLiteral("fra"), spec.name));
        m_lossless->setObjectName(QStringLiteral("chkLossless"));
        m_quality->setObjectName(OptionObjectName(QStringLiteral("spn"), spec.name));
        m_quality->setRange(spec.minimum, spec.maximum);
        m_quality->setValue(LossyDefault);
        auto *row = new QHBoxLayout(m_frame);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(m_lossless);
        row->addWidget(m_quality, 1);
        // Tab goes from the check box to the number, as they are read.
        m_frame->setFocusProxy(m_lossless);
        connect(m_lossless, &QCheckBox::toggled, this, [this](bool lossless) {
            m_quality->setEnabled(!lossless);
            emit edited();
        });
        connect(m_quality, &QSpinBox::textChanged, this, &OptionField::edited);
    }
    QWidget *widget() const override { return m_frame; }
    void setValue(const QVariant &value) override
    {
        const int quality = value.toInt();
        const bool lossless = quality == WebPLossless;
        if (!lossless)
            m_quality->setValue(quality);
        m_lossless->setChecked(lossless);
        m_quality->setEnabled(!lossless);
    }
    Result<QVariant> value() const override
    {
        if (m_lossless->isChecked())
            return QVariant(WebPLossless);
        if (!m_quality->hasAcceptableInput())
            return CheckOptionValue(spec(), m_quality->text());
        return QVariant(m_quality->value());
    }

private:
    QWidget *m_frame;
    QCheckBox *m_lossless;
    QSpinBox *m_quality;
};

} // namespace

std::unique_ptr<OptionField> MakeWebPQualityField(const ExportOptionSpec &spec, QWidget *parent)
{
    return std::make_unique<WebPQualityField>(spec, parent);
}

} // namespace mrv
