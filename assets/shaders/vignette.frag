#version 120
// The look of the whole film: a soft darkening towards the corners and a faint film grain
// that changes 24 times a second. The grain lives here, not in the pictures.
uniform sampler2D iChannel0;
uniform float iTime;

const vec2 kPicture = vec2(1920.0, 1080.0);
const float kGrainStrength = 0.045;
const float kGrainRate = 24.0;

float hash(vec2 p)
{
    p = fract(p * vec2(0.1031, 0.1030));
    p += dot(p, p.yx + 33.33);
    return fract((p.x + p.y) * p.x);
}

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec4 picture = texture2D(iChannel0, uv);

    // Distance from the centre, corrected for the wide picture; the centre stays untouched.
    vec2 centred = (uv - 0.5) * vec2(kPicture.x / kPicture.y, 1.0);
    float edge = smoothstep(0.45, 1.15, length(centred));
    float vignette = 1.0 - 0.62 * edge * edge;

    // Grain: one value per pixel, new every 1/24 s, stronger in the mid tones.
    vec2 pixel = floor(uv * kPicture);
    float frame = floor(iTime * kGrainRate);
    float noise = hash(pixel + vec2(frame * 37.0, frame * 91.0)) - 0.5;
    float luma = dot(picture.rgb, vec3(0.299, 0.587, 0.114));
    float grain = noise * kGrainStrength * (0.35 + luma * (1.0 - luma) * 2.6);

    vec3 color = picture.rgb * vignette + vec3(grain) * picture.a;
    gl_FragColor = vec4(clamp(color, 0.0, 1.0), picture.a) * gl_Color;
}
