// The VST 3 declarations against the published values: identifier bytes in
// the platform's order, result codes, and each method's vtable slot. Record
// layouts are pinned by static_assert in the header itself.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "vst3/vst3.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const vst3::Uid& uid) {
    Bytes bytes(16);
    std::memcpy(bytes.data(), uid.bytes, 16);
    return bytes;
}

// The identifier's bytes, built apart from the header's makeUid: on Windows
// the in-memory image of a COM GUID (this machine is little-endian there);
// elsewhere each number written out most significant byte first.
Bytes expectedBytes(uint32_t l1, uint32_t l2, uint32_t l3, uint32_t l4) {
    Bytes bytes(16);
#if defined(_WIN32)
    struct Guid {
        uint32_t data1;
        uint16_t data2;
        uint16_t data3;
        uint8_t data4[8];
    } guid{l1, static_cast<uint16_t>(l2 >> 16), static_cast<uint16_t>(l2 & 0xFFFF), {}};
    static_assert(sizeof(Guid) == 16);
    for (int i = 0; i < 4; ++i) {
        guid.data4[i] = static_cast<uint8_t>(l3 >> (24 - 8 * i));
        guid.data4[4 + i] = static_cast<uint8_t>(l4 >> (24 - 8 * i));
    }
    std::memcpy(bytes.data(), &guid, 16);
#else
    const uint32_t numbers[4] = {l1, l2, l3, l4};
    for (int i = 0; i < 16; ++i) {
        bytes[i] = static_cast<uint8_t>(numbers[i / 4] >> (24 - 8 * (i % 4)));
    }
#endif
    return bytes;
}

TEST(Vst3Interfaces, IdentifiersAreThePublishedOnesInThePlatformsByteOrder) {
    // The helper itself, on one identifier whose halves of l2 differ: the
    // GUID {22888DDB-156E-45AE-8358-B34808190625} in memory on Windows.
#if defined(_WIN32)
    const Bytes pluginBase = {0xDB, 0x8D, 0x88, 0x22, 0x6E, 0x15, 0xAE, 0x45,
                              0x83, 0x58, 0xB3, 0x48, 0x08, 0x19, 0x06, 0x25};
#else
    const Bytes pluginBase = {0x22, 0x88, 0x8D, 0xDB, 0x15, 0x6E, 0x45, 0xAE,
                              0x83, 0x58, 0xB3, 0x48, 0x08, 0x19, 0x06, 0x25};
#endif
    ASSERT_EQ(expectedBytes(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625), pluginBase);

    struct Published {
        const char* name;
        const vst3::Uid& iid;
        uint32_t l1, l2, l3, l4;
    };
    const Published published[] = {
        {"FUnknown", vst3::FUnknown::iid, 0x00000000, 0x00000000, 0xC0000000, 0x00000046},
        {"IPluginBase", vst3::IPluginBase::iid, 0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625},
        {"IBStream", vst3::IBStream::iid, 0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B},
        {"IPluginFactory", vst3::IPluginFactory::iid, 0x7A4D811C, 0x52114A1F, 0xAED9D2EE,
         0x0B43BF9F},
        {"IPluginFactory2", vst3::IPluginFactory2::iid, 0x0007B650, 0xF24B4C0B, 0xA464EDB9,
         0xF00B2ABB},
        {"IPluginFactory3", vst3::IPluginFactory3::iid, 0x4555A2AB, 0xC1234E57, 0x9B122910,
         0x36878931},
        {"IComponent", vst3::IComponent::iid, 0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802},
        {"IAudioProcessor", vst3::IAudioProcessor::iid, 0x42043F99, 0xB7DA453C, 0xA569E79D,
         0x9AAEC33D},
        {"IProcessContextRequirements", vst3::IProcessContextRequirements::iid, 0x2A654303,
         0xEF764E3D, 0x95B5FE83, 0x730EF6D0},
        {"IParamValueQueue", vst3::IParamValueQueue::iid, 0x01263A18, 0xED074F6F, 0x98C9D356,
         0x4686F9BA},
        {"IParameterChanges", vst3::IParameterChanges::iid, 0xA4779663, 0x0BB64A56, 0xB44384A8,
         0x466FEB9D},
        {"IEventList", vst3::IEventList::iid, 0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44},
        {"IComponentHandler", vst3::IComponentHandler::iid, 0x93A0BEA3, 0x0BD045DB, 0x8E890B0C,
         0xC1E46AC6},
        {"IEditController", vst3::IEditController::iid, 0xDCD7BBE3, 0x7742448D, 0xA874AACC,
         0x979C759E},
        {"IConnectionPoint", vst3::IConnectionPoint::iid, 0x70A4156F, 0x6E6E4026, 0x989148BF,
         0xAA60D8D1},
        {"IUnitInfo", vst3::IUnitInfo::iid, 0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1},
        {"IPlugView", vst3::IPlugView::iid, 0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29},
        {"IPlugFrame", vst3::IPlugFrame::iid, 0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3},
        {"IEventHandler", vst3::IEventHandler::iid, 0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983},
        {"ITimerHandler", vst3::ITimerHandler::iid, 0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9},
        {"IRunLoop", vst3::IRunLoop::iid, 0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389},
    };
    for (const Published& entry : published) {
        const Bytes expected = expectedBytes(entry.l1, entry.l2, entry.l3, entry.l4);
        EXPECT_EQ(bytesOf(entry.iid), expected) << entry.name;
        // As a queryInterface implementation meets it: a pointer to 16 bytes.
        EXPECT_TRUE(vst3::sameUid(reinterpret_cast<const char*>(expected.data()), entry.iid))
            << entry.name;
        for (const Published& other : published) {
            if (&other != &entry) {
                EXPECT_NE(entry.iid, other.iid) << entry.name << " " << other.name;
            }
        }
    }
    EXPECT_FALSE(vst3::sameUid(nullptr, vst3::FUnknown::iid));
}

