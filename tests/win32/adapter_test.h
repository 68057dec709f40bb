// A small test harness for the Win32 adapters, which run only on Windows or
// under Wine, where GoogleTest is not built.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace scribbit::adapter_test {

struct TestCase {
    const char* name;
    std::function<void()> body;
};

std::vector<TestCase>& Registry();
void RecordFailure(const char* file, int line, const std::string& what);

struct Registrar {
    Registrar(const char* name, std::function<void()> body) { Registry().push_back({name, std::move(body)}); }
};

std::string Describe(const std::u16string& text);
inline std::string Describe(const std::string& text) {
    return "\"" + text + "\"";
}
template <typename T>
std::string Describe(const T& value) {
    if constexpr (std::is_enum_v<T>) {
        return std::to_string(static_cast<long long>(value));
    } else {
        return std::to_string(value);
    }
}

}  // namespace scribbit::adapter_test

#define ADAPTER_TEST_CONCAT2(a, b) a##b
#define ADAPTER_TEST_CONCAT(a, b) ADAPTER_TEST_CONCAT2(a, b)
#define ADAPTER_TEST(name)                                                                               \
    static void name();                                                                                  \
    static const ::scribbit::adapter_test::Registrar ADAPTER_TEST_CONCAT(registrar_, name)(#name, name); \
    static void name()

#define EXPECT_TRUE(condition)                                                                   \
    do {                                                                                         \
        if (!(condition))                                                                        \
            ::scribbit::adapter_test::RecordFailure(__FILE__, __LINE__, "expected " #condition); \
    } while (0)

#define EXPECT_EQ(actual, expected)                                                                   \
    do {                                                                                              \
        const auto& actualValue = (actual);                                                           \
        const auto& expectedValue = (expected);                                                       \
        if (!(actualValue == expectedValue)) {                                                        \
            ::scribbit::adapter_test::RecordFailure(                                                  \
                __FILE__, __LINE__,                                                                   \
                #actual " == " #expected ": got " + ::scribbit::adapter_test::Describe(actualValue) + \
                    ", want " + ::scribbit::adapter_test::Describe(expectedValue));                   \
        }                                                                                             \
    } while (0)
