// A VST 3 host of the project's own: finds the module in the bundle as hosts
// do, enters it, reads its factory and drives each of its classes only
// through the interfaces hosts call. Where a class must agree with the VST 2
// library of its effect from the same build (names, programs, latency, audio
// to the bit) the test hosts both and compares. Every behaviour is checked
// for each class: Zindra's (against zindra.so / zindra.dll) and Zindra
// Deep's (against zindra_deep.so / zindra_deep.dll).
//
//   vst3_host ZINDRA-VST2-LIBRARY DEEP-VST2-LIBRARY BUNDLE [gtest options]
//
// Editor.* opens Zindra's editor in a host window: it needs a display (the
// registration gives it a virtual one).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "app/HostedPlugin.h"
#include "core/ParameterTable.h"
#include "core/ZindraParameters.h"
#include "core/deep/DeepParameters.h"
#include "platform/dynamic_library.h"
#include "platform/host_input.h"
#include "platform/window.h"
#include "support/MemoryStream.h"
#include "support/MessageLog.h"
#include "tests/vst3/ProcessUsage.h"
#include "vst3/vst3.h"

namespace {

using namespace vst3;

std::string zindraVst2Path;
std::string deepVst2Path;
std::string bundlePath;

constexpr double kRate = 44100.0;
constexpr int kEditorWidth = 508, kEditorHeight = 341;

// Automation a host sends at the start of the block that begins at `frame`.
struct Automation {
    int64_t frame;
    int32_t index;
    float value;  // a float, so that both formats receive the same number
};

// A parameter's value as hosts show it, with the unit they show beside it.
struct ShownValue {
    int32_t index;
    double value;
    const char* text;
    const char* units;
};

struct Setting {
    int32_t index;
    double value;
};

// One class of the module, and what a host must find in it.
struct TestedClass {
    const char* id;               // the tests' name for it
    const char* name;             // as the factory lists it
    Uid classId;                  // fixed for good: stored sessions name the class by it
    const std::string* vst2Path;  // the VST 2 library of the same effect
    core::ParameterTable parameters;
    int32_t numPrograms;
    size_t stateSize;  // the bank and the current program
    uint32_t latency;
    const char* damagedBank;  // the effect's messages for a state it refuses
    const char* wrongMagic;
    int editorHeight;               // of the view, 508 pixels wide
    std::vector<ShownValue> shown;  // the first one's parameter is a continuous one
    std::vector<Setting> edits;     // a few values away from every factory program's
    std::vector<Automation> automation;

    int32_t numParams() const { return static_cast<int32_t>(parameters.size()); }
    // The program-change parameter follows the effect's own.
    ParamID programParam() const { return static_cast<ParamID>(parameters.size()); }
    double programValue(int32_t program) const { return program / double(numPrograms - 1); }
};

const TestedClass zindraClass{
    .id = "Zindra",
    .name = "Zindra",
    .classId = makeUid(0x7B3E1C52, 0x9D4A4F0E, 0xA6C2E8B1, 0x5A51374E),
    .vst2Path = &zindraVst2Path,
    .parameters = zindra::kParameters,
    .numPrograms = 10,
    .stateSize = 3652,
    .latency = 8192,
    .damagedBank = "E5 - Not a valid Zindra bank.",
    .wrongMagic = "E2 - Not a valid Zindra preset.",
    .editorHeight = 341,
    .shown = {{zindra::kCenter, 0.215, "4300 Hz", "Hz"}, {zindra::kMix, 0.1, "10 %", "%"}},
    .edits = {{zindra::kMix, 0.25}, {zindra::kWidth, 0.75}, {zindra::kBypass, 1.0}},
    .automation = {{65536, zindra::kMix, 0.25f},
                   {65536, zindra::kCenter, 0.625f},
                   {98304, zindra::kStereolize, 0.0f}},
};

const TestedClass deepClass{
    .id = "ZindraDeep",
    .name = "Zindra Deep",
    .classId = makeUid(0x061ADDC0, 0xA4544976, 0x8BBF6C76, 0x8601D570),
    .vst2Path = &deepVst2Path,
    .parameters = deep::kParameters,
    .numPrograms = 6,
    .stateSize = 2100,
    .latency = 4096,
    .damagedBank = "E5 - Not a valid Zindra Deep bank.",
    .wrongMagic = "E2 - Not a valid Zindra Deep preset.",
    .editorHeight = 387,
    .shown = {{deep::kLowKeep, 0.3, "150 Hz", "Hz"},
              {deep::kDepth, 0.5, "30 dB", "dB"},
              {deep::kTail, 0.1, "300 ms", "ms"},
              {deep::kMix, 0.1, "10 %", "%"}},
    .edits = {{deep::kMix, 0.25}, {deep::kWidth, 0.75}, {deep::kIsolate, 1.0}},
    .automation = {{65536, deep::kMix, 0.25f},
                   {65536, deep::kLowKeep, 0.625f},
                   {98304, deep::kIsolate, 1.0f}},
};

const TestedClass* const kClasses[] = {&zindraClass, &deepClass};

std::string classTestName(const testing::TestParamInfo<const TestedClass*>& info) {
    return info.param->id;
}

bool onWindows() { return platform::windowSystem() == platform::WindowSystem::Win32; }

std::string narrow(const char16* text) {
    std::string out;
    for (size_t i = 0; i < 128 && text[i]; ++i)
        out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    return out;
}

std::u16string widen(std::string_view text) { return std::u16string(text.begin(), text.end()); }

template <typename Interface>
Interface* query(FUnknown* object) {
    void* result = nullptr;
    if (!object || object->queryInterface(Interface::iid.bytes, &result) != kResultOk)
        return nullptr;
    return static_cast<Interface*>(result);
}

using vst3host::MemoryStream;
using vst3host::Owned;

// The context initialize receives: a host that offers no interface beyond
// the root, which a module must cope with.
class HostContext final : public Owned<FUnknown> {};

class ValueQueue final : public Owned<IParamValueQueue> {
public:
    ParamID ZINDRA_VST3_CALL getParameterId() override { return id; }
    int32_t ZINDRA_VST3_CALL getPointCount() override {
        return static_cast<int32_t>(points.size());
    }
    tresult ZINDRA_VST3_CALL getPoint(int32_t index, int32_t& sampleOffset,
                                      ParamValue& value) override {
        if (index < 0 || index >= getPointCount()) return kInvalidArgument;
        std::tie(sampleOffset, value) = points[static_cast<size_t>(index)];
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL addPoint(int32_t sampleOffset, ParamValue value,
                                      int32_t& index) override {
        points.emplace_back(sampleOffset, value);
        index = getPointCount() - 1;
        return kResultOk;
    }

    ParamID id = kNoParamId;
    std::vector<std::pair<int32_t, ParamValue>> points;
};

// The automation of one block, as a host hands it to process.
class ParameterChanges final : public Owned<IParameterChanges> {
public:
    int32_t ZINDRA_VST3_CALL getParameterCount() override { return used; }
    IParamValueQueue* ZINDRA_VST3_CALL getParameterData(int32_t index) override {
        return index >= 0 && index < used ? &queues[static_cast<size_t>(index)] : nullptr;
    }
    IParamValueQueue* ZINDRA_VST3_CALL addParameterData(const ParamID& id,
                                                        int32_t& index) override {
        for (index = 0; index < used; ++index)
            if (queues[static_cast<size_t>(index)].id == id)
                return &queues[static_cast<size_t>(index)];
        if (used == static_cast<int32_t>(queues.size())) return nullptr;
        ValueQueue& queue = queues[static_cast<size_t>(used++)];
        queue.id = id;
        queue.points.clear();
        return &queue;
    }

