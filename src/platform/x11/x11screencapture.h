#pragma once

#include "ripple/screencapturesource.h"

#include <QByteArray>

#include <memory>

typedef struct _XDisplay Display;
struct _XImage;

// Still pictures of the X root window, through a connection of its own:
// XShm (the server writes straight into a shared memory segment) where the
// server offers it and can reach our memory, XGetImage otherwise. Pictures
// come as QImage::Format_RGB32 at the server's pixel size.
//
// X11 has no capture permission, so access is always granted. The colour
// matrix and gamma ramps act at scan-out and never appear in a picture.
//
// The shared segment is kept, as large as the largest capture so far: a fresh
// one costs a page fault per 4 KiB on both sides, far more than the capture.
class X11ScreenCapture : public ScreenCaptureSource {
public:
    enum class Method { SharedMemory,
                        GetImage };

    // An empty name means $DISPLAY.
    explicit X11ScreenCapture(const QByteArray &displayName = {});
    ~X11ScreenCapture() override;
    X11ScreenCapture(const X11ScreenCapture &) = delete;
    X11ScreenCapture &operator=(const X11ScreenCapture &) = delete;

    bool hasAccess() const override { return true; }
    bool isAvailable() const override;
    // XShm while it works, else XGetImage. A rectangle reaching outside the
    // root window is an error.
    Result capture(const QRect &rect) override;
    Result captureWith(Method method, const QRect &rect);

    // Whether XShm can be used: the extension is there and no attach failed.
    bool sharedMemoryAvailable() const;
    // Whether the screen's _NET_WM_CM_S<n> selection has an owner, i.e. a
    // compositing manager blends translucent windows with what is beneath.
    bool compositingManagerRunning() const;
    // Size of the root window, in pixels.
    QSize rootSize() const;

    // Any ZPixmap image as RGB32 (opaque); null for a layout it cannot read.
    static QImage toImage(const _XImage *image);

    // Gives the shared segment back; the next XShm capture makes a new one.
    void releaseSharedSegment();

private:
    struct SharedSegment;

    bool ensureSharedSegment(size_t bytes, QString *error);
    Result captureShared(const QRect &rect, bool *attachFailed);
    Result captureGetImage(const QRect &rect);
    QString checkRect(const QRect &rect) const;

    Display *m_display = nullptr;
    int m_screen = 0;
    unsigned long m_root = 0;
    bool m_sharedMemory = false;
    std::unique_ptr<SharedSegment> m_segment;
};
