// The body shared by colorfilter.frag (legacy GLSL) and colorfilter_core.frag
// (GLSL 1.40 for a core context); the build puts each header in front.
//
// Every window is drawn through the app's 3×3 matrix. During a transition
// the old and the new matrix are mixed, everywhere at once (a fade) or
// inside a ring growing from `origin` (a ripple).
//
// KWin 6's colour management: decode `tex` with
// sourceEncodingToNitsInDestinationColorspace() before filterColour() and
// encode the result with nitsToDestinationEncoding() (colormanagement.glsl),
// so the matrix acts on linear light on ICC and HDR outputs.

uniform sampler2D sampler;
uniform vec4 modulation;
uniform float saturation;

uniform vec3 fromRow0;
uniform vec3 fromRow1;
uniform vec3 fromRow2;
uniform vec3 toRow0;
uniform vec3 toRow1;
uniform vec3 toRow2;
// 0 … 1 over the transition, or 1 … 0 when `forward` is 0; at its end
// when none runs.
uniform float progress;
uniform float forward;
// 1 for a ripple, 0 for a fade.
uniform float ripple;
// In the output's pixels, y upward like gl_FragCoord.
uniform vec2 origin;
// The distance from the origin to the farthest corner.
uniform float reach;

IN vec2 texcoord0;

vec3 through(vec3 row0, vec3 row1, vec3 row2, vec3 c)
{
    return vec3(dot(row0, c), dot(row1, c), dot(row2, c));
}

// Premultiplied colour in, premultiplied colour out: the matrix has no
// offset, so it commutes with the alpha.
vec4 filterColour(vec4 tex)
{
    float t = forward > 0.5 ? progress : 1.0 - progress;
    float eased = t * t * (3.0 - 2.0 * t);
    float weight = eased;
    float crest = 0.0;
    if (ripple > 0.5) {
        float band = 0.08 * reach;
        float radius = t * (reach + band);
        float distanceToCrest = distance(gl_FragCoord.xy, origin) - radius;
        weight = 1.0 - smoothstep(-band, 0.0, distanceToCrest);
        // pow() of a negative number is undefined in GLSL: square by hand.
        float across = distanceToCrest / (0.25 * band);
        crest = 0.12 * (1.0 - t) * exp(-across * across);
    }
    vec3 before = through(fromRow0, fromRow1, fromRow2, tex.rgb);
    vec3 after = through(toRow0, toRow1, toRow2, tex.rgb);
    vec3 rgb = mix(before, after, weight) + crest * tex.a;
    return vec4(clamp(rgb, vec3(0.0), vec3(tex.a)), tex.a);
}

void main()
{
    vec4 tex = TEXTURE(sampler, texcoord0);
    // What KWin's own window shader does with opacity and desaturation.
    if (saturation != 1.0) {
        vec3 desaturated = tex.rgb * vec3(0.30, 0.59, 0.11);
        desaturated = vec3(desaturated.r + desaturated.g + desaturated.b);
        tex.rgb = mix(desaturated, tex.rgb, saturation);
    }
    tex *= modulation;
    FRAG_COLOR = filterColour(tex);
}
