// A click on the web address hands it to the desktop's opener and returns
// without waiting for it. The opener here is a stand-in on PATH that holds
// on until the test lets it go.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "editor/uEditor.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "platform/system.h"

namespace {

namespace fs = std::filesystem;

TEST(AddressClick, OpensTheAddressWithoutWaitingForTheBrowser) {
    const fs::path folder =
        fs::temp_directory_path() /
        ("zindra-opener-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    {
        std::ofstream opener(folder / "xdg-open");
        opener << "#!/bin/sh\n"
               << "i=0\n"
               << "while [ ! -f '" << (folder / "release").string() << "' ] && [ $i -lt 200 ]; do\n"
               << "  sleep 0.05; i=$((i + 1))\n"
               << "done\n"
               << "echo \"$1\" > '" << (folder / "opened.tmp").string() << "'\n"
               << "mv '" << (folder / "opened.tmp").string() << "' '"
               << (folder / "opened").string() << "'\n";
    }
    fs::permissions(folder / "xdg-open", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    platform::setEnvironmentVariable("PATH", (folder.string() + ":" + oldPath).c_str());

    auto native = std::make_unique<platform::OffscreenWindow>(508, 341);
    platform::OffscreenWindow& screen = *native;
    editor::TPluginEditorWindow window(std::move(native));
    window.PageControl1->setActivePage(window.About);
    screen.paintPending();
    screen.click(4 + 256 + 105, 27 + 162 + 13);  // on Label28

    EXPECT_FALSE(fs::exists(folder / "opened")) << "the click waited for the opener";
    std::ofstream(folder / "release") << "go";
    for (int i = 0; i < 200 && !fs::exists(folder / "opened"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream opened(folder / "opened");
    std::string address;
    std::getline(opened, address);
    EXPECT_EQ(address, editor::TPluginEditorWindow::kWebAddress);

    // Not while the tick moves the controls.
    fs::remove(folder / "opened");
    window.Updating = true;
    window.AddressClick();
    window.Updating = false;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(fs::exists(folder / "opened"));

    platform::setEnvironmentVariable("PATH", oldPath.c_str());
    fs::remove_all(folder);
}

}  // namespace
