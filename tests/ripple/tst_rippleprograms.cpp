#include "keepdriverloaded.h"
#include "ripplefixtures.h"

#include "ripple/ripplerenderer.h"
#include "ripple/rippleshadersource.h"
#include "ripple/rippleuniforms.h"

#include <QColor>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QOpenGLShaderProgram>
#include <QTest>

#include <array>
#include <cstddef>
#include <memory>

using namespace RippleFixtures;
using Pipeline = RippleRenderer::Pipeline;

// The GPU may differ from the float reference by rounding to 8 bits, by its
// own sin/exp and by the fixed-point weights of its linear filter.
constexpr float referenceTolerance = 3.0f / 255.0f;

class TestRipplePrograms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void uniformBlockMatchesStruct_data();
    void uniformBlockMatchesStruct();
    void brokenProgramsAreReported_data();
    void brokenProgramsAreReported();
    void noContextIsReported();
    void pictureFormatsUploadAlike_data();
    void pictureFormatsUploadAlike();
    void refractMatchesReference_data();
    void refractMatchesReference();
    void advancedFramesMatchWholeFrame_data();
    void advancedFramesMatchWholeFrame();
    void crestMatchesReference_data();
    void crestMatchesReference();
    void crestAlphaStaysWithinLimit_data();
    void crestAlphaStaysWithinLimit();

private:
    QImage render(Pipeline pipeline, const RippleUniforms &uniforms, QColor clear = Qt::transparent);
    QImage readFrame();

    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_target;
    std::unique_ptr<RippleRenderer> m_renderer;
};

void TestRipplePrograms::initTestCase()
{
    const QSurfaceFormat format = RippleRenderer::requiredFormat();
    m_surface.setFormat(format);
    m_surface.create();
    m_context.setFormat(format);
    if (!m_context.create() || !m_context.makeCurrent(&m_surface))
        QSKIP("No OpenGL context could be made on this display; the ripple programs cannot be rendered.");
    if (!RippleRenderer::canRunOn(m_context))
        QSKIP("The ripple programs need desktop OpenGL 3.3; this display offers less.");
    keepGraphicsDriverLoaded();
    qInfo("OpenGL: %s, %s", reinterpret_cast<const char *>(m_context.functions()->glGetString(GL_RENDERER)),
          reinterpret_cast<const char *>(m_context.functions()->glGetString(GL_VERSION)));

    m_target = std::make_unique<QOpenGLFramebufferObject>(frameSize);
    QVERIFY(m_target->isValid());
    m_renderer = std::make_unique<RippleRenderer>();
    QVERIFY2(m_renderer->initialize(), qPrintable(m_renderer->log()));
}

void TestRipplePrograms::cleanupTestCase()
{
    if (m_context.makeCurrent(&m_surface)) {
        m_renderer.reset();
        m_target.reset();
        m_context.doneCurrent();
    }
}

QImage TestRipplePrograms::render(Pipeline pipeline, const RippleUniforms &uniforms, QColor clear)
{
    QOpenGLExtraFunctions *gl = m_context.extraFunctions();
    m_target->bind();
    gl->glClearColor(clear.redF(), clear.greenF(), clear.blueF(), clear.alphaF());
    gl->glClear(GL_COLOR_BUFFER_BIT);
    if (!m_renderer->draw(pipeline, uniforms, frameSize))
        return {};
    return readFrame();
}

