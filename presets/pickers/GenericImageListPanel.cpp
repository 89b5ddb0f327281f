#include "GenericImageListPanel.h"

#include "ImageListModalContainer.h"
#include "ResourceArchive.h"
#include "SxCheckbox.h"
#include "SxColorComponent.h"
#include "SxDeleteChildrenComponent.h"
#include "SxImageComponent.h"
#include "SxLabel.h"
#include "SxMainComponentServices.h"
#include "SxRelativeBounds.h"
#include "SxScroller.h"
#include "SxWidgetArt.h"
#include "WhiteTurquoiseBorderComponent.h"

namespace
{
    constexpr int openEasing = 10, closeEasing = 9;   // back out (overshoots, settles), back in
    constexpr int firstRowTop = 5, frameOutset = 3, scrollBarThickness = 10;

    const juce::Colour textColour (250, 250, 250);

    /** A picture button that owns what it shows on top (the number badge and its label). */
    struct OwningImageButton : public juce::ImageButton
    {
        explicit OwningImageButton (const juce::String& name) : juce::ImageButton (name) {}
        ~OwningImageButton() override  { deleteAllChildren(); }
    };

    /** The framework's image cache under text keys: a 64-bit hash of the key. */
    juce::int64 cacheKey (const juce::String& key)
    {
        return ("GenericImageList:" + key).hashCode64();
    }

    juce::Image imageUnderKey (const juce::String& key)
    {
        return key.isEmpty() ? juce::Image() : juce::ImageCache::getFromHashCode (cacheKey (key));
    }

    SxImageComponent* picture (const juce::String& name, const juce::Image& image)
    {
        auto* component = new SxImageComponent (name);
        component->setImage (image, juce::RectanglePlacement::stretchToFit);
        component->setInterceptsMouseClicks (false, false);
        return component;
    }

    SxColorComponent* band (juce::uint32 colourWord)
    {
        auto* component = new SxColorComponent();
        component->setComponentID ("titleBar");
        component->setColour (colourWord);
        return component;
    }

    juce::Point<int> framePositionFor (const juce::Component& thumbnail)
    {
        return thumbnail.getPosition() - juce::Point<int> (frameOutset, frameOutset);
    }

    SxLabel* label (const juce::String& name, const juce::String& text, float fontHeight)
    {
        auto* l = new SxLabel (name, text);
        l->setFont (juce::Font (fontHeight));
        l->setColour (juce::Label::textColourId, textColour);
        l->setJustificationType (juce::Justification::centred);
        l->setInterceptsMouseClicks (false, false);
        return l;
    }

    void place (juce::Component& parent, juce::Component* child, const juce::String& expression)
    {
        parent.addAndMakeVisible (child);
        SxRelativeBounds::apply (*child, expression);
    }

    juce::String withOffScreenPart (const char* templateText)
    {
        return juce::String (templateText).replace ("%d", juce::String (GenericImageListPanel::offScreenPart));
    }
}

GenericImageListPanel::GenericImageListPanel() = default;

GenericImageListPanel::~GenericImageListPanel()
{
    cancelPendingUpdate();
    destroyPanel();
}

std::unique_ptr<GenericImageList> GenericImageListPanel::make (const Variant& variant)
{
    if (variant.fullWindow || variant.inCallOut || variant.framed)
        return nullptr;

    return std::make_unique<GenericImageListPanel>();
}

//==============================================================================
void GenericImageListPanel::toggle()
{
    buttonClicked (openerButton.getComponent());
}

void GenericImageListPanel::rebuild()
{
    if (scroller != nullptr || ! itemButtons.empty())
        return;

    // The list itself is the opener's area: clicks go to its children only.
    setInterceptsMouseClicks (false, true);
    buildOpener();
    buildSlidePanel();
}

void GenericImageListPanel::setContent (const juce::String& group, const juce::String& store)
{
    groupName = group;
    storeName = store;
    itemNames.clear();
    itemCount = 0;

    if (storeName.isNotEmpty())
        return;

    itemNames = getArchiveItemNames (groupName, false);
    // The names bound every lookup, whatever count the index claims.
    itemCount = juce::jmin ((int) getArchiveItemCount (groupName), itemNames.size());
}

void GenericImageListPanel::setSelectedIndex (int index)
{
    selectedIndex = index;
    auto* button = getItemButton (index);

    if (button != nullptr)
        moveSelectionFrameTo (framePositionFor (*button));

    if (index >= 0 && index < itemCount)
        showOnOpener (pictureOf (index));

    if (button != nullptr)
    {
        // The chosen row shows when the panel next opens: a row below the first sits half a
        // thumbnail below the top of the view, the second row at the top.
        const int lift = itemSize + itemSize / 2;
        int y = button->getY();
        if (y > lift)
            y -= lift;
        if (y <= 9)
            y = 0;
        savedViewPosition = { 0, y };
    }
}

