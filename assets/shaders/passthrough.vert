#version 120
// Passes position, texture coordinates and colour through. The texture matrix turns SFML's
// pixel coordinates into the 0..1 range the fragment shader samples with.
void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
}
