#include "onboarding/relaunchmarker.h"

#include <QSettings>

namespace RelaunchMarker {

bool isSet(QSettings &defaults)
{
    return defaults.value(key, false).toBool();
}

void set(QSettings &defaults)
{
    defaults.setValue(key, true);
    defaults.sync();
}

void remove(QSettings &defaults)
{
    defaults.remove(key);
    defaults.sync();
}

} // namespace RelaunchMarker
