#include "editor/framelist.h"

#include "editor/framemodel.h"
#include "editor/pathproblem.h"
#include "support/tr.h"
#include "widgets/dialogbuttons.h"
#include "widgets/windowlayout.h"
#include "support/stringutil.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

namespace mrv {

FrameKey FrameKeyOf(const QKeyEvent &key)
{
    if (key.modifiers() != Qt::NoModifier)
        return FrameKey::None;
    if (key.key() == Qt::Key_Delete)
        return FrameKey::Delete;
    return key.key() == Qt::Key_Insert ? FrameKey::Insert : FrameKey::None;
}

QRect PathBox::TextArea() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins())
        .adjusted(2, 0, -2, 0); // the line edit's own margin around its text
}

QString PathBox::ShownText() const
{
    const QString full = text();
    const QFontMetrics metrics = fontMetrics();
    const int width = TextArea().width();
    if (hasFocus() || metrics.horizontalAdvance(full) <= width)
        return full;
    // The folders give way first: the path's start, then the file name whole; a name too
    // long for the box keeps its end.
    const qsizetype cut = std::max(full.lastIndexOf(u'/'), full.lastIndexOf(u'\\'));
    const QString name = full.mid(cut + 1);
    const int room = width - metrics.horizontalAdvance(name);
    const QString folders = metrics.elidedText(full.left(cut + 1), Qt::ElideRight, room);
    if (cut < 0 || room <= 0 || folders.isEmpty())
        return metrics.elidedText(full, Qt::ElideLeft, width);
    return folders + name;
}

void PathBox::paintEvent(QPaintEvent *event)
{
    const QString shown = ShownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(TextArea(), Qt::AlignVCenter | Qt::AlignLeft, shown);
}

namespace {

// Rows kept alive beyond the visible ones, so short scrolls reuse nothing.
constexpr int SpareRows = 2;

int clampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, -16777215, 16777215));
}

QString RowNumber(int row)
{
    return QStringLiteral("%1").arg(row, 3, 10, QChar(u'0'));
}

// The box's tool tip holds the whole path; a marked box's holds the reason instead.
void ShowPathTip(QLineEdit &box, const QString &reason)
{
    MarkPathBox(box, QString());
    box.setToolTip(box.text());
    MarkPathBox(box, reason);
}

// A row's widget takes on how the template's looks and behaves.
void CopyLook(const QWidget &from, QWidget &to)
{
    to.setObjectName(from.objectName());
    to.setFont(from.font());
    to.setPalette(from.palette());
    to.setToolTip(from.toolTip());
    to.setEnabled(from.isEnabled());
    to.setStyleSheet(from.styleSheet());
    to.setAutoFillBackground(from.autoFillBackground());
}

// The local files a drop carries when they are several, or one folder; else none.
QStringList ManyFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList files;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    if (files.size() == 1 && !QFileInfo(files.first()).isDir())
        return {};
    return files;
}

} // namespace

