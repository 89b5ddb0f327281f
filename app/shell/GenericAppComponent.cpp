#include "GenericAppComponent.h"

#include "BinaryData.h"
#include "Layer.h"
#include "PlatformPaths.h"
#include "PlatformResources.h"
#include "SettingsKeys.h"
#include "SxRelativeBounds.h"

namespace
{
    GenericAppComponent* instance = nullptr;

    /** The toolbar controls that follow the open image; the open button stays usable. */
    const char* const toolbarControlNames[] = { "savePhotoButton", "zoomInButton", "undoButton", "cropButton",
                                                "zoomOutButton", "redoButton", "originalButton", "randomizeButton" };

    juce::Component* findDescendant (juce::Component& root, const juce::String& name)
    {
        for (auto* child : root.getChildren())
        {
            if (child->getName() == name)
                return child;
            if (auto* found = findDescendant (*child, name))
                return found;
        }
        return nullptr;
    }

    void log (const juce::String& line)
    {
        juce::Logger::writeToLog (line);
    }

    /** The effect layers of every main component made so far. They are the layer registry's
        prototypes, which must stay valid for as long as the process runs. */
    std::vector<std::unique_ptr<Layer>>& effectPrototypes()
    {
        static std::vector<std::unique_ptr<Layer>> layers;
        return layers;
    }
}

GenericAppComponent::GenericAppComponent()
    : lookAndFeel (std::make_unique<SxMainLookAndFeel>())
{
    instance = this;
    setLookAndFeel (lookAndFeel.get());
    juce::LookAndFeel::setDefaultLookAndFeel (lookAndFeel.get());
}

GenericAppComponent::~GenericAppComponent()
{
    stopPresetPreviewThread();
    tooltipWindow.reset();
    presetBrowser.reset();
    // The tools before the canvas they point to.
    currentTool = nullptr;
    tools.clear();
    panTool.reset();
    document.reset();

    // The effect layers are registered prototypes and live as long as the process: the
    // stack must not delete the one it holds, none may call back into this component, and
    // their controls and caches go now, while the framework still runs.
    for (auto& group : effectGroups)
        for (auto* effect : group.effects)
        {
            if (layerManager != nullptr)
                layerManager->detachLayer (effect);
            effect->destroyControls();
            effect->dropCachedImages();
            effect->setCallback (nullptr);
            effect->setManager (nullptr);
        }

    layerManager.reset();
    settings.reset();

    if (&juce::LookAndFeel::getDefaultLookAndFeel() == lookAndFeel.get())
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    setLookAndFeel (nullptr);

    if (instance == this)
        instance = nullptr;
}

GenericAppComponent* GenericAppComponent::getInstance() noexcept
{
    return instance;
}

//==============================================================================
void GenericAppComponent::startUp()
{
    settings = std::make_unique<AppSettings> (AppSettings::getDefaultFile (getAppName()));
    useImageLocation = settings->get (SettingsKeys::useImageLocation);

    storedVersion = settings->get (SettingsKeys::lastVersionNumber);
    currentVersion = currentVersionNumber;
    settings->set (SettingsKeys::lastVersionNumber, currentVersion);

    layerManager = std::make_unique<LayerManager>();
    layerManager->setCallback (this);
    createEffectLayers();

    // Until the toolbar and the panels are laid out around it, the canvas takes the whole
    // component.
    document = std::make_unique<GenericAppDocument>();
    document->activeTool = currentTool;
    addAndMakeVisible (*document);
    SxRelativeBounds::apply (*document, "0, 0, left + parent.width, top + parent.height");

    loadColorHistory();

    if (! PlatformResources::findResource (getResourceArchiveName(), "bin").existsAsFile())
    {
        juce::StringArray searched;
        for (const auto& folder : PlatformResources::getResourceFolders())
            searched.add (folder.getFullPathName());
        log ("The resource archive \"" + getResourceArchiveName() + ".bin\" was not found in "
             + searched.joinIntoString (", ") + ": papers, borders and brushes will be missing.");
    }

    if (getDataResetVersion() != -1 && storedVersion < getDataResetVersion())
        clearAppDataFolder();

    installFactoryPresets();
}

