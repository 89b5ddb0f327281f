#pragma once

#include <juce_core/juce_core.h>

/** The keys of the settings file that the application shell reads or writes, each with the
    value a read gives when the file or the key is missing. A key's name and its default
    live here and nowhere else; AppSettings reads and writes through them.

    Keys that only other parts of the program use ("PresetManagerOpened" is read here too,
    "shouldCloseImageList", "presetFavString", "LastPresetCategory", the information
    wizard's keys) belong to those parts.
*/
namespace SettingsKeys
{
    struct BoolKey    { const char* name; bool fallback; };
    struct IntKey     { const char* name; int fallback; };
    struct StringKey  { const char* name; };
    /** Four integer keys: name + ".red", ".green", ".blue", ".alpha". */
    struct ColourKey  { const char* name; juce::uint8 red, green, blue, alpha; };
    /** An XML value; none when missing. */
    struct XmlKey     { const char* name; };

    /** Save images beside the opened image (else in the last folder saved to). */
    inline constexpr BoolKey useImageLocation              { "useImageLocation", true };
    /** Packed version (major << 16 | minor << 8 | patch) of the last run. */
    inline constexpr IntKey lastVersionNumber              { "lastVersionNumber", 0 };
    /** The framework's window-state text of the main window. */
    inline constexpr StringKey windowSavedState            { "windowSavedState" };
    /** Whether the window was full screen when the quit was asked for; written only. */
    inline constexpr BoolKey windowSavedStateFullScreen    { "windowSavedStateFullScreen", false };
    /** True while the document holds no change a project save would keep. */
    inline constexpr BoolKey freshProject                  { "freshProject", true };
    /** Undo snapshots since the document was last fresh. */
    inline constexpr IntKey freshProjectUndoCount          { "freshProjectUndoCount", 0 };
    /** Written after a crop and read by nothing; a key of its own, apart from freshProject. */
    inline constexpr BoolKey feshProject                   { "feshProject", true };
    /** Full path of the current image. */
    inline constexpr StringKey imagePath                   { "ImagePath" };
    /** Image waiting to open while the "Save Project?" question is open. */
    inline constexpr StringKey needsToLoadImagePath        { "NeedsToLoadImagePath" };
    /** Folder of the last saved image. */
    inline constexpr StringKey lastDirectoryForSave        { "LastDirectoryForSave" };
    /** The default layer stack. */
    inline constexpr XmlKey startupLayerSettings           { "startupLayerSettings" };
    /** Images saved so far. */
    inline constexpr IntKey currentSaveCount               { "currentSaveCount_v2", 0 };
    /** Render only on request. */
    inline constexpr BoolKey manualRedraw                  { "manualRedraw", false };
    inline constexpr BoolKey showToolTips                  { "showToolTips", true };
    /** Reopen the effect panel at start. */
    inline constexpr BoolKey effectControlComponentOpened  { "effectControlComponentOpened", true };
    /** Reopen the preset browser at start. */
    inline constexpr BoolKey presetManagerOpened           { "PresetManagerOpened", true };
    /** Canvas colour behind the image. */
    inline constexpr ColourKey backgroundColor             { "backgroundColor", 255, 255, 255, 0 };
}
