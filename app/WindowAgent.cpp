#include "app/WindowAgent.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace QWK {

WidgetWindowAgent::WidgetWindowAgent(QWidget *parent) : QObject(parent) { }

WidgetWindowAgent::~WidgetWindowAgent()
{
    if (m_cursorOverridden)
        QGuiApplication::restoreOverrideCursor();
}

bool WidgetWindowAgent::setup(QWidget *window)
{
    if (!window)
        return false;
    m_window = window;
    window->setWindowFlags(window->windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    window->installEventFilter(this);
    attachWindowHandle();
    return true;
}

void WidgetWindowAgent::setTitleBar(QWidget *titleBar)
{
    m_titleBar = titleBar;
}

void WidgetWindowAgent::setSystemButton(int code, QWidget *button)
{
    for (Button &b : m_buttons) {
        if (b.code == code) {
            b.widget = button;
            syncMaximizeButton();
            return;
        }
    }
    m_buttons.append({code, button});
    syncMaximizeButton();
}

QWidget *WidgetWindowAgent::systemButton(int code) const
{
    for (const Button &b : m_buttons) {
        if (b.code == code)
            return b.widget;
    }
    return nullptr;
}

Qt::Edges WidgetWindowAgent::edgesAt(const QPoint &pos) const
{
    Qt::Edges edges;
    if (!m_window || m_window->isMaximized() || m_window->isFullScreen())
        return edges;
    const QRect r = m_window->rect();
    if (pos.x() < ResizeBorder)
        edges |= Qt::LeftEdge;
    else if (pos.x() >= r.width() - ResizeBorder)
        edges |= Qt::RightEdge;
    if (pos.y() < ResizeBorder)
        edges |= Qt::TopEdge;
    else if (pos.y() >= r.height() - ResizeBorder)
        edges |= Qt::BottomEdge;
    return edges;
}

bool WidgetWindowAgent::isDragArea(const QPoint &pos) const
{
    if (!m_window || !m_titleBar || !m_titleBar->isVisible())
        return false;
    const QPoint inBar = m_titleBar->mapFrom(m_window, pos);
    if (!m_titleBar->rect().contains(inBar))
        return false;
    for (const Button &b : m_buttons) {
        QWidget *w = b.widget;
        if (w && w->isVisible() && w->rect().contains(w->mapFrom(m_window, pos)))
            return false;
    }
    // Anything in the title bar that takes input stays usable; labels and the logo drag.
    QWidget *child = m_titleBar->childAt(inBar);
    for (QWidget *w = child; w && w != m_titleBar; w = w->parentWidget()) {
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
            || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QAbstractSlider *>(w))
            return false;
        if (qobject_cast<QAbstractButton *>(w) && w->objectName() != QLatin1String("logo"))
            return false;
    }
    return true;
}

void WidgetWindowAgent::attachWindowHandle()
{
    if (m_handle || !m_window)
        return;
    QWindow *handle = m_window->windowHandle();
    if (!handle)
        return;
    m_handle = handle;
    handle->installEventFilter(this);
}

void WidgetWindowAgent::toggleMaximized()
{
    if (!m_window)
        return;
    if (m_window->isMaximized())
        m_window->showNormal();
    else
        m_window->showMaximized();
}

void WidgetWindowAgent::syncMaximizeButton()
{
    auto *button = qobject_cast<QAbstractButton *>(systemButton(Maximize));
    if (!button || !m_window || !button->isCheckable())
        return;
    const bool maximized = m_window->isMaximized();
    if (button->isChecked() != maximized)
        button->setChecked(maximized);
}

void WidgetWindowAgent::setResizeCursor(Qt::Edges edges)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        shape = Qt::SizeFDiagCursor;
    else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        shape = Qt::SizeBDiagCursor;
    else if (edges & (Qt::LeftEdge | Qt::RightEdge))
        shape = Qt::SizeHorCursor;
    else if (edges & (Qt::TopEdge | Qt::BottomEdge))
        shape = Qt::SizeVerCursor;

    if (edges) {
        if (m_cursorOverridden)
            QGuiApplication::changeOverrideCursor(shape);
        else
            QGuiApplication::setOverrideCursor(shape);
        m_cursorOverridden = true;
    } else if (m_cursorOverridden) {
        QGuiApplication::restoreOverrideCursor();
        m_cursorOverridden = false;
    }
}

bool WidgetWindowAgent::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::WinIdChange:
        case QEvent::Show:
            attachWindowHandle();
            break;
        case QEvent::WindowStateChange:
            syncMaximizeButton();
            break;
        default:
            break;
        }
        return false;
    }
    if (watched != m_handle || !m_window)
        return false;

    // The QWindow sees every mouse event of the window before the widgets do.
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto *me = static_cast<QMouseEvent *>(event);
        const QPoint pos = me->localPos().toPoint();
        if (me->buttons() == Qt::NoButton) {
            setResizeCursor(edgesAt(pos));
        } else if (m_dragPending && (me->buttons() & Qt::LeftButton)
            && (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            // Moving only once the mouse really moves keeps double-clicks on the bar working.
            m_dragPending = false;
            if (m_handle->startSystemMove())
                return true;
        }
        break;
    }
    case QEvent::Leave:
        setResizeCursor({});
        break;
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(event);
        m_dragPending = false;
        if (me->button() != Qt::LeftButton)
            break;
        const QPoint pos = me->localPos().toPoint();
        const Qt::Edges edges = edgesAt(pos);
        if (edges && m_handle->startSystemResize(edges))
            return true;
        if (isDragArea(pos)) {
            m_dragPending = true;
            m_pressPos = pos;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        m_dragPending = false;
        break;
    case QEvent::MouseButtonDblClick: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton && isDragArea(me->localPos().toPoint())) {
            toggleMaximized();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace QWK
