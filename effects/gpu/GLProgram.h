#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>

/** One linked OpenGL program built from a vertex and a fragment shader text.

    The texts are written for OpenGL ES and carry precision statements and qualifiers;
    the constructor strips those (see prepareSource) so they compile on the desktop
    compatibility-profile context. Attribute locations are fixed by the order of
    addAttribute calls, made between construction and link.

    Every call issues GL commands: the shared context (GPUImageOpenGLESContext) must be
    current on the calling thread, and the object never makes it current itself. A shader
    that fails to compile or a program that fails to link leaves the object usable; the
    info log goes to the error stream once.
*/
class GLProgram
{
public:
    /** Creates the program, compiles both prepared texts and attaches them; does not link. */
    GLProgram (juce::String vertexSource, juce::String fragmentSource);

    /** Deletes the shaders still held, unbinds any program and deletes this one. */
    virtual ~GLProgram();

    /** The text with, in this order, "precision highp float;", "precision highp int;",
        "highp ", "mediump " and "lowp " removed wherever they occur (case-sensitive plain
        substring removal, so an identifier ending in a qualifier loses that ending).
    */
    static juce::String prepareSource (juce::String source);

    /** Creates a shader of the type into `shader`, compiles the text and returns whether the
        compile status is GL_TRUE. On failure the info log is written to the error stream.
    */
    bool compileShader (uint32_t& shader, uint32_t type, const juce::String& source);

    /** Appends the name and binds it to its index in the attribute list; a name already
        added is left where it is. Takes effect at the next link.
    */
    void addAttribute (const juce::String& name);

    /** The location the name was bound to (its position in the attribute list), or -1 when
        it was never added. Does not ask OpenGL.
    */
    int attributeIndex (const juce::String& name) const;

    /** glGetUniformLocation for the name: -1 when the program has no such active uniform. */
    int uniformIndex (const juce::String& name) const;

    /** Links the program. On success the shaders are deleted and their names cleared; on
        failure they are kept and the link log is written to the error stream.
    */
    bool link();

    /** Makes this the current program. */
    void use();

    /** The program object's name. */
    uint32_t getProgram() const noexcept { return program; }

    /** The vertex shader's name; 0 once deleted after a successful link. */
    uint32_t getVertexShader() const noexcept { return vertexShader; }

    /** The fragment shader's name; 0 once deleted after a successful link. */
    uint32_t getFragmentShader() const noexcept { return fragmentShader; }

    /** True once link has succeeded. */
    bool isLinked() const noexcept { return linked; }

private:
    juce::StringArray attributes;
    uint32_t program = 0;
    uint32_t vertexShader = 0;
    uint32_t fragmentShader = 0;
    bool linked = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GLProgram)
};