void GenericImageListPanel::selectItemNamed (const juce::String& name)
{
    const auto stem = ResourceArchive::reduceToFileStem (name);
    int index = 0;

    for (int i = 0; i < itemCount; ++i)
        if (itemNames[i].equalsIgnoreCase (stem))
            index = i;

    if (getItemButton (index) == nullptr)
        moveSelectionFrameTo ({ -200, -200 });

    setSelectedIndex (index);
}

void GenericImageListPanel::dismiss()
{
    closePanel();
}

void GenericImageListPanel::closePanel()
{
    slideOut (false);
}

//==============================================================================
void GenericImageListPanel::buttonClicked (juce::Button* button)
{
    if (button == nullptr)
        return;

    const auto name = button->getName();

    if (button == openerButton.getComponent())
    {
        if (name == "ImageButtonClosed")
            openPanel();
        else if (name == "ImageButtonOpened")
            closePanel();
    }
    else if (button == closeButton.getComponent())
    {
        closePanel();
    }
    else if (std::find (itemButtons.begin(), itemButtons.end(), button) != itemButtons.end())
    {
        choose (*button);
    }
}

void GenericImageListPanel::controlChanged (juce::Component* control)
{
    if (control != nullptr && control == autoCloseCheckbox.getComponent())
        writeAutoClose (getAutoCloseCheckbox()->isChecked());
}

bool GenericImageListPanel::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    if (key.getKeyCode() != juce::KeyPress::escapeKey)
        return false;

    closePanel();
    return true;
}

void GenericImageListPanel::handleAsyncUpdate()
{
    // Last: the owner may delete this list when it hears of the choice.
    if (callback != nullptr)
        callback->imageListItemChosen (this, selectedIndex);
}

void GenericImageListPanel::timerCallback (int timerId)
{
    stopTimer (timerId);
    auto* main = SxMainComponentServices::getInstance();
    auto* panel = slidePanel.getComponent();

    switch (timerId)
    {
        case dockTimer:
            if (panel != nullptr && panel->getParentComponent() != nullptr)
            {
                animator.cancelAllAnimations (true);
                panel->setInterceptsMouseClicks (true, true);
                const bool hasEffectPanel = main != nullptr && main->getEffectPanel() != nullptr;
                SxRelativeBounds::apply (*panel, juce::String::formatted ("parent.width - %d, %d, left + %d + %d, top + ", panelWidth, panelTop,
                                                                          panelWidth, offScreenPart)
                                                     + (hasEffectPanel ? juce::String ("effectControlComponent.height")
                                                                       : juce::String (fallbackHeight)));
            }
            break;

        case parkTimer:
            if (panel != nullptr)
            {
                animator.cancelAllAnimations (true);
                const auto* effectPanel = main != nullptr ? main->getEffectPanel() : nullptr;
                const int mainWidth = main != nullptr ? main->getMainComponent().getWidth() : panel->getX();
                SxRelativeBounds::apply (*panel, juce::String::formatted ("%d+1, %d, left + %d + %d, top + %d", mainWidth, panelTop, panelWidth,
                                                                          offScreenPart, effectPanel != nullptr ? effectPanel->getHeight() : fallbackHeight));
                if (auto* parent = panel->getParentComponent())
                    parent->removeChildComponent (panel);
            }
            break;

        case reportTimer:
            triggerAsyncUpdate();
            break;

        case leaveModalTimer:
            if (panel != nullptr)
            {
                if (main != nullptr)
                    main->exitModal (panel);
                else
                    panel->exitModalState (0);
            }
            break;

        default:
            break;
    }
}

//==============================================================================
SxScroller* GenericImageListPanel::getScroller() const noexcept
{
    return dynamic_cast<SxScroller*> (scroller.getComponent());
}

juce::Component* GenericImageListPanel::getGrid() const
{
    auto* s = getScroller();
    return s != nullptr ? s->getViewedComponent() : nullptr;
}

juce::Button* GenericImageListPanel::getItemButton (int index) const
{
    return index >= 0 && index < (int) itemButtons.size() ? itemButtons[(size_t) index].getComponent() : nullptr;
}

SxCheckbox* GenericImageListPanel::getAutoCloseCheckbox() const noexcept
{
    return dynamic_cast<SxCheckbox*> (autoCloseCheckbox.getComponent());
}

