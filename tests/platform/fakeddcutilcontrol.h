#pragma once

#include <QString>
#include <QTemporaryDir>

#include <vector>

// Writes and reads back the state file of the fake libddcutil and points the
// library at it through FAKE_DDCUTIL_STATE. Also points FAKE_DDCUTIL_GATE at a
// gate file of its own, open until closeGate().
class FakeDdcutilControl {
public:
    struct Monitor {
        QString kind = QStringLiteral("i2c");
        int number = 0;
        long current = 0;
        long maximum = 100;
        long sets = 0;
        bool openFails = false;
        bool getFails = false;
        bool setFails = false;
    };

    FakeDdcutilControl();
    ~FakeDdcutilControl();

    void setVersion(int major);
    void setListFails(bool fails);
    void addMonitor(const Monitor &monitor);
    void write();

    // The state as the fake last left it.
    std::vector<Monitor> monitors() const;
    Monitor monitor(const QString &kind, int number) const;
    long openHandles() const;

    // While the gate is closed every feature read or write waits in the
    // library until openGate().
    void closeGate();
    void openGate();
    // Whether a feature read or write is waiting at the closed gate now.
    bool isWaitingAtGate() const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_gatePath;
    int m_version = 2;
    bool m_listFails = false;
    std::vector<Monitor> m_monitors;
};
