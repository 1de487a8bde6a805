#pragma once

#include <QSettings>

#include <memory>

// The application's user defaults: an INI file under
// $XDG_CONFIG_HOME/Halvoscope/, keys spelled the same on every platform.
namespace UserDefaults {

inline const QString statusItemPositionKey = QStringLiteral("NSStatusItem Preferred Position Item-0");

inline std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Halvoscope"), QStringLiteral("Halvoscope"));
}

} // namespace UserDefaults
