#include "ImageSaveWriter.h"

namespace
{
    juce::String quoted (const juce::String& text)
    {
        return juce::String (juce::CharPointer_UTF8 ("\xe2\x80\x9c")) + text + juce::String (juce::CharPointer_UTF8 ("\xe2\x80\x9d"));
    }
}

ImageSaveWriter::ImageSaveWriter()
    : delivery (std::make_shared<Delivery>())
{
    delivery->writer = this;
}

ImageSaveWriter::~ImageSaveWriter()
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        stopping = true;
    }
    wake.notify_all();
    if (thread.joinable())
        thread.join();
    // Outcomes still posted find no one to tell.
    delivery->writer = nullptr;
}

void ImageSaveWriter::write (SxRef<SxImageRgbaBytes> painting, const juce::File& file, const ImageFileWriter::Options& options)
{
    if (painting && painting->getReferenceCount() > 1)
        painting = SxRef<SxImageRgbaBytes> (painting->clone());

    {
        const std::lock_guard<std::mutex> guard (lock);
        queue.push_back ({ std::move (painting), file, options });
        if (! thread.joinable())
            thread = std::thread ([this] { run(); });
    }
    wake.notify_one();
}

void ImageSaveWriter::waitUntilIdle()
{
    std::unique_lock<std::mutex> guard (lock);
    idle.wait (guard, [this] { return queue.empty() && ! running; });
}

bool ImageSaveWriter::isIdle() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return queue.empty() && ! running;
}

juce::String ImageSaveWriter::failureMessage (const juce::File& file, const juce::Result& result)
{
    return "The painting could not be saved as " + quoted (file.getFileName()) + " in "
         + quoted (file.getParentDirectory().getFullPathName()) + ". " + result.getErrorMessage();
}

void ImageSaveWriter::run()
{
    juce::Thread::setCurrentThreadName ("Image writer");
    for (;;)
    {
        Job job;
        {
            std::unique_lock<std::mutex> guard (lock);
            wake.wait (guard, [this] { return stopping || ! queue.empty(); });
            if (queue.empty())
                return;
            job = std::move (queue.front());
            queue.pop_front();
            running = true;
        }

        Outcome outcome;
        outcome.file = job.file;
        outcome.result = job.painting ? ImageFileWriter::write (*job.painting, job.file, job.options)
                                      : juce::Result::fail ("There is no picture to save.");
        if (outcome.result.failed())
            outcome.message = failureMessage (job.file, outcome.result);
        job.painting.reset();
        deliver (std::move (outcome));

        {
            const std::lock_guard<std::mutex> guard (lock);
            running = false;
        }
        idle.notify_all();
    }
}

void ImageSaveWriter::deliver (Outcome outcome)
{
    juce::MessageManager::callAsync ([target = delivery, outcome = std::move (outcome)]
    {
        if (auto* writer = target->writer; writer != nullptr && writer->onFinished)
            writer->onFinished (outcome);
    });
}
