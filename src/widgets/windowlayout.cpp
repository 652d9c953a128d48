#include "widgets/windowlayout.h"

#include "imaging/pictureloader.h"
#include "settings/settings.h"
#include "widgets/layoutproperties.h"
#include "widgets/picturesurface.h"
#include "widgets/showpicture.h"
#include "support/regexutil.h"
#include "support/stringutil.h"
#include "support/xmledit.h"

#include <QMainWindow>
#include <QWidget>

#include <algorithm>

namespace mrv {

namespace {

const QString WindowRoot = QStringLiteral("/Soft/Window");

// ---- Attribute rules. -------------------------------------------------------------------------

bool IsNamed(const QString &name, QStringView candidate)
{
    return name.compare(candidate, Qt::CaseInsensitive) == 0;
}

bool IsSizeName(const QString &name)
{
    static const QStringView sizes[] = {u"Width",      u"Height",      u"Left",      u"Top",
                                        u"ScaleWidth", u"ScaleHeight", u"ScaleLeft", u"ScaleTop"};
    return std::any_of(std::begin(sizes), std::end(sizes),
                       [&name](QStringView s) { return IsNamed(name, s); });
}

/// Reads one placement attribute of the element as ShowPicture takes it.
std::optional<int> PlacementAttr(const pugi::xml_node &element, const char *name, qint32 ceiling)
{
    const auto attr = element.attribute(name);
    const QString text = attr ? FromUtf8(attr.value()) : QStringLiteral("0");
    const auto kept = ApplyCeiling(text, QStringLiteral("0"), ceiling);
    if (!kept)
        return std::nullopt;
    return kept->toInt();
}

void DrawPicURL(const pugi::xml_node &element, const QString &text, QObject &target)
{
    auto *surface = qobject_cast<PictureSurface *>(&target);
    if (!surface)
        return;
    constexpr qint32 Any = 2147483647;
    struct Field
    {
        const char *name;
        qint32 ceiling;
        int PictureParams::*member;
    };
    static const Field fields[] = {
        {"PicDrawStyle", 4, &PictureParams::PicDrawStyle},
        {"PicX", Any, &PictureParams::PicX},
        {"PicY", Any, &PictureParams::PicY},
        {"PicWidth", Any, &PictureParams::PicWidth},
        {"PicHeight", Any, &PictureParams::PicHeight},
        {"PicxAlign", 2, &PictureParams::PicxAlign},
        {"PicyAlign", 2, &PictureParams::PicyAlign},
        {"PicTop", Any, &PictureParams::PicTop},
        {"PicRight", Any, &PictureParams::PicRight},
        {"PicButtom", Any, &PictureParams::PicButtom},
        {"PicLeft", Any, &PictureParams::PicLeft},
    };
    PictureParams params;
    for (const Field &f : fields) {
        const auto value = PlacementAttr(element, f.name, f.ceiling);
        if (!value)
            return; // a placement value that is no number: this picture is not drawn
        params.*f.member = *value;
    }
    surface->Cls();
    ShowPicture(ExpandPath(text), *surface, params);
    surface->Refresh();
}

void ApplyAttribute(const pugi::xml_node &element, const QString &name, const QString &text,
                    QObject &target)
{
    if (IsSizeName(name)) {
        const QString digits = RegexCollect(text, QStringLiteral("\\d"), QString());
        if (!digits.isEmpty())
            SetLayoutProperty(target, name, digits);
    } else if (name.endsWith(u"Color", Qt::CaseInsensitive)) {
        const auto colour = ParseHex(text);
        if (colour)
            SetLayoutProperty(target, name, FromColorRef(WebColorToRgb(*colour)));
    } else if (IsNamed(name, u"Picture")) {
        const QImage picture = LoadPicture(ExpandPath(text));
        if (!picture.isNull())
            SetLayoutProperty(target, name, picture);
    } else if (IsNamed(name, u"PicURL")) {
        DrawPicURL(element, text, target);
    } else if (IsNamed(name, u"PicDrawStyle")) {
        // read together with PicURL
    } else if (IsNamed(name, u"Caption") || IsNamed(name, u"Text")) {
        SetLayoutProperty(target, name, ExpandText(text));
    } else {
        SetLayoutProperty(target, name, text);
    }
}

pugi::xml_node FirstElement(const pugi::xml_node &document, const QString &path)
{
    const auto matches = XmlSelect(document, path);
    return matches.empty() ? pugi::xml_node() : matches.front();
}

void ApplyElement(const pugi::xml_node &element, QObject &target)
{
    for (const auto &attr : element.attributes()) {
        QString name = FromUtf8(attr.name());
        name = name.mid(name.indexOf(u':') + 1); // local name
        ApplyAttribute(element, name, FromUtf8(attr.value()), target);
    }
}

bool IsSeparateWindow(const QObject &o)
{
    auto *w = qobject_cast<const QWidget *>(&o);
    return w && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog);
}

void CollectControls(const QObject &parent, QList<QObject *> &out)
{
    for (QObject *child : parent.children()) {
        if (IsSeparateWindow(*child))
            continue;
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(u"qt_"))
            out.append(child);
        CollectControls(*child, out);
    }
}

