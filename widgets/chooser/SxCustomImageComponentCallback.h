#pragma once

#include <juce_core/juce_core.h>

class SxImageRgbaBytes;

/** What an SxCustomImageComponent tells its listeners. Listeners are never deleted through
    this interface, hence the protected destructor. */
class SxCustomImageComponentCallback
{
public:
    /** Asked before a chosen file is handled: true to receive the loaded picture, false for
        its path alone. */
    virtual bool wantsLoadedImage() { return true; }

    /** A file was chosen or dropped: the picture (null for a listener that wanted only the
        path) and the file's full path. Also (null, empty path) once the picture was cleared.
        The picture is lent for the call: a listener that keeps it copies it. */
    virtual void customImageChosen (SxImageRgbaBytes* image, const juce::String& path) {}

    /** The open panel was cancelled; nothing else changed. */
    virtual void customImageCancelled() {}

    /** The close button was clicked; the picture is cleared right after. */
    virtual void customImageCleared() {}

protected:
    ~SxCustomImageComponentCallback() = default;
};
