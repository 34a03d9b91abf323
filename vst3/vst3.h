// The VST 3 binary interface as an effect module sees it: result codes, class
// and interface identifiers, the interfaces (abstract classes whose virtual
// tables hosts call) and the records that travel through them. Written from
// the published interface description, restricted to what an audio effect
// with parameters, programs and an editor needs.
//
// Everything here is binary layout shared with hosts built by other
// compilers, so three rules hold throughout:
//  - An interface's virtual functions are its vtable slots, in the published
//    order. Never reorder, overload or add virtual functions, and give no
//    interface a virtual destructor: each would move or add slots. Objects
//    die through release().
//  - Every method uses ZINDRA_VST3_CALL, the convention hosts call with.
//  - Record sizes and field offsets are pinned below for every target the
//    project builds; a change that moves a byte fails to compile.
#pragma once

#include <cstddef>
#include <cstdint>

#if !defined(_WIN32) && INTPTR_MAX == INT32_MAX
// No 32-bit host outside Windows to check the record layouts against.
#error "32-bit builds of the VST 3 layer exist only for Windows"
#endif

// 32-bit Windows hosts call every interface method, and the module's entry
// points, with __stdcall (callee pops the arguments): with the default cdecl
// the stack would be off after the first call. Elsewhere the platform's one
// convention applies.
#if defined(_WIN32) && !defined(_WIN64)
#define ZINDRA_VST3_CALL __stdcall
#else
#define ZINDRA_VST3_CALL
#endif

namespace vst3 {

// ---------------------------------------------------------------------------
// Basic types

using tresult = int32_t;
using TBool = uint8_t;
using char16 = char16_t;
using TChar = char16;
// UTF-16 text of at most 127 characters and a terminating zero.
using String128 = TChar[128];
// Identifiers passed as text (class categories, platform types, view names).
using FIDString = const char*;

// Result codes. Windows hosts expect the COM values (a host may test the
// sign bit or compare with S_OK/E_NOINTERFACE); other platforms use small
// numbers. Mixing them up makes every failure look like another one.
#if defined(_WIN32)
inline constexpr tresult kNoInterface = static_cast<tresult>(0x80004002u);
inline constexpr tresult kResultOk = 0;
inline constexpr tresult kResultTrue = kResultOk;
inline constexpr tresult kResultFalse = 1;
inline constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057u);
inline constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001u);
inline constexpr tresult kInternalError = static_cast<tresult>(0x80004005u);
inline constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFu);
inline constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000Eu);
#else
inline constexpr tresult kNoInterface = -1;
inline constexpr tresult kResultOk = 0;
inline constexpr tresult kResultTrue = kResultOk;
inline constexpr tresult kResultFalse = 1;
inline constexpr tresult kInvalidArgument = 2;
inline constexpr tresult kNotImplemented = 3;
inline constexpr tresult kInternalError = 4;
inline constexpr tresult kNotInitialized = 5;
inline constexpr tresult kOutOfMemory = 6;
#endif

// ---------------------------------------------------------------------------
// Class and interface identifiers

// A 16-byte identifier as calls pass it (the array decays to a pointer).
using TUID = char[16];

// An identifier held by value, so that it can be a constant.
struct Uid {
    char bytes[16];

    constexpr bool operator==(const Uid&) const = default;
};

// The published form of an identifier is four 32-bit numbers. Their bytes
// in memory differ by platform, and a module that gets this wrong answers
// no query: on Windows the identifier is a COM GUID (l1 is Data1, the high
// and low halves of l2 are Data2 and Data3, each stored least significant
// byte first; l3 and l4 are Data4, most significant byte first); elsewhere
// all four numbers are stored most significant byte first.
constexpr Uid makeUid(uint32_t l1, uint32_t l2, uint32_t l3, uint32_t l4) {
    auto byte = [](uint32_t value, int shift) {
        return static_cast<char>(static_cast<uint8_t>(value >> shift));
    };
#if defined(_WIN32)
    return Uid{{byte(l1, 0), byte(l1, 8), byte(l1, 16), byte(l1, 24),  //
                byte(l2, 16), byte(l2, 24), byte(l2, 0), byte(l2, 8),  //
                byte(l3, 24), byte(l3, 16), byte(l3, 8), byte(l3, 0),  //
                byte(l4, 24), byte(l4, 16), byte(l4, 8), byte(l4, 0)}};
#else
    return Uid{{byte(l1, 24), byte(l1, 16), byte(l1, 8), byte(l1, 0),  //
                byte(l2, 24), byte(l2, 16), byte(l2, 8), byte(l2, 0),  //
                byte(l3, 24), byte(l3, 16), byte(l3, 8), byte(l3, 0),  //
                byte(l4, 24), byte(l4, 16), byte(l4, 8), byte(l4, 0)}};
#endif
}

