#include "app/processservices.h"

#include "update/updatechecker.h"
#if HALVOSCOPE_UPDATE_CHECK
#include "update/messageboxupdatealertpresenter.h"
#endif

#include <QCoreApplication>
#include <QProcess>

#include <memory>

namespace ProcessServices {

bool launchNewInstance()
{
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
}

UpdateChecking *makeUpdateChecking()
{
#if HALVOSCOPE_UPDATE_CHECK
    return new UpdateChecker(std::make_shared<MessageBoxUpdateAlertPresenter>());
#else
    return nullptr;
#endif
}

QString version()
{
    return UpdateChecker::currentVersion();
}

} // namespace ProcessServices
