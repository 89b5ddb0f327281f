#include "SxRelativeBounds.h"

namespace
{
    const juce::Identifier expressionProperty ("sxBoundsExpression");

    // The framework turns a malformed term into an expression without a term, which crashes
    // when evaluated, so all four terms are checked before the rectangle is built. Each parse
    // consumes its term and the comma after it.
    bool isWellFormed (const juce::String& expression)
    {
        auto text = expression.getCharPointer();

        for (int term = 0; term < 4; ++term)
        {
            if (text.isEmpty())
                return false;

            juce::String error;
            juce::Expression::parse (text, error);

            if (error.isNotEmpty())
                return false;
        }

        return text.isEmpty();
    }
}

namespace SxRelativeBounds
{
    bool apply (juce::Component& component, const juce::String& expression)
    {
        if (! isWellFormed (expression))
        {
            jassertfalse;
            return false;
        }

        component.getProperties().set (expressionProperty, expression);
        juce::RelativeRectangle (expression).applyToComponent (component);
        return true;
    }

    juce::String getExpression (const juce::Component& component)
    {
        return component.getProperties() [expressionProperty].toString();
    }

    void detach (juce::Component& component)
    {
        component.setPositioner (nullptr);
    }

    bool isFollowing (const juce::Component& component)
    {
        return component.getPositioner() != nullptr;
    }
}
