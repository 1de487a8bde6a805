#pragma once

#include "ripple/rippleshadersource.h"
#include "ripple/rippleuniforms.h"

#include <QByteArrayView>
#include <QImage>
#include <QOpenGLExtraFunctions>
#include <QSize>
#include <QString>
#include <QSurfaceFormat>

#include <memory>

class QOpenGLContext;
class QOpenGLShaderProgram;
class QOpenGLVertexArrayObject;

// Draws one ripple frame with OpenGL 3.3 core into whatever framebuffer is
// bound. Every call needs the same current context as `initialize`; release
// the GL objects with `release` (or destroy the renderer) while it is current.
class RippleRenderer {
public:
    enum class Pipeline {
        Refract,      // opaque, samples the picture
        CrestOverlay, // premultiplied source-over, no picture
    };

    // What the programs need: desktop OpenGL 3.3, core profile. Surfaces and
    // contexts the renderer draws with start from this format; a context
    // made with it can still come out older or as OpenGL ES, which
    // `canRunOn` tells.
    static QSurfaceFormat requiredFormat();
    static bool canRunOn(const QOpenGLContext &context);

    RippleRenderer();
    ~RippleRenderer();
    RippleRenderer(const RippleRenderer &) = delete;
    RippleRenderer &operator=(const RippleRenderer &) = delete;

    // Compiles and links the programs from `programText` and makes the vertex
    // array and uniform buffer. Needs a current OpenGL 3.3 (or later) desktop
    // context. A program that fails leaves only its own pipeline missing; the
    // result says whether every program was built, `log` what went wrong.
    bool initialize(QByteArrayView programText = RippleShaderSource::text());

    bool hasPipeline(Pipeline pipeline) const;
    QString log() const { return m_log; }

    // Uploads the picture the refract program samples, its top row at t = 0
    // (see RippleShaderSource). False for a null or too large picture.
    bool setPicture(const QImage &picture);
    bool hasPicture() const { return !m_pictureSize.isEmpty(); }
    QSize pictureSize() const { return m_pictureSize; }

    // One whole frame into the bound framebuffer of `targetSize` pixels.
    // False when the pipeline (or the refract picture) is missing. Only the
    // ring where the wave moves runs the full program: the refract pipeline
    // draws the rest with its settled program, the crest overlay leaves the
    // rest as it is (its alpha there is below one 8-bit step).
    bool draw(Pipeline pipeline, const RippleUniforms &uniforms, QSize targetSize);

    // Refract only: turns the refract frame at `previousTime` that the bound
    // framebuffer holds into the one at `uniforms.time`, redrawing only the
    // ring the wave covered in between; every pixel outside it is the same
    // in both frames.
    bool drawAdvance(const RippleUniforms &uniforms, float previousTime, QSize targetSize);

    // Frees every GL object; safe to call more than once.
    void release();

private:
    std::unique_ptr<QOpenGLShaderProgram> buildProgram(QByteArrayView programText, const char *fragmentRole);
    // Draws with `program` over the ring between `inner` and `outer`, or
    // over the whole viewport when `outer` is 0.
    void drawProgram(QOpenGLShaderProgram &program, float inner, float outer, QSize targetSize,
                     const RippleUniforms &uniforms, bool blend);

    QOpenGLExtraFunctions m_gl;
    std::unique_ptr<QOpenGLShaderProgram> m_refract;
    std::unique_ptr<QOpenGLShaderProgram> m_settled;
    std::unique_ptr<QOpenGLShaderProgram> m_crest;
    std::unique_ptr<QOpenGLVertexArrayObject> m_vertexArray;
    GLuint m_uniformBuffer = 0;
    GLuint m_texture = 0;
    QSize m_pictureSize;
    QString m_log;
    bool m_initialized = false;
};
