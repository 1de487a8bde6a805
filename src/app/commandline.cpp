#include "app/commandline.h"

#include "app/apptranslations.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return AppTranslations::text("CommandLine", text);
}

// Options Qt itself reads from the command line: the session manager
// restarts a program with -session, and -platform or -display pick where the
// windows go. They are taken here so that Qt gets them, and hidden.
QCommandLineOption qtOption(const QString &name, const QString &valueName)
{
    QCommandLineOption option(name, QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

} // namespace

CommandLine::CommandLine()
    // Not addHelpOption(): its --help-all lists Qt's own options, which this
    // parser, running before Qt, does not take.
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, tr("Display this help and exit."))
    , m_version({QStringLiteral("v"), QStringLiteral("version")}, tr("Display the version and exit."))
    , m_preset(QStringLiteral("preset"),
               tr("Activate the preset with this id, as a click on its row would; starts "
                  "Halvoscope when it is not running and a display is there."),
               QStringLiteral("id"))
    , m_show(QStringLiteral("show"),
             tr("Open the popover; starts Halvoscope when it is not running and a display is there."))
    , m_list(QStringLiteral("list"),
             tr("List the presets of the running instance, one a line: id, a tab, name; "
                "the active one is marked with *."))
    , m_quit(QStringLiteral("quit"),
             tr("Quit the running instance, which restores every display first."))
    , m_session(qtOption(QStringLiteral("session"), QStringLiteral("id")))
    , m_platformOption(qtOption(QStringLiteral("platform"), QStringLiteral("name")))
    , m_display(qtOption(QStringLiteral("display"), QStringLiteral("name")))
{
    m_parser.setApplicationDescription(
        tr("Display color presets, Red Light and Keep Awake from the tray. A second start hands "
           "its request to the running instance over D-Bus; --preset, --show, --list and --quit "
           "need no display while an instance runs."));
    // Qt's own options have one dash and whole words (-session, -platform).
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({m_help, m_version, m_preset, m_show, m_list, m_quit, m_session,
                         m_platformOption, m_display});
}

bool CommandLine::parse(const QStringList &arguments)
{
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return false;
    }
    if (!m_parser.positionalArguments().isEmpty()) {
        m_error = tr("Unexpected argument '%1'.").arg(m_parser.positionalArguments().constFirst());
        return false;
    }
    const int remote = int(m_parser.isSet(m_list)) + int(m_parser.isSet(m_quit))
                       + int(m_parser.isSet(m_preset) || m_parser.isSet(m_show));
    if (remote > 1) {
        m_error = tr("--list and --quit go alone, without --preset or --show.");
        return false;
    }
    if (m_parser.isSet(m_help))
        m_action = Action::Help;
    else if (m_parser.isSet(m_version))
        m_action = Action::Version;
    else if (m_parser.isSet(m_list))
        m_action = Action::List;
    else if (m_parser.isSet(m_quit))
        m_action = Action::Quit;
    m_activatePreset = m_parser.isSet(m_preset);
    m_presetID = m_parser.value(m_preset);
    m_showPopover = m_parser.isSet(m_show);
    m_platform = m_parser.value(m_platformOption);
    return true;
}

QString CommandLine::helpText(const QStringList &presetIDs) const
{
    // The usage line names the program as it is installed, however it was
    // started (Qt names it by argv[0], or by a placeholder without an
    // application object).
    QString help = m_parser.helpText();
    const qsizetype firstLineEnd = help.indexOf(QLatin1Char('\n'));
    QString usage = help.left(firstLineEnd);
    const QString program = QCoreApplication::instance() ? QCoreApplication::arguments().value(0)
                                                         : QStringLiteral("<executable_name>");
    if (!program.isEmpty())
        usage.replace(program, QStringLiteral("halvoscope"));
    help.replace(0, firstLineEnd, usage);
    help += QLatin1Char('\n') + tr("Preset ids: %1").arg(presetIDs.join(QStringLiteral(", "))) + QLatin1Char('\n');
    return help;
}

QString CommandLine::tryHelpText()
{
    return tr("Try 'halvoscope --help'.");
}
