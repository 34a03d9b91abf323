// The VST 3 module: its factory, which makes Zindra's class and Zindra
// Deep's, and the entry points each platform's hosts call around it.
#include <cstring>
#include <iterator>

#include "core/EffectIdentity.h"
#include "vst3/DeepComponent.h"
#include "vst3/ZindraComponent.h"
#include "vst3/text.h"

namespace vst3 {
namespace {

constexpr const char* kUrl = "https://www.corvanti.example/";
constexpr const char* kEmail = "support@corvanti.example";
// "major.minor.sub.build", as hosts show and compare it.
constexpr const char* kVersion = "1.14.0.0";

// One class the factory makes: a component of EffectComponent.h.
struct ModuleClass {
    Uid id;
    core::EffectIdentity identity;
    // The new component's interface, or why there is none.
    tresult (*create)(FIDString interfaceId, void** object);
};

template <typename Component>
tresult createComponent(FIDString interfaceId, void** object) {
    Component* component = Component::create();
    if (!component) return kOutOfMemory;
    const tresult result = component->queryInterface(interfaceId, object);
    component->release();
    return result;
}

template <typename Component>
constexpr ModuleClass moduleClass() {
    return {Component::kClassId, Component::identity(), &createComponent<Component>};
}

// In the order hosts list them; Zindra's class first, as it always was.
constexpr ModuleClass kClasses[] = {moduleClass<ZindraComponent>(), moduleClass<DeepComponent>()};
constexpr int32_t kNumClasses = static_cast<int32_t>(std::size(kClasses));

const ModuleClass* classAt(int32_t index) {
    return index >= 0 && index < kNumClasses ? &kClasses[index] : nullptr;
}

template <typename Info>
void describeClass(const ModuleClass& type, Info& info) {
    std::memcpy(info.cid, type.id.bytes, sizeof info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    copyText(info.category, kVstAudioEffectClass);
    copyText(info.name, type.identity.effectName);
}

template <typename Info>
void describeClassFully(const ModuleClass& type, Info& info) {
    describeClass(type, info);
    info.classFlags = 0;
    copyText(info.subCategories, subcategory::kFx);
    copyText(info.vendor, type.identity.vendorName);
    copyText(info.version, kVersion);
    copyText(info.sdkVersion, kInterfaceVersionString);
}

// Fills the record of class index from nothing; kInvalidArgument for no
// such class or no record.
template <typename Info>
tresult describe(int32_t index, Info* info, void (*fill)(const ModuleClass&, Info&)) {
    const ModuleClass* type = classAt(index);
    if (!type || !info) return kInvalidArgument;
    std::memset(info, 0, sizeof *info);
    fill(*type, *info);
    return kResultOk;
}

// One factory for the module's life; hosts count references on it, but it
// is never destroyed.
class Factory final : public IPluginFactory3 {
public:
    tresult ZINDRA_VST3_CALL queryInterface(const TUID interfaceId, void** object) override {
        if (!object) return kInvalidArgument;
        *object = nullptr;
        if (sameUid(interfaceId, FUnknown::iid) || sameUid(interfaceId, IPluginFactory::iid) ||
            sameUid(interfaceId, IPluginFactory2::iid) ||
            sameUid(interfaceId, IPluginFactory3::iid))
            *object = static_cast<IPluginFactory3*>(this);
        return *object ? kResultOk : kNoInterface;
    }
    uint32_t ZINDRA_VST3_CALL addRef() override { return 1; }
    uint32_t ZINDRA_VST3_CALL release() override { return 1; }

    tresult ZINDRA_VST3_CALL getFactoryInfo(PFactoryInfo* info) override {
        if (!info) return kInvalidArgument;
        std::memset(info, 0, sizeof *info);
        copyText(info->vendor, zindra::kVendorName);
        copyText(info->url, kUrl);
        copyText(info->email, kEmail);
        info->flags = PFactoryInfo::kUnicode;
        return kResultOk;
    }
    int32_t ZINDRA_VST3_CALL countClasses() override { return kNumClasses; }
    tresult ZINDRA_VST3_CALL getClassInfo(int32_t index, PClassInfo* info) override {
        return describe(index, info, &describeClass<PClassInfo>);
    }
    tresult ZINDRA_VST3_CALL createInstance(FIDString classId, FIDString interfaceId,
                                            void** object) override {
        if (!object) return kInvalidArgument;
        *object = nullptr;
        for (const ModuleClass& type : kClasses)
            if (sameUid(classId, type.id)) return type.create(interfaceId, object);
        return kNoInterface;
    }
    tresult ZINDRA_VST3_CALL getClassInfo2(int32_t index, PClassInfo2* info) override {
        return describe(index, info, &describeClassFully<PClassInfo2>);
    }
    tresult ZINDRA_VST3_CALL getClassInfoUnicode(int32_t index, PClassInfoW* info) override {
        return describe(index, info, &describeClassFully<PClassInfoW>);
    }
    tresult ZINDRA_VST3_CALL setHostContext(FUnknown*) override { return kResultOk; }
};

Factory factory;

}  // namespace
}  // namespace vst3

// The entry points hosts look up by name; nothing else is exported.
extern "C" {

vst3::IPluginFactory* ZINDRA_VST3_CALL GetPluginFactory() { return &vst3::factory; }

// Linux: around the module's use. Nothing needs setting up or down.
bool ModuleEntry(void*) { return true; }
bool ModuleExit() { return true; }

// Windows: the same pair under the names Windows hosts call.
bool ZINDRA_VST3_CALL InitDll() { return true; }
bool ZINDRA_VST3_CALL ExitDll() { return true; }
}
