// The LV2 UI hosted by our own lilv host on a real X display: it embeds the
// editor in the host's window, a drag of "Center" reaches the host through
// write_function between the touch feature's grab and release, a port event
// reaches the effect only while the instance is not running (a running one
// takes the host's values in run), and the editor shows the host's values
// whether or not run is being called. Zindra Deep's editor is a UI of its own.
//
//   lv2_ui_test BUNDLE_DIR [gtest options]   (under tests/editor/run-with-display.sh)
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/ui/ui.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/MessageLog.h"
#include "tests/lv2/LilvHost.h"

// After the test framework: Xlib defines None as a macro.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace lv2host;

// The host's side of one UI: its window, the features it offers and what the
// UI wrote to it.
class UiHost {
public:
    explicit UiHost(Instance& instance) : instance(instance) {
        display = XOpenDisplay(nullptr);
        if (!display) return;
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 600, 400, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
    }
    ~UiHost() {
        if (ui) descriptor->cleanup(ui);
        if (library) dlclose(library);
        if (display) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }

    // The library's UI of that index (0: Zindra's, 1: Zindra Deep's) on the instance.
    bool open(const std::string& binary, const char* pluginUri = kUri, uint32_t uiIndex = 0) {
        library = dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) return false;
        const auto entry = reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(
            dlsym(library, "lv2ui_descriptor"));
        descriptor = entry ? entry(uiIndex) : nullptr;
        if (!descriptor) return false;
        LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
        LV2_Feature access{LV2_INSTANCE_ACCESS_URI, instance.handle()};
        LV2_Feature resizeFeature{LV2_UI__resize, &resize};
        LV2_Feature touchFeature{LV2_UI__touch, &touch};
        const LV2_Feature* features[] = {&parentFeature, &access, &resizeFeature, &touchFeature,
                                         nullptr};
        ui = descriptor->instantiate(descriptor, pluginUri, bundlePath.c_str(), write, this,
                                     &widget, features);
        idle = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
        return ui && idle;
    }
    // The library's UI descriptors, in index order, up to the first null.
    std::vector<const LV2UI_Descriptor*> descriptors() const {
        std::vector<const LV2UI_Descriptor*> all;
        const auto entry = reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(
            dlsym(library, "lv2ui_descriptor"));
        for (uint32_t i = 0; entry && entry(i); ++i) all.push_back(entry(i));
        return all;
    }

    void pump(int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            EXPECT_EQ(idle->idle(ui), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void portEvent(uint32_t port, float value) {
        descriptor->port_event(ui, port, sizeof value, 0, &value);
    }

    // What the editor's window shows now, left of the spectrum (which moves
    // with the audio): the sliders, their readouts and the switches below.
    std::vector<unsigned long> controlPixels() {
        XWindowAttributes a{};
        const auto window = reinterpret_cast<Window>(widget);
        XGetWindowAttributes(display, window, &a);
        XImage* image = XGetImage(display, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
        std::vector<unsigned long> shown;
        if (!image) return shown;
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < std::min(a.width, 236); ++x)
                shown.push_back(XGetPixel(image, x, y));
        XDestroyImage(image);
        return shown;
    }

    Window childOfParent() {
        Window root = 0, up = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, parent, &root, &up, &children, &count);
        const Window child = count ? children[0] : 0;
        if (children) XFree(children);
        return child;
    }

    Instance& instance;
    Display* display = nullptr;
    Window parent = 0;
    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    LV2UI_Handle ui = nullptr;
    LV2UI_Widget widget = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    std::pair<int, int> size{0, 0};
    std::vector<std::pair<uint32_t, float>> written;
    // The UI's touch requests as "+port" (grabbed) and "-port" (released),
    // and the writes as "=port", in order.
    std::string events;

private:
    static void write(LV2UI_Controller controller, uint32_t port, uint32_t bufferSize,
                      uint32_t protocol, const void* buffer) {
        ASSERT_EQ(protocol, 0u);
        ASSERT_EQ(bufferSize, sizeof(float));
        float value = 0.0f;
        std::memcpy(&value, buffer, sizeof value);
        auto& self = *static_cast<UiHost*>(controller);
        self.written.emplace_back(port, value);
        const std::string write = "=" + std::to_string(port) + " ";
        if (self.events.size() < write.size() ||
            self.events.compare(self.events.size() - write.size(), write.size(), write) != 0)
            self.events += write;
    }
    static void touched(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
        static_cast<UiHost*>(handle)->events += (grabbed ? "+" : "-") + std::to_string(port) + " ";
    }
    static int resized(LV2UI_Feature_Handle handle, int width, int height) {
        static_cast<UiHost*>(handle)->size = {width, height};
        return 0;
    }
    LV2UI_Resize resize{this, resized};
    LV2UI_Touch touch{this, touched};
};

