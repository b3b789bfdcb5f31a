// The shared DPI object: who hears of a change, and in which order.
#include "ui/win32/screen_dpi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mr {
namespace {

struct Recorder : ScreenDpi::ScreenDpiWatcher {
    Recorder(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
    void onDpiChanged(uint32_t oldDpi, uint32_t newDpi) override {
        log.push_back(name + ":" + std::to_string(oldDpi) + "->" + std::to_string(newDpi));
    }
    std::vector<std::string>& log;
    std::string name;
};

TEST(ScreenDpi, TellsWatchersOfRealChangesInOrder) {
    std::vector<std::string> log;
    Recorder a(log, "a"), b(log, "b");
    ScreenDpi dpi;
    EXPECT_EQ(dpi.dpi(), 96u);
    dpi.addWatcher(&a);
    dpi.addWatcher(&b);
    dpi.applyDpi(96); // no change, no call
    dpi.applyDpi(144);
    EXPECT_EQ(dpi.toPixels(66), 99);
    dpi.removeWatcher(&a);
    dpi.applyDpi(120);
    EXPECT_EQ(log, (std::vector<std::string>{"a:96->144", "b:96->144", "b:144->120"}));
}

} // namespace
} // namespace mr
