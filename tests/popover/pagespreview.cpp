// Renders the settings and schedule pages to PNG files for a look at the layout:
//   pages_preview OUTPUT_DIR [--dark]
// Run inside a headless X session (scripts/headless-session.sh) or offscreen.

#include "pagesfixture.h"

#include "popover/popoverqml.h"

#include <QDir>
#include <QGuiApplication>
#include <QPalette>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <cstdio>

namespace {

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2d));
    palette.setColor(QPalette::WindowText, QColor(0xf2, 0xf2, 0xf2));
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::Text, QColor(0xf2, 0xf2, 0xf2));
    palette.setColor(QPalette::Highlight, QColor(0x0a, 0x84, 0xff));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

bool grab(QQuickView &view, QQuickItem *root, const QString &path)
{
    QTest::qWait(200);
    view.resize(QSize(qRound(root->width()), qRound(root->implicitHeight())));
    QTest::qWait(200);
    const QImage image = view.grabWindow();
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: pages_preview OUTPUT_DIR [--dark]\n");
        return 2;
    }
    const QDir out(args.at(1));
    const bool dark = args.contains(QStringLiteral("--dark"));
    if (dark)
        QGuiApplication::setPalette(darkPalette());
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
    const QVariantMap schedule{{QStringLiteral("enabled"), true}, {QStringLiteral("time1"), QStringLiteral("07:05")},
                               {QStringLiteral("preset1ID"), QStringLiteral("standard")},
                               {QStringLiteral("time2"), QStringLiteral("21:30")},
                               {QStringLiteral("preset2ID"), QStringLiteral("red-light")}};
    const QList<Shot> shots{
        {QStringLiteral("settings"),
         {{QStringLiteral("custom"), QStringLiteral("Reading")},
          {QStringLiteral("hidden"), QStringList{QStringLiteral("candle")}},
          {QStringLiteral("schedule"), schedule}, {QStringLiteral("loginEnabled"), true}},
         QStringLiteral("settings")},
        {QStringLiteral("settings-access"),
         {{QStringLiteral("engine"), QStringLiteral("denied")}}, QStringLiteral("settings")},
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
        ok = grab(view, root, out.filePath(shot.name + suffix + QStringLiteral(".png"))) && ok;
        delete root;
    }
    return ok ? 0 : 1;
}
