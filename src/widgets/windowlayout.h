#pragma once

#include "support/result.h"

#include <QList>
#include <QString>

#include <pugixml.hpp>

class QObject;
class QWidget;

class QMainWindow;

namespace mrv {

// The window-layout document sets properties of windows and their controls by name:
//
//   /Soft/Window/<window objectName>                         the window itself
//   /Soft/Window/<window objectName>/<control objectName>     one control (or a whole array)
//   /Soft/Window/<window objectName>/<control>/Index_<n>      element n of a control array
//
// Each attribute names a property. Sizes and positions are pixels; colours are web colours
// (RRGGBB, with or without "#"); `Caption`/`Text` may hold %s(Name) placeholders; `Picture`
// and `PicURL` name picture files (with %Name% variables). Names are compared without regard
// to case; a name the control has no property for, or a value it refuses, is skipped.
//
// Controls are the named descendants of a window (widgets, menu actions, timers), not those
// of other windows inside it. A control array is the set of controls that share one
// objectName and each carry their element number in the dynamic property "Index"
// (`SetControlIndex`); a control without that property is a single control.

/// Dynamic property holding a control-array element's number.
inline constexpr char ControlIndexProperty[] = "Index";

/// Makes the control element `index` of the array named by its objectName.
void SetControlIndex(QObject &control, int index);

/// The element number of a control-array element; -1 for a single control.
int ControlIndex(const QObject &control);

/// The control of that name on the window; with index >= 0, that element of the array.
/// A single control is found only with index -1; nullptr when there is none.
QObject *FindControl(const QWidget &window, const QString &name, int index = -1);

/// All elements of the array of that name, ordered by index.
QList<QObject *> ControlArray(const QWidget &window, const QString &name);

/// True when controls of that name on the window form a control array.
bool IsControlArray(const QWidget &window, const QString &name);

/// The window's controls in creation order, depth first (the order layouts are applied in).
QList<QObject *> WindowControls(const QWidget &window);

/// Applies the attributes of the first element at the path to the target, in document order.
/// A missing element changes nothing.
void ApplyXmlProperties(const pugi::xml_node &document, const QString &path, QObject &target);

/// Applies the document to the window (its element) and then to every control: first the
/// control's element, then, for an array element, its own Index_n element.
void RestoreLayout(const pugi::xml_node &document, QWidget &window);

/// Applies the document to one control of the window, as RestoreLayout does; for controls
/// created after the window loaded (rows of a list, for example).
void RestoreControlLayout(const pugi::xml_node &document, const QWidget &window,
                          QObject &control);

/// Stores the window's width and height (pixels) under its element, creating the root
/// "Soft" and the elements when missing. A maximised or full-screen window stores its
/// normal size, so the next start opens at the size the user last chose.
Status SaveWindowSize(pugi::xml_document &document, const QWidget &window);

/// Stores where the main window's docks stand and whether they show, under its element
/// (an element no control is named after, so restoring the layout passes it by).
Status SaveDockState(pugi::xml_document &document, const QMainWindow &window);
/// Puts the docks back as SaveDockState stored them; nothing stored (or a damaged state)
/// leaves them as they are.
void RestoreDockState(const pugi::xml_node &document, QMainWindow &window);

} // namespace mrv
