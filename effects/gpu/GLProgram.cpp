#include "GLProgram.h"

#include "OpenGLHeaders.h"

#include <iostream>
#include <vector>

namespace
{
    void reportLog (const char* what, const std::vector<GLchar>& log)
    {
        std::cerr << "GLProgram: " << what << ":\n" << log.data() << std::endl;
    }
}

GLProgram::GLProgram (juce::String vertexSource, juce::String fragmentSource)
{
    program = glCreateProgram();

    // Results are ignored on purpose: a broken shader leaves a program that fails to link,
    // which its users tolerate.
    compileShader (vertexShader, GL_VERTEX_SHADER, prepareSource (std::move (vertexSource)));
    compileShader (fragmentShader, GL_FRAGMENT_SHADER, prepareSource (std::move (fragmentSource)));

    glAttachShader (program, vertexShader);
    glAttachShader (program, fragmentShader);
}

GLProgram::~GLProgram()
{
    if (vertexShader != 0)
        glDeleteShader (vertexShader);

    if (fragmentShader != 0)
        glDeleteShader (fragmentShader);

    glUseProgram (0);

    if (program != 0)
        glDeleteProgram (program);
}

juce::String GLProgram::prepareSource (juce::String source)
{
    for (auto* text : { "precision highp float;", "precision highp int;", "highp ", "mediump ", "lowp " })
        source = source.replace (text, "");

    return source;
}

bool GLProgram::compileShader (uint32_t& shader, uint32_t type, const juce::String& source)
{
    shader = glCreateShader (type);
    const GLchar* text = source.toRawUTF8();
    glShaderSource (shader, 1, &text, nullptr);
    glCompileShader (shader);

    GLint status = GL_FALSE;
    glGetShaderiv (shader, GL_COMPILE_STATUS, &status);

    if (status == GL_TRUE)
        return true;

    GLint length = 0;
    glGetShaderiv (shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log ((size_t) juce::jmax (length, 1), 0);

    if (length > 0)
        glGetShaderInfoLog (shader, length, nullptr, log.data());

    reportLog (type == GL_VERTEX_SHADER ? "vertex shader failed to compile" : "fragment shader failed to compile", log);
    return false;
}

void GLProgram::addAttribute (const juce::String& name)
{
    if (attributes.contains (name))
        return;

    attributes.add (name);
    glBindAttribLocation (program, (GLuint) (attributes.size() - 1), name.toRawUTF8());
}

int GLProgram::attributeIndex (const juce::String& name) const
{
    return attributes.indexOf (name);
}

int GLProgram::uniformIndex (const juce::String& name) const
{
    return glGetUniformLocation (program, name.toRawUTF8());
}

bool GLProgram::link()
{
    glLinkProgram (program);

    GLint status = GL_FALSE;
    glGetProgramiv (program, GL_LINK_STATUS, &status);

    if (status == GL_FALSE)
    {
        std::vector<GLchar> log (1024, 0);
        glGetProgramInfoLog (program, (GLsizei) log.size() - 1, nullptr, log.data());
        reportLog ("program failed to link", log);
        return false;
    }

    if (vertexShader != 0)
    {
        glDeleteShader (vertexShader);
        vertexShader = 0;
    }

    if (fragmentShader != 0)
    {
        glDeleteShader (fragmentShader);
        fragmentShader = 0;
    }

    linked = true;
    return true;
}

void GLProgram::use()
{
    glUseProgram (program);
}
