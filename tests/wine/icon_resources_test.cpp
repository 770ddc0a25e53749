// Checks the icon and version resources inside the built Tavrin.scr: every picture and program
// icon is one 32x32 16-colour image with a mask, nothing is blank or duplicated, the directory
// order keeps "ICON" first, and the icons load and draw through the system like the program does.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

constexpr int kPictureCount = 125;
constexpr int kTransparent = -1;

// The standard 16-colour palette as 0xRRGGBB; index i is what a 4-bit pixel value i shows.
constexpr std::uint32_t kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

class Module {
  public:
    explicit Module(HMODULE handle) : handle_(handle) {}
    ~Module() {
        if (handle_) FreeLibrary(handle_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    HMODULE get() const { return handle_; }

  private:
    HMODULE handle_;
};

class Icon {
  public:
    explicit Icon(HICON handle) : handle_(handle) {}
    ~Icon() {
        if (handle_) DestroyIcon(handle_);
    }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;
    HICON get() const { return handle_; }

  private:
    HICON handle_;
};

HMODULE dataModule() {
    static Module module(LoadLibraryExA(TAVRIN_SCR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    return module.get();
}

std::string pictureName(int number) {
    return "ICON_" + std::to_string(number);
}

std::vector<std::string> namedIcons() {
    std::vector<std::string> names;
    for (int n = 1; n <= kPictureCount; ++n)
        names.push_back(pictureName(n));
    names.push_back("MAINICON");
    names.push_back("ICON");
    return names;
}

std::optional<std::vector<std::uint8_t>> resourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC info = FindResourceA(module, name, type);
    if (!info) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, info);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (!data) return std::nullopt;
    return std::vector<std::uint8_t>(data, data + SizeofResource(module, info));
}

std::uint16_t word(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t dword(const std::vector<std::uint8_t>& b, std::size_t at) {
    return word(b, at) | (static_cast<std::uint32_t>(word(b, at + 2)) << 16);
}

// One entry of a group icon directory (GRPICONDIRENTRY).
struct GroupEntry {
    int width, height, colours, planes, bitCount;
    std::uint32_t bytes;
    int id;
};

std::vector<GroupEntry> groupEntries(const std::vector<std::uint8_t>& group) {
    std::vector<GroupEntry> entries;
    if (group.size() < 6 || word(group, 2) != 1) return entries;
    const int count = word(group, 4);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = 6 + 14 * static_cast<std::size_t>(i);
        if (at + 14 > group.size()) break;
        entries.push_back({group[at] ? group[at] : 256, group[at + 1] ? group[at + 1] : 256, group[at + 2],
                           word(group, at + 4), word(group, at + 6), dword(group, at + 8),
                           word(group, at + 12)});
    }
    return entries;
}

// A decoded icon image: palette indexes top-down, kTransparent where the mask lets the screen through.
struct Image {
    int size = 0;
    std::vector<int> pixels;
    bool paletteIsStandard = false;
    bool transparentXorIsZero = true;
};

// Decodes a 4-bpp icon image: BITMAPINFOHEADER, 16 palette entries, XOR rows then AND rows, bottom-up.
std::optional<Image> decodeImage(const std::vector<std::uint8_t>& res, std::string& why) {
    const auto fail = [&why](const char* reason) {
        why = reason;
        return std::nullopt;
    };
    if (res.size() < 40 || dword(res, 0) != 40) return fail("no BITMAPINFOHEADER");
    const int width = static_cast<int>(dword(res, 4));
    const int height = static_cast<int>(dword(res, 8));
    if (width <= 0 || width > 256) return fail("bad width");
    if (word(res, 14) != 4) return fail("not 4 bits per pixel");
    if (height != 2 * width) return fail("height is not twice the width (no mask)");
    const std::size_t xorStride = (width * 4 + 31) / 32 * 4, andStride = (width + 31) / 32 * 4;
    const std::size_t xorAt = 40 + 16 * 4, andAt = xorAt + xorStride * width;
    if (res.size() < andAt + andStride * width) return fail("image data too short for XOR and mask");

    Image image;
    image.size = width;
    image.paletteIsStandard = true;
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t rgb = (res[40 + 4 * i + 2] << 16) | (res[40 + 4 * i + 1] << 8) | res[40 + 4 * i];
        image.paletteIsStandard &= rgb == kPalette[i];
    }
    image.pixels.resize(static_cast<std::size_t>(width) * width);
    for (int y = 0; y < width; ++y) {
        const std::size_t row = static_cast<std::size_t>(width - 1 - y); // stored bottom-up
        for (int x = 0; x < width; ++x) {
            const std::uint8_t pair = res[xorAt + row * xorStride + x / 2];
            const int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            const bool masked = res[andAt + row * andStride + x / 8] & (0x80 >> (x % 8));
            if (masked && index != 0) image.transparentXorIsZero = false;
            image.pixels[static_cast<std::size_t>(y) * width + x] = masked ? kTransparent : index;
        }
    }
    return image;
}

// The single image of a named group icon, with every property the format demands checked.
std::optional<Image> onlyImage(LPCSTR name) {
    const auto group = resourceBytes(dataModule(), name, RT_GROUP_ICON);
    if (!group) {
        ADD_FAILURE() << "no group icon";
        return std::nullopt;
    }
    const auto entries = groupEntries(*group);
    if (entries.size() != 1) {
        ADD_FAILURE() << entries.size() << " images in the group, expected exactly one";
        return std::nullopt;
    }
    const GroupEntry& e = entries[0];
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);
    EXPECT_EQ(e.colours, 16);
    EXPECT_EQ(e.bitCount, 4);
    const auto res = resourceBytes(dataModule(), MAKEINTRESOURCEA(e.id), RT_ICON);
    if (!res) {
        ADD_FAILURE() << "group names RT_ICON " << e.id << ", which is missing";
        return std::nullopt;
    }
    EXPECT_EQ(res->size(), e.bytes);
    std::string why;
    auto image = decodeImage(*res, why);
    if (!image) {
        ADD_FAILURE() << why;
        return std::nullopt;
    }
    EXPECT_EQ(image->size, 32);
    EXPECT_TRUE(image->paletteIsStandard);
    EXPECT_TRUE(image->transparentXorIsZero) << "a masked pixel has a non-zero XOR value";
    return image;
}