//==============================================================================
void GenericImageListPanel::buildOpener()
{
    if (openerButton != nullptr)
        return;

    // Behind the opener, bottom first: its shadow frame, then the two-tone outline.
    place (*this, picture ("openerFrame", SxWidgetArt::get (WidgetArt::imageListOpenerFrame)),
           "2, 2, left + parent.width - 2, top + parent.height - 2");
    auto* outline = new WhiteTurquoiseBorderComponent();
    outline->setName ("TempImageComp");
    place (*this, outline, "0, 0, left + parent.width, top + parent.height");

    auto* opener = new juce::ImageButton ("ImageButtonClosed");
    openerButton = opener;
    opener->setTooltip (tooltip);
    showOnOpener ({});
    opener->addListener (this);
    place (*this, opener, "2, 2, left + parent.width - 4, top + parent.height - 4");
}

void GenericImageListPanel::buildSlidePanel()
{
    auto* main = SxMainComponentServices::getInstance();
    auto* effectPanel = main != nullptr ? main->getEffectPanel() : nullptr;

    auto* panel = new ImageListModalContainer (*this);
    slidePanel = panel;

    // Laid out against the effect panel just beyond its right edge; taken out again below
    // and added to the main component when it opens.
    if (effectPanel != nullptr)
    {
        effectPanel->addAndMakeVisible (panel);
        panel->toFront (false);
        SxRelativeBounds::apply (*panel, withOffScreenPart ("parent.width + 1, 0, left + parent.width + %d, top+parent.height"));
    }
    else
    {
        panel->setBounds (panelWidth + 1, 0, panelWidth + offScreenPart, fallbackHeight);
    }

    place (*panel, band (0x222222FFu), withOffScreenPart ("0, 29, left+parent.width + %d, top+parent.height"));
    place (*panel, band (0x414141FFu), withOffScreenPart ("0, parent.height - 70, left+parent.width + %d, top+parent.height"));
    place (*panel, band (0x414141FFu), withOffScreenPart ("0, 0, left+parent.width + %d, top+30"));
    place (*panel, picture ("panelShadow", SxWidgetArt::get (WidgetArt::toolbarShadow)), "0, 0, left + parent.width, top+8");

    auto* newScroller = new SxScroller ("ImageListScroller");
    newScroller->setComponentID ("scrollerComponent");
    newScroller->setInterceptsMouseClicks (true, true);
    scroller = newScroller;
    place (*panel, newScroller, withOffScreenPart ("2, 35, left + parent.width - %d - 2, parent.height - 71"));

    place (*panel, label ("presetEffectTitleLabel", title, 14.0f), withOffScreenPart ("0, 3, left + parent.width-%d-5, top + 23"));

    buildGrid();
    buildCloseControls (*panel);

    newScroller->setScrollBarsShown (true, false);
    newScroller->horizontal = false;
    newScroller->setScrollBarThickness (scrollBarThickness);
    savedViewPosition = newScroller->getViewPosition();

    if (auto* parent = panel->getParentComponent())
    {
        SxRelativeBounds::detach (*panel);
        parent->removeChildComponent (panel);
    }

    setSelectedIndex (selectedIndex);
}