QImage TestRipplePrograms::readFrame()
{
    QOpenGLExtraFunctions *gl = m_context.extraFunctions();
    QImage image(frameSize, QImage::Format_RGBA8888);
    gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl->glReadPixels(0, 0, frameSize.width(), frameSize.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    m_target->release();
    // GL hands the bottom row over first.
    return image.mirrored();
}

void TestRipplePrograms::uniformBlockMatchesStruct_data()
{
    QTest::addColumn<QByteArray>("role");
    QTest::newRow("refract") << QByteArray(RippleShaderSource::refractFragmentRole);
    QTest::newRow("crest overlay") << QByteArray(RippleShaderSource::crestOverlayFragmentRole);
}

void TestRipplePrograms::uniformBlockMatchesStruct()
{
    QFETCH(QByteArray, role);

    QOpenGLShaderProgram program;
    QVERIFY(program.addShaderFromSourceCode(QOpenGLShader::Vertex, RippleShaderSource::stage(RippleShaderSource::vertexRole)));
    QVERIFY(program.addShaderFromSourceCode(QOpenGLShader::Fragment, RippleShaderSource::stage(role)));
    QVERIFY2(program.link(), qPrintable(program.log()));

    QOpenGLExtraFunctions *gl = m_context.extraFunctions();
    const GLuint id = program.programId();
    const GLuint block = gl->glGetUniformBlockIndex(id, RippleShaderSource::uniformBlock);
    QVERIFY(block != GL_INVALID_INDEX);
    GLint size = 0;
    gl->glGetActiveUniformBlockiv(id, block, GL_UNIFORM_BLOCK_DATA_SIZE, &size);
    QCOMPARE(size, GLint(sizeof(RippleUniforms)));

    const std::array<const char *, 9> names = {
        "RippleUniforms.origin", "RippleUniforms.aspect", "RippleUniforms.time",
        "RippleUniforms.duration", "RippleUniforms.fromSaturation", "RippleUniforms.toSaturation",
        "RippleUniforms.padding", "RippleUniforms.fromWhite", "RippleUniforms.toWhite"};
    const std::array<GLint, 9> offsets = {
        GLint(offsetof(RippleUniforms, origin)), GLint(offsetof(RippleUniforms, aspect)),
        GLint(offsetof(RippleUniforms, time)), GLint(offsetof(RippleUniforms, duration)),
        GLint(offsetof(RippleUniforms, fromSaturation)), GLint(offsetof(RippleUniforms, toSaturation)),
        GLint(offsetof(RippleUniforms, padding)), GLint(offsetof(RippleUniforms, fromWhite)),
        GLint(offsetof(RippleUniforms, toWhite))};
    std::array<GLuint, 9> indices{};
    gl->glGetUniformIndices(id, GLsizei(names.size()), names.data(), indices.data());
    for (size_t i = 0; i < names.size(); ++i) {
        QVERIFY2(indices[i] != GL_INVALID_INDEX, names[i]);
        GLint offset = -1;
        gl->glGetActiveUniformsiv(id, 1, &indices[i], GL_UNIFORM_OFFSET, &offset);
        QVERIFY2(offset == offsets[i], qPrintable(QStringLiteral("%1 at %2, struct has %3")
                                                      .arg(QLatin1String(names[i]))
                                                      .arg(offset)
                                                      .arg(offsets[i])));
    }
}

void TestRipplePrograms::brokenProgramsAreReported_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<bool>("refract");
    QTest::addColumn<bool>("crest");

    QTest::newRow("intact") << QByteArray() << QByteArray() << true << true;
    QTest::newRow("refract program broken")
        << QByteArray("fragColor = vec4(clamp(colour") << QByteArray("fragColor = vec3(clamp(colour") << false << true;
    QTest::newRow("crest program broken")
        << QByteArray("fragColor = vec4(tint * alpha") << QByteArray("fragColor = tint * alpha + (") << true << false;
    QTest::newRow("vertex stage broken")
        << QByteArray("gl_Position = vec4(position, 0.0, 1.0);") << QByteArray("gl_Position = position;") << false << false;
    QTest::newRow("uniform block renamed")
        << QByteArray("uniform RippleUniforms {") << QByteArray("uniform RippleBlock {") << false << false;
    QTest::newRow("entry point missing")
        << QByteArray("void main()\n{\n    rippleRefractFragment();\n}") << QByteArray() << false << true;
    QTest::newRow("empty text") << QByteArray("*") << QByteArray() << false << false;
}

