#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <vector>

/** The colour history: a list of colours kept across runs in a file of its own and
    carried inside project files. Nothing in the program adds to it or shows it; it goes
    from its file into every saved project and from every opened project back into the
    list and the file.

    Each entry is a colour word whose bytes in memory are alpha, red, green, blue
    (alpha | red << 8 | green << 16 | blue << 24).

    The file is the framework's properties file in its XML form ("PROPERTIES" with one
    "VALUE" per key), keys "red"i, "green"i, "blue"i, "alpha"i with i from 0, each channel
    0 to 255. It is read with the hardened XML reader: a file that is damaged, hostile or
    larger than maxFileBytes is refused and the list stays empty. A missing file gives
    maxColors transparent-black entries. Saving replaces the file whole and keeps the keys
    of higher indices an earlier, longer list left there.

    In a project the entries are "totalColors" and "ColorRed"i, "ColorGreen"i,
    "ColorBlue"i, "ColorAlpha"i.

    Message thread only.
*/
class ColorHistoryAddon
{
public:
    /** Entries read from the file, and the count a project without "totalColors" has. */
    static constexpr int maxColors = 27;
    /** Most entries taken from a project, so that a hostile count cannot blow up the list
        and the file. */
    static constexpr int maxImportedColors = 65536;
    /** Largest history file read. */
    static constexpr int64_t maxFileBytes = (int64_t) 16 << 20;

    ColorHistoryAddon() = default;
    ~ColorHistoryAddon() = default;

    /** <user config folder>/<applicationName>/Color History.plist */
    static juce::File getDefaultFile (const juce::String& applicationName);

    /** Where the list is kept; by default getDefaultFile of the running application's
        name (none without an application: nothing is then read or written). */
    void setHistoryFile (const juce::File& file)  { historyFile = file; }
    juce::File getHistoryFile() const;

    /** Replaces the list by the file's entries 0 to 26 (missing values 0). False, with the
        list empty, when the file exists but is refused. */
    bool loadFromFile();

    /** Writes every entry into the file at once; false when it could not be written. */
    bool saveToFile();

    /** Replaces the list by the project's entries ("totalColors", else 27 of them, each
        channel missing counts 0), then saves the file. */
    void importFromPropertySet (const juce::PropertySet& project);

    /** Writes "totalColors" and every entry's four channel keys. */
    void exportToPropertySet (juce::PropertySet& project) const;

    const std::vector<uint32_t>& getColors() const noexcept  { return colors; }

    /** The colour word of four channels. */
    static constexpr uint32_t colourWord (uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) noexcept
    {
        return (uint32_t) alpha | (uint32_t) red << 8 | (uint32_t) green << 16 | (uint32_t) blue << 24;
    }

protected:
    std::vector<uint32_t> colors;

private:
    juce::File historyFile;

    JUCE_DECLARE_NON_COPYABLE (ColorHistoryAddon)
};
