#include "CommaDecimalLocale.h"
#include "PropertyValues.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace
{
    struct FloatTextCase { double value; const char* text; };

    const FloatTextCase floatTextCases[] = {
        { 0.5, "0.5" },          { 100.0, "100" },        { 123.4567, "123.457" },
        { 2000000.0, "2e+06" },  { 0.00001, "1e-05" },    { 0.0001, "0.0001" },
        { 999999.0, "999999" },  { 999999.5, "1e+06" },   { -7.25, "-7.25" },
        { 0.0, "0" },            { 1.0 / 3.0, "0.333333" }, { 1234567.0, "1.23457e+06" },
        { -0.000123456789, "-0.000123457" }, { 1e100, "1e+100" },
    };

    void expectFloatTexts()
    {
        juce::PropertySet set;
        for (const auto& c : floatTextCases)
        {
            EXPECT_EQ (formatFloatText (c.value), juce::String (c.text)) << c.text;
            setDoubleProperty (set, "d", c.value);
            EXPECT_EQ (set.getValue ("d"), juce::String (c.text));
        }

        setFloatProperty (set, "f", 0.85f);
        EXPECT_EQ (set.getValue ("f"), "0.85");
        setFloatProperty (set, "f", 123.4567f);
        EXPECT_EQ (set.getValue ("f"), "123.457");
        EXPECT_FLOAT_EQ (getFloatProperty (set, "f", 0.0f), 123.457f);
        EXPECT_FLOAT_EQ (getFloatProperty (set, "missing", 2.5f), 2.5f);
    }
}

TEST (PropertyValues, FloatTextTable)
{
    expectFloatTexts();
}

TEST (PropertyValues, FloatTextUnderCommaDecimalLocale)
{
    CommaDecimalLocale locale;
    if (! locale.isActive())
        GTEST_SKIP() << "no comma-decimal locale installed (scripts/setup.sh generates de_DE.UTF-8)";
    expectFloatTexts();
}

TEST (PropertyValues, FloatTextMatchesPrintfG)
{
    // Sweep across magnitudes and rounding boundaries; printf runs in the C locale here.
    char expected[64];
    for (double v = 1.0e-7; v < 1.0e8; v *= 1.37)
    {
        for (const double x : { v, -v, v * 0.9999995, v + 0.5e-6 })
        {
            std::snprintf (expected, sizeof (expected), "%g", x);
            ASSERT_EQ (formatFloatText (x), juce::String (expected)) << x;
        }
    }
}

TEST (PropertyValues, IntegerFlagAndStringTexts)
{
    juce::PropertySet set;
    setIntProperty (set, "i", -3);
    setIntProperty (set, "j", 42);
    setBoolProperty (set, "t", true);
    setBoolProperty (set, "f", false);
    setStringProperty (set, "s", "any text");
    setIntProperty (set, "", 7);

    EXPECT_EQ (set.getValue ("i"), "-3");
    EXPECT_EQ (set.getValue ("j"), "42");
    EXPECT_EQ (set.getValue ("t"), "1");
    EXPECT_EQ (set.getValue ("f"), "0");
    EXPECT_EQ (set.getValue ("s"), "any text");
    EXPECT_EQ (set.getAllProperties().size(), 5);

    // Setting an existing key replaces its value in place.
    setIntProperty (set, "i", 9);
    EXPECT_EQ (set.getAllProperties().getAllKeys()[0], "i");
    EXPECT_EQ (set.getValue ("i"), "9");
}

TEST (PropertyValues, XmlTextKeepsTheDeclarationOnOneLine)
{
    juce::PropertySet set;
    juce::XmlElement plist ("plist");
    plist.createNewChildElement ("dict")->createNewChildElement ("key")->addTextElement ("a<b");
    setXmlProperty (set, "rec", plist);

    EXPECT_EQ (set.getValue ("rec"),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <plist><dict><key>a&lt;b</key></dict></plist>");
    const auto parsed = set.getXmlValue ("rec");
    ASSERT_NE (parsed, nullptr);
    EXPECT_EQ (parsed->getChildElement (0)->getChildElement (0)->getAllSubText(), "a<b");
}
