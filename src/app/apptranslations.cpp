#include "app/apptranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

AppTranslations::AppTranslations()
{
    for (const QString &language : QLocale::system().uiLanguages()) {
        const QLocale locale(language);
        if (m_halvoscope.load(locale, QStringLiteral("halvoscope"), QStringLiteral("_"),
                              QStringLiteral(":/i18n"))) {
            m_language = m_halvoscope.language();
            // Qt's own texts (context menus of text fields, dialog buttons).
            (void)m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return;
        }
        if (locale.language() == QLocale::English)
            return;
    }
}

QString AppTranslations::commandLine(const char *text) const
{
    const QString translated = m_halvoscope.translate("CommandLine", text);
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}

void AppTranslations::install(QCoreApplication &application)
{
    if (m_language.isEmpty())
        return;
    application.installTranslator(&m_qt);
    application.installTranslator(&m_halvoscope);
}
