// Slots with generations behind the HANDLE values of the comm layer.
#include "platform/comm/handle_table.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace platform::comm {
namespace {

constexpr std::uintptr_t k_slot_bits = 16;
constexpr std::uintptr_t k_slot_mask = (std::uintptr_t{1} << k_slot_bits) - 1;
// Slot 0 is never used, so that no handle is null.
constexpr std::size_t k_max_slots = k_slot_mask;
// Generations stay below 2^15 so that a handle fits 31 bits and is never -1.
constexpr std::uint32_t k_generation_mask = 0x7FFF;

struct Slot {
    std::uint32_t generation = 1;
    std::shared_ptr<Device> device;
};

struct Table {
    std::mutex mutex;
    std::vector<Slot> slots = std::vector<Slot>(1);
    std::vector<std::size_t> free_slots;
};

Table& table() {
    static Table instance;
    return instance;
}

HANDLE encode(std::size_t slot, std::uint32_t generation) {
    auto value = (static_cast<std::uintptr_t>(generation) << k_slot_bits) | slot;
    return reinterpret_cast<HANDLE>(value);
}

// The slot a handle names when its generation is current, else 0.
std::size_t decode(Table& t, HANDLE handle) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    std::size_t slot = value & k_slot_mask;
    auto generation = static_cast<std::uint32_t>(value >> k_slot_bits);
    if (slot == 0 || slot >= t.slots.size())
        return 0;
    const Slot& entry = t.slots[slot];
    if (!entry.device || entry.generation != generation)
        return 0;
    return slot;
}

} // namespace

HANDLE add_handle(std::unique_ptr<Device> device) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    std::size_t slot = 0;
    if (!t.free_slots.empty()) {
        slot = t.free_slots.back();
        t.free_slots.pop_back();
    } else if (t.slots.size() < k_max_slots) {
        slot = t.slots.size();
        t.slots.emplace_back();
    } else {
        return nullptr;
    }
    Slot& entry = t.slots[slot];
    entry.device = std::move(device);
    return encode(slot, entry.generation);
}

std::shared_ptr<Device> find_handle(HANDLE handle) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    std::size_t slot = decode(t, handle);
    return slot == 0 ? nullptr : t.slots[slot].device;
}

std::shared_ptr<Device> remove_handle(HANDLE handle) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    std::size_t slot = decode(t, handle);
    if (slot == 0)
        return nullptr;
    Slot& entry = t.slots[slot];
    std::shared_ptr<Device> device = std::move(entry.device);
    entry.device.reset();
    entry.generation = (entry.generation % k_generation_mask) + 1;
    t.free_slots.push_back(slot);
    return device;
}

} // namespace platform::comm
