#include "app/apptranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {

const AppTranslations *s_current = nullptr;

} // namespace

AppTranslations::AppTranslations()
{
    s_current = this;
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

AppTranslations::~AppTranslations()
{
    if (s_current == this)
        s_current = nullptr;
}

QString AppTranslations::text(const char *context, const char *source)
{
    if (QCoreApplication::instance() || !s_current)
        return QCoreApplication::translate(context, source);
    const QString translated = s_current->m_halvoscope.translate(context, source);
    return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

void AppTranslations::install(QCoreApplication &application)
{
    if (m_language.isEmpty())
        return;
    application.installTranslator(&m_qt);
    application.installTranslator(&m_halvoscope);
}
