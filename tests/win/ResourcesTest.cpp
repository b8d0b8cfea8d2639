// The built program's own resources, read back through the platform's resource and version
// APIs, and the window icons as windows receive them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "app/frmGoogleVideo.h"
#include "app/mXPManifest.h"

namespace {

constexpr WORD kItalian = MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN);      // 0x0410
constexpr WORD kSpanishModern = MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN); // 0x0C0A
constexpr WORD kNeutral = 0;

class ProgramFile : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        program = LoadLibraryExA(QUORVEL_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(program, nullptr) << QUORVEL_EXE_PATH;
    }
    static void TearDownTestSuite() { FreeLibrary(program); }

    static std::vector<WORD> Languages(LPCSTR type, LPCSTR name)
    {
        std::vector<WORD> languages;
        EnumResourceLanguagesA(
            program, type, name,
            [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list) -> BOOL {
                reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&languages));
        return languages;
    }

    static std::vector<unsigned char> Bytes(LPCSTR type, LPCSTR name, WORD language)
    {
        HRSRC resource = FindResourceExA(program, type, name, language);
        if (!resource)
            return {};
        const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(program, resource)));
        return {data, data + SizeofResource(program, resource)};
    }

    static inline HMODULE program = nullptr;
};

// GRPICONDIR with its one GRPICONDIRENTRY.
struct GroupEntry {
    BYTE Width, Height, ColourCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;
    bool operator==(const GroupEntry&) const = default;
};

void PrintTo(const GroupEntry& e, std::ostream* out)
{
    *out << int(e.Width) << "x" << int(e.Height) << " colours " << int(e.ColourCount) << " planes " << e.Planes
         << " bits " << e.BitCount << " bytes " << e.BytesInRes << " id " << e.Id;
}

GroupEntry OnlyEntry(const std::vector<unsigned char>& group)
{
    GroupEntry entry{};
    EXPECT_EQ(group.size(), 6u + 14u);
    if (group.size() < 20)
        return entry;
    WORD header[3];
    std::memcpy(header, group.data(), 6);
    EXPECT_EQ(header[0], 0);
    EXPECT_EQ(header[1], 1);
    EXPECT_EQ(header[2], 1);
    std::memcpy(&entry, group.data() + 6, 12);
    std::memcpy(&entry.Id, group.data() + 18, 2);
    return entry;
}

// One node of a version resource: key, value and children, in file order.
struct VersionNode {
    std::wstring Key;
    std::wstring Text;
    std::vector<unsigned char> Value;
    std::vector<VersionNode> Children;
};

VersionNode ParseVersionNode(const unsigned char* data, size_t& offset)
{
    const size_t start = offset;
    WORD length, valueLength, type;
    std::memcpy(&length, data + offset, 2);
    std::memcpy(&valueLength, data + offset + 2, 2);
    std::memcpy(&type, data + offset + 4, 2);
    offset += 6;
    VersionNode node;
    for (wchar_t c; std::memcpy(&c, data + offset, 2), offset += 2, c != 0;)
        node.Key += c;
    offset = (offset + 3) & ~size_t(3);
    const size_t valueBytes = type == 1 ? valueLength * 2u : valueLength;
    node.Value.assign(data + offset, data + offset + valueBytes);
    if (type == 1)
        for (size_t i = 0; i + 1 < valueBytes; i += 2) {
            wchar_t c;
            std::memcpy(&c, data + offset + i, 2);
            if (c)
                node.Text += c;
        }
    offset = (offset + valueBytes + 3) & ~size_t(3);
    while (offset < start + length) {
        node.Children.push_back(ParseVersionNode(data, offset));
        offset = (offset + 3) & ~size_t(3);
    }
    offset = start + length;
    return node;
}

} // namespace

