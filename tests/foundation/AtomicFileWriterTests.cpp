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

namespace
{
    /** Every file of the folder, hidden ones included. */
    juce::StringArray everythingIn (const juce::File& folder)
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*"))
            names.add (f.getFileName());
        names.sort (false);
        return names;
    }
}

TEST (AtomicFileWriter, AWriteCutShortByTheFileSizeLimitKeepsTheOldFile)
{
    // Small pieces collect in a buffer; the limit cuts the last of them short. The
    // framework's buffered stream drops such a short last flush without a word.
    const sxtest::TempFolder folder;
    const auto target = folder.get().getChildFile ("contents.bin");
    ASSERT_TRUE (target.replaceWithText ("before"));

    juce::Result result = juce::Result::ok();
    {
        const sxtest::ScopedFileSizeLimit limit (20000);
        result = AtomicFileWriter::replace (target, [] (juce::OutputStream& out)
        {
            for (int i = 0; i < 30000 / 4; ++i)
                if (! out.writeInt (i))
                    return false;
            return true;
        });
    }
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().containsIgnoreCase ("too large")) << result.getErrorMessage();
    EXPECT_EQ (target.loadFileAsString(), "before");
    EXPECT_EQ (everythingIn (folder.get()), juce::StringArray ("contents.bin"));

    // Below the limit the same writer succeeds, and its stream may go back to patch.
    ASSERT_TRUE (AtomicFileWriter::replace (target, [] (juce::OutputStream& out)
    {
        for (int i = 0; i < 30000 / 4; ++i)
            out.writeInt (i);
        return out.setPosition (4) && out.writeInt (-1) && out.setPosition (30000);
    }).wasOk());
    juce::MemoryBlock written;
    ASSERT_TRUE (target.loadFileAsData (written));
    ASSERT_EQ (written.getSize(), 30000u);
    const auto* ints = static_cast<const int*> (written.getData());
    EXPECT_EQ (ints[0], 0);
    EXPECT_EQ (ints[1], -1);
    EXPECT_EQ (ints[7499], 7499);
}

TEST (AtomicFileWriter, AFolderInTheTargetsPlaceIsRefusedAndKept)
{
    const sxtest::TempFolder folder;
    const auto target = folder.get().getChildFile ("project.kvp");
    ASSERT_TRUE (target.createDirectory().wasOk());
    ASSERT_TRUE (target.getChildFile ("inside.txt").replaceWithText ("kept"));

    const auto result = AtomicFileWriter::replaceWithBytes (target, "x", 1);
    ASSERT_TRUE (result.failed());
    EXPECT_TRUE (result.getErrorMessage().contains ("folder")) << result.getErrorMessage();
    EXPECT_TRUE (target.isDirectory());
    EXPECT_EQ (target.getChildFile ("inside.txt").loadFileAsString(), "kept");
    EXPECT_EQ (everythingIn (folder.get()), juce::StringArray ("project.kvp"));
}

TEST (AtomicFileWriter, AWriterThatRefusesGivesItsOwnReason)
{
    const sxtest::TempFolder folder;
    const auto target = folder.get().getChildFile ("contents.bin");
    const auto result = AtomicFileWriter::replace (target, [] (juce::OutputStream&) { return false; }, "Nothing to say.");
    EXPECT_EQ (result.getErrorMessage(), "Nothing to say.");
    EXPECT_FALSE (target.exists());
}
