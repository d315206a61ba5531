#pragma once
// The account data the manager windows keep between openings: the last
// campaign list and the last ad group list, each under its own lock.

#include <mutex>
#include <vector>

#include "account/accountentities.h"

namespace pw {

template <typename Entity>
struct LockedCache {
    std::mutex lock;
    std::vector<Entity> items;

    void clear() {
        std::lock_guard guard(lock);
        items.clear();
    }
    void replace(std::vector<Entity> fresh) {
        std::lock_guard guard(lock);
        items = std::move(fresh);
    }
    std::vector<Entity> copy() {
        std::lock_guard guard(lock);
        return items;
    }
};

LockedCache<AccountCampaign>& campaignCache();
LockedCache<AccountAdGroup>& adGroupCache();

// Both, one after the other (never both locks at once).
inline void clearAccountCaches() {
    campaignCache().clear();
    adGroupCache().clear();
}

}  // namespace pw