TEST(Vst3Interfaces, ResultCodesAreThePlatformsOwn) {
#if defined(_WIN32)
    // COM's S_OK, S_FALSE, E_NOINTERFACE, E_INVALIDARG, E_NOTIMPL, E_FAIL,
    // E_UNEXPECTED, E_OUTOFMEMORY.
    const uint32_t expected[] = {0x00000000, 0x00000001, 0x80004002, 0x80070057,
                                 0x80004001, 0x80004005, 0x8000FFFF, 0x8007000E};
#else
    const uint32_t expected[] = {0, 1, 0xFFFFFFFF, 2, 3, 4, 5, 6};
#endif
    const vst3::tresult actual[] = {
        vst3::kResultOk,       vst3::kResultFalse,   vst3::kNoInterface,    vst3::kInvalidArgument,
        vst3::kNotImplemented, vst3::kInternalError, vst3::kNotInitialized, vst3::kOutOfMemory};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(static_cast<uint32_t>(actual[i]), expected[i]) << i;
    EXPECT_EQ(vst3::kResultTrue, vst3::kResultOk);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
// A pointer to a virtual member function holds, in the x86 Itanium C++ ABI
// that GCC and Clang use on Linux and MinGW, 1 + the function's byte offset
// in the vtable; MSVC-built hosts call the same slot (single inheritance, no
// overloads).
template <typename Method>
std::ptrdiff_t slotOf(Method method) {
    struct {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } raw;
    static_assert(sizeof(Method) == sizeof(raw));
    std::memcpy(&raw, &method, sizeof raw);
    if ((raw.pointer & 1) == 0) return -1;  // not virtual
    return static_cast<std::ptrdiff_t>((raw.pointer - 1) / sizeof(void*));
}

template <typename... Methods>
std::vector<std::ptrdiff_t> slotsOf(Methods... methods) {
    return {slotOf(methods)...};
}

std::vector<std::ptrdiff_t> from(std::ptrdiff_t first, std::ptrdiff_t count) {
    std::vector<std::ptrdiff_t> slots;
    for (std::ptrdiff_t i = 0; i < count; ++i) slots.push_back(first + i);
    return slots;
}

// Each interface's methods in the published order, after those it extends:
// a swapped or missing method would compile and call the wrong function.
TEST(Vst3Interfaces, MethodsTakeThePublishedVtableSlots) {
    using namespace vst3;
    EXPECT_EQ(slotsOf(&FUnknown::queryInterface, &FUnknown::addRef, &FUnknown::release),
              from(0, 3));
    EXPECT_EQ(slotsOf(&IPluginBase::initialize, &IPluginBase::terminate), from(3, 2));
    EXPECT_EQ(slotsOf(&IBStream::read, &IBStream::write, &IBStream::seek, &IBStream::tell),
              from(3, 4));
    EXPECT_EQ(slotsOf(&IPluginFactory::getFactoryInfo, &IPluginFactory::countClasses,
                      &IPluginFactory::getClassInfo, &IPluginFactory::createInstance,
                      &IPluginFactory2::getClassInfo2, &IPluginFactory3::getClassInfoUnicode,
                      &IPluginFactory3::setHostContext),
              from(3, 7));
    EXPECT_EQ(
        slotsOf(&IComponent::getControllerClassId, &IComponent::setIoMode, &IComponent::getBusCount,
                &IComponent::getBusInfo, &IComponent::getRoutingInfo, &IComponent::activateBus,
                &IComponent::setActive, &IComponent::setState, &IComponent::getState),
        from(5, 9));
    EXPECT_EQ(slotsOf(&IAudioProcessor::setBusArrangements, &IAudioProcessor::getBusArrangement,
                      &IAudioProcessor::canProcessSampleSize, &IAudioProcessor::getLatencySamples,
                      &IAudioProcessor::setupProcessing, &IAudioProcessor::setProcessing,
                      &IAudioProcessor::process, &IAudioProcessor::getTailSamples),
              from(3, 8));
    EXPECT_EQ(slotsOf(&IProcessContextRequirements::getProcessContextRequirements), from(3, 1));
    EXPECT_EQ(slotsOf(&IParamValueQueue::getParameterId, &IParamValueQueue::getPointCount,
                      &IParamValueQueue::getPoint, &IParamValueQueue::addPoint),
              from(3, 4));
    EXPECT_EQ(slotsOf(&IParameterChanges::getParameterCount, &IParameterChanges::getParameterData,
                      &IParameterChanges::addParameterData),
              from(3, 3));
    EXPECT_EQ(slotsOf(&IEventList::getEventCount, &IEventList::getEvent, &IEventList::addEvent),
              from(3, 3));
    EXPECT_EQ(slotsOf(&IComponentHandler::beginEdit, &IComponentHandler::performEdit,
                      &IComponentHandler::endEdit, &IComponentHandler::restartComponent),
              from(3, 4));
    EXPECT_EQ(
        slotsOf(&IEditController::setComponentState, &IEditController::setState,
                &IEditController::getState, &IEditController::getParameterCount,
                &IEditController::getParameterInfo, &IEditController::getParamStringByValue,
                &IEditController::getParamValueByString, &IEditController::normalizedParamToPlain,
                &IEditController::plainParamToNormalized, &IEditController::getParamNormalized,
                &IEditController::setParamNormalized, &IEditController::setComponentHandler,
                &IEditController::createView),
        from(5, 13));
    EXPECT_EQ(slotsOf(&IConnectionPoint::connect, &IConnectionPoint::disconnect,
                      &IConnectionPoint::notify),
              from(3, 3));
    EXPECT_EQ(
        slotsOf(&IUnitInfo::getUnitCount, &IUnitInfo::getUnitInfo, &IUnitInfo::getProgramListCount,
                &IUnitInfo::getProgramListInfo, &IUnitInfo::getProgramName,
                &IUnitInfo::getProgramInfo, &IUnitInfo::hasProgramPitchNames,
                &IUnitInfo::getProgramPitchName, &IUnitInfo::getSelectedUnit,
                &IUnitInfo::selectUnit, &IUnitInfo::getUnitByBus, &IUnitInfo::setUnitProgramData),
        from(3, 12));
    EXPECT_EQ(
        slotsOf(&IPlugView::isPlatformTypeSupported, &IPlugView::attached, &IPlugView::removed,
                &IPlugView::onWheel, &IPlugView::onKeyDown, &IPlugView::onKeyUp,
                &IPlugView::getSize, &IPlugView::onSize, &IPlugView::onFocus, &IPlugView::setFrame,
                &IPlugView::canResize, &IPlugView::checkSizeConstraint),
        from(3, 12));
    EXPECT_EQ(slotsOf(&IPlugFrame::resizeView), from(3, 1));
    EXPECT_EQ(slotsOf(&IEventHandler::onFDIsSet), from(3, 1));
    EXPECT_EQ(slotsOf(&ITimerHandler::onTimer), from(3, 1));
    EXPECT_EQ(slotsOf(&IRunLoop::registerEventHandler, &IRunLoop::unregisterEventHandler,
                      &IRunLoop::registerTimer, &IRunLoop::unregisterTimer),
              from(3, 4));
}
#endif

}  // namespace
