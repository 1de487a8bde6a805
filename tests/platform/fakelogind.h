#pragma once

#include <QDBusContext>
#include <QDBusUnixFileDescriptor>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

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
    // Inhibit answers after this many milliseconds, as a logind stuck behind
    // something else would; a negative delay means it never answers.
    void setReplyDelay(int milliseconds);
    std::vector<InhibitCall> calls() const;
    // Whether the client still holds lock number `index`.
    bool isHeld(std::size_t index) const;

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode);

private:
    mutable QMutex m_mutex;
    bool m_refusing = false;
    int m_replyDelay = 0;
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
