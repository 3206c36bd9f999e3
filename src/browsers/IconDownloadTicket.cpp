#include "browsers/IconDownloadTicket.h"

#include <unordered_map>

namespace {

// Ids only grow, so an id is never reused for another record.
std::uint64_t lastId = 0;

std::unordered_map<std::uint64_t, TBrowserExtensionInfo*>& Waiting() {
    static std::unordered_map<std::uint64_t, TBrowserExtensionInfo*> waiting;
    return waiting;
}

}  // namespace

IconDownloadTicket::IconDownloadTicket(IconDownloadTicket&& other) noexcept { other.Cancel(); }

IconDownloadTicket& IconDownloadTicket::operator=(IconDownloadTicket&& other) noexcept {
    Cancel();
    other.Cancel();
    return *this;
}

IconDownloadTicket::~IconDownloadTicket() { Cancel(); }

std::uint64_t IconDownloadTicket::Issue(TBrowserExtensionInfo* record) {
    Cancel();
    id_ = ++lastId;
    Waiting().emplace(id_, record);
    return id_;
}

void IconDownloadTicket::Cancel() noexcept {
    if (id_ != 0) Waiting().erase(id_);
    id_ = 0;
}

bool IconDownloadTicket::Pending() const { return id_ != 0 && Waiting().count(id_) != 0; }

TBrowserExtensionInfo* IconDownloadTicket::Redeem(std::uint64_t id) {
    const auto found = Waiting().find(id);
    if (found == Waiting().end()) return nullptr;
    TBrowserExtensionInfo* record = found->second;
    Waiting().erase(found);
    return record;
}

bool IconDownloadTicket::IsWaiting(std::uint64_t id) { return Waiting().count(id) != 0; }

std::size_t IconDownloadTicket::Outstanding() { return Waiting().size(); }
