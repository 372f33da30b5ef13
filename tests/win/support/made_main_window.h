// The main window made in this process as start-up makes it, on a fresh
// folder that the choosers start on.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialog_watch.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "win/binding.h"
#include "support/bench.h"

namespace bench {

class MadeMainWindow : public testing::Test {
  protected:
    void SetUp() override {
        dialog_watch::SetUpApplication();
        root_ = FreshFolder();
        SetCurrentDirectoryA(root_.c_str());
        // Made after the move: the choosers start on the current directory.
        made_ = std::make_unique<wendle::MainWindow>();
        made_->Create();
    }

    // The folder list's object, found as the form finds it: by its binding.
    wendle::FolderList& Folders() const {
        auto* bound = wendle::BoundObject<wendle::Window>(made_->Control(wendle::kFolderListId),
                                                          wendle::BoundKind::Control);
        EXPECT_NE(nullptr, bound) << "the folder list is bound to no control object";
        return *static_cast<wendle::FolderList*>(bound);
    }

    std::string root_;
    std::unique_ptr<wendle::MainWindow> made_;
};

}  // namespace bench
