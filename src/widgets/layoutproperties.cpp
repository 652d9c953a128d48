#include "widgets/layoutproperties.h"

#include "widgets/picturesurface.h"
#include "widgets/playback.h"
#include "support/stringutil.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <span>

namespace mrv {

namespace {

// Largest size or position the document may set; larger values are left unapplied.
constexpr qint64 MaxGeometry = 32767;

// ---- Value conversions: a value the property cannot take reports failure. -------------------

std::optional<int> ToInt(const QVariant &value)
{
    if (value.typeId() == QMetaType::Int)
        return value.toInt();
    const QString text = value.toString().trimmed();
    bool ok = false;
    const int whole = text.toInt(&ok);
    if (ok)
        return whole;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number) || std::abs(number) > 2147483647.0)
        return std::nullopt;
    return RoundHalfEven(number);
}

std::optional<bool> ToBool(const QVariant &value)
{
    const QString text = value.toString().trimmed();
    if (text.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    if (const auto number = ToInt(value))
        return *number != 0;
    return std::nullopt;
}

std::optional<int> ToGeometry(const QVariant &value)
{
    const auto number = ToInt(value);
    if (!number || *number < 0 || *number > MaxGeometry)
        return std::nullopt;
    return number;
}


// ---- Setters: one per property, each for one kind of object. -------------------------------

using Setter = bool (*)(QObject &, const QVariant &);

struct Property
{
    QStringView name;
    Setter set;
};

template <typename T, typename F>
bool With(QObject &object, const QVariant &value, F apply)
{
    auto *target = qobject_cast<T *>(&object);
    return target && apply(*target, value);
}

QPoint ParentOrigin(const QWidget &w)
{
    // Positions count from the container's drawing area, inside its border.
    const QWidget *parent = w.isWindow() ? nullptr : w.parentWidget();
    return parent ? parent->contentsRect().topLeft() : QPoint();
}

enum class Edge { Left, Top, Width, Height, InnerWidth, InnerHeight };

template <Edge E>
bool SetGeometry(QObject &o, const QVariant &v)
{
    auto *w = qobject_cast<QWidget *>(&o);
    const auto n = ToGeometry(v);
    if (!w || !n)
        return false;
    const QPoint pos = w->pos();
    // The inner sizes are what lies inside the border; the outer size follows them.
    const QSize border = w->size() - w->contentsRect().size();
    switch (E) {
    case Edge::Left: w->move(*n + ParentOrigin(*w).x(), pos.y()); break;
    case Edge::Top: w->move(pos.x(), *n + ParentOrigin(*w).y()); break;
    case Edge::Width: w->resize(*n, w->height()); break;
    case Edge::Height: w->resize(w->width(), *n); break;
    case Edge::InnerWidth: w->resize(*n + border.width(), w->height()); break;
    case Edge::InnerHeight: w->resize(w->width(), *n + border.height()); break;
    }
    return true;
}

template <typename T, void (T::*Set)(bool)>
bool SetFlag(QObject &o, const QVariant &v)
{
    auto *target = qobject_cast<T *>(&o);
    const auto on = ToBool(v);
    if (!target || !on)
        return false;
    (target->*Set)(*on);
    return true;
}

template <typename T, void (T::*Set)(int)>
bool SetNumber(QObject &o, const QVariant &v)
{
    auto *target = qobject_cast<T *>(&o);
    const auto number = ToInt(v);
    if (!target || !number)
        return false;
    (target->*Set)(*number);
    return true;
}

// Widgets have no movable coordinate origin: accepted so the name is known, applied as nothing.
bool IgnoreScaleOrigin(QObject &o, const QVariant &v)
{
    return qobject_cast<QWidget *>(&o) && ToInt(v).has_value();
}

bool SetVisible(QObject &o, const QVariant &v)
{
    const auto on = ToBool(v);
    if (!on)
        return false;
    if (auto *w = qobject_cast<QWidget *>(&o))
        w->setVisible(*on);
    else if (auto *a = qobject_cast<QAction *>(&o))
        a->setVisible(*on);
    else
        return false;
    return true;
}

bool SetEnabled(QObject &o, const QVariant &v)
{
    const auto on = ToBool(v);
    if (!on)
        return false;
    if (auto *w = qobject_cast<QWidget *>(&o))
        w->setEnabled(*on);
    else if (auto *a = qobject_cast<QAction *>(&o))
        a->setEnabled(*on);
    else if (auto *t = qobject_cast<QTimer *>(&o))
        *on ? t->start() : t->stop(); // an enabled timer is a running one
    else
        return false;
    return true;
}

bool SetToolTip(QObject &o, const QVariant &v)
{
    if (auto *w = qobject_cast<QWidget *>(&o))
        w->setToolTip(v.toString());
    else if (auto *a = qobject_cast<QAction *>(&o))
        a->setToolTip(v.toString());
    else
        return false;
    return true;
}

template <typename F>
bool ChangeFont(QObject &o, F change)
{
    auto *w = qobject_cast<QWidget *>(&o);
    if (!w)
        return false;
    QFont font = w->font();
    if (!change(font))
        return false;
    w->setFont(font);
    return true;
}

bool SetFontSize(QObject &o, const QVariant &v)
{
    return ChangeFont(o, [&v](QFont &f) {
        bool ok = false;
        const double points = v.toString().trimmed().toDouble(&ok);
        if (!ok || !(points > 0.0 && points <= 2048.0))
            return false;
        f.setPointSizeF(points);
        return true;
    });
}

bool SetFontName(QObject &o, const QVariant &v)
{
    return ChangeFont(o, [&v](QFont &f) {
        const QString family = v.toString().trimmed();
        if (family.isEmpty())
            return false;
        f.setFamilies({family});
        return true;
    });
}

template <void (QFont::*Switch)(bool)>
bool SetFontFlag(QObject &o, const QVariant &v)
{
    return ChangeFont(o, [&v](QFont &f) {
        const auto on = ToBool(v);
        if (on)
            (f.*Switch)(*on);
        return on.has_value();
    });
}

QPalette::ColorRole BackRole(const QWidget &w)
{
    if (qobject_cast<const QLineEdit *>(&w) || qobject_cast<const QComboBox *>(&w))
        return QPalette::Base;
    if (qobject_cast<const QAbstractButton *>(&w) && !qobject_cast<const QCheckBox *>(&w))
        return QPalette::Button;
    return QPalette::Window;
}

QPalette::ColorRole ForeRole(const QWidget &w)
{
    if (qobject_cast<const QLineEdit *>(&w) || qobject_cast<const QComboBox *>(&w))
        return QPalette::Text;
    if (qobject_cast<const QAbstractButton *>(&w) && !qobject_cast<const QCheckBox *>(&w))
        return QPalette::ButtonText;
    return QPalette::WindowText;
}

bool SetBackColor(QObject &o, const QVariant &v)
{
    if (v.typeId() != QMetaType::QColor)
        return false;
    if (auto *surface = qobject_cast<PictureSurface *>(&o)) {
        // A new back colour shows at once: the surface is cleared to it.
        surface->SetBackColor(v.value<QColor>());
        surface->Cls();
        surface->Refresh();
        return true;
    }
    return With<QWidget>(o, v, [](QWidget &w, const QVariant &v) {
        QPalette palette = w.palette();
        palette.setColor(BackRole(w), v.value<QColor>());
        w.setPalette(palette);
        if (BackRole(w) == QPalette::Window)
            w.setAutoFillBackground(true);
        return true;
    });
}

bool SetForeColor(QObject &o, const QVariant &v)
{
    if (v.typeId() != QMetaType::QColor)
        return false;
    return With<QWidget>(o, v, [](QWidget &w, const QVariant &v) {
        QPalette palette = w.palette();
        palette.setColor(ForeRole(w), v.value<QColor>());
        w.setPalette(palette);
        return true;
    });
}

bool SetCaption(QObject &o, const QVariant &v)
{
    const QString text = v.toString();
    if (auto *w = qobject_cast<QWidget *>(&o); w && w->isWindow() && !qobject_cast<QMenu *>(w))
        w->setWindowTitle(text);
    else if (auto *label = qobject_cast<QLabel *>(&o))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(&o))
        button->setText(text);
    else if (auto *action = qobject_cast<QAction *>(&o))
        action->setText(text);
    else if (auto *menu = qobject_cast<QMenu *>(&o))
        menu->setTitle(text);
    else if (auto *group = qobject_cast<QGroupBox *>(&o))
        group->setTitle(text);
    else
        return false;
    return true;
}

