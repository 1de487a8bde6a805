#pragma once

#include <QPoint>
#include <QQuickView>
#include <QUrl>
#include <QVariantMap>

class QQmlEngine;

// The popover's window: frameless, translucent with rounded corners, above
// other windows and never in a task bar. Whether losing the keyboard focus
// closes it is its owner's decision: the window manager also moves the focus
// on its own. The content item draws its own rounded background; the window
// follows the item's size.
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

Q_SIGNALS:
    void dismissed();
    // The window is shown and another window took the keyboard focus.
    void focusLost();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateMask();
    void handleActiveChanged();

    bool m_maskCorners = false;
};
