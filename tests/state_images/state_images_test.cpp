// The status image each validation verdict shows in the names list.
#include "ui/model/state_images.h"

#include <gtest/gtest.h>

#include <iterator>

namespace mr {
namespace {

TEST(StateImages, EveryStatusHasItsPictureAndUnknownValuesStayInRange) {
    const int images[] = {3, -1, 1, 2, 5, 6, 4, 7, 7, 7}; // by status value; 1 is no status
    for (uint32_t status = 0; status < std::size(images); ++status) {
        if (images[status] > 0) {
            EXPECT_EQ(stateImageForStatus(static_cast<FileStatus>(status)), images[status])
                << status;
        }
    }
    for (const uint32_t unknown : {1u, 10u, 0xFFFFFFFFu}) {
        const int image = stateImageForStatus(static_cast<FileStatus>(unknown));
        EXPECT_TRUE(image >= 1 && image <= kStateImageCount) << unknown;
    }
}

} // namespace
} // namespace mr