bool SetText(QObject &o, const QVariant &v)
{
    if (auto *edit = qobject_cast<QLineEdit *>(&o))
        edit->setText(v.toString());
    else if (auto *combo = qobject_cast<QComboBox *>(&o); combo && combo->isEditable())
        combo->setEditText(v.toString());
    else
        return false;
    return true;
}

bool SetPictureValue(QObject &o, const QVariant &v)
{
    const QImage picture = v.value<QImage>();
    if (picture.isNull())
        return false;
    if (auto *surface = qobject_cast<PictureSurface *>(&o))
        surface->SetPicture(picture);
    else if (auto *label = qobject_cast<QLabel *>(&o))
        label->setPixmap(QPixmap::fromImage(picture));
    else if (auto *button = qobject_cast<QAbstractButton *>(&o))
        button->setIcon(QIcon(QPixmap::fromImage(picture)));
    else
        return false;
    return true;
}

bool SetInterval(QObject &o, const QVariant &v)
{
    // A play timer takes any frame time, 0 included: it never runs faster than the screen.
    if (auto *player = qobject_cast<FrameTimer *>(&o)) {
        const auto ms = ToInt(v);
        if (!ms || *ms < 0)
            return false;
        player->SetFrameTime(*ms);
        return true;
    }
    return With<QTimer>(o, v, [](QTimer &t, const QVariant &v) {
        const auto ms = ToInt(v);
        // A timer interval of 0 would fire on every pass of the event loop.
        if (!ms || *ms < 1)
            return false;
        t.setInterval(*ms);
        return true;
    });
}

