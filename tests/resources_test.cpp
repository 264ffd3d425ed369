// The built program's resources, read back from its module.
#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "resource.h"
#include "support/DialogTemplate.h"
#include "support/Module.h"

namespace {

constexpr WORD kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr wchar_t kBrowserClass[] = L"{8856F961-340A-11D0-A96B-00C04FD705A2}";

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
    return TRUE;
}

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module = ::LoadLibraryExW(BuiltFile(L"launcher.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr);
    }
    static void TearDownTestSuite() {
        Gdiplus::GdiplusShutdown(gdiplusToken);
        ::FreeLibrary(module);
    }

    // The bytes of a resource stored under `language`; empty when absent.
    static std::vector<BYTE> Bytes(LPCWSTR type, LPCWSTR name, WORD language = kChinese) {
        HRSRC res = ::FindResourceExW(module, type, name, language);
        if (res == nullptr)
            return {};
        auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, res)));
        return std::vector<BYTE>(data, data + ::SizeofResource(module, res));
    }
    static std::vector<WORD> Languages(LPCWSTR type, LPCWSTR name) {
        std::vector<WORD> found;
        ::EnumResourceLanguagesW(module, type, name, &CollectLanguage, reinterpret_cast<LONG_PTR>(&found));
        return found;
    }
    static DialogTemplateInfo Template(UINT id) {
        auto bytes = Bytes(RT_DIALOG, MAKEINTRESOURCEW(id));
        return ParseDialogTemplate(bytes.data(), bytes.size());
    }

    static HMODULE module;
    static ULONG_PTR gdiplusToken;
};
HMODULE Resources::module = nullptr;
ULONG_PTR Resources::gdiplusToken = 0;

struct ExpectedItem {
    DWORD id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style, exStyle;
    short x, y, cx, cy;
};

void ExpectItems(const DialogTemplateInfo& info, const std::vector<ExpectedItem>& expected) {
    ASSERT_EQ(info.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const DialogItem& got = info.items[i];
        const ExpectedItem& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(want.id));
        EXPECT_EQ(got.id, want.id);
        // Class names are case-insensitive; the resource compiler keeps the
        // predefined ones as upper-case strings.
        EXPECT_EQ(::lstrcmpiW(got.className.c_str(), want.className), 0) << got.className.size();
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.style, want.style);
        EXPECT_EQ(got.exStyle, want.exStyle);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
    }
}

void ExpectFrame(const DialogTemplateInfo& info, DWORD style, DWORD exStyle, short cx, short cy, WORD points,
                 WORD weight, BYTE charset, const wchar_t* face) {
    ASSERT_TRUE(info.extended);
    EXPECT_EQ(info.style, style);
    EXPECT_EQ(info.exStyle, exStyle);
    EXPECT_EQ(info.x, 0);
    EXPECT_EQ(info.y, 0);
    EXPECT_EQ(info.cx, cx);
    EXPECT_EQ(info.cy, cy);
    EXPECT_EQ(info.menu, L"");
    EXPECT_EQ(info.className, L"");
    EXPECT_EQ(info.title, L"");
    EXPECT_EQ(info.pointSize, points);
    EXPECT_EQ(info.weight, weight);
    EXPECT_EQ(info.italic, 0);
    EXPECT_EQ(info.charset, charset);
    EXPECT_EQ(info.typeface, face);
}

}  // namespace

