#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

namespace mrv {

/// The local path of the first file a drop carries; empty when it carries no file (or the
/// first is not a local file). Further files are ignored.
QString FirstDroppedFile(const QMimeData &data);

/// Takes file drops for the widgets it is installed on (as an event filter). A drag whose
/// data carries files is accepted while `wanted` says yes for its first file, and refused
/// otherwise, so the cursor tells the user before the drop; on a drop, `dropped` gets the
/// widget and the first file. Drags without files are left to the widget itself.
class FileDropTarget : public QObject
{
public:
    using Wanted = std::function<bool(const QString &file)>;
    using Dropped = std::function<void(QWidget &target, const QString &file)>;

    FileDropTarget(Wanted wanted, Dropped dropped, QObject *parent);

    /// Installs the filter on the widget and lets it take drops.
    void Watch(QWidget &widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Wanted m_wanted;
    Dropped m_dropped;
};

} // namespace mrv
