// The packing rules of the directories: the used run, which controls an entry offers,
// deletion that moves entries up, and the MMSI and name checks.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

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

// An edit of one entry as CSV import and the entry screen make it.
struct EditCase {
    const char* Name;
    int Used;  // entries in use before
    int N;
    std::optional<std::string> NameText;
    std::optional<std::string> Mmsi;
    std::vector<std::string> After;  // "name/mmsi" of every entry in use afterwards
    std::string Refused;             // the refusal's text, "" when it passes
};

std::vector<std::string> InUse(const GroupIdDirectory& d) {
    std::vector<std::string> out;
    for (const DirectoryEntry& e : d) {
        if (e.Enable != 0) {
            out.push_back(e.TagName + "/" + e.Mmsid);
        }
    }
    return out;
}

TEST(DirectoryRulesTest, EditEntryStoresAddsDeletesAndRefusesAsTheEntryScreen) {
    const std::string m1 = "0111111110", m2 = "0222222220", m3 = "0333333330";
    const EditCase cases[] = {
        {"new name", 3, 2, "TUG", {}, {"N1/" + m1, "TUG/" + m2, "N3/" + m3}, ""},
        {"new MMSI", 3, 3, {}, "87654321", {"N1/" + m1, "N2/" + m2, "N3/0876543210"}, ""},
        {"emptied MMSI packs", 3, 1, {}, "", {"N2/" + m2, "N3/" + m3}, ""},
        {"emptied MMSI of the last", 3, 3, "X", " ", {"N1/" + m1, "N2/" + m2}, ""},
        {"emptied name", 3, 2, " ", {}, {}, "a name can be changed but not emptied"},
        {"emptied name and MMSI", 3, 2, "", "", {"N1/" + m1, "N3/" + m3}, ""},
        {"name too long", 3, 2, "TWELVE CHARS", {}, {}, "has 12 characters, at most 11 fit"},
        {"name with _", 3, 2, "A_B", {}, {}, "the radio cannot show \"_\""},
        {"MMSI of 9 digits in a group",
         3,
         2,
         {},
         "123456789",
         {},
         "\"123456789\" is not a group MMSI of 8 digits"},
        {"add at the first free place",
         3,
         4,
         "NEW",
         "44444444",
         {"N1/" + m1, "N2/" + m2, "N3/" + m3, "NEW/0444444440"},
         ""},
        {"add with a name only", 0, 1, "NEW", "", {"NEW/"}, ""},
        {"add behind the first free place",
         3,
         5,
         "NEW",
         "55555555",
         {},
         "entry 5 is behind the free entry 4: entries in use follow each other from 1"},
        {"a free entry left empty", 3, 5, {}, "", {"N1/" + m1, "N2/" + m2, "N3/" + m3}, ""},
    };
    for (const EditCase& c : cases) {
        GroupIdDirectory d = Used(c.Used);
        const GroupIdDirectory before = d;
        const EntryEditResult r =
            EditEntry(d.data(), kGroupIdCount, c.N, true, {c.NameText, c.Mmsi});
        if (c.Refused.empty()) {
            EXPECT_TRUE(r.Refusals.empty()) << c.Name << ": " << r.Refusals[0].Text;
            EXPECT_EQ(InUse(d), c.After) << c.Name;
        } else {
            ASSERT_EQ(r.Refusals.size(), 1u) << c.Name;
            EXPECT_EQ(r.Refusals[0].Text, c.Refused) << c.Name;
            EXPECT_EQ(d, before) << c.Name;
        }
    }
}

TEST(DirectoryRulesTest, AnEmptiedMmsiInAFullDirectoryMovesEveryLaterEntryUp) {
    GroupIdDirectory d = Used(8);
    EXPECT_FALSE(StoreEntryMmsi(d.data(), kGroupIdCount, 3, "0999999990"));
    EXPECT_EQ(d[2].Mmsid, "0999999990");
    EXPECT_TRUE(StoreEntryMmsi(d.data(), kGroupIdCount, 2, ""));
    for (int k = 2; k <= 7; ++k) {
        EXPECT_EQ(d[static_cast<size_t>(k - 1)].TagName, "N" + std::to_string(k + 1)) << k;
        EXPECT_TRUE(d[static_cast<size_t>(k - 1)].Enable) << k;
    }
    EXPECT_FALSE(d[7].Enable);
    EXPECT_EQ(d[7].TagName, "");
    EXPECT_EQ(d[7].Mmsid, "");
}

TEST(DirectoryRulesTest, AddNeedsTheFirstFreePlaceBehindACompleteEntry) {
    GroupIdDirectory d = Used(2);
    d[1].TagName.clear();
    const Verdict refused = AddEntry(d.data(), kGroupIdCount, 3);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->Field, RuleField::Entry);
    EXPECT_EQ(refused->Text, "entry 2 needs a name and an MMSI before entry 3 is added");
    d[1].TagName = "N2";
    d[1].Mmsid.clear();
    EXPECT_TRUE(AddEntry(d.data(), kGroupIdCount, 3));
    d[1].Mmsid = "0222222220";
    EXPECT_FALSE(AddEntry(d.data(), kGroupIdCount, 3));
    EXPECT_TRUE(d[2].Enable);
    EXPECT_FALSE(AddEntry(d.data(), kGroupIdCount, 1));  // in use already
    EXPECT_TRUE(AddEntry(d.data(), kGroupIdCount, 9));   // no such entry
}

TEST(DirectoryRulesTest, AnEntryInUseBehindAGapTakesNoEdit) {
    GroupIdDirectory d = Used(4);
    d[1].Enable = kOff;
    const EntryEditResult r = EditEntry(d.data(), kGroupIdCount, 3, true, {"X", {}});
    ASSERT_EQ(r.Refusals.size(), 1u);
    EXPECT_EQ(r.Refusals[0].Text,
              "entry 3 is in use behind the free entry 2: entries in use follow each other from 1");
    EXPECT_EQ(d[2].TagName, "N3");
}

}  // namespace
}  // namespace tq530
