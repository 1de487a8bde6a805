#include "app/halvoapp.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

namespace {

// Exit code of a command line that cannot be run as written.
constexpr int usageError = 2;

// In a Wayland session our windows stay on XWayland where there is one, so
// the popover can be placed where we choose (a native Wayland window cannot
// choose its position); without XWayland they use Qt's Wayland platform and
// the compositor places them. A platform the user chose is kept.
void chooseQtPlatform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "wayland" : "xcb");
}

} // namespace

int main(int argc, char *argv[])
{
    // Parsed before the application object exists, so that --help and
    // --version need no display and never reach a running instance.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Display colour presets, Red Light and Keep Awake from the tray. A second start hands "
        "its request to the running instance."));
    // Not addHelpOption(): its --help-all lists Qt's own options, which this
    // parser, running before Qt, does not take.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Display this help and exit."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Display the version and exit."));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    const QCommandLineOption presetOption(
        QStringLiteral("preset"),
        QStringLiteral("Activate the preset with this id, as a click on its row would; starts "
                       "Halvoscope when it is not running."),
        QStringLiteral("id"));
    const QCommandLineOption showOption(
        QStringLiteral("show"),
        QStringLiteral("Open the popover; starts Halvoscope when it is not running."));
    parser.addOption(presetOption);
    parser.addOption(showOption);

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "halvoscope: %s\nTry 'halvoscope --help'.\n",
                     qPrintable(parser.errorText()));
        return usageError;
    }
    if (parser.isSet(helpOption)) {
        // Without an application object Qt cannot name the program itself.
        QString help = parser.helpText();
        help.replace(QLatin1String("<executable_name>"), QLatin1String("halvoscope"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::printf("halvoscope %s\n", HALVOSCOPE_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "halvoscope: unexpected argument '%s'\nTry 'halvoscope --help'.\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return usageError;
    }

    HalvoApp::LaunchRequest request;
    request.activatePreset = parser.isSet(presetOption);
    request.presetID = parser.value(presetOption);
    request.showPopover = parser.isSet(showOption);

    chooseQtPlatform();
    QApplication application(argc, argv);
    HalvoApp halvoscope(request);
    return halvoscope.run();
}
