#include "AtomicFileWriter.h"
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