// Whether an identifier received in a call is uid. A null pointer is none.
constexpr bool sameUid(const char* tuid, const Uid& uid) {
    if (tuid == nullptr) return false;
    for (int i = 0; i < 16; ++i) {
        if (tuid[i] != uid.bytes[i]) return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Value types

using MediaType = int32_t;
using BusDirection = int32_t;
using BusType = int32_t;
using IoMode = int32_t;
using UnitID = int32_t;
using ProgramListID = int32_t;
// Parameter identifiers 0 to 0x7FFFFFFF belong to the module; hosts use the rest.
using ParamID = uint32_t;
// A parameter value normalized to [0, 1].
using ParamValue = double;
using SampleRate = double;
using Sample32 = float;
using Sample64 = double;
// One bit per speaker.
using SpeakerArrangement = uint64_t;
using Speaker = uint64_t;

inline constexpr ParamID kNoParamId = 0xFFFFFFFFu;

inline constexpr Speaker kSpeakerL = Speaker{1} << 0;
inline constexpr Speaker kSpeakerR = Speaker{1} << 1;
// Mono is a speaker of its own, not left and right together.
inline constexpr Speaker kSpeakerM = Speaker{1} << 19;

namespace arrangement {
inline constexpr SpeakerArrangement kEmpty = 0;
inline constexpr SpeakerArrangement kMono = kSpeakerM;
inline constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;  // 3
}  // namespace arrangement

// Class categories (PClassInfo::category): a host makes the processor from
// the first and the edit controller from the second.
inline constexpr const char* kVstAudioEffectClass = "Audio Module Class";
inline constexpr const char* kVstComponentControllerClass = "Component Controller Class";

// Sub-categories (PClassInfo2::subCategories): '|'-separated, most general
// first; hosts sort their plug-in browsers by them.
namespace subcategory {
inline constexpr const char* kFx = "Fx";
inline constexpr const char* kFxRestoration = "Fx|Restoration";
inline constexpr const char* kFxSpatial = "Fx|Spatial";
inline constexpr const char* kFxTools = "Fx|Tools";
inline constexpr const char* kStereo = "Stereo";
}  // namespace subcategory

// What PClassInfo2::sdkVersion reports: the interface revision these
// declarations follow. Hosts show it and may check its "VST 3" prefix.
inline constexpr const char* kInterfaceVersionString = "VST 3.7.13";

// IEditController::createView's one view name.
inline constexpr const char* kViewTypeEditor = "editor";

// IPlugView platform types: the parent given to attached().
inline constexpr const char* kPlatformTypeHWND = "HWND";                          // Windows HWND
inline constexpr const char* kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";  // XEmbed Window

// ---------------------------------------------------------------------------
// Records
//
// Windows hosts lay records out with 8-byte packing (32-bit) or 16-byte
// packing (64-bit); other platforms use the compiler's default alignment.
// On 32-bit Windows this keeps 64-bit fields 8-byte aligned, as MSVC does.

#if defined(_WIN32)
#if INTPTR_MAX == INT32_MAX
#pragma pack(push, 8)
#else
#pragma pack(push, 16)
#endif
#endif

// What IPluginFactory::getFactoryInfo reports about the module's vendor.
struct PFactoryInfo {
    enum FactoryFlags : int32_t {
        kNoFlags = 0,
        // Hosts must not cache the class list: it may change from load to load.
        kClassesDiscardable = 1 << 0,
        kLicenseCheck = 1 << 1,  // obsolete
        // The module stays loaded until the host exits.
        kComponentNonDiscardable = 1 << 3,
        // Class strings are UTF-16 (PClassInfoW); every VST 3 module sets it.
        kUnicode = 1 << 4,
    };
    static constexpr int kURLSize = 256;
    static constexpr int kEmailSize = 128;
    static constexpr int kNameSize = 64;

    char vendor[kNameSize];
    char url[kURLSize];
    char email[kEmailSize];
    int32_t flags;
};

// One class the factory makes.
struct PClassInfo {
    // cardinality: how many instances the host may create.
    static constexpr int32_t kManyInstances = 0x7FFFFFFF;
    static constexpr int kCategorySize = 32;
    static constexpr int kNameSize = 64;

    TUID cid;
    int32_t cardinality;
    char category[kCategorySize];
    char name[kNameSize];
};

// Bits of PClassInfo2::classFlags and PClassInfoW::classFlags for a processor.
enum ComponentFlags : uint32_t {
    kDistributable = 1 << 0,        // may run on another computer
    kSimpleModeSupported = 1 << 1,  // works in IoModes::kSimple
};

// PClassInfo with the sub-categories, vendor and versions.
struct PClassInfo2 {
    static constexpr int kVendorSize = 64;
    static constexpr int kVersionSize = 64;
    static constexpr int kSubCategoriesSize = 128;

    TUID cid;
    int32_t cardinality;
    char category[PClassInfo::kCategorySize];
    char name[PClassInfo::kNameSize];
    uint32_t classFlags;
    char subCategories[kSubCategoriesSize];
    char vendor[kVendorSize];
    char version[kVersionSize];  // "major.minor.sub.build"
    char sdkVersion[kVersionSize];
};

// PClassInfo2 with the user-visible strings in UTF-16.
struct PClassInfoW {
    static constexpr int kVendorSize = 64;
    static constexpr int kVersionSize = 64;
    static constexpr int kSubCategoriesSize = 128;

    TUID cid;
    int32_t cardinality;
    char category[PClassInfo::kCategorySize];
    char16 name[PClassInfo::kNameSize];
    uint32_t classFlags;
    char subCategories[kSubCategoriesSize];
    char16 vendor[kVendorSize];
    char16 version[kVersionSize];
    char16 sdkVersion[kVersionSize];
};

enum MediaTypes : int32_t {
    kAudio = 0,
    kEvent,
    kNumMediaTypes,
};

enum BusDirections : int32_t {
    kInput = 0,
    kOutput,
};

enum BusTypes : int32_t {
    kMain = 0,
    kAux,  // side chain
};

// IComponent::setIoMode, before initialize.
enum IoModes : int32_t {
    kSimple = 0,
    kAdvanced,
    kOfflineProcessing,
};

struct BusInfo {
    enum BusFlags : uint32_t {
        // The host should activate the bus when it creates the component.
        kDefaultActive = 1 << 0,
        // Control data at audio rate, never routed to speakers.
        kIsControlVoltage = 1 << 1,
    };

    MediaType mediaType;
    BusDirection direction;
    int32_t channelCount;
    String128 name;
    BusType busType;
    uint32_t flags;
};

struct RoutingInfo {
    MediaType mediaType;
    int32_t busIndex;
    int32_t channel;  // -1: all channels
};

enum ProcessModes : int32_t {
    kRealtime = 0,
    kPrefetch,
    kOffline,
};

enum SymbolicSampleSizes : int32_t {
    kSample32 = 0,
    kSample64,
};

// IAudioProcessor::getTailSamples.
inline constexpr uint32_t kNoTail = 0;
inline constexpr uint32_t kInfiniteTail = 0xFFFFFFFFu;

// IAudioProcessor::setupProcessing, while inactive.
struct ProcessSetup {
    int32_t processMode;         // ProcessModes
    int32_t symbolicSampleSize;  // SymbolicSampleSizes
    int32_t maxSamplesPerBlock;
    SampleRate sampleRate;
};

// One bus's channels for a process call. Hosts hand arrays for inactive
// buses too; their sample pointers may be null.
struct AudioBusBuffers {
    int32_t numChannels;
    uint64_t silenceFlags;  // bit per channel: every sample is 0
    union {
        Sample32** channelBuffers32;
        Sample64** channelBuffers64;
    };
};

class IParameterChanges;
class IEventList;
// Transport and tempo; this effect reads none of it. Declared so that
// ProcessData keeps its layout.
struct ProcessContext;

// Everything one IAudioProcessor::process call works on.
struct ProcessData {
    int32_t processMode;         // ProcessModes
    int32_t symbolicSampleSize;  // SymbolicSampleSizes
    int32_t numSamples;
    int32_t numInputs;   // entries of inputs
    int32_t numOutputs;  // entries of outputs
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;  // may be null
    IEventList* inputEvents;                    // may be null
    IEventList* outputEvents;                   // may be null
    ProcessContext* processContext;             // may be null
};

// One parameter as IEditController::getParameterInfo describes it.
struct ParameterInfo {
    enum ParameterFlags : int32_t {
        kNoFlags = 0,
        kCanAutomate = 1 << 0,
        // Changed by the module only; implies no kCanAutomate.
        kIsReadOnly = 1 << 1,
        kIsWrapAround = 1 << 2,
        // Shown as a list of its steps.
        kIsList = 1 << 3,
        // Neither shown nor changed from outside; implies kIsReadOnly.
        kIsHidden = 1 << 4,
        // Selects the program of unitId's program list.
        kIsProgramChange = 1 << 15,
        // The one bypass parameter: hosts use it instead of cutting the effect out.
        kIsBypass = 1 << 16,
    };

    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    // 0: continuous; 1: toggle; n: n + 1 discrete values.
    int32_t stepCount;
    ParamValue defaultNormalizedValue;
    UnitID unitId;
    int32_t flags;  // ParameterFlags
};

// Bits of IComponentHandler::restartComponent: what the host has to
// reread.
enum RestartFlags : int32_t {
    kReloadComponent = 1 << 0,
    kIoChanged = 1 << 1,
    kParamValuesChanged = 1 << 2,
    // The host deactivates, rereads getLatencySamples and reactivates.
    kLatencyChanged = 1 << 3,
    kParamTitlesChanged = 1 << 4,
    kMidiCCAssignmentChanged = 1 << 5,
    kNoteExpressionChanged = 1 << 6,
    kIoTitlesChanged = 1 << 7,
    kPrefetchableSupportChanged = 1 << 8,
    kRoutingInfoChanged = 1 << 9,
    kKeyswitchChanged = 1 << 10,
    kParamIDMappingChanged = 1 << 11,
};

// Units group parameters; the root unit is the whole module.
inline constexpr UnitID kRootUnitId = 0;
inline constexpr UnitID kNoParentUnitId = -1;
inline constexpr ProgramListID kNoProgramListId = -1;

struct UnitInfo {
    UnitID id;
    UnitID parentUnitId;  // kNoParentUnitId for the root
    String128 name;
    ProgramListID programListId;  // kNoProgramListId: no programs
};

struct ProgramListInfo {
    ProgramListID id;
    String128 name;
    int32_t programCount;
};

// An editor's rectangle in pixels.
struct ViewRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

#if defined(_WIN32)
#pragma pack(pop)
#endif

// The layouts hosts were built with; the same on every target unless a
// record holds pointers or 64-bit numbers.
static_assert(sizeof(Uid) == 16 && sizeof(TUID) == 16);
static_assert(sizeof(char16) == 2 && sizeof(String128) == 256);

static_assert(sizeof(PFactoryInfo) == 452);
static_assert(offsetof(PFactoryInfo, url) == 64);
static_assert(offsetof(PFactoryInfo, email) == 320);
static_assert(offsetof(PFactoryInfo, flags) == 448);

static_assert(sizeof(PClassInfo) == 116);
static_assert(offsetof(PClassInfo, cardinality) == 16);
static_assert(offsetof(PClassInfo, category) == 20);
static_assert(offsetof(PClassInfo, name) == 52);

static_assert(sizeof(PClassInfo2) == 440);
static_assert(offsetof(PClassInfo2, classFlags) == 116);
static_assert(offsetof(PClassInfo2, subCategories) == 120);
static_assert(offsetof(PClassInfo2, vendor) == 248);
static_assert(offsetof(PClassInfo2, version) == 312);
static_assert(offsetof(PClassInfo2, sdkVersion) == 376);

static_assert(sizeof(PClassInfoW) == 696);
static_assert(offsetof(PClassInfoW, name) == 52);
static_assert(offsetof(PClassInfoW, classFlags) == 180);
static_assert(offsetof(PClassInfoW, subCategories) == 184);
static_assert(offsetof(PClassInfoW, vendor) == 312);
static_assert(offsetof(PClassInfoW, version) == 440);
static_assert(offsetof(PClassInfoW, sdkVersion) == 568);

static_assert(sizeof(BusInfo) == 276);
static_assert(offsetof(BusInfo, channelCount) == 8);
static_assert(offsetof(BusInfo, name) == 12);
static_assert(offsetof(BusInfo, busType) == 268);
static_assert(offsetof(BusInfo, flags) == 272);

static_assert(sizeof(RoutingInfo) == 12);

// The 64-bit fields sit on 8-byte boundaries on both pointer sizes.
static_assert(sizeof(ProcessSetup) == 24);
static_assert(offsetof(ProcessSetup, maxSamplesPerBlock) == 8);
static_assert(offsetof(ProcessSetup, sampleRate) == 16);

static_assert(sizeof(AudioBusBuffers) == 24);
static_assert(offsetof(AudioBusBuffers, silenceFlags) == 8);
static_assert(offsetof(AudioBusBuffers, channelBuffers32) == 16);

static_assert(sizeof(ParameterInfo) == 792);
static_assert(offsetof(ParameterInfo, title) == 4);
static_assert(offsetof(ParameterInfo, shortTitle) == 260);
static_assert(offsetof(ParameterInfo, units) == 516);
static_assert(offsetof(ParameterInfo, stepCount) == 772);
static_assert(offsetof(ParameterInfo, defaultNormalizedValue) == 776);
static_assert(offsetof(ParameterInfo, unitId) == 784);
static_assert(offsetof(ParameterInfo, flags) == 788);

static_assert(sizeof(UnitInfo) == 268);
static_assert(offsetof(UnitInfo, name) == 8);
static_assert(offsetof(UnitInfo, programListId) == 264);

static_assert(sizeof(ProgramListInfo) == 264);
static_assert(offsetof(ProgramListInfo, programCount) == 260);

static_assert(sizeof(ViewRect) == 16);
static_assert(offsetof(ViewRect, right) == 8);

#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(ProcessData) == 48);
static_assert(offsetof(ProcessData, inputs) == 20);
static_assert(offsetof(ProcessData, outputs) == 24);
static_assert(offsetof(ProcessData, inputParameterChanges) == 28);
static_assert(offsetof(ProcessData, outputParameterChanges) == 32);
static_assert(offsetof(ProcessData, inputEvents) == 36);
static_assert(offsetof(ProcessData, outputEvents) == 40);
static_assert(offsetof(ProcessData, processContext) == 44);
#else
static_assert(sizeof(ProcessData) == 80);
static_assert(offsetof(ProcessData, inputs) == 24);
static_assert(offsetof(ProcessData, outputs) == 32);
static_assert(offsetof(ProcessData, inputParameterChanges) == 40);
static_assert(offsetof(ProcessData, outputParameterChanges) == 48);
static_assert(offsetof(ProcessData, inputEvents) == 56);
static_assert(offsetof(ProcessData, outputEvents) == 64);
static_assert(offsetof(ProcessData, processContext) == 72);
#endif

// ---------------------------------------------------------------------------
// Interfaces

// The root of every interface: identity and lifetime. queryInterface answers
// kResultOk with an added reference in *object, or kNoInterface with
// *object set to null. The reference count starts at 1 for the creator.
class FUnknown {
public:
    virtual tresult ZINDRA_VST3_CALL queryInterface(const TUID interfaceId, void** object) = 0;
    virtual uint32_t ZINDRA_VST3_CALL addRef() = 0;
    virtual uint32_t ZINDRA_VST3_CALL release() = 0;

    // The COM IUnknown identifier, so that COM-aware hosts see the same root.
    static constexpr Uid iid = makeUid(0x00000000, 0x00000000, 0xC0000000, 0x00000046);

protected:
    ~FUnknown() = default;
};

// Two-phase creation: objects come from the factory inert; initialize gives
// them the host's context (which they may query for host interfaces) and
// terminate drops every host reference before the last release. A failed
// initialize is followed by release, never by terminate.
class IPluginBase : public FUnknown {
public:
    virtual tresult ZINDRA_VST3_CALL initialize(FUnknown* context) = 0;
    virtual tresult ZINDRA_VST3_CALL terminate() = 0;

    static constexpr Uid iid = makeUid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);
};

// A sequential byte stream the host owns, for states and program data.
class IBStream : public FUnknown {
public:
    enum IStreamSeekMode : int32_t {
        kIBSeekSet = 0,  // from the start
        kIBSeekCur,      // from the current position
        kIBSeekEnd,      // from the end
    };

    // numBytesRead, numBytesWritten and result may be null.
    virtual tresult ZINDRA_VST3_CALL read(void* buffer, int32_t numBytes,
                                          int32_t* numBytesRead) = 0;
    virtual tresult ZINDRA_VST3_CALL write(void* buffer, int32_t numBytes,
                                           int32_t* numBytesWritten) = 0;
    virtual tresult ZINDRA_VST3_CALL seek(int64_t pos, int32_t mode, int64_t* result) = 0;
    virtual tresult ZINDRA_VST3_CALL tell(int64_t* pos) = 0;

    static constexpr Uid iid = makeUid(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);
};

// The module's factory, returned by GetPluginFactory with one reference.
class IPluginFactory : public FUnknown {
public:
    virtual tresult ZINDRA_VST3_CALL getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32_t ZINDRA_VST3_CALL countClasses() = 0;
    virtual tresult ZINDRA_VST3_CALL getClassInfo(int32_t index, PClassInfo* info) = 0;
    // classId and interfaceId are 16-byte identifiers.
    virtual tresult ZINDRA_VST3_CALL createInstance(FIDString classId, FIDString interfaceId,
                                                    void** object) = 0;

    static constexpr Uid iid = makeUid(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
};

class IPluginFactory2 : public IPluginFactory {
public:
    virtual tresult ZINDRA_VST3_CALL getClassInfo2(int32_t index, PClassInfo2* info) = 0;

    static constexpr Uid iid = makeUid(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
};

class IPluginFactory3 : public IPluginFactory2 {
public:
    virtual tresult ZINDRA_VST3_CALL getClassInfoUnicode(int32_t index, PClassInfoW* info) = 0;
    virtual tresult ZINDRA_VST3_CALL setHostContext(FUnknown* context) = 0;

    static constexpr Uid iid = makeUid(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);
};

// The processor's side: buses, activation and the state hosts save.
class IComponent : public IPluginBase {
public:
    // classId receives 16 bytes: the edit controller's class.
    virtual tresult ZINDRA_VST3_CALL getControllerClassId(TUID classId) = 0;
    virtual tresult ZINDRA_VST3_CALL setIoMode(IoMode mode) = 0;
    virtual int32_t ZINDRA_VST3_CALL getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult ZINDRA_VST3_CALL getBusInfo(MediaType type, BusDirection dir, int32_t index,
                                                BusInfo& bus) = 0;
    virtual tresult ZINDRA_VST3_CALL getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult ZINDRA_VST3_CALL activateBus(MediaType type, BusDirection dir, int32_t index,
                                                 TBool state) = 0;
    virtual tresult ZINDRA_VST3_CALL setActive(TBool state) = 0;
    virtual tresult ZINDRA_VST3_CALL setState(IBStream* state) = 0;
    virtual tresult ZINDRA_VST3_CALL getState(IBStream* state) = 0;

    static constexpr Uid iid = makeUid(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);
};

// The audio side of the processor. process runs on the audio thread; the
// rest on the user-interface thread, with setupProcessing only while
// inactive and setProcessing only while active.
class IAudioProcessor : public FUnknown {
public:
    // kResultTrue if the arrangements are taken as they are; kResultFalse
    // after adapting the buses to the nearest the module supports.
    virtual tresult ZINDRA_VST3_CALL setBusArrangements(SpeakerArrangement* inputs, int32_t numIns,
                                                        SpeakerArrangement* outputs,
                                                        int32_t numOuts) = 0;
    virtual tresult ZINDRA_VST3_CALL getBusArrangement(BusDirection dir, int32_t index,
                                                       SpeakerArrangement& arr) = 0;
    virtual tresult ZINDRA_VST3_CALL canProcessSampleSize(int32_t symbolicSampleSize) = 0;
    virtual uint32_t ZINDRA_VST3_CALL getLatencySamples() = 0;
    virtual tresult ZINDRA_VST3_CALL setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult ZINDRA_VST3_CALL setProcessing(TBool state) = 0;
    virtual tresult ZINDRA_VST3_CALL process(ProcessData& data) = 0;
    virtual uint32_t ZINDRA_VST3_CALL getTailSamples() = 0;

    static constexpr Uid iid = makeUid(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);
};

// Which ProcessContext fields the processor reads. A module without it may
// get no context at all; one that needs none answers 0.
class IProcessContextRequirements : public FUnknown {
public:
    enum Flags : uint32_t {
        kNeedSystemTime = 1 << 0,
        kNeedContinousTimeSamples = 1 << 1,
        kNeedProjectTimeMusic = 1 << 2,
        kNeedBarPositionMusic = 1 << 3,
        kNeedCycleMusic = 1 << 4,
        kNeedSamplesToNextClock = 1 << 5,
        kNeedTempo = 1 << 6,
        kNeedTimeSignature = 1 << 7,
        kNeedChord = 1 << 8,
        kNeedFrameRate = 1 << 9,
        kNeedTransportState = 1 << 10,
    };

    virtual uint32_t ZINDRA_VST3_CALL getProcessContextRequirements() = 0;

    static constexpr Uid iid = makeUid(0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0);
};

// One parameter's changes within a block: points (sample offset, value)
// joined by straight lines.
class IParamValueQueue : public FUnknown {
public:
    virtual ParamID ZINDRA_VST3_CALL getParameterId() = 0;
    virtual int32_t ZINDRA_VST3_CALL getPointCount() = 0;
    virtual tresult ZINDRA_VST3_CALL getPoint(int32_t index, int32_t& sampleOffset,
                                              ParamValue& value) = 0;
    virtual tresult ZINDRA_VST3_CALL addPoint(int32_t sampleOffset, ParamValue value,
                                              int32_t& index) = 0;

    static constexpr Uid iid = makeUid(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);
};

// The queues of the parameters that change within a block.
class IParameterChanges : public FUnknown {
public:
    virtual int32_t ZINDRA_VST3_CALL getParameterCount() = 0;
    virtual IParamValueQueue* ZINDRA_VST3_CALL getParameterData(int32_t index) = 0;
    virtual IParamValueQueue* ZINDRA_VST3_CALL addParameterData(const ParamID& id,
                                                                int32_t& index) = 0;

    static constexpr Uid iid = makeUid(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);
};

// Note and other events; an effect without event buses never reads one.
struct Event;

class IEventList : public FUnknown {
public:
    virtual int32_t ZINDRA_VST3_CALL getEventCount() = 0;
    virtual tresult ZINDRA_VST3_CALL getEvent(int32_t index, Event& event) = 0;
    virtual tresult ZINDRA_VST3_CALL addEvent(Event& event) = 0;

    static constexpr Uid iid = makeUid(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);
};

class IPlugView;

// The host's side of an edit controller, on the user-interface thread: edits
// (beginEdit, any number of performEdit, endEdit) become automation and
// reach the processor through IParameterChanges.
class IComponentHandler : public FUnknown {
public:
    virtual tresult ZINDRA_VST3_CALL beginEdit(ParamID id) = 0;
    virtual tresult ZINDRA_VST3_CALL performEdit(ParamID id, ParamValue valueNormalized) = 0;
    virtual tresult ZINDRA_VST3_CALL endEdit(ParamID id) = 0;
    // flags: RestartFlags.
    virtual tresult ZINDRA_VST3_CALL restartComponent(int32_t flags) = 0;

    static constexpr Uid iid = makeUid(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
};

// The parameter side, which a host may keep apart from the processor (even
// in another process): it learns the processor's state through
// setComponentState and never touches the processor itself.
class IEditController : public IPluginBase {
public:
    virtual tresult ZINDRA_VST3_CALL setComponentState(IBStream* state) = 0;
    virtual tresult ZINDRA_VST3_CALL setState(IBStream* state) = 0;
    virtual tresult ZINDRA_VST3_CALL getState(IBStream* state) = 0;
    virtual int32_t ZINDRA_VST3_CALL getParameterCount() = 0;
    virtual tresult ZINDRA_VST3_CALL getParameterInfo(int32_t paramIndex, ParameterInfo& info) = 0;
    virtual tresult ZINDRA_VST3_CALL getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                           String128 string) = 0;
    virtual tresult ZINDRA_VST3_CALL getParamValueByString(ParamID id, TChar* string,
                                                           ParamValue& valueNormalized) = 0;
    virtual ParamValue ZINDRA_VST3_CALL normalizedParamToPlain(ParamID id,
                                                               ParamValue valueNormalized) = 0;
    virtual ParamValue ZINDRA_VST3_CALL plainParamToNormalized(ParamID id,
                                                               ParamValue plainValue) = 0;
    virtual ParamValue ZINDRA_VST3_CALL getParamNormalized(ParamID id) = 0;
    // From the host: update the editor only, never call the handler back.
    virtual tresult ZINDRA_VST3_CALL setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult ZINDRA_VST3_CALL setComponentHandler(IComponentHandler* handler) = 0;
    // name: kViewTypeEditor. Null when there is no such view.
    virtual IPlugView* ZINDRA_VST3_CALL createView(FIDString name) = 0;

    static constexpr Uid iid = makeUid(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);
};

// A message between processor and controller; opaque here.
class IMessage;

// Hosts connect processor and controller through this when both offer it,
// possibly through proxies.
class IConnectionPoint : public FUnknown {
public:
    virtual tresult ZINDRA_VST3_CALL connect(IConnectionPoint* other) = 0;
    virtual tresult ZINDRA_VST3_CALL disconnect(IConnectionPoint* other) = 0;
    virtual tresult ZINDRA_VST3_CALL notify(IMessage* message) = 0;

    static constexpr Uid iid = makeUid(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1);
};

// The controller's units and program lists, through which hosts list and
// select the module's programs.
class IUnitInfo : public FUnknown {
public:
    virtual int32_t ZINDRA_VST3_CALL getUnitCount() = 0;
    virtual tresult ZINDRA_VST3_CALL getUnitInfo(int32_t unitIndex, UnitInfo& info) = 0;
    virtual int32_t ZINDRA_VST3_CALL getProgramListCount() = 0;
    virtual tresult ZINDRA_VST3_CALL getProgramListInfo(int32_t listIndex,
                                                        ProgramListInfo& info) = 0;
    virtual tresult ZINDRA_VST3_CALL getProgramName(ProgramListID listId, int32_t programIndex,
                                                    String128 name) = 0;
    virtual tresult ZINDRA_VST3_CALL getProgramInfo(ProgramListID listId, int32_t programIndex,
                                                    const char* attributeId,
                                                    String128 attributeValue) = 0;
    virtual tresult ZINDRA_VST3_CALL hasProgramPitchNames(ProgramListID listId,
                                                          int32_t programIndex) = 0;
    virtual tresult ZINDRA_VST3_CALL getProgramPitchName(ProgramListID listId, int32_t programIndex,
                                                         int16_t midiPitch, String128 name) = 0;
    virtual UnitID ZINDRA_VST3_CALL getSelectedUnit() = 0;
    virtual tresult ZINDRA_VST3_CALL selectUnit(UnitID unitId) = 0;
    virtual tresult ZINDRA_VST3_CALL getUnitByBus(MediaType type, BusDirection dir,
                                                  int32_t busIndex, int32_t channel,
                                                  UnitID& unitId) = 0;
    virtual tresult ZINDRA_VST3_CALL setUnitProgramData(int32_t listOrUnitId, int32_t programIndex,
                                                        IBStream* data) = 0;

    static constexpr Uid iid = makeUid(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);
};

class IPlugFrame;

// The editor. Sizes change only through onSize: a module asking to resize
// calls IPlugFrame::resizeView and waits for the host's onSize. Keys come
// from the host, which needs kResultFalse for keys the editor leaves alone.
class IPlugView : public FUnknown {
public:
    virtual tresult ZINDRA_VST3_CALL isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult ZINDRA_VST3_CALL attached(void* parent, FIDString type) = 0;
    virtual tresult ZINDRA_VST3_CALL removed() = 0;
    virtual tresult ZINDRA_VST3_CALL onWheel(float distance) = 0;
    virtual tresult ZINDRA_VST3_CALL onKeyDown(char16 key, int16_t keyCode, int16_t modifiers) = 0;
    virtual tresult ZINDRA_VST3_CALL onKeyUp(char16 key, int16_t keyCode, int16_t modifiers) = 0;
    virtual tresult ZINDRA_VST3_CALL getSize(ViewRect* size) = 0;
    virtual tresult ZINDRA_VST3_CALL onSize(ViewRect* newSize) = 0;
    virtual tresult ZINDRA_VST3_CALL onFocus(TBool state) = 0;
    virtual tresult ZINDRA_VST3_CALL setFrame(IPlugFrame* frame) = 0;
    virtual tresult ZINDRA_VST3_CALL canResize() = 0;
    virtual tresult ZINDRA_VST3_CALL checkSizeConstraint(ViewRect* rect) = 0;

    static constexpr Uid iid = makeUid(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
};

// The host's window around an editor. On Linux it also offers IRunLoop.
class IPlugFrame : public FUnknown {
public:
    virtual tresult ZINDRA_VST3_CALL resizeView(IPlugView* view, ViewRect* newSize) = 0;

    static constexpr Uid iid = makeUid(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
};

// Linux has no process-wide event loop, so an editor must not run its own
// X11 loop or threads for events: it registers its connection's descriptor
// and its timers with the host's loop, which calls back on the
// user-interface thread. Declared on every platform so that the identifiers
// are checked everywhere.
using FileDescriptor = int;
using TimerInterval = uint64_t;  // milliseconds

class IEventHandler : public FUnknown {
public:
    virtual void ZINDRA_VST3_CALL onFDIsSet(FileDescriptor fd) = 0;

    static constexpr Uid iid = makeUid(0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983);
};

class ITimerHandler : public FUnknown {
public:
    virtual void ZINDRA_VST3_CALL onTimer() = 0;

    static constexpr Uid iid = makeUid(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);
};

class IRunLoop : public FUnknown {
public:
    virtual tresult ZINDRA_VST3_CALL registerEventHandler(IEventHandler* handler,
                                                          FileDescriptor fd) = 0;
    virtual tresult ZINDRA_VST3_CALL unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult ZINDRA_VST3_CALL registerTimer(ITimerHandler* handler,
                                                   TimerInterval milliseconds) = 0;
    virtual tresult ZINDRA_VST3_CALL unregisterTimer(ITimerHandler* handler) = 0;

    static constexpr Uid iid = makeUid(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);
};

// ---------------------------------------------------------------------------
// Module entry points (extern "C", exported undecorated)
//
// Every platform: GetPluginFactory returns the factory with a reference the
// host releases. Linux: ModuleEntry(handle of the shared library) runs after
// dlopen and before anything else, ModuleExit before dlclose; hosts refuse a
// module without them. Windows: InitDll and ExitDll do the same, optionally.
// On 32-bit Windows these use ZINDRA_VST3_CALL too, which decorates the
// names (GetPluginFactory@0): the module's .def file exports them bare.

inline constexpr const char* kGetPluginFactoryName = "GetPluginFactory";
inline constexpr const char* kModuleEntryName = "ModuleEntry";  // Linux
inline constexpr const char* kModuleExitName = "ModuleExit";    // Linux
inline constexpr const char* kInitDllName = "InitDll";          // Windows
inline constexpr const char* kExitDllName = "ExitDll";          // Windows

using GetPluginFactoryProc = IPluginFactory*(ZINDRA_VST3_CALL*)();
using ModuleEntryProc = bool (*)(void* sharedLibraryHandle);
using ModuleExitProc = bool (*)();
using InitDllProc = bool(ZINDRA_VST3_CALL*)();
using ExitDllProc = bool(ZINDRA_VST3_CALL*)();

}  // namespace vst3
