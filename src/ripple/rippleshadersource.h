#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The ripple's GPU programs (GLSL 330 core) as one program text.
//
// The text holds the vertex stage and the fragment programs; each entry point
// is a function named after its role, in a section guarded by
// RIPPLE_ROLE_<role> together with a `main` that calls it. Every stage sees the
// uniform block; the fragment programs share their helpers under
// RIPPLE_FRAGMENT_STAGE.
// `stage` turns the text into the source of one shader stage by putting
// `#version 330 core` in front and defining the macros of that role, so a
// fault in one fragment program leaves the other one usable.
//
// Picture orientation: the captured picture is uploaded with its top row first,
// so that row sits at texture t = 0 and the programs sample at (u, v) with v
// growing downward, unchanged; neither the upload nor the shader flips.
namespace RippleShaderSource {

inline constexpr char vertexRole[] = "rippleVertex";
inline constexpr char refractFragmentRole[] = "rippleRefractFragment";
inline constexpr char crestOverlayFragmentRole[] = "rippleCrestOverlayFragment";
// The refract program where its ring has no effect; cheap, for the rest of the screen.
inline constexpr char refractSettledFragmentRole[] = "rippleRefractSettledFragment";

// Name of the picture's sampler uniform (texture unit 0) and of the uniform
// block (binding point 0) in the program text.
inline constexpr char pictureSampler[] = "picture";
inline constexpr char uniformBlock[] = "RippleUniforms";
// The plain uniforms: the ring the vertices cover (vertex stage), the
// framebuffer's size in pixels and whether the settled program reads texels
// directly.
inline constexpr char ringUniform[] = "ring";
inline constexpr char targetSizeUniform[] = "targetSize";
inline constexpr char texelAlignedUniform[] = "texelAligned";

// The single program text, without a #version line.
QByteArrayView text();

// The source of the stage with the given role, built from `programText`;
// empty for an unknown role.
QByteArray stage(QByteArrayView role, QByteArrayView programText = text());

} // namespace RippleShaderSource