TEST_F(Resources, TemplatesHoldTheirStylesFontsAndControlsInOrder) {
    ASSERT_NE(module, nullptr);
    auto backdrop = Template(IDD_LOGIN_DIALOG);
    ExpectFrame(backdrop, 0x9000004C, 0x00040000, 561, 386, 9, 0, 1, L"MS Shell Dlg");
    EXPECT_TRUE(backdrop.items.empty());

    const DWORD button = 0x50010000;
    auto game = Template(IDD_GAME_DIALOG);
    ExpectFrame(game, 0x8008004C, 0x00040080, 256, 110, 8, 400, 1, L"MS Shell Dlg");
    ExpectItems(game, {
        {1000, kBrowserClass, L"", 0x40010000, 0, 7, 71, 441, 192},
        {1002, L"Static", L"Static", 0x50020200, 0, 7, 7, 96, 13},
        {1001, L"Button", L"X", button, 0, 428, 7, 20, 14},
        {1009, L"Button", L"max", button, 0, 407, 7, 20, 14},
        {1003, L"Button", L"-", button, 0, 388, 7, 20, 14},
        {1004, L"Button", L"full", button, 0, 349, 7, 36, 14},
        {1005, L"Button", L"boss", button, 0, 311, 7, 36, 14},
        {1007, L"Button", L"refresh", button, 0, 239, 7, 36, 14},
        {1008, L"Button", L"server", button, 0, 203, 7, 36, 14},
        {1006, L"Button", L"clean", button, 0, 277, 7, 36, 14},
        {1011, L"Button", L"normal", button, 0, 183, 7, 20, 14},
    });

    auto panel = Template(IDD_LOGIN_PANEL);
    ExpectFrame(panel, 0x9000004C, 0, 387, 333, 9, 0, 1, L"MS Shell Dlg");
    ExpectItems(panel, {
        {1005, L"Button", L"", 0x5001018B, 0x20, 366, 0, 14, 16},
        {1006, L"Button", L"", 0x5001008B, 0x20, 347, 0, 13, 14},
        {1000, kBrowserClass, L"", 0x40000000, 0, 0, 17, 372, 265},
    });

    auto confirm = Template(IDD_CONFIRM_DIALOG);
    ExpectFrame(confirm, 0x90080044, 0, 256, 110, 10, 400, 134, L"宋体");
    ExpectItems(confirm, {
        {1002, L"Static", L"Static", 0x50020001, 0x20, 35, 7, 76, 9},
        {1008, L"Button", L"Button1", button, 0, 18, 35, 50, 14},
        {1009, L"Button", L"Button2", button, 0, 80, 35, 50, 14},
        {1003, L"Static", L"确定要退出游戏吗？", 0x50020001, 0x20, 16, 17, 110, 24},
    });

    auto cleaner = Template(IDD_CLEAN_CACHE_DIALOG);
    ExpectFrame(cleaner, 0x90000044, 0, 256, 111, 10, 400, 134, L"宋体");
    ExpectItems(cleaner, {
        {1002, L"Static", L"缓存清理中,请稍后(按ESC取消)...", 0x50020000, 0x20, 64, 65, 123, 9},
        {1009, L"Static", L"", 0x50000007, 0, 105, 29, 35, 28},
    });
}

TEST_F(Resources, BrowserStateBlocksAreByteForByteTheControlsDefaults) {
    auto block = [](DWORD width, DWORD height, DWORD word48) {
        std::vector<BYTE> b(170, 0);
        auto put16 = [&](size_t at, WORD v) { memcpy(&b[at], &v, 2); };
        auto put32 = [&](size_t at, DWORD v) { memcpy(&b[at], &v, 4); };
        put16(0, 1000);
        put16(2, 0x0376);
        put32(4, 160);
        const size_t s = 8;  // the 160-byte state block
        put32(s + 0x04, 76);
        put32(s + 0x08, width);
        put32(s + 0x0C, height);
        put32(s + 0x28, 76);
        put32(s + 0x34, 1);
        const GUID largeIcons = {0x0057D0E0, 0x3573, 0x11CF, {0xAE, 0x69, 0x08, 0x00, 0x2B, 0x2E, 0x12, 0x62}};
        memcpy(&b[s + 0x38], &largeIcons, 16);
        put32(s + 0x48, word48);
        put32(s + 0x50, 76);
        const GUID shellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
        memcpy(&b[s + 0x54], &shellLink, 16);
        put32(s + 0x64, 0x80);
        put32(s + 0x8C, 1);
        return b;  // and a zero word ends the list
    };
    EXPECT_EQ(Bytes(MAKEINTRESOURCEW(240), MAKEINTRESOURCEW(IDD_GAME_DIALOG)), block(17515, 8255, 10));
    EXPECT_EQ(Bytes(MAKEINTRESOURCEW(240), MAKEINTRESOURCEW(IDD_LOGIN_PANEL)), block(17224, 12277, 0));
}

