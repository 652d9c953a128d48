#include "widgets/qualityfield.h"

#include "export/bootanimation.h"
#include "imaging/webpanimation.h"
#include "widgets/numberbox.h"
#include "support/tr.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QWidget>

namespace mrv {

namespace {

/// The quality proposed once the number is asked for: libwebp's and libjpeg's own default.
constexpr int ProposedQuality = 75;

/// A quality that a check box switches on or off: one of its states stands for a value out of
/// the quality's range (lossless WebP, PNG pictures), the other takes the number beside it.
class SwitchedQualityField final : public OptionField
{
public:
    /// `unset` is the option's value while the box shows `tickedIsUnset`.
    SwitchedQualityField(const ExportOptionSpec &spec, QWidget *parent, const QString &caption,
                         const QString &checkName, int unset, bool tickedIsUnset)
        : OptionField(spec), m_frame(new QWidget(parent)), m_switch(new QCheckBox(caption, m_frame)),
          m_quality(new NumberBox(spec.minimum, spec.maximum, m_frame)), m_unset(unset),
          m_tickedIsUnset(tickedIsUnset)
    {
        m_frame->setObjectName(OptionObjectName(QStringLiteral("fra"), spec.name));
        m_switch->setObjectName(checkName);
        m_quality->setObjectName(OptionObjectName(QStringLiteral("spn"), spec.name));
        m_quality->setValue(ProposedQuality);
        auto *row = new QHBoxLayout(m_frame);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(m_switch);
        row->addWidget(m_quality, 1);
        // Tab goes from the check box to the number, as they are read.
        m_frame->setFocusProxy(m_switch);
        connect(m_switch, &QCheckBox::toggled, this, [this] {
            m_quality->setEnabled(!Unset());
            emit edited();
        });
        connect(m_quality, &QLineEdit::textChanged, this, &OptionField::edited);
    }
    QWidget *widget() const override { return m_frame; }
    QWidget *markedBox() const override { return m_quality; }
    void setValue(const QVariant &value) override
    {
        const int quality = value.toInt();
        const bool unset = quality == m_unset;
        if (!unset)
            m_quality->setValue(quality);
        m_switch->setChecked(unset == m_tickedIsUnset);
        m_quality->setEnabled(!unset);
    }
    Result<QVariant> value() const override
    {
        if (Unset())
            return QVariant(m_unset);
        const Result<int> quality = m_quality->value();
        if (!quality)
            return quality.status();
        return QVariant(*quality);
    }

private:
    bool Unset() const { return m_switch->isChecked() == m_tickedIsUnset; }

    QWidget *m_frame;
    QCheckBox *m_switch;
    NumberBox *m_quality;
    int m_unset;
    bool m_tickedIsUnset;
};

} // namespace

std::unique_ptr<OptionField> MakeWebPQualityField(const ExportOptionSpec &spec, QWidget *parent)
{
    return std::make_unique<SwitchedQualityField>(spec, parent, Tr::tr("无损"),
                                                  QStringLiteral("chkLossless"), WebPLossless,
                                                  true);
}

std::unique_ptr<OptionField> MakeJpegQualityField(const ExportOptionSpec &spec, QWidget *parent)
{
    return std::make_unique<SwitchedQualityField>(spec, parent, Tr::tr("存为 JPEG，质量"),
                                                  QStringLiteral("chkJpeg"), BootAnimationPng,
                                                  false);
}

} // namespace mrv
