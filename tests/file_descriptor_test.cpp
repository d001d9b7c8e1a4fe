// The one owner of a descriptor: closed exactly once, by whoever holds it last.
#include "app/file_descriptor.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <utility>

namespace meshwright {
namespace {

bool isOpen(int descriptor) {
    return fcntl(descriptor, F_GETFD) != -1;
}

TEST(FileDescriptor, MovedDescriptorIsClosedOnceByItsLastOwner) {
    const int raw = open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(raw, 0);
    FileDescriptor last;
    {
        FileDescriptor first(raw);
        FileDescriptor second(std::move(first));
        last = std::move(second);
        EXPECT_FALSE(first.isOpen());
        EXPECT_FALSE(second.isOpen());
    }
    // The earlier owners are gone and closed nothing.
    EXPECT_EQ(last.get(), raw);
    EXPECT_TRUE(isOpen(raw));
    last = FileDescriptor();
    EXPECT_FALSE(isOpen(raw));
}

// A descriptor handed over by release() is the caller's to close, and reset() closes the old
// one before holding the next: no descriptor is left open or closed twice.
TEST(FileDescriptor, ReleaseHandsOverAndResetClosesWhatWasHeld) {
    const int first = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int second = open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    FileDescriptor owner(first);
    owner.reset(second);
    EXPECT_FALSE(isOpen(first));
    EXPECT_EQ(owner.release(), second);
    EXPECT_FALSE(owner.isOpen());
    owner.reset();
    EXPECT_TRUE(isOpen(second));
    close(second);
}

}  // namespace
}  // namespace meshwright