FrameList::FrameList(QFrame &panel) : QObject(&panel), m_panel(&panel)
{
    // A click on the list (a row number, the space between rows) gives it the focus, so that
    // Delete and Insert act on its rows.
    m_panel->setFocusPolicy(Qt::ClickFocus);
    m_panel->setAcceptDrops(true);
    m_viewport = new QWidget(m_panel);
    m_viewport->setGeometry(m_panel->contentsRect());
    m_viewport->installEventFilter(this);
    m_panel->installEventFilter(this);

    m_inner = new QWidget(m_viewport);
    m_inner->setObjectName(QStringLiteral("picFrame_In"));
    m_inner->setGeometry(0, 0, 200, 200);
    m_inner->installEventFilter(this);
    m_inner->setAcceptDrops(true);
    m_viewport->setAcceptDrops(true);

    m_scroll = new QScrollBar(Qt::Vertical, m_viewport);
    m_scroll->setObjectName(QStringLiteral("vscFrame"));
    m_scroll->setRange(0, 32767);
    m_scroll->setGeometry(183, 0, 17, 200);
    connect(m_scroll, &QScrollBar::valueChanged, this, &FrameList::vscFrame_Change);
    m_scroll->installEventFilter(this);

    m_highlight = new QFrame(m_inner);
    m_highlight->setObjectName(QStringLiteral("shaFrame"));
    m_highlight->setGeometry(2, 1, 190, 33);
    m_highlight->setStyleSheet(QStringLiteral(
        "QFrame#shaFrame { border: 1px solid #3d7edb; border-radius: 3px;"
        " background-color: #dce9fc; }"));

    m_template.label = new QLabel(RowNumber(0), m_inner);
    m_template.label->setObjectName(QStringLiteral("lblFrame"));
    m_template.label->setGeometry(6, 11, 32, 13);
    m_template.label->setCursor(Qt::PointingHandCursor);
    m_template.label->setToolTip(Tr::tr("显示这一帧"));
    m_template.path = new QLineEdit(QStringLiteral("frame/0.png"), m_inner);
    m_template.path->setObjectName(QStringLiteral("txtFrame"));
    m_template.path->setGeometry(40, 6, 100, 23);
    m_template.browse = new QPushButton(Tr::tr("浏览"), m_inner);
    m_template.browse->setObjectName(QStringLiteral("cmdFrame_Browse"));
    m_template.browse->setGeometry(145, 5, 44, 25);
    m_template.setting = new QPushButton(Tr::tr("调整"), m_inner);
    m_template.setting->setObjectName(QStringLiteral("cmdFrame_Setting"));
    m_template.setting->setGeometry(194, 5, 44, 25);
    // The rows are laid out from the template's widths: an English caption widens them all.
    WidenToText(*m_template.browse);
    WidenToText(*m_template.setting);
    for (QWidget *w : {static_cast<QWidget *>(m_template.label),
                       static_cast<QWidget *>(m_template.path),
                       static_cast<QWidget *>(m_template.browse),
                       static_cast<QWidget *>(m_template.setting)}) {
        SetControlIndex(*w, 0);
        w->hide();
    }
}

RowTemplate FrameList::Template() const
{
    RowTemplate row{m_template.label->geometry(), m_template.path->geometry(),
                    m_template.browse->geometry(), m_template.setting->geometry(),
                    m_highlight->x()};
    // The widest number the rows show must fit whole (a 10000th frame's "10000"): the
    // number takes what it needs from the path box beside it.
    const QLabel &label = *m_template.label;
    const int needed = label.fontMetrics().horizontalAdvance(RowNumber(RowCount())) +
                       label.contentsMargins().left() + label.contentsMargins().right() +
                       2 * label.margin() + 2;
    if (const int extra = needed - row.label.width(); extra > 0) {
        row.label.setWidth(needed);
        row.path.setLeft(row.path.left() + extra);
    }
    return row;
}

void FrameList::MeasureRows(int listDistance)
{
    m_metrics = mrv::MeasureRows(Template(), listDistance);
    m_highlight->resize(m_highlight->width(), MaxOf(m_metrics.HighlightHeight, 0));
}

void FrameList::SetModel(FrameModel &model)
{
    m_model = &model;
    // Rows that come or go, or frames that move, renumber the rows' widgets.
    connect(&model, &QAbstractItemModel::modelReset, this, &FrameList::Renumber);
    connect(&model, &QAbstractItemModel::layoutChanged, this, &FrameList::Renumber);
    connect(&model, &QAbstractItemModel::rowsInserted, this, &FrameList::Renumber);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &FrameList::Renumber);
    connect(&model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &top, const QModelIndex &bottom, const QList<int> &roles) {
                if (roles.isEmpty() || roles.contains(FrameModel::StoredPathRole) ||
                    roles.contains(FrameModel::PathProblemRole))
                    ShowRows(top.row() + 1, bottom.row() + 1);
            });
    connect(&model.Selection(), &QItemSelectionModel::selectionChanged, this, [this] {
        for (const auto &[index, row] : m_active)
            ShowSelected(row);
    });
    connect(&model.Selection(), &QItemSelectionModel::currentChanged, this,
            &FrameList::ShowCurrentRow);
    m_inner->show();
    Renumber();
}

