#include "gui/app/child_window_host.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/grid/units.h"
#include "gui/ui/busy_pointer.h"

ChildWindowHost::ChildWindowHost(QMdiArea* area, QObject* parent) : QObject(parent), m_area(area) {}

QMdiSubWindow* ChildWindowHost::window(const QString& kind) const
{
    // A closed window leaves the area's list at once, before its deferred deletion.
    for (QMdiSubWindow* frame : m_area->subWindowList())
        if (frame->objectName() == kind) return frame;
    return nullptr;
}

bool ChildWindowHost::propEnd() const
{
    return m_area->subWindowList().isEmpty();
}

QMdiSubWindow* ChildWindowHost::open(const QString& kind, const Create& create)
{
    const WindowKind* known = findWindowKind(kind);
    return known ? open(*known, create) : nullptr;
}

QMdiSubWindow* ChildWindowHost::open(const WindowKind& kind, const Create& create)
{
    if (QMdiSubWindow* open = window(kind.name)) {
        if (open->isMinimized()) open->showNormal();
        m_area->setActiveSubWindow(open);
        open->raise();
        return open;
    }
    if (m_building.contains(kind.name)) return nullptr;

    QWidget* content = nullptr;
    {
        m_building.insert(kind.name);
        BusyPointer busy;
        content = create ? create() : nullptr;
        m_building.remove(kind.name);
    }
    if (!content) return nullptr;

    auto* frame = new QMdiSubWindow;
    frame->setObjectName(kind.name);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWidget(content);
    frame->setWindowTitle(content->windowTitle());
    connect(content, &QWidget::windowTitleChanged, frame, &QWidget::setWindowTitle);
    Qt::WindowFlags flags = Qt::SubWindow;
    if (kind.fixedFrame)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
    m_area->addSubWindow(frame, flags);

    // Sizes are the window's outer size, title bar and frame included.
    const QSize size(twipsToPixels(kind.widthTwips), twipsToPixels(kind.heightTwips));
    if (kind.fixedFrame)
        frame->setFixedSize(size);
    else
        frame->resize(size);
    frame->move(0, 0);
    frame->show();
    m_area->setActiveSubWindow(frame);
    // A kind that gives its client area gets the frame's title bar and borders around it, known
    // once the frame is shown.
    if (kind.clientSize) {
        const QMargins margins = frame->contentsMargins();
        frame->setFixedSize(
            size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom()));
    }
    return frame;
}