std::set<int> opaqueColours(const Image& image) {
    std::set<int> colours;
    for (int p : image.pixels)
        if (p != kTransparent) colours.insert(p);
    return colours;
}

bool hasTransparency(const Image& image) {
    for (int p : image.pixels)
        if (p == kTransparent) return true;
    return false;
}

TEST(IconResources, ProgramFileLoadsAsData) {
    ASSERT_NE(dataModule(), nullptr) << "cannot load " << TAVRIN_SCR_PATH;
}

class NamedIcon : public ::testing::TestWithParam<std::string> {};

TEST_P(NamedIcon, HoldsOneUsable32x32SixteenColourImage) {
    ASSERT_NE(dataModule(), nullptr);
    const auto image = onlyImage(GetParam().c_str());
    ASSERT_TRUE(image);
    EXPECT_GE(opaqueColours(*image).size(), 2u) << "blank: fully transparent or a single colour";
}

INSTANTIATE_TEST_SUITE_P(AllIcons, NamedIcon, ::testing::ValuesIn(namedIcons()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(IconResources, PicturesAreSilhouettesAndAllDifferent) {
    ASSERT_NE(dataModule(), nullptr);
    std::vector<std::vector<int>> seen;
    for (int n = 1; n <= kPictureCount; ++n) {
        SCOPED_TRACE(pictureName(n));
        const auto image = onlyImage(pictureName(n).c_str());
        if (!image) continue;
        EXPECT_TRUE(hasTransparency(*image)) << "a plain square, no transparent pixels";
        for (std::size_t other = 0; other < seen.size(); ++other)
            EXPECT_NE(seen[other], image->pixels)
                << "same pixels as " << pictureName(static_cast<int>(other) + 1);
        seen.push_back(image->pixels);
    }
}

BOOL CALLBACK collectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    reinterpret_cast<std::vector<std::string>*>(out)->push_back(
        IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name);
    return TRUE;
}

TEST(IconResources, IconIsTheFirstNamedGroupIconAndFormIconsHaveIntegerIds) {
    ASSERT_NE(dataModule(), nullptr);
    std::vector<std::string> names;
    EnumResourceNamesA(dataModule(), RT_GROUP_ICON, collectName, reinterpret_cast<LONG_PTR>(&names));
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "ICON");
    // 125 pictures, MAINICON, ICON and the two form icons.
    EXPECT_EQ(names.size(), 129u);
    EXPECT_EQ(std::count(names.begin(), names.end(), "#" + std::to_string(IDI_FORM_CONFIGURE)), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "#" + std::to_string(IDI_FORM_PASSWORD)), 1);
}

