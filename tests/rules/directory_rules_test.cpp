// The packing rules of the directories: the used run, which controls an entry offers,
// deletion that moves entries up, and the MMSI and name checks.
#include <gtest/gtest.h>

#include "rules/directory_rules.h"

namespace tq530 {
namespace {

// A directory of 8 whose first `used` entries are in use, named "N<k>" with MMSI digits.
GroupIdDirectory Used(int used) {
    GroupIdDirectory d{};
    for (int k = 1; k <= used; ++k) {
        DirectoryEntry& e = d[static_cast<size_t>(k - 1)];
        e.Enable = kOn;
        e.TagName = "N" + std::to_string(k);
        e.Mmsid = "0" + std::string(8, static_cast<char>('0' + k)) + "0";
        e.Channels[0] = ToFlag(k % 2 == 0);
    }
    return d;
}

TEST(DirectoryRulesTest, UsedRunEndsAtTheFirstFreeEntryAndAFullDirectoryCountsOneMore) {
    EXPECT_EQ(UsedRunLength(Used(0).data(), kGroupIdCount), 0);
    EXPECT_EQ(UsedRunLength(Used(3).data(), kGroupIdCount), 3);
    EXPECT_EQ(UsedRunLength(Used(8).data(), kGroupIdCount), 9);
    GroupIdDirectory gap = Used(5);
    gap[1].Enable = kOff;
    EXPECT_EQ(UsedRunLength(gap.data(), kGroupIdCount), 1);
}

TEST(DirectoryRulesTest, EntriesInUseTheFirstFreePlaceAndBeyond) {
    const GroupIdDirectory d = Used(3);
    const EntryControls used = EntryControlRules(d.data(), kGroupIdCount, 3);
    EXPECT_FALSE(used.AddEnabled);
    EXPECT_TRUE(used.AddChecked);
    EXPECT_TRUE(used.DeleteEnabled);
    EXPECT_FALSE(used.DeleteChecked);
    EXPECT_TRUE(used.Fields);
    EXPECT_FALSE(used.AddRefused);

    const EntryControls next = EntryControlRules(d.data(), kGroupIdCount, 4);
    EXPECT_TRUE(next.AddEnabled);
    EXPECT_FALSE(next.AddChecked);
    EXPECT_FALSE(next.DeleteEnabled);
    EXPECT_TRUE(next.DeleteChecked);
    EXPECT_FALSE(next.Fields);
    EXPECT_FALSE(next.AddRefused);

    const EntryControls beyond = EntryControlRules(d.data(), kGroupIdCount, 5);
    EXPECT_FALSE(beyond.AddEnabled);
    EXPECT_FALSE(beyond.AddChecked);
    EXPECT_FALSE(beyond.DeleteEnabled);
    EXPECT_TRUE(beyond.DeleteChecked);
    EXPECT_FALSE(beyond.Fields);
    EXPECT_FALSE(beyond.AddRefused);

    // An empty directory offers Add on entry 1 with nothing before it to check.
    EXPECT_TRUE(EntryControlRules(Used(0).data(), kGroupIdCount, 1).AddEnabled);
    // A full directory has every entry in use.
    EXPECT_TRUE(EntryControlRules(Used(8).data(), kGroupIdCount, 8).DeleteEnabled);
}

TEST(DirectoryRulesTest, AddIsRefusedBehindAnEntryWithoutNameOrMmsi) {
    for (const bool noName : {true, false}) {
        GroupIdDirectory d = Used(3);
        (noName ? d[2].TagName : d[2].Mmsid).clear();
        const EntryControls c = EntryControlRules(d.data(), kGroupIdCount, 4);
        EXPECT_TRUE(c.AddRefused) << noName;
        EXPECT_FALSE(c.AddEnabled) << noName;
        EXPECT_FALSE(c.AddChecked) << noName;
        EXPECT_TRUE(c.DeleteChecked) << noName;
        EXPECT_FALSE(c.Fields) << noName;
        // The refusal belongs to the first free place only.
        EXPECT_FALSE(EntryControlRules(d.data(), kGroupIdCount, 3).AddRefused);
        EXPECT_FALSE(EntryControlRules(d.data(), kGroupIdCount, 5).AddRefused);
    }
}

TEST(DirectoryRulesTest, DeletingMovesTheLaterEntriesUpAndFreesTheLast) {
    GroupIdDirectory d = Used(5);
    DeleteEntry(d.data(), kGroupIdCount, 2);
    EXPECT_EQ(d[0].TagName, "N1");
    EXPECT_EQ(d[1].TagName, "N3");
    EXPECT_EQ(d[1].Mmsid, "0333333330");
    EXPECT_EQ(d[3].TagName, "N5");
    EXPECT_TRUE(d[3].Enable);
    EXPECT_FALSE(d[4].Enable);
    EXPECT_EQ(d[4].TagName, "");
    EXPECT_EQ(d[4].Mmsid, "");
    EXPECT_EQ(UsedRunLength(d.data(), kGroupIdCount), 4);
    // Channel flags stay with their place.
    EXPECT_TRUE(d[1].Channels[0]);
    EXPECT_FALSE(d[2].Channels[0]);

    GroupIdDirectory full = Used(8);
    DeleteEntry(full.data(), kGroupIdCount, 8);
    EXPECT_FALSE(full[7].Enable);
    EXPECT_EQ(full[6].TagName, "N7");
    DeleteEntry(full.data(), kGroupIdCount, 9);  // no such entry: nothing moves
    EXPECT_EQ(full[6].TagName, "N7");
}

TEST(DirectoryRulesTest, MmsiCheckStoresTenDigitsAndRefusesOtherLengths) {
    EXPECT_EQ(CheckDirectoryMmsi("211123456", false).Stored(), "2111234560");
    EXPECT_EQ(CheckDirectoryMmsi("21112345", true).Stored(), "0211123450");
    EXPECT_EQ(CheckDirectoryMmsi(" 211123456 ", false).Stored(), "2111234560");
    EXPECT_EQ(CheckDirectoryMmsi("", false).Stored(), "");
    EXPECT_EQ(CheckDirectoryMmsi("   ", true).Stored(), "");
    EXPECT_FALSE(CheckDirectoryMmsi("21112345", false));
    EXPECT_FALSE(CheckDirectoryMmsi("211123456", true));
    EXPECT_FALSE(CheckDirectoryMmsi("2111234560", false));
    EXPECT_FALSE(CheckDirectoryMmsi("2111-3456", false));
}

TEST(DirectoryRulesTest, NamesThatTrimToNothingAreNotStored) {
    EXPECT_EQ(CheckDirectoryName(" PILOT ").Stored(), " PILOT ");
    EXPECT_FALSE(CheckDirectoryName("   "));
    EXPECT_FALSE(CheckDirectoryName(""));
    EXPECT_TRUE(DirectoryNameKey(','));
    EXPECT_TRUE(DirectoryNameKey('z'));
    EXPECT_FALSE(DirectoryNameKey('_'));
    EXPECT_FALSE(DirectoryNameKey('\xe9'));
    EXPECT_STREQ(DirectoryCaption(true), "Group Directory");
    EXPECT_STREQ(DirectoryCaption(false), "Individual Directory");
    EXPECT_STREQ(DirectoryNameCaption(false), "Station Name");
}

}  // namespace
}  // namespace tq530
