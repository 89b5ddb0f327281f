#include "SxCustomImageComponent.h"

#include "ImageFileBridges.h"
#include "Resampling.h"
#include "SxBorderComponent.h"
#include "SxImageButton.h"
#include "SxImageRgbaBytes.h"
#include "SxKeyboardFocusMark.h"
#include "SxLabel.h"
#include "SxRelativeBounds.h"
#include "SxWidgetArt.h"

namespace
{
    constexpr int fitLimit = 300;

    /** The button's three pictures, at the chooser's opacities. */
    void showPicture (SxImageButton& button, const juce::Image& image, float normalOpacity)
    {
        const juce::Colour none;
        button.setImages (false, true, true, image, normalOpacity, none, image, 1.0f, none, image, 1.0f, none);
    }
}

/** An image button that shows a focus ring once Tab brought the focus to it. */
class SxCustomImageComponent::FocusRingButton : public SxImageButton
{
public:
    using SxImageButton::SxImageButton;

    void focusGained (FocusChangeType cause) override  { focusMark.focusGained (*this, cause); }
    void focusLost (FocusChangeType) override           { focusMark.clear (*this); }

    void mouseDown (const juce::MouseEvent& e) override
    {
        focusMark.clear (*this);
        SxImageButton::mouseDown (e);
    }

protected:
    void paintButton (juce::Graphics& g, bool over, bool down) override
    {
        SxImageButton::paintButton (g, over, down);

        if (focusMark.isShown (*this))
            SxKeyboardFocusMark::draw (g, getLocalBounds().toFloat(), 4.0f);
    }

private:
    SxKeyboardFocusMark focusMark;
};

SxCustomImageComponent::SxCustomImageComponent (const juce::String&, const juce::String& labelText)
    : SxComponent (juce::String()),
      closeButton (new FocusRingButton ("SxCustomImageComponentCloseButton")),
      label (new SxLabel ("SxLabelColorPickerLabel", labelText)),
      imageButton (new FocusRingButton ("SxCustomImageComponentButton")),
      frame (new SxBorderComponent (juce::Colour (150, 150, 150)))
{
    SxRelativeBounds::apply (*this, "0, 0, left + parent.width, top + 60");

    label->setFont (juce::Font (12.0f));
    label->setColour (juce::Label::textColourId, juce::Colour (250, 250, 250));
    label->setInterceptsMouseClicks (false, false);
    label->setJustificationType (juce::Justification::centredRight);
    // The thumbnail button carries the caption as its title.
    label->setAccessible (false);
    addAndMakeVisible (label);
    SxRelativeBounds::apply (*label, "parent.width - 50 - 20 - 150, (parent.height / 2) - 5, left + 150, top + 23");

    imageButton->setTitle (labelText);
    imageButton->addListener (this);
    addAndMakeVisible (imageButton);
    SxRelativeBounds::apply (*imageButton, "parent.width - 50 - 5, 10, left + 50, top + 50");
    showPlaceholder();

    frame->setInterceptsMouseClicks (false, false);
    addAndMakeVisible (frame);
    SxRelativeBounds::apply (*frame, "0, 0, left + parent.width, top + parent.height");

    // In front of the frame, over the control's top-left corner (the thumbnail's, once the
    // thumbnail fills the control).
    const auto close = SxWidgetArt::get (WidgetArt::closeButton);
    closeButton->setImages (false, true, true, close, 1.0f, {}, close, 1.0f, {}, close, 1.0f, {});
    closeButton->setTitle ("Remove " + labelText);
    closeButton->addListener (this);
    addChildComponent (closeButton);
    SxRelativeBounds::apply (*closeButton, "0, 0, left + 23, top + 23");
}

SxCustomImageComponent::~SxCustomImageComponent() = default;

//==============================================================================
void SxCustomImageComponent::buttonClicked (juce::Button* button)
{
    if (button->getName() == "SxCustomImageComponentCloseButton")
    {
        juce::Component::SafePointer<SxCustomImageComponent> alive (this);
        for (auto* listener : std::vector (listeners))
        {
            listener->customImageCleared();
            if (alive == nullptr)
                return;
        }

        clearImage();
    }
    else
    {
        chooseImage();
    }
}

void SxCustomImageComponent::clearImage()
{
    closeButton->setVisible (false);
    setThumbnail (nullptr);

    juce::Component::SafePointer<SxCustomImageComponent> alive (this);
    for (auto* listener : std::vector (listeners))
    {
        listener->customImageChosen (nullptr, {});
        if (alive == nullptr)
            return;
    }
}

