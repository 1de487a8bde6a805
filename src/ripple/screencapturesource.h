#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// Still pictures of the screens, for the refract ripple. Rectangles are in
// device pixels of the whole desktop (what the display server holds), not in
// Qt's logical coordinates. Main thread only.
class ScreenCaptureSource {
public:
    // The picture, or why there is none.
    struct Result {
        QImage image;
        QString error;

        bool ok() const { return !image.isNull(); }
    };

    virtual ~ScreenCaptureSource() = default;

    // Whether the user allows screen captures at all.
    virtual bool hasAccess() const = 0;
    // Whether a display server to capture from is reachable.
    virtual bool isAvailable() const = 0;
    // One still of `rect` at full pixel size; blocks until it is there.
    virtual Result capture(const QRect &rect) = 0;
};
