#include "GenericAppComponent.h"

#include "BinaryData.h"
#include "CallbackFileChooserStart.h"
#include "EffectPanelArrowButton.h"
#include "GenericApplication.h"
#include "Geometry.h"
#include "ImageSaveFlow.h"
#include "ImageFileBridges.h"
#include "Layer.h"
#include "LayerSaveOptions.h"
#include "MainToolbar.h"
#include "OpenImageRules.h"
#include "PlatformPaths.h"
#include "PlatformResources.h"
#include "ProjectFile.h"
#include "RenderHiResActivityThread.h"
#include "RenderThread.h"
#include "Resampling.h"
#include "SaveProjectQuestion.h"
#include "SettingsKeys.h"
#include "StaticImageLayer.h"
#include "SxActivityContainer.h"
#include "SxAlertComponent.h"
#include "SxClock.h"
#include "SxColorComponent.h"
#include "SxLabel.h"
#include "SxMainMenuButton.h"
#include "SxMainTabController.h"
#include "SxOutsideModalInput.h"
#include "SxRelativeBounds.h"
#include "SxTabSegmentController.h"
#include "SxWidgetArt.h"
#include "UndoSnapshot.h"

#include <cmath>

namespace
{
    GenericAppComponent* instance = nullptr;

    // Where the effect panel and its two tabs rest; the canvas and the sub-tool bar follow
    // the panel's left edge.
    const char* const effectPanelParkedExpression = "parent.width, topBar.height, left + 256, presetControlComponent.top";
    const char* const effectPanelDockedExpression = "parent.width - 256, topBar.height, left + 256, presetControlComponent.top";
    const char* const hideArrowExpression = "parent.width - 256 - 33, 33, left + 41, top + 30";
    const char* const showArrowExpression = "parent.width - 35, 33, left + 41, top + 30";
    const char* const canvasExpression = "0, subToolBarComp.height + subToolBarComp.top, "
                                         "left + effectControlComponent.left - left + 1, top + presetControlComponent.top - top + 1";

    /** A colour word (bytes alpha, red, green, blue) of an opaque grey or colour. */
    juce::uint32 opaque (juce::uint8 r, juce::uint8 g, juce::uint8 b)
    {
        return SxColorComponent::wordFromColour (juce::Colour (r, g, b));
    }

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

    /** The untouched copy of the opened image, which the crop starts from. */
    const char* const originalSwapName = "origBeforeEdit.tmp";

