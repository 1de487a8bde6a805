#include "ripple/ripplerenderer.h"

#include "ripple/ripplereference.h"

#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QVector2D>

#include <algorithm>
#include <cmath>

namespace {

constexpr GLuint uniformBinding = 0;
constexpr GLint pictureUnit = 0;
// Must match ringSegments in the program text: two triangles per segment.
// Few segments on purpose: a software rasteriser runs the fragment program
// for whole blocks of pixels, so a block that an edge between two of the
// ring's triangles crosses is shaded once for each. At 32 the outer corners
// lie 0.5 % of the radius beyond the circle, so that the chords touch it: a
// sliver more drawn than needed, for an eighth of the shared edges 256 had.
constexpr GLsizei ringVertices = 32 * 6;

// How far from its front (aspect-scaled) the crest overlay's ring still shows:
// its alpha is at most 0.22 · exp(-(0.13 / 0.055)²) = 0.0008 there, a fifth of
// a step, with a margin for the GPU's own rounding of the front.
constexpr float crestReach = 0.13f;

// The refract program moves the picture by at most strength · envelope of the
// screen's height, the envelope being exp(-(r / 0.105)²) at a distance r from
// the front. Its ring reaches to where that is below this many pixels (0.365
// on an 8K screen at full strength), and never closer than the soft edge of
// the new grading, 0.025 either side of the front, plus a margin.
constexpr float refractStillPixels = 0.003f;
constexpr float refractEdgeReach = 0.03f;

float refractReach(RippleUniforms uniforms, float time, int targetHeight)
{
    uniforms.time = time;
    const float progress = RippleReference::progress(uniforms);
    const float endFade = 1.0f - RippleReference::smoothstep(0.82f, 1.0f, progress);
    const float strength = endFade * 0.120f * (1.0f - progress * 0.25f);
    const float ratio = strength * float(targetHeight) / refractStillPixels;
    const float reach = ratio > 1.0f ? 0.105f * std::sqrt(std::log(ratio)) : 0.0f;
    return std::max(reach, refractEdgeReach);
}

// Where the front of each program's ring is at `time`.
float refractFront(RippleUniforms uniforms, float time)
{
    uniforms.time = time;
    return RippleReference::progress(uniforms)
           * (RippleReference::largestRadius(uniforms.origin[0], uniforms.origin[1], uniforms.aspect) + 0.30f);
}

float crestFront(const RippleUniforms &uniforms)
{
    return RippleReference::progress(uniforms)
           * (RippleReference::largestRadius(uniforms.origin[0], uniforms.origin[1], uniforms.aspect) + 0.22f);
}

} // namespace

QSurfaceFormat RippleRenderer::requiredFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    return format;
}

bool RippleRenderer::canRunOn(const QOpenGLContext &context)
{
    return !context.isOpenGLES() && context.format().version() >= qMakePair(3, 3);
}

RippleRenderer::RippleRenderer() = default;

RippleRenderer::~RippleRenderer()
{
    release();
}

bool RippleRenderer::initialize(QByteArrayView programText)
{
    release();
    m_log.clear();

    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!context || !canRunOn(*context)) {
        m_log = QStringLiteral("no current OpenGL 3.3 desktop context");
        return false;
    }
    m_gl.initializeOpenGLFunctions();
    m_initialized = true;

    m_refract = buildProgram(programText, RippleShaderSource::refractFragmentRole);
    m_settled = buildProgram(programText, RippleShaderSource::refractSettledFragmentRole);
    m_crest = buildProgram(programText, RippleShaderSource::crestOverlayFragmentRole);
    // The refract pipeline draws with both.
    if (!m_settled)
        m_refract.reset();

    // A core profile draws nothing without a bound vertex array, even when the
    // vertex stage reads no attributes.
    m_vertexArray = std::make_unique<QOpenGLVertexArrayObject>();
    if (!m_vertexArray->create()) {
        m_log += QStringLiteral("vertex array object could not be created\n");
        m_refract.reset();
        m_settled.reset();
        m_crest.reset();
    }

    m_gl.glGenBuffers(1, &m_uniformBuffer);
    m_gl.glBindBuffer(GL_UNIFORM_BUFFER, m_uniformBuffer);
    m_gl.glBufferData(GL_UNIFORM_BUFFER, sizeof(RippleUniforms), nullptr, GL_DYNAMIC_DRAW);
    m_gl.glBindBuffer(GL_UNIFORM_BUFFER, 0);

    return m_refract && m_crest;
}

