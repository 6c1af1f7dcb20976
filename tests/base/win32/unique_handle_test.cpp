#include "base/unique_handle.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace gpais {
namespace {

// An event is a kernel object the test can make and ask about without touching files.
HANDLE new_event() {
    return ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

bool is_open(HANDLE handle) {
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != FALSE;
}

TEST(UniqueHandle, EachKindKnowsItsEmptyValues) {
    EXPECT_FALSE(UniqueFile{});
    EXPECT_FALSE(UniqueFile{INVALID_HANDLE_VALUE});
    EXPECT_FALSE(UniqueFile{nullptr});
    EXPECT_FALSE(UniqueKernelHandle{});
    EXPECT_FALSE(UniqueKernelHandle{nullptr});
    EXPECT_EQ(UniqueFile{}.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(UniqueKernelHandle{}.get(), nullptr);
}

TEST(UniqueHandle, ClosesOnceWhateverWayItsHandleLeaves) {
    HANDLE raw = new_event();
    ASSERT_NE(raw, nullptr);
    {
        UniqueKernelHandle first{raw};
        UniqueKernelHandle second{std::move(first)};
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), raw);
        EXPECT_TRUE(is_open(raw));
    }
    EXPECT_FALSE(is_open(raw)) << "the owner it was moved to closes it";

    HANDLE kept = new_event();
    UniqueKernelHandle owner{kept};
    EXPECT_EQ(owner.release(), kept);
    EXPECT_FALSE(owner);
    EXPECT_TRUE(is_open(kept)) << "a released handle is the caller's";
    ::CloseHandle(kept);
}

TEST(UniqueHandle, PutClosesWhatWasHeldAndIsFilledInPlace) {
    HANDLE old = new_event();
    UniqueKernelHandle owner{old};
    HANDLE* slot = owner.put();
    EXPECT_FALSE(is_open(old)) << "filling an owner twice must not leak the first handle";
    EXPECT_EQ(*slot, nullptr);
    *slot = new_event();
    EXPECT_TRUE(owner);
    EXPECT_TRUE(is_open(owner.get()));

    UniqueRegistryKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()),
              ERROR_SUCCESS);
    EXPECT_TRUE(key);
}

}  // namespace
}  // namespace gpais
