#include "common/temp_file_registry.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>
#include <utility>

namespace zendro {
namespace {

constexpr std::size_t kSlots = 256;
constexpr std::size_t kNoSlot = kSlots;

enum SlotState : int { kFree = 0, kFilling = 1, kInUse = 2 };

struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};

// Constant-initialised: zero pages, untouched until a file is registered.
constinit std::array<Slot, kSlots> gSlots{};
struct sigaction gPreviousInt {};
struct sigaction gPreviousTerm {};
std::once_flag gInstalled;
std::atomic<int> gHolding{0};
std::atomic<int> gWaitingSignal{0};

static_assert(std::atomic<int>::is_always_lock_free);

void removeRegisteredFiles(int signal) {
    if (gHolding.load() > 0) {
        gWaitingSignal.store(signal);
        return;
    }
    for (Slot& slot : gSlots) {
        if (slot.state.load(std::memory_order_acquire) == kInUse) ::unlink(slot.path);
    }
    // Hand the signal to what handled it before.
    ::sigaction(signal, signal == SIGINT ? &gPreviousInt : &gPreviousTerm, nullptr);
    ::raise(signal);
}

void installHandler() {
    struct sigaction action {};
    action.sa_handler = &removeRegisteredFiles;
    sigemptyset(&action.sa_mask);
    // A signal the process ignores stays ignored.
    for (auto [signal, previous] :
         {std::pair{SIGINT, &gPreviousInt}, std::pair{SIGTERM, &gPreviousTerm}}) {
        ::sigaction(signal, nullptr, previous);
        if (previous->sa_handler != SIG_IGN) ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace

RegisteredTempFile::RegisteredTempFile(const std::string& path) : slot_(kNoSlot) {
    std::call_once(gInstalled, installHandler);
    if (path.size() >= PATH_MAX) return;
    for (std::size_t i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (!gSlots[i].state.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
        gSlots[i].state.store(kInUse, std::memory_order_release);
        slot_ = i;
        return;
    }
}

RegisteredTempFile::~RegisteredTempFile() {
    if (slot_ != kNoSlot) gSlots[slot_].state.store(kFree, std::memory_order_release);
}

SignalsHeldBack::SignalsHeldBack() {
    std::call_once(gInstalled, installHandler);
    gHolding.fetch_add(1);
}

SignalsHeldBack::~SignalsHeldBack() {
    if (gHolding.fetch_sub(1) != 1) return;
    const int waiting = gWaitingSignal.exchange(0);
    if (waiting != 0) ::raise(waiting);
}

}  // namespace zendro