void GenericImageListPanel::buildGrid()
{
    auto* view = getScroller();
    const int width = view->getWidth();

    columns = juce::jmax (1, columns);
    itemSize = juce::jmax (1, (width - 16) / columns - 12);
    const int gap = (width - columns * itemSize) / (columns + 1);
    const int x0 = gap;

    auto* grid = new SxDeleteChildrenComponent ("insideComponent");
    grid->setSize (width, itemCount * itemSize * 2);
    grid->setVisible (true);

    const auto background = SxWidgetArt::get (WidgetArt::imageListItemBackground);
    const auto badge = SxWidgetArt::get (WidgetArt::imageListBadge);
    const int badgeSize = (int) (itemSize * 0.3);
    int x = x0, y = firstRowTop;

    for (int i = 0; i < itemCount; ++i)
    {
        const auto image = pictureOf (i);

        if (itemBackgrounds)
        {
            auto* card = picture ("itemBackground", background);
            grid->addAndMakeVisible (card);
            card->setBounds (x, y, itemSize + 8, itemSize + 8);
        }

        auto* button = new OwningImageButton (juce::String (i));
        button->setImages (true, true, true, image, 1.0f, {}, image, 1.0f, {}, image, 0.7f, {});
        button->setBufferedToImage (true);
        button->setBounds (x, y, itemSize, itemSize);
        button->addListener (this);
        grid->addAndMakeVisible (button);
        itemButtons.emplace_back (button);

        if (showNumbers)
        {
            auto* disc = picture ("numberBadge", badge);
            button->addAndMakeVisible (disc);
            disc->setSize (badgeSize, badgeSize);
            disc->setCentrePosition (button->getLocalBounds().getCentre());

            auto* number = label ("numberLabel", juce::String (i + 1), 9.0f);
            number->setMinimumHorizontalScale (0.65f);
            button->addAndMakeVisible (number);
            number->setSize ((int) (itemSize * 0.3 + 4), badgeSize);
            number->setCentrePosition (button->getLocalBounds().getCentre());
        }

        if (i == 0 && showSelectionFrame)
        {
            auto* frame = picture ("selectionFrame", SxWidgetArt::get (WidgetArt::imageListSelectionFrame));
            frame->setBounds (x - frameOutset, y - frameOutset, itemSize + 2 * frameOutset, itemSize + 2 * frameOutset);
            grid->addAndMakeVisible (frame);
            selectionFrame = frame;
        }

        x += gap + itemSize;
        if (x + itemSize > grid->getWidth())
        {
            x = x0;
            y += gap + itemSize;
        }
    }

    // Tall enough for the last row and a gap below it (5 px with no items).
    int height = y;
    if (! itemButtons.empty() && itemButtons.back()->getY() >= height)
        height = y + gap + itemSize;
    grid->setSize (width, height);

    view->setViewedComponent (grid, true);
}

void GenericImageListPanel::buildCloseControls (juce::Component& panel)
{
    const auto face = SxWidgetArt::get (WidgetArt::alertButtonSecondary);
    const auto pressed = SxWidgetArt::get (WidgetArt::alertButtonPressed);

    auto* close = new OwningImageButton ("ImageListCancel");
    close->setImages (true, true, true, face, 1.0f, {}, face, 1.0f, {}, pressed, 1.0f, {});
    close->addListener (this);
    closeButton = close;
    // Centred under the 256 visible pixels, not the whole 306.
    place (panel, close, "(parent.width / 2) - (width / 2) - 25, parent.height - 31 - 30 + 1, left + 92, top + 31");

    auto* caption = label ("cancelImageListLabel", "Close", 12.0f);
    close->addAndMakeVisible (caption);
    caption->setSize (190, 23);
    caption->setCentrePosition (close->getLocalBounds().getCentre());

    auto* checkbox = new SxCheckbox ("shouldCloseImageListCheckbox", "Check to Auto-Close", this);
    checkbox->getLabel().setColour (juce::Label::textColourId, juce::Colour (154, 155, 157));
    checkbox->setChecked (readAutoClose());
    autoCloseCheckbox = checkbox;
    place (panel, checkbox, "(parent.width / 2) - (width / 2) + 4, parent.height - 31 + 7, left + 160, top + 14");
}

void GenericImageListPanel::destroyPanel()
{
    for (const auto id : { dockTimer, parkTimer, reportTimer, leaveModalTimer })
        stopTimer (id);

    animator.cancelAllAnimations (false);

    if (auto* panel = slidePanel.getComponent())
    {
        // Deleted while shown: the toolbar must not stay disabled by a modal panel that is gone.
        if (panel->isCurrentlyModal (false))
        {
            if (auto* main = SxMainComponentServices::getInstance())
                main->exitModal (panel);
            else
                panel->exitModalState (0);
        }

        delete panel;
    }

    slidePanel = nullptr;
    scroller = nullptr;
    itemButtons.clear();
    selectionFrame = nullptr;
    closeButton = nullptr;
    autoCloseCheckbox = nullptr;
    open = false;
}