TEST_F(ProgramFile, IconsCarryTheirExactIdsLanguagesAndDirectoryFields)
{
    EXPECT_EQ(Languages(MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(1)), std::vector<WORD>{kItalian});
    EXPECT_EQ(Languages(MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(30001)), std::vector<WORD>{kNeutral});
    EXPECT_EQ(Languages(MAKEINTRESOURCEA(14), "ICON_0"), std::vector<WORD>{kItalian});
    EXPECT_EQ(Languages(MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(1)), std::vector<WORD>{kNeutral});

    // Named groups come first in the directory, so "ICON_0" is what the shell shows.
    std::vector<std::string> groups;
    EnumResourceNamesA(
        program, MAKEINTRESOURCEA(14),
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR list) -> BOOL {
            reinterpret_cast<std::vector<std::string>*>(list)->push_back(
                IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : std::string(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups, (std::vector<std::string>{"ICON_0", "#1"}));

    EXPECT_EQ(OnlyEntry(Bytes(MAKEINTRESOURCEA(14), "ICON_0", kItalian)), (GroupEntry{16, 32, 8, 0, 1, 8, 1384, 1}));
    EXPECT_EQ(OnlyEntry(Bytes(MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(1), kNeutral)),
              (GroupEntry{16, 16, 0, 0, 1, 8, 1384, 30001}));

    const auto first = Bytes(MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(1), kItalian);
    const auto second = Bytes(MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(30001), kNeutral);
    ASSERT_EQ(first.size(), 1384u);
    ASSERT_EQ(second.size(), 1384u);
    EXPECT_NE(first, second) << "two different pictures";
    for (const auto* image : {&first, &second}) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, image->data(), sizeof(header));
        EXPECT_EQ(header.biWidth, 16);
        EXPECT_EQ(header.biHeight, 32) << "colour bits and mask";
        EXPECT_EQ(header.biBitCount, 8);
    }
}

TEST_F(ProgramFile, VersionBlockIsItalianVersion1002WithItsStringsInOrder)
{
    EXPECT_EQ(Languages(MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1)), std::vector<WORD>{kItalian});

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(QUORVEL_EXE_PATH, &handle);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(QUORVEL_EXE_PATH, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 4u);
    EXPECT_EQ(fixed->dwFileType, 1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    char* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\041004B0\\OriginalFilename",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "Dide Quorvel.exe");

    // The raw block, to see the order: translation table first, then the strings in order.
    const auto raw = Bytes(MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), kItalian);
    size_t offset = 0;
    const VersionNode root = ParseVersionNode(raw.data(), offset);
    EXPECT_EQ(root.Key, L"VS_VERSION_INFO");
    ASSERT_EQ(root.Children.size(), 2u);
    EXPECT_EQ(root.Children[0].Key, L"VarFileInfo");
    ASSERT_EQ(root.Children[0].Children.size(), 1u);
    const auto& translation = root.Children[0].Children[0].Value;
    ASSERT_EQ(translation.size(), 4u);
    EXPECT_EQ(translation[0] | translation[1] << 8, 0x0410);
    EXPECT_EQ(translation[2] | translation[3] << 8, 1200);

    EXPECT_EQ(root.Children[1].Key, L"StringFileInfo");
    ASSERT_EQ(root.Children[1].Children.size(), 1u);
    const VersionNode& table = root.Children[1].Children[0];
    EXPECT_EQ(table.Key, L"041004B0");
    const std::wstring title = L"Dide Quorvel  Ricerca file audio";
    const std::vector<std::pair<std::wstring, std::wstring>> expected{
        {L"Comments", title},           {L"CompanyName", title},           {L"FileDescription", title},
        {L"LegalCopyright", L""},        {L"LegalTrademarks", L""},         {L"ProductName", title},
        {L"FileVersion", L"1.00.0002"}, {L"ProductVersion", L"1.00.0002"}, {L"InternalName", L"Dide Quorvel"},
        {L"OriginalFilename", L"Dide Quorvel.exe"}};
    ASSERT_EQ(table.Children.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table.Children[i].Key, expected[i].first);
        if (expected[i].second.empty())
            EXPECT_FALSE(table.Children[i].Text.empty()) << "the author's name and nickname";
        else
            EXPECT_EQ(table.Children[i].Text, expected[i].second);
    }
}

