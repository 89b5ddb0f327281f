#pragma once

#include "ImageFileWriter.h"
#include "ImageSavePanel.h"
#include "SxImageRgbaBytes.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

class AppSettings;
class ImageSaveWriter;

/** Saving the painting as an image file, after the full-size render: the save panel as a
    sheet over the main component, then the background write.

    The panel opens in the folder ImageSaveFolder chooses, with the opened image's name
    (its extension choosing the type: photo.NEF is offered as photo.jpg). On Save the
    chosen folder is remembered as "LastDirectoryForSave" and the painting goes to the
    writer with the chosen type and quality and the document's resolution and camera data;
    on Cancel nothing changes.
*/
class ImageSaveFlow
{
public:
    /** The title of the message that says a save failed. */
    static constexpr const char* notSavedTitle = "Image Not Saved";

    struct Request
    {
        /** The main component: the sheet covers it, and it owns the settings and the
            writer. Once it is gone the flow does nothing more. */
        juce::Component* window = nullptr;
        AppSettings* settings = nullptr;
        ImageSaveWriter* writer = nullptr;
        /** The preference "useImageLocation". */
        bool useImageLocation = true;
        /** The opened image (its name and folder). */
        juce::File imageFile;
        /** The document's resolution and camera data; type and quality come from the panel. */
        ImageFileWriter::Options document;
        /** Called on the message thread once the panel has closed, whatever the answer
            (the main component shows its tooltips again), and at once when there is no
            painting to save. */
        std::function<void()> afterPanel;
    };

    /** Shows the panel and returns at once; the rest runs when the user answers. Without a
        painting (a render that yielded none) no panel is shown. */
    static void begin (SxRef<SxImageRgbaBytes> painting, Request request);

    /** The writer's type for a panel's type. */
    static ImageFileWriter::FileType fileTypeFor (ImageSavePanel::ImageType type) noexcept;
};
