#pragma once

#include <QSettings>

#include <memory>

// The application's user defaults: an INI file under
// $XDG_CONFIG_HOME/Halvoscope/.
namespace UserDefaults {

inline std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Halvoscope"), QStringLiteral("Halvoscope"));
}

} // namespace UserDefaults
