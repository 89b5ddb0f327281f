#pragma once

#include "SxComponent.h"

class GenericImageList;

/** The thumbnail picker's sliding panel: owns its parts and, while it is modal, closes
    the picker when a click lands outside it. */
class ImageListModalContainer : public SxComponent
{
public:
    /** list is told to dismiss; it owns this panel and outlives it. */
    explicit ImageListModalContainer (GenericImageList& list);

    /** A click outside the modal panel: the picker closes it. */
    void inputAttemptOutsideModal() override;

private:
    GenericImageList& list;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageListModalContainer)
};