bool SetChecked(QObject &o, const QVariant &v)
{
    const auto on = ToBool(v);
    if (!on)
        return false;
    if (auto *action = qobject_cast<QAction *>(&o); action && action->isCheckable())
        action->setChecked(*on);
    else
        return false;
    return true;
}

bool SetValue(QObject &o, const QVariant &v)
{
    const auto number = ToInt(v);
    if (!number)
        return false;
    if (auto *slider = qobject_cast<QAbstractSlider *>(&o))
        slider->setValue(*number);
    else if (auto *check = qobject_cast<QCheckBox *>(&o); check && *number >= 0 && *number <= 2)
        check->setCheckState(Qt::CheckState(*number)); // 0 unchecked, 1 checked, 2 grey
    else
        return false;
    return true;
}

bool SetMaxLength(QObject &o, const QVariant &v)
{
    return With<QLineEdit>(o, v, [](QLineEdit &e, const QVariant &v) {
        const auto number = ToInt(v);
        if (!number || *number < 0)
            return false;
        e.setMaxLength(*number == 0 ? 32767 : *number); // 0: no limit of its own
        return true;
    });
}

bool SetBorderWidth(QObject &o, const QVariant &v)
{
    return With<PictureSurface>(o, v, [](PictureSurface &s, const QVariant &v) {
        const auto width = ToInt(v);
        if (!width || *width < 0 || *width > 64)
            return false;
        s.SetBorderWidth(*width);
        return true;
    });
}

// ---- The tables, most specific kind first. ---------------------------------------------------

const Property TimerProperties[] = {
    {u"Interval", SetInterval},
    {u"Enabled", SetEnabled},
};

const Property ActionProperties[] = {
    {u"Caption", SetCaption}, {u"Enabled", SetEnabled}, {u"Visible", SetVisible},
    {u"Checked", SetChecked}, {u"ToolTipText", SetToolTip},
};

const Property SurfaceProperties[] = {
    {u"BackColor", SetBackColor},
    {u"Picture", SetPictureValue},
    {u"BorderWidth", SetBorderWidth},
};

const Property LabelProperties[] = {
    {u"Caption", SetCaption},
    {u"Picture", SetPictureValue},
    {u"WordWrap", SetFlag<QLabel, &QLabel::setWordWrap>},
};

const Property ButtonProperties[] = {
    {u"Caption", SetCaption},
    {u"Picture", SetPictureValue},
    {u"Value", SetValue},
};

const Property LineEditProperties[] = {
    {u"Text", SetText},
    {u"MaxLength", SetMaxLength},
    {u"Locked", SetFlag<QLineEdit, &QLineEdit::setReadOnly>},
};

const Property ComboProperties[] = {
    {u"Text", SetText},
};

