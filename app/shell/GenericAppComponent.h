#pragma once

#include "AppSettings.h"
#include "ColorHistoryAddon.h"
#include "EaseComponentAnimatorLinkedBottomToTopComponent.h"
#include "EffectGroup.h"
#include "GenericAppDocument.h"
#include "ImageSaveWriter.h"
#include "LayerCallback.h"
#include "LayerManager.h"
#include "LayerManagerCallback.h"
#include "ModalStateWatcher.h"
#include "RectBounds.h"
#include "SaveProjectQuestion.h"
#include "SxControlChangedCallback.h"
#include "SxImageRgbaBytes.h"
#include "SxMainComponentServices.h"
#include "SxMainLookAndFeel.h"
#include "SxTool.h"
#include "SxUndo.h"

class RenderThread;
class SxColorComponent;
class SxLabel;
class SxMainTabController;
class SxTabSegmentController;

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <optional>
#include <vector>

/** The one main component: the content of the main window, owner of the settings, the
    layer stack, the effect list and every panel. Everything reaches it through
    getInstance().

    The main window calls startUp, createUI and setButtonTooltips once each, in that order,
    before it is shown; the application calls firstShow once the message loop runs,
    confirmQuit on every quit request and stopPresetPreviewThread at shutdown.

    Product values (names, versions, the effects to create) are virtual operations with
    the defaults of a generic product; the product class overrides them. The parts of the
    program that live in the folders above the shell (preset browser, colour history, pan
    tool, sharing) are made through the factory hooks below, which the product class
    overrides; by default there are none.

    Everything here runs on the message thread.
*/
class GenericAppComponent : public juce::ImageComponent,
                            public ColorHistoryAddon,
                            public SxMainComponentServices,
                            public LayerManagerCallback,
                            public LayerCallback,
                            public juce::MultiTimer,
                            public juce::Button::Listener,
                            public juce::FileDragAndDropTarget,
                            public SxControlChangedCallback
{
public:
    /** Packed version of this release (major << 16 | minor << 8 | patch): 2.57. */
    static constexpr int currentVersionNumber = 0x023900;

    /** The shell's timer ids. */
    enum TimerId
    {
        effectPanelParkedTimer = 100,
        effectPanelDockedTimer = 101,
        presetLoadTimer = 300,
        presetChoiceTimer = 302,
        saveProjectTimer = 303,
        photosSettingsTimer = 304,
        firstShowTimer = 1000,
        presetThumbnailsTimer = 3005,
        idleAfterStartTimer = 8100,
        fitAfterOpenTimer = 8200,
        reloadHostImageTimer = 8300,
        canvasFocusTimer = 9000,
    };

    /** The effect panel's width, and how long it takes to slide in or out. */
    static constexpr int effectPanelWidth = 256, effectPanelSlideMs = 150;

    /** Host kinds: standalone, and editing an image handed over by the photo library. */
    static constexpr int standaloneHost = 0, anyPluginHost = 1, photosHost = 8;

    /** Sets up the members that need no disk: nothing is read or shown yet. */
    GenericAppComponent();
    ~GenericAppComponent() override;

    /** The main component, or null before one is made and after it is gone. */
    static GenericAppComponent* getInstance() noexcept;

    //==============================================================================
    // Product values

    virtual juce::String getAppName() const             { return "Generic App"; }
    virtual juce::String getMakerName() const           { return "Zorvant"; }
    virtual juce::String getBundleIdentifier() const    { return "com.zorvant.genericapp"; }
    virtual juce::String getShareHashtag() const        { return {}; }
    /** Version of the factory presets; stored versions below it reinstall them. -1: none. */
    virtual int getFactoryPresetsVersion() const        { return -1; }
    /** Stored versions below this empty the data folder at start. -1: never. */
    virtual int getDataResetVersion() const             { return -1; }
    virtual juce::String getProjectExtension() const    { return "kvp"; }
    /** True when file's extension is the project extension, in any case. */
    bool isProjectFile (const juce::File& file) const   { return file.getFileExtension().equalsIgnoreCase ("." + getProjectExtension()); }
    int getMaxLayerCount() override                     { return defaultMaxLayerCount; }
    /** The resource archive's name, without its "bin" extension. */
    virtual juce::String getResourceArchiveName() const { return getAppName(); }
    virtual juce::String getInfoPageUrl() const         { return {}; }
    /** Opens the product information page in the web browser; nothing by default. */
    virtual void openInfoPage() {}

    //==============================================================================
    // Start-up, first show and quit

    /** Opens the settings, notes the stored version and stores this one, makes the layer
        stack and the effects, loads the colour history and installs the factory presets
        where the preset folders are empty or the stored version asks for it. */
    virtual void startUp();

    /** Creates the effect layers: register each with LayerManager::registerEffectPrototype
        and hand it to addEffect. None in the generic product. */
    virtual void createEffectLayers() {}

    /** Builds the window content once: the top bar with its shadow and buttons, the preset
        browser's place below the bottom edge, the effect panel beyond the right edge with
        its title bar and the two tabs that slide it, the sub-tool bar, the canvas between
        them and the pan tool. Every child is placed by its bounds expression, so resizing
        needs no code. Afterwards the pan tool is current and the toolbar disabled. */
    virtual void createUI();

    /** Sets the toolbar's tooltips; nothing in the generic product. */
    virtual void setButtonTooltips() {}

    /** The first show, once the window is up: takes the keyboard focus, brings the window
        to the front, reopens the preset browser and the effect panel as they were left, and
        starts the timers that follow the start. */
    virtual void firstShow();

    /** Asks whether the application may quit. In a plug-in host the "Quit or Apply?"
        question is asked instead and the answer is false; otherwise the temporary copy of
        the opened image is deleted and the answer is true. */
    virtual bool confirmQuit();

    /** Stops and deletes the preset-thumbnail thread, waiting as long as it takes. */
    virtual void stopPresetPreviewThread() {}

    /** Called by the application's resumed (empty). */
    virtual void resumeHook() {}
    /** Called by the application's further framework hook (empty). */
    virtual void applicationHook() {}

    /** In a plug-in host, fits the image to the view after the first show. */
    virtual void reloadHostImage();

    //==============================================================================
    // Host

    /** Kind 1: any plug-in host; kind 7: hosts 5 to 7; otherwise that exact kind. */
    virtual bool isHost (int kind) const;
    bool isInHostMode() const                           { return isHost (anyPluginHost); }
    int getHostKind() const noexcept                    { return hostKind; }
    virtual bool isPluginMode() const                   { return false; }

    //==============================================================================
    // Files handed to the application

    /** Opens a project, first asking "Save Project?" when the document has unsaved
        changes ("freshProject" false). "No" opens it, "Cancel" changes nothing, "Yes"
        saves the document as a project (saveProjectOrImage) and opens the handed-over
        file once that save has succeeded. A file handed over while the question is open
        replaces the one it asks about. */
    virtual void askSaveProject (const juce::File& projectFile);

    /** Makes the project file the document. The file is read first: one that is refused
        leaves the document and the settings as they were and says why, naming the file.
        Otherwise "ImagePath" names the project, the window takes its name, the picture and
        its resolution replace the document's (with no camera metadata), and the stored
        effect settings load into the effect list's own layer of that class (the first for
        a class it does not have), which becomes the selected effect layer; the colour
        history is replaced, and the document has no unsaved changes. While a preview render
        runs the file waits and opens when the render has ended. */
    virtual void openProject (const juce::File& projectFile);

    /** Saves the document as a project: in place when "ImagePath" names a project, else
        to a file chosen in the save panel. With openPendingAfterwards the file under
        "NeedsToLoadImagePath" opens once the project has been written. Nothing here; the
        application layer saves. */
    virtual void saveProjectOrImage (bool /*openPendingAfterwards*/) {}

    /** Writes the document (effect settings, colour history, picture, resolution and the
        thumbnail of a render at the working size) to file, replacing it whole. Runs on
        the save's worker thread while the message thread waits; the result says why a
        write failed, the target then being as it was. */
    juce::Result writeProjectFile (const juce::File& file);

    /** Makes the image file the document. The file is decoded first (upright, with its
        resolution and camera metadata); one that does not open leaves the document, the
        title and the settings as they were and says why (showImageNotOpened). Otherwise
        the untouched copy "origBeforeEdit.tmp" is written, the window takes the file's
        name and setUpNewImage runs. fitLater fits the image to the window 1500 ms later
        (files handed over by the desktop or another launch, while the window settles).
        While a preview render runs the file waits and opens when the render has ended. */
    virtual void openImage (const juce::File& imageFile, bool fitLater);

    /** Runs the image chooser in the folder it showed last; a chosen existing file is
        opened. A cancelled chooser changes nothing. */
    virtual void chooseAndOpenImage();

    /** Derives the working copy of the source image (OpenImageRules::workingImageSize),
        puts it under the layer stack (making the base layer when there is none), hands it
        to every effect, puts the first effect in place when the stack has none, shows the
        photograph fitted and starts the first preview render. replacedInPlace: the source
        was replaced within the open document (a crop). Nothing without a source image. */
    virtual void setUpNewImage (bool replacedInPlace);

    /** The box the working copy is fitted into: (0, 0) to (1300, 1300). */
    virtual RectBounds getPreviewBounds() const         { return { 0.0f, 0.0f, 1300.0f, 1300.0f }; }

    /** False in a plug-in host and for an empty list; otherwise true as soon as one path
        has an accepted ending (OpenImageRules::isAcceptedDragPath). */
    bool isInterestedInFileDrag (const juce::StringArray& files) override;
    /** Tells the modal component, if any, that input came outside it, then opens the first
        file. */
    void filesDropped (const juce::StringArray& files, int x, int y) override;

    /** The file last opened; none before. */
    const juce::File& getCurrentImageFile() const noexcept  { return currentImageFile; }
    /** Dots per inch of the opened file (72 where it states none). */
    float getResolutionX() const noexcept               { return resolutionX; }
    float getResolutionY() const noexcept               { return resolutionY; }
    /** The opened file's camera metadata (a JPEG APP1 payload), empty when it has none. */
    const juce::MemoryBlock& getCameraMetadata() const noexcept  { return cameraMetadata; }

    /** Several files handed over at once (an image with its layer-settings file, or a
        plain selection of files). */
    virtual void openFilesFromOtherInstance (const juce::StringArray& files);

    //==============================================================================
    // Effect list

    /** Appends effect to the current group, making the application's group first when
        there is none. Takes the layer, which stays alive as long as the process does: it is
        also the layer registry's prototype. */
    void addEffect (Layer* effect);
    /** Appends a group and makes it the current one. */
    void addEffectGroup (const juce::String& name, const juce::Image& icon);
    const std::vector<EffectGroup>& getEffectList() const noexcept   { return effectGroups; }
    int getCurrentEffectGroup() const noexcept                       { return currentEffectGroup; }
    /** Each group's icon, in list order (copies). */
    juce::Array<juce::Image> getEffectIcons() const;
    /** Each group's name, in list order. */
    juce::StringArray getEffectNames() const;
    /** Selects a group by name; with one group it is always the current one: nothing. */
    void saveLastCategory (const juce::String& groupName, int effectIndex, bool render);
    /** Selects a group by index; with one group: nothing. */
    void loadLastCategory (int groupIndex, int effectIndex, bool render);

    /** Makes effect index of the current group the stack's effect layer and shows its
        controls; with render, asks for a preview render. Nothing before an image is set up,
        or when that effect is the effect layer already. The effect leaving the stack stays
        alive in its group with its settings. */
    void selectEffectIndex (int index, bool render);
    /** Refills the effect panel with layer's control pages; with none the panel stays
        empty and the title keeps its text. */
    void showEffectControls (Layer* layer);
    /** The preset browser's choice of effect: selectEffectIndex with a render, then an
        undo snapshot, but only when the effect layer actually changed (choosing the
        current effect again must not use up one of the five places). */
    virtual void selectEffect (int index);

    //==============================================================================
    // Undo

    /** Records the effect layer's settings (and which effect it is) as the newest undo
        snapshot, and counts the change towards "freshProject". Nothing while no image is
        open. */
    void recordUndoState() override;
    /** Steps back one snapshot: makes its effect current again, loads its settings (the
        controls follow) and renders once. Nothing at the oldest snapshot, while no image is
        open, or while a preview render runs (its worker reads the layer a load would write). */
    virtual void undo();
    /** Steps forward one snapshot, as undo does; nothing at the newest (when that is the
        fifth, it is loaded and rendered again). */
    virtual void redo();
    const SxUndo& getUndoStore() const noexcept         { return undoStore; }

    //==============================================================================
    // What the parts of the program reach

    /** The settings; null before startUp. */
    AppSettings* getSettings() const noexcept           { return settings.get(); }
    /** The layer stack; null before startUp. */
    LayerManager* getLayerManager() const noexcept      { return layerManager.get(); }
    SxMainLookAndFeel& getMainLookAndFeel() noexcept    { return *lookAndFeel; }
    /** The version stored by the previous run (0 on the first). */
    int getStoredVersion() const noexcept               { return storedVersion; }
    bool getUseImageLocation() const noexcept           { return useImageLocation; }
    /** True while the toolbar is enabled. */
    bool areControlsEnabled() const noexcept            { return controlsEnabled; }
    /** True while a preview render runs. */
    bool isRendering() const noexcept                   { return busy; }

    //==============================================================================
    // Preview render

    /** 1.0 while no image is open; otherwise the longer side of the base layer's image
        / 1024 (the working copy during previews). */
    float getRenderScale() override;
    /** startPreviewRender; never deferred (manual redraw is not offered). */
    virtual void requestRender (bool showBusy, const RectBounds* area);
    /** A whole-image preview render with the busy overlay. */
    virtual void renderNow();

    /** Starts a preview render of area (null: the whole working image, clipped to it) on a
        RenderThread, behind the busy overlay ("Rendering..."), which is modal (input
        blocked, toolbar disabled) also when showBusy keeps it out of sight. During a
        render the request is dropped and remembered: once the render ends, a layer still
        marked is rendered by one more worker render before the result is shown. Nothing
        while no image is open. */
    virtual void startPreviewRender (bool showBusy, const RectBounds* area);
    /** Takes the stack's result and shows it; after a worker render only layers marked
        since (and not requested) are rendered here. */
    virtual void finishPreviewRender();
    /** Renders area at once on the message thread (painting tools) and refreshes that part
        of the canvas; nothing while a render thread runs. */
    void renderRegionNow (const RectBounds& area, bool flag) override;
    /** Writes the time log "Total: <seconds> Render Complete"; in Photos mode the first
        completed render also applies the handed-over settings. */
    virtual void renderComplete();
    virtual void repaintDocument();
    /** After the first image: toolbar enabled, keyboard focus, canvas repainted. */
    virtual void showDocument();
    /** Hands image to the canvas (null clears it). */
    virtual void setDisplayedImage (SxImageRgbaBytes* image);
    /** False once after the one-shot overlay suppression was set, true otherwise. */
    virtual bool consumeOverlaySuppression();

    void renderLayers (bool showBusy, const RectBounds* area) override  { startPreviewRender (showBusy, area); }
    void layersChanged (bool showBusy, const RectBounds* area) override { requestRender (showBusy, area); }

    //==============================================================================
    // Full-size render and saving

    /** Renders the stack at the size of the opened image on a worker thread, behind the
        activity window ("Saving..."), then renders the preview again and shows it; the
        canvas shows a private copy of the last preview meanwhile. The caller owns the
        returned image (one reference). Null, with nothing rendered, while no image is open
        or a render runs, and when the stack renders nothing. */
    SxImageRgbaBytes* renderHiRes();

    /** The save button and the save command: in a plug-in host the apply to the photo;
        otherwise the full-size render, then the save panel over this component (none
        when the render yields nothing) and the write in the background. */
    virtual void saveOrApplyImage();

    /** The background writer of saved images; the application waits for it at shutdown. */
    ImageSaveWriter& getImageWriter() noexcept          { return imageWriter; }

    /** The running preview render's thread; null when none runs. */
    RenderThread* getRenderThread() const noexcept      { return renderThread.get(); }
    /** The stack's latest preview result (owned by the layer that made it); null before. */
    SxImageRgbaBytes* getLastRenderedImage() const noexcept  { return lastRenderedImage; }
    /** The completion of a RenderThread, on the message thread; a thread other than the
        current one is ignored. */
    void previewRenderThreadFinished (RenderThread* thread);

    SxImageRgbaBytes* getWorkingImage() override        { return workingImage.get(); }
    SxImageRgbaBytes* getOriginalImage() override       { return sourceImage.get(); }

    juce::Component& getMainComponent() override        { return *this; }

    /** The document canvas, made by startUp; null before. */
    GenericAppDocument* getDocument() const noexcept    { return document.get(); }
    SxDocumentCanvasServices* getDocumentCanvas() override  { return document.get(); }
    /** Whether the canvas lays the checkerboard and the background colour under the image. */
    virtual bool drawsDocumentBackground() const        { return true; }
    /** Repaints the document canvas. */
    void refreshCanvas() override;

    //==============================================================================
    // Tools

    /** Makes tool the current canvas tool, or none (null). Nothing when it already is, or
        when the effect layer refuses it. The tool being replaced is deactivated first; with
        none, the canvas shows the normal arrow. */
    void selectTool (SxTool* tool) override;
    SxTool* getSelectedTool() override                  { return currentTool; }
    /** The pan tool made by createUI; null when the product makes none. */
    SxTool* getPanTool() const override                 { return panTool.get(); }
    /** The application's own tools (the pan tool), in the order the tool row shows them. */
    const std::vector<SxTool*>& getTools() const noexcept  { return tools; }
    std::vector<SxTool*> getApplicationTools() const override  { return tools; }

    //==============================================================================
    // Tooltips, buttons, timers

    /** Shows tooltips when the setting asks for them and none are shown yet. */
    void showTooltips();
    void hideTooltips();
    bool areTooltipsShown() const noexcept              { return tooltipWindow != nullptr; }
    /** The desktop tooltip window while tooltips are shown, else null. */
    juce::TooltipWindow* getTooltipWindow() const noexcept  { return tooltipWindow.get(); }

    //==============================================================================
    // What the preferences panel reaches

    juce::PropertiesFile* getSettingsFile() override;
    void setUseImageLocation (bool shouldUseImageLocation) override  { useImageLocation = shouldUseImageLocation; }
    void enableTooltips() override                      { showTooltips(); }
    void disableTooltips() override                     { hideTooltips(); }
    /** Has every effect install its factory presets again. */
    void rebuildDefaultPresets() override;

    /** Every toolbar and panel button reports here; told apart by component name. The
        tabs slide the effect panel; the other buttons' actions arrive with their features. */
    void buttonClicked (juce::Button*) override;
    /** Acts as if button had been clicked. */
    void clickButton (juce::Button* button)             { buttonClicked (button); }
    /** The hold-to-compare button's press, release and leave. */
    void menuButtonReported (juce::Button& button) override  { buttonClicked (&button); }

    //==============================================================================
    // Effect panel

    /** The label in the panel's title bar that shows the current effect's short name. */
    SxLabel* getEffectTitleLabel() const noexcept       { return effectTitleLabel; }
    /** The host of the effect's control pages, below the title bar. */
    SxMainTabController* getEffectTabs() const noexcept { return effectTabs; }
    /** The tab row in the title bar that picks the page; linked both ways with the host. */
    SxTabSegmentController* getEffectTabBar() const noexcept  { return effectTabBar; }
    juce::Component* getEffectTabArea() override;
    /** Slides the effect panel and fades the hide tab. */
    EaseComponentAnimatorLinkedBottomToTopComponent& getEffectPanelAnimator() noexcept  { return effectPanelAnimator; }
    /** True while the effect panel lies beyond the right edge (or is on its way there). */
    bool isEffectPanelParked() const;

    void timerCallback (int timerID) override;

    void paint (juce::Graphics&) override;

protected:
    //==============================================================================
    // Factory hooks for the folders above the shell; the product class overrides them.

    /** The preset browser panel, with component ID "presetControlComponent". A browser
        that is also a button listener opens when it hears "upArrowButton". */
    virtual std::unique_ptr<juce::Component> createPresetBrowser()  { return nullptr; }
    /** The pan tool, named "panTool". */
    virtual std::unique_ptr<SxTool> createPanTool()                 { return nullptr; }
    /** Reads the colour history from its file (in the configuration folder of the
        running application's name, else of getAppName). */
    virtual void loadColorHistory();
    /** Tells the preset browser which effect's presets to list. */
    virtual void showPresetsOfEffect (const juce::String& /*shortName*/) {}

    /** Deletes everything inside the application's data folder. */
    virtual void clearAppDataFolder();

    /** Asks "Quit or Apply?" in a plug-in host. */
    virtual void showQuitOrApplyAlert() {}

    /** Says why a file did not open: the kit's alert "imageNotOpenedAlert" with title and
        message. Tests replace it. */
    virtual void showImageNotOpened (const juce::String& title, const juce::String& message);

    /** Empties the undo store (setUpNewImage then records the opened state). */
    virtual void resetUndo()                            { undoStore.reset(); }

    /** Says why a saved image was not written (the writer's message naming the file and
        the reason): the kit's alert "imageNotSavedAlert". Tests replace it. */
    virtual void showImageNotSaved (const juce::String& title, const juce::String& message);

    /** Says why a project was not opened or not saved: the kit's alert "projectAlert".
        Tests replace it. */
    virtual void showProjectProblem (const juce::String& title, const juce::String& message);

    //==============================================================================
    // Calls into parts that arrive later; nothing yet.

    /** In a plug-in host: applies the painting to the photo being edited. */
    virtual void applyImageToPhoto() {}

    /** The preset browser forgets its selection. */
    virtual void clearPresetSelection() {}
    /** The notification panel shows its notice (after more than five saved images). */
    virtual void showNotificationPanelNotice() {}

    //==============================================================================
    /** Enables the toolbar once an image is open and no component is modal. */
    void enableToolbar() override;
    /** Disables the toolbar except the open button. */
    void disableToolbar() override;

    std::unique_ptr<AppSettings> settings;
    std::unique_ptr<LayerManager> layerManager;
    std::vector<EffectGroup> effectGroups;
    int currentEffectGroup = 0;

    bool useImageLocation = true;
    int storedVersion = 0;
    int currentVersion = 0;
    int hostKind = standaloneHost;
    bool busy = false;
    bool controlsEnabled = false;

    SxRef<SxImageRgbaBytes> sourceImage, workingImage;

    juce::File currentImageFile;
    float resolutionX = 72.0f, resolutionY = 72.0f;
    juce::MemoryBlock cameraMetadata;
    /** The crop tool's state, cleared by every open. */
    RectBounds cropRect { 0.0f, 0.0f, 0.0f, 0.0f };
    juce::Component* cropController = nullptr;
    SxRef<SxImageRgbaBytes> cropSourceImage;
    bool firstImageSetUp = false;

    std::unique_ptr<RenderThread> renderThread;
    /** Writes saved images one after the other; a failure is shown, a success is not. */
    ImageSaveWriter imageWriter;
    SxImageRgbaBytes* lastRenderedImage = nullptr;
    /** Set once to keep the next render's overlay out of sight; nothing sets it here. */
    bool overlaySuppressed = false;
    bool photosFirstRenderDone = false;

    std::unique_ptr<GenericAppDocument> document;
    std::unique_ptr<juce::Component> presetBrowser;
    std::unique_ptr<SxTool> panTool;
    std::vector<SxTool*> tools;
    SxTool* currentTool = nullptr;

    /** The last five snapshots of the effect's settings; emptied by every open. */
    SxUndo undoStore;

private:
    std::unique_ptr<SxMainLookAndFeel> lookAndFeel;
    std::unique_ptr<juce::TooltipWindow> tooltipWindow;

    // The window content made by createUI; the top-level pieces are owned here, their own
    // children by them.
    juce::OwnedArray<juce::Component> windowContent;
    SxColorComponent* topBar = nullptr;
    SxColorComponent* effectPanel = nullptr;
    SxColorComponent* effectTitleBar = nullptr;
    SxLabel* effectTitleLabel = nullptr;
    SxTabSegmentController* effectTabBar = nullptr;
    SxMainTabController* effectTabs = nullptr;
    juce::Button* hideArrow = nullptr;
    juce::Button* showArrow = nullptr;

    EaseComponentAnimatorLinkedBottomToTopComponent effectPanelAnimator;
    ModalStateWatcher modalWatcher { [this] { enableToolbar(); } };

    template <typename ComponentType>
    ComponentType& addContent (std::unique_ptr<ComponentType> component, const juce::String& expression);

    void createTopBar();
    void createToolbarButtons();
    void createPresetBrowserPlace();
    void createEffectPanel();
    void createSubToolBar();

    void hideEffectPanel();
    void showEffectPanel();
    void effectPanelParked();
    void effectPanelDocked();
    void rememberEffectPanelOpened (bool opened);

    void installFactoryPresets();
    void setToolbarControlsEnabled (bool enabled);

    /** A request arrived during the running render. */
    bool renderRequestDropped = false;
    /** SxClock milliseconds when the busy period began. */
    juce::uint32 renderStartMark = 0;
    struct PendingOpen { juce::File file; bool fitLater; bool project = false; };
    /** A file that arrived during a render, opened when the render has ended. */
    std::optional<PendingOpen> pendingOpen;
    /** Opens the file that waited for a render, as an image or as a project. */
    void openPendingFile();

    /** What opening an image and opening a project share, once the file has been read:
        picture becomes the untouched original, file names the document (title, settings,
        no unsaved changes), the resolution and camera metadata are the file's, and the
        crop starts again. */
    void takeOpenedPicture (const juce::File& file, SxRef<SxImageRgbaBytes> picture,
                            double statedResolutionX, double statedResolutionY, juce::MemoryBlock exif);

    /** Makes the snapshot's effect current, loads it and renders; nothing without one. */
    void restoreUndoSnapshot (const std::optional<SxPropertySet>& snapshot);

    /** The settings of a project being opened, which setUpNewImage loads into the
        effect list's layer; null otherwise. */
    const SxPropertySet* projectSettings = nullptr;
    bool projectQuestionOpen = false;
    /** The file the open "Save Project?" question is about. */
    juce::File projectAwaitingAnswer;

    void placeProjectEffect (const SxPropertySet& project);
    void projectQuestionAnswered (SaveProjectQuestion::Answer answer);

    void startRenderThread (const RectBounds& area);
    bool stackHasMarkedLayer() const;
    void endBusyState();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenericAppComponent)
};