void TestRipplePrograms::brokenProgramsAreReported()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(bool, refract);
    QFETCH(bool, crest);

    QByteArray text = RippleShaderSource::text().toByteArray();
    if (from == "*") {
        text.clear();
    } else if (!from.isEmpty()) {
        QVERIFY(text.contains(from));
        text.replace(from, to);
    }

    RippleRenderer renderer;
    QCOMPARE(renderer.initialize(text), refract && crest);
    QCOMPARE(renderer.hasPipeline(Pipeline::Refract), refract);
    QCOMPARE(renderer.hasPipeline(Pipeline::CrestOverlay), crest);
    QCOMPARE(renderer.log().isEmpty(), refract && crest);

    QVERIFY(renderer.setPicture(patternPicture(frameSize)));
    const RippleUniforms u = uniformsAt(0.5f, 0.5f, 1.0f, frameSize, 6500, 100, 2000, 100);
    m_target->bind();
    QCOMPARE(renderer.draw(Pipeline::Refract, u, frameSize), refract);
    QCOMPARE(renderer.draw(Pipeline::CrestOverlay, u, frameSize), crest);
    m_target->release();
    QCOMPARE(m_context.functions()->glGetError(), GLenum(GL_NO_ERROR));
}

void TestRipplePrograms::noContextIsReported()
{
    m_context.doneCurrent();
    {
        RippleRenderer renderer;
        QVERIFY(!renderer.initialize());
        QVERIFY(!renderer.log().isEmpty());
        QVERIFY(!renderer.hasPipeline(Pipeline::Refract));
        QVERIFY(!renderer.setPicture(patternPicture(frameSize)));
        QVERIFY(!renderer.draw(Pipeline::CrestOverlay, RippleUniforms{}, frameSize));
    }
    QVERIFY(m_context.makeCurrent(&m_surface));

    // Without a picture the refract pipeline has nothing to show.
    RippleRenderer renderer;
    QVERIFY(renderer.initialize());
    QVERIFY(!renderer.hasPicture());
    QVERIFY(!renderer.draw(Pipeline::Refract, RippleUniforms{}, frameSize));
    QVERIFY(!renderer.setPicture(QImage()));
    QVERIFY(!renderer.hasPicture());
}

void TestRipplePrograms::pictureFormatsUploadAlike_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<bool>("longRows");

    const QImage pattern = patternPicture(frameSize);
    QTest::newRow("RGBA8888") << pattern << false;
    QTest::newRow("RGB32 (an X capture)") << pattern.convertToFormat(QImage::Format_RGB32) << false;
    QTest::newRow("ARGB32") << pattern.convertToFormat(QImage::Format_ARGB32) << false;
    QTest::newRow("ARGB32 premultiplied") << pattern.convertToFormat(QImage::Format_ARGB32_Premultiplied) << false;
    QTest::newRow("RGB888") << pattern.convertToFormat(QImage::Format_RGB888) << false;
    QTest::newRow("RGB32 with rows longer than the picture")
        << patternPicture({frameSize.width() + 9, frameSize.height()}).convertToFormat(QImage::Format_RGB32) << true;
}

void TestRipplePrograms::pictureFormatsUploadAlike()
{
    QFETCH(QImage, picture);
    QFETCH(bool, longRows);

    // A view of the left part of a wider picture, as a capture with padded rows looks.
    if (longRows)
        picture = QImage(picture.constBits(), frameSize.width(), frameSize.height(), picture.bytesPerLine(),
                         picture.format());

    // Unchanged colours after the end: the frame is the picture itself, so
    // orientation and channel order show directly.
    QVERIFY(m_renderer->setPicture(picture));
    QCOMPARE(m_renderer->pictureSize(), frameSize);
    const QImage frame = render(Pipeline::Refract, unchangedColourAt(0.5f, 0.5f, 3.0f, frameSize));
    QVERIFY(!frame.isNull());

    const Frame expected = fromRgba8(picture);
    QString worst;
    const float difference = largestDifference(
        fromRgba8(frame), [&](int x, int y) { return expected.at(x, y); }, &worst);
    QVERIFY2(difference <= 1.0f / 255.0f, qPrintable(worst));
}

