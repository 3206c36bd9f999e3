#include "browsers/firefox/ZipArchive.h"

#include <gtest/gtest.h>

#include "ZipBuilder.h"

namespace {

const std::string kIcon = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(300, 'x') + "end";

TEST(ZipArchive, StoredAndDeflatedEntriesAreReadByTheirExactName) {
    const std::string archive = BuildZip({{"manifest.json", "{}", false},
                                          {"icons/icon-48.png", kIcon, true},
                                          {"icons/ICON-48.png", "other", false}});
    EXPECT_EQ(ReadZipEntry(archive, "manifest.json"), "{}");
    EXPECT_EQ(ReadZipEntry(archive, "icons/icon-48.png"), kIcon);
    EXPECT_EQ(ReadZipEntry(archive, "icons/ICON-48.png"), "other");
    EXPECT_FALSE(ReadZipEntry(archive, "icons/icon-96.png"));
    EXPECT_FALSE(ReadZipEntry(archive, "icons"));
    EXPECT_FALSE(ReadZipEntry(archive, "/icons/icon-48.png"));
}

TEST(ZipArchive, AnArchiveCommentDoesNotHideTheDirectory) {
    const std::string archive = BuildZip({{"a.png", kIcon}}, std::string(4000, 'c'));
    EXPECT_EQ(ReadZipEntry(archive, "a.png"), kIcon);
}

TEST(ZipArchive, AnEntryLargerThanAllowedIsNotUnpacked) {
    const std::string big(100000, 'z');
    const std::string archive = BuildZip({{"big.png", big}});
    EXPECT_FALSE(ReadZipEntry(archive, "big.png", 99999));
    EXPECT_EQ(ReadZipEntry(archive, "big.png", 100000), big);
}

TEST(ZipArchive, DamagedArchivesGiveNothingAndNeverReadPastTheirEnd) {
    const std::string archive = BuildZip({{"a.png", kIcon}, {"b.png", "stored", false}});
    EXPECT_FALSE(ReadZipEntry("", "a.png"));
    EXPECT_FALSE(ReadZipEntry("not a zip archive at all, just text", "a.png"));
    // Every shortened copy: the end record, the directory or the data is cut.
    for (std::size_t size = 0; size < archive.size(); ++size) {
        const std::string cut = archive.substr(0, size);
        EXPECT_FALSE(ReadZipEntry(cut, "a.png")) << size;
    }
    // A changed byte of the data fails the checksum or the unpacking.
    std::string flipped = archive;
    const std::size_t data = flipped.find("stored");
    flipped[data] = 'S';
    EXPECT_FALSE(ReadZipEntry(flipped, "b.png"));
    EXPECT_EQ(ReadZipEntry(flipped, "a.png"), kIcon) << "the other entry is still whole";
}

}  // namespace