TEST_F(ProgramFile, ManifestAsksForCommonControls6ForThisProcessor)
{
    EXPECT_EQ(Languages(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1)), std::vector<WORD>{kSpanishModern});
    const auto bytes = Bytes(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), kSpanishModern);
    std::string manifest(bytes.begin(), bytes.end());
    EXPECT_EQ(manifest.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n", 0), 0u);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
    for (size_t at = manifest.find('\n'); at != std::string::npos; at = manifest.find('\n', at + 1))
        EXPECT_EQ(manifest[at - 1], '\r') << "every line ends in CR LF";

    // The 64-bit build names its own processor in both places and differs in nothing else:
    // with "x86" back it is the shipped program's 664 bytes.
    size_t count = 0;
    for (size_t at = manifest.find("processorArchitecture=\"amd64\""); at != std::string::npos;
         at = manifest.find("processorArchitecture=\"amd64\"", at + 1)) {
        manifest.replace(at + 23, 5, "x86");
        ++count;
    }
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(manifest.size(), 664u);
}

// ---- the window icons ----

namespace {

struct IconSend {
    HWND Window;
    WPARAM Kind;
    HANDLE Icon;
};
std::vector<IconSend> g_IconSends;

LRESULT CALLBACK LogSetIcon(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETICON)
        g_IconSends.push_back({window, wParam, reinterpret_cast<HANDLE>(lParam)});
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND LoggingWindow(HWND owner)
{
    static const ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = LogSetIcon;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"IconLogger";
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
    return CreateWindowExW(0, L"IconLogger", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

HANDLE SharedIcon(const char* name, int widthMetric, int heightMetric)
{
    return LoadImageA(GetModuleHandleW(nullptr), name, IMAGE_ICON, GetSystemMetrics(widthMetric),
                      GetSystemMetrics(heightMetric), LR_SHARED);
}

} // namespace

TEST(WindowIcons, TheTopOwnerGetsEachIconFirstAndBigBeforeSmall)
{
    HWND owner = LoggingWindow(nullptr);
    HWND window = LoggingWindow(owner);
    g_IconSends.clear();
    InstallWindowIcons(window, u"ICON_0", true);
    HANDLE big = SharedIcon("ICON_0", SM_CXICON, SM_CYICON);
    HANDLE small = SharedIcon("ICON_0", SM_CXSMICON, SM_CYSMICON);
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    ASSERT_EQ(g_IconSends.size(), 4u);
    const IconSend expected[] = {
        {owner, ICON_BIG, big}, {window, ICON_BIG, big}, {owner, ICON_SMALL, small}, {window, ICON_SMALL, small}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(g_IconSends[i].Window, expected[i].Window) << i;
        EXPECT_EQ(g_IconSends[i].Kind, expected[i].Kind) << i;
        EXPECT_EQ(g_IconSends[i].Icon, expected[i].Icon) << i;
    }

    // Without the owner walk only the window itself is touched.
    g_IconSends.clear();
    InstallWindowIcons(window, u"ICON_0", false);
    ASSERT_EQ(g_IconSends.size(), 2u);
    EXPECT_EQ(g_IconSends[0].Window, window);
    EXPECT_EQ(g_IconSends[1].Window, window);

    // A window with no owner is its own top owner: each icon arrives twice.
    g_IconSends.clear();
    InstallWindowIcons(owner, u"ICON_0", true);
    ASSERT_EQ(g_IconSends.size(), 4u);
    for (const IconSend& send : g_IconSends)
        EXPECT_EQ(send.Window, owner);

    // A name the program does not hold removes both icons, silently.
    g_IconSends.clear();
    InstallWindowIcons(window, u"NO_SUCH_ICON", true);
    ASSERT_EQ(g_IconSends.size(), 4u);
    for (const IconSend& send : g_IconSends)
        EXPECT_EQ(send.Icon, nullptr);
    EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0), 0);

    DestroyWindow(window);
    DestroyWindow(owner);
}

TEST(WindowIcons, TheSearchWindowShowsIcon0AfterLoading)
{
    frmGoogleVideo& form = frmGoogleVideo::Instance();
    form.Show();
    PumpFor(50);
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageW(form.hWnd(), WM_GETICON, ICON_BIG, 0)),
              SharedIcon("ICON_0", SM_CXICON, SM_CYICON));
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageW(form.hWnd(), WM_GETICON, ICON_SMALL, 0)),
              SharedIcon("ICON_0", SM_CXSMICON, SM_CYSMICON));
    EXPECT_NE(SharedIcon("ICON_0", SM_CXICON, SM_CYICON), SharedIcon(MAKEINTRESOURCEA(1), SM_CXICON, SM_CYICON));
}
