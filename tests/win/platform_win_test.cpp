// What only Windows can show about the platform layer.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/trace.h"
#include "platform/win/debug_trace.h"
#include "platform/win/wide_text.h"

namespace ventrio {
namespace {

class TempFolder {
  public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        m_path = std::filesystem::path(base) /
                 (L"ventrio-win-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++s_counter));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

  private:
    static inline int s_counter = 0;
    std::filesystem::path m_path;
};

TEST(PlatformWin, AtomicWriteReplacesAnExistingFile) {
    TempFolder folder;
    const auto file = folder.Path() / L"config0.bin";
    const std::vector<uint8_t> first(1774, 0x11);
    const std::vector<uint8_t> second(1774, 0x22);
    ASSERT_FALSE(WriteFileAtomic(file, first));
    const std::error_code error = WriteFileAtomic(file, second);
    ASSERT_FALSE(error) << error.message();
    EXPECT_EQ(ReadFileBytes(file), second);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(PlatformWin, WideTextAndPathsRoundTrip) {
    const std::string text = "配置 Grüße \xF0\x9F\x98\x80";
    EXPECT_EQ(Narrow(Widen(text)), text);
    EXPECT_EQ(Widen("Zurück"), L"Zur\u00FCck");

    TempFolder folder;
    const auto ini = folder.Path() / PathFromUtf8("标签 str0.ini");
    IniFile(ini).WriteString("Setting-CHS", "Item1", "左键");
    EXPECT_EQ(IniFile(ini).GetString("setting-chs", "ITEM1"), "左键");
    EXPECT_TRUE(FileExists(ini));
}

TEST(PlatformWin, ExecutableFolderHoldsTheTestProgram) {
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(ExecutableFolder(), std::filesystem::path(module).parent_path());
}

TEST(PlatformWin, DebugOutputSinkDoesNotDisturbOtherSinks) {
    InstallDebugOutputTrace();
    Trace("Config file is not exist.\n");  // goes to the debugger output
    TraceCapture capture;
    TraceF("FW version:%02x-%02x\n", 1, 0x2A);
    EXPECT_EQ(capture.Text(), "FW version:01-2a\n");
}

}  // namespace
}  // namespace ventrio
