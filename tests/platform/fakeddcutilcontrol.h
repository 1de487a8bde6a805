#pragma once

#include <QString>
#include <QTemporaryDir>

#include <vector>

// Writes and reads back the state file of the fake libddcutil and points the
// library at it through FAKE_DDCUTIL_STATE.
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

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_version = 2;
    bool m_listFails = false;
    std::vector<Monitor> m_monitors;
};
