#pragma once

#include "engines/brightnessdisplay.h"

#include <QString>

#include <memory>

class LogindSession;

// Lists the backlight devices under <sysfsRoot>/class/backlight.
class BacklightDisplaySource final : public BrightnessDisplaySource {
public:
    // logind may be null: then only directly writable backlights can change.
    explicit BacklightDisplaySource(QString sysfsRoot = QStringLiteral("/sys"),
                                    std::shared_ptr<LogindSession> logind = {});

    std::vector<std::unique_ptr<BrightnessDisplay>> displays() override;

private:
    QString m_root;
    std::shared_ptr<LogindSession> m_logind;
};