int FrameList::RowCount() const
{
    return m_model ? m_model->rowCount() : 0;
}

void FrameList::Renumber()
{
    KeepFocusOffRows();
    for (auto &[index, row] : m_active)
        ReleaseRow(row);
    m_active.clear();
    ArrangeFrameRows();
}

void FrameList::ShowRows(int first, int last)
{
    for (auto &[index, row] : m_active) {
        if (index < first || index > last)
            continue;
        const QString text = RowText(index);
        // The box being typed in holds this text already: its cursor stays where it is.
        if (row.path->text() != text) {
            row.path->setText(text);
            row.path->setCursorPosition(0);
        }
        ShowPathTip(*row.path, RowProblem(index));
    }
}

QString FrameList::RowText(int row) const
{
    return m_model ? m_model->IndexOf(row).data(FrameModel::StoredPathRole).toString()
                   : QString();
}

QString FrameList::RowProblem(int row) const
{
    return m_model ? m_model->IndexOf(row).data(FrameModel::PathProblemRole).toString()
                   : QString();
}

QList<int> FrameList::Selection() const
{
    return m_model ? m_model->PickedFrames() : QList<int>();
}

bool FrameList::IsPicked(int row) const
{
    return m_model && m_model->IsPicked(row);
}

void FrameList::ArrangeFrameRows()
{
    m_viewport->setGeometry(m_panel->contentsRect());
    m_arrangement = ArrangeRows(m_viewport->size(), m_scroll->width(), m_inner->x(), Template(),
                                m_metrics.RowPitch, RowCount(), m_scroll->maximum());
    m_inner->resize(m_arrangement.innerWidth, m_arrangement.innerHeight);
    m_highlight->resize(m_arrangement.highlightWidth, m_highlight->height());
    m_scroll->setEnabled(m_arrangement.scrollEnabled);
    if (m_arrangement.scrollEnabled) {
        m_scroll->setPageStep(MaxOf(m_arrangement.largeChange, 1));
        m_scroll->setSingleStep(MaxOf(m_arrangement.smallChange, 1));
    }
    for (const auto &[index, row] : m_active)
        PlaceRow(row);
    ShowCurrentRow();
    vscFrame_Change();
}

void FrameList::vscFrame_Change()
{
    m_inner->move(m_inner->x(), InnerPanelTop(m_inner->height(), m_panel->height(),
                                              m_scroll->value(), m_scroll->maximum()));
    Realize();
}

int FrameList::CurrentRow() const
{
    const int current = m_model ? m_model->CurrentFrame() : 0;
    return current > 0 ? current : 1;
}

void FrameList::ShowCurrentRow()
{
    m_highlight->move(m_highlight->x(), clampToInt(HighlightTop(CurrentRow(), m_metrics)));
}

int FrameList::Travel() const
{
    return m_inner->height() - m_panel->height();
}

bool FrameList::RowInView(int row) const
{
    const int value = m_scroll->value();
    return RevealScrollValue(row, m_metrics, m_inner->y(), m_viewport->height(), Travel(), value,
                             m_scroll->maximum()) == value;
}

void FrameList::RevealRow(int row)
{
    if (row < 1 || row > RowCount() || !m_scroll->isEnabled())
        return;
    m_scroll->setValue(RevealScrollValue(row, m_metrics, m_inner->y(), m_viewport->height(),
                                         Travel(), m_scroll->value(), m_scroll->maximum()));
}

