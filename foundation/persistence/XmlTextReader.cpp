#include "XmlTextReader.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace
{
    /** Characters XML forbids but the framework's writer emits as references. */
    bool isWrittenButForbidden (uint32_t code) noexcept
    {
        return (code >= 1 && code < 32 && code != 9 && code != 10 && code != 13) || code == 0xfffe || code == 0xffff;
    }

    void appendUtf8 (std::string& out, uint32_t code)
    {
        if (code < 0x80)
        {
            out += (char) code;
        }
        else if (code < 0x800)
        {
            out += (char) (0xc0 | (code >> 6));
            out += (char) (0x80 | (code & 0x3f));
        }
        else if (code < 0x10000)
        {
            out += (char) (0xe0 | (code >> 12));
            out += (char) (0x80 | ((code >> 6) & 0x3f));
            out += (char) (0x80 | (code & 0x3f));
        }
        else
        {
            out += (char) (0xf0 | (code >> 18));
            out += (char) (0x80 | ((code >> 12) & 0x3f));
            out += (char) (0x80 | ((code >> 6) & 0x3f));
            out += (char) (0x80 | (code & 0x3f));
        }
    }

    /** A numeric character reference: its code (0x110000 when out of range) and where its
        digits lie. */
    struct CharReference
    {
        uint32_t code;
        size_t digitsBegin, digitsEnd;
    };

    /** The reference "&#digits;" or "&#xhex;" at text[at], if there is a complete one. */
    std::optional<CharReference> readCharReference (const char* text, size_t size, size_t at)
    {
        if (size - at < 4 || text[at] != '&' || text[at + 1] != '#')
            return std::nullopt;

        const bool hex = text[at + 2] == 'x';
        const uint32_t base = hex ? 16 : 10;
        CharReference ref { 0, at + (hex ? 3 : 2), 0 };
        size_t i = ref.digitsBegin;
        for (; i < size; ++i)
        {
            const int digit = hex ? juce::CharacterFunctions::getHexDigitValue ((juce::juce_wchar) (unsigned char) text[i])
                                  : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
            if (digit < 0)
                break;
            ref.code = std::min<uint32_t> (ref.code * base + (uint32_t) digit, 0x110000);
        }
        if (i == ref.digitsBegin || i == size || text[i] != ';')
            return std::nullopt;
        ref.digitsEnd = i;
        return ref;
    }

    /** The offsets of the references to characters that XML forbids but the framework
        writes. When there are any, rewritten receives the text with each such reference
        turned into a tab's of the same length, so that offsets into it are offsets into
        the text; the tree builder puts the real character back. */
    std::vector<size_t> rewriteForbiddenReferences (const char* text, size_t size, std::string& rewritten)
    {
        std::vector<size_t> offsets;
        for (auto* p = static_cast<const char*> (std::memchr (text, '&', size)); p != nullptr;
             p = static_cast<const char*> (std::memchr (p + 1, '&', size - (size_t) (p + 1 - text))))
        {
            const auto at = (size_t) (p - text);
            const auto ref = readCharReference (text, size, at);
            if (! ref || ! isWrittenButForbidden (ref->code))
                continue;

            if (rewritten.empty())
                rewritten.assign (text, size);
            std::fill (rewritten.begin() + (std::ptrdiff_t) ref->digitsBegin, rewritten.begin() + (std::ptrdiff_t) ref->digitsEnd, '0');
            rewritten[ref->digitsEnd - 1] = '9';
            offsets.push_back (at);
        }
        return offsets;
    }

    /** What the framework reads for the entity "&name;" that no DTD in reach declares:
        the five predefined ones in any letter case, otherwise the name itself. */
    void appendUndeclaredEntity (std::string& out, const char* name, size_t length)
    {
        static constexpr std::pair<const char*, char> predefined[] = {
            { "amp", '&' }, { "quot", '"' }, { "apos", '\'' }, { "lt", '<' }, { "gt", '>' }
        };
        for (const auto& [entity, character] : predefined)
            if (std::strlen (entity) == length && juce::CharacterFunctions::compareIgnoreCaseUpTo (
                    juce::CharPointer_UTF8 (name), juce::CharPointer_UTF8 (entity), (int) length) == 0)
            {
                out += character;
                return;
            }
        out.append (name, length);
    }

    /** The text of an attribute value between its quotes, references decoded, whitespace
        kept as written (expat would turn line ends and tabs into spaces). */
    std::string decodeAttributeValue (const char* value, size_t length)
    {
        std::string out;
        out.reserve (length);
        for (size_t i = 0; i < length; ++i)
        {
            if (value[i] != '&')
            {
                out += value[i];
                continue;
            }
            if (const auto ref = readCharReference (value, length, i))
            {
                appendUtf8 (out, ref->code);
                i = ref->digitsEnd;
                continue;
            }
            const auto* semicolon = static_cast<const char*> (std::memchr (value + i, ';', length - i));
            if (semicolon == nullptr) // cannot happen in text expat accepted
                return out;
            appendUndeclaredEntity (out, value + i + 1, (size_t) (semicolon - value) - i - 1);
            i = (size_t) (semicolon - value);
        }
        return out;
    }

    bool isXmlSpace (char c) noexcept
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r';
    }

    /** Builds the tree from expat's events without recursion: the open elements lie on
        one stack and their finished children on another, so a closing element takes
        its children in one step (the framework's append walks the whole list). */
    class TreeBuilder
    {
    public:
        TreeBuilder (XML_Parser p, const char* originalText, std::vector<size_t> rewritten)
            : parser (p), original (originalText), rewrittenReferences (std::move (rewritten))
        {
            XML_SetUserData (parser, this);
            XML_SetElementHandler (parser, onStart, onEnd);
            XML_SetCharacterDataHandler (parser, onCharacters);
            XML_SetCdataSectionHandler (parser, onCdataStart, onCdataEnd);
            XML_SetSkippedEntityHandler (parser, onSkippedEntity);
            XML_SetProcessingInstructionHandler (parser, onProcessingInstruction);
            XML_SetStartDoctypeDeclHandler (parser, onDoctype);
            XML_SetEntityDeclHandler (parser, onEntityDeclaration);
            XML_SetParamEntityParsing (parser, XML_PARAM_ENTITY_PARSING_NEVER);
        }

        std::unique_ptr<juce::XmlElement> takeRoot() { return refused ? nullptr : std::move (root); }

    private:
        struct OpenElement
        {
            std::unique_ptr<juce::XmlElement> element;
            size_t firstChild; // index into children
        };

        XML_Parser parser;
        const char* original;
        std::vector<size_t> rewrittenReferences;

        std::vector<OpenElement> open;
        std::vector<std::unique_ptr<juce::XmlElement>> children;
        std::unique_ptr<juce::XmlElement> root;
        std::string text, cdata;
        bool inCdata = false, refused = false;
        int nodes = 0;
        std::vector<std::pair<std::string, juce::Identifier>> names;

        static TreeBuilder& of (void* data) { return *static_cast<TreeBuilder*> (data); }

        void refuse()
        {
            refused = true;
            XML_StopParser (parser, XML_FALSE);
        }

        size_t eventOffset() const { return (size_t) XML_GetCurrentByteIndex (parser); }
        size_t eventLength() const { return (size_t) XML_GetCurrentByteCount (parser); }

        /** Tag and attribute names recur: each distinct one is pooled once. */
        juce::Identifier nameOf (const char* name)
        {
            for (const auto& [utf8, id] : names)
                if (utf8 == name)
                    return id;
            juce::Identifier id (juce::String::fromUTF8 (name));
            if (names.size() < 32)
                names.emplace_back (name, id);
            return id;
        }

        bool countNode()
        {
            if (++nodes <= XmlTextReader::maxNodes)
                return true;
            refuse();
            return false;
        }

        void addText (const std::string& utf8)
        {
            if (countNode())
                children.emplace_back (juce::XmlElement::createTextElement (juce::String::fromUTF8 (utf8.data(), (int) utf8.size())));
        }

        /** Pending text becomes a text element unless it is whitespace only. */
        void flushText()
        {
            if (text.empty())
                return;

            // Blank as the framework's parser judges it (the C library's wide spaces).
            bool content = false, nonAscii = false;
            for (const char c : text)
            {
                const auto b = (unsigned char) c;
                nonAscii |= b >= 0x80;
                if (b < 0x80 && ! juce::CharacterFunctions::isWhitespace ((juce::juce_wchar) b))
                {
                    content = true;
                    break;
                }
            }
            if (! content && nonAscii)
                content = juce::String::fromUTF8 (text.data(), (int) text.size()).containsNonWhitespaceChars();

            if (content)
                addText (text);
            text.clear();
        }

        void start (const char* name, const char** attributes)
        {
            flushText();
            if ((int) open.size() >= XmlTextReader::maxDepth || ! countNode())
                return refuse();

            auto element = std::make_unique<juce::XmlElement> (nameOf (name));
            int count = 0;
            while (attributes[2 * count] != nullptr)
                ++count;
            if (count > XmlTextReader::maxAttributes)
                return refuse();
            if (count > 0)
                readAttributes (*element, attributes, count);

            open.push_back ({ std::move (element), children.size() });
        }

        /** Values come from the tag as written: expat's are normalised, and the
            references rewritten for it must read as the original characters. */
        void readAttributes (juce::XmlElement& element, const char** attributes, int count)
        {
            const char* p = original + eventOffset();
            const char* const end = p + eventLength();
            while (p < end && ! isXmlSpace (*p) && *p != '>' && *p != '/')
                ++p;

            for (int k = 0; k < count; ++k)
            {
                const char* quote = nullptr;
                for (; p < end; ++p)
                    if (*p == '"' || *p == '\'')
                    {
                        quote = p;
                        break;
                    }
                const char* close = quote != nullptr ? static_cast<const char*> (std::memchr (quote + 1, *quote, (size_t) (end - quote - 1))) : nullptr;
                if (close == nullptr) // cannot happen in a tag expat accepted
                    return refuse();

                const auto value = decodeAttributeValue (quote + 1, (size_t) (close - quote - 1));
                element.setAttribute (nameOf (attributes[2 * k]), juce::String::fromUTF8 (value.data(), (int) value.size()));
                p = close + 1;
            }
        }

        void end()
        {
            flushText();
            auto finished = std::move (open.back());
            open.pop_back();

            for (size_t i = children.size(); i > finished.firstChild; --i)
                finished.element->prependChildElement (children[i - 1].release());
            children.resize (finished.firstChild);

            if (open.empty())
                root = std::move (finished.element);
            else
                children.push_back (std::move (finished.element));
        }

        void characters (const char* s, int length)
        {
            if (inCdata)
            {
                // CDATA is taken as written: the framework keeps its line ends.
                cdata.append (original + eventOffset(), eventLength());
                return;
            }
            if (length == 1 && *s == '\t' && ! rewrittenReferences.empty())
            {
                const auto at = eventOffset();
                if (std::binary_search (rewrittenReferences.begin(), rewrittenReferences.end(), at))
                    if (const auto ref = readCharReference (original + at, eventLength(), 0))
                        return appendUtf8 (text, ref->code);
            }
            text.append (s, (size_t) length);
        }

        static void XMLCALL onStart (void* data, const XML_Char* name, const XML_Char** attributes)
        {
            if (! of (data).refused)
                of (data).start (name, attributes);
        }

        static void XMLCALL onEnd (void* data, const XML_Char*)
        {
            if (! of (data).refused)
                of (data).end();
        }

        static void XMLCALL onCharacters (void* data, const XML_Char* s, int length)
        {
            auto& self = of (data);
            if (! self.refused && ! self.open.empty())
                self.characters (s, length);
        }

        static void XMLCALL onCdataStart (void* data)
        {
            auto& self = of (data);
            if (self.refused)
                return;
            self.flushText();
            self.inCdata = true;
            self.cdata.clear();
        }

        static void XMLCALL onCdataEnd (void* data)
        {
            auto& self = of (data);
            if (self.refused)
                return;
            self.inCdata = false;
            self.addText (self.cdata); // even when empty or blank
        }

        static void XMLCALL onSkippedEntity (void* data, const XML_Char* name, int isParameterEntity)
        {
            auto& self = of (data);
            if (! self.refused && ! isParameterEntity && ! self.open.empty())
                appendUndeclaredEntity (self.text, name, std::strlen (name));
        }

        static void XMLCALL onProcessingInstruction (void* data, const XML_Char*, const XML_Char*)
        {
            // Never part of a stored form; kept out of elements as they always were.
            auto& self = of (data);
            if (! self.refused && ! self.open.empty())
                self.refuse();
        }

        static void XMLCALL onDoctype (void* data, const XML_Char*, const XML_Char*, const XML_Char*, int hasInternalSubset)
        {
            if (hasInternalSubset != 0 && ! of (data).refused)
                of (data).refuse();
        }

        static void XMLCALL onEntityDeclaration (void* data, const XML_Char*, int, const XML_Char*, int,
                                                  const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*)
        {
            if (! of (data).refused)
                of (data).refuse();
        }

        JUCE_DECLARE_NON_COPYABLE (TreeBuilder)
    };
}

std::unique_ptr<juce::XmlElement> XmlTextReader::parse (const juce::String& text)
{
    // The framework's parser skips whitespace before the declaration; expat would refuse it.
    auto start = text.getCharPointer();
    while (start.isWhitespace())
        ++start;

    const char* utf8 = start.getAddress();
    const auto size = text.getNumBytesAsUTF8() - (size_t) (utf8 - text.toRawUTF8());
    if (size == 0 || size > maxBytes)
        return nullptr;

    std::string rewritten;
    auto references = rewriteForbiddenReferences (utf8, size, rewritten);

    // The text is Unicode already: whatever encoding it declares, it is read as UTF-8.
    const std::unique_ptr<XML_ParserStruct, decltype (&XML_ParserFree)> parser (XML_ParserCreate ("UTF-8"), XML_ParserFree);
    if (parser == nullptr)
        return nullptr;

    TreeBuilder builder (parser.get(), utf8, std::move (references));
    const char* input = rewritten.empty() ? utf8 : rewritten.data();
    if (XML_Parse (parser.get(), input, (int) size, XML_TRUE) != XML_STATUS_OK)
        return nullptr;
    return builder.takeRoot();
}