void TestRipplePrograms::refractMatchesReference_data()
{
    addRefractRows();
}

void TestRipplePrograms::refractMatchesReference()
{
    QFETCH(RippleUniforms, uniforms);
    QFETCH(QString, picture);
    QFETCH(int, checks);
    QFETCH(QPoint, originPixel);

    const QImage image = pictureNamed(picture);
    QVERIFY(m_renderer->setPicture(image));
    const Frame gpu = fromRgba8(render(Pipeline::Refract, uniforms));
    const Frame cpu = referenceRefract(uniforms, image, frameSize);

    QString worst;
    const float difference = largestDifference(
        gpu, [&](int x, int y) { return cpu.at(x, y); }, &worst);
    qInfo("largest difference %.2f steps", double(difference * 255.0f));
    QVERIFY2(difference <= referenceTolerance, qPrintable(worst));

    // Quantisation alone may move a channel half a step, float maths another.
    const QString failure = checkRefractFrame(gpu, image, uniforms, checks, originPixel, 2.0f / 255.0f);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

// Rows: frame times a refract window may see, from steady 60 Hz to late
// frames. A whole frame at the first time, advanced frame by frame, ends as
// the whole frame of the last time: nothing outside the redrawn ring changed.
void TestRipplePrograms::advancedFramesMatchWholeFrame_data()
{
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<QList<float>>("times");

    QList<float> steady;
    for (int frame = 0; frame <= 90; ++frame)
        steady.append(float(frame) / 60.0f);
    QTest::newRow("60 Hz from near a corner") << QPointF(0.9, 0.02) << steady;
    QTest::newRow("late frames from the centre") << QPointF(0.5, 0.5) << QList<float>{0.0f, 0.4f, 0.9f, 1.6f, 2.2f};
    QTest::newRow("origin outside, to the end")
        << QPointF(-0.3, 0.6) << QList<float>{0.0f, 0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 2.9f, 3.0f};
}

void TestRipplePrograms::advancedFramesMatchWholeFrame()
{
    QFETCH(QPointF, origin);
    QFETCH(QList<float>, times);

    const QImage image = patternPicture(frameSize);
    QVERIFY(m_renderer->setPicture(image));
    RippleUniforms uniforms = uniformsAt(float(origin.x()), float(origin.y()), times.first(), frameSize,
                                         6500, 100, 1900, 60);
    m_target->bind();
    // Magenta shows wherever nothing was ever drawn.
    m_context.functions()->glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    m_context.functions()->glClear(GL_COLOR_BUFFER_BIT);
    QVERIFY(m_renderer->draw(Pipeline::Refract, uniforms, frameSize));
    for (qsizetype i = 1; i < times.size(); ++i) {
        uniforms.time = times[i];
        QVERIFY(m_renderer->drawAdvance(uniforms, times[i - 1], frameSize));
    }
    const Frame gpu = fromRgba8(readFrame());
    const Frame cpu = referenceRefract(uniforms, image, frameSize);

    QString worst;
    const float difference = largestDifference(
        gpu, [&](int x, int y) { return cpu.at(x, y); }, &worst);
    QVERIFY2(difference <= referenceTolerance, qPrintable(worst));
}

void TestRipplePrograms::crestMatchesReference_data()
{
    QTest::addColumn<RippleUniforms>("uniforms");
    QTest::addColumn<QColor>("beneath");

    const QColor transparent(0, 0, 0, 0);
    const QColor screen(51, 102, 153, 255);
    QTest::newRow("time 0, centre") << uniformsAt(0.5f, 0.5f, 0.0f, frameSize, 6500, 100, 1900, 100) << transparent;
    QTest::newRow("0.9 s, over a screen") << uniformsAt(0.3f, 0.2f, 0.9f, frameSize, 6500, 100, 1900, 100) << screen;
    QTest::newRow("1.8 s, origin outside") << uniformsAt(-0.3f, 1.2f, 1.8f, frameSize, 5000, 100, 1000, 100) << transparent;
    QTest::newRow("2.5 s, end fade, over a screen") << uniformsAt(0.9f, 0.1f, 2.5f, frameSize, 2000, 100, 6500, 100) << screen;
    QTest::newRow("time = duration leaves the screen alone")
        << uniformsAt(0.5f, 0.5f, 3.0f, frameSize, 6500, 100, 1900, 100) << screen;
}

void TestRipplePrograms::crestMatchesReference()
{
    QFETCH(RippleUniforms, uniforms);
    QFETCH(QColor, beneath);

    const Frame gpu = fromRgba8(render(Pipeline::CrestOverlay, uniforms, beneath));
    const Frame crest = referenceCrest(uniforms, frameSize);
    const RippleRGBA under{beneath.red() / 255.0f, beneath.green() / 255.0f, beneath.blue() / 255.0f,
                           beneath.alpha() / 255.0f};

    // Premultiplied source-over: source + destination × (1 − source alpha).
    QString worst;
    const float difference = largestDifference(
        gpu, [&](int x, int y) {
            const RippleRGBA c = crest.at(x, y);
            const float keep = 1.0f - c.a;
            return RippleRGBA{c.r + under.r * keep, c.g + under.g * keep, c.b + under.b * keep, c.a + under.a * keep};
        },
        &worst);
    qInfo("largest difference %.2f steps", double(difference * 255.0f));
    QVERIFY2(difference <= referenceTolerance, qPrintable(worst));
}

void TestRipplePrograms::crestAlphaStaysWithinLimit_data()
{
    QTest::addColumn<float>("originX");
    QTest::addColumn<float>("originY");

    QTest::newRow("centre") << 0.5f << 0.5f;
    QTest::newRow("top-left corner") << 0.0f << 0.0f;
    QTest::newRow("outside") << 1.3f << -0.2f;
}

void TestRipplePrograms::crestAlphaStaysWithinLimit()
{
    QFETCH(float, originX);
    QFETCH(float, originY);

    RippleUniforms u = uniformsAt(originX, originY, 0.0f, frameSize, 6500, 100, 1000, 100);
    int largestWhileRunning = 0;
    for (int step = 0; step <= 26; ++step) {
        u.time = float(step) * 0.125f;
        const QImage frame = render(Pipeline::CrestOverlay, u);
        QVERIFY(!frame.isNull());
        QString fault;
        for (int y = 0; y < frame.height() && fault.isEmpty(); ++y) {
            const uchar *line = frame.constScanLine(y);
            for (int x = 0; x < frame.width() && fault.isEmpty(); ++x) {
                const int alpha = line[x * 4 + 3];
                // 0.35 × 255 = 89.25; premultiplied colour never exceeds alpha;
                // nothing is left once the ripple is over.
                const bool over = u.time >= u.duration;
                if (alpha > 89 || line[x * 4] > alpha || line[x * 4 + 1] > alpha || line[x * 4 + 2] > alpha
                    || (over && alpha != 0))
                    fault = QStringLiteral("at %1 s, pixel (%2, %3): rgba %4 %5 %6 %7")
                                .arg(u.time)
                                .arg(x)
                                .arg(y)
                                .arg(line[x * 4])
                                .arg(line[x * 4 + 1])
                                .arg(line[x * 4 + 2])
                                .arg(alpha);
                if (!over)
                    largestWhileRunning = std::max(largestWhileRunning, alpha);
            }
        }
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
    // The ring really is drawn (the clamp at 0.35 is a bound, not the usual value).
    QVERIFY2(largestWhileRunning > 38, qPrintable(QString::number(largestWhileRunning)));
}

QTEST_MAIN(TestRipplePrograms)
#include "tst_rippleprograms.moc"