std::unique_ptr<QOpenGLShaderProgram> RippleRenderer::buildProgram(QByteArrayView programText,
                                                                   const char *fragmentRole)
{
    auto program = std::make_unique<QOpenGLShaderProgram>();
    const QByteArray vertex = RippleShaderSource::stage(RippleShaderSource::vertexRole, programText);
    const QByteArray fragment = RippleShaderSource::stage(fragmentRole, programText);
    const bool built = program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertex)
                       && program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragment)
                       && program->link();
    if (!built) {
        m_log += QStringLiteral("%1: %2\n").arg(QLatin1String(fragmentRole), program->log());
        return nullptr;
    }

    const GLuint blockIndex = m_gl.glGetUniformBlockIndex(program->programId(), RippleShaderSource::uniformBlock);
    if (blockIndex == GL_INVALID_INDEX) {
        m_log += QStringLiteral("%1: no uniform block %2\n")
                     .arg(QLatin1String(fragmentRole), QLatin1String(RippleShaderSource::uniformBlock));
        return nullptr;
    }
    m_gl.glUniformBlockBinding(program->programId(), blockIndex, uniformBinding);
    program->bind();
    program->setUniformValue(RippleShaderSource::pictureSampler, pictureUnit);
    program->release();
    return program;
}

bool RippleRenderer::hasPipeline(Pipeline pipeline) const
{
    return pipeline == Pipeline::Refract ? m_refract != nullptr : m_crest != nullptr;
}

bool RippleRenderer::setPicture(const QImage &picture)
{
    m_pictureSize = {};
    if (!m_initialized || picture.isNull())
        return false;
    GLint maxSize = 0;
    m_gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (picture.width() > maxSize || picture.height() > maxSize)
        return false;

    // X captures arrive as 32-bit BGRA in memory, which GL takes as it is on a
    // little-endian machine; anything else is converted once.
    QImage texels = picture;
    GLenum format = GL_RGBA;
    const bool bgra = Q_BYTE_ORDER == Q_LITTLE_ENDIAN
                      && (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32);
    if (bgra)
        format = GL_BGRA;
    else
        texels = picture.convertToFormat(QImage::Format_RGBA8888);

    // Errors left by other code must not be taken for this upload's.
    for (int i = 0; i < 8 && m_gl.glGetError() != GL_NO_ERROR; ++i) {
    }

    if (m_texture == 0)
        m_gl.glGenTextures(1, &m_texture);
    m_gl.glActiveTexture(GL_TEXTURE0 + pictureUnit);
    m_gl.glBindTexture(GL_TEXTURE_2D, m_texture);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);

    // Rows go up top-first: the picture's top row lands at t = 0.
    m_gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    m_gl.glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(texels.bytesPerLine() / 4));
    m_gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texels.width(), texels.height(), 0, format,
                      GL_UNSIGNED_BYTE, texels.constBits());
    m_gl.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    m_gl.glBindTexture(GL_TEXTURE_2D, 0);

    if (m_gl.glGetError() != GL_NO_ERROR)
        return false;
    m_pictureSize = texels.size();
    return true;
}

