// The status image each validation verdict shows in the names list.
#include "ui/model/state_images.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

TEST(StateImages, EveryStatusHasItsPicture) {
    const struct {
        FileStatus status;
        int image;
    } table[] = {
        {FileStatus::Pending, 3},       {FileStatus::Good, 1},    {FileStatus::Unchanged, 2},
        {FileStatus::Duplicate, 5},     {FileStatus::Exists, 6},  {FileStatus::Empty, 4},
        {FileStatus::SpaceOrPeriod, 7}, {FileStatus::TooLong, 7}, {FileStatus::InvalidChars, 7},
    };
    for (const auto& row : table)
        EXPECT_EQ(stateImageForStatus(row.status), row.image) << static_cast<int>(row.status);
}

TEST(StateImages, UnknownValuesStayInRange) {
    const uint32_t values[] = {1, 10, 0xFFFFFFFFu};
    for (uint32_t v : values) {
        const int image = stateImageForStatus(static_cast<FileStatus>(v));
        EXPECT_GE(image, 1);
        EXPECT_LE(image, kStateImageCount);
    }
}

} // namespace
} // namespace mr
