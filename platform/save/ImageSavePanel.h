#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <optional>

/** The save panel of an image: a file browser in save mode with the accessory of the four
    save types ("JPEG", "JPEG2000", "PNG", "TIFF") and a quality slider.

    The object holds what the panel shows (name, folder, title, type, quality) and the
    rules between them; beginSheetModalForWindow and runModal show it as a modal sheet over
    a window (ImageSaveSheet), which asks before it replaces an existing file. Tests (and
    anything that must never open a window) install a runner in place of the sheet; it
    receives the configured panel, as the user would see it, and answers for the user.

    The sheet is drawn by the look-and-feel of the window it covers (the application's
    default), with the dark colours of the application's own dialogs set on its controls.

    Message thread only, except setRunner.
*/
class ImageSavePanel
{
public:
    /** The pop-up's entries, in their order. */
    enum class ImageType
    {
        jpeg,
        jpeg2000,
        png,
        tiff
    };

    /** What the user chose. */
    struct Result
    {
        juce::File file;
        ImageType type = ImageType::jpeg;
        /** 0 to 100. */
        int quality = 80;
    };

    /** Answers for the user: receives the configured panel, may change it as the user
        would, and returns the choice, or nothing for Cancel. */
    using Runner = std::function<std::optional<Result> (ImageSavePanel&)>;
    /** Receives the choice, or nothing when the panel was cancelled or its window went. */
    using CompletionHandler = std::function<void (std::optional<Result>)>;

    /** Title "Save Image", type JPEG, quality 80, no name and no folder. */
    ImageSavePanel();

    //==============================================================================
    /** Stores the name and chooses the type by its extension, in any case: "jpg" JPEG,
        "jp2" JPEG 2000, "png" PNG, "tif" or "tiff" TIFF; any other keeps the type. */
    void setNameFieldStringValue (const juce::String& name);
    const juce::String& getNameFieldStringValue() const noexcept  { return imageName; }

    /** The name as the user types it: a "jpg", "jpeg", "jp2", "png", "tif" or "tiff" at
        its end chooses that type (as the pop-up would, the quality row following), so
        that what is written always matches the name; the typed text itself is kept. */
    void nameFieldEdited (const juce::String& name);

    /** The folder the panel opens in; none (or one that is gone) opens the pictures folder. */
    void setDirectoryURL (const juce::File& folder)               { directory = folder; }
    const juce::File& getDirectoryURL() const noexcept            { return directory; }

    void setTitle (const juce::String& newTitle)                  { title = newTitle; }
    const juce::String& getTitle() const noexcept                 { return title; }

    ImageType getImageType() const noexcept                       { return imageType; }

    /** Saves a document of one type instead of an image: the panel shows no accessory,
        lists only files with this extension (no dot), leaves the name as given or typed,
        and the chosen file gets the extension appended when its name lacks it. */
    void setDocumentExtension (const juce::String& extension)     { documentExtension = extension; }
    /** The document's extension; empty for an image. */
    const juce::String& getDocumentExtension() const noexcept     { return documentExtension; }
    bool savesDocument() const noexcept                           { return documentExtension.isNotEmpty(); }

    /** The slider's value, kept within 0 to 100. */
    void setQuality (int newQuality)                              { quality = juce::jlimit (0, 100, newQuality); }
    int getQuality() const noexcept                               { return quality; }

    //==============================================================================
    /** The pop-up's choice: sets the type and the right-hand quality label ("Best", or
        "Lossless" for JPEG 2000; PNG and TIFF leave it), shows the quality controls for
        JPEG and JPEG 2000 only, and when the name has an extension replaces it by the
        type's ("jpg", "jp2", "png", "tiff"). A name without one keeps none. */
    void fileTypeChanged (ImageType type);

    /** Selects the current type in the pop-up and applies it (fileTypeChanged); done by
        the sheet and before the runner. Nothing for a document. */
    void configureSavePanel();

    bool isQualityShown() const noexcept                          { return qualityShown; }
    const juce::String& getBestLabel() const noexcept             { return bestLabel; }

    /** The choice of the current name in folder. */
    Result resultIn (const juce::File& folder) const;

    //==============================================================================
    /** Configures the panel, then shows it as a modal sheet covering window (the main
        component) and returns at once. The handler runs on the message thread once the
        sheet has closed, with the choice or nothing; with nothing too when the window is
        deleted first. With a runner installed the runner answers instead, and the handler
        runs from the message loop likewise. */
    void beginSheetModalForWindow (juce::Component& window, CompletionHandler handler);

    /** The same, waiting in a modal loop for the answer. */
    std::optional<Result> runModal (juce::Component& window);

    /** Replaces the sheet with a runner; an empty runner brings the sheet back. */
    static void setRunner (Runner runner);

    //==============================================================================
    /** The pop-up's item texts, in ImageType order. */
    static const juce::StringArray& getPopUpItems();
    /** The extension written into the name, without its dot. */
    static juce::String extensionFor (ImageType type);
    /** The type a file extension names ("jpg", "jp2", "png", "tif", "tiff", any case). */
    static std::optional<ImageType> typeForExtension (const juce::String& extension);
    /** The extension of a file name, without its dot; none for a name that starts with
        its only dot, ends with a dot, or whose last dot is followed by a space. */
    static juce::String extensionOf (const juce::String& name);

private:
    juce::String imageName;
    juce::File directory;
    juce::String title { "Save Image" };
    ImageType imageType = ImageType::jpeg;
    int quality = 80;
    bool qualityShown = true;
    juce::String bestLabel { "Best" };
    juce::String documentExtension;
};