int FrameList::KeyTarget(int key) const
{
    const int count = RowCount();
    if (count <= 0)
        return 0;
    const int from = std::clamp(CurrentRow(), 1, count);
    const int page =
        m_metrics.RowPitch > 0 ? MaxOf(m_viewport->height() / m_metrics.RowPitch - 1, 1) : 1;
    switch (key) {
    case Qt::Key_Up:
        return MaxOf(from - 1, 1);
    case Qt::Key_Down:
        return MinOf(from + 1, count);
    case Qt::Key_PageUp:
        return MaxOf(from - page, 1);
    case Qt::Key_PageDown:
        return MinOf(from + page, count);
    case Qt::Key_Home:
        return 1;
    case Qt::Key_End:
        return count;
    default:
        return 0;
    }
}

void FrameList::Realize()
{
    const int count = RowCount();
    RowRange range = VisibleRows(m_inner->y(), m_viewport->height(), m_metrics, count);
    if (range.first <= range.last) {
        range.first = MaxOf(range.first - SpareRows, 1);
        range.last = MinOf(range.last + SpareRows, count);
    }
    for (auto it = m_active.begin(); it != m_active.end();) {
        // A row that holds the focus keeps its widgets out of view, so typing still edits it.
        if ((it->first < range.first || it->first > range.last) && !HoldsFocus(it->second)) {
            ReleaseRow(it->second);
            it = m_active.erase(it);
        } else {
            ++it;
        }
    }
    for (int i = range.first; i <= range.last; ++i) {
        if (m_active.count(i))
            continue;
        Row row = TakeRow();
        ShowRow(row, i);
        m_active.emplace(i, row);
    }
}

void FrameList::SetRowDropHook(std::function<void(QWidget &)> hook)
{
    m_dropHook = std::move(hook);
    if (!m_dropHook)
        return;
    const auto watch = [this](const Row &row) {
        m_dropHook(*row.path);
        m_dropHook(*row.browse);
    };
    for (const auto &[index, row] : m_active)
        watch(row);
    for (const Row &row : m_pool)
        watch(row);
}

FrameList::Row FrameList::TakeRow()
{
    if (!m_pool.empty()) {
        Row row = m_pool.back();
        m_pool.pop_back();
        return row;
    }
    Row row;
    row.label = new QLabel(m_inner);
    row.label->installEventFilter(this);
    row.path = new PathBox(m_inner);
    row.browse = new QPushButton(m_inner);
    row.setting = new QPushButton(m_inner);
    for (QWidget *w : {static_cast<QWidget *>(row.path), static_cast<QWidget *>(row.browse),
                       static_cast<QWidget *>(row.setting)})
        w->installEventFilter(this);
    if (m_dropHook) {
        m_dropHook(*row.path);
        m_dropHook(*row.browse);
    }
    connect(row.path, &QLineEdit::textEdited, this, [this, box = row.path](const QString &text) {
        const int index = ControlIndex(*box);
        if (index >= 1 && index <= RowCount())
            emit rowTextEdited(index, text);
    });
    connect(row.browse, &QPushButton::clicked, this,
            [this, button = row.browse] { emit browseClicked(ControlIndex(*button)); });
    connect(row.setting, &QPushButton::clicked, this,
            [this, button = row.setting] { emit settingClicked(ControlIndex(*button)); });
    return row;
}

void FrameList::ShowRow(Row &row, int index)
{
    row.index = index;
    CopyLook(*m_template.label, *row.label);
    CopyLook(*m_template.path, *row.path);
    CopyLook(*m_template.browse, *row.browse);
    CopyLook(*m_template.setting, *row.setting);
    row.label->setCursor(m_template.label->cursor());
    row.label->setAlignment(m_template.label->alignment());
    row.label->setText(RowNumber(index));
    row.path->setReadOnly(m_template.path->isReadOnly());
    row.path->setText(RowText(index));
    row.path->setCursorPosition(0);
    row.browse->setText(m_template.browse->text());
    row.setting->setText(m_template.setting->text());
    for (QWidget *w : {static_cast<QWidget *>(row.label), static_cast<QWidget *>(row.path),
                       static_cast<QWidget *>(row.browse), static_cast<QWidget *>(row.setting)}) {
        SetControlIndex(*w, index);
        if (m_layoutHook)
            m_layoutHook(*w);
    }
    ShowPathTip(*row.path, RowProblem(index));
    ShowSelected(row);
    PlaceRow(row);
    for (QWidget *w : {static_cast<QWidget *>(row.label), static_cast<QWidget *>(row.path),
                       static_cast<QWidget *>(row.browse), static_cast<QWidget *>(row.setting)})
        w->show();
}

