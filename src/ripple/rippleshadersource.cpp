#include "ripple/rippleshadersource.h"

namespace {

// Computes what RippleReference computes; a change here belongs there too. The
// refract program orders the same maths for a software rasteriser, where every
// operation runs for every pixel of the ring: whatever depends on the uniforms
// alone is worked out per vertex, the grading is one matrix per white point,
// and the two sines are one polynomial pair rather than two library calls.
constexpr char programText[] = R"glsl(
// Shared by every stage.

layout(std140) uniform RippleUniforms {
    vec2 origin;
    float aspect;
    float time;
    float duration;
    float fromSaturation;
    float toSaturation;
    float padding;
    vec4 fromWhite;
    vec4 toWhite;
} ripple;

// A zero duration counts as a finished ripple rather than an undefined smoothstep.
float rippleProgress()
{
    return ripple.duration > 0.0 ? smoothstep(0.0, ripple.duration, ripple.time) : 1.0;
}

// Distance from the origin to the farthest screen corner, aspect-scaled.
float largestRadius(vec2 o, float aspect)
{
    float left = o.x * aspect;
    float right = (1.0 - o.x) * aspect;
    float top = o.y;
    float bottom = 1.0 - o.y;
    return max(max(length(vec2(left, top)), length(vec2(right, top))),
               max(length(vec2(left, bottom)), length(vec2(right, bottom))));
}

#ifdef RIPPLE_ROLE_rippleVertex

// With ring.y > 0 the vertices cover only the ring between the distances
// ring.x and ring.y from the origin (aspect-scaled), as ringSegments pairs of
// triangles; otherwise one triangle covers the viewport.
uniform vec2 ring;
const int ringSegments = 32;

// Depend on the uniforms alone: worked out for the vertices rather than for
// every pixel, which software rasterisers notice.
flat out float progress;
flat out float farthest;
// The refract wave's front, its displacement and crest scales (end fade
// included) and the old and new grading as matrices.
flat out float refractFront;
flat out float refractStrength;
flat out float refractCrest;
flat out mat3 fromGrade;
flat out mat3 toGrade;

// The grading as one matrix: luminance + (tinted - luminance) · saturation
// with tinted = colour · white, before the clamp.
mat3 gradeMatrix(vec3 white, float saturation)
{
    vec3 k = (1.0 - saturation) * vec3(0.2126, 0.7152, 0.0722) * white;
    return mat3(vec3(k.x + saturation * white.x, k.x, k.x),
                vec3(k.y, k.y + saturation * white.y, k.y),
                vec3(k.z, k.z, k.z + saturation * white.z));
}

// The viewport triangle needs no vertex buffer: (-1,-1), (3,-1), (-1,3). The
// ring's corners come from the vertex number alone too. Its outer edge runs
// just outside the outer circle and its inner edge inside the inner one, so
// every point between the two is covered.
void rippleVertex()
{
    vec2 position;
    if (ring.y > 0.0) {
        int corner = gl_VertexID % 6;
        int segment = gl_VertexID / 6 + ((corner == 2 || corner == 4 || corner == 5) ? 1 : 0);
        bool outer = corner == 1 || corner == 2 || corner == 4;
        float angle = float(segment) * (6.28318531 / float(ringSegments));
        float radius = outer ? ring.y / cos(3.14159265 / float(ringSegments)) : ring.x;
        vec2 scaled = radius * vec2(cos(angle), sin(angle));
        vec2 uv = ripple.origin + vec2(scaled.x / ripple.aspect, scaled.y);
        position = vec2(uv.x * 2.0 - 1.0, 1.0 - uv.y * 2.0);
    } else {
        position = vec2(gl_VertexID == 1 ? 3.0 : -1.0, gl_VertexID == 2 ? 3.0 : -1.0);
    }
    gl_Position = vec4(position, 0.0, 1.0);
    progress = rippleProgress();
    farthest = largestRadius(ripple.origin, ripple.aspect);
    refractFront = progress * (farthest + 0.30);
    float endFade = 1.0 - smoothstep(0.82, 1.0, progress);
    refractStrength = endFade * 0.120 * (1.0 - progress * 0.25);
    refractCrest = endFade * 0.035 * (1.0 - progress * 0.6);
    fromGrade = gradeMatrix(ripple.fromWhite.rgb, ripple.fromSaturation);
    toGrade = gradeMatrix(ripple.toWhite.rgb, ripple.toSaturation);
}

void main()
{
    rippleVertex();
}

#endif
#ifdef RIPPLE_FRAGMENT_STAGE

flat in float progress;
flat in float farthest;
flat in float refractFront;
flat in float refractStrength;
flat in float refractCrest;
flat in mat3 fromGrade;
flat in mat3 toGrade;
out vec4 fragColor;

// The framebuffer's size in pixels.
uniform vec2 targetSize;

// The texture coordinate of this pixel's centre, worked out from its
// position rather than interpolated from the vertices: exactly the pixel
// centre at any size, however far away the vertices are.
vec2 pixelTexCoord()
{
    return vec2(gl_FragCoord.x, targetSize.y - gl_FragCoord.y) / targetSize;
}

vec3 grade(mat3 grading, vec3 colour)
{
    return clamp(grading * colour, 0.0, 1.0);
}

#ifdef RIPPLE_ROLE_rippleRefractFragment

uniform sampler2D picture;

// sin(2π·turns) for both components, within 6e-7: folded onto a quarter
// turn by a triangle wave, then an odd polynomial fitted on that quarter.
vec2 sineOfTurns(vec2 turns)
{
    vec2 y = abs(fract(turns - 0.25) - 0.5) - 0.25;
    vec2 y2 = y * y;
    return y * (6.28316406 + y2 * (-41.3371438 + y2 * (81.34081 + y2 * -70.9937848)));
}

void rippleRefractFragment()
{
    vec2 texCoord = pixelTexCoord();
    vec2 delta = texCoord - ripple.origin;
    float d = length(vec2(delta.x * ripple.aspect, delta.y));
    float r = d - refractFront;
    // exp(-(r / 0.105)²), and sin(105 r), sin(185 r + 0.8) in turns.
    float envelope = exp2(r * r * -130.856693);
    vec2 sines = sineOfTurns(r * vec2(16.711269, 29.4436645) + vec2(0.0, 0.127323954));
    float wave = (sines.x * 0.72 + sines.y * 0.28) * envelope;
    // Radially outward by wave · strength in aspect-scaled units, which in
    // texture space is delta scaled by that over d.
    vec2 offset = d > 0.0001 ? delta * (wave * refractStrength / d) : vec2(0.0);

    // Clamp to edge does what clamping the coordinate would.
    vec3 sampled = texture(picture, texCoord + offset).rgb;
    vec3 before = grade(fromGrade, sampled);
    vec3 after = grade(toGrade, sampled);
    float coverage = 1.0 - smoothstep(refractFront - 0.025, refractFront + 0.025, d);
    vec3 colour = before + (after - before) * coverage;
    colour += max(wave, 0.0) * envelope * refractCrest;
    fragColor = vec4(clamp(colour, 0.0, 1.0), 1.0);
}

void main()
{
    rippleRefractFragment();
}

#endif
#ifdef RIPPLE_ROLE_rippleRefractSettledFragment

uniform sampler2D picture;
// Whether pixels and texels coincide (picture and target of one size), so
// each pixel reads its own texel without filtering.
uniform bool texelAligned;

// The refract program away from the moving ring, where its envelope has died
// down below anything an 8-bit channel shows: no displacement and no crest,
// so the picture as it is, graded new inside the front and old outside.
void rippleRefractSettledFragment()
{
    vec2 texCoord = pixelTexCoord();
    vec2 delta = texCoord - ripple.origin;
    float d = length(vec2(delta.x * ripple.aspect, delta.y));
    bool inside = d < refractFront;
    vec3 sampled = texelAligned
        ? texelFetch(picture, ivec2(int(gl_FragCoord.x), textureSize(picture, 0).y - 1 - int(gl_FragCoord.y)), 0).rgb
        : texture(picture, clamp(texCoord, 0.0, 1.0)).rgb;
    fragColor = vec4(grade(inside ? toGrade : fromGrade, sampled), 1.0);
}

void main()
{
    rippleRefractSettledFragment();
}

#endif
#ifdef RIPPLE_ROLE_rippleCrestOverlayFragment

// Premultiplied output for source-over blending (one, one minus source alpha).
void rippleCrestOverlayFragment()
{
    vec2 texCoord = pixelTexCoord();
    vec2 delta = texCoord - ripple.origin;
    vec2 scaled = vec2(delta.x * ripple.aspect, delta.y);
    float d = length(scaled);
    float front = progress * (farthest + 0.22);
    float r = d - front;
    float envelope = exp(-(r / 0.055) * (r / 0.055));
    float wave = 0.5 + 0.5 * (sin(r * 95.0) * 0.72 + sin(r * 170.0 + 0.8) * 0.28);
    float endFade = 1.0 - smoothstep(0.80, 1.0, progress);
    float alpha = clamp(wave * envelope * endFade * 0.22, 0.0, 0.35);
    vec3 tint = vec3(1.0) + (ripple.toWhite.rgb - vec3(1.0)) * 0.35;
    fragColor = vec4(tint * alpha, alpha);
}

void main()
{
    rippleCrestOverlayFragment();
}

#endif
#endif
)glsl";

} // namespace

namespace RippleShaderSource {

QByteArrayView text()
{
    return QByteArrayView(programText, sizeof(programText) - 1);
}

QByteArray stage(QByteArrayView role, QByteArrayView programText)
{
    QByteArray source = "#version 330 core\n";
    if (role == refractFragmentRole || role == refractSettledFragmentRole || role == crestOverlayFragmentRole)
        source += "#define RIPPLE_FRAGMENT_STAGE\n";
    else if (role != vertexRole)
        return {};
    source += "#define RIPPLE_ROLE_";
    source += role;
    source += '\n';
    source += programText;
    return source;
}

} // namespace RippleShaderSource
