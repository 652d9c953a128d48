#include "widgets/droptarget.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace mrv {

QString FirstDroppedFile(const QMimeData &data)
{
    if (!data.hasUrls())
        return {};
    const QList<QUrl> urls = data.urls();
    return urls.isEmpty() ? QString() : urls.first().toLocalFile();
}

FileDropTarget::FileDropTarget(Wanted wanted, Dropped dropped, QObject *parent)
    : QObject(parent), m_wanted(std::move(wanted)), m_dropped(std::move(dropped))
{
}

void FileDropTarget::Watch(QWidget &widget)
{
    widget.setAcceptDrops(true);
    widget.installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    const QMimeData *data = drop->mimeData();
    // Text drags stay the widget's own business (a path box takes dragged text).
    if (!data || !data->hasUrls())
        return QObject::eventFilter(watched, event);
    // Past this point the widget never sees a file drag: a refused file must not end up
    // in a path box as the text of its address.
    const QString file = FirstDroppedFile(*data);
    if (file.isEmpty() || !m_wanted(file)) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        m_dropped(*static_cast<QWidget *>(watched), file);
    return true;
}

} // namespace mrv
