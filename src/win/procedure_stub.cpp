#include "win/procedure_stub.h"

#include <cstddef>
#include <utility>

namespace wendle {

namespace {

// Two per animator at most, one animator per form: far more than enough.
constexpr std::size_t kStubCount = 16;

struct Slot {
    BoundProcedure procedure;
    void* target;
};

Slot slots[kStubCount];

template <std::size_t N>
LRESULT CALLBACK Entry(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Slot& slot = slots[N];
    if (!slot.procedure) return DefWindowProcA(window, message, wParam, lParam);
    return slot.procedure(slot.target, window, message, wParam, lParam);
}

template <std::size_t... N>
constexpr auto MakeEntries(std::index_sequence<N...>) {
    struct Table {
        WNDPROC entries[sizeof...(N)];
    };
    return Table{{&Entry<N>...}};
}

constexpr auto kEntries = MakeEntries(std::make_index_sequence<kStubCount>());

}  // namespace

WNDPROC MakeProcedureStub(BoundProcedure procedure, void* target) {
    for (std::size_t i = 0; i < kStubCount; ++i) {
        if (slots[i].procedure) continue;
        slots[i] = {procedure, target};
        return kEntries.entries[i];
    }
    return nullptr;
}

void ReleaseProcedureStub(WNDPROC stub) {
    if (!stub) return;
    for (std::size_t i = 0; i < kStubCount; ++i) {
        if (kEntries.entries[i] == stub) slots[i] = {nullptr, nullptr};
    }
}

}  // namespace wendle
