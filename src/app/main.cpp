#include "app/apptranslations.h"
#include "app/commandline.h"
#include "app/displayprobe.h"
#include "app/halvoapp.h"
#include "app/remotecontrol.h"
#include "core/halvopreset.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// Exit code of a command line that cannot be run as written.
constexpr int usageError = 2;

void printError(const QString &line)
{
    std::fprintf(stderr, "halvoscope: %s\n", qPrintable(line));
}

// Carries out the request when an instance runs; nullopt when none does and
// this process may start one.
std::optional<int> handToRunningInstance(const CommandLine &commandLine)
{
    // A connection of its own, closed again before the application's.
    const QString name = QStringLiteral("halvoscope-command-line");
    std::optional<int> status;
    {
        const RemoteControl instance(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name));
        if (instance.instanceRuns()) {
            HalvoApp::LaunchRequest request;
            request.activatePreset = commandLine.activatesPreset();
            request.presetID = commandLine.presetID();
            request.showPopover = commandLine.showsPopover();
            switch (commandLine.action()) {
            case CommandLine::Action::List: status = instance.listPresets(); break;
            case CommandLine::Action::Quit: status = instance.quit(); break;
            default: status = HalvoApp::forwardRequest(instance, request); break;
            }
        } else if (commandLine.action() == CommandLine::Action::List
                   || commandLine.action() == CommandLine::Action::Quit) {
            printError(instance.notRunningText());
            status = RemoteControl::notRunning;
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    // Read before the application object exists, so that --help, --version
    // and requests to a running instance need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    AppTranslations translations;
    CommandLine commandLine;
    const bool parsed = commandLine.parse(arguments);
    if (!parsed || commandLine.action() == CommandLine::Action::Help) {
        // The parser's own texts ("Usage:", "Unknown option") are Qt's and
        // are translated only once an application object exists; these
        // paths end here, so a display-less one may be made for them.
        QCoreApplication core(argc, argv);
        translations.install(core);
        CommandLine translated;
        (void)translated.parse(arguments);
        if (!parsed) {
            std::fprintf(stderr, "halvoscope: %s\n%s\n", qPrintable(translated.errorText()),
                         qPrintable(CommandLine::tryHelpText()));
            return usageError;
        }
        std::fputs(qPrintable(translated.helpText(presetIDs(presetsOnDisk()))), stdout);
        return 0;
    }
    if (commandLine.action() == CommandLine::Action::Version) {
        std::printf("halvoscope %s\n", HALVOSCOPE_VERSION);
        return 0;
    }
    if (const std::optional<int> status = handToRunningInstance(commandLine))
        return *status;

    // No instance runs: an unknown preset ends this one before it changes anything.
    if (commandLine.activatesPreset()) {
        const QStringList known = presetIDs(presetsOnDisk());
        if (!known.contains(commandLine.presetID())) {
            printError(unknownPresetText(commandLine.presetID(), known));
            return RemoteControl::failed;
        }
    }
    const QString platform = commandLine.platform().isEmpty() ? chosenQtPlatform() : commandLine.platform();
    if (const QString problem = displayProblem(platform); !problem.isEmpty()) {
        printError(AppTranslations::text("main", QT_TRANSLATE_NOOP("main", "Halvoscope is not running, and cannot start here: %1"))
                       .arg(problem));
        return RemoteControl::notRunning;
    }

    // The platform goes to Qt on its command line, not through the
    // environment, which the programs Halvoscope starts would inherit.
    std::vector<std::string> storage(argv, argv + argc);
    if (commandLine.platform().isEmpty() && !platform.isEmpty()) {
        storage.emplace_back("-platform");
        storage.push_back(platform.toStdString());
    }
    std::vector<char *> qtArguments;
    for (std::string &argument : storage)
        qtArguments.push_back(argument.data());
    qtArguments.push_back(nullptr);
    int qtArgumentCount = int(storage.size());

    HalvoApp::LaunchRequest request;
    request.activatePreset = commandLine.activatesPreset();
    request.presetID = commandLine.presetID();
    request.showPopover = commandLine.showsPopover();
    QApplication application(qtArgumentCount, qtArguments.data());
    translations.install(application);
    HalvoApp halvoscope(request);
    return halvoscope.run();
}