void FrameList::PlaceRow(const Row &row) const
{
    const RowTemplate t = Template();
    const int pitch = m_metrics.RowPitch;
    const auto top = [&](const QRect &r) {
        return clampToInt(RowControlTop(r.top(), row.index, pitch));
    };
    row.label->setGeometry(t.label.left(), top(t.label), t.label.width(), t.label.height());
    row.path->setGeometry(t.path.left(), top(t.path), m_arrangement.pathWidth, t.path.height());
    row.browse->setGeometry(m_arrangement.browseLeft, top(t.browse), t.browse.width(),
                            t.browse.height());
    row.setting->setGeometry(m_arrangement.settingLeft, top(t.setting), t.setting.width(),
                             t.setting.height());
}

bool FrameList::HoldsFocus(const Row &row) const
{
    const QWidget *focus = m_panel->window()->focusWidget();
    return focus &&
           (focus == row.label || focus == row.path || focus == row.browse || focus == row.setting);
}

void FrameList::KeepFocusOffRows()
{
    // Hiding the focused widget would pass the focus on to some other field; the list keeps
    // it instead, so keys typed meanwhile edit nothing.
    if (m_inner->isAncestorOf(m_panel->window()->focusWidget()))
        m_panel->setFocus(Qt::OtherFocusReason);
}

void FrameList::ReleaseRow(Row row)
{
    if (HoldsFocus(row))
        KeepFocusOffRows();
    MarkPathBox(*row.path, QString());
    for (QWidget *w : {static_cast<QWidget *>(row.label), static_cast<QWidget *>(row.path),
                       static_cast<QWidget *>(row.browse), static_cast<QWidget *>(row.setting)}) {
        w->hide();
        // A spare widget is no control of the window until it takes up a row again.
        w->setObjectName(QString());
        w->setProperty(ControlIndexProperty, QVariant());
    }
    row.index = 0;
    m_pool.push_back(row);
}

const FrameList::Row *FrameList::Find(int row) const
{
    const auto it = m_active.find(row);
    return it == m_active.end() ? nullptr : &it->second;
}

QLabel *FrameList::RowLabel(int row) const
{
    const Row *r = Find(row);
    return r ? r->label : nullptr;
}

QLineEdit *FrameList::RowPath(int row) const
{
    const Row *r = Find(row);
    return r ? r->path : nullptr;
}

QPushButton *FrameList::RowBrowse(int row) const
{
    const Row *r = Find(row);
    return r ? r->browse : nullptr;
}

QPushButton *FrameList::RowSetting(int row) const
{
    const Row *r = Find(row);
    return r ? r->setting : nullptr;
}

void FrameList::WheelScroll(int angle)
{
    const int travel = m_inner->height() - m_panel->height();
    if (!m_scroll->isEnabled() || travel <= 0 || angle == 0)
        return;
    // Three rows per notch, as lists usually scroll.
    const double pixels = -angle / 120.0 * 3.0 * m_metrics.RowPitch;
    int step = RoundHalfEven(pixels / travel * m_scroll->maximum());
    if (step == 0)
        step = angle > 0 ? -1 : 1;
    m_scroll->setValue(m_scroll->value() + step);
}

int FrameList::RowAt(int innerY) const
{
    if (m_metrics.RowPitch <= 0)
        return 1;
    const int below = innerY - m_metrics.RowTop;
    const int row = below < 0 ? 1 : below / m_metrics.RowPitch + 1;
    return std::clamp(row, 1, RowCount() + 1);
}