    void add(ParamID id, ParamValue value, int32_t sampleOffset = 0) {
        int32_t index = 0;
        if (IParamValueQueue* queue = addParameterData(id, index))
            queue->addPoint(sampleOffset, value, index);
    }
    void clear() { used = 0; }

private:
    std::array<ValueQueue, 16> queues;
    int32_t used = 0;
};

struct Edit {
    char kind;  // 'b'egin, 'p'erform, 'e'nd
    ParamID id;
    ParamValue value;
};

class ComponentHandler final : public Owned<IComponentHandler> {
public:
    tresult ZINDRA_VST3_CALL beginEdit(ParamID id) override {
        edits.push_back({'b', id, 0.0});
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL performEdit(ParamID id, ParamValue value) override {
        edits.push_back({'p', id, value});
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL endEdit(ParamID id) override {
        edits.push_back({'e', id, 0.0});
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL restartComponent(int32_t flags) override {
        restarts.push_back(flags);
        return kResultOk;
    }

    std::vector<Edit> edits;
    std::vector<int32_t> restarts;
};

// The host's window frame. Where the window system has no process-wide event
// loop (X11) it also is the host's run loop: the test runs it, calling the
// timers that fall due while the host window handles its events.
class Frame final : public IPlugFrame, public IRunLoop {
public:
    explicit Frame(bool withRunLoop) : offersRunLoop(withRunLoop) {}

    tresult ZINDRA_VST3_CALL queryInterface(const TUID interfaceId, void** object) override {
        if (!object) return kInvalidArgument;
        *object = nullptr;
        if (sameUid(interfaceId, FUnknown::iid) || sameUid(interfaceId, IPlugFrame::iid))
            *object = static_cast<IPlugFrame*>(this);
        else if (offersRunLoop && sameUid(interfaceId, IRunLoop::iid))
            *object = static_cast<IRunLoop*>(this);
        if (!*object) return kNoInterface;
        addRef();
        return kResultOk;
    }
    uint32_t ZINDRA_VST3_CALL addRef() override { return ++references; }
    uint32_t ZINDRA_VST3_CALL release() override { return --references; }

    tresult ZINDRA_VST3_CALL resizeView(IPlugView*, ViewRect* newSize) override {
        if (!newSize) return kInvalidArgument;
        resizes.push_back(*newSize);
        return kResultOk;
    }

    tresult ZINDRA_VST3_CALL registerEventHandler(IEventHandler* handler,
                                                  FileDescriptor fd) override {
        if (!handler) return kInvalidArgument;
        eventHandlers.emplace_back(handler, fd);
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL unregisterEventHandler(IEventHandler* handler) override {
        return std::erase_if(eventHandlers, [&](const auto& e) { return e.first == handler; })
                   ? kResultOk
                   : kInvalidArgument;
    }
    tresult ZINDRA_VST3_CALL registerTimer(ITimerHandler* handler,
                                           TimerInterval milliseconds) override {
        if (!handler || milliseconds == 0) return kInvalidArgument;
        timers.push_back({handler, milliseconds, 0});
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL unregisterTimer(ITimerHandler* handler) override {
        return std::erase_if(timers, [&](const Timer& t) { return t.handler == handler; })
                   ? kResultOk
                   : kInvalidArgument;
    }

    // About `ms` milliseconds of the host's loop.
    void run(platform::HostWindow& window, unsigned ms) {
        constexpr unsigned kStep = 10;
        for (unsigned t = 0; t < ms; t += kStep) {
            window.runFor(kStep);
            for (size_t i = 0; i < timers.size(); ++i) {
                Timer& timer = timers[i];
                timer.elapsed += kStep;
                if (timer.elapsed < timer.interval) continue;
                timer.elapsed = 0;
                ++timerCalls;
                timer.handler->onTimer();
            }
        }
    }

    struct Timer {
        ITimerHandler* handler;
        TimerInterval interval;
        TimerInterval elapsed;
    };
    const bool offersRunLoop;
    uint32_t references = 1;
    std::vector<Timer> timers;
    std::vector<std::pair<IEventHandler*, FileDescriptor>> eventHandlers;
    std::vector<ViewRect> resizes;
    long timerCalls = 0;
};

// The module as a host holds it for the whole run: loaded from the bundle,
// entered, its factory taken; left and unloaded at the end.
class Module : public testing::Environment {
public:
    static IPluginFactory* factory() { return instance ? instance->pluginFactory : nullptr; }

    // Where hosts look for the binary: Contents/<architecture>/<bundle's
    // name without .vst3>, with the system's suffix.
    static std::string binaryPath() {
        std::string name = bundlePath.substr(bundlePath.find_last_of("/\\") + 1);
        name = name.substr(0, name.rfind(".vst3"));
        const char* architecture =
            onWindows() ? (sizeof(void*) == 8 ? "x86_64-win" : "x86-win") : "x86_64-linux";
        return bundlePath + "/Contents/" + architecture + "/" + name +
               (onWindows() ? ".vst3" : ".so");
    }

    void SetUp() override {
        instance = this;
        library = std::make_unique<platform::DynamicLibrary>(binaryPath());
        ASSERT_TRUE(library->loaded()) << library->error();
        // Hosts on Linux refuse a module without its entry pair; Windows
        // hosts call theirs when the module has them. The platform layer
        // keeps the library's handle to itself, and the module needs none.
        auto moduleEntry = reinterpret_cast<ModuleEntryProc>(library->symbol(kModuleEntryName));
        auto initDll = reinterpret_cast<InitDllProc>(library->symbol(kInitDllName));
        if (!onWindows()) {
            ASSERT_NE(moduleEntry, nullptr);
            ASSERT_NE(library->symbol(kModuleExitName), nullptr);
        }
        if (moduleEntry) {
            ASSERT_TRUE(moduleEntry(nullptr));
        }
        if (initDll) {
            ASSERT_TRUE(initDll());
        }
        entered = true;
        auto getFactory =
            reinterpret_cast<GetPluginFactoryProc>(library->symbol(kGetPluginFactoryName));
        ASSERT_NE(getFactory, nullptr);
        pluginFactory = getFactory();
        ASSERT_NE(pluginFactory, nullptr);
    }

    void TearDown() override {
        if (pluginFactory) pluginFactory->release();
        pluginFactory = nullptr;
        if (entered) {
            if (auto moduleExit =
                    reinterpret_cast<ModuleExitProc>(library->symbol(kModuleExitName))) {
                EXPECT_TRUE(moduleExit());
            }
            if (auto exitDll = reinterpret_cast<ExitDllProc>(library->symbol(kExitDllName))) {
                EXPECT_TRUE(exitDll());
            }
        }
        library.reset();
        instance = nullptr;
    }

private:
    static inline Module* instance = nullptr;
    std::unique_ptr<platform::DynamicLibrary> library;
    IPluginFactory* pluginFactory = nullptr;
    bool entered = false;
};

// One effect as a host holds it: made by the factory from its class's
// identifier, initialized, its processor and controller (the same object)
// queried.
struct Plugin {
    ~Plugin() {
        if (component) close();
    }

    testing::AssertionResult open(const TestedClass& tested) {
        type = &tested;
        IPluginFactory* factory = Module::factory();
        if (!factory) return testing::AssertionFailure() << "no module";
        void* object = nullptr;
        if (factory->createInstance(tested.classId.bytes, IComponent::iid.bytes, &object) !=
                kResultOk ||
            !object)
            return testing::AssertionFailure() << "the factory made no " << tested.name;
        component = static_cast<IComponent*>(object);
        if (component->initialize(&context) != kResultOk) {
            component->release();
            component = nullptr;
            return testing::AssertionFailure() << "initialize failed";
        }
        processor = query<IAudioProcessor>(component);
        controller = query<IEditController>(component);
        units = query<IUnitInfo>(component);
        if (!processor || !controller || !units)
            return testing::AssertionFailure() << "the component lacks an interface";
        return testing::AssertionSuccess();
    }

    // The count the component's last release leaves: 0 once it is gone.
    uint32_t close() {
        for (FUnknown* part : std::initializer_list<FUnknown*>{processor, controller, units})
            if (part) part->release();
        processor = nullptr;
        controller = nullptr;
        units = nullptr;
        component->terminate();
        const uint32_t left = component->release();
        component = nullptr;
        return left;
    }

    std::vector<ParamValue> values() const {
        std::vector<ParamValue> all;
        for (ParamID id = 0; id <= type->programParam(); ++id)
            all.push_back(controller->getParamNormalized(id));
        return all;
    }

    std::vector<uint8_t> state() const {
        MemoryStream stream;
        EXPECT_EQ(component->getState(&stream), kResultOk);
        return stream.bytes;
    }

    std::string text(ParamID id, ParamValue value) const {
        String128 text{};
        EXPECT_EQ(controller->getParamStringByValue(id, value, text), kResultOk) << id;
        return narrow(text);
    }

    // setupProcessing, setActive and setProcessing, as hosts start audio.
    testing::AssertionResult start(int32_t maxBlock, double rate = kRate) {
        ProcessSetup setup{kRealtime, kSample32, maxBlock, rate};
        if (processor->setupProcessing(setup) != kResultOk)
            return testing::AssertionFailure() << "setupProcessing refused";
        if (component->setActive(1) != kResultOk || processor->setProcessing(1) != kResultOk)
            return testing::AssertionFailure() << "cannot start";
        return testing::AssertionSuccess();
    }
    void stop() {
        processor->setProcessing(0);
        component->setActive(0);
    }

    tresult process(float** inputs, float** outputs, int32_t frames, ParameterChanges& changes) {
        AudioBusBuffers in{};
        in.numChannels = 2;
        in.channelBuffers32 = inputs;
        AudioBusBuffers out{};
        out.numChannels = 2;
        out.channelBuffers32 = outputs;
        ProcessData data{};
        data.processMode = kRealtime;
        data.symbolicSampleSize = kSample32;
        data.numSamples = frames;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &in;
        data.outputs = &out;
        data.inputParameterChanges = &changes;
        return processor->process(data);
    }

    const TestedClass* type = nullptr;
    HostContext context;
    IComponent* component = nullptr;
    IAudioProcessor* processor = nullptr;
    IEditController* controller = nullptr;
    IUnitInfo* units = nullptr;
};

// A test that runs once for each class of the module.
class PerClass : public testing::TestWithParam<const TestedClass*> {
protected:
    static const TestedClass& tested() { return *GetParam(); }
};

// With an instance of the class open.
class Vst3 : public PerClass {
protected:
    void SetUp() override { ASSERT_TRUE(plugin.open(tested())); }
    Plugin plugin;
};
INSTANTIATE_TEST_SUITE_P(Classes, Vst3, testing::ValuesIn(kClasses), classTestName);

// ---------------------------------------------------------------------------
// The factory and the instance

// The classes in the order hosts list them, Zindra's first as it always was,
// each under its fixed identifier, in all three forms of the record.
TEST(Factory, DescribesEachEffectClassAndMakesOnlyThem) {
    IPluginFactory* factory = Module::factory();
    ASSERT_NE(factory, nullptr);
    PFactoryInfo about{};
    ASSERT_EQ(factory->getFactoryInfo(&about), kResultOk);
    EXPECT_STREQ(about.vendor, "Corvanti");
    EXPECT_TRUE(about.flags & PFactoryInfo::kUnicode);
    ASSERT_EQ(factory->countClasses(), static_cast<int32_t>(std::size(kClasses)));
    auto* factory2 = query<IPluginFactory2>(factory);
    ASSERT_NE(factory2, nullptr);
    auto* factory3 = query<IPluginFactory3>(factory);
    ASSERT_NE(factory3, nullptr);

    for (int32_t index = 0; index < factory->countClasses(); ++index) {
        const TestedClass& tested = *kClasses[index];
        SCOPED_TRACE(tested.name);
        PClassInfo info{};
        ASSERT_EQ(factory->getClassInfo(index, &info), kResultOk);
        EXPECT_EQ(std::memcmp(info.cid, tested.classId.bytes, sizeof info.cid), 0);
        EXPECT_STREQ(info.category, kVstAudioEffectClass);
        EXPECT_STREQ(info.name, tested.name);
        EXPECT_EQ(info.cardinality, PClassInfo::kManyInstances);

        PClassInfo2 info2{};
        ASSERT_EQ(factory2->getClassInfo2(index, &info2), kResultOk);
        EXPECT_EQ(std::memcmp(info2.cid, info.cid, sizeof info.cid), 0);
        EXPECT_STREQ(info2.category, kVstAudioEffectClass);
        EXPECT_STREQ(info2.name, tested.name);
        EXPECT_STREQ(info2.subCategories, "Fx");
        EXPECT_STREQ(info2.vendor, "Corvanti");
        EXPECT_STREQ(info2.version, "1.14.0.0");
        EXPECT_EQ(info2.classFlags, 0u);
        EXPECT_EQ(std::string_view(info2.sdkVersion).substr(0, 5), "VST 3");

        PClassInfoW infoW{};
        ASSERT_EQ(factory3->getClassInfoUnicode(index, &infoW), kResultOk);
        EXPECT_EQ(std::memcmp(infoW.cid, info.cid, sizeof info.cid), 0);
        EXPECT_STREQ(infoW.category, kVstAudioEffectClass);
        EXPECT_EQ(narrow(infoW.name), tested.name);
        EXPECT_EQ(narrow(infoW.vendor), "Corvanti");
        EXPECT_EQ(narrow(infoW.version), "1.14.0.0");
        EXPECT_STREQ(infoW.subCategories, "Fx");

        // The class's instance is its effect: a program list of its own length.
        void* object = nullptr;
        ASSERT_EQ(factory->createInstance(info.cid, IUnitInfo::iid.bytes, &object), kResultOk);
        auto* units = static_cast<IUnitInfo*>(object);
        ProgramListInfo list{};
        EXPECT_EQ(units->getProgramListInfo(0, list), kResultOk);
        EXPECT_EQ(list.programCount, tested.numPrograms);
        EXPECT_EQ(units->release(), 0u);

        // An interface the class lacks: nothing, and no object.
        object = &about;
        EXPECT_NE(factory->createInstance(info.cid, IPlugView::iid.bytes, &object), kResultOk);
        EXPECT_EQ(object, nullptr);
    }
    const int32_t beyond = factory->countClasses();
    PClassInfo info{};
    PClassInfo2 info2{};
    PClassInfoW infoW{};
    for (int32_t index : {-1, beyond}) {
        EXPECT_NE(factory->getClassInfo(index, &info), kResultOk);
        EXPECT_NE(factory2->getClassInfo2(index, &info2), kResultOk);
        EXPECT_NE(factory3->getClassInfoUnicode(index, &infoW), kResultOk);
    }
    factory2->release();
    factory3->release();

    // Any other class: nothing, and no object.
    TUID otherClass = {};
    void* object = &about;
    EXPECT_NE(factory->createInstance(otherClass, IComponent::iid.bytes, &object), kResultOk);
    EXPECT_EQ(object, nullptr);
}

// The component is processor, controller and unit information at once: a
// host finds the controller by asking the component and must see one object
// whichever interface it starts from.
TEST_P(Vst3, IsOneObjectBehindEveryInterface) {
    FUnknown* identity = query<FUnknown>(plugin.component);
    ASSERT_NE(identity, nullptr);
    for (FUnknown* part :
         std::initializer_list<FUnknown*>{plugin.processor, plugin.controller, plugin.units}) {
        FUnknown* same = query<FUnknown>(part);
        EXPECT_EQ(same, identity);
        if (same) same->release();
    }
    identity->release();
    TUID controllerClass = {};
    EXPECT_NE(plugin.component->getControllerClassId(controllerClass), kResultOk)
        << "no separate controller class to create";
    EXPECT_EQ(query<IConnectionPoint>(plugin.component), nullptr) << "nothing to connect";
    EXPECT_EQ(plugin.context.references, 1u) << "initialize keeps no reference it never gives back";
}

// ---------------------------------------------------------------------------
// Buses, processing setup, latency

TEST_P(Vst3, HasOneStereoBusEachWayAndTheVst2Latency) {
    HostedPlugin vst2(*tested().vst2Path, static_cast<float>(kRate));
    for (BusDirection direction : {kInput, kOutput}) {
        EXPECT_EQ(plugin.component->getBusCount(kAudio, direction), 1);
        EXPECT_EQ(plugin.component->getBusCount(kEvent, direction), 0);
        BusInfo bus{};
        ASSERT_EQ(plugin.component->getBusInfo(kAudio, direction, 0, bus), kResultOk);
        EXPECT_EQ(bus.mediaType, kAudio);
        EXPECT_EQ(bus.direction, direction);
        EXPECT_EQ(bus.channelCount, 2);
        EXPECT_EQ(bus.busType, kMain);
        EXPECT_TRUE(bus.flags & BusInfo::kDefaultActive);
        EXPECT_NE(plugin.component->getBusInfo(kAudio, direction, 1, bus), kResultOk);
        EXPECT_EQ(plugin.component->activateBus(kAudio, direction, 0, 1), kResultOk);
    }
    SpeakerArrangement stereo[] = {arrangement::kStereo, arrangement::kStereo};
    SpeakerArrangement mono[] = {arrangement::kMono, arrangement::kMono};
    EXPECT_EQ(plugin.processor->setBusArrangements(&stereo[0], 1, &stereo[1], 1), kResultTrue);
    EXPECT_EQ(plugin.processor->setBusArrangements(&mono[0], 1, &mono[1], 1), kResultFalse);
    EXPECT_EQ(plugin.processor->setBusArrangements(&stereo[0], 1, &mono[1], 1), kResultFalse);
    SpeakerArrangement current = 0;
    ASSERT_EQ(plugin.processor->getBusArrangement(kOutput, 0, current), kResultOk);
    EXPECT_EQ(current, arrangement::kStereo) << "a refused arrangement leaves stereo";

    EXPECT_EQ(plugin.processor->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(plugin.processor->canProcessSampleSize(kSample64), kResultFalse);
    ProcessSetup doubles{kRealtime, kSample64, 512, kRate};
    EXPECT_NE(plugin.processor->setupProcessing(doubles), kResultOk);
    EXPECT_EQ(plugin.processor->getLatencySamples(), tested().latency);
    EXPECT_EQ(plugin.processor->getLatencySamples(), static_cast<uint32_t>(vst2.latency()));
    EXPECT_EQ(plugin.processor->getTailSamples(), tested().latency);

    // A call without samples carries automation only: it is applied at once.
    ASSERT_TRUE(plugin.start(512));
    const ParamID program = tested().programParam();
    const Setting edit = tested().edits[0];
    ParameterChanges changes;
    changes.add(program, tested().programValue(4));
    changes.add(static_cast<ParamID>(edit.index), edit.value);
    EXPECT_EQ(plugin.process(nullptr, nullptr, 0, changes), kResultOk);
    EXPECT_EQ(plugin.controller->getParamNormalized(program), tested().programValue(4));
    EXPECT_EQ(plugin.controller->getParamNormalized(edit.index), edit.value);
    plugin.stop();
}

// ---------------------------------------------------------------------------
// Parameters and programs

TEST_P(Vst3, ParametersAreTheVst2LibrarysAndReadAsHostsShowThem) {
    HostedPlugin vst2(*tested().vst2Path, static_cast<float>(kRate));
    const int32_t numParams = tested().numParams();
    const int32_t numPrograms = tested().numPrograms;
    const ParamID programParam = tested().programParam();
    const std::vector<std::string> names = vst2.parameterNames();
    ASSERT_EQ(names.size(), static_cast<size_t>(numParams));
    ASSERT_EQ(plugin.controller->getParameterCount(), numParams + 1);
    ParameterInfo info{};
    for (int32_t i = 0; i < numParams; ++i) {
        const core::ParameterInfo& row = tested().parameters[static_cast<size_t>(i)];
        ASSERT_EQ(plugin.controller->getParameterInfo(i, info), kResultOk);
        EXPECT_EQ(info.id, static_cast<ParamID>(i));
        EXPECT_EQ(narrow(info.title), names[static_cast<size_t>(i)]);
        EXPECT_EQ(narrow(info.title), row.name);
        EXPECT_EQ(info.stepCount, row.isSwitch() ? 1 : 0) << names[static_cast<size_t>(i)];
        EXPECT_TRUE(info.flags & ParameterInfo::kCanAutomate);
        EXPECT_FALSE(info.flags & ParameterInfo::kIsProgramChange);
        EXPECT_EQ(info.unitId, kRootUnitId);
        EXPECT_EQ(info.defaultNormalizedValue, static_cast<double>(row.defaultValue));
        // The default is what a new instance holds, as in the VST 2 library.
        EXPECT_EQ(info.defaultNormalizedValue, static_cast<double>(vst2.parameter(i)));
    }
    ASSERT_EQ(plugin.controller->getParameterInfo(numParams, info), kResultOk);
    EXPECT_EQ(info.id, programParam);
    EXPECT_TRUE(info.flags & ParameterInfo::kIsProgramChange);
    EXPECT_EQ(info.stepCount, numPrograms - 1);
    EXPECT_EQ(info.unitId, kRootUnitId);
    EXPECT_NE(plugin.controller->getParameterInfo(numParams + 1, info), kResultOk);
    EXPECT_NE(plugin.controller->getParameterInfo(-1, info), kResultOk);

    for (const ShownValue& shown : tested().shown) {
        ASSERT_EQ(plugin.controller->getParameterInfo(shown.index, info), kResultOk);
        EXPECT_EQ(narrow(info.units), shown.units);
        EXPECT_EQ(plugin.text(shown.index, shown.value), shown.text);
    }
    for (int32_t i = 0; i < numParams; ++i) {
        if (!tested().parameters[static_cast<size_t>(i)].isSwitch()) continue;
        EXPECT_EQ(plugin.text(i, 1.0), "On");
        EXPECT_EQ(plugin.text(i, 0.0), "Off");
    }
    const std::vector<std::string> programs = vst2.programNames();
    ASSERT_EQ(programs.size(), static_cast<size_t>(numPrograms));
    for (int32_t p = 0; p < numPrograms; ++p)
        EXPECT_EQ(plugin.text(programParam, tested().programValue(p)),
                  programs[static_cast<size_t>(p)]);
    // A value that is not a number means the first program, on every target.
    EXPECT_EQ(plugin.text(programParam, std::nan("")), programs[0]);
    EXPECT_EQ(plugin.controller->normalizedParamToPlain(programParam, std::nan("")), 0.0);

    // What a host shows, typed back, is the value that shows the same.
    for (ParamID id = 0; id <= programParam; ++id) {
        for (double value : {0.0, 0.1, 0.215, 0.5, 0.777, 1.0}) {
            const std::string shown = plugin.text(id, value);
            std::u16string typed = widen(shown);
            ParamValue back = -1.0;
            ASSERT_EQ(plugin.controller->getParamValueByString(id, typed.data(), back), kResultOk)
                << id << " '" << shown << "'";
            EXPECT_EQ(plugin.text(id, back), shown) << id;
        }
    }
    std::u16string nonsense = u"loud";
    ParamValue ignored = 0.0;
    EXPECT_NE(
        plugin.controller->getParamValueByString(tested().shown[0].index, nonsense.data(), ignored),
        kResultOk);
    EXPECT_NE(plugin.controller->getParamValueByString(programParam, nonsense.data(), ignored),
              kResultOk);
    EXPECT_EQ(plugin.controller->normalizedParamToPlain(programParam, tested().programValue(4)),
              4.0);
    EXPECT_EQ(plugin.controller->plainParamToNormalized(programParam, 4.0),
              tested().programValue(4));
    // Beyond the effect's parameters and the program's there is nothing.
    String128 text{};
    EXPECT_NE(plugin.controller->getParamStringByValue(programParam + 1, 0.5, text), kResultOk);
    std::u16string zero = u"0";
    EXPECT_NE(plugin.controller->getParamValueByString(programParam + 1, zero.data(), ignored),
              kResultOk);
    EXPECT_NE(plugin.controller->setParamNormalized(programParam + 1, 0.5), kResultOk);
    EXPECT_EQ(plugin.controller->getParamNormalized(programParam + 1), 0.0);
}

TEST_P(Vst3, ProgramsAreTheVst2LibrarysAndChooseTheSameValues) {
    HostedPlugin vst2(*tested().vst2Path, static_cast<float>(kRate));
    const int32_t numPrograms = tested().numPrograms;
    const ParamID programParam = tested().programParam();
    const std::vector<std::string> names = vst2.programNames();
    ASSERT_EQ(names.size(), static_cast<size_t>(numPrograms));

    ASSERT_EQ(plugin.units->getUnitCount(), 1);
    UnitInfo unit{};
    ASSERT_EQ(plugin.units->getUnitInfo(0, unit), kResultOk);
    EXPECT_EQ(unit.id, kRootUnitId);
    EXPECT_EQ(unit.parentUnitId, kNoParentUnitId);
    EXPECT_NE(unit.programListId, kNoProgramListId);
    ASSERT_EQ(plugin.units->getProgramListCount(), 1);
    ProgramListInfo list{};
    ASSERT_EQ(plugin.units->getProgramListInfo(0, list), kResultOk);
    EXPECT_EQ(list.id, unit.programListId);
    ASSERT_EQ(list.programCount, numPrograms);
    String128 name{};
    for (int32_t p = 0; p < numPrograms; ++p) {
        ASSERT_EQ(plugin.units->getProgramName(list.id, p, name), kResultOk);
        EXPECT_EQ(narrow(name), names[static_cast<size_t>(p)]);
    }
    EXPECT_NE(plugin.units->getProgramName(list.id, numPrograms, name), kResultOk);
    EXPECT_NE(plugin.units->getProgramName(list.id, -1, name), kResultOk);

    ComponentHandler handler;
    ASSERT_EQ(plugin.controller->setComponentHandler(&handler), kResultOk);
    const auto expectSameValues = [&](const char* when) {
        for (int32_t i = 0; i < tested().numParams(); ++i)
            EXPECT_EQ(plugin.controller->getParamNormalized(i),
                      static_cast<double>(vst2.parameter(i)))
                << when << ", " << names[0] << " parameter " << i;
    };
    expectSameValues("new");
    for (int32_t p : {3, 0, numPrograms - 1, numPrograms / 2}) {
        plugin.controller->setParamNormalized(programParam, tested().programValue(p));
        vst2.setProgram(p);
        EXPECT_EQ(plugin.controller->getParamNormalized(programParam), tested().programValue(p));
        expectSameValues(names[static_cast<size_t>(p)].c_str());
    }
    // An edited value stays with its program, as in the VST 2 library.
    const Setting edit = tested().edits[1];
    plugin.controller->setParamNormalized(edit.index, edit.value);
    vst2.setParameter(edit.index, static_cast<float>(edit.value));
    for (int32_t p : {2, numPrograms / 2}) {
        plugin.controller->setParamNormalized(programParam, tested().programValue(p));
        vst2.setProgram(p);
    }
    expectSameValues("edited program chosen again");
    EXPECT_EQ(plugin.controller->getParamNormalized(edit.index), edit.value);

    // Each program change asks the host to reread the values; no edit is
    // reported for what the host itself set.
    ASSERT_EQ(handler.restarts.size(), 6u);
    for (int32_t flags : handler.restarts) EXPECT_TRUE(flags & kParamValuesChanged);
    EXPECT_TRUE(handler.edits.empty());
    EXPECT_EQ(plugin.controller->setComponentHandler(nullptr), kResultOk);
    EXPECT_EQ(handler.references, 1u) << "the handler's reference is given back";
}

// ---------------------------------------------------------------------------
// Audio

// The input of every comparison: a sweep on the left, a chord on the right,
// noise on both, so that every band the effect works on has signal.
void makeSignal(int64_t frames, std::vector<float>& left, std::vector<float>& right) {
    left.resize(static_cast<size_t>(frames));
    right.resize(static_cast<size_t>(frames));
    uint32_t seed = 12345;
    for (int64_t i = 0; i < frames; ++i) {
        const double t = i / kRate;
        seed = seed * 1664525u + 1013904223u;
        const double noise = (seed >> 8) / double(1u << 24) - 0.5;
        left[i] =
            static_cast<float>(0.4 * std::sin(6.2831853 * (200.0 + 900.0 * t) * t) + 0.2 * noise);
        right[i] = static_cast<float>(0.2 * std::sin(6.2831853 * 440.0 * t) +
                                      0.2 * std::sin(6.2831853 * 2750.0 * t) + 0.1 * noise);
    }
}

// Left then right, `frames` each.
using Rendering = std::vector<float>;

void renderVst3(const TestedClass& tested, int32_t program, int32_t block,
                const std::vector<float>& left, const std::vector<float>& right,
                const std::vector<Automation>& automation, Rendering& result, double rate = kRate) {
    Plugin plugin;
    ASSERT_TRUE(plugin.open(tested));
    ASSERT_TRUE(plugin.start(block, rate));
    const auto frames = static_cast<int64_t>(left.size());
    result.assign(static_cast<size_t>(2 * frames), 0.0f);
    ParameterChanges changes;
    for (int64_t at = 0; at < frames; at += block) {
        changes.clear();
        if (at == 0) changes.add(tested.programParam(), tested.programValue(program));
        for (const Automation& change : automation)
            if (change.frame == at) changes.add(static_cast<ParamID>(change.index), change.value);
        float* in[2] = {const_cast<float*>(&left[at]), const_cast<float*>(&right[at])};
        float* out[2] = {&result[at], &result[frames + at]};
        ASSERT_EQ(plugin.process(in, out, block, changes), kResultOk) << "at " << at;
    }
    plugin.stop();
    EXPECT_EQ(plugin.close(), 0u);
}

void renderVst2(const TestedClass& tested, int32_t program, int32_t block,
                const std::vector<float>& left, const std::vector<float>& right,
                const std::vector<Automation>& automation, Rendering& result) {
    HostedPlugin vst2(*tested.vst2Path, static_cast<float>(kRate));
    vst2.start(block);
    vst2.setProgram(program);
    const auto frames = static_cast<int64_t>(left.size());
    result.assign(static_cast<size_t>(2 * frames), 0.0f);
    for (int64_t at = 0; at < frames; at += block) {
        for (const Automation& change : automation)
            if (change.frame == at) vst2.setParameter(change.index, change.value);
        float* in[2] = {const_cast<float*>(&left[at]), const_cast<float*>(&right[at])};
        float* out[2] = {&result[at], &result[frames + at]};
        vst2.process(in, out, block);
    }
}

// A class, one of its programs, a block size.
using AudioCase = std::tuple<const TestedClass*, int32_t, int32_t>;

class Audio : public testing::TestWithParam<AudioCase> {};

TEST_P(Audio, EqualsTheVst2LibraryBitForBit) {
    const auto [tested, program, block] = GetParam();
    constexpr int64_t kFrames = 131072;  // about three seconds, whole blocks of both sizes
    std::vector<float> left, right;
    makeSignal(kFrames, left, right);
    Rendering vst3, vst2;
    ASSERT_NO_FATAL_FAILURE(
        renderVst3(*tested, program, block, left, right, tested->automation, vst3));
    ASSERT_NO_FATAL_FAILURE(
        renderVst2(*tested, program, block, left, right, tested->automation, vst2));
    ASSERT_EQ(vst3.size(), vst2.size());
    if (std::memcmp(vst3.data(), vst2.data(), vst3.size() * sizeof(float)) != 0) {
        size_t first = 0;
        while (std::memcmp(&vst3[first], &vst2[first], sizeof(float)) == 0) ++first;
        ADD_FAILURE() << (first < static_cast<size_t>(kFrames) ? "left" : "right") << " sample "
                      << first % kFrames << " differs: " << vst3[first] << " (VST 3) vs "
                      << vst2[first] << " (VST 2)";
    }
    // The comparison means something only over sound.
    float peak = 0.0f;
    for (float sample : vst2) peak = std::max(peak, std::fabs(sample));
    EXPECT_GT(peak, 0.01f);
}

// Every program of every class, in small blocks and in blocks of a whole frame.
std::vector<AudioCase> audioCases() {
    std::vector<AudioCase> cases;
    for (const TestedClass* tested : kClasses)
        for (int32_t program = 0; program < tested->numPrograms; ++program)
            for (int32_t block : {64, 8192}) cases.emplace_back(tested, program, block);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(ProgramsAndBlocks, Audio, testing::ValuesIn(audioCases()),
                         [](const testing::TestParamInfo<Audio::ParamType>& info) {
                             return std::string(std::get<0>(info.param)->id) + "_program" +
                                    std::to_string(std::get<1>(info.param)) + "_block" +
                                    std::to_string(std::get<2>(info.param));
                         });

// A rate no engine can run at, whatever a host hands over (beyond what a
// float holds, not a number, none), leaves the effect at its default rate:
// the same output as at 44100 Hz, and never what is not a number.
TEST_P(Vst3, AnUnusableSampleRateRunsAtTheDefaultRate) {
    constexpr int64_t kFrames = 65536;
    std::vector<float> left, right;
    makeSignal(kFrames, left, right);
    Rendering atDefault;
    ASSERT_NO_FATAL_FAILURE(renderVst3(tested(), 0, 512, left, right, {}, atDefault));
    const double infinity = std::numeric_limits<double>::infinity();
    for (double rate : {1e39, infinity, -infinity, std::nan(""), 0.0, -44100.0}) {
        Rendering output;
        ASSERT_NO_FATAL_FAILURE(renderVst3(tested(), 0, 512, left, right, {}, output, rate));
        EXPECT_TRUE(output == atDefault) << "at " << rate << " Hz";
    }
}

// ---------------------------------------------------------------------------
// State

TEST_P(Vst3, StateComesBackInAFreshInstance) {
    const ParamID programParam = tested().programParam();
    HostedPlugin vst2(*tested().vst2Path, static_cast<float>(kRate));
    plugin.controller->setParamNormalized(programParam, tested().programValue(3));
    vst2.setProgram(3);
    for (const Setting& edit : tested().edits) {
        plugin.controller->setParamNormalized(edit.index, edit.value);
        vst2.setParameter(edit.index, static_cast<float>(edit.value));
    }
    const std::vector<uint8_t> saved = plugin.state();
    ASSERT_EQ(saved.size(), tested().stateSize);
    // The VST 2 library's bank chunk of the same settings, then the program.
    std::vector<uint8_t> expected = vst2.chunk(false);
    for (uint8_t byte : {3, 0, 0, 0}) expected.push_back(byte);
    EXPECT_EQ(saved, expected);
    MemoryStream controllerState;
    ASSERT_EQ(plugin.controller->getState(&controllerState), kResultOk);

    // As hosts restore: the component's state, the same to the controller,
    // then the controller's own; streams that deliver a little at a time.
    Plugin fresh;
    ASSERT_TRUE(fresh.open(tested()));
    MemoryStream component(saved, 1000), toController(saved, 1000),
        controller(controllerState.bytes, 1000);
    EXPECT_EQ(fresh.component->setState(&component), kResultOk);
    EXPECT_EQ(fresh.controller->setComponentState(&toController), kResultOk);
    EXPECT_EQ(fresh.controller->setState(&controller), kResultOk);
    EXPECT_EQ(fresh.values(), plugin.values());
    EXPECT_EQ(fresh.controller->getParamNormalized(programParam), tested().programValue(3));
    EXPECT_EQ(fresh.state(), saved);
    for (MemoryStream* stream : {&component, &toController, &controller, &controllerState})
        EXPECT_EQ(stream->references, 1u);
}

TEST_P(Vst3, DamagedStateIsRefusedReportedAndChangesNothing) {
    // The other class's state, good in its own class.
    const TestedClass& other = *kClasses[&tested() == kClasses[0] ? 1 : 0];
    std::vector<uint8_t> otherState;
    {
        Plugin otherPlugin;
        ASSERT_TRUE(otherPlugin.open(other));
        otherState = otherPlugin.state();
    }

    MessageLog log;
    const size_t stateSize = tested().stateSize;
    const int32_t numPrograms = tested().numPrograms;
    plugin.controller->setParamNormalized(tested().programParam(),
                                          tested().programValue(numPrograms - 4));
    plugin.controller->setParamNormalized(tested().shown[0].index, 0.42);
    const std::vector<uint8_t> saved = plugin.state();
    ASSERT_EQ(saved.size(), stateSize);
    const std::vector<ParamValue> values = plugin.values();

    const auto withProgram = [&](uint32_t program) {
        std::vector<uint8_t> bytes = saved;
        for (size_t b = 0; b < 4; ++b)
            bytes[stateSize - 4 + b] = static_cast<uint8_t>(program >> (8 * b));
        return bytes;
    };
    std::vector<uint8_t> shorter(saved.begin(), saved.end() - 1);
    std::vector<uint8_t> longer = saved;
    longer.push_back(0);
    std::vector<uint8_t> badMagic = saved;
    badMagic[0] ^= 0xFF;
    const char* damagedBank = tested().damagedBank;
    const std::vector<std::pair<std::vector<uint8_t>, const char*>> damaged = {
        {{}, damagedBank},
        {shorter, damagedBank},
        {longer, damagedBank},
        {badMagic, tested().wrongMagic},
        {withProgram(static_cast<uint32_t>(numPrograms)), damagedBank},
        {withProgram(0xFFFFFFFFu), damagedBank},
        {otherState, damagedBank},
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        MemoryStream stream(damaged[i].first);
        EXPECT_EQ(plugin.component->setState(&stream), kResultFalse) << "state " << i;
        EXPECT_EQ(log.take(), std::vector<std::string>{damaged[i].second}) << "state " << i;
        EXPECT_EQ(plugin.values(), values) << "state " << i;
        EXPECT_EQ(plugin.state(), saved) << "state " << i;
    }
    EXPECT_EQ(plugin.component->setState(nullptr), kInvalidArgument);
    EXPECT_TRUE(log.take().empty());
}

// ---------------------------------------------------------------------------
// A long session

class Lifetime : public PerClass {};
INSTANTIATE_TEST_SUITE_P(Classes, Lifetime, testing::ValuesIn(kClasses), classTestName);

TEST_P(Lifetime, AThousandInstancesLeaveNoGrowth) {
    constexpr int kSettleCycles = 100, kCycles = 1000;
    // Slack for one-off bookkeeping; one instance leaked per cycle holds far
    // more than this over 900 cycles (the engine alone holds hundreds of kB).
    constexpr long kHeapSlackBytes = 8 * 1024, kResidentSlackKb = 1024;
    const TestedClass& type = tested();
    const auto cycle = [&type](int n) {
        Plugin plugin;
        ASSERT_TRUE(plugin.open(type));
        ASSERT_TRUE(plugin.start(256));
        static float left[256], right[256];
        float* channels[2] = {left, right};
        ParameterChanges changes;
        changes.add(type.programParam(), type.programValue(n % type.numPrograms));
        EXPECT_EQ(plugin.process(channels, channels, 256, changes), kResultOk);
        plugin.stop();
        ASSERT_EQ(plugin.close(), 0u) << "the last release destroys the instance";
    };
    int done = 0;
    for (; done < kSettleCycles && !testing::Test::HasFailure(); ++done) cycle(done);
    const ProcessUsage before = processUsage();
    for (; done < kCycles && !testing::Test::HasFailure(); ++done) cycle(done);
    const ProcessUsage after = processUsage();
    ASSERT_EQ(done, kCycles);
    std::printf(
        "after cycle %d and %d: heap %ld / %ld bytes, resident %ld / %ld kB, handles %ld / %ld\n",
        kSettleCycles, kCycles, before.heapBytes, after.heapBytes, before.residentKb,
        after.residentKb, before.handles, after.handles);
    if (before.heapBytes >= 0) {
        EXPECT_LE(after.heapBytes, before.heapBytes + kHeapSlackBytes);
    }
    if (before.residentKb >= 0) {
        EXPECT_LE(after.residentKb, before.residentKb + kResidentSlackKb);
    }
    if (before.handles >= 0) {
        EXPECT_LE(after.handles, before.handles);
    }
}

// ---------------------------------------------------------------------------
// Threads

// What a host does at once: its audio thread processes blocks with
// automation and program changes in the queues, while its UI thread sets
// parameters and programs, reads their texts, and saves and loads the state.
// Run under ThreadSanitizer; afterwards the state still comes back whole.
class Threads : public PerClass {};
INSTANTIATE_TEST_SUITE_P(Classes, Threads, testing::ValuesIn(kClasses), classTestName);

TEST_P(Threads, AudioAndUserInterfaceAtOnce) {
    const TestedClass& type = tested();
    const int32_t numParams = type.numParams();
    const ParamID programParam = type.programParam();
    Plugin plugin;
    ASSERT_TRUE(plugin.open(type));
    ASSERT_TRUE(plugin.start(512));
    std::atomic<bool> running{true};
    std::thread audio([&] {
        static float left[512], right[512];
        float* channels[2] = {left, right};
        ParameterChanges changes;
        for (int block = 0; running.load(); ++block) {
            changes.clear();
            changes.add(static_cast<ParamID>(block % numParams), (block % 7) / 6.0);
            if (block % 50 == 0)
                changes.add(programParam, type.programValue(block / 50 % type.numPrograms));
            for (int i = 0; i < 512; ++i) left[i] = right[i] = static_cast<float>(i % 64) / 64.0f;
            plugin.process(channels, channels, 1 + block % 512, changes);
        }
    });
    String128 text{};
    for (int round = 0; round < 400; ++round) {
        const auto id = static_cast<ParamID>(round % numParams);
        plugin.controller->setParamNormalized(id, (round % 5) / 4.0);
        plugin.controller->getParamStringByValue(id, plugin.controller->getParamNormalized(id),
                                                 text);
        if (round % 40 == 0)
            plugin.controller->setParamNormalized(programParam,
                                                  type.programValue(round % type.numPrograms));
        if (round % 20 == 0) {
            MemoryStream state;
            ASSERT_EQ(plugin.component->getState(&state), kResultOk);
            MemoryStream again(state.bytes);
            EXPECT_EQ(plugin.component->setState(&again), kResultOk);
        }
    }
    running = false;
    audio.join();
    plugin.stop();
    MemoryStream first;
    ASSERT_EQ(plugin.component->getState(&first), kResultOk);
    MemoryStream back(first.bytes);
    ASSERT_EQ(plugin.component->setState(&back), kResultOk);
    MemoryStream second;
    ASSERT_EQ(plugin.component->getState(&second), kResultOk);
    EXPECT_EQ(first.bytes, second.bytes);
}

// ---------------------------------------------------------------------------
// The editor in a host window

// Each class offers its editor's view, of its window's size, and no other kind.
TEST_P(Vst3, OffersItsEditorViewAndNoOther) {
    EXPECT_EQ(plugin.controller->createView("parameters"), nullptr);
    EXPECT_EQ(plugin.controller->createView(nullptr), nullptr);
    IPlugView* view = plugin.controller->createView(kViewTypeEditor);
    ASSERT_NE(view, nullptr);
    ViewRect size{};
    EXPECT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.right - size.left, 508);
    EXPECT_EQ(size.bottom - size.top, tested().editorHeight);
    EXPECT_EQ(view->release(), 0u);
    EXPECT_EQ(plugin.close(), 0u) << "a view given back holds no reference";
}

class Editor : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plugin.open(zindraClass));
        hostWindow =
            platform::createHostWindow(kEditorWidth, kEditorHeight, "Zindra VST 3 test host");
        ASSERT_EQ(plugin.controller->setComponentHandler(&handler), kResultOk);
    }
    void TearDown() override {
        if (plugin.controller) plugin.controller->setComponentHandler(nullptr);
    }

    Plugin plugin;

    const char* nativeType() const {
        return onWindows() ? kPlatformTypeHWND : kPlatformTypeX11EmbedWindowID;
    }

    // A view made, framed and attached to the host window.
    IPlugView* openView() {
        IPlugView* view = plugin.controller->createView(kViewTypeEditor);
        if (!view) return nullptr;
        EXPECT_EQ(view->setFrame(&frame), kResultOk);
        EXPECT_EQ(view->attached(hostWindow->handle(), nativeType()), kResultOk);
        return view;
    }
    void closeView(IPlugView* view) {
        EXPECT_EQ(view->removed(), kResultOk);
        EXPECT_TRUE(frame.timers.empty()) << "the view's timer goes with it";
        frame.run(*hostWindow, 60);
        EXPECT_EQ(view->setFrame(nullptr), kResultOk);
        EXPECT_EQ(view->release(), 0u);
        EXPECT_EQ(frame.references, 1u) << "the frame's references are given back";
    }

    // The pixels of the row through the Center slider, as the screen shows them.
    std::vector<uint32_t> centerSliderRow() {
        constexpr int kRow = 27 + 73 + 9;
        auto pixels = hostWindow->readBack(kEditorWidth, kEditorHeight);
        if (!pixels) return {};
        const uint32_t* row = pixels.get() + kRow * kEditorWidth;
        return std::vector<uint32_t>(row, row + kEditorWidth);
    }

    // The user: a drag with the left button, made inside the process where
    // the system allows it, with xdotool from outside otherwise.
    bool userDrag(int x0, int y0, int x1, int y1) {
        const auto between = [this] { frame.run(*hostWindow, 60); };
        if (platform::dragInHostWindow(hostWindow->handle(), x0, y0, x1, y1, between)) return true;
        if (std::system("xdotool version > /dev/null 2>&1") != 0) return false;
        const std::string window =
            " --window " + std::to_string(reinterpret_cast<std::uintptr_t>(hostWindow->handle()));
        const std::string steps[] = {
            "mousemove --sync" + window + " " + std::to_string(x0) + " " + std::to_string(y0),
            "mousedown 1",
            "mousemove --sync" + window + " " + std::to_string(x1) + " " + std::to_string(y1),
            "mouseup 1"};
        for (const std::string& step : steps) {
            if (std::system(("xdotool " + step).c_str()) != 0) return false;
            between();
        }
        return true;
    }

    ComponentHandler handler;
    Frame frame{!onWindows()};
    std::unique_ptr<platform::HostWindow> hostWindow;
};

#define SKIP_WITHOUT_HOST_WINDOW()                          \
    do {                                                    \
        if (!hostWindow) {                                  \
            if (std::getenv("ZINDRA_DISPLAY_PROMISED"))     \
                FAIL() << "no display on the promised one"; \
            GTEST_SKIP() << "no display";                   \
        }                                                   \
    } while (0)

TEST_F(Editor, OpensInTheHostWindowFollowsTheHostAndCloses) {
    SKIP_WITHOUT_HOST_WINDOW();
    EXPECT_EQ(plugin.controller->createView("parameters"), nullptr);
    for (int round = 0; round < 3; ++round) {
        IPlugView* view = plugin.controller->createView(kViewTypeEditor);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->isPlatformTypeSupported(nativeType()), kResultTrue);
        EXPECT_EQ(view->isPlatformTypeSupported(onWindows() ? kPlatformTypeX11EmbedWindowID
                                                            : kPlatformTypeHWND),
                  kResultFalse);
        ViewRect size{};
        ASSERT_EQ(view->getSize(&size), kResultOk);
        EXPECT_EQ(size.right - size.left, kEditorWidth);
        EXPECT_EQ(size.bottom - size.top, kEditorHeight);
        EXPECT_EQ(view->canResize(), kResultFalse);
        ASSERT_EQ(view->setFrame(&frame), kResultOk);
        ASSERT_EQ(view->attached(hostWindow->handle(), nativeType()), kResultOk);
        // Linux hosts send no idle calls: the view must drive its window from
        // the host's loop. Windows has the system's timers.
        if (frame.offersRunLoop) {
            EXPECT_EQ(frame.timers.size(), 1u);
        }
        const long callsBefore = frame.timerCalls;
        frame.run(*hostWindow, 300);
        if (frame.offersRunLoop) {
            EXPECT_GT(frame.timerCalls, callsBefore);
        }

        if (round == 0) {
            // A change from the host (automation played back) shows, and is
            // not sent back as an edit.
            plugin.controller->setParamNormalized(zindra::kCenter, 0.0);
            frame.run(*hostWindow, 200);
            const std::vector<uint32_t> before = centerSliderRow();
            plugin.controller->setParamNormalized(zindra::kCenter, 1.0);
            frame.run(*hostWindow, 300);
            const std::vector<uint32_t> after = centerSliderRow();
            ASSERT_FALSE(before.empty());
            EXPECT_NE(before, after) << "the Center slider moved";
            EXPECT_TRUE(handler.edits.empty());
        }
        closeView(view);
    }
}

TEST_F(Editor, UserEditsReachTheHostAsBeginPerformEnd) {
    SKIP_WITHOUT_HOST_WINDOW();
    // "Center" at 0 puts the slider's pointer at the left end of its track.
    plugin.controller->setParamNormalized(zindra::kCenter, 0.0);
    IPlugView* view = openView();
    ASSERT_NE(view, nullptr);
    frame.run(*hostWindow, 300);
    constexpr int kSliderX = 4 + 29 + 15 + 17, kSliderY = 27 + 73 + 9;
    const bool played = userDrag(kSliderX, kSliderY, 400, kSliderY);
    frame.run(*hostWindow, 300);
    closeView(view);
    if (!played) GTEST_SKIP() << "no way to play the user here";

    ASSERT_GE(handler.edits.size(), 3u);
    EXPECT_EQ(handler.edits.front().kind, 'b');
    EXPECT_EQ(handler.edits.back().kind, 'e');
    for (size_t i = 1; i + 1 < handler.edits.size(); ++i)
        EXPECT_EQ(handler.edits[i].kind, 'p') << i;
    for (const Edit& edit : handler.edits)
        EXPECT_EQ(edit.id, static_cast<ParamID>(zindra::kCenter));
    EXPECT_EQ(handler.edits[handler.edits.size() - 2].value, 1.0);
    EXPECT_EQ(plugin.controller->getParamNormalized(zindra::kCenter), 1.0);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: vst3_host ZINDRA-VST2-LIBRARY DEEP-VST2-LIBRARY BUNDLE [gtest "
                     "options]\n");
        return 2;
    }
    // A bare name means the one in the working folder, not one on the
    // system's search path.
    const auto inWorkingFolder = [](std::string path) {
        return path.find_first_of("/\\") == std::string::npos ? "./" + path : path;
    };
    zindraVst2Path = inWorkingFolder(argv[1]);
    deepVst2Path = inWorkingFolder(argv[2]);
    bundlePath = inWorkingFolder(argv[3]);
    testing::AddGlobalTestEnvironment(new Module);
    return RUN_ALL_TESTS();
}
