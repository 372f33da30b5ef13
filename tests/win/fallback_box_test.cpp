#include "win/fallback_box.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/failure.h"
#include "dialog_watch.h"

namespace {

using namespace wendle;

struct Box {
    bool shown = false;
    bench::DialogView view;
    HICON icon = nullptr;
    HWND owner = nullptr;
};

// Runs a handler that fails; a box it shows is read and closed with OK.
template <class Handler>
Box RunFailing(Handler handler) {
    Box box;
    box.shown = dialog_watch::WithDialog([&] { RunHandler(handler); },
                                         [&](HWND dialog) {
                                             box.view = bench::ReadDialog(dialog);
                                             box.icon = dialog_watch::ShownIcon(dialog);
                                             box.owner = GetWindow(dialog, GW_OWNER);
                                             bench::PressButton(dialog, "OK");
                                         });
    return box;
}

class FallbackBoxTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { dialog_watch::SetUpApplication(); }
};

TEST_F(FallbackBoxTest, IoFailureShowsItsTextWithAFullStop) {
    Box box = RunFailing([] { throw IoFailure{3}; });
    ASSERT_TRUE(box.shown);
    // 不正なﾌｧｲﾙ名です.
    EXPECT_BYTES("\x95\x73\x90\xB3\x82\xC8\xCC\xA7\xB2\xD9\x96\xBC\x82\xC5\x82\xB7.",
                 box.view.message);
    EXPECT_EQ("Wendle", box.view.title);
    EXPECT_EQ(std::vector<std::string>{"OK"}, box.view.buttons);
    EXPECT_EQ(LoadIconA(nullptr, IDI_HAND), box.icon);
    EXPECT_EQ(App().Handle(), box.owner);
}

TEST_F(FallbackBoxTest, OtherCodesEndInABracketAndGetNoFullStop) {
    Box box = RunFailing([] { throw IoFailure{21}; });
    ASSERT_TRUE(box.shown);
    EXPECT_BYTES("I/O \xB4\xD7\xB0 (21)", box.view.message);
}

TEST_F(FallbackBoxTest, OtherFailuresShowTheirOwnText) {
    Box box = RunFailing([] { throw std::runtime_error("out of paper"); });
    ASSERT_TRUE(box.shown);
    EXPECT_BYTES("out of paper.", box.view.message);

    box = RunFailing([] { throw 42; });
    ASSERT_TRUE(box.shown);
    EXPECT_BYTES("", box.view.message);
    EXPECT_EQ("Wendle", box.view.title);
}

}  // namespace
