#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QVector>

class QWidget;
class QWindow;

namespace QWK {

// Frameless-window support built on Qt's own means: the title bar drags the window
// (QWindow::startSystemMove) and maximises or restores it on double-click, the edges resize it
// (startSystemResize), and the registered system buttons stay clickable inside the title bar.
class WidgetWindowAgent : public QObject
{
    Q_OBJECT
public:
    // Codes of the title bar's buttons; only Maximize has a meaning of its own (its check state
    // follows the window state).
    enum SystemButton {
        Unknown = 0,
        WindowIcon = 4,
        Help = 5,
        Custom = 6,
        Minimize = 7,
        Maximize = 8,
        Close = 9,
    };
    Q_ENUM(SystemButton)

    explicit WidgetWindowAgent(QWidget *parent = nullptr);
    ~WidgetWindowAgent() override;

    // Makes window frameless and starts watching it; false when window is null.
    bool setup(QWidget *window);
    void setTitleBar(QWidget *titleBar);
    void setSystemButton(int code, QWidget *button);

    QWidget *titleBar() const { return m_titleBar; }
    QWidget *systemButton(int code) const;

    // Width of the band along the edges that resizes the window.
    static constexpr int ResizeBorder = 6;

    // Which edges a point (window coordinates) is on; none while maximised or full screen.
    Qt::Edges edgesAt(const QPoint &pos) const;
    // Whether a point (window coordinates) drags the window: inside the title bar, outside
    // every system button and every other input widget of the title bar.
    bool isDragArea(const QPoint &pos) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void attachWindowHandle();
    void toggleMaximized();
    void syncMaximizeButton();
    void setResizeCursor(Qt::Edges edges);

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_titleBar;
    QPointer<QWindow> m_handle;
    struct Button
    {
        int code;
        QPointer<QWidget> widget;
    };
    QVector<Button> m_buttons;
    bool m_cursorOverridden = false;
    bool m_dragPending = false;
    QPoint m_pressPos;
};

} // namespace QWK
