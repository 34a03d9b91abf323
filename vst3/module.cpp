// The VST 3 module: its factory, which makes Zindra's one class, and the
// entry points each platform's hosts call around it.
#include <cstring>
#include <string>

#include "core/ZindraIdentity.h"
#include "vst3/ZindraComponent.h"
#include "vst3/text.h"

namespace vst3 {
namespace {

constexpr const char* kUrl = "https://www.corvanti.example/";
constexpr const char* kEmail = "support@corvanti.example";
// "major.minor.sub.build", as hosts show and compare it.
constexpr const char* kVersion = "1.14.0.0";

template <typename Info>
void describeClass(Info& info) {
    std::memcpy(info.cid, ZindraComponent::kClassId.bytes, sizeof info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    copyText(info.category, kVstAudioEffectClass);
    copyText(info.name, zindra::kEffectName);
}

template <typename Info>
void describeClassFully(Info& info) {
    describeClass(info);
    info.classFlags = 0;
    copyText(info.subCategories, subcategory::kFx);
    copyText(info.vendor, zindra::kVendorName);
    copyText(info.version, kVersion);
    copyText(info.sdkVersion, kInterfaceVersionString);
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
    int32_t ZINDRA_VST3_CALL countClasses() override { return 1; }
    tresult ZINDRA_VST3_CALL getClassInfo(int32_t index, PClassInfo* info) override {
        if (index != 0 || !info) return kInvalidArgument;
        std::memset(info, 0, sizeof *info);
        describeClass(*info);
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL createInstance(FIDString classId, FIDString interfaceId,
                                            void** object) override {
        if (!object) return kInvalidArgument;
        *object = nullptr;
        if (!sameUid(classId, ZindraComponent::kClassId)) return kNoInterface;
        ZindraComponent* component = ZindraComponent::create();
        if (!component) return kOutOfMemory;
        const tresult result = component->queryInterface(interfaceId, object);
        component->release();
        return result;
    }
    tresult ZINDRA_VST3_CALL getClassInfo2(int32_t index, PClassInfo2* info) override {
        if (index != 0 || !info) return kInvalidArgument;
        std::memset(info, 0, sizeof *info);
        describeClassFully(*info);
        return kResultOk;
    }
    tresult ZINDRA_VST3_CALL getClassInfoUnicode(int32_t index, PClassInfoW* info) override {
        if (index != 0 || !info) return kInvalidArgument;
        std::memset(info, 0, sizeof *info);
        describeClassFully(*info);
        return kResultOk;
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
