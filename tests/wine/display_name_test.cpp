// The name the system's screen-saver list shows: it loads a .scr file as data and reads string
// 1 of its string table. Done here the same way, on the built Tavrin.scr.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class DataModule {
  public:
    explicit DataModule(const char* path)
        : handle_(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataModule() {
        if (handle_) FreeLibrary(handle_);
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    HMODULE get() const { return handle_; }

  private:
    HMODULE handle_;
};

std::string LoadText(HMODULE module, UINT id) {
    char buffer[256] = {};
    const int length = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

TEST(DisplayName, StringOneIsTheProgramName) {
    DataModule module(TAVRIN_SCR_PATH);
    ASSERT_NE(module.get(), nullptr) << "cannot load " << TAVRIN_SCR_PATH << ", error " << GetLastError();
    EXPECT_EQ(LoadText(module.get(), 1), "Tavrin");
}

// The table holds the display name only; the program itself loads no strings.
TEST(DisplayName, NoOtherStringsShareItsBlock) {
    DataModule module(TAVRIN_SCR_PATH);
    ASSERT_NE(module.get(), nullptr);
    for (UINT id = 0; id < 16; ++id) {
        if (id == 1) continue;
        EXPECT_EQ(LoadText(module.get(), id), "") << "string " << id;
    }
}

} // namespace
