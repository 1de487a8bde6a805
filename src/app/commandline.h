#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The program's options, read before any application object exists, so that
// --help, --version and the options that only talk to a running instance
// never need a display.
class CommandLine {
public:
    enum class Action { Launch,
                        Help,
                        Version,
                        List,
                        Quit };

    CommandLine();

    // False when the arguments cannot be run as written; errorText() says why.
    bool parse(const QStringList &arguments);
    QString errorText() const { return m_error; }
    // The line that follows errorText() on the terminal.
    static QString tryHelpText();
    // The help, ending with the preset ids a --preset takes.
    QString helpText(const QStringList &presetIDs) const;

    Action action() const { return m_action; }
    bool activatesPreset() const { return m_activatePreset; }
    QString presetID() const { return m_presetID; }
    bool showsPopover() const { return m_showPopover; }
    // The Qt platform named with -platform, empty when none was.
    QString platform() const { return m_platform; }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_preset;
    QCommandLineOption m_show;
    QCommandLineOption m_list;
    QCommandLineOption m_quit;
    QCommandLineOption m_session;
    QCommandLineOption m_platformOption;
    QCommandLineOption m_display;
    QString m_error;
    Action m_action = Action::Launch;
    bool m_activatePreset = false;
    QString m_presetID;
    bool m_showPopover = false;
    QString m_platform;
};
