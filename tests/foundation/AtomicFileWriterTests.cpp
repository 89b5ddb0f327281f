#include "AtomicFileWriter.h"
#include "ScopedFileSizeLimit.h"
#include "TestImages.h"

#include <gtest/gtest.h>

TEST (AtomicFileWriter, ReplacesOnlyOnSuccessAndLeavesNoTemporaryBehind)
{
    const sxtest::TempFolder folder;
    const auto target = folder.get().getChildFile ("contents.bin");
    ASSERT_TRUE (target.replaceWithText ("before"));

    // A writer that fails half way: the old contents stay.
    EXPECT_FALSE (AtomicFileWriter::write (target, [] (juce::OutputStream& out)
    {
        out.writeString ("half");
        return false;
    }));
    EXPECT_EQ (target.loadFileAsString(), "before");

    const char bytes[] = { 'a', 'f', 't', 'e', 'r' };
    EXPECT_TRUE (AtomicFileWriter::writeBytes (target, bytes, sizeof (bytes)));
    EXPECT_EQ (target.loadFileAsString(), "after");

    EXPECT_TRUE (AtomicFileWriter::writeBytes (target, nullptr, 0));
    EXPECT_EQ (target.getSize(), 0);
    EXPECT_FALSE (AtomicFileWriter::writeBytes (target, nullptr, 3));

    // Only the target is left in the folder, hidden temporaries included.
    EXPECT_EQ (folder.get().getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, "*")
                   + folder.get().findChildFiles (juce::File::findFiles, false, ".*").size(),
               1);

    // A folder that does not exist cannot be written into.
    EXPECT_FALSE (AtomicFileWriter::writeBytes (folder.get().getChildFile ("missing/contents.bin"), bytes, 1));
}

TEST (AtomicFileWriter, AShortLastWriteUnderASizeLimitLeavesTheOldFile)
{
    // Smaller than the stream's buffer: the whole file goes out in the final flush, whose
    // short count the framework's stream does not report.
    const sxtest::TempFolder folder;
    const auto target = folder.get().getChildFile ("contents.bin");
    ASSERT_TRUE (target.replaceWithText ("before"));
    const juce::MemoryBlock bytes (1500, true);

    juce::Result replaced = juce::Result::ok();
    bool written = true;
    {
        const sxtest::ScopedFileSizeLimit limit (700);
        replaced = AtomicFileWriter::replaceWithBytes (target, bytes.getData(), bytes.getSize());
        written = AtomicFileWriter::write (target, [&] (juce::OutputStream& out) { return out.write (bytes.getData(), bytes.getSize()); });
    }
    ASSERT_TRUE (replaced.failed());
    EXPECT_TRUE (replaced.getErrorMessage().containsIgnoreCase ("too large")) << replaced.getErrorMessage();
    EXPECT_FALSE (written);
    EXPECT_EQ (target.loadFileAsString(), "before");
    EXPECT_EQ (folder.get().findChildFiles (juce::File::findFiles, false, "*").size(), 1);
}
