// ChildWindowHost: opens the child windows of the main window's client area, one instance per
// kind, each at the top-left corner with its designed size from the table of window kinds, and
// answers propEnd (no child window open).
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

#include "gui/app/window_kinds.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

class ChildWindowHost : public QObject {
    Q_OBJECT
public:
    explicit ChildWindowHost(QMdiArea* area, QObject* parent = nullptr);

    using Create = std::function<QWidget*()>;
    // Opens the window of a kind: an open one is only brought forward (and restored when
    // minimised). Otherwise create() builds the content under the busy pointer, and it is shown
    // in a frame at the top-left corner of the client area. Returns the frame, or nullptr when
    // create() gave nothing or the same kind is being built already.
    QMdiSubWindow* open(const WindowKind& kind, const Create& create);
    // The same for a kind of the table; nullptr for a name the table lacks.
    QMdiSubWindow* open(const QString& kind, const Create& create);
    // The open child window of a kind, or nullptr.
    QMdiSubWindow* window(const QString& kind) const;
    // True while no child window is open (a closed one counts as gone before its deletion).
    bool propEnd() const;
    QMdiArea* area() const { return m_area; }

private:
    QMdiArea* m_area;
    // Kinds whose content is being built: the busy pointer lets pending events run, and an
    // activation among them must not build a second window of the kind.
    QSet<QString> m_building;
};
