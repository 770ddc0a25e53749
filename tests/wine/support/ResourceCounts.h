// What this process holds, for tests that look for leaks: GDI objects, a measure of USER
// objects and private memory. Windows counts GDI and USER objects for GetGuiResources; Wine 8
// leaves that a stub (it returns 0), so each falls back to what Wine does keep.
#pragma once
#include <psapi.h>
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace testsupport {

// The number of GDI objects this process holds. Without GetGuiResources: the used entries of
// the process's GDI handle table (entries of 24 bytes, the type at byte 14, 0 for a free
// entry), whose address is in the PEB. -1 when neither can be read.
inline long GdiObjectCount() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(counted);
    using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const BYTE* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
    if (!table) return -1;
    long count = 0;
    for (int i = 0; i < 0x10000; ++i)
        count += table[i * 24 + 14] != 0 ? 1 : 0;
    return count;
}

// A measure of the USER objects this process holds. Without GetGuiResources: the highest
// handle slot that a batch of fresh icons takes. Free slots are reused first, so objects that
// leaked push it up by about their number. -1 when no icon can be made.
inline long UserObjectMeasure() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
        return static_cast<long>(counted);
    BYTE andMask[32 * 4], xorMask[32 * 4];
    std::fill(std::begin(andMask), std::end(andMask), BYTE{0xFF});
    std::fill(std::begin(xorMask), std::end(xorMask), BYTE{0});
    std::vector<HICON> icons;
    long highest = 0;
    for (int i = 0; i < 200; ++i) {
        HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
        if (!icon) break;
        icons.push_back(icon);
        highest = std::max(highest, static_cast<long>(LOWORD(reinterpret_cast<UINT_PTR>(icon))));
    }
    for (HICON icon : icons)
        DestroyIcon(icon);
    return icons.size() == 200 ? highest / 2 : -1; // user handles step by 2
}

// The process's private memory in bytes, or 0 when the system cannot tell. Windows reports it
// as PrivateUsage; Wine 8 leaves that 0 but gives the resident anonymous memory (and swap) of
// the whole Unix process as PagefileUsage, which Windows keeps equal to PrivateUsage. Looked
// up at run time so the test needs no import library.
inline SIZE_T PrivateBytes() {
    using GetMemoryInfo = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    const auto get = reinterpret_cast<GetMemoryInfo>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!get ||
        !get(GetCurrentProcess(), reinterpret_cast<PPROCESS_MEMORY_COUNTERS>(&counters), sizeof counters))
        return 0;
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

} // namespace testsupport
