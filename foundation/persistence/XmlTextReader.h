#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>
#include <memory>

/** Reads XML text from files and saved sets into the framework's XmlElement tree, built to
    face hostile text: expat tokenises (no recursion per element, no read past the end),
    and the tree is built without recursion under fixed limits that no stored form comes
    near. Anything over a limit or not well-formed gives nullptr.

    For every text the framework's own parser reads correctly, the tree is the one it
    builds: whitespace-only text between elements is dropped, other text keeps its
    whitespace with line ends made "\n", comments inside text join the pieces around
    them, a CDATA section is a text element of its own (raw, even when empty), an
    entity that an external DTD would declare reads as its name, and the character
    references the framework writes for control characters (&#1; ... &#31;, &#65534;,
    &#65535;), which XML itself forbids, read back as those characters.

    Refused besides malformed text: an internal DTD subset (entity definitions, and with
    them every entity bomb), a processing instruction inside the root element, and text
    past any limit below.

    Thread-safe; the cost is linear in the text (a constant number of steps per byte).
*/
class XmlTextReader
{
public:
    /** Elements open at once: a property list needs 3. */
    static constexpr int maxDepth = 256;
    /** Elements plus text elements: a property list needs four per pair. */
    static constexpr int maxNodes = 1 << 22;
    /** Attributes of one element (property lists have none). */
    static constexpr int maxAttributes = 256;
    /** UTF-8 length of the text, well above an image-laden legacy project. */
    static constexpr size_t maxBytes = (size_t) 1 << 30;

    /** The root element of text, or nullptr when text is malformed, refused or past a limit. */
    static std::unique_ptr<juce::XmlElement> parse (const juce::String& text);

private:
    XmlTextReader() = delete;
};