//==============================================================================
void GenericImageListPanel::openPanel()
{
    auto* panel = slidePanel.getComponent();
    auto* main = SxMainComponentServices::getInstance();
    if (panel == nullptr || main == nullptr || animator.isAnimating (panel))
        return;

    auto& mainComponent = main->getMainComponent();
    const auto* effectPanel = main->getEffectPanel();
    const int height = effectPanel != nullptr ? effectPanel->getHeight() : fallbackHeight;

    mainComponent.addAndMakeVisible (panel);
    SxRelativeBounds::apply (*panel, juce::String::formatted ("%d + 1, %d, left + %d + %d, top + %d", mainComponent.getWidth(), panelTop,
                                                              panelWidth, offScreenPart, height));
    panel->removeKeyListener (this);
    panel->addKeyListener (this);
    panel->setWantsKeyboardFocus (true);
    if (panel->isShowing())
        panel->grabKeyboardFocus();

    SxRelativeBounds::detach (*panel);
    const auto bounds = panel->getBounds();
    animator.animateComponent (panel, bounds.withX (bounds.getX() - (bounds.getWidth() - offScreenPart + 1)), slideMs, false,
                               openEasing, 1.0f, 0.5, 0.5);
    // Until it is docked, a click meant for the opener that lands on the moving panel (a
    // quick second click) must not pick whatever thumbnail slid under the pointer.
    panel->setInterceptsMouseClicks (false, false);

    if (auto* view = getScroller())
        view->setViewPosition (savedViewPosition);

    startTimer (dockTimer, slideMs);
    stopTimer (parkTimer);
    // A close's modal exit still pending would leave the reopened panel without its modal state.
    stopTimer (leaveModalTimer);

    if (openerButton != nullptr)
        openerButton->setName ("ImageButtonOpened");

    main->enterModal (panel, false);

    if (auto* checkbox = getAutoCloseCheckbox())
        checkbox->setChecked (readAutoClose());

    open = true;
}

void GenericImageListPanel::slideOut (bool evenWhileSliding)
{
    auto* panel = slidePanel.getComponent();
    if (panel == nullptr || ! open || (animator.isAnimating (panel) && ! evenWhileSliding))
        return;

    SxRelativeBounds::detach (*panel);
    // To just beyond the right edge, wherever a cut-short opening left it.
    const auto bounds = panel->getBounds();
    const int parkedX = panel->getParentComponent() != nullptr ? panel->getParentWidth() + 1 : bounds.getX() + panelWidth + 1;
    animator.animateComponent (panel, bounds.withX (parkedX), slideMs, false, closeEasing, 1.0f, 0.5, 0.5);
    panel->setInterceptsMouseClicks (false, false);

    startTimer (parkTimer, slideMs);
    startTimer (leaveModalTimer, slideMs);
    stopTimer (dockTimer);

    if (openerButton != nullptr)
        openerButton->setName ("ImageButtonClosed");

    open = false;
}

void GenericImageListPanel::choose (juce::Button& button)
{
    if (auto* view = getScroller())
        savedViewPosition = view->getViewPosition();

    selectedIndex = button.getName().getIntValue();
    moveSelectionFrameTo (framePositionFor (button));
    showOnOpener (pictureOf (selectedIndex));

    if (readAutoClose())
    {
        // A pick during the opening slide closes as well: the panel must not stay open
        // and modal after its choice.
        slideOut (true);
        startTimer (reportTimer, reportDelayMs);
    }
    else
    {
        triggerAsyncUpdate();
    }
}

void GenericImageListPanel::moveSelectionFrameTo (juce::Point<int> topLeft)
{
    if (auto* frame = selectionFrame.getComponent())
    {
        frame->setTopLeftPosition (topLeft);
        frame->toFront (false);
    }
}

juce::Image GenericImageListPanel::pictureOf (int index) const
{
    if (index < 0 || index >= itemCount || groupName.isEmpty())
        return {};

    // Keyed by group and name: two lists whose groups share an item name keep their own.
    const auto key = groupName + itemNames[index];
    auto image = imageUnderKey (key);

    if (! image.isValid())
    {
        image = loadArchiveImage (groupName, itemNames[index]);
        if (image.isValid())
            juce::ImageCache::addImageToCache (image, cacheKey (key));
    }

    return image;
}

void GenericImageListPanel::showOnOpener (const juce::Image& chosen)
{
    auto* opener = openerButton.getComponent();
    if (opener == nullptr)
        return;

    // A picture that cannot be loaded leaves the placeholder, never an empty opener.
    const auto image = chosen.isValid() ? chosen : SxWidgetArt::get (WidgetArt::imageListPlaceholder);
    opener->setImages (false, true, false, image, 0.8f, {}, image, 0.9f, {}, image, 1.0f, {});
}

bool GenericImageListPanel::readAutoClose()
{
    auto* main = SxMainComponentServices::getInstance();
    auto* settings = main != nullptr ? main->getSettingsFile() : nullptr;
    return settings != nullptr ? settings->getBoolValue (autoCloseKey, true) : true;
}

void GenericImageListPanel::writeAutoClose (bool shouldClose)
{
    auto* main = SxMainComponentServices::getInstance();
    if (auto* settings = main != nullptr ? main->getSettingsFile() : nullptr)
    {
        settings->setValue (autoCloseKey, shouldClose);
        if (! settings->saveIfNeeded())
            juce::Logger::writeToLog ("The settings could not be saved to " + settings->getFile().getFullPathName());
    }
}
