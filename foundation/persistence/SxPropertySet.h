#pragma once

#include "SxImageAlphaByte.h"
#include "SxImageRgbaBytes.h"
#include "SxSmartPtr.h"

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

/** The archive through which every saved record passes.

    The framework's key/value PropertySet with case-sensitive keys, plus colour and
    alpha images attached under a path and named child sets kept in memory. Pairs keep
    the order in which their keys first appeared; every value is text (see
    PropertyValues.h for the typed forms).

    Two external forms carry the pairs:
    - the stream form: an int32 count, then each key and value as zero-terminated
      UTF-8 (nothing else: no images, no child sets);
    - the XML property-list form, plist > dict > alternating key and string elements,
      which also carries the attached images as image entries with their paths under
      "propertyImage<i>_data" / "propertyPath<i>" (and "propertyAlpha..." for alpha
      images), counted by "propertyImageCount" / "propertyAlphaImageCount".
    A record nested under a key of another set is its XML form as one line of text
    with the XML declaration (writeAsRecord / readRecord).

    Sets are written from worker threads, so copying, writing and the image and
    child-set lists all take the set's lock. Attached images are shared between copies;
    child sets are deep-copied.
*/
class SxPropertySet : public juce::PropertySet
{
public:
    /** An empty set with case-sensitive keys. */
    SxPropertySet();
    /** Copies the pairs, shares the attached images and deep-copies the child sets,
        holding the other set's lock throughout. */
    SxPropertySet (const SxPropertySet& other);
    /** Replaces pairs, attachments and child sets with the other's (as the copy does). */
    SxPropertySet& operator= (const SxPropertySet& other);
    ~SxPropertySet() override;

    //==============================================================================
    // Attachments and child sets

    /** Attaches the colour image under path (the set retains it); nothing when a colour
        image with exactly this path is already attached. */
    void addImage (SxImageRgbaBytes& image, const juce::String& path);
    /** Attaches the alpha image under path; nothing when the path is already taken. */
    void addAlphaImage (SxImageAlphaByte& image, const juce::String& path);
    /** Appends a deep copy of child under name; nothing when a child set of that name exists. */
    void addChildSet (const SxPropertySet& child, const juce::String& name);
    /** A copy of the child set of that name, or an empty set. */
    SxPropertySet getChildSet (const juce::String& name) const;

    /** The attached colour images in attach order; paths in getImagePaths at the same index. */
    const std::vector<SxRef<SxImageRgbaBytes>>& getImages() const noexcept { return images; }
    const juce::StringArray& getImagePaths() const noexcept { return imagePaths; }
    /** The attached alpha images in attach order; paths in getAlphaImagePaths. */
    const std::vector<SxRef<SxImageAlphaByte>>& getAlphaImages() const noexcept { return alphaImages; }
    const juce::StringArray& getAlphaImagePaths() const noexcept { return alphaImagePaths; }
    /** Names of the child sets in insertion order. */
    const juce::StringArray& getChildSetNames() const noexcept { return childSetNames; }

    //==============================================================================
    // Stream form

    /** Writes the count and the zero-terminated pairs, in order, under the set's lock. */
    void writeToStream (juce::OutputStream& stream) const;

    /** Reads a stream form, merging: existing keys get the new value in place, new keys
        are appended, other pairs stay. Pairs with an empty key are skipped; a count larger
        than the data stops at its end; a key or value cut by the end of the data is taken
        as far as it goes. Text that is not valid UTF-8 is read as Latin-1. The stream is
        left just after the last byte used. */
    void readFromStream (juce::InputStream& stream);

    //==============================================================================
    // XML property-list form

    /** plist > dict > key/string elements of the pairs, followed by the count, entry and
        path keys of the attached images. The set itself is not changed. */
    std::unique_ptr<juce::XmlElement> createPlistXml() const;

    /** Replaces the pairs with those of root's first child element (its children read by
        position as key, value, key, value ...; a last key without value gets the empty
        text), then attaches the images found there and removes their entry and path keys. */
    void restoreFromPlistXml (const juce::XmlElement& root);

    /** The one entry for XML text read from a file, a set or the network: the element
        tree the framework's parser would build, read by a parser made for hostile text
        (XmlTextReader), or nullptr when the text is malformed, nests too deep, is too
        large, defines entities or holds a processing instruction inside its root. */
    static std::unique_ptr<juce::XmlElement> parseXmlText (const juce::String& text);

    //==============================================================================
    // Nested records

    /** Stores this set under key of outer as one line of XML text with the declaration. */
    void writeAsRecord (juce::PropertySet& outer, juce::StringRef key) const;

    /** The record stored under key of outer, or nothing when the key is missing or its
        text does not parse (the caller then keeps its fields as they were). */
    static std::optional<SxPropertySet> readRecord (const juce::PropertySet& outer, juce::StringRef key);

private:
    std::vector<SxRef<SxImageRgbaBytes>> images;
    juce::StringArray imagePaths;
    std::vector<SxRef<SxImageAlphaByte>> alphaImages;
    juce::StringArray alphaImagePaths;
    std::vector<SxPropertySet> childSets;
    juce::StringArray childSetNames;

    const juce::StringPairArray& pairs() const noexcept;
    void copyAttachmentsFrom (const SxPropertySet& other);

    JUCE_LEAK_DETECTOR (SxPropertySet)
};
