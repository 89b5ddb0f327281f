#include "PropertyValues.h"
#include "SxPropertySet.h"
#include "SxStroke.h"
#include "XmlTextReader.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
    /** Every node of a tree on one line: tags with their attributes in order, text
        elements quoted with control and non-ASCII characters spelled out, so that two
        trees print alike exactly when they are alike. */
    juce::String describe (const juce::XmlElement* e)
    {
        if (e == nullptr)
            return "null";

        const auto quoted = [] (const juce::String& s)
        {
            juce::String out ("\"");
            for (auto p = s.getCharPointer(); ! p.isEmpty();)
            {
                const auto c = p.getAndAdvance();
                out << (c < 32 || c > 126 || c == '"' || c == '\\' ? "\\u" + juce::String::toHexString ((int) c) + ";" : juce::String::charToString (c));
            }
            return out + "\"";
        };

        if (e->isTextElement())
            return quoted (e->getText());

        auto out = "<" + e->getTagName();
        for (int i = 0; i < e->getNumAttributes(); ++i)
            out << " " << e->getAttributeName (i) << "=" << quoted (e->getAttributeValue (i));
        out << ">";
        for (auto* child = e->getFirstChildElement(); child != nullptr; child = child->getNextElement())
            out << describe (child);
        return out + "</>";
    }

    juce::String nested (int depth)
    {
        return juce::String::repeatedString ("<a>", depth) + juce::String::repeatedString ("</a>", depth);
    }

    juce::String billionLaughs()
    {
        juce::String dtd ("<!DOCTYPE lolz [<!ENTITY lol0 \"lol\">");
        for (int i = 1; i < 10; ++i)
            dtd << "<!ENTITY lol" << i << " \"" << juce::String::repeatedString ("&lol" + juce::String (i - 1) + ";", 10) << "\">";
        return dtd + "]><lolz>&lol9;</lolz>";
    }

    /** Texts a damaged or hostile file may hold; the readers refuse each. */
    struct Hostile { const char* what; juce::String text; };
    std::vector<Hostile> hostileTexts()
    {
        const juce::String plistStart ("<?xml version=\"1.0\" encoding=\"UTF-8\"?> <plist><dict><key>mOpacity</key><string>");
        std::vector<Hostile> texts {
            { "nesting 1,000",              nested (1000) },
            { "nesting 100,000",            nested (100000) },
            { "nesting 1,000,000 unclosed", juce::String::repeatedString ("<a>", 1000000) },
            { "cut reference &#",           plistStart + "&#" },
            { "cut reference &#x",          plistStart + "&#x" },
            { "cut reference &#x41",        plistStart + "&#x41" },
            { "cut reference &#65",         plistStart + "&#65" },
            { "cut reference &#x41414141",  plistStart + "&#x41414141" },
            { "cut entity &amp",            plistStart + "&amp" },
            { "billion laughs",             billionLaughs() },
            { "quadratic blow-up",          "<!DOCTYPE a [<!ENTITY e \"" + juce::String::repeatedString ("x", 20000) + "\">]><a>"
                                                + juce::String::repeatedString ("&e;", 20000) + "</a>" },
            { "external entity",            "<!DOCTYPE a [<!ENTITY e SYSTEM \"/etc/passwd\">]><a>&e;</a>" },
            { "parameter entity",           "<!DOCTYPE a [<!ENTITY % p SYSTEM \"/dev/zero\"> %p;]><a/>" },
            { "unbalanced tags",            "<plist><dict><key>a</key><string>1</dict></plist>" },
            { "unclosed root",              "<plist><dict><key>a</key><string>1</string>" },
            { "two roots",                  "<plist/><plist/>" },
            { "invalid UTF-8",              juce::String (juce::CharPointer_UTF8 ("<a>\xff\xfe\xc0\xaf</a>")) },
            { "undeclared entity",          "<a>&nbsp;</a>" },
            { "reference to nothing",       "<a>&#0;</a>" },
            { "reference past Unicode",     "<a>&#x110000;</a>" },
            { "reference to a surrogate",   "<a>&#xD800;</a>" },
            { "empty",                      "" },
            { "attribute bomb",             "<a " + [] { juce::String s; for (int i = 0; i <= XmlTextReader::maxAttributes; ++i) s << "n" << i << "='' "; return s; }() + "/>" },
        };
        return texts;
    }

    /** Runs each hostile text through the property-set reader and a record reader;
        returns the texts that were not refused. */
    juce::StringArray readersAcceptingHostileTexts()
    {
        juce::StringArray accepted;
        for (const auto& h : hostileTexts())
        {
            if (SxPropertySet::parseXmlText (h.text) != nullptr)
                accepted.add (juce::String ("parseXmlText: ") + h.what);

            juce::PropertySet outer;
            outer.setValue ("Stroke0", h.text);
            if (SxPropertySet::readRecord (outer, "Stroke0").has_value())
                accepted.add (juce::String ("readRecord: ") + h.what);

            SxStroke stroke;
            stroke.mOpacity = 0.25f;
            stroke.loadFromProperties (outer, "Stroke0");
            if (stroke.mOpacity != 0.25f)
                accepted.add (juce::String ("stroke changed: ") + h.what);
        }
        return accepted;
    }

    /** A worker with a stack far smaller than the default, as some platforms give threads. */
    class SmallStackReader : public juce::Thread
    {
    public:
        SmallStackReader() : juce::Thread ("hostile XML", 256 * 1024) {}
        void run() override { accepted = readersAcceptingHostileTexts(); }
        juce::StringArray accepted;
    };
}

