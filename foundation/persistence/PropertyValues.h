#pragma once

#include <juce_core/juce_core.h>

/** Typed values in any framework PropertySet (an SxPropertySet, the settings file, ...).

    Every value is text: integers in decimal, flags "1" and "0", floats and doubles in
    the %g form with six significant digits. Saved files depend on these texts, so they
    never go through var::toString (whose double text differs) nor through the C
    locale (a comma-decimal locale must not change them). An empty key is ignored.
*/

/** %g text of a value with six significant digits ("0.85", "123.457", "2e+06", "1e-05"),
    independent of the C locale. */
juce::String formatFloatText (double value);

/** Stores the value as decimal text. */
void setIntProperty (juce::PropertySet& set, juce::StringRef key, int value);

/** Stores the text unchanged. */
void setStringProperty (juce::PropertySet& set, juce::StringRef key, const juce::String& value);

/** Stores the value widened to double in the six-digit float form. */
void setFloatProperty (juce::PropertySet& set, juce::StringRef key, float value);

/** Stores the value in the six-digit float form. */
void setDoubleProperty (juce::PropertySet& set, juce::StringRef key, double value);

/** Stores "1" or "0". */
void setBoolProperty (juce::PropertySet& set, juce::StringRef key, bool value);

/** The framework's double reading of the key (defaultValue when missing), narrowed to float. */
float getFloatProperty (const juce::PropertySet& set, juce::StringRef key, float defaultValue);

/** Stores the element as one line of XML text that starts with the XML declaration.
    (PropertySet::setValue for an XmlElement drops the declaration, which nested
    records carry.) */
void setXmlProperty (juce::PropertySet& set, juce::StringRef key, const juce::XmlElement& xml);
