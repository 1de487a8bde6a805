// Renders the settings and schedule pages to PNG files for a look at the layout:
//   pages_preview OUTPUT_DIR [--dark]
// Run inside a headless X session (scripts/headless-session.sh) or offscreen.

#include "pagesfixture.h"

#include "app/apptranslations.h"
#include "popover/popoverqml.h"
#include "previewsupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QPalette>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <cstdio>

int main(int argc, char **argv)
{
    // LANGUAGE=de and the like show the pages in that language.
    AppTranslations translations;
    QGuiApplication app(argc, argv);
    translations.install(app);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: pages_preview OUTPUT_DIR [--dark]\n");
        return 2;
    }
    const QDir out(args.at(1));
    const bool dark = args.contains(QStringLiteral("--dark"));
    if (dark)
        QGuiApplication::setPalette(previewDarkPalette());
    const QString suffix = dark ? QStringLiteral("-dark") : QString();

    PagesFixture fixture;
    QQuickView view;
    installPopoverQml(*view.engine());
    view.setColor(Qt::transparent);
    view.setPosition(0, 0);

    struct Shot {
        QString name;
        QVariantMap options;
        QString page;
    };
    const QVariantMap schedule{{QStringLiteral("enabled"), true}, {QStringLiteral("time1"), QStringLiteral("07:05")}, {QStringLiteral("preset1ID"), QStringLiteral("standard")}, {QStringLiteral("time2"), QStringLiteral("21:30")}, {QStringLiteral("preset2ID"), QStringLiteral("red-light")}};
    const QList<Shot> shots{
        {QStringLiteral("settings"),
         {{QStringLiteral("custom"), QStringLiteral("Reading")},
          {QStringLiteral("hidden"), QStringList{QStringLiteral("candle")}},
          {QStringLiteral("schedule"), schedule},
          {QStringLiteral("loginEnabled"), true},
          {QStringLiteral("screens"), true}},
         QStringLiteral("settings")},
        {QStringLiteral("settings-access"),
         {{QStringLiteral("engine"), QStringLiteral("denied")}},
         QStringLiteral("settings")},
        {QStringLiteral("settings-no-capture"),
         {{QStringLiteral("engine"), QStringLiteral("unavailable")}},
         QStringLiteral("settings")},
        {QStringLiteral("schedule"), {{QStringLiteral("schedule"), schedule}}, QStringLiteral("schedule")},
    };

    bool ok = true;
    for (const Shot &shot : shots) {
        fixture.reset(shot.options);
        QQuickItem *root = createPopoverRootView(*view.engine(), fixture.context(), view.contentItem());
        if (!root)
            return 1;
        fixture.navigation()->showSettings();
        if (shot.page == QLatin1String("schedule"))
            fixture.navigation()->showSchedule();
        view.resize(root->size().toSize());
        view.show();
        ok = grabPage(view, root, out.filePath(shot.name + suffix + QStringLiteral(".png"))) && ok;
        delete root;
    }
    return ok ? 0 : 1;
}
