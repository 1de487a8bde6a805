#pragma once

#include <QString>
#include <QTranslator>

class QCoreApplication;

// Halvoscope's catalogue and Qt's own, for the first of the user's languages
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) that Halvoscope has a catalogue for.
// American English is the source language: it ends the search.
// Made before the application object so that --help can be translated too.
class AppTranslations {
public:
    AppTranslations();
    ~AppTranslations();
    AppTranslations(const AppTranslations &) = delete;
    AppTranslations &operator=(const AppTranslations &) = delete;

    // QCoreApplication::translate, which knows no catalogue until the
    // application object exists; this one already knows the catalogue of the
    // AppTranslations alive, for --help and the answers of a running instance.
    static QString text(const char *context, const char *source);

    // Puts both catalogues into effect; texts Qt draws follow, and so does the
    // layout direction of right-to-left languages.
    void install(QCoreApplication &application);
    // The catalogue's language, for example "de" or "pt_BR"; empty for English.
    QString language() const { return m_language; }

private:
    QTranslator m_halvoscope;
    QTranslator m_qt;
    QString m_language;
};