class LV2Ui : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(world.plugin, nullptr);
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        LilvUIs* uis = lilv_plugin_get_uis(world.plugin);
        const size_t count = lilv_uis_size(uis);
        if (count == 1) {
            const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
            char* path = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
            binary = path;
            lilv_free(path);
        }
        lilv_uis_free(uis);
        ASSERT_EQ(count, 1u);
        bank = uris.map("urn:corvanti:zindra#bank");
        instance.emplace(world.plugin, uris);
        ASSERT_TRUE(instance->ready());
        host.emplace(*instance);
        ASSERT_TRUE(host->display);
        ASSERT_TRUE(host->open(binary));
    }
    void TearDown() override { host.reset(); }
    // The current program's (program 0's) "Center" in a saved state.
    float savedCenter(Instance& instance) {
        const State s = instance.save();
        float center = 0.0f;
        std::memcpy(&center, s.at(bank).bytes.data() + 8 + 8, sizeof center);
        return center;
    }

    MessageLog log;
    World world;
    UriMap uris;
    std::string binary;
    LV2_URID bank = 0;
    std::optional<Instance> instance;
    std::optional<UiHost> host;
};

TEST_F(LV2Ui, TheEditorSitsInTheHostsWindowAndReportsItsDrags) {
    EXPECT_EQ(reinterpret_cast<Window>(host->widget), host->childOfParent());
    EXPECT_GT(host->size.first, 400);
    EXPECT_GT(host->size.second, 300);
    host->pump(200);

    const std::string id = std::to_string(reinterpret_cast<Window>(host->widget));
    const std::string drag = "xdotool mousemove --sync --window " + id + " 90 108 mousedown 1 " +
                             "mousemove --window " + id + " 130 108 sleep 0.05 " +
                             "mousemove --window " + id + " 170 108 sleep 0.05 mouseup 1";
    ASSERT_EQ(std::system(drag.c_str()), 0);
    host->pump(300);
    ASSERT_FALSE(host->written.empty());
    for (const auto& [port, value] : host->written) EXPECT_EQ(port, kCenterPort);
    // One gesture: grabbed, the writes, released (Touch and Latch automation need it).
    const std::string center = std::to_string(kCenterPort);
    EXPECT_EQ(host->events, "+" + center + " =" + center + " -" + center + " ");
    const float last = host->written.back().second;
    EXPECT_GT(last, 0.3f);
    // The effect has the editor's value; the host has it too once it runs.
    EXPECT_EQ(savedCenter(*instance), last);
    instance->controls[kCenterPort] = last;
    instance->run();
    EXPECT_EQ(savedCenter(*instance), last);
    EXPECT_TRUE(log.take().empty());
}

