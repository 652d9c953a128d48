#include "widgets/optionfield.h"

#include "widgets/numberbox.h"
#include "widgets/qualityfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace mrv {

namespace {

class IntField final : public OptionField
{
public:
    IntField(const ExportOptionSpec &spec, QWidget *parent)
        : OptionField(spec), m_box(new NumberBox(spec.minimum, spec.maximum, parent))
    {
        // "spn" as it was a spin box: Up and Down still step it.
        m_box->setObjectName(OptionObjectName(QStringLiteral("spn"), spec.name));
        connect(m_box, &QLineEdit::textChanged, this, &OptionField::edited);
    }
    QWidget *widget() const override { return m_box; }
    void setValue(const QVariant &value) override { m_box->setValue(value.toInt()); }
    Result<QVariant> value() const override
    {
        const Result<int> number = m_box->value();
        if (!number)
            return number.status();
        return QVariant(*number);
    }

private:
    NumberBox *m_box;
};

class BoolField final : public OptionField
{
public:
    BoolField(const ExportOptionSpec &spec, QWidget *parent)
        : OptionField(spec), m_box(new QCheckBox(spec.prompt, parent))
    {
        m_box->setObjectName(OptionObjectName(QStringLiteral("chk"), spec.name));
        connect(m_box, &QCheckBox::toggled, this, &OptionField::edited);
    }
    QWidget *widget() const override { return m_box; }
    bool captioned() const override { return true; }
    void setValue(const QVariant &value) override { m_box->setChecked(value.toBool()); }
    Result<QVariant> value() const override { return QVariant(m_box->isChecked()); }

private:
    QCheckBox *m_box;
};

class ChoiceField final : public OptionField
{
public:
    ChoiceField(const ExportOptionSpec &spec, QWidget *parent)
        : OptionField(spec), m_box(new QComboBox(parent))
    {
        m_box->setObjectName(OptionObjectName(QStringLiteral("com"), spec.name));
        for (const OptionChoice &choice : spec.choices)
            m_box->addItem(choice.caption, choice.value);
        connect(m_box, &QComboBox::currentIndexChanged, this, &OptionField::edited);
    }
    QWidget *widget() const override { return m_box; }
    void setValue(const QVariant &value) override
    {
        m_box->setCurrentIndex(std::max(0, m_box->findData(value.toString())));
    }
    Result<QVariant> value() const override { return m_box->currentData(); }

private:
    QComboBox *m_box;
};

class TextField final : public OptionField
{
public:
    TextField(const ExportOptionSpec &spec, QWidget *parent)
        : OptionField(spec), m_box(new QLineEdit(parent))
    {
        m_box->setObjectName(OptionObjectName(QStringLiteral("txt"), spec.name));
        connect(m_box, &QLineEdit::textChanged, this, &OptionField::edited);
    }
    QWidget *widget() const override { return m_box; }
    void setValue(const QVariant &value) override { m_box->setText(value.toString()); }
    Result<QVariant> value() const override
    {
        // The check itself, not CheckOptionValue: that takes the default (an empty text) as
        // always good, and an emptied theme name is no name.
        const QString typed = m_box->text();
        if (spec().check)
            if (const Status usable = spec().check(typed); !usable)
                return usable;
        return QVariant(typed);
    }

private:
    QLineEdit *m_box;
};

using FieldMaker = std::unique_ptr<OptionField> (*)(const ExportOptionSpec &, QWidget *);

/// The options a target shows in a box of its own.
struct OwnField
{
    const char16_t *targetId;
    const char16_t *option;
    FieldMaker make;
};

const OwnField OwnFields[] = {
    {u"export-animation", u"quality", &MakeWebPQualityField},
    {u"export-bootanimation", u"jpeg-quality", &MakeJpegQualityField},
};

} // namespace

QString OptionObjectName(const QString &prefix, const QString &optionName)
{
    QString name = prefix;
    for (const QString &word : optionName.split(u'-', Qt::SkipEmptyParts))
        name += word.left(1).toUpper() + word.mid(1);
    return name;
}

std::unique_ptr<OptionField> MakeOptionField(const QString &targetId, const ExportOptionSpec &spec,
                                             QWidget *parent)
{
    for (const OwnField &own : OwnFields)
        if (targetId == own.targetId && spec.name == own.option)
            return own.make(spec, parent);
    switch (spec.kind) {
    case OptionKind::Int: return std::make_unique<IntField>(spec, parent);
    case OptionKind::Bool: return std::make_unique<BoolField>(spec, parent);
    case OptionKind::Choice: return std::make_unique<ChoiceField>(spec, parent);
    case OptionKind::Text: break;
    }
    return std::make_unique<TextField>(spec, parent);
}

} // namespace mrv
