#include "keepdriverloaded.h"

#include "platform/x11/x11screencapture.h"
#include "ripple/rippletransitionengine.h"

#include <QGuiApplication>
#include <QTest>

#include <link.h>

#include <cstring>
#include <memory>

namespace {

using State = RippleTransitionEngine::State;

// Whether a graphics driver (Mesa's *_dri.so) is mapped into this process.
bool graphicsDriverLoaded()
{
    bool found = false;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *flag) -> int {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                *static_cast<bool *>(flag) = true;
            return 0;
        },
        &found);
    return found;
}

} // namespace

// The process loads no graphics driver until a transition asks for
// refraction: not when the engine is made, not for a fade without a
// compositing manager. Its own process, since a loaded driver stays.
class TestRippleLazyOpenGL : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void driverLoadsOnlyWhenRefractionIsAsked();
};

void TestRippleLazyOpenGL::driverLoadsOnlyWhenRefractionIsAsked()
{
    QVERIFY(!graphicsDriverLoaded());
    double now = 0.0;
    RippleTransitionEngine::Platform platform;
    platform.clock = [&now] { return now; };
    platform.capture = std::make_shared<X11ScreenCapture>();
    platform.compositorRunning = [] { return false; };
    RippleTransitionEngine engine({}, std::move(platform));
    QVERIFY(!graphicsDriverLoaded());

    int completions = 0;
    engine.runTransition(6500, 100, 3000, 100, false, QPointF(10, 10), {}, [&completions] { ++completions; });
    QCOMPARE(engine.state(), State::Tier1);
    now = RippleTransitionEngine::duration;
    QTRY_COMPARE(engine.state(), State::Idle);
    QCOMPARE(completions, 1);
    QVERIFY(!graphicsDriverLoaded());

    QVERIFY2(engine.refractAvailable(), "needs OpenGL 3.3 (Mesa llvmpipe)");
    QVERIFY(graphicsDriverLoaded());
    keepGraphicsDriverLoaded();
}

QTEST_MAIN(TestRippleLazyOpenGL)
#include "tst_ripplelazyopengl.moc"