TEST_F(LV2Ui, PortEventsReachTheEffectOnlyWhenItIsNotRunning) {
    const float before = savedCenter(*instance);
    // A running instance: run applies the port, a late event changes nothing.
    host->portEvent(kCenterPort, 0.9f);
    host->pump(50);
    EXPECT_EQ(savedCenter(*instance), before);
    instance->controls[kCenterPort] = 0.7f;
    instance->run();
    EXPECT_EQ(savedCenter(*instance), 0.7f);
    host->portEvent(kCenterPort, 0.6f);
    EXPECT_EQ(savedCenter(*instance), 0.7f);

    instance->deactivate();
    host->portEvent(kCenterPort, 0.6f);
    EXPECT_EQ(savedCenter(*instance), 0.6f);
    // Events for the audio and latency ports, or of another format, are ignored.
    host->portEvent(0, 0.1f);
    host->portEvent(kLatencyPort, 0.1f);
    const double wide = 0.2;
    host->descriptor->port_event(host->ui, kCenterPort, sizeof wide, 0, &wide);
    EXPECT_EQ(savedCenter(*instance), 0.6f);
    EXPECT_TRUE(host->written.empty());
}

// A host whose engine is stopped (the instance active, run not called) still
// moves its controls, by its own form or a preset: the editor follows.
TEST_F(LV2Ui, TheEditorShowsTheHostsValuesWhileTheEngineIsStopped) {
    instance->run();  // the engine ran once, then stopped
    host->pump(300);
    const auto before = host->controlPixels();
    ASSERT_FALSE(before.empty());
    host->portEvent(kCenterPort + 1, 0.95f);  // "Width"
    host->pump(300);
    const auto shown = host->controlPixels();
    EXPECT_NE(shown, before) << "the editor kept the old value";
    // Once the engine runs with the host's value, the effect has it and the
    // editor shows the same.
    instance->controls[kCenterPort + 1] = 0.95f;
    instance->run();
    host->pump(300);
    EXPECT_EQ(host->controlPixels(), shown);
    EXPECT_TRUE(host->written.empty()) << "showing a host's value is no edit";
}

// Zindra Deep's editor is its own UI, the library's second. Zindra's UI
// refuses Zindra Deep's instance (a host that offered it one gets no window,
// and no editor reads another effect's instance as its own); Deep's opens in
// the host's window and follows a host's value given in the port's unit.
TEST(LV2UiOfDeep, ItsOwnEditorAndZindrasRefusesItsInstance) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    MessageLog log;
    World world(kDeepUri);
    ASSERT_NE(world.plugin, nullptr);
    LilvUIs* uis = lilv_plugin_get_uis(world.plugin);
    EXPECT_EQ(lilv_uis_size(uis), 1u);
    lilv_uis_free(uis);
    const std::string binary = bundlePath + "/zindra.so";

    UriMap uris;
    Instance instance(world.plugin, uris);
    ASSERT_TRUE(instance.ready());
    {
        UiHost zindras(instance);
        ASSERT_TRUE(zindras.display);
        EXPECT_FALSE(zindras.open(binary, kDeepUri, 0));
        EXPECT_EQ(zindras.ui, nullptr);
        EXPECT_EQ(zindras.childOfParent(), 0u);
    }
    UiHost host(instance);
    ASSERT_TRUE(host.open(binary, kDeepUri, 1));
    EXPECT_NE(host.childOfParent(), 0u);
    const auto descriptors = host.descriptors();
    ASSERT_EQ(descriptors.size(), 2u);
    EXPECT_STREQ(descriptors[0]->URI, "urn:corvanti:zindra#editor");
    EXPECT_STREQ(descriptors[1]->URI, "urn:corvanti:zindra-deep#editor");
    host.pump(300);
    const auto before = host.controlPixels();
    ASSERT_FALSE(before.empty());
    host.portEvent(kCenterPort + 4, 400.0f);  // "Low Keep", in Hz
    host.pump(300);
    EXPECT_NE(host.controlPixels(), before) << "the editor kept the old value";
    instance.run();
    EXPECT_TRUE(log.take().empty());
}

}  // namespace

int main(int argc, char** argv) { return lv2host::runTests(argc, argv); }
