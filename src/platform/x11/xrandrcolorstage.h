#pragma once

#include "engines/colorstage.h"
#include "platform/x11/colorstagerecord.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

typedef struct _XDisplay Display;
class QSocketNotifier;

// The colour stage of an X server through XRandR (1.3 or later): the output
// property "CTM" as colour matrix, or on an output without it "CscMatrix"
// (NVIDIA's proprietary driver), XRRSetCrtcGamma for the ramps. Every X
// screen of the display takes part.
//
// It keeps its own connection, so it works with or without a GUI
// application, and listens there for screen, CRTC and output changes.
//
// A matrix write the server answers with an error, or whose read-back differs
// (a driver that refuses it, or keeps it pending), makes the output one without
// a matrix for as long as the stage runs.
//
// With $XDG_RUNTIME_DIR set, the originals and what was written are also
// kept in a file there (ColorStageRecord), so that a stage created after one
// that died without restoring puts the display's own colour back first.
//
// Keys: an output is named by its XRandR name, a CRTC "crtc<index>" by its
// place in the screen resources; on X screens after the first, "@<screen>" is
// appended ("HDMI-1@1").
class XRandrColorStage : public QObject, public ColorStage {
    Q_OBJECT

public:
    // An empty name means $DISPLAY.
    explicit XRandrColorStage(const QByteArray &displayName = {}, QObject *parent = nullptr);
    // Puts back whatever is still written.
    ~XRandrColorStage() override;

    bool isAvailable() const override;
    void refresh() override;
    void invalidate() override;
    QStringList activeOutputs() const override;
    bool hasMatrix(const QString &output) const override;
    QStringList gammaCrtcs() const override;
    GammaRamp originalGamma(const QString &crtc) const override;
    bool writeMatrix(const QString &output, const ColorMatrix3x3 &matrix) override;
    bool writeGamma(const QString &crtc, const GammaRamp &ramp) override;
    void finishWrites() override { sync(); }
    bool matrixHolds(const QString &output, const ColorMatrix3x3 &matrix) override;
    bool gammaHolds(const QString &crtc, const GammaRamp &ramp) override;
    void restoreMatrices() override;
    void restoreGamma() override;
    void releaseOutput(const QString &output) override;
    void releaseCrtc(const QString &crtc) override;
    void forgetOriginals() override;
    void setConfigurationChangedHandler(std::function<void()> handler) override;
    QString crtcScreen(const QString &crtc) const override;

    // Waits until the server has handled everything sent so far.
    void sync();

private:
    using XID = unsigned long;

    struct Crtc {
        XID id = 0;
        QString key;
        int gammaSize = 0;
        bool active = false;
        // The key of the first output it drives; empty when none.
        QString output;
    };
    struct Output {
        XID id = 0;
        QString key;
        bool active = false;
        bool hasMatrix = false;
        // "CTM", "CscMatrix", or None.
        XID matrixProperty = 0;
    };
    // A property value exactly as read, to be written back unchanged.
    struct PropertyValue {
        XID property = 0;
        XID type = 0;
        int format = 0;
        QList<long> items;
    };

    bool alive() const;
    const Crtc *findCrtc(const QString &key) const;
    const Output *findOutput(const QString &key) const;
    void readScreen(int screen);
    std::optional<GammaRamp> readGamma(XID crtc) const;
    std::optional<PropertyValue> readMatrixProperty(XID output, XID property) const;
    bool knownMatrixShape(const PropertyValue &value) const;
    QList<quint32> encodeItems(XID property, const ColorMatrix3x3 &matrix) const;
    void writeGammaRamp(XID crtc, const GammaRamp &ramp);
    void writeProperty(XID output, const PropertyValue &value);
    void refuseMatrix(XID output);
    void handleEvents();
    void handleQueuedEventsLater();

    QByteArray outputIdentity(XID output, const QByteArray &name) const;
    static QByteArray encodeMatrix(const PropertyValue &value);
    static std::optional<PropertyValue> decodeMatrix(const QByteArray &bytes, XID property);
    static bool anotherInstanceWrote(qint64 pid);
    std::optional<QByteArray> takeLeftBehind(QList<ColorStageRecord::Entry> &entries, const QString &key,
                                             const QByteArray &identity, const QByteArray &current,
                                             const std::function<bool(const QByteArray &)> &midChange);
    bool noteChange(XID id, QSet<XID> &written);
    void settle();
    void saveRecord();

    Display *m_display = nullptr;
    int m_eventBase = 0;
    XID m_ctmAtom = 0;
    XID m_cscMatrixAtom = 0;
    XID m_edidAtom = 0;
    bool m_stale = true;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_changedHandler;

    QList<Crtc> m_crtcs;
    QList<Output> m_outputs;
    QHash<XID, GammaRamp> m_originalGamma;
    QHash<XID, PropertyValue> m_originalMatrix;
    QSet<XID> m_writtenCrtcs;
    QSet<XID> m_writtenOutputs;
    // Outputs whose driver refused a matrix: they count as having none.
    QSet<XID> m_refusedOutputs;

    // Empty when nothing is recorded.
    QString m_recordPath;
    // What the last stage on this display left, while the first refresh reads it.
    std::optional<ColorStageRecord::Contents> m_leftBehind;
    QHash<XID, QByteArray> m_identities;
    // Encoded value of every written CRTC and output, at the last settle.
    QHash<XID, QByteArray> m_settled;
    QHash<XID, GammaRamp> m_lastGamma;
    QHash<XID, PropertyValue> m_lastMatrix;
    bool m_changing = false;
    QTimer m_settleTimer;
};
