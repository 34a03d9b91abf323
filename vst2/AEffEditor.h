// Base editor: the object behind the editor opcodes. The effect owns it for its
// whole life; a subclass creates and destroys the actual window.
#pragma once

#include <cstdint>

#include "vst2/vst2.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor() = default;

    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    // UI thread (effEditGetRect): the rectangle the editor wants; 1 when given.
    virtual int32_t getRect(ERect** rect);
    // UI thread (effEditOpen): show the editor inside the host's window.
    virtual int32_t open(void* parentWindow);
    // UI thread (effEditClose).
    virtual void close();
    // UI thread (effEditIdle): the host's periodic idle call.
    virtual void idle();
    // Any thread that changes parameters: refresh the window from the effect.
    virtual void update();
    // Any thread: ask for an update at the next idle call.
    virtual void postUpdate();
    // UI thread (effEditKeyDown, effEditKeyUp): -1 means the key was not used.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);
    // UI thread (effSetEditKnobMode).
    virtual int32_t setKnobMode(int32_t mode);
    // UI thread: mouse wheel; true when used.
    virtual bool onWheel(float distance);

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
    int32_t updateFlag = 0;
};
