#include "WorkingImage.h"

#include "channels/ChannelOffsets.h"
#include "channels/DpmrIdentity.h"
#include "channels/datCh.h"

#include <gtest/gtest.h>

#include <vector>

using namespace channel_testing;

namespace {

constexpr std::uint32_t kFirstGroup = 0x50000000; // 5000000

struct IdentityCase {
    const char *name;
    std::uint32_t identity;
    std::int32_t number;
    const char *text;
    bool group;
    bool individual;
};

// Individual below the first group identity, group from it on up to all
// wildcards, and any wildcard makes a group identity, the spare nibble too.
TEST(DpmrIdentityTest, SortsIdentitiesByTheFirstGroupIdentity)
{
    const IdentityCase cases[] = {
        {"Individual", 0x12345670, 1234567, "1234567", false, true},
        {"LastIndividual", 0x49999990, 4999999, "4999999", false, true},
        {"FirstGroup", 0x50000000, 5000000, "5000000", true, false},
        {"Wildcards", 0x123AAAA0, 1241110, "123****", true, false},
        {"AllWildcards", kAllWildcardIdentity, 11111110, "*******", true, false},
        {"WildcardInTheSpareNibble", 0x1234567A, 1234567, "1234567", true, false},
        {"BeyondAllWildcards", 0xBBBBBBB0, 12222221, "???????", false, false},
    };
    for (const IdentityCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(identityNumber(c.identity), c.number);
        EXPECT_EQ(identityText(c.identity), c.text);
        EXPECT_EQ(isGroupIdentity(c.identity, kFirstGroup), c.group);
        EXPECT_EQ(isIndividualIdentity(c.identity, kFirstGroup), c.individual);
        EXPECT_TRUE(passesFilter(DpmrIdFilter::All, c.identity, kFirstGroup));
        EXPECT_EQ(passesFilter(DpmrIdFilter::Group, c.identity, kFirstGroup), c.group);
        EXPECT_EQ(passesFilter(DpmrIdFilter::Individual, c.identity, kFirstGroup), c.individual);
    }
}

class DpmrIdListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        working.clear();
        const std::uint32_t first = kFirstGroup;
        for (int i = 0; i < 4; ++i)
            working.set(channel_offsets::kDpmrFirstGroupId + i,
                        static_cast<std::uint8_t>(first >> (24 - 8 * i)));
    }
    void setEntries(const std::vector<std::uint32_t> &identities)
    {
        working.setWord(channel_offsets::kDpmrIdCount, static_cast<int>(identities.size()));
        for (std::size_t row = 0; row < identities.size(); ++row) {
            const int32_t at = channel_offsets::kDpmrId + 18 * static_cast<int32_t>(row);
            for (int i = 0; i < 4; ++i)
                working.set(at + i, static_cast<std::uint8_t>(identities[row] >> (24 - 8 * i)));
        }
    }

    WorkingImage working;
};

TEST_F(DpmrIdListTest, ReadsTheEntriesInUseAndFiltersThem)
{
    setEntries({0x00012340, 0x123AAAA0, 0x60000000, 0x00000010});
    const datCh record(&working.image);
    const DpmrIdList list = DpmrIdList::Read(record);
    EXPECT_EQ(list.firstGroup, kFirstGroup);
    ASSERT_EQ(list.identities.size(), 4u);
    EXPECT_EQ(list.identities[2], 0x60000000u);
    EXPECT_EQ(list.Passing(DpmrIdFilter::All), (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(list.Passing(DpmrIdFilter::Group), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(list.Passing(DpmrIdFilter::Individual), (std::vector<std::int32_t>{0, 3}));
}

// A count word the radio's memory cannot hold reads no rows past the list.
TEST_F(DpmrIdListTest, DamagedCountStopsAtTheListsEnd)
{
    working.setWord(channel_offsets::kDpmrIdCount, 0xFFFF);
    const datCh record(&working.image);
    EXPECT_EQ(DpmrIdList::Read(record).identities.size(),
              static_cast<std::size_t>(datCh::lastIndex(datCh::kKindDpmrId) + 1));
}

TEST_F(DpmrIdListTest, RecordWithoutImageReadsAnEmptyList)
{
    const datCh record;
    EXPECT_TRUE(DpmrIdList::Read(record).identities.empty());
}

} // namespace
