// EffectPrograms: the part every effect shares: the current parameter
// values, the programs and the state that carries them. Effect is the
// effect's own class (applyToEngine(index, value) turns a value into what its
// engine reads); Format describes its programs and state (ProgramBankOf.h).
//
// Threads. Parameters may be set from any thread, the audio thread included
// (no allocation, lock or system call). Programs and state belong to the
// host's UI thread; like setParameter, setProgram neither allocates nor
// locks, so a host's program-change automation may also run it on the audio
// thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/EffectHooks.h"
#include "core/ProgramBankOf.h"

namespace core {

template <typename Effect, typename Format>
class EffectPrograms {
public:
    using Bank = ProgramBankOf<Format>;
    static constexpr int32_t kNumParams = Format::kNumParams;
    static constexpr int32_t kNumPrograms = Format::kNumPrograms;

    // [any thread] Values beyond 0..1 are held to it (NaN to 0). The value
    // also goes into the current program.
    void setParameter(int32_t index, float value) {
        // Above 1 is 1; anything not at least 0 (negative, NaN) is 0.
        const float v = value > 1.0f ? 1.0f : (value >= 0.0f ? value : 0.0f);
        if (index < 0 || index >= kNumParams) return;
        static_cast<Effect*>(this)->applyToEngine(index, v);
        params[index].store(v);
        if (bank.ready()) bank.program(current.load()).fpar[index].store(v);
        hooks.parameterChanged(index);
    }
    float parameter(int32_t index) const {
        return index >= 0 && index < kNumParams ? params[index].load() : 0.0f;
    }

    // [ui thread] setProgram applies the program's values through
    // setParameter; an index out of range changes nothing.
    int32_t program() const { return current.load(); }
    void setProgram(int32_t index) {
        if (!Bank::valid(index) || !bank.ready()) return;
        current.store(index);
        for (int32_t i = 0; i < kNumParams; ++i)
            setParameter(i, bank.program(index).fpar[i].load());
        hooks.programChanged();
    }
    void renameProgram(const char* name) {
        if (!name || !bank.ready()) return;
        bank.rename(current.load(), name);
        hooks.programChanged();
    }
    // The name of program index, cut to maxCharacters; false out of range.
    bool programName(int32_t index, char* destination, size_t maxCharacters) const {
        if (!Bank::valid(index) || !bank.ready()) return false;
        if (destination) bank.copyName(index, destination, maxCharacters);
        return true;
    }

    // [ui thread] State: see ProgramBankOf. A loaded state applies the current
    // program again; a refused one changes nothing and answers its message.
    const uint8_t* saveState(StateKind kind, size_t& size) {
        size = 0;
        if (!bank.ready()) return nullptr;
        return bank.save(kind, current.load(), size);
    }
    const char* loadState(StateKind kind, const uint8_t* data, size_t size) {
        if (!bank.ready()) return nullptr;
        if (const char* refusal = bank.load(kind, data, size, current.load())) return refusal;
        setProgram(current.load());
        return nullptr;
    }

    // [any thread] The programs, for inspection (and for tests, to prepare them).
    const Bank& programBank() const { return bank; }
    Bank& programBank() { return bank; }

protected:
    explicit EffectPrograms(EffectHooks& owner) : hooks(owner) {}
    ~EffectPrograms() = default;

    EffectHooks& hooks;
    Bank bank;

private:
    std::atomic<float> params[kNumParams] = {};
    std::atomic<int32_t> current{0};
};

}  // namespace core