QString WindowPath(const QWidget &window)
{
    return WindowRoot + u'/' + window.objectName();
}

} // namespace

void SetControlIndex(QObject &control, int index)
{
    control.setProperty(ControlIndexProperty, index);
}

int ControlIndex(const QObject &control)
{
    const QVariant value = control.property(ControlIndexProperty);
    bool ok = false;
    const int index = value.toInt(&ok);
    return value.isValid() && ok && index >= 0 ? index : -1;
}

QObject *FindControl(const QWidget &window, const QString &name, int index)
{
    for (QObject *control : WindowControls(window))
        if (control->objectName() == name && ControlIndex(*control) == index)
            return control;
    return nullptr;
}

QList<QObject *> ControlArray(const QWidget &window, const QString &name)
{
    QList<QObject *> elements;
    for (QObject *control : WindowControls(window))
        if (control->objectName() == name && ControlIndex(*control) >= 0)
            elements.append(control);
    std::stable_sort(elements.begin(), elements.end(), [](QObject *a, QObject *b) {
        return ControlIndex(*a) < ControlIndex(*b);
    });
    return elements;
}

bool IsControlArray(const QWidget &window, const QString &name)
{
    return !ControlArray(window, name).isEmpty();
}

QList<QObject *> WindowControls(const QWidget &window)
{
    QList<QObject *> controls;
    CollectControls(window, controls);
    return controls;
}

void ApplyXmlProperties(const pugi::xml_node &document, const QString &path, QObject &target)
{
    if (const auto element = FirstElement(document, path))
        ApplyElement(element, target);
}

void RestoreControlLayout(const pugi::xml_node &document, const QWidget &window,
                          QObject &control)
{
    const QString path = WindowPath(window) + u'/' + control.objectName();
    const auto element = FirstElement(document, path);
    if (!element)
        return;
    ApplyElement(element, control);
    const int index = ControlIndex(control);
    if (index >= 0)
        ApplyXmlProperties(document, path + u"/Index_" + QString::number(index), control);
}

void RestoreLayout(const pugi::xml_node &document, QWidget &window)
{
    const QString path = WindowPath(window);
    const auto element = FirstElement(document, path);
    if (!element)
        return; // nothing for this window, nor for any of its controls
    ApplyElement(element, window);
    for (QObject *control : WindowControls(window))
        RestoreControlLayout(document, window, *control);
}

Status SaveWindowSize(pugi::xml_document &document, const QWidget &window)
{
    if (window.objectName().isEmpty())
        return Status::Fail(QStringLiteral("The window has no name to store its size under."));
    QSize size = window.size();
    if ((window.isMaximized() || window.isFullScreen()) && window.normalGeometry().isValid())
        size = window.normalGeometry().size();
    EnsureSoftRoot(document);
    const QString path = WindowPath(window);
    if (Status s = XmlSetAttr(document, path, QStringLiteral("Width"),
                              QString::number(size.width()), 0);
        !s)
        return s;
    return XmlSetAttr(document, path, QStringLiteral("Height"), QString::number(size.height()), 0);
}

namespace {

const QString DockElement = QStringLiteral("/DockLayout");
const QString DockAttribute = QStringLiteral("State");

} // namespace

Status SaveDockState(pugi::xml_document &document, const QMainWindow &window)
{
    if (window.objectName().isEmpty())
        return Status::Fail(QStringLiteral("The window has no name to store its docks under."));
    EnsureSoftRoot(document);
    return XmlSetAttr(document, WindowPath(window) + DockElement, DockAttribute,
                      QString::fromLatin1(window.saveState().toBase64()), 0);
}

void RestoreDockState(const pugi::xml_node &document, QMainWindow &window)
{
    const auto stored =
        XmlGetAttr(document, WindowPath(window) + DockElement, DockAttribute, QString(), 0);
    if (!stored || stored->isEmpty())
        return;
    window.restoreState(QByteArray::fromBase64(stored->toLatin1()));
}

} // namespace mrv
