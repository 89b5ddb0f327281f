#include "SxAlertPaintComponent.h"

namespace
{
    const juce::Colour textColour (250, 250, 250);
    constexpr float fontHeight = 17.0f, smallestFontHeight = 8.0f;

    /** The index of the first glyph of each line, by baseline. */
    juce::Array<int> lineStarts (juce::GlyphArrangement& glyphs)
    {
        juce::Array<int> starts;
        float baseline = 0.0f;

        for (int i = 0; i < glyphs.getNumGlyphs(); ++i)
            if (const auto y = glyphs.getGlyph (i).getBaselineY(); starts.isEmpty() || y != baseline)
            {
                starts.add (i);
                baseline = y;
            }

        return starts;
    }

    /** Text with line breaks of its own, which the framework's fitted layout does not limit:
        a smaller font while that lets the lines fit (not below 8 pixels), then the lines past
        the last one that fits dropped, that one ending in an ellipsis. */
    juce::GlyphArrangement layOutBrokenLines (const juce::String& text, float width, float height, int maximumLines)
    {
        juce::Font font (fontHeight, juce::Font::plain);
        juce::GlyphArrangement glyphs;
        glyphs.addJustifiedText (font, text, 0.0f, font.getAscent(), width, juce::Justification::left);
        auto starts = lineStarts (glyphs);
        const auto wanted = juce::jmin (starts.size(), maximumLines);

        if (wanted * font.getHeight() > height)
        {
            font.setHeight (juce::jmax (smallestFontHeight, height / (float) wanted));
            glyphs.clear();
            glyphs.addJustifiedText (font, text, 0.0f, font.getAscent(), width, juce::Justification::left);
            starts = lineStarts (glyphs);
        }

        const auto fitting = juce::jmin (maximumLines, juce::jmax (1, (int) (height / font.getHeight())));

        if (starts.size() <= fitting)
            return glyphs;

        glyphs.removeRangeOfGlyphs (starts[fitting], -1);

        juce::GlyphArrangement ellipsis;
        ellipsis.addLineOfText (font, "...", 0.0f, glyphs.getGlyph (glyphs.getNumGlyphs() - 1).getBaselineY());
        const auto ellipsisWidth = ellipsis.getBoundingBox (0, -1, true).getWidth();

        while (glyphs.getNumGlyphs() > starts[fitting - 1]
               && (glyphs.getGlyph (glyphs.getNumGlyphs() - 1).getRight() + ellipsisWidth > width
                   || glyphs.getGlyph (glyphs.getNumGlyphs() - 1).isWhitespace()))
            glyphs.removeRangeOfGlyphs (glyphs.getNumGlyphs() - 1, 1);

        const auto end = glyphs.getNumGlyphs() > starts[fitting - 1] ? glyphs.getGlyph (glyphs.getNumGlyphs() - 1).getRight() : 0.0f;
        ellipsis.moveRangeOfGlyphs (0, -1, end, 0.0f);
        glyphs.addGlyphArrangement (ellipsis);
        return glyphs;
    }
}

SxAlertPaintComponent::SxAlertPaintComponent()
    : SxComponent (juce::String())
{
    setInterceptsMouseClicks (false, false);
}

juce::GlyphArrangement SxAlertPaintComponent::createLayout() const
{
    const auto width = (float) getWidth(), height = (float) getHeight();

    if (text.containsAnyOf ("\r\n"))
        return layOutBrokenLines (text, width, height, maximumLines);

    juce::GlyphArrangement glyphs;
    glyphs.addFittedText (juce::Font (fontHeight, juce::Font::plain), text, 0.0f, 0.0f, width, height,
                          juce::Justification::topLeft, maximumLines, 1.0f);
    return glyphs;
}

void SxAlertPaintComponent::paint (juce::Graphics& g)
{
    g.setOpacity (1.0f);
    g.setColour (textColour);
    createLayout().draw (g);
}
