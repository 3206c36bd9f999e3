#include "browsers/IconDownloadTicket.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// The tickets only keep the record's address, so stand-ins serve as records.
TBrowserExtensionInfo* StandIn(int& place) { return reinterpret_cast<TBrowserExtensionInfo*>(&place); }

TEST(IconDownloadTickets, ADownloadFindsTheRecordOnceThroughItsId) {
    int place = 0;
    const std::size_t before = IconDownloadTicket::Outstanding();
    IconDownloadTicket ticket;
    const std::uint64_t id = ticket.Issue(StandIn(place));
    EXPECT_TRUE(ticket.Pending());
    EXPECT_EQ(IconDownloadTicket::Outstanding(), before + 1);
    EXPECT_TRUE(IconDownloadTicket::IsWaiting(id));
    EXPECT_EQ(IconDownloadTicket::Redeem(id), StandIn(place));
    EXPECT_FALSE(IconDownloadTicket::IsWaiting(id));
    EXPECT_EQ(IconDownloadTicket::Redeem(id), nullptr);
    EXPECT_FALSE(ticket.Pending());
    EXPECT_EQ(IconDownloadTicket::Outstanding(), before);
}

TEST(IconDownloadTickets, ADestroyedTicketDropsItsDownload) {
    int place = 0;
    std::uint64_t id = 0;
    {
        IconDownloadTicket ticket;
        id = ticket.Issue(StandIn(place));
    }
    EXPECT_FALSE(IconDownloadTicket::IsWaiting(id));
    EXPECT_EQ(IconDownloadTicket::Redeem(id), nullptr);
}

TEST(IconDownloadTickets, ANewIssueDropsTheEarlierDownload) {
    int place = 0;
    IconDownloadTicket ticket;
    const std::uint64_t first = ticket.Issue(StandIn(place));
    const std::uint64_t second = ticket.Issue(StandIn(place));
    EXPECT_NE(first, second);
    EXPECT_EQ(IconDownloadTicket::Redeem(first), nullptr);
    EXPECT_EQ(IconDownloadTicket::Redeem(second), StandIn(place));
}

TEST(IconDownloadTickets, MovingARecordLeavesNeitherCopyWaiting) {
    int a = 0, b = 0;
    IconDownloadTicket source;
    const std::uint64_t moved = source.Issue(StandIn(a));
    IconDownloadTicket constructed(std::move(source));
    EXPECT_FALSE(constructed.Pending());
    EXPECT_EQ(IconDownloadTicket::Redeem(moved), nullptr);

    IconDownloadTicket target;
    const std::uint64_t overwritten = target.Issue(StandIn(b));
    IconDownloadTicket other;
    const std::uint64_t assigned = other.Issue(StandIn(a));
    target = std::move(other);
    EXPECT_EQ(IconDownloadTicket::Redeem(overwritten), nullptr);
    EXPECT_EQ(IconDownloadTicket::Redeem(assigned), nullptr);
    EXPECT_FALSE(target.Pending());
}

TEST(IconDownloadTickets, IdsAreNeverReused) {
    int place = 0;
    IconDownloadTicket ticket;
    std::uint64_t last = 0;
    for (int i = 0; i < 100; ++i) {
        const std::uint64_t id = ticket.Issue(StandIn(place));
        EXPECT_GT(id, last);
        last = id;
    }
    ticket.Cancel();
    EXPECT_EQ(IconDownloadTicket::Redeem(last), nullptr);
}

}  // namespace