TEST(IconResources, FormIconsHaveTheirImageSizes) {
    ASSERT_NE(dataModule(), nullptr);
    struct Case {
        int id;
        std::vector<int> sizes;
    };
    for (const Case& c : {Case{IDI_FORM_CONFIGURE, {32, 16}}, Case{IDI_FORM_PASSWORD, {32}}}) {
        SCOPED_TRACE(c.id);
        const auto group = resourceBytes(dataModule(), MAKEINTRESOURCEA(c.id), RT_GROUP_ICON);
        ASSERT_TRUE(group);
        std::vector<int> sizes;
        for (const GroupEntry& e : groupEntries(*group)) {
            sizes.push_back(e.width);
            EXPECT_EQ(e.width, e.height);
            EXPECT_EQ(e.bitCount, 4);
            const auto res = resourceBytes(dataModule(), MAKEINTRESOURCEA(e.id), RT_ICON);
            ASSERT_TRUE(res);
            std::string why;
            const auto image = decodeImage(*res, why);
            ASSERT_TRUE(image) << why;
            EXPECT_EQ(image->size, e.width);
            EXPECT_GE(opaqueColours(*image).size(), 2u);
        }
        EXPECT_EQ(sizes, c.sizes);
    }
}

// ---------------------------------------------------------------------------------------------
// Version resource: a VS_VERSIONINFO tree of (length, value length, type, key, value, children).

struct VersionNode {
    std::wstring key;
    std::size_t valueAt = 0, valueLength = 0, childrenAt = 0, end = 0;
    bool text = false;
};

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
} // ASCII only

std::size_t align4(std::size_t at) {
    return (at + 3) & ~std::size_t{3};
}

std::optional<VersionNode> versionNode(const std::vector<std::uint8_t>& b, std::size_t at) {
    if (at + 6 > b.size()) return std::nullopt;
    VersionNode node;
    node.end = at + word(b, at);
    node.valueLength = word(b, at + 2);
    node.text = word(b, at + 4) == 1;
    if (node.end > b.size() || node.end < at + 6) return std::nullopt;
    std::size_t p = at + 6;
    for (; p + 1 < node.end && word(b, p) != 0; p += 2)
        node.key.push_back(static_cast<wchar_t>(word(b, p)));
    node.valueAt = align4(p + 2);
    const std::size_t valueBytes = node.text ? 2 * node.valueLength : node.valueLength;
    node.childrenAt = align4(node.valueAt + valueBytes);
    return node;
}

std::optional<VersionNode> child(const std::vector<std::uint8_t>& b, const VersionNode& parent,
                                 const std::wstring& key) {
    for (std::size_t at = parent.childrenAt; at < parent.end;) {
        const auto node = versionNode(b, at);
        if (!node || node->end <= at) return std::nullopt;
        if (key.empty() || node->key == key) return node;
        at = align4(node->end);
    }
    return std::nullopt;
}