bool RippleRenderer::draw(Pipeline pipeline, const RippleUniforms &uniforms, QSize targetSize)
{
    if (!hasPipeline(pipeline) || (pipeline == Pipeline::Refract && !hasPicture()) || targetSize.isEmpty())
        return false;
    if (pipeline == Pipeline::CrestOverlay) {
        const float front = crestFront(uniforms);
        drawProgram(*m_crest, std::max(front - crestReach, 0.0f), front + crestReach, targetSize, uniforms, true);
        return true;
    }
    const float front = refractFront(uniforms, uniforms.time);
    const float reach = refractReach(uniforms, uniforms.time, targetSize.height());
    drawProgram(*m_settled, 0.0f, 0.0f, targetSize, uniforms, false);
    drawProgram(*m_refract, std::max(front - reach, 0.0f), front + reach, targetSize, uniforms, false);
    return true;
}

bool RippleRenderer::drawAdvance(const RippleUniforms &uniforms, float previousTime, QSize targetSize)
{
    if (!hasPipeline(Pipeline::Refract) || !hasPicture() || targetSize.isEmpty())
        return false;
    // Each frame's ring as wide as it was drawn, so the wider of the two.
    const float before = refractFront(uniforms, previousTime);
    const float now = refractFront(uniforms, uniforms.time);
    const float reach = std::max(refractReach(uniforms, previousTime, targetSize.height()),
                                 refractReach(uniforms, uniforms.time, targetSize.height()));
    drawProgram(*m_refract, std::max(std::min(before, now) - reach, 0.0f), std::max(before, now) + reach,
                targetSize, uniforms, false);
    return true;
}

void RippleRenderer::drawProgram(QOpenGLShaderProgram &program, float inner, float outer, QSize targetSize,
                                 const RippleUniforms &uniforms, bool blend)
{
    m_gl.glViewport(0, 0, targetSize.width(), targetSize.height());
    m_gl.glDisable(GL_DEPTH_TEST);
    m_gl.glDisable(GL_SCISSOR_TEST);
    if (blend) {
        m_gl.glEnable(GL_BLEND);
        m_gl.glBlendEquation(GL_FUNC_ADD);
        m_gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        m_gl.glDisable(GL_BLEND);
    }

    m_gl.glBindBuffer(GL_UNIFORM_BUFFER, m_uniformBuffer);
    m_gl.glBufferSubData(GL_UNIFORM_BUFFER, 0, sizeof(RippleUniforms), &uniforms);
    m_gl.glBindBuffer(GL_UNIFORM_BUFFER, 0);
    m_gl.glBindBufferBase(GL_UNIFORM_BUFFER, uniformBinding, m_uniformBuffer);

    const bool samples = &program != m_crest.get();
    m_gl.glActiveTexture(GL_TEXTURE0 + pictureUnit);
    m_gl.glBindTexture(GL_TEXTURE_2D, samples ? m_texture : 0);

    program.bind();
    program.setUniformValue(RippleShaderSource::ringUniform, QVector2D(inner, outer));
    program.setUniformValue(RippleShaderSource::targetSizeUniform, QVector2D(float(targetSize.width()),
                                                                             float(targetSize.height())));
    if (&program == m_settled.get())
        program.setUniformValue(RippleShaderSource::texelAlignedUniform, m_pictureSize == targetSize);
    m_vertexArray->bind();
    m_gl.glDrawArrays(GL_TRIANGLES, 0, outer > 0.0f ? ringVertices : 3);
    m_vertexArray->release();
    program.release();

    m_gl.glBindTexture(GL_TEXTURE_2D, 0);
    m_gl.glBindBufferBase(GL_UNIFORM_BUFFER, uniformBinding, 0);
    if (blend)
        m_gl.glDisable(GL_BLEND);
}

void RippleRenderer::release()
{
    if (!m_initialized)
        return;
    // Without the context current the GL names cannot be freed; they go with
    // the context instead.
    if (QOpenGLContext::currentContext()) {
        if (m_texture != 0)
            m_gl.glDeleteTextures(1, &m_texture);
        if (m_uniformBuffer != 0)
            m_gl.glDeleteBuffers(1, &m_uniformBuffer);
    }
    m_texture = 0;
    m_uniformBuffer = 0;
    m_pictureSize = {};
    m_refract.reset();
    m_settled.reset();
    m_crest.reset();
    m_vertexArray.reset();
    m_initialized = false;
}
