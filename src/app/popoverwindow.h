#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QQuickView>
#include <QUrl>
#include <QVariantMap>

class QQmlEngine;

// The popover's window: frameless, translucent with rounded corners, above
// other windows and never in a task bar. It closes itself when it loses the
// keyboard focus, which is
// how an outside click reaches it on X11. The content item draws its own
// rounded background; the window follows the item's size.
class PopoverWindow : public QQuickView {
    Q_OBJECT

public:
    // The content's corner radius, for the window shape without a compositor.
    static constexpr int cornerRadius = 10;

    // `contentUrl` is the content's QML component, `contentProperties` its
    // initial (required) properties.
    PopoverWindow(QQmlEngine *engine, const QUrl &contentUrl,
                  const QVariantMap &contentProperties);
    ~PopoverWindow() override;

    bool isShown() const { return isVisible(); }

    // Shows the window at `topLeft` and asks for the keyboard focus.
    void present(const QPoint &topLeft);
    void dismiss();

    // Milliseconds since the window last closed itself on losing the focus;
    // negative when it never did. A click on the tray icon both takes the
    // focus and toggles, and must not reopen what it has just closed.
    qint64 msSinceFocusDismissal() const;

Q_SIGNALS:
    void dismissed();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateMask();
    void handleActiveChanged();

    QElapsedTimer m_sinceFocusDismissal;
    bool m_maskCorners = false;
    QElapsedTimer m_sincePresented;
    static constexpr qint64 focusSettleMs = 300;
};
