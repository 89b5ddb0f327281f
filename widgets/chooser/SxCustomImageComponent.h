#pragma once

#include "SxComponent.h"
#include "SxControlChangedCallback.h"
#include "SxCustomImageComponentCallback.h"

#include <vector>

class SxBorderComponent;
class SxImageButton;
class SxImageRgbaBytes;

/** Lets the user pick a picture of their own: a caption, a square thumbnail button and a
    frame. Clicking the thumbnail (or Return on it) opens the open panel; dropping image
    files on the control loads the first one of an image type. The control loads the file,
    shows a 200 x 200 centre cut of it and hands the picture and its path to every listener.
    A close button at the control's top left, shown while a picture is, clears it.

    Two states: empty (placeholder, no close button) and chosen (thumbnail and close
    button). Only a file that loads moves to chosen; one that does not leaves the control
    as it was and is reported to nobody that asked for the picture.

        auto* chooser = new SxCustomImageComponent ("customImage", "Load Custom Image");
        chooser->listeners.push_back (this);

    Loading happens in the click or the drop, on the message thread. A listener may delete
    the control from its callback; the listeners after it then hear nothing.
*/
class SxCustomImageComponent : public SxComponent,
                               public SxControlChangedCallback,
                               public juce::Button::Listener,
                               public juce::FileDragAndDropTarget
{
public:
    /** componentName is not applied: the control's own name stays empty. */
    SxCustomImageComponent (const juce::String& componentName, const juce::String& labelText);
    ~SxCustomImageComponent() override;

    /** Told in this order; not owned, and they must outlive the control. */
    std::vector<SxCustomImageComponentCallback*> listeners;

    /** A chosen picture is shown. */
    bool hasImage() const noexcept  { return showsImage; }

    /** Every listener's customImageCleared, then clearImage (close button); the open panel
        (thumbnail). */
    void buttonClicked (juce::Button* button) override;

    /** Back to empty: close button hidden, placeholder shown, then every listener hears
        customImageChosen (null, ""). */
    void clearImage();

    /** The open panel in the folder last used ("LastDirectory"), for the image types the
        program opens. Cancelled: every listener's customImageCancelled. Confirmed: the
        folder is remembered and the file loaded. */
    void chooseImage();

    /** True when any of the files has an image extension (jpg, jpeg, png, tif, tiff, nef,
        cr2, psd, bmp, in any case). */
    bool isInterestedInFileDrag (const juce::StringArray& files) override;

    /** Loads the first of the files that has an image extension. */
    void filesDropped (const juce::StringArray& files, int x, int y) override;

    /** For every listener in turn: when it wants the picture (or passPath is false), the file
        is loaded, fitted within 300 x 300 for the thumbnail and, with passPath, lent to the
        listener with the file's path; otherwise the listener gets the path alone. A file
        that does not load gives that listener nothing. */
    void loadImageFile (const juce::File& file, bool passPath);

    /** Shows a 200 x 200 cut from the centre of image, scaled to cover the square, with the
        close button; null or an image without pixels shows the placeholder (the close
        button stays as it is: clearImage hides it). */
    void setThumbnail (SxImageRgbaBytes* image);

    /** The size a w x h picture is fitted to before the thumbnail is cut: 300 on its longer
        side, the other by integer arithmetic (4000 x 3000 gives 300 x 225); a picture
        without width or height keeps its size. The copy is one pixel larger each way. */
    static juce::Point<int> fittedSize (int width, int height) noexcept;

    /** Where a width x height picture lies, scaled to cover the 200 x 200 thumbnail and
        centred on it (the overhang on either side cut off). */
    static juce::Rectangle<double> coverRectangle (int width, int height) noexcept;

    static constexpr int thumbnailSize = 200;

    juce::Label& getLabel() const noexcept             { return *label; }
    SxImageButton& getImageButton() const noexcept     { return *imageButton; }
    SxImageButton& getCloseButton() const noexcept     { return *closeButton; }

private:
    class FocusRingButton;

    bool showsImage = false;
    SxImageButton* closeButton;
    juce::Label* label;
    SxImageButton* imageButton;
    SxBorderComponent* frame;

    void showPlaceholder();
    static bool hasImageExtension (const juce::String& path);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxCustomImageComponent)
};