TEST_F(Resources, PngImagesDecodeToTheirSizesAndPixelFormats) {
    struct Png {
        UINT id, width, height;
        bool alpha;
    };
    const Png pngs[] = {
        {155, 1120, 693, true}, {160, 36, 140, true}, {162, 27, 108, true}, {164, 106, 120, false},
        {166, 30, 120, false},  {167, 64, 120, false}, {168, 29, 120, false}, {169, 29, 120, false},
        {170, 82, 120, false},  {171, 61, 120, false}, {175, 74, 104, false}, {176, 74, 104, false},
        {189, 29, 120, false},  {1000, 87, 120, false},
    };
    for (const Png& png : pngs) {
        SCOPED_TRACE("PNG " + std::to_string(png.id));
        auto bytes = Bytes(L"PNG", MAKEINTRESOURCEW(png.id));
        ASSERT_FALSE(bytes.empty());
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(::GlobalLock(block), bytes.data(), bytes.size());
        ::GlobalUnlock(block);
        IStream* stream = nullptr;
        ASSERT_EQ(::CreateStreamOnHGlobal(block, TRUE, &stream), S_OK);
        Gdiplus::GpImage* image = nullptr;
        ASSERT_EQ(Gdiplus::DllExports::GdipLoadImageFromStream(stream, &image), Gdiplus::Ok);
        UINT w = 0, h = 0;
        Gdiplus::PixelFormat format = 0;
        Gdiplus::DllExports::GdipGetImageWidth(image, &w);
        Gdiplus::DllExports::GdipGetImageHeight(image, &h);
        Gdiplus::DllExports::GdipGetImagePixelFormat(image, &format);
        EXPECT_EQ(w, png.width);
        EXPECT_EQ(h, png.height);
        EXPECT_EQ(format, png.alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB);
        if (png.id != 155) {
            EXPECT_EQ(h % 4, 0u);  // four equal frames
        }
        Gdiplus::DllExports::GdipDisposeImage(image);
        stream->Release();
    }
}

