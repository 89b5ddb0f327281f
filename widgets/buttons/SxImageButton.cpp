#include "SxImageButton.h"

SxImageButton::SxImageButton (const juce::String& componentName)
    : juce::ImageButton (juce::String())
{
    setName (componentName);
}

SxImageButton::~SxImageButton()
{
    deleteAllChildren();
}

void SxImageButton::setImages (bool resizeButtonNowToFitThisImage, bool rescaleImagesWhenButtonSizeChanges,
                               bool preserveImageProportions,
                               const juce::Image& normalImage, float imageOpacityWhenNormal, juce::Colour overlayColourWhenNormal,
                               const juce::Image& overImage, float imageOpacityWhenOver, juce::Colour overlayColourWhenOver,
                               const juce::Image& downImage, float imageOpacityWhenDown, juce::Colour overlayColourWhenDown,
                               float hitTestAlphaThreshold)
{
    using SxImagePlacement::Scaling;
    scaling = ! rescaleImagesWhenButtonSizeChanges ? Scaling::none
            : preserveImageProportions ? Scaling::keepProportions : Scaling::stretch;
    normalLook = { imageOpacityWhenNormal, overlayColourWhenNormal };
    overLook = { imageOpacityWhenOver, overlayColourWhenOver };
    downLook = { imageOpacityWhenDown, overlayColourWhenDown };
    alphaThreshold = (juce::uint8) juce::jlimit (0, 0xff, juce::roundToInt (255.0f * hitTestAlphaThreshold));

    juce::ImageButton::setImages (resizeButtonNowToFitThisImage, rescaleImagesWhenButtonSizeChanges, preserveImageProportions,
                                  normalImage, imageOpacityWhenNormal, overlayColourWhenNormal,
                                  overImage, imageOpacityWhenOver, overlayColourWhenOver,
                                  downImage, imageOpacityWhenDown, overlayColourWhenDown, hitTestAlphaThreshold);

    if (resizeButtonNowToFitThisImage && normalImage.isValid())
        imageBounds = normalImage.getBounds();
}

void SxImageButton::paintButton (juce::Graphics& g, bool over, bool down)
{
    paintPlaced (g, over, down, SxImagePlacement::Fit::centred);
}

void SxImageButton::paintPlaced (juce::Graphics& g, bool over, bool down, SxImagePlacement::Fit fit)
{
    if (! isEnabled())
        over = down = false;

    const bool useDown = down || getToggleState();
    auto image = useDown ? getDownImage() : over ? getOverImage() : getNormalImage();

    if (! image.isValid())
        return;

    imageBounds = SxImagePlacement::place (fit, scaling, { image.getWidth(), image.getHeight() }, { getWidth(), getHeight() });
    const auto& look = useDown ? downLook : over ? overLook : normalLook;
    getLookAndFeel().drawImageButton (g, &image, imageBounds.getX(), imageBounds.getY(), imageBounds.getWidth(),
                                      imageBounds.getHeight(), look.overlay, look.opacity, *this);

    if (focusMark.isShown (*this))
        SxKeyboardFocusMark::draw (g, imageBounds.toFloat(), 4.0f);
}

juce::Image SxImageButton::currentImage() const
{
    if (isDown() || getToggleState())
        return getDownImage();

    return isOver() ? getOverImage() : getNormalImage();
}

bool SxImageButton::hitTest (int x, int y)
{
    // As the framework's image button, but against where this class drew the picture.
    if (! juce::Component::hitTest (x, y))
        return false;

    if (alphaThreshold == 0)
        return true;

    const auto image = currentImage();
    if (image.isNull())
        return true;

    return ! imageBounds.isEmpty()
        && alphaThreshold < image.getPixelAt (((x - imageBounds.getX()) * image.getWidth()) / imageBounds.getWidth(),
                                              ((y - imageBounds.getY()) * image.getHeight()) / imageBounds.getHeight()).getAlpha();
}