TEST(IconResources, VersionResourceNamesTheScreenSaverVersion2000) {
    ASSERT_NE(dataModule(), nullptr);
    const auto bytes = resourceBytes(dataModule(), MAKEINTRESOURCEA(1), RT_VERSION);
    ASSERT_TRUE(bytes);
    const auto root = versionNode(*bytes, 0);
    ASSERT_TRUE(root);
    ASSERT_EQ(root->key, L"VS_VERSION_INFO");
    ASSERT_EQ(root->valueLength, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, bytes->data() + root->valueAt, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);

    const auto strings = child(*bytes, *root, L"StringFileInfo");
    ASSERT_TRUE(strings);
    const auto table = child(*bytes, *strings, L""); // the one language block
    ASSERT_TRUE(table);
    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"FileDescription", L"Screen Saver"}, {L"FileVersion", L"2.0.0.0"},
        {L"ProductVersion", L"2.0.0.0"},       {L"ProductName", L"Tavrin"},
        {L"CompanyName", L"Quillam"},          {L"OriginalFilename", L"Tavrin.scr"},
        {L"InternalName", L"Tavrin"}};
    for (const auto& [key, value] : expected) {
        SCOPED_TRACE(narrow(key));
        const auto node = child(*bytes, *table, key);
        ASSERT_TRUE(node) << "missing";
        std::wstring text;
        for (std::size_t p = node->valueAt; p + 1 < node->end && word(*bytes, p) != 0; p += 2)
            text.push_back(static_cast<wchar_t>(word(*bytes, p)));
        EXPECT_EQ(narrow(text), narrow(value));
    }
}

// ---------------------------------------------------------------------------------------------
// The program's own way in: LoadIconA by name on the loaded program file, then drawn through its mask.

class DibSurface {
  public:
    DibSurface() : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 32;
        info.bmiHeader.biHeight = -32; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~DibSurface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    bool ok() const { return bits_ != nullptr; }
    HDC dc() const { return dc_; }
    void clear(std::uint32_t rgb) {
        GdiFlush();
        std::fill(bits_, bits_ + 32 * 32, rgb);
    }
    std::uint32_t at(int x, int y) const {
        GdiFlush();
        return bits_[y * 32 + x] & 0xFFFFFF;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Loads the program file as an image; falls back to an image-resource mapping if the system
// will not map an executable that way.
HMODULE imageModule() {
    static Module module([] {
        HMODULE m = LoadLibraryA(TAVRIN_SCR_PATH);
        return m ? m : LoadLibraryExA(TAVRIN_SCR_PATH, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }());
    return module.get();
}

TEST(IconResources, LoadIconByNameDrawsThePictureThroughItsMask) {
    ASSERT_NE(imageModule(), nullptr);
    DibSurface surface;
    ASSERT_TRUE(surface.ok());
    for (int n : {1, 7, 26, 50, 51, 76, 101, 125}) {
        SCOPED_TRACE(pictureName(n));
        const HICON shared = LoadIconA(imageModule(), pictureName(n).c_str());
        ASSERT_NE(shared, nullptr);
        const auto image = onlyImage(pictureName(n).c_str());
        ASSERT_TRUE(image);
        // Drawn over two backgrounds: masked pixels show each background, the rest the palette colour.
        for (std::uint32_t background : {0x123456u, 0xFEDCBAu}) {
            surface.clear(background);
            ASSERT_TRUE(DrawIconEx(surface.dc(), 0, 0, shared, 32, 32, 0, nullptr, DI_NORMAL));
            int wrong = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const int p = image->pixels[static_cast<std::size_t>(y) * 32 + x];
                    const std::uint32_t want = p == kTransparent ? background : kPalette[p];
                    wrong += surface.at(x, y) != want;
                }
            EXPECT_EQ(wrong, 0) << "pixels drawn differently from the resource on background " << std::hex
                                << background;
        }
    }
    EXPECT_EQ(LoadIconA(imageModule(), "ICON_0"), nullptr);
    EXPECT_EQ(LoadIconA(imageModule(), "ICON_126"), nullptr);
}

TEST(IconResources, MainIconLoadsAtStandardSize) {
    ASSERT_NE(imageModule(), nullptr);
    const HICON icon = LoadIconA(imageModule(), "MAINICON");
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // The form icons are looked up by integer id; the configure icon has a small image too.
    Icon form(static_cast<HICON>(
        LoadImageA(imageModule(), MAKEINTRESOURCEA(IDI_FORM_CONFIGURE), IMAGE_ICON, 16, 16, 0)));
    EXPECT_NE(form.get(), nullptr);
}

} // namespace