TEST_F(Resources, BitmapsIconManifestAndVersionAreAsShipped) {
    struct Bmp {
        UINT id;
        LONG width, height;
        WORD bits;
    };
    for (const Bmp& bmp : {Bmp{136, 66, 30, 24}, Bmp{141, 83, 30, 24}, Bmp{177, 256, 110, 24}, Bmp{187, 57, 40, 8}}) {
        SCOPED_TRACE("bitmap " + std::to_string(bmp.id));
        auto bytes = Bytes(RT_BITMAP, MAKEINTRESOURCEW(bmp.id));
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        memcpy(&header, bytes.data(), sizeof(header));
        EXPECT_EQ(header.biWidth, bmp.width);
        EXPECT_EQ(std::abs(header.biHeight), bmp.height);
        EXPECT_EQ(header.biBitCount, bmp.bits);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
    // Bitmap 187 is black throughout: every pixel indexes a black colour.
    {
        auto bytes = Bytes(RT_BITMAP, MAKEINTRESOURCEW(IDB_CLEAN_BACK));
        BITMAPINFOHEADER header;
        memcpy(&header, bytes.data(), sizeof(header));
        const DWORD colours = header.biClrUsed ? header.biClrUsed : 256;
        const auto* palette = reinterpret_cast<const RGBQUAD*>(bytes.data() + header.biSize);
        const BYTE* pixels = bytes.data() + header.biSize + colours * sizeof(RGBQUAD);
        const int stride = (57 + 3) & ~3;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 57; ++x) {
                const RGBQUAD& c = palette[pixels[y * stride + x]];
                ASSERT_EQ(c.rgbRed | c.rgbGreen | c.rgbBlue, 0) << x << "," << y;
            }
    }

    // Icon group 128: one 64 x 64 image of 32 bits per pixel.
    auto group = Bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_APP));
    ASSERT_GE(group.size(), 6u + 14u);
    WORD count;
    memcpy(&count, &group[4], 2);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(group[6], 64);
    EXPECT_EQ(group[7], 64);
    WORD bits;
    memcpy(&bits, &group[6 + 6], 2);
    EXPECT_EQ(bits, 32);

    auto manifest = Bytes(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), kEnglish);
    ASSERT_FALSE(manifest.empty());
    const std::string text(manifest.begin(), manifest.end());
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                             "processorArchitecture=\"x86\"", "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\"",
                             "level=\"asInvoker\"", "uiAccess=\"false\"", ">true</dpiAware>"})
        EXPECT_NE(text.find(part), std::string::npos) << part;

    // The launcher's own resources are Chinese (PRC), the manifest English.
    for (UINT id : {IDD_LOGIN_DIALOG, IDD_GAME_DIALOG, IDD_LOGIN_PANEL, IDD_CONFIRM_DIALOG, IDD_CLEAN_CACHE_DIALOG})
        EXPECT_EQ(Languages(RT_DIALOG, MAKEINTRESOURCEW(id)), std::vector<WORD>{kChinese}) << id;
    EXPECT_EQ(Languages(L"PNG", MAKEINTRESOURCEW(IDB_PNG_BACKDROP)), std::vector<WORD>{kChinese});
    EXPECT_EQ(Languages(RT_BITMAP, MAKEINTRESOURCEW(IDB_TITLE_BAR)), std::vector<WORD>{kChinese});
    EXPECT_EQ(Languages(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_APP)), std::vector<WORD>{kChinese});
    EXPECT_EQ(Languages(MAKEINTRESOURCEW(240), MAKEINTRESOURCEW(IDD_GAME_DIALOG)), std::vector<WORD>{kChinese});
    EXPECT_EQ(Languages(RT_VERSION, MAKEINTRESOURCEW(1)), std::vector<WORD>{kChinese});
    EXPECT_EQ(Languages(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1)), std::vector<WORD>{kEnglish});

    const std::wstring path = BuiltFile(L"launcher.exe");
    DWORD handle = 0;
    std::vector<BYTE> info(::GetFileVersionInfoSizeW(path.c_str(), &handle));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileOS, 0x00040004u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    DWORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(*translation, MAKELONG(0x0804, 1200));
    wchar_t* fileVersion = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\FileVersion", reinterpret_cast<void**>(&fileVersion), &length));
    EXPECT_STREQ(fileVersion, L"1.0.0.1");
}

namespace {
std::vector<BYTE> ReadWholeFile(const std::wstring& path) {
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<BYTE> bytes(::GetFileSize(f, nullptr));
    DWORD read = 0;
    ::ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(f);
    return bytes;
}
}  // namespace

TEST(Program, IsOneStaticGuiProgramImportingOnlySystemLibraries) {
    const std::vector<BYTE> file = ReadWholeFile(BuiltFile(L"launcher.exe"));
    ASSERT_GT(file.size(), 4096u);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(file.data() + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    };
    const DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    const auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(file.data() + offsetOf(importRva));
    const std::vector<std::string> system = {"comctl32.dll", "gdi32.dll",  "gdiplus.dll", "kernel32.dll",
                                             "msvcrt.dll",   "ole32.dll",  "oleaut32.dll", "shell32.dll",
                                             "user32.dll",   "wininet.dll", "advapi32.dll", "shlwapi.dll"};
    int count = 0;
    for (; import->Name != 0; ++import, ++count) {
        std::string name(reinterpret_cast<const char*>(file.data() + offsetOf(import->Name)));
        for (char& c : name)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(std::find(system.begin(), system.end(), name), system.end()) << name;
    }
    EXPECT_GT(count, 3);
}