//==============================================================================
TEST (XmlTextReader, BuildsTheFrameworksTreeForValidText)
{
    const char* texts[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <plist><dict><key>a</key><string>1</string><key>e</key><string></string></dict></plist>",
        "<?xml version=\"1.0\"?>\n<plist>\n  <dict>\n    <key>a</key>\n    <string>  spaced  </string>\n  </dict>\n</plist>\n",
        "<a>line\r\nend\rlone</a>",
        "<a>x<!-- joined -->y <!-- c --> </a>",
        "<a> <!-- only --> <b/> </a>",
        "<a>x <![CDATA[ <raw> &amp; \r\n ]]> y<![CDATA[]]><![CDATA[   ]]></a>",
        "<a>&amp;&lt;&gt;&quot;&apos;&#233;&#x20AC;&#128512;&#9;&#10;&#13;</a>",
        "<a>&#32;</a><!-- a blank reference is blank -->",
        "<a>t<b/>u<c>v</c>w</a>",
        "<a x=\"1\" y='two' z=\"&lt;&amp;&#10;&#9;\" e=\"\"/>",
        "<a x=\"tab\tnew\nline\r\nend\"/>",
        "<!DOCTYPE plist PUBLIC \"-//Test//DTD PLIST 1.0//EN\" \"http://localhost/none.dtd\"><plist><s>&foo; &AMP; &Lt;</s></plist>",
        "<!DOCTYPE a SYSTEM \"x.dtd\"><a v=\"&foo;&#65;&GT;\">&bar;</a>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><?app data?><a>caf\xc3\xa9 \xe2\x82\xac</a><!-- after --> \n",
        "\n  <?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a/>",
        "<a:b xmlns:a=\"urn:x\"><a:c>text</a:c></a:b>",
    };

    for (const char* text : texts)
    {
        const auto s = juce::String (juce::CharPointer_UTF8 (text));
        const auto expected = juce::parseXML (s);
        ASSERT_NE (expected, nullptr) << text;
        EXPECT_EQ (describe (XmlTextReader::parse (s).get()), describe (expected.get())) << text;
    }
}

TEST (XmlTextReader, StoredLayerStackReadsAsTheFrameworkReadsIt)
{
    // Records three deep, each escaped once more inside the next: stroke, mask, layer.
    SxStroke stroke;
    for (int i = 0; i < 50; ++i)
        stroke.mLine.push_back ({ (float) i * 1.5f, 100.0f - (float) i });
    stroke.mOpacity = 0.5f;
    SxPropertySet mask;
    setIntProperty (mask, "StrokeCount", 1);
    stroke.saveToProperties (mask, "Stroke0");
    SxPropertySet layer;
    setStringProperty (layer, "layerName", juce::String (juce::CharPointer_UTF8 ("Caf\xc3\xa9 <1> & \"2\"\t\x01")));
    setFloatProperty (layer, "layerOpacity", 0.75f);
    mask.writeAsRecord (layer, "SelectiveMaskData");
    SxPropertySet stack;
    layer.writeAsRecord (stack, "EffectDictionary1");
    const auto text = stack.createPlistXml()->toString();

    EXPECT_EQ (describe (XmlTextReader::parse (text).get()), describe (juce::parseXML (text).get()));

    const auto layerBack = SxPropertySet::readRecord (stack, "EffectDictionary1");
    ASSERT_TRUE (layerBack.has_value());
    EXPECT_EQ (layerBack->getValue ("layerName"), layer.getValue ("layerName"));
    SxStroke strokeBack;
    strokeBack.loadFromProperties (*SxPropertySet::readRecord (*layerBack, "SelectiveMaskData"), "Stroke0");
    ASSERT_EQ (strokeBack.mLine.size(), 50u);
    EXPECT_FLOAT_EQ (strokeBack.mLine[49].x, 73.5f);
    EXPECT_FLOAT_EQ (strokeBack.mOpacity, 0.5f);
}

