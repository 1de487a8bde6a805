#pragma once

#include "engines/gammaramp.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

typedef struct _XDisplay Display;

// The test's own view of an X server's colour state, through a connection of
// its own: what a user would see with `xrandr --verbose`, and the tools to
// stand in for a KMS driver (a CTM property) or a calibration loader (a ramp).
class XRandrProbe {
public:
    using CtmItems = std::array<quint32, 18>;

    struct Head {
        int screen = 0;
        unsigned long crtc = 0;
        unsigned long output = 0;
        unsigned long mode = 0;
        QString outputKey;
        QString crtcKey;
    };

    // An empty name means $DISPLAY.
    explicit XRandrProbe(const QByteArray &displayName = {});
    ~XRandrProbe();
    XRandrProbe(const XRandrProbe &) = delete;
    XRandrProbe &operator=(const XRandrProbe &) = delete;

    bool isOpen() const { return m_display != nullptr; }
    // The first CRTC and output of every X screen, in screen order.
    QList<Head> heads() const { return m_heads; }

    GammaRamp gamma(const Head &head) const;
    void setGamma(const Head &head, const GammaRamp &ramp);

    static CtmItems identityCtm();
    void setCtm(const Head &head, const CtmItems &items);
    // Any number of items, for outputs whose CTM has a shape we do not know.
    void setRawCtm(const Head &head, const QList<long> &items);
    // Only values between 0 and `maximum` are then accepted by the server.
    void restrictCtmRange(const Head &head, long maximum);
    // Clients' changes then only reach the pending value, as with a driver that
    // applies the CTM at the next mode set: what is read back stays the same.
    void holdCtmPending(const Head &head);
    // The value in use, or with `pending` the one waiting for the next mode set.
    std::optional<CtmItems> ctm(const Head &head, bool pending = false) const;
    // Removes CTM and CscMatrix: the output then has no colour matrix.
    void deleteCtm(const Head &head);

    // NVIDIA's "CscMatrix": 12 signed items, 65536 for 1.0.
    void setCscMatrix(const Head &head, const QList<qint32> &items);
    std::optional<QList<qint32>> cscMatrix(const Head &head) const;

    // Switches the head's CRTC off or back on, which the server announces as
    // a screen change.
    void disable(const Head &head);
    void enable(const Head &head);

    void sync();

private:
    Display *m_display = nullptr;
    unsigned long m_ctmAtom = 0;
    unsigned long m_cscMatrixAtom = 0;
    QList<Head> m_heads;
};

// Ramps a calibration loader might leave behind: a power curve per channel.
GammaRamp calibrationRamp(int size, double redPower, double greenPower, double bluePower);