    /** A resolution the file states, or 72 where it states none that makes sense. */
    float dotsPerInch (double stated)
    {
        return std::isfinite (stated) && stated > 0.0 ? (float) stated : 72.0f;
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

    // A success stays silent.
    imageWriter.onFinished = [this] (const ImageSaveWriter::Outcome& outcome)
    {
        if (! outcome.succeeded())
        {
            log (outcome.message);
            showImageNotSaved (ImageSaveFlow::notSavedTitle, outcome.message);
        }
    };
}

GenericAppComponent::~GenericAppComponent()
{
    stopPresetPreviewThread();
    // The render reads the stack and the images below: it ends before they go. Its
    // completion, still queued, finds no component to report to.
    renderThread.reset();
    hideActivityOverlay();
    tooltipWindow.reset();

    // No expression may look for a sibling that is already gone.
    effectPanelAnimator.cancelAllAnimations (false);
    getPanelAnimator().cancelAllAnimations (false);
    for (auto* child : getChildren())
        SxRelativeBounds::detach (*child);
    if (panTool != nullptr)
        panTool->removeListener (this);
    windowContent.clear();
    presetBrowser.reset();
    // The tools before the canvas they point to.
    currentTool = nullptr;
    tools.clear();
    panTool.reset();
    document.reset();
    // What added itself and deletes itself when closed (an alert still up at quit).
    deleteAllChildren();

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

template <typename ComponentType>
ComponentType& GenericAppComponent::addContent (std::unique_ptr<ComponentType> component, const juce::String& expression)
{
    auto& added = *component;
    windowContent.add (component.release());
    addAndMakeVisible (added);
    SxRelativeBounds::apply (added, expression);
    return added;
}

void GenericAppComponent::createUI()
{
    jassert (topBar == nullptr);   // once only
    setSize (1024, 768);

    settings->set (SettingsKeys::freshProject, true);
    settings->saveIfNeeded();

    if (settings->get (SettingsKeys::showToolTips))
        showTooltips();
    else
        hideTooltips();

    createTopBar();
    createToolbarButtons();
    createPresetBrowserPlace();
    createEffectPanel();
    presetBrowser->toFront (false);
    createSubToolBar();

    SxRelativeBounds::apply (*document, canvasExpression);
    if (auto* shadow = findChildWithID ("topBarShadow"))
        shadow->toFront (false);   // over the canvas's top edge

    if ((panTool = createPanTool()) != nullptr)
    {
        addAndMakeVisible (*panTool);
        tools.push_back (panTool.get());
        SxRelativeBounds::apply (*panTool, MainToolbar::panToolExpression);
        panTool->addListener (this);
        panTool->setTooltip ("Use this to move the image within the app.");
        selectTool (panTool.get());
    }

    disableToolbar();

    setWantsKeyboardFocus (true);
    grabKeyboardFocus();
    document->setWantsKeyboardFocus (true);
    document->grabKeyboardFocus();
    startTimer (canvasFocusTimer, 600);
}

void GenericAppComponent::createTopBar()
{
    auto bar = std::make_unique<SxColorComponent>();
    bar->setComponentID ("topBar");
    bar->setColour (opaque (65, 65, 65));
    topBar = &addContent (std::move (bar), "0, 0, left+parent.width, top+33");

    auto strip = std::make_unique<juce::ImageComponent>();
    strip->setComponentID ("topBarShadow");
    strip->setImage (SxWidgetArt::get (WidgetArt::toolbarShadow), juce::RectanglePlacement::stretchToFit);
    auto& shadow = addContent (std::move (strip), "0, " + juce::String (topBar->getHeight()) + ", topBar.width, top+8");
    shadow.toBehind (topBar);
    shadow.setEnabled (false);
    shadow.setInterceptsMouseClicks (false, false);
}

void GenericAppComponent::createToolbarButtons()
{
    for (const auto& entry : MainToolbar::buttons())
    {
        auto& button = addContent (std::make_unique<SxMainMenuButton> (entry.name, SxWidgetArt::get (entry.icon), entry.constructorTooltip),
                                   entry.expression);
        if (entry.reportsToCanvas)
            button.addListener (document.get());
        else
            button.addListener (this);

        const juce::String name (entry.name);
        if (name == "savePhotoButton")
            button.setComponentID (name);
        else if (name == "cropButton")
            button.setEnabled (false);
        else if (name == "originalButton")
            button.reportsPressAndRelease = true;

        button.setTooltip (entry.buildTooltip);
    }
}

void GenericAppComponent::createPresetBrowserPlace()
{
    // Until the preset browser exists, an empty place keeps the expressions that end at its
    // top edge true.
    presetBrowser = createPresetBrowser();
    if (presetBrowser == nullptr)
        presetBrowser = std::make_unique<juce::Component>();

    presetBrowser->setComponentID ("presetControlComponent");
    addAndMakeVisible (*presetBrowser);
    SxRelativeBounds::apply (*presetBrowser, "0, parent.height, left + parent.width, top + 155");
}

void GenericAppComponent::createEffectPanel()
{
    auto panel = std::make_unique<SxColorComponent>();
    panel->setColour (opaque (52, 52, 52));
    panel->setComponentID ("effectControlComponent");
    effectPanel = &addContent (std::move (panel), effectPanelParkedExpression);

    effectTitleBar = new SxColorComponent();
    effectTitleBar->setColour (opaque (77, 77, 77));
    effectPanel->addAndMakeVisible (effectTitleBar);
    SxRelativeBounds::apply (*effectTitleBar, "0,0,parent.width, 30");

    effectTitleLabel = new SxLabel ({}, {});
    effectTitleLabel->setFont (juce::Font (13.0f, juce::Font::plain));
    effectTitleLabel->setJustificationType (juce::Justification::centred);
    effectTitleLabel->setColour (juce::Label::textColourId, juce::Colours::white);
    effectTitleBar->addAndMakeVisible (effectTitleLabel);
    SxRelativeBounds::apply (*effectTitleLabel, "0,5, parent.width, top + 23");

    effectTabBar = new SxTabSegmentController();
    effectTabBar->centred = false;
    effectTitleBar->addAndMakeVisible (effectTabBar);
    SxRelativeBounds::apply (*effectTabBar, "40, 0, parent.width, parent.height");

    effectTabs = new SxMainTabController();
    effectPanel->addAndMakeVisible (effectTabs);
    SxRelativeBounds::apply (*effectTabs, "0, 30, left + parent.width, parent.height");

    effectTabBar->host = effectTabs;
    effectTabs->tabRow = effectTabBar;

    auto& hide = addContent (std::make_unique<EffectPanelArrowButton> ("arrowRightButton", SxWidgetArt::get (WidgetArt::effectPanelHideArrow)),
                             hideArrowExpression);
    hide.setAlpha (0.0f);
    hide.setEnabled (false);   // out of sight with the panel: nothing to hide yet
    hide.addListener (this);
    hide.setTooltip ("Click to hide the Adjust Tab.");
    hideArrow = &hide;

    auto& show = addContent (std::make_unique<EffectPanelArrowButton> ("leftArrowButton", SxWidgetArt::get (WidgetArt::effectPanelShowArrow)),
                             showArrowExpression);
    show.addListener (this);
    show.setTooltip ("Click to show the Adjust Tab.");
    showArrow = &show;
}

void GenericAppComponent::createSubToolBar()
{
    const auto topBarHeight = juce::String (topBar->getHeight());

    auto bar = std::make_unique<SxColorComponent>();
    bar->setComponentID ("subToolBarComp");
    bar->setColour (opaque (77, 77, 77));
    addContent (std::move (bar), "0, 0, effectControlComponent.left, top+30").toBehind (topBar);

    // Empty in this product: where it has no tool options, clicks reach the canvas below.
    auto area = std::make_unique<juce::Component> ("subToolInsideControlComponent");
    area->setComponentID ("subToolInsideControlComponent");
    area->setInterceptsMouseClicks (false, true);
    addContent (std::move (area), "0, 1+" + topBarHeight + ", left + effectControlComponent.left - left, top+29").toBehind (topBar);
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

    if (effectOpen && effectPanel != nullptr && effectPanel->getX() >= getWidth())
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
    if (projectQuestionOpen)
    {
        projectAwaitingAnswer = projectFile;
        return;
    }

    if (settings == nullptr || settings->get (SettingsKeys::freshProject))
    {
        openProject (projectFile);
        return;
    }

    projectQuestionOpen = true;
    projectAwaitingAnswer = projectFile;
    SaveProjectQuestion::ask (*this, [safeThis = juce::Component::SafePointer<GenericAppComponent> (this)] (SaveProjectQuestion::Answer answer)
    {
        if (safeThis != nullptr)
            safeThis->projectQuestionAnswered (answer);
    });
}

void GenericAppComponent::projectQuestionAnswered (SaveProjectQuestion::Answer answer)
{
    projectQuestionOpen = false;
    const auto file = std::exchange (projectAwaitingAnswer, juce::File());

    switch (answer)
    {
        case SaveProjectQuestion::Answer::cancel:
            break;

        case SaveProjectQuestion::Answer::no:
            openProject (file);
            break;

        case SaveProjectQuestion::Answer::yes:
            // Also after a save in place: the user asked for the handed-over file.
            settings->set (SettingsKeys::needsToLoadImagePath, file.getFullPathName());
            saveProjectOrImage (true);
            break;
    }
}

void GenericAppComponent::openProject (const juce::File& projectFile)
{
    // The render threads read the images and layers an open replaces.
    if (renderThread != nullptr || busy)
    {
        pendingOpen = PendingOpen { projectFile, false, true };
        return;
    }

    // Read whole before anything is touched: a refused file costs nothing.
    ProjectFile::Contents contents;
    if (const auto read = ProjectFile::read (projectFile, contents); read.failed())
    {
        log ("Project not opened: " + projectFile.getFullPathName() + ": " + read.getErrorMessage());
        showProjectProblem ("Project Not Opened", OpenImageRules::describeNotOpened (projectFile, read.getErrorMessage()));
        return;
    }

    // The document now matches the file: no unsaved changes, as after opening an image
    // (left as it was, a hand-over would ask to save a project nobody has changed). A
    // project brings no camera metadata, and saving the painting proposes its name.
    takeOpenedPicture (projectFile, contents.picture, contents.resolutionX, contents.resolutionY, {});
    if (settings != nullptr)
        settings->saveIfNeeded();

    if (contents.properties.getAllProperties().size() > 0)
        importFromPropertySet (contents.properties);

    projectSettings = &contents.properties;
    setUpNewImage (false);
    projectSettings = nullptr;
}

void GenericAppComponent::placeProjectEffect (const SxPropertySet& project)
{
    if (effectGroups.empty())
        return;

    // Single-effect: the stack's first effect layer, loaded into the effect list's own
    // layer of its class so that a later switch finds these settings.
    const auto& effects = effectGroups[(size_t) currentEffectGroup].effects;
    if (effects.empty())
        return;

    const auto className = project.getValue ("ClassName1", {});
    int index = 0;
    for (int i = 0; i < (int) effects.size(); ++i)
        if (effects[(size_t) i]->getClassName() == className)
        {
            index = i;
            break;
        }

    auto* chosen = effects[(size_t) index];
    if (auto record = SxPropertySet::readRecord (project, "EffectDictionary1"))
        chosen->loadFromPropertySet (*record, LayerSaveOptions {});

    if (layerManager->getFirstEffectLayer() != chosen)
    {
        selectEffectIndex (index, false);
        return;
    }

    layerManager->selectLayer (chosen, true);
    chosen->setNeedsRender (true);
    showEffectControls (chosen);
}

juce::Result GenericAppComponent::writeProjectFile (const juce::File& file)
{
    if (! sourceImage || ! workingImage || layerManager == nullptr)
        return juce::Result::fail ("There is no picture to save.");

    SxPropertySet document;
    layerManager->saveToPropertySet (document, LayerSaveOptions {});
    exportToPropertySet (document);

    // The thumbnail shows the preview painting: the stack at the working size.
    layerManager->setFullResolutionRender (false);
    const auto* painting = layerManager->renderStack (nullptr, false, false);
    if (painting == nullptr)
        painting = workingImage.get();

    return ProjectFile::write (file, document, *sourceImage, resolutionX, resolutionY, *painting);
}

void GenericAppComponent::loadColorHistory()
{
    auto* app = GenericApplication::getApplication();
    setHistoryFile (ColorHistoryAddon::getDefaultFile (app != nullptr ? app->getApplicationName() : getAppName()));
    if (! loadFromFile())
        log ("The colour history " + getHistoryFile().getFullPathName() + " was not read.");
}

void GenericAppComponent::openImage (const juce::File& imageFile, bool fitLater)
{
    // The render threads read the images and layers an open replaces.
    if (renderThread != nullptr || busy)
    {
        pendingOpen = PendingOpen { imageFile, fitLater };
        return;
    }

    // Decoded before anything is touched: a file that does not open changes nothing.
    auto opened = ImageFileBridges::openImageFile (imageFile);
    if (! opened.image)
    {
        log ("Not opened: " + imageFile.getFullPathName() + ": " + opened.refusal);
        showImageNotOpened (OpenImageRules::notOpenedTitle, OpenImageRules::describeNotOpened (imageFile, opened.refusal));
        return;
    }

    takeOpenedPicture (imageFile, opened.image, opened.resolutionX, opened.resolutionY, std::move (opened.exif));
    if (settings != nullptr)
        settings->set (SettingsKeys::needsToLoadImagePath, juce::String());

    setUpNewImage (false);

    if (fitLater)
        startTimer (fitAfterOpenTimer, 1500);
}

void GenericAppComponent::takeOpenedPicture (const juce::File& file, SxRef<SxImageRgbaBytes> picture,
                                              double statedResolutionX, double statedResolutionY, juce::MemoryBlock exif)
{
    stopPresetPreviewThread();

    cropRect = { 0.0f, 0.0f, 0.0f, 0.0f };
    cropController = nullptr;
    cropSourceImage.reset();

    sourceImage = std::move (picture);

    if (settings != nullptr)
    {
        settings->set (SettingsKeys::imagePath, file.getFullPathName());
        settings->set (SettingsKeys::freshProject, true);
        settings->remove (SettingsKeys::freshProjectUndoCount.name);
    }

    currentImageFile = file;
    if (auto* window = getTopLevelComponent(); window != nullptr && window != this)
    {
        window->setName (file.getFileName());
        if (auto* peer = window->getPeer())
            peer->setRepresentedFile (file);
    }

    resolutionX = dotsPerInch (statedResolutionX);
    resolutionY = dotsPerInch (statedResolutionY);
    cameraMetadata = std::move (exif);

    // A stale copy would let the crop start from the previous image.
    if (! sourceImage->swapOut (originalSwapName))
    {
        SxImageRgbaBytes::deleteSwapFile (originalSwapName);
        log ("The untouched copy of " + file.getFileName() + " could not be written: cropping starts from nothing.");
    }
}

void GenericAppComponent::chooseAndOpenImage()
{
    // "ImagePath" is written by the open itself, so a cancelled chooser leaves it alone.
    const auto chosen = ImageFileBridges::chooseImageFile();
    if (chosen != juce::File() && chosen.existsAsFile())
        openImage (chosen, false);
}

void GenericAppComponent::setUpNewImage (bool replacedInPlace)
{
    clearPresetSelection();

    if (replacedInPlace && settings != nullptr)
        settings->set (SettingsKeys::feshProject, true);

    if (! sourceImage || layerManager == nullptr)
        return;

    const auto size = OpenImageRules::workingImageSize (sourceImage->width, sourceImage->height);
    workingImage = SxRef<SxImageRgbaBytes> (new SxImageRgbaBytes (size.x, size.y, SxImageRgbaBytes::uninitialised));
    blitScaledRgba (*workingImage, *sourceImage,
                    { 0.0f, 0.0f, (float) (sourceImage->width - 1), (float) (sourceImage->height - 1) },
                    { 0.0f, 0.0f, (float) (size.x - 1), (float) (size.y - 1) }, 1);

    auto* base = dynamic_cast<StaticImageLayer*> (layerManager->getLayer (0));
    if (base == nullptr)
    {
        base = new StaticImageLayer();
        base->setManager (layerManager.get());
        layerManager->addLayer (base);
    }
    base->setSourceImage (workingImage.get());
    base->setNeedsRender (true);

    for (auto& group : effectGroups)
        for (auto* effect : group.effects)
        {
            effect->setCallback (this);
            effect->onSourceImageReplaced (workingImage.get(), replacedInPlace);
        }

    if (projectSettings != nullptr)
        placeProjectEffect (*projectSettings);
    else if (auto* effect = layerManager->getFirstEffectLayer())
        effect->setNeedsRender (true);
    else
        selectEffectIndex (0, false);

    setDisplayedImage (workingImage.get());
    if (document != nullptr)
        document->fitInWindow (false);

    resetUndo();
    recordUndoState();

    renderNow();

    if (! firstImageSetUp)
    {
        showDocument();
        firstImageSetUp = true;
    }

    if (settings != nullptr && settings->get (SettingsKeys::currentSaveCount) > 5)
        showNotificationPanelNotice();

    startTimer (presetThumbnailsTimer, 100);
}

bool GenericAppComponent::isInterestedInFileDrag (const juce::StringArray& files)
{
    if (isHost (anyPluginHost) || files.isEmpty())
        return false;

    for (const auto& path : files)
        if (OpenImageRules::isAcceptedDragPath (path, getProjectExtension()))
            return true;
    return false;
}

void GenericAppComponent::filesDropped (const juce::StringArray& files, int, int)
{
    if (files.isEmpty())
        return;

    if (auto* outside = dynamic_cast<SxOutsideModalInput*> (juce::Component::getCurrentlyModalComponent()))
        outside->inputAttemptOutsideModal();

    const juce::File file (files[0]);
    if (isProjectFile (file))
        askSaveProject (file);
    else
        openImage (file, false);
}

void GenericAppComponent::showImageNotOpened (const juce::String& title, const juce::String& message)
{
    // The alert adds itself to this component, slides in and deletes itself when closed.
    new SxAlertComponent ("imageNotOpenedAlert", title, message, nullptr);
}

void GenericAppComponent::showImageNotSaved (const juce::String& title, const juce::String& message)
{
    new SxAlertComponent ("imageNotSavedAlert", title, message, nullptr);
}

//==============================================================================
SxImageRgbaBytes* GenericAppComponent::renderHiRes()
{
    auto* base = layerManager != nullptr ? dynamic_cast<StaticImageLayer*> (layerManager->getLayer (0)) : nullptr;
    if (! sourceImage || ! workingImage || base == nullptr || renderThread != nullptr || busy)
        return nullptr;

    busy = true;
    if (document != nullptr)
    {
        document->suppressToolPaint = true;
        document->keepPrivateCopy();
        document->repaint();
    }

    layerManager->setFullResolutionRender (true);
    base->setSourceImage (sourceImage.get());
    layerManager->rescaleAllToNewImage (workingImage.get(), sourceImage.get());

    SxRef<SxImageRgbaBytes> result;
    {
        RenderHiResActivityThread activity ("Rendering...", 10000);
        activity.layerManager = layerManager.get();
        activity.baseLayer = base;
        activity.workingImage = workingImage.get();
        activity.fullSizeImage = sourceImage.get();
        activity.reRenderPreview = true;
        activity.setStatusMessage ("Saving...");
        activity.runModal (5);

        result = activity.takeFullSizeResult();
        lastRenderedImage = activity.getPreviewResult();

        if (! activity.mappedBack())
        {
            // The worker never ran: the stack goes back to the preview here.
            log ("The full-size render did not run.");
            layerManager->rescaleAllToPreviousImage (workingImage.get(), sourceImage.get());
            layerManager->setFullResolutionRender (false);
            base->setSourceImage (workingImage.get());
            lastRenderedImage = layerManager->renderStack (nullptr, false, false);
        }
    }

    if (document != nullptr)
        document->suppressToolPaint = false;
    setDisplayedImage (lastRenderedImage);

    busy = false;
    renderComplete();

    if (pendingOpen)
        juce::MessageManager::callAsync ([safe = juce::Component::SafePointer<GenericAppComponent> (this)]
        {
            if (safe != nullptr && ! safe->busy && safe->renderThread == nullptr)
                safe->openPendingFile();
        });

    return result.detach();
}

void GenericAppComponent::saveOrApplyImage()
{
    if (isHost (anyPluginHost))
    {
        applyImageToPhoto();
        return;
    }

    SxRef<SxImageRgbaBytes> image (renderHiRes());
    hideTooltips();   // none over the panel

    ImageSaveFlow::Request r;
    r.window = this;
    r.settings = settings.get();
    r.writer = &imageWriter;
    r.useImageLocation = useImageLocation;
    r.imageFile = currentImageFile;
    r.document.resolutionX = resolutionX;
    r.document.resolutionY = resolutionY;
    r.document.exif = cameraMetadata;
    r.afterPanel = [safe = juce::Component::SafePointer<GenericAppComponent> (this)]
    {
        if (safe != nullptr)
            safe->showTooltips();
    };
    ImageSaveFlow::begin (std::move (image), std::move (r));
}

void GenericAppComponent::showProjectProblem (const juce::String& title, const juce::String& message)
{
    new SxAlertComponent ("projectAlert", title, message, nullptr);
}

//==============================================================================
float GenericAppComponent::getRenderScale()
{
    if (! sourceImage || layerManager == nullptr)
        return 1.0f;

    if (auto* base = dynamic_cast<StaticImageLayer*> (layerManager->getLayer (0)))
        if (auto* image = base->getSourceImage())
            return (float) juce::jmax (image->width, image->height) * (1.0f / 1024.0f);

    return 1.0f;
}

void GenericAppComponent::requestRender (bool showBusy, const RectBounds* area)
{
    startPreviewRender (showBusy, area);
}

void GenericAppComponent::renderNow()
{
    startPreviewRender (true, nullptr);
}

void GenericAppComponent::startPreviewRender (bool showBusy, const RectBounds* area)
{
    if (! workingImage || layerManager == nullptr)
        return;

    // A preset load waiting on its timer must not run into the render.
    stopTimer (presetLoadTimer);
    stopTimer (presetChoiceTimer);

    RectBounds target { 0.0f, 0.0f, (float) (workingImage->width - 1), (float) (workingImage->height - 1) };
    if (area != nullptr)
    {
        auto clipped = *area;
        clipRectToBounds (clipped, target);
        target = clipped;
    }

    if (renderThread != nullptr)
    {
        // The layers the caller marked stay marked; the running render's end renders them.
        renderRequestDropped = true;
        return;
    }

    renderStartMark = SxClock::getMillisecondCounter();
    busy = true;
    repaintDocument();

    const bool show = showBusy && consumeOverlaySuppression();
    showActivityOverlay ("Rendering...", true, show);
    auto* overlay = getActivityOverlay();

    // Out of sight, the overlay still has to be showing to stay modal (the framework ends
    // the modal state of a component that is not): a child of no size draws nothing.
    if (! show && overlay->getParentComponent() == nullptr && document != nullptr)
    {
        overlay->setBounds ({});
        document->addAndMakeVisible (*overlay);
    }

    if (overlay != juce::Component::getCurrentlyModalComponent())
        enterModal (overlay, true);

    startRenderThread (target);
}

void GenericAppComponent::startRenderThread (const RectBounds& area)
{
    renderRequestDropped = false;
    layerManager->setFullResolutionRender (false);
    renderThread = std::make_unique<RenderThread> (*this, area);
    renderThread->startThread();
}

bool GenericAppComponent::stackHasMarkedLayer() const
{
    for (int i = 1; i < layerManager->getNumLayers(); ++i)
        if (auto* layer = layerManager->getLayer (i))
            if ((layer->isVisible() || layer->rendersWhenHidden()) && layer->needsRender())
                return true;
    return false;
}

void GenericAppComponent::previewRenderThreadFinished (RenderThread* thread)
{
    if (thread == nullptr || thread != renderThread.get())
        return;

    renderThread.reset();   // its run has ended: posting was its last step

    // What changed during the render is rendered on a worker too, not here on the message
    // thread: the window stays responsive and the overlay stays up meanwhile.
    if (renderRequestDropped && stackHasMarkedLayer() && workingImage)
    {
        startRenderThread ({ 0.0f, 0.0f, (float) (workingImage->width - 1), (float) (workingImage->height - 1) });
        return;
    }
    renderRequestDropped = false;

    finishPreviewRender();
    endBusyState();
    renderComplete();

    openPendingFile();
}

void GenericAppComponent::openPendingFile()
{
    if (auto pending = std::exchange (pendingOpen, std::nullopt))
        pending->project ? openProject (pending->file) : openImage (pending->file, pending->fitLater);
}

void GenericAppComponent::endBusyState()
{
    exitModal (getActivityOverlay());
    hideActivityOverlay();
    busy = false;
}

void GenericAppComponent::finishPreviewRender()
{
    if (layerManager == nullptr)
        return;

    layerManager->setFullResolutionRender (false);
    lastRenderedImage = layerManager->renderStack (nullptr, false, false);
    setDisplayedImage (lastRenderedImage);
}

void GenericAppComponent::renderRegionNow (const RectBounds& area, bool flag)
{
    if (renderThread != nullptr || layerManager == nullptr)
        return;

    layerManager->setFullResolutionRender (false);
    lastRenderedImage = layerManager->renderStack (&area, flag, false);
    if (document != nullptr)
        document->updateImageRegion (area);
}

void GenericAppComponent::renderComplete()
{
    const auto seconds = (double) (SxClock::getMillisecondCounter() - renderStartMark) / 1000.0;
    log (juce::String::formatted ("Total: %f %s", seconds, "Render Complete"));

    if (isHost (photosHost) && ! photosFirstRenderDone)
    {
        photosFirstRenderDone = true;
        startTimer (photosSettingsTimer, 100);
    }
}

void GenericAppComponent::repaintDocument()
{
    if (document != nullptr)
        document->repaint();
}

void GenericAppComponent::showDocument()
{
    enableToolbar();
    if (isShowing())
        grabKeyboardFocus();
    repaintDocument();
}

void GenericAppComponent::setDisplayedImage (SxImageRgbaBytes* image)
{
    if (document != nullptr)
        document->setImage (image);
}

bool GenericAppComponent::consumeOverlaySuppression()
{
    return ! std::exchange (overlaySuppressed, false);
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

juce::Array<juce::Image> GenericAppComponent::getEffectIcons() const
{
    juce::Array<juce::Image> icons;
    for (const auto& group : effectGroups)
        icons.add (group.icon.createCopy());
    return icons;
}

juce::StringArray GenericAppComponent::getEffectNames() const
{
    juce::StringArray names;
    for (const auto& group : effectGroups)
        names.add (group.name);
    return names;
}

void GenericAppComponent::saveLastCategory (const juce::String&, int, bool) {}

void GenericAppComponent::loadLastCategory (int, int, bool) {}

void GenericAppComponent::selectEffectIndex (int index, bool render)
{
    if (layerManager == nullptr || layerManager->getNumLayers() == 0
        || dynamic_cast<StaticImageLayer*> (layerManager->getLayer (0)) == nullptr)
        return;

    const auto& effects = effectGroups[(size_t) currentEffectGroup].effects;
    if (! juce::isPositiveAndBelow (index, (int) effects.size()))
        return;

    auto* chosen = effects[(size_t) index];
    auto* current = layerManager->getFirstEffectLayer();
    if (current == chosen)
        return;

    // The old page's pop-ups close with its controls, before anything they point to moves.
    if (current != nullptr)
        current->destroyControls();

    for (auto& group : effectGroups)
        for (auto* effect : group.effects)
            effect->dropCachedImages();

    selectTool (nullptr);

    chosen->setManager (layerManager.get());
    chosen->setCallback (this);
    layerManager->replaceEffectLayer (chosen, false);
    layerManager->selectLayer (chosen, true);
    chosen->setNeedsRender (true);
    layerManager->invalidateFromLayer (chosen, render);

    showEffectControls (chosen);   // which also empties the sub-tool area
    showPresetsOfEffect (chosen->getShortName());

    if (auto* bar = findChildWithID ("subToolBarComp"))
    {
        SxRelativeBounds::apply (*bar, "0, topBar.bottom - 30, effectControlComponent.left, top+30");
        bar->setVisible (false);
    }
    if (auto* area = findChildWithID ("subToolInsideControlComponent"))
        area->setVisible (false);
}

void GenericAppComponent::showEffectControls (Layer* layer)
{
    if (layerManager != nullptr)
        for (int i = 1; i < layerManager->getNumLayers(); ++i)
            if (auto* above = layerManager->getLayer (i))
                above->destroyControls();

    if (effectTabs == nullptr)
        return;

    effectTabs->clearPages();

    if (layer != nullptr)
    {
        effectTitleLabel->setText (layer->getShortName(), juce::dontSendNotification);
        layer->buildControls();
        effectTabs->showLayerPages (*layer);
    }

    if (auto* area = findChildWithID ("subToolInsideControlComponent"))
        area->deleteAllChildren();
}

void GenericAppComponent::selectEffect (int index)
{
    stopPresetPreviewThread();

    auto* before = layerManager != nullptr ? layerManager->getFirstEffectLayer() : nullptr;
    selectEffectIndex (index, true);
    if (layerManager != nullptr && layerManager->getFirstEffectLayer() != before)
        recordUndoState();

    startTimer (presetThumbnailsTimer, 2000);
}

//==============================================================================
void GenericAppComponent::recordUndoState()
{
    if (! workingImage || layerManager == nullptr)
        return;

    undoStore.push (UndoSnapshot::of (layerManager->getFirstEffectLayer()));
    if (settings != nullptr)
        UndoSnapshot::countTowardsChanged (*settings);
}

void GenericAppComponent::undo()
{
    if (workingImage && renderThread == nullptr)
        restoreUndoSnapshot (undoStore.undo());
}

void GenericAppComponent::redo()
{
    if (workingImage && renderThread == nullptr)
        restoreUndoSnapshot (undoStore.redo());
}

void GenericAppComponent::restoreUndoSnapshot (const std::optional<SxPropertySet>& snapshot)
{
    if (! snapshot || layerManager == nullptr || effectGroups.empty())
        return;

    selectEffectIndex (UndoSnapshot::effectIndex (*snapshot, effectGroups[(size_t) currentEffectGroup].effects), false);
    if (auto* effect = layerManager->getFirstEffectLayer())
        effect->loadFromPropertySet (*snapshot, LayerSaveOptions { true });
    renderNow();
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
    // Never under a modal panel: the last one to leave enables the toolbar.
    if (workingImage && juce::Component::getNumCurrentlyModalComponents() == 0)
        setToolbarControlsEnabled (true);
}

void GenericAppComponent::disableToolbar()
{
    setToolbarControlsEnabled (false);

    // A modal panel deleted or hidden without exitModal still gives the toolbar back.
    modalWatcher.watchModalComponents();
}

void GenericAppComponent::setToolbarControlsEnabled (bool enabled)
{
    controlsEnabled = enabled;
    for (auto* name : MainToolbar::controlsFollowingTheImage())
        if (enabled || juce::String (name) != MainToolbar::openButtonName)
            if (auto* control = findDescendant (*this, name))
                control->setEnabled (enabled);
    if (presetBrowser != nullptr)
        presetBrowser->setEnabled (enabled);
}

//==============================================================================
void GenericAppComponent::buttonClicked (juce::Button* button)
{
    if (button == nullptr)
        return;

    const auto name = button->getName();

    if (name == MainToolbar::openButtonName)
        (new CallbackFileChooserStart (*this))->post();
    else if (name == "savePhotoButton")
        saveOrApplyImage();
    else if (name == "arrowRightButton")
        hideEffectPanel();
    else if (name == "leftArrowButton")
        showEffectPanel();
    else if (name == "undoButton")
        undo();
    else if (name == "redoButton")
        redo();
}

juce::Component* GenericAppComponent::getEffectTabArea()
{
    return effectTabs;
}

bool GenericAppComponent::isEffectPanelParked() const
{
    return effectPanel != nullptr && effectPanel->getX() >= getWidth();
}

void GenericAppComponent::hideEffectPanel()
{
    // Clicks while it slides are ignored, and so is hiding a panel that is out of sight.
    if (effectPanel == nullptr || effectPanelAnimator.isAnimating (effectPanel) || isEffectPanelParked())
        return;

    stopTimer (effectPanelDockedTimer);
    SxRelativeBounds::detach (*effectPanel);
    const auto bounds = effectPanel->getBounds();
    effectPanelAnimator.animateComponentLinked (effectPanel, bounds.translated (bounds.getWidth(), 0), effectPanelSlideMs,
                                                false, 0, 1.0f, 0.5, 0.5, presetBrowser.get());

    effectPanelAnimator.fadeOut (hideArrow, effectPanelSlideMs);
    SxRelativeBounds::apply (*hideArrow, hideArrowExpression);
    startTimer (effectPanelParkedTimer, effectPanelSlideMs);
    hideArrow->setEnabled (false);

    rememberEffectPanelOpened (false);
}

void GenericAppComponent::showEffectPanel()
{
    if (effectPanel == nullptr || effectPanelAnimator.isAnimating (effectPanel) || ! isEffectPanelParked())
        return;

    stopTimer (effectPanelParkedTimer);
    SxRelativeBounds::detach (*effectPanel);
    const auto bounds = effectPanel->getBounds();
    effectPanelAnimator.animateComponentLinked (effectPanel, bounds.translated (-bounds.getWidth(), 0), effectPanelSlideMs,
                                                false, 1, 1.0f, 0.5, 0.5, presetBrowser.get());

    effectPanelAnimator.fadeIn (hideArrow, effectPanelSlideMs);
    rememberEffectPanelOpened (true);

    SxRelativeBounds::apply (*hideArrow, hideArrowExpression);
    startTimer (effectPanelDockedTimer, effectPanelSlideMs);
    hideArrow->setEnabled (true);

    // A show tab still fading in must not finish its fade over the docked panel.
    if (getPanelAnimator().isAnimating (showArrow))
        getPanelAnimator().animateComponent (showArrow, showArrow->getBounds(), 0, false, 0, 0.0f, 1.0, 1.0);
    showArrow->setAlpha (0.0f);
    showArrow->setEnabled (false);
    SxRelativeBounds::apply (*showArrow, showArrowExpression);
}

void GenericAppComponent::effectPanelParked()
{
    SxRelativeBounds::apply (*effectPanel, effectPanelParkedExpression);
    getPanelAnimator().fadeIn (showArrow, 300);
    showArrow->setEnabled (true);
    SxRelativeBounds::apply (*showArrow, showArrowExpression);
}

void GenericAppComponent::effectPanelDocked()
{
    SxRelativeBounds::apply (*effectPanel, effectPanelDockedExpression);
    hideArrow->setAlpha (1.0f);
}

void GenericAppComponent::rememberEffectPanelOpened (bool opened)
{
    settings->set (SettingsKeys::effectControlComponentOpened, opened);
    settings->saveIfNeeded();
}

void GenericAppComponent::timerCallback (int timerID)
{
    stopTimer (timerID);

    switch (timerID)
    {
        case effectPanelParkedTimer:    effectPanelParked(); break;
        case effectPanelDockedTimer:    effectPanelDocked(); break;
        case reloadHostImageTimer:      reloadHostImage(); break;
        case fitAfterOpenTimer:
            if (document != nullptr)
                document->fitInWindow (false);
            break;
        case idleAfterStartTimer:       break;
        case canvasFocusTimer:
            if (document != nullptr && document->isShowing())
                document->grabKeyboardFocus();
            break;
        default:                    break;
    }
}

void GenericAppComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (120, 120, 120));
}
