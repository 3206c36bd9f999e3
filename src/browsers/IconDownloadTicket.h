#pragma once
// The link between a record and the icon download running for it. The
// download ends on the main thread and asks for its record by the ticket's
// id; once the record is destroyed (or moved from) its ticket has cancelled
// the id and the downloaded picture is dropped instead of reaching freed
// memory. Used on the main thread only, like the records themselves.
#include <cstddef>
#include <cstdint>

class TBrowserExtensionInfo;

class IconDownloadTicket {
public:
    IconDownloadTicket() = default;
    IconDownloadTicket(const IconDownloadTicket&) = delete;
    IconDownloadTicket& operator=(const IconDownloadTicket&) = delete;
    // A moved record waits for nothing: both tickets cancel.
    IconDownloadTicket(IconDownloadTicket&& other) noexcept;
    IconDownloadTicket& operator=(IconDownloadTicket&& other) noexcept;
    ~IconDownloadTicket();

    // A new id for a download that is to reach `record`, the owner of this
    // ticket; a download issued earlier is cancelled.
    std::uint64_t Issue(TBrowserExtensionInfo* record);
    void Cancel() noexcept;
    bool Pending() const;

    // The record still waiting for download `id`, which then stops waiting;
    // null when it was cancelled or already redeemed.
    static TBrowserExtensionInfo* Redeem(std::uint64_t id);
    // True while download `id` may still reach its record.
    static bool IsWaiting(std::uint64_t id);
    // Ids issued and neither redeemed nor cancelled.
    static std::size_t Outstanding();

private:
    std::uint64_t id_ = 0;
};
