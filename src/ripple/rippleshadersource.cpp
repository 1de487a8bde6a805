#include "ripple/rippleshadersource.h"

namespace {

// Mirrors RippleReference line by line; a change here belongs there too.
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
const int ringSegments = 256;

// Depend on the uniforms alone: worked out for the vertices rather than for
// every pixel, which software rasterisers notice.
flat out float progress;
flat out float farthest;

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
}

void main()
{
    rippleVertex();
}

#endif
#ifdef RIPPLE_FRAGMENT_STAGE

flat in float progress;
flat in float farthest;
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

vec3 grade(vec3 colour, vec3 white, float saturation)
{
    vec3 tinted = colour * white;
    float luminance = 0.2126 * tinted.r + 0.7152 * tinted.g + 0.0722 * tinted.b;
    return clamp(luminance + (tinted - luminance) * saturation, 0.0, 1.0);
}

#ifdef RIPPLE_ROLE_rippleRefractFragment

uniform sampler2D picture;

void rippleRefractFragment()
{
    vec2 texCoord = pixelTexCoord();
    vec2 delta = texCoord - ripple.origin;
    vec2 scaled = vec2(delta.x * ripple.aspect, delta.y);
    float d = length(scaled);
    float front = progress * (farthest + 0.30);
    float r = d - front;
    float envelope = exp(-(r / 0.105) * (r / 0.105));
    float primary = sin(r * 105.0);
    float fine = sin(r * 185.0 + 0.8);
    float endFade = 1.0 - smoothstep(0.82, 1.0, progress);
    float wave = (primary * 0.72 + fine * 0.28) * envelope * endFade;
    vec2 direction = d > 0.0001 ? scaled / d : vec2(0.0);
    vec2 offset = direction * wave * 0.120 * (1.0 - progress * 0.25);
    offset.x /= ripple.aspect;

    vec3 sampled = texture(picture, clamp(texCoord + offset, 0.0, 1.0)).rgb;
    vec3 before = grade(sampled, ripple.fromWhite.rgb, ripple.fromSaturation);
    vec3 after = grade(sampled, ripple.toWhite.rgb, ripple.toSaturation);
    float coverage = 1.0 - smoothstep(front - 0.025, front + 0.025, d);
    vec3 colour = before + (after - before) * coverage;
    float crest = max(wave, 0.0) * envelope;
    colour += crest * 0.035 * (1.0 - progress * 0.6);
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
    bool inside = d < progress * (farthest + 0.30);
    vec3 sampled = texelAligned
        ? texelFetch(picture, ivec2(int(gl_FragCoord.x), textureSize(picture, 0).y - 1 - int(gl_FragCoord.y)), 0).rgb
        : texture(picture, clamp(texCoord, 0.0, 1.0)).rgb;
    vec3 white = inside ? ripple.toWhite.rgb : ripple.fromWhite.rgb;
    float saturation = inside ? ripple.toSaturation : ripple.fromSaturation;
    fragColor = vec4(grade(sampled, white, saturation), 1.0);
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