const Property SliderProperties[] = {
    {u"Value", SetValue},
    {u"Min", SetNumber<QAbstractSlider, &QAbstractSlider::setMinimum>},
    {u"Max", SetNumber<QAbstractSlider, &QAbstractSlider::setMaximum>},
    {u"SmallChange", SetNumber<QAbstractSlider, &QAbstractSlider::setSingleStep>},
    {u"LargeChange", SetNumber<QAbstractSlider, &QAbstractSlider::setPageStep>},
};

// Windows, menus and group boxes: a caption of their own.
const Property CaptionProperties[] = {
    {u"Caption", SetCaption},
};

const Property WidgetProperties[] = {
    {u"Left", SetGeometry<Edge::Left>},
    {u"Top", SetGeometry<Edge::Top>},
    {u"Width", SetGeometry<Edge::Width>},
    {u"Height", SetGeometry<Edge::Height>},
    {u"ScaleWidth", SetGeometry<Edge::InnerWidth>},
    {u"ScaleHeight", SetGeometry<Edge::InnerHeight>},
    {u"ScaleLeft", IgnoreScaleOrigin},
    {u"ScaleTop", IgnoreScaleOrigin},
    {u"Visible", SetVisible},
    {u"Enabled", SetEnabled},
    {u"ToolTipText", SetToolTip},
    {u"FontSize", SetFontSize},
    {u"FontName", SetFontName},
    {u"FontBold", SetFontFlag<&QFont::setBold>},
    {u"FontItalic", SetFontFlag<&QFont::setItalic>},
    {u"FontUnderline", SetFontFlag<&QFont::setUnderline>},
    {u"BackColor", SetBackColor},
    {u"ForeColor", SetForeColor},
};

QList<std::span<const Property>> TablesFor(const QObject &o)
{
    if (qobject_cast<const QTimer *>(&o))
        return {TimerProperties};
    if (qobject_cast<const QAction *>(&o))
        return {ActionProperties};
    auto *w = qobject_cast<const QWidget *>(&o);
    if (!w)
        return {};
    QList<std::span<const Property>> tables;
    if (qobject_cast<const PictureSurface *>(w))
        tables.append(SurfaceProperties);
    else if (qobject_cast<const QMenu *>(w) || qobject_cast<const QGroupBox *>(w) || w->isWindow())
        tables.append(CaptionProperties);
    else if (qobject_cast<const QLabel *>(w))
        tables.append(LabelProperties);
    else if (qobject_cast<const QAbstractButton *>(w))
        tables.append(ButtonProperties);
    else if (qobject_cast<const QLineEdit *>(w))
        tables.append(LineEditProperties);
    else if (qobject_cast<const QComboBox *>(w))
        tables.append(ComboProperties);
    else if (qobject_cast<const QAbstractSlider *>(w))
        tables.append(SliderProperties);
    tables.append(WidgetProperties);
    return tables;
}

/// Our own widgets publish layout properties as Q_PROPERTY with capitalised names; Qt's
/// lower-case properties are not part of the document's vocabulary.
bool SetDeclaredProperty(QObject &o, const QString &name, const QVariant &value)
{
    const QMetaObject *meta = o.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        const QString declared = QString::fromLatin1(p.name());
        if (!p.isWritable() || !declared.front().isUpper()
            || declared.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QVariant converted;
        switch (p.typeId()) {
        case QMetaType::Int:
            if (const auto n = ToInt(value))
                converted = *n;
            break;
        case QMetaType::Bool:
            if (const auto b = ToBool(value))
                converted = *b;
            break;
        case QMetaType::QString:
            converted = value.toString();
            break;
        case QMetaType::QColor:
            if (value.typeId() == QMetaType::QColor)
                converted = value;
            break;
        default:
            converted = value;
            if (!converted.convert(p.metaType()))
                converted = QVariant();
            break;
        }
        return converted.isValid() && p.write(&o, converted);
    }
    return false;
}

} // namespace

QColor FromColorRef(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

bool SetLayoutProperty(QObject &o, const QString &name, const QVariant &value)
{
    for (const auto &table : TablesFor(o))
        for (const Property &p : table)
            if (name.compare(p.name, Qt::CaseInsensitive) == 0)
                return p.set(o, value);
    return SetDeclaredProperty(o, name, value);
}

} // namespace mrv
