#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// logind's Manager as far as inhibitor locks go: Inhibit hands out the write
// end of a pipe and keeps the read end, so the test can see when the client
// has closed every copy of the lock (the read end reports a hang-up).
class FakeLogindManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    struct InhibitCall {
        QString what;
        QString who;
        QString why;
        QString mode;
        int readEnd = -1;
    };

    FakeLogindManager() = default;
    ~FakeLogindManager() override;

    void setRefusing(bool refusing);
    // While holding, Inhibit grants the lock but keeps its answer, as a
    // logind stuck behind something else would, until releaseHeldReplies()
    // sends what it kept; answers never released are dropped unsent.
    void setHoldingReplies(bool holding);
    void releaseHeldReplies();
    std::size_t heldReplies() const;
    std::vector<InhibitCall> calls() const;
    // Whether the client still holds lock number `index`.
    bool isHeld(std::size_t index) const;

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode);

private:
    mutable QMutex m_mutex;
    bool m_refusing = false;
    bool m_holding = false;
    std::vector<std::pair<QDBusConnection, QDBusMessage>> m_heldReplies;
    std::vector<InhibitCall> m_calls;
};

// The caller's logind session, recording SetBrightness.
class FakeLogindSession : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")

public:
    struct BrightnessCall {
        QString subsystem;
        QString name;
        quint32 value = 0;
    };

    void setRefusing(bool refusing);
    std::vector<BrightnessCall> calls() const;

public Q_SLOTS:
    void SetBrightness(const QString &subsystem, const QString &name, uint brightness);

private:
    mutable QMutex m_mutex;
    bool m_refusing = false;
    std::vector<BrightnessCall> m_calls;
};
