#pragma once

#include "SxModelInputCallback.h"
#include "SxOutsideModalInput.h"
#include "SxUpdateComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The base of every panel and control of the kit.

    - Named at construction: owners and listeners tell components apart by that name.
    - Owns its children: the destructor deletes every child still attached, except those
      shown with addBorrowedChild (pages, tools and other components whose owner lives
      elsewhere), which are only detached. So a component added with addAndMakeVisible
      must not be deleted by anyone else, and one that is merely shown must be borrowed.
    - Modal: input outside it while it is modal reaches inputAttemptOutsideModal (see
      SxOutsideModalInput), which hands it to modalInputDelegate when one is set.
    - Not hit while fully transparent (alpha 0), so a faded-out control lets clicks
      through to whatever lies below it.

    Place children with SxRelativeBounds.
*/
class SxComponent : public juce::Component,
                    public SxUpdateComponent,
                    public SxModelInputCallback,
                    public SxOutsideModalInput
{
public:
    explicit SxComponent (const juce::String& componentName);
    ~SxComponent() override;

    /** Told about input outside this component while it is modal; not owned, may be null. */
    SxModelInputCallback* modalInputDelegate = nullptr;

    /** Shows nothing new by default. */
    void update() override {}

    /** Passes the attempt to modalInputDelegate (with this) when one is set. */
    void inputAttemptOutsideModal() override;

    /** Shows child on top (or at zOrder) without taking ownership of it: the destructor
        detaches it instead of deleting it. The child stays borrowed by this container,
        whichever way it is removed and added again, until removeBorrowedChild. */
    void addBorrowedChild (juce::Component& child, int zOrder = -1);

    /** Detaches a borrowed child and forgets that it was borrowed. */
    void removeBorrowedChild (juce::Component& child);

    bool isBorrowedChild (const juce::Component& child) const;

    void inputAttemptWhenModal() override;
    bool hitTest (int x, int y) override;

private:
    juce::Array<juce::WeakReference<juce::Component>> borrowedChildren;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SxComponent)
};