TEST (XmlTextReader, ReadsBackEveryCharacterTheFrameworkWrites)
{
    // The writer spells control characters, which XML forbids, as references.
    juce::String every;
    for (juce::juce_wchar c = 1; c < 0x250; ++c)
        every += juce::String::charToString (c);
    const juce::juce_wchar beyond[] = { 0xd7ff, 0xe000, 0xfffd, 0xfffe, 0xffff, 0x10000, 0x1f600, 0x10ffff };
    for (auto c : beyond)
        every += juce::String::charToString (c);

    const juce::String values[] = {
        every,
        juce::String::charToString (1),
        juce::String::charToString (11),      // the framework counts vertical tab as blank
        " \t ",
        "a\r\nb",
        "]]>",
        "&#1; as text",
    };

    for (const auto& value : values)
    {
        juce::XmlElement plist ("plist");
        auto* dict = plist.createNewChildElement ("dict");
        dict->createNewChildElement ("key")->addTextElement (value);
        dict->createNewChildElement ("string")->addTextElement (value);
        plist.setAttribute ("attr", value);
        const auto text = plist.toString (juce::XmlElement::TextFormat().singleLine());

        const auto expected = juce::parseXML (text);
        const auto actual = XmlTextReader::parse (text);
        ASSERT_NE (actual, nullptr) << text;
        EXPECT_EQ (describe (actual.get()), describe (expected.get())) << text;
    }

    // A record keeps such a value (a carriage return has always come back as a line feed).
    const auto kept = every.removeCharacters ("\r");
    SxPropertySet record;
    record.setValue ("name", kept);
    SxPropertySet outer;
    record.writeAsRecord (outer, "rec");
    EXPECT_EQ (SxPropertySet::readRecord (outer, "rec")->getValue ("name"), kept);
}

TEST (XmlTextReader, LimitsLieFarAboveEveryStoredForm)
{
    EXPECT_NE (XmlTextReader::parse (nested (XmlTextReader::maxDepth)), nullptr);
    EXPECT_EQ (XmlTextReader::parse (nested (XmlTextReader::maxDepth + 1)), nullptr);

    // Elements and text elements count alike.
    const auto children = [] (int n) { return "<r>" + juce::String::repeatedString ("<b/>", n - 1) + "</r>"; };
    EXPECT_NE (XmlTextReader::parse (children (XmlTextReader::maxNodes)), nullptr);
    EXPECT_EQ (XmlTextReader::parse (children (XmlTextReader::maxNodes + 1)), nullptr);

    juce::String attributes;
    for (int i = 0; i < XmlTextReader::maxAttributes; ++i)
        attributes << " n" << i << "='" << i << "'";
    const auto many = XmlTextReader::parse ("<a" + attributes + "/>");
    ASSERT_NE (many, nullptr);
    EXPECT_EQ (many->getNumAttributes(), XmlTextReader::maxAttributes);
    EXPECT_EQ (many->getStringAttribute ("n255"), "255");
}

TEST (XmlTextReader, LongFlatListKeepsEveryChildInOrder)
{
    // 200,000 pairs: built by appending each child to the end of the list this would take minutes.
    juce::MemoryOutputStream text;
    text << "<plist><dict>";
    for (int i = 0; i < 200000; ++i)
        text << "<key>k" << i << "</key><string>" << i << "</string>";
    text << "</dict></plist>";

    const auto xml = XmlTextReader::parse (text.toString());
    ASSERT_NE (xml, nullptr);
    const auto* dict = xml->getFirstChildElement();
    EXPECT_EQ (dict->getNumChildElements(), 400000);
    EXPECT_EQ (dict->getChildElement (399999)->getAllSubText(), "199999");
}

TEST (XmlTextReader, ExternalDefinitionsAreNeverRead)
{
    const auto dtd = juce::File::createTempFile (".dtd");
    ASSERT_TRUE (dtd.replaceWithText ("<!ENTITY secret \"from the file\">"));
    const auto xml = XmlTextReader::parse ("<!DOCTYPE a SYSTEM \"" + dtd.getFullPathName() + "\"><a>&secret;</a>");
    dtd.deleteFile();
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getAllSubText(), "secret");
}

TEST (XmlTextReader, HostileTextsAreRefusedOnAnyThread)
{
    EXPECT_EQ (readersAcceptingHostileTexts(), juce::StringArray()) << "main thread";

    SmallStackReader worker;
    ASSERT_TRUE (worker.startThread());
    ASSERT_TRUE (worker.waitForThreadToExit (-1));
    EXPECT_EQ (worker.accepted, juce::StringArray()) << "worker thread";

    juce::StringArray fromStdThread;
    std::thread ([&] { fromStdThread = readersAcceptingHostileTexts(); }).join();
    EXPECT_EQ (fromStdThread, juce::StringArray()) << "std::thread";
}

TEST (XmlTextReader, CutReferenceAtTheVeryEndOfItsBuffer)
{
    // The framework's strings round their storage up to four bytes: padded so that text
    // and terminator fill it exactly, a read past the end lands in AddressSanitizer's
    // red zone.
    for (const char* tail : { "&#", "&#x", "&#x41", "&#65", "&#x4142434" })
    {
        auto bytes = std::string ("<a>") + tail;
        while ((bytes.size() + 1) % 4 != 0)
            bytes.insert (3, " ");
        const auto text = juce::String::fromUTF8 (bytes.data(), (int) bytes.size());
        EXPECT_EQ (XmlTextReader::parse (text), nullptr) << tail;
    }
}
