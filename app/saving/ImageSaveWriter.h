#pragma once

#include "ImageFileWriter.h"
#include "SxImageRgbaBytes.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

/** Writes saved paintings in the background, one after the other, on one thread of its own
    (started by the first write).

    Each write works on an image no one else holds, through ImageFileWriter: the chosen
    type (JPEG always flattened onto white), the document's resolution and camera data,
    and a temporary file renamed over the target, so a failed write leaves an existing
    file as it was. Every finished write is reported on the message thread through
    onFinished; a failure carries a message for the user naming the file and the reason.

    The object waits for every queued write before it goes (so quitting never cuts a file
    short); the application also calls waitUntilIdle before it shuts down. Outcomes that
    reach the message thread after the object has gone are dropped.
*/
class ImageSaveWriter
{
public:
    /** How one write ended. */
    struct Outcome
    {
        juce::File file;
        juce::Result result = juce::Result::ok();
        /** For the user: empty on success, else "The painting could not be saved as …" and why. */
        juce::String message;

        bool succeeded() const noexcept  { return result.wasOk(); }
    };

    ImageSaveWriter();
    /** Finishes every queued write, then stops the thread. */
    ~ImageSaveWriter();

    /** Called on the message thread after each write, in the order of the writes. */
    std::function<void (const Outcome&)> onFinished;

    /** Queues the painting to be written to file. The writer keeps the reference handed to
        it when it is the image's only one, else it writes a copy made here, so the caller
        may change or drop its image at once. An empty reference is reported as a failure. */
    void write (SxRef<SxImageRgbaBytes> painting, const juce::File& file, const ImageFileWriter::Options& options);

    /** Returns when every write queued so far has finished (its outcome may still be on
        its way to the message thread). Any thread but the writer's own. */
    void waitUntilIdle();

    /** True when no write is queued or running. */
    bool isIdle() const;

    /** The words of a failure for the user. */
    static juce::String failureMessage (const juce::File& file, const juce::Result& result);

private:
    struct Job
    {
        SxRef<SxImageRgbaBytes> painting;
        juce::File file;
        ImageFileWriter::Options options;
    };

    /** What a posted outcome needs: whether the writer still lives to hear it. */
    struct Delivery
    {
        ImageSaveWriter* writer = nullptr;
    };

    mutable std::mutex lock;
    std::condition_variable wake, idle;
    std::deque<Job> queue;
    bool running = false, stopping = false;
    std::thread thread;
    std::shared_ptr<Delivery> delivery;

    void run();
    void deliver (Outcome outcome);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageSaveWriter)
};