void GenericAppComponent::installFactoryPresets()
{
    const auto presetsVersion = getFactoryPresetsVersion();
    const bool olderThanPresets = presetsVersion != -1 && storedVersion < presetsVersion && storedVersion < currentVersion;

    for (auto& group : effectGroups)
        for (auto* effect : group.effects)
            if (! effect->hasEffectPresets() || olderThanPresets)
                effect->installFactoryPresets();
}

void GenericAppComponent::rebuildDefaultPresets()
{
    for (auto& group : effectGroups)
        for (auto* effect : group.effects)
            effect->installFactoryPresets();
}

juce::PropertiesFile* GenericAppComponent::getSettingsFile()
{
    return settings != nullptr ? &settings->getPropertiesFile() : nullptr;
}

void GenericAppComponent::clearAppDataFolder()
{
    const auto folder = PlatformPaths::getApplicationDataFolder (getAppName());
    for (const auto& entry : folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*", juce::File::FollowSymlinks::no))
        entry.isDirectory() ? (void) entry.deleteRecursively (false) : (void) entry.deleteFile();
}

void GenericAppComponent::createUI()
{
    setSize (1024, 768);

    settings->set (SettingsKeys::freshProject, true);
    settings->saveIfNeeded();

    if (settings->get (SettingsKeys::showToolTips))
        showTooltips();
    else
        hideTooltips();

    if ((presetBrowser = createPresetBrowser()) != nullptr)
    {
        presetBrowser->setComponentID ("presetControlComponent");
        addAndMakeVisible (*presetBrowser);
        SxRelativeBounds::apply (*presetBrowser, "0, parent.height, left + parent.width, top + 155");
    }

    if ((panTool = createPanTool()) != nullptr)
    {
        addAndMakeVisible (*panTool);
        tools.push_back (panTool.get());
        SxRelativeBounds::apply (*panTool, "(parent.width - 256 - 130)/2 - 62 + 165 + 60, 1, left + 50, top + 30");
        panTool->addListener (this);
        panTool->setTooltip ("Use this to move the image within the app.");
        selectTool (panTool.get());
    }

    disableToolbar();
}

void GenericAppComponent::selectTool (SxTool* tool)
{
    if (tool == currentTool || document == nullptr)
        return;

    if (layerManager != nullptr)
        if (auto* effect = layerManager->getFirstEffectLayer(); effect != nullptr && ! effect->acceptsTool (tool))
            return;

    if (currentTool != nullptr)
    {
        currentTool->setActive (false);
        document->activeTool = nullptr;
    }

    currentTool = tool;

    if (tool != nullptr)
    {
        tool->setDocument (document.get());
        document->activeTool = tool;
        tool->setActive (true);
    }
    else
    {
        document->setMouseCursor (juce::MouseCursor::NormalCursor);
    }

    document->repaint();
}

void GenericAppComponent::refreshCanvas()
{
    if (document != nullptr)
        document->repaint();
}

void GenericAppComponent::firstShow()
{
    setWantsKeyboardFocus (true);
    grabKeyboardFocus();
    if (auto* parent = getParentComponent())
        parent->toFront (true);

    const bool presetOpen = settings->get (SettingsKeys::presetManagerOpened);
    const bool effectOpen = settings->get (SettingsKeys::effectControlComponentOpened);

    if (presetOpen && presetBrowser != nullptr && presetBrowser->getY() >= getHeight())
        if (auto* browser = dynamic_cast<juce::Button::Listener*> (presetBrowser.get()))
        {
            juce::ImageButton upArrow ("upArrowButton");
            browser->buttonClicked (&upArrow);
        }

    if (auto* effectPanel = findChildWithID ("effectControlComponent"))
        if (effectOpen && effectPanel->getX() >= getWidth())
            if (auto* showArrow = dynamic_cast<juce::Button*> (findDescendant (*this, "leftArrowButton")))
                clickButton (showArrow);

    if (isHost (anyPluginHost))
        startTimer (reloadHostImageTimer, 325);

    startTimer (idleAfterStartTimer, isHost (anyPluginHost) ? 10000 : 3000);
}

bool GenericAppComponent::confirmQuit()
{
    setQuitting();

    if (isHost (anyPluginHost))
    {
        showQuitOrApplyAlert();
        return false;
    }

    SxImageRgbaBytes::deleteSwapFile ("origBeforeEdit.tmp");
    return true;
}

void GenericAppComponent::reloadHostImage()
{
    if (isHost (anyPluginHost) && document != nullptr)
        document->fitInWindow (false);
}

bool GenericAppComponent::isHost (int kind) const
{
    switch (kind)
    {
        case anyPluginHost:
            return hostKind == 1 || hostKind == 2 || hostKind == 3 || hostKind == 4
                || hostKind == 8 || hostKind == 9 || hostKind == 10 || hostKind == 11;
        case 7:
            return hostKind == 5 || hostKind == 6 || hostKind == 7;
        default:
            return hostKind == kind;
    }
}

//==============================================================================
void GenericAppComponent::askSaveProject (const juce::File& projectFile)
{
    log ("Project handed over (projects cannot be opened yet): " + projectFile.getFullPathName());
}

void GenericAppComponent::openImage (const juce::File& imageFile, bool)
{
    log ("Image handed over (images cannot be opened yet): " + imageFile.getFullPathName());
}

void GenericAppComponent::openFilesFromOtherInstance (const juce::StringArray& files)
{
    log ("Files handed over: " + files.joinIntoString (", "));
}

//==============================================================================
void GenericAppComponent::addEffect (Layer* effect)
{
    if (effectGroups.empty())
    {
        int size = 0;
        const auto* data = BinaryData::getNamedResource ("icon_png", size);
        auto icon = data != nullptr ? juce::ImageFileFormat::loadFrom (data, (size_t) size) : juce::Image();
        if (icon.isValid())
            icon = icon.rescaled (128, 128, juce::Graphics::mediumResamplingQuality);
        addEffectGroup (getAppName(), icon);
    }

    effectPrototypes().emplace_back (effect);
    effectGroups[(size_t) currentEffectGroup].effects.push_back (effect);
}

void GenericAppComponent::addEffectGroup (const juce::String& name, const juce::Image& icon)
{
    effectGroups.push_back ({ {}, name, icon });
    currentEffectGroup = (int) effectGroups.size() - 1;
}

//==============================================================================
void GenericAppComponent::showTooltips()
{
    if (tooltipWindow != nullptr || settings == nullptr || ! settings->get (SettingsKeys::showToolTips))
        return;

    tooltipWindow = std::make_unique<juce::TooltipWindow> (nullptr, 700);
    tooltipWindow->setMillisecondsBeforeTipAppears (800);
    tooltipWindow->setLookAndFeel (lookAndFeel.get());
}

void GenericAppComponent::hideTooltips()
{
    tooltipWindow.reset();
}

void GenericAppComponent::enableToolbar()
{
    if (workingImage)
        setToolbarControlsEnabled (true);
}

void GenericAppComponent::disableToolbar()
{
    setToolbarControlsEnabled (false);
}

void GenericAppComponent::setToolbarControlsEnabled (bool enabled)
{
    controlsEnabled = enabled;
    for (auto* name : toolbarControlNames)
        if (auto* control = findDescendant (*this, name))
            control->setEnabled (enabled);
    if (presetBrowser != nullptr)
        presetBrowser->setEnabled (enabled);
}

void GenericAppComponent::timerCallback (int timerID)
{
    stopTimer (timerID);

    switch (timerID)
    {
        case reloadHostImageTimer:  reloadHostImage(); break;
        case idleAfterStartTimer:   break;
        default:                    break;
    }
}

void GenericAppComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (120, 120, 120));
}
