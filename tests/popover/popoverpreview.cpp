// Renders the popover's pages to PNG files for a look at the layout:
//   popover_preview OUTPUT_DIR [--dark] [--hold SECONDS]
// Run offscreen (QT_QPA_PLATFORM=offscreen) or inside a headless X session.

#include "popoverfixture.h"

#include "app/apptranslations.h"
#include "popover/popoverqml.h"
#include "previewsupport.h"
#include "popover/symbolimageprovider.h"

#include <QDir>
#include <QDirIterator>
#include <QPainter>
#include <QGuiApplication>
#include <QPalette>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <cstdio>

namespace {

// Every symbol at 16 and 48 pixels, dark on light, for a look at the drawings.
bool symbolSheet(const QString &path)
{
    QStringList names;
    QDirIterator it(QStringLiteral(":/Halvoscope/Popover/icons"));
    while (it.hasNext())
        names.append(QFileInfo(it.next()).completeBaseName());
    names.sort();
    QImage sheet(QSize(names.size() * 64, 90), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const int x = static_cast<int>(i) * 64;
        painter.drawImage(x + 8, 4, SymbolImageProvider::renderSymbol(names[i], Qt::black, {48, 48}));
        painter.drawImage(x + 24, 60, SymbolImageProvider::renderSymbol(names[i], Qt::black, {16, 16}));
    }
    painter.end();
    std::printf("%s: %s\n", qPrintable(path), qPrintable(names.join(u' ')));
    return sheet.save(path);
}

} // namespace

int main(int argc, char **argv)
{
    // LANGUAGE=de and the like show the pages in that language.
    AppTranslations translations;
    QGuiApplication app(argc, argv);
    translations.install(app);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: popover_preview OUTPUT_DIR [--dark]\n");
        return 2;
    }
    const QDir out(args.at(1));
    const bool dark = args.contains(QStringLiteral("--dark"));
    if (dark)
        QGuiApplication::setPalette(previewDarkPalette());
    const QString suffix = dark ? QStringLiteral("-dark") : QString();

    PopoverFixture fixture;
    fixture.reset({{QStringLiteral("brightness"), 70}, {QStringLiteral("custom"), true}});
    fixture.rig().store->activatePreset(QStringLiteral("candle"), false);

    // Hosted the way the application hosts it.
    QQuickView view;
    installPopoverQml(*view.engine());
    view.setColor(Qt::transparent);
    QQuickItem *root = createPopoverRootView(*view.engine(), fixture.context(), view.contentItem());
    if (!root)
        return 1;
    view.resize(root->size().toSize());
    view.setPosition(0, 0);
    view.show();

    // --hold N: show the main page for N seconds, for pointer tests under X.
    const qsizetype hold = args.indexOf(QStringLiteral("--hold"));
    if (hold > 0 && hold + 1 < args.size()) {
        QTest::qWait(args.at(hold + 1).toInt() * 1000);
        return 0;
    }

    bool ok = symbolSheet(out.filePath(QStringLiteral("symbols.png")));
    ok = grabPage(view, root, out.filePath(QStringLiteral("main%1.png").arg(suffix))) && ok;

    // The hovered row shows its edit button; the keep-awake error line.
    QTest::mouseMove(&view, QPoint(100, 150));
    fixture.rig().keepAwake->refuses = true;
    fixture.setKeepAwake(true);
    ok = grabPage(view, root, out.filePath(QStringLiteral("main-hover-error%1.png").arg(suffix))) && ok;
    QTest::mouseMove(&view, QPoint(-50, -50));

    fixture.navigation()->showEditor(QStringLiteral("candle"), false);
    ok = grabPage(view, root, out.filePath(QStringLiteral("editor-builtin%1.png").arg(suffix))) && ok;

    fixture.navigation()->showEditor(fixture.customID(), false);
    ok = grabPage(view, root, out.filePath(QStringLiteral("editor-custom%1.png").arg(suffix))) && ok;

    fixture.navigation()->showSettings();
    ok = grabPage(view, root, out.filePath(QStringLiteral("settings%1.png").arg(suffix))) && ok;
    return ok ? 0 : 1;
}
