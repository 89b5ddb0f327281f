#pragma once

#include "GenericImageListCallback.h"
#include "SxComponent.h"

#include <functional>
#include <memory>

/** The thumbnail picker: an opener showing the current choice; clicking it slides a panel
    of numbered thumbnails in beside the effect panel, and a picked thumbnail is reported to
    callback as (list, index).

    The picker itself lives with the presets, above the effects that own pickers, so this
    kit holds only what owners use, and create() builds the real one through the maker the
    application installs at start. Owners set the plain members, call setContent, size the
    list, then rebuild.
*/
class GenericImageList : public SxComponent
{
public:
    /** The constructor arguments of a picker: the panel covers the whole window; the panel
        shows in a call-out box; the list shows in place with a frame. */
    struct Variant
    {
        bool fullWindow = false;
        bool inCallOut = false;
        juce::String callOutBounds;
        bool framed = false;
    };

    using Maker = std::function<std::unique_ptr<GenericImageList> (const Variant&)>;

    /** Installs the maker create() uses (the application does, once, at start); an empty
        maker uninstalls. */
    static void installMaker (Maker maker);
    /** A new picker from the installed maker; null when none is installed. */
    static std::unique_ptr<GenericImageList> create (const Variant& variant);

    //==============================================================================
    bool showSelectionFrame = true;
    bool showNumbers = true;
    bool opensAsPanel = false;
    int columns = 0;
    int itemSize = 100;
    juce::String title = "null";
    /** The opener's tooltip (the owner's help text); set before the first rebuild. */
    juce::String tooltip;
    /** Told of each choice; not owned. */
    GenericImageListCallback* callback = nullptr;

    /** True while the panel is open. */
    virtual bool isOpen() const = 0;
    /** Acts as a click on the opener. */
    virtual void toggle() = 0;
    /** Builds the opener and the panel for the current settings. */
    virtual void rebuild() = 0;
    /** The archive group whose items are the thumbnails (store: empty for the archive). */
    virtual void setContent (const juce::String& group, const juce::String& store) = 0;
    /** Shows index as the choice without telling the callback. */
    virtual void setSelectedIndex (int index) = 0;
    /** Shows the item of that file name (folder and extension ignored, any case) as the
        choice without telling the callback. */
    virtual void selectItemNamed (const juce::String& name) = 0;
    virtual int getSelectedIndex() const = 0;
    /** Closes the panel (as a click outside it does). */
    virtual void dismiss() = 0;

protected:
    GenericImageList();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericImageList)
};
