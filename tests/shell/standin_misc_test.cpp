// The stand-in's command-line text, message box loop, taskbar object creation and program icon.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "command_line.h"
#include "embedded_icons.h"
#include "icons.h"
#include "test_window.h"

namespace {

TEST(StandInCommandLine, ArgumentsAreJoinedAndQuotedAsThePlatformParsesThem) {
    struct Case {
        std::vector<const char*> arguments;
        std::string tail;
    };
    const Case cases[] = {
        {{}, ""},
        {{"90"}, "90"},
        {{"90", "120"}, "90 120"},
        {{"a b"}, "\"a b\""},
        {{""}, "\"\""},
        {{"say \"hi\""}, "\"say \\\"hi\\\"\""},
        {{"dir\\", "x"}, "dir\\ x"},
        {{"a b\\"}, "\"a b\\\\\""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"ovenbell"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(standin::CommandLineTail(static_cast<int>(argv.size()), argv.data()), c.tail);
    }
}

TEST(StandInMessageBox, LoopKeepsOtherWindowsRunningUntilOkAndNests) {
    HWND window = test_window::Create();
    SetTimer(window, 1, 1000, nullptr);
    std::vector<int> results;
    std::size_t openDuringTicks = 0;
    test_window::onMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER) openDuringTicks += headless::MessageBoxes().size();
        if (message == WM_USER) results.push_back(MessageBoxA(nullptr, "text", "title", MB_OK));
        return std::nullopt;
    };
    headless::At(100, [&] { headless::Post(window, WM_USER, 0, 0); });
    headless::At(200, [&] { headless::Post(window, WM_USER, 0, 0); });
    headless::At(2500, [&] {
        ASSERT_EQ(headless::MessageBoxes().size(), 2u);
        EXPECT_EQ(headless::MessageBoxes()[0].caption, "title");
        headless::PressOk();
    });
    headless::At(3500, [&] { headless::PressOk(); });
    headless::At(4500, [&] { DestroyWindow(window); });
    test_window::RunLoop();

    EXPECT_EQ(results, (std::vector<int>{IDOK, IDOK}));
    // Ticks at 1000 and 2000 with two boxes open, 3000 with one.
    EXPECT_EQ(openDuringTicks, 5u);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST(StandInMessageBox, QuitMessageEndsTheBoxAndReachesTheOuterLoop) {
    HWND window = test_window::Create();
    int boxResult = -1;
    test_window::onMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER) boxResult = MessageBoxA(nullptr, "text", "title", MB_OK);
        return std::nullopt;
    };
    headless::At(10, [&] { headless::Post(window, WM_USER, 0, 0); });
    headless::At(20, [] { PostQuitMessage(5); });
    MSG message{};
    BOOL result = 0;
    while ((result = GetMessageA(&message, nullptr, 0, 0)) > 0) DispatchMessageA(&message);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(message.wParam, 5u);
    EXPECT_EQ(boxResult, 0);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST(StandInTaskbar, CreationFailsCleanlyWithoutADesktopTaskbar) {
    test_window::Create();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_TRUE(FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_ITaskbarList3, &object)));
    EXPECT_EQ(object, nullptr);
}

TEST(StandInIcons, ProgramIconDecodesTopRowFirstAndOtherNamesHaveNone) {
    headless::Reset();
    const HMODULE module = GetModuleHandleA(nullptr);
    const HICON icon = LoadIconA(module, MAKEINTRESOURCEA(104));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(module, MAKEINTRESOURCEA(104)), icon);
    const standin::IconImage* image = standin::FindIcon(icon);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width, 32);
    ASSERT_EQ(image->height, 32);
    ASSERT_EQ(image->pixels.size(), 32u * 32u);

    struct Pixel {
        int x, y;
        std::uint32_t argb;
    };
    // Chosen so that a flipped, mirrored or channel-swapped decoding misses at least one.
    const Pixel pixels[] = {
        {0, 0, 0x00000000},    // transparent corner
        {16, 3, 0xFF464A52},   // the knob on top
        {20, 14, 0xFFDA2626},  // the red sector, right of twelve o'clock
        {12, 20, 0xFFFCFAF4},  // the dial face, lower left
        {8, 30, 0xFF464A52},   // a foot
        {16, 18, 0xFF28282C},  // the hub
    };
    for (const Pixel& p : pixels) {
        EXPECT_EQ(image->pixels[static_cast<std::size_t>(p.y * 32 + p.x)], p.argb)
            << "at " << p.x << "," << p.y;
    }

    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(104)), nullptr);
    for (const WORD unknown : {WORD{1}, WORD{105}, WORD{32512}}) {
        EXPECT_EQ(LoadIconA(module, MAKEINTRESOURCEA(unknown)), nullptr) << unknown;
    }
    EXPECT_EQ(LoadIconA(module, "ovenbell"), nullptr);
    EXPECT_EQ(standin::FindIcon(reinterpret_cast<HICON>(module)), nullptr);
}

TEST(StandInIcons, DamagedIcoFilesDecodeToNothing) {
    ASSERT_GE(standin::embeddedIconCount, 1u);
    const standin::EmbeddedIcon& embedded = standin::embeddedIcons[0];
    const std::vector<unsigned char> good(embedded.bytes, embedded.bytes + embedded.size);
    ASSERT_TRUE(standin::DecodeIco(good.data(), good.size()));

    struct Damage {
        const char* what;
        std::size_t keep;  // bytes left of the file
        std::size_t at;    // a byte to overwrite, if inside what is kept
        unsigned char value;
    };
    const std::size_t image = 22;  // the one image follows the directory and its entry
    const Damage damages[] = {
        {"directory only", 6, SIZE_MAX, 0},
        {"entry cut short", 20, SIZE_MAX, 0},
        {"header cut short", image + 30, SIZE_MAX, 0},
        {"last row cut short", image + 40 + 32 * 128 - 1, SIZE_MAX, 0},
        {"not an icon (cursor type)", good.size(), 2, 2},
        {"24 bits a pixel", good.size(), image + 14, 24},
        {"compressed", good.size(), image + 16, 3},
        {"image past the end", good.size(), 6 + 12 + 1, 0x40},
    };
    for (const Damage& d : damages) {
        std::vector<unsigned char> bytes(good.begin(),
                                         good.begin() + static_cast<std::ptrdiff_t>(d.keep));
        if (d.at < bytes.size()) bytes[d.at] = d.value;
        EXPECT_FALSE(standin::DecodeIco(bytes.data(), bytes.size())) << d.what;
    }
}

}  // namespace
