// The end-to-end test harness: test registration, checks that report their
// file and line, a fresh folder per test and the final tally.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

struct Options {
    std::wstring exePath;  // the ScribbitⅡ.exe under test
    std::wstring outDir;   // work folders and screenshots go below it
    std::wstring filter;   // run only tests whose name contains this
    bool list = false;
};

const Options& GetOptions();
void SetOptions(const Options& options);

std::string Narrow(const std::wstring& text);  // UTF-8, for the console
std::wstring Widen(const std::string& text);   // from UTF-8

class TestContext;
using TestFunction = void (*)(TestContext&);

struct TestInfo {
    const char* name;
    TestFunction function;
};
std::vector<TestInfo>& Registry();

struct TestRegistrar {
    TestRegistrar(const char* name, TestFunction function) { Registry().push_back({name, function}); }
};

// One running test: its folder, its checks and its screenshots.
class TestContext {
public:
    TestContext(std::string name, std::wstring folder);

    const std::string& Name() const { return name_; }
    // A fresh, empty folder that belongs to this test alone.
    const std::wstring& Folder() const { return folder_; }
    std::wstring PathInFolder(const std::wstring& name) const { return folder_ + L"\\" + name; }
    // Copies the program under test into the folder (so its settings file is
    // the test's own) and returns the copy's path.
    std::wstring InstallProgram();

    bool Check(bool ok, const char* expression, const char* file, int line, const std::string& detail = {});
    // Saves a picture of the whole screen as <out>\screenshots\<test>-<label>.bmp.
    void Screenshot(const std::string& label);

    int Passed() const { return passed_; }
    int Failed() const { return failed_; }

private:
    std::string name_;
    std::wstring folder_;
    int passed_ = 0;
    int failed_ = 0;
};

// Runs the registered tests that match the filter; prints one line per
// failed check and the closing tally. Returns the number of failed checks.
int RunAll();

// Printable forms for check details.
std::string Show(const std::wstring& text);
std::string Show(const std::string& bytes);  // bytes, with control and high bytes escaped
std::string Show(long long value);

// Polls until the condition holds or the time is up; never a fixed sleep
// where a condition can be asked.
bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs = 15);

}  // namespace e2e

#define E2E_TEST(name)                                                   \
    static void name(e2e::TestContext& t);                               \
    static const e2e::TestRegistrar name##_registrar(#name, &name);      \
    static void name([[maybe_unused]] e2e::TestContext& t)

#define E2E_CHECK(cond) t.Check(static_cast<bool>(cond), #cond, __FILE__, __LINE__)
#define E2E_CHECK_EQ(actual, expected)                                                              \
    [&] {                                                                                          \
        const auto& e2eActual_ = (actual);                                                         \
        const auto& e2eExpected_ = (expected);                                                     \
        const bool e2eOk_ = e2eActual_ == e2eExpected_;                                            \
        return t.Check(e2eOk_, #actual " == " #expected, __FILE__, __LINE__,                       \
                       e2eOk_ ? std::string{}                                                      \
                              : "actual " + e2e::Show(e2eActual_) + ", expected " + e2e::Show(e2eExpected_)); \
    }()
// Compares files' bytes; a difference is reported by its first line.
#define E2E_CHECK_BYTES(actual, expected)                                                         \
    [&] {                                                                                        \
        const std::string e2eDifference_ = e2e::DescribeDifference((actual), (expected));        \
        return t.Check(e2eDifference_.empty(), #actual " has the bytes of " #expected, __FILE__, \
                       __LINE__, e2eDifference_);                                                \
    }()
// Stops the test when the check fails (later steps would only add noise).
#define E2E_REQUIRE(cond) \
    if (!E2E_CHECK(cond)) return
#define E2E_REQUIRE_EQ(actual, expected) \
    if (!E2E_CHECK_EQ(actual, expected)) return
