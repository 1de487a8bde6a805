#pragma once

#include "engines/brightnessdisplay.h"

#include <QString>

#include <memory>

class LogindSession;

// One device under /sys/class/backlight. The value is brightness ÷
// max_brightness. A write goes straight to the brightness file when this
// process may write it (a udev rule granting the "video" group, say), which
// needs neither a bus round trip nor logind; otherwise logind sets it for the
// session's user, which is how an ordinary desktop user gets there.
class BacklightDevice final : public BrightnessDisplay {
public:
    BacklightDevice(QString directory, QString name, QString type, QString connector,
                    std::shared_ptr<LogindSession> logind);

    QString id() const override;
    QString connector() const override { return m_connector; }
    bool isBuiltIn() const override;
    bool canChange() const override;
    std::optional<double> read() override;
    bool write(double fraction) override;

    QString name() const { return m_name; }
    QString type() const { return m_type; }

    // The raw value for a fraction of max; never 0 for a positive fraction,
    // because 0 switches many panels off entirely.
    static quint32 rawValue(double fraction, qint64 max);

private:
    std::optional<qint64> readInteger(const QString &file) const;

    QString m_directory;
    QString m_name;
    QString m_type;
    QString m_connector;
    std::shared_ptr<LogindSession> m_logind;
};
