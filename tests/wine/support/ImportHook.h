// Puts a replacement in the test program's own import table for one imported function, so a
// test sees the calls the code under test makes to the system (for example ClipCursor, whose
// effect Wine does not keep). The original is put back when the hook goes.
#pragma once
#include <windows.h>

#include <cstring>

namespace testsupport {

class ImportHook {
  public:
    ImportHook(const char* dll, const char* function, void* replacement) {
        slot_ = FindSlot(dll, function);
        if (slot_) original_ = Swap(replacement);
    }
    ~ImportHook() {
        if (slot_) Swap(original_);
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    bool Installed() const { return slot_ != nullptr; }
    // The function the import table held before.
    void* Original() const { return original_; }

  private:
    static void** FindSlot(const char* dll, const char* function) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name; ++entry) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
            auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                    return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
        return nullptr;
    }

    void* Swap(void* value) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &protection);
        void* previous = *slot_;
        *slot_ = value;
        VirtualProtect(slot_, sizeof(void*), protection, &protection);
        return previous;
    }

    void** slot_ = nullptr;
    void* original_ = nullptr;
};

} // namespace testsupport