void FrameList::ClickLabel(int row, Qt::KeyboardModifiers modifiers)
{
    if (!m_model)
        return;
    const QModelIndex index = m_model->IndexOf(row);
    if (!index.isValid())
        return;
    QItemSelectionModel &selection = m_model->Selection();
    if (modifiers & Qt::ShiftModifier) {
        const QModelIndex anchor = m_anchor.isValid() ? QModelIndex(m_anchor) : index;
        selection.select(QItemSelection(std::min(anchor, index), std::max(anchor, index)),
                         QItemSelectionModel::ClearAndSelect);
        m_anchor = anchor;
    } else if (modifiers & Qt::ControlModifier) {
        selection.select(index, QItemSelectionModel::Toggle);
        m_anchor = index;
    } else {
        selection.select(index, QItemSelectionModel::ClearAndSelect);
        m_anchor = index;
    }
    // The click has picked its frames (a Ctrl-click may have unpicked this one); the row
    // becomes current as it is.
    selection.setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void FrameList::ShowSelected(const Row &row) const
{
    // The number of a picked row is drawn inverted, like a selected list entry.
    const bool selected = IsPicked(row.index);
    row.label->setBackgroundRole(selected ? QPalette::Highlight
                                          : m_template.label->backgroundRole());
    row.label->setForegroundRole(selected ? QPalette::HighlightedText
                                          : m_template.label->foregroundRole());
    row.label->setAutoFillBackground(selected || m_template.label->autoFillBackground());
    row.label->setProperty("selected", selected);
}

int FrameList::RowOf(QObject *watched, QPoint pos) const
{
    if (watched != m_inner && watched != m_viewport && watched != m_panel) {
        const int index = ControlIndex(*watched);
        if (index >= 1 && index <= RowCount())
            return index;
    }
    const auto *widget = static_cast<QWidget *>(watched);
    return RowAt(widget->mapTo(m_panel->window(), pos).y() -
                 m_inner->mapTo(m_panel->window(), QPoint(0, 0)).y());
}

bool FrameList::TakeManyFiles(QObject *watched, QEvent *event)
{
    // The path boxes and browse buttons take the first file of any drop as their own; the
    // rest of the list (row numbers, the space around the rows) takes many.
    if (watched != m_inner && watched != m_viewport)
        return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QStringList files = ManyFiles(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        emit filesDropped(RowOf(watched, drop->position().toPoint()), files);
    return true;
}

bool FrameList::eventFilter(QObject *watched, QEvent *event)
{
    if (TakeManyFiles(watched, event))
        return true;
    if (event->type() == QEvent::ContextMenu && watched != m_scroll &&
        !qobject_cast<QLineEdit *>(watched)) {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        const int row = RowOf(watched, menu->pos());
        if (row >= 1 && row <= RowCount()) {
            emit rowMenuRequested(row, menu->globalPos());
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && !qobject_cast<QLineEdit *>(watched)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (const FrameKey frameKey = FrameKeyOf(*key); frameKey != FrameKey::None) {
            emit(frameKey == FrameKey::Delete ? deleteKeyPressed() : insertKeyPressed());
            return true;
        }
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (const int row = KeyTarget(key->key())) {
                ClickLabel(row, Qt::NoModifier);
                return true;
            }
        }
    }
    if (event->type() == QEvent::FocusIn && qobject_cast<QLineEdit *>(watched)) {
        // Coming back to the window or from a menu is no choice of frame.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const int index = ControlIndex(*watched);
        if (m_model && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            index >= 1 && index <= RowCount() && index != m_model->CurrentFrame())
            m_model->Reach(index);
    }
    if (watched == m_panel && event->type() == QEvent::Resize) {
        m_viewport->setGeometry(m_panel->contentsRect());
    } else if (event->type() == QEvent::Wheel) {
        // Anywhere over the list, its scrollbar included, a notch moves about three rows.
        WheelScroll(static_cast<QWheelEvent *>(event)->angleDelta().y());
        return true;
    } else if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLabel *>(watched)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int index = ControlIndex(*watched);
        if (mouse->button() == Qt::LeftButton && index >= 1 && index <= RowCount()) {
            ClickLabel(index, mouse->modifiers());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mrv