void SxCustomImageComponent::chooseImage()
{
    const auto file = ImageFileBridges::chooseImageFile();

    if (file == juce::File())
    {
        juce::Component::SafePointer<SxCustomImageComponent> alive (this);
        for (auto* listener : std::vector (listeners))
        {
            listener->customImageCancelled();
            if (alive == nullptr)
                return;
        }
        return;
    }

    loadImageFile (file, true);
}

//==============================================================================
bool SxCustomImageComponent::hasImageExtension (const juce::String& path)
{
    const auto extension = juce::File::createFileWithoutCheckingPath (path).getFileExtension().toUpperCase();

    for (const char* accepted : { ".JPG", ".PNG", ".JPEG", ".TIF", ".TIFF", ".NEF", ".CR2", ".PSD", ".BMP" })
        if (extension == accepted)
            return true;

    return false;
}

bool SxCustomImageComponent::isInterestedInFileDrag (const juce::StringArray& files)
{
    return std::any_of (files.begin(), files.end(), hasImageExtension);
}

void SxCustomImageComponent::filesDropped (const juce::StringArray& files, int, int)
{
    // The first file of an image type: a text file dragged along with a photo is skipped.
    for (auto& path : files)
        if (hasImageExtension (path))
        {
            loadImageFile (juce::File::createFileWithoutCheckingPath (path), true);
            return;
        }
}

//==============================================================================
juce::Point<int> SxCustomImageComponent::fittedSize (int width, int height) noexcept
{
    if (width <= 0 || height <= 0)
        return { width, height };

    const auto w = (juce::int64) width, h = (juce::int64) height;
    const auto fh = h * fitLimit / w;

    if (fh > fitLimit)
        return { (int) (w * fitLimit / h), fitLimit };

    return { fitLimit, (int) fh };
}

juce::Rectangle<double> SxCustomImageComponent::coverRectangle (int width, int height) noexcept
{
    const double side = thumbnailSize;

    if (width <= 0 || height <= 0)
        return { 0.0, 0.0, side, side };

    const double aspect = (double) width / (double) height;
    const auto size = side / aspect < side ? juce::Point<double> (aspect * side, side)
                                           : juce::Point<double> (side, side / aspect);
    return { (side - size.x) / 2.0, (side - size.y) / 2.0, size.x, size.y };
}

void SxCustomImageComponent::loadImageFile (const juce::File& file, bool passPath)
{
    juce::Component::SafePointer<SxCustomImageComponent> alive (this);

    for (auto* listener : std::vector (listeners))
    {
        if (listener->wantsLoadedImage() || ! passPath)
        {
            // Each such listener gets its own picture, lent for the call.
            SxRef<SxImageRgbaBytes> image (ImageFileBridges::loadImageFileAsRgba (file.getFullPathName()));

            // Unreadable, or read but not a picture.
            if (! image || image->width <= 0 || image->height <= 0)
                continue;

            const auto fitted = fittedSize (image->width, image->height);
            SxRef<SxImageRgbaBytes> copy (new SxImageRgbaBytes (fitted.x + 1, fitted.y + 1));
            blitScaledRgba (*copy, *image,
                            { 0.0f, 0.0f, (float) (image->width - 1), (float) (image->height - 1) },
                            { 0.0f, 0.0f, (float) fitted.x, (float) fitted.y }, 1);
            setThumbnail (copy.get());

            if (passPath)
                listener->customImageChosen (image.get(), file.existsAsFile() ? file.getFullPathName() : juce::String());
        }
        else
        {
            listener->customImageChosen (nullptr, file.getFullPathName());
        }

        if (alive == nullptr)
            return;
    }
}

void SxCustomImageComponent::setThumbnail (SxImageRgbaBytes* source)
{
    if (source == nullptr || source->width <= 0 || source->height <= 0)
    {
        showsImage = false;
        showPlaceholder();
        return;
    }

    const auto cover = coverRectangle (source->width, source->height);
    SxRef<SxImageRgbaBytes> thumb (new SxImageRgbaBytes (thumbnailSize, thumbnailSize));
    blitScaledRgba (*thumb, *source,
                    { 0.0f, 0.0f, (float) (source->width - 1), (float) (source->height - 1) },
                    { (float) cover.getX(), (float) cover.getY(),
                      (float) (cover.getRight() - 1.0), (float) (cover.getBottom() - 1.0) }, 3);

    showPicture (*imageButton, thumb->toImage(), 0.9f);
    showsImage = true;
    closeButton->setVisible (true);
}

void SxCustomImageComponent::showPlaceholder()
{
    showPicture (*imageButton, SxWidgetArt::get (WidgetArt::customImagePlaceholder), 0.9f);
}
